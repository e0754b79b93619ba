// Heap bytes per item of a filled tree, counted by the C library's allocator.
#pragma once

#include <malloc.h>

#include <climits>
#include <cstddef>

inline size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The heap in use after a fill and at its highest during it, per item of the tree.
struct CFootprint {
    double inUse = -1, peak = -1;
};

// Takes every later allocation from the main heap and never gives the heap back, so that its size after a
// fill is its highest during it. For a fresh process, before anything is measured.
inline void HoldHeap() {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, INT_MAX);
}

// Measures fill(), which returns the number of items in the tree after it; HoldHeap must have been called.
template <class Fill> CFootprint MeasureHeap(Fill&& fill) {
    size_t before = HeapInUse(), arenaBefore = mallinfo2().arena;
    double items = static_cast<double>(fill());
    CFootprint result;
    result.inUse = static_cast<double>(HeapInUse() - before) / items;
    result.peak = static_cast<double>(mallinfo2().arena - arenaBefore) / items;
    return result;
}
