// KXDataReader: the data-statement pointer and the reads that walk the program's __DATA table.
//
// The table is a run of 8-byte items {kind, value}: kind 1 int, 2 float (value holds the bits),
// 4 text (value points to zero-ended text), 0 end of data.
//
// Invariants: the pointer moves forward by one item per successful read and only Restore moves
// it elsewhere; a failed read leaves it where it was.
#pragma once

#include <cstdint>

class KXString;

struct KXDataItem {
    uint32_t kind;
    uint32_t value;
};
static_assert(sizeof(KXDataItem) == 8);

class KXDataReader {
public:
    // Values are fixed by the program-image format.
    enum Kind : uint32_t { End = 0,
        Int = 1,
        Float = 2,
        Text = 4 };

    // Points the reader at the item at address (null reads as an empty table).
    static void restore(const KXDataItem* address);
    static const KXDataItem* position();

    // Read the next item, converting it to the wanted type: ints from floats by truncation
    // toward zero, numbers from text by decimal conversion, strings as decimal or float text.
    // At the end of the table they raise "Out of data", on an unknown kind "Bad data type".
    static int readInt();
    static float readFloat();
    // A new string carrying one reference.
    static KXString* readString();
};
