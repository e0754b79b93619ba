// The ID records of the benchmarks' tree shapes, without any framework: item k has ID k + 1, the text
// "item k", image group 1 and the parent that the shape gives (-1: the top level).
#pragma once

#include <cstdio>

enum class Shape { Flat, Balanced, Chain };

inline long ParentID(Shape shape, long k) {
    if (k == 0)
        return -1;
    switch (shape) {
    case Shape::Flat:
        return 1;
    case Shape::Balanced:
        return (k - 1) / 10 + 1; // ten children each
    case Shape::Chain:
        return k;
    }
    return -1;
}

// Calls add(group, parent, id, text) with the four decimal texts of each of the n records, in order.
template <class Add> void ForEachRecord(Shape shape, long n, Add&& add) {
    char parent[24], id[24], text[32];
    for (long k = 0; k < n; ++k) {
        std::snprintf(parent, sizeof parent, "%ld", ParentID(shape, k));
        std::snprintf(id, sizeof id, "%ld", k + 1);
        std::snprintf(text, sizeof text, "item %ld", k);
        add("1", parent, id, text);
    }
}
