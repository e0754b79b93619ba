// The IDs of Good.rc.
#pragma once

#define IDR_DATA 100
