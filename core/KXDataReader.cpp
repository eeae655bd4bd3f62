// Reading data statements.
#include "core/KXDataReader.h"

#include "core/KXStringConversions.h"

#include "core/KXString.h"
#include "base/KXError.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
const KXDataItem* s_next = nullptr;

// The item to read, copied out (items may sit at any offset in the image): raises for the end
// of the table and for unknown kinds, without moving.
KXDataItem current()
{
    KXDataItem item { KXDataReader::End, 0 };
    if (s_next)
        std::memcpy(&item, s_next, sizeof item);
    if (item.kind == KXDataReader::End)
        kxRuntimeError("Out of data");
    switch (item.kind) {
    case KXDataReader::Int:
    case KXDataReader::Float:
    case KXDataReader::Text:
        return item;
    default:
        kxRuntimeError("Bad data type");
    }
}

float floatOf(const KXDataItem& item) { return std::bit_cast<float>(item.value); }

// A text item's text; a null pointer reads as empty text.
const char* textOf(const KXDataItem& item)
{
    const char* text = reinterpret_cast<const char*>(uintptr_t(item.value));
    return text ? text : "";
}

// Truncation toward zero as the processor does it: values outside the int range and NaN give
// the smallest int.
int truncate(float f)
{
    if (!(f > -2147483904.0f && f < 2147483648.0f))
        return INT32_MIN;
    return int(f);
}

}

void KXDataReader::restore(const KXDataItem* address) { s_next = address; }

const KXDataItem* KXDataReader::position() { return s_next; }

int KXDataReader::readInt()
{
    const KXDataItem item = current();
    int value = item.kind == Int ? int(item.value) : item.kind == Float ? truncate(floatOf(item))
                                                                        : kxTextToInt(textOf(item));
    ++s_next;
    return value;
}

float KXDataReader::readFloat()
{
    const KXDataItem item = current();
    float value = item.kind == Int ? float(int(item.value)) : item.kind == Float ? floatOf(item)
                                                                                 : kxTextToFloat(textOf(item));
    ++s_next;
    return value;
}

KXString* KXDataReader::readString()
{
    const KXDataItem item = current();
    KXString* value = item.kind == Int ? KXString::create(std::to_string(int(item.value)))
        : item.kind == Float           ? kxFloatToString(floatOf(item))
                                       : KXString::create(textOf(item));
    ++s_next;
    return value;
}
