// Reading data statements.
#include "core/KXDataReader.h"

#include "core/KXString.h"
#include "runtime/KXError.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
const KXDataItem* s_next = nullptr;

// The item to read: raises for the end of the table and for unknown kinds, without moving.
const KXDataItem& current()
{
    if (!s_next || s_next->kind == KXDataReader::End)
        kxRuntimeError("Out of data");
    switch (s_next->kind) {
    case KXDataReader::Int:
    case KXDataReader::Float:
    case KXDataReader::Text:
        return *s_next;
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

// Leading white space, an optional sign and decimal digits; no digits read as 0.
int decimalInt(const char* text) { return int(std::strtol(text, nullptr, 10)); }

float decimalFloat(const char* text) { return float(std::strtod(text, nullptr)); }

// FIXME: the same text the string helpers make for floats; share one conversion once both
// live on one branch.
std::string floatText(float f)
{
    if (std::isnan(f))
        return "NaN";
    if (std::isinf(f))
        return f > 0 ? "Infinity" : "-Infinity";
    if (f == 0)
        return "0.0";
    // Six significant digits d1..d6 and the exponent e of 0.d1...d6 x 10^e.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.5e", std::fabs(double(f)));
    std::string digits { buf[0] };
    digits.append(buf + 2, 5);
    const int e = std::atoi(buf + 8) + 1;
    std::string out;
    if (e <= -3 || e > 8) {
        std::string mantissa = digits.substr(0, 1) + "." + digits.substr(1);
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "e%c%03d", e - 1 < 0 ? '-' : '+', std::abs(e - 1));
        out = mantissa + exponent;
    } else {
        if (e <= 0)
            out = "0." + std::string(size_t(-e), '0') + digits;
        else if (e < 6)
            out = digits.substr(0, size_t(e)) + "." + digits.substr(size_t(e));
        else
            out = digits + std::string(size_t(e - 6), '0') + ".0";
        while (out.back() == '0' && out[out.size() - 2] != '.')
            out.pop_back();
    }
    return f < 0 ? "-" + out : out;
}
}

void KXDataReader::restore(const KXDataItem* address) { s_next = address; }

const KXDataItem* KXDataReader::position() { return s_next; }

int KXDataReader::readInt()
{
    const KXDataItem& item = current();
    int value = item.kind == Int ? int(item.value) : item.kind == Float ? truncate(floatOf(item))
                                                                        : decimalInt(textOf(item));
    ++s_next;
    return value;
}

float KXDataReader::readFloat()
{
    const KXDataItem& item = current();
    float value = item.kind == Int ? float(int(item.value)) : item.kind == Float ? floatOf(item)
                                                                                 : decimalFloat(textOf(item));
    ++s_next;
    return value;
}

KXString* KXDataReader::readString()
{
    const KXDataItem& item = current();
    KXString* value = item.kind == Int ? KXString::create(std::to_string(int(item.value)))
        : item.kind == Float           ? KXString::create(floatText(floatOf(item)))
                                       : KXString::create(textOf(item));
    ++s_next;
    return value;
}
