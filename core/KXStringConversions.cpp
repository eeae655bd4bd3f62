// Number <-> text conversions.
#include "core/KXStringConversions.h"

#include "core/KXString.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {
bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The locale number texts are read in, whatever locale the process (or a GUI toolkit) set.
locale_t cLocale()
{
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return loc;
}

// The digits of |value| rounded to six significant digits, halves away from zero, and the
// decimal exponent x of the first digit (|value| ~ d1.d2d3d4d5d6 * 10^x).
void sixDigits(double magnitude, char digits[6], int& x)
{
    // Nine digits decide the rounding unless they read ...500 exactly; then the true value may
    // lie on either side of the half and the exact expansion (at most 112 digits for a float)
    // settles it.
    char buf[160];
    std::snprintf(buf, sizeof buf, "%.8e", magnitude);
    if (buf[7] == '5' && buf[8] == '0' && buf[9] == '0')
        std::snprintf(buf, sizeof buf, "%.112e", magnitude);
    // buf reads "d.dddd...e[+-]xx".
    digits[0] = buf[0];
    for (int i = 1; i < 6; ++i)
        digits[i] = buf[i + 1];
    const char* e = buf + 2;
    while (*e != 'e')
        ++e;
    x = std::atoi(e + 1);
    if (buf[7] >= '5') {
        int i = 5;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits[0] = '1';
            ++x;
        }
    }
}
}

int kxTextToInt(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 1LL + INT_MAX)
            value = 1LL + INT_MAX;
    }
    if (negative)
        return int(-value);
    return value > INT_MAX ? INT_MAX : int(value);
}

float kxTextToFloat(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            ++digits;
    if (!digits)
        return 0.0f;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }
    const std::string number(text.substr(start, i - start));
    return float(strtod_l(number.c_str(), nullptr, cLocale()));
}

std::string kxIntToText(int value)
{
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "%d", value);
    return std::string(buf, size_t(n));
}

std::string kxFloatToText(float value)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";

    char d[6];
    int x;
    sixDigits(std::fabs(double(value)), d, x);
    const int e = x + 1; // the value is 0.d1d2d3d4d5d6 * 10^e

    std::string out;
    if (value < 0)
        out += '-';
    if (e <= -3 || e > 8) {
        int last = 5;
        while (last > 0 && d[last] == '0')
            --last;
        out += d[0];
        if (last > 0) {
            out += '.';
            out.append(d + 1, size_t(last));
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "e%c%03d", x < 0 ? '-' : '+', x < 0 ? -x : x);
        out += exp;
        return out;
    }
    if (e <= 0) {
        out += "0.";
        out.append(size_t(-e), '0');
        out.append(d, 6);
    } else if (e < 6) {
        out.append(d, size_t(e));
        out += '.';
        out.append(d + e, size_t(6 - e));
    } else {
        out.append(d, 6);
        out.append(size_t(e - 6), '0');
        out += ".0";
    }
    // Trailing zeros after the point go, but one digit always stays after it.
    size_t point = out.find('.');
    size_t end = out.size();
    while (end > point + 2 && out[end - 1] == '0')
        --end;
    out.resize(end);
    return out;
}

KXString* kxFloatToString(float value)
{
    if (std::isnan(value))
        return KXString::nanText();
    if (std::isinf(value))
        return value > 0 ? KXString::infinityText() : KXString::negativeInfinityText();
    return KXString::create(kxFloatToText(value));
}
