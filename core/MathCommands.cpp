// Arithmetic helpers, math and random-number commands.
#include "core/MathCommands.h"

#include "core/KXRandom.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {
// The angle factors are single-precision constants used in double-precision arithmetic.
constexpr double ToRadians = double(0.017453292f);
constexpr double ToDegrees = double(57.29578f);
}

// The smallest int has no positive counterpart: its absolute value wraps to itself.
KX_STDCALL int kxAbs(int a) { return a < 0 ? int(0u - unsigned(a)) : a; }

KX_STDCALL int kxSgn(int a) { return (a > 0) - (a < 0); }

// The remainder of truncating division, with the sign of a. The two divisions a processor
// traps on end the program with an error instead.
KX_STDCALL int kxMod(int a, int b)
{
    if (b == 0)
        kxRuntimeError("Integer divide by zero");
    if (a == INT_MIN && b == -1)
        kxRuntimeError("Integer overflow");
    return a % b;
}

KX_STDCALL float kxFAbs(float a) { return std::fabs(a); }

KX_STDCALL float kxFSgn(float a) { return a > 0 ? 1.0f : a < 0 ? -1.0f
                                                               : 0.0f; }

KX_STDCALL float kxFMod(float a, float b) { return float(std::fmod(double(a), double(b))); }

KX_STDCALL float kxFPow(float a, float b) { return float(std::pow(double(a), double(b))); }

KX_STDCALL float Sin(float degrees) { return float(std::sin(degrees * ToRadians)); }

KX_STDCALL float Cos(float degrees) { return float(std::cos(degrees * ToRadians)); }

KX_STDCALL float Tan(float degrees) { return float(std::tan(degrees * ToRadians)); }

KX_STDCALL float ASin(float f) { return float(std::asin(double(f)) * ToDegrees); }

KX_STDCALL float ACos(float f) { return float(std::acos(double(f)) * ToDegrees); }

KX_STDCALL float ATan(float f) { return float(std::atan(double(f)) * ToDegrees); }

// The angle of the point (floatb, floata).
KX_STDCALL float ATan2(float floata, float floatb) { return float(std::atan2(double(floata), double(floatb)) * ToDegrees); }

KX_STDCALL float Sqr(float f) { return float(std::sqrt(double(f))); }

KX_STDCALL float Floor(float f) { return float(std::floor(double(f))); }

KX_STDCALL float Ceil(float f) { return float(std::ceil(double(f))); }

KX_STDCALL float Exp(float f) { return float(std::exp(double(f))); }

KX_STDCALL float Log(float f) { return float(std::log(double(f))); }

KX_STDCALL float Log10(float f) { return float(std::log10(double(f))); }

// from + r * (to - from) with r in [0, 1): with to = 0 the result lies in (0, from].
KX_STDCALL float Rnd(float from, float to)
{
    return float(double(KXRandom::fraction()) * (double(to) - from) + from);
}

// An int in [min(from, to), max(from, to)], computed in 64 bits so that the widest range does
// not overflow.
KX_STDCALL int Rand(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    const int64_t n = int64_t(to) - from + 1;
    const int64_t value = int64_t(KXRandom::fraction2() * double(n)) + from;
    return int(value > to ? to : value);
}

KX_STDCALL void SeedRnd(int seed) { KXRandom::setSeed(seed); }

KX_STDCALL int RndSeed() { return KXRandom::seed(); }

static const KXCommandEntry s_commands[] = {
    { "_kxAbs", KX_FN(kxAbs) },
    { "_kxSgn", KX_FN(kxSgn) },
    { "_kxMod", KX_FN(kxMod) },
    { "_kxFAbs", KX_FN(kxFAbs) },
    { "_kxFSgn", KX_FN(kxFSgn) },
    { "_kxFMod", KX_FN(kxFMod) },
    { "_kxFPow", KX_FN(kxFPow) },
    { "#Sin#degrees", KX_FN(Sin) },
    { "#Cos#degrees", KX_FN(Cos) },
    { "#Tan#degrees", KX_FN(Tan) },
    { "#ASin#float", KX_FN(ASin) },
    { "#ACos#float", KX_FN(ACos) },
    { "#ATan#float", KX_FN(ATan) },
    { "#ATan2#floata#floatb", KX_FN(ATan2) },
    { "#Sqr#float", KX_FN(Sqr) },
    { "#Floor#float", KX_FN(Floor) },
    { "#Ceil#float", KX_FN(Ceil) },
    { "#Exp#float", KX_FN(Exp) },
    { "#Log#float", KX_FN(Log) },
    { "#Log10#float", KX_FN(Log10) },
    { "#Rnd#from#to=0", KX_FN(Rnd) },
    { "%Rand%from%to=1", KX_FN(Rand) },
    { "SeedRnd%seed", KX_FN(SeedRnd) },
    { "%RndSeed", KX_FN(RndSeed) },
};
static KXCommandTable s_table(s_commands);
