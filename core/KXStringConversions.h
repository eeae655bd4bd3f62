// Conversions between numbers and their decimal texts, shared by the string helpers and by
// every command that reads or writes numbers as text.
#pragma once

#include <string>
#include <string_view>

class KXString;

// Leading white space, an optional sign, then decimal digits up to the first non-digit; no
// digits gives 0. Values beyond the int range saturate at INT_MIN / INT_MAX.
int kxTextToInt(std::string_view text);

// Leading white space, an optional sign, digits with an optional fraction and an optional
// exponent, read as a double and rounded to float; no number gives 0. Independent of the
// process locale. Hexadecimal, "inf" and "nan" texts are not numbers here.
float kxTextToFloat(std::string_view text);

// The decimal text of value: a minus sign for negatives, no padding.
std::string kxIntToText(int value);

// The text of a float: "NaN", "Infinity", "-Infinity", or the value rounded to six significant
// digits (halves away from zero), written as 1.0, 0.5, 12345700.0, 0.01 or, for decimal
// exponents outside -2..8, as 1.5e+009 / 1e-004.
std::string kxFloatToText(float value);

// kxFloatToText as a string with one reference for the caller; the non-finite texts are the
// shared constants.
KXString* kxFloatToString(float value);
