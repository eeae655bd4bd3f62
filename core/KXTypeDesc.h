// Type descriptors as compiled code lays them out: the kind codes, the basic descriptors and
// vector types. Program types live in the program image; the runtime owns the four basic ones.
//
// Every field here is read by compiled code at a fixed offset: the records are 32-bit cells
// only, with no padding, and must not gain members or virtual functions.
#pragma once

#include <cstddef>
#include <cstdint>

// The first cell of every type descriptor. Values cross the program-image boundary: append-only.
enum class KXTypeKind : int32_t {
    Int = 1,
    Float = 2,
    String = 3,
    CString = 4,
    Object = 5,
    Vector = 6,
};

// One 32-bit cell of an object's field area, a vector or an array: an int, the bits of a
// float, or a pointer (string, object or vector).
using KXCell = uintptr_t;
static_assert(sizeof(KXCell) == 4, "program cells are 32-bit");

struct KXTypeDesc {
    int32_t kind;

    bool is(KXTypeKind k) const { return kind == int32_t(k); }
};

// A fixed-size array inside an object type: kind 6, element count, element type.
struct KXVecType {
    int32_t kind;
    int32_t count;
    KXTypeDesc* elementType;

    // A new vector of count zeroed cells (at least one cell is allocated, so the result is
    // never null). Raises "Out of memory" when the count is negative or too large.
    KXCell* allocate() const;
    // Releases the strings or objects the cells hold (by the element kind), then frees them.
    // Does nothing for null.
    void free(KXCell* cells) const;
};

static_assert(sizeof(KXTypeDesc) == 4);
static_assert(sizeof(KXVecType) == 12 && offsetof(KXVecType, count) == 4 && offsetof(KXVecType, elementType) == 8);

// Gives up the reference a cell of the given kind holds: strings are released, objects are
// released through their type's lists; every other kind holds no reference.
void kxReleaseCell(int32_t kind, KXCell cell);

// The runtime's basic descriptors, registered by address as _kxIntType ... _kxCStrType.
extern KXTypeDesc kxIntType;
extern KXTypeDesc kxFltType;
extern KXTypeDesc kxStrType;
extern KXTypeDesc kxCStrType;
