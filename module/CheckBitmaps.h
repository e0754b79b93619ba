// Resource IDs of the library's check bitmaps.
#pragma once

// Six 16 by 16 check images: unchecked, checked and partly checked, each twice.
#define IDB_CHECK_IMAGES 3001
// Three small 11 by 11 check images; kept with the library's resources, loaded by nothing.
#define IDB_CHECK_IMAGES_SMALL 3002
