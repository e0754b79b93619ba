// The IDs of the two modules' resources (Host.rc and module/Library.rc), for the scripts and the tests.
#pragma once

// RT_RCDATA resources: the shared one is held by both modules, the others by one module each.
#define IDR_SHARED 101
#define IDR_LIBRARY_ONLY 102
#define IDR_HOST_ONLY 103

// Strings: the shared one in both modules' tables, the other in a block only the library has.
#define IDS_SHARED 200
#define IDS_LIBRARY_ONLY 216
