// Program data the runtime manages for Pictorra: dimensioned global arrays, typed records and
// the raw memory of banks, laid out as compiled code lays them out for the runtime's helpers.
#pragma once

#include "trova.h"

// A one-dimensional global array of 32-bit cells (ints, or strings when Kind is 3). Its layout
// is the runtime's array descriptor: data pointer, element kind, dimension count, size cell.
template<int Kind>
struct kx_array1 {
    int* data = nullptr;
    int kind = Kind;
    int dims = 1;
    int size = 0;

    // Dimensions the array with indices 0 to upper, all zero (an existing content is freed).
    void dim(int upper)
    {
        size = upper;
        kxDimArray(this);
    }
    // The cell at index i; an index outside the array raises "Array index out of bounds".
    int& cell(int i)
    {
        if (!data || unsigned(i) >= unsigned(size))
            kxArrayBoundsEx();
        return data[i];
    }
};

// An int array.
struct kx_intarray : kx_array1<1> {
    int& operator()(int i) { return cell(i); }
};

// A string array: reading gives the element (empty when unset) without a reference; set()
// stores with reference counting.
struct kx_strarray : kx_array1<3> {
    kx_str operator()(int i) { return kxStrLoad(reinterpret_cast<kx_str*>(&cell(i))); }
    void set(int i, kx_str s) { kxStrStore(reinterpret_cast<kx_str*>(&cell(i)), s); }
};

// An object header as the runtime lays it out (list sentinels included).
struct kx_objheader {
    int* fields;
    kx_objheader* next;
    kx_objheader* prev;
    void* type;
    int refs;
};

// A program-defined type of N fields: the runtime's object type descriptor. Define one with
// KX_TYPE(name, N, field types...) so that its list sentinels point at themselves.
template<int N>
struct kx_objtype {
    int kind;
    kx_objheader used;
    kx_objheader freed;
    int count;
    const kx_type* fieldTypes[N];

    // A new object of this type; its fields start at 0. Delete it with kxObjDelete.
    kx_objheader* create() { return static_cast<kx_objheader*>(kxObjNew(this)); }
};

#define KX_TYPE(name, n, ...)                                                             \
    constinit kx_objtype<n> name = { 5, { nullptr, &name.used, &name.used, nullptr, -1 }, \
        { nullptr, &name.freed, &name.freed, nullptr, -1 }, n, { __VA_ARGS__ } }

// The data address of a bank (what external functions receive for a bank argument).
inline void* kxbankdata(int bank)
{
    return *reinterpret_cast<void**>(bank + 24);
}
