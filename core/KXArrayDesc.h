// KXArrayDesc: the descriptor of a global array as compiled code lays it out.
//
// Layout: data pointer (null while not dimensioned), element kind, dimension count n, then n
// size cells. Before dimensioning, compiled code writes each dimension's upper bound into its
// cell; dimensioning turns the cells into cumulative element counts (cell n - 1 is the total).
#pragma once

#include "core/KXTypeDesc.h"

struct KXArrayDesc {
    KXCell* data;
    int32_t kind;
    int32_t dims;
    // Followed in memory by dims size cells.

    int32_t* sizes() { return reinterpret_cast<int32_t*>(reinterpret_cast<char*>(this) + sizeof(KXArrayDesc)); }

    // Turns the upper bounds into cumulative counts and allocates the zeroed elements. An
    // array that is still dimensioned is undimensioned first. A negative dimension (upper bound
    // below -1) raises "Array index out of bounds"; a total beyond 2^29 elements "Out of memory".
    void dimension();
    // Releases the strings or objects the elements hold, frees them and clears the data
    // pointer. Nothing when not dimensioned. Works from the element count recorded when the
    // array was dimensioned, whatever the size cells hold now.
    void undimension();
};

static_assert(sizeof(KXArrayDesc) == 12 && offsetof(KXArrayDesc, kind) == 4 && offsetof(KXArrayDesc, dims) == 8);
