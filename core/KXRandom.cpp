// The random-number generator.
#include "core/KXRandom.h"

#include <cmath>

constinit int32_t KXRandom::s_seed = KXRandom::InitialSeed;

void KXRandom::setSeed(int32_t seed)
{
    seed &= 0x7FFFFFFF;
    s_seed = (seed == 0 || seed == 0x7FFFFFFF) ? InitialSeed : seed;
}

int32_t KXRandom::step()
{
    // Schrage: 2^31 - 1 = 48271 * 44488 + 3399, so both products stay below 2^31.
    constexpr int32_t A = 48271, Q = 44488, R = 3399;
    int32_t s = A * (s_seed % Q) - R * (s_seed / Q);
    if (s < 0)
        s += 0x7FFFFFFF;
    s_seed = s;
    return s;
}

float KXRandom::fraction() { return std::ldexp(float(step() & 0x0FFFFFF0), -28); }

double KXRandom::fraction2()
{
    const double a = step() & 0x1FFFFFFC;
    const double b = step() & 0x1FFFFFF8;
    return std::ldexp(a + std::ldexp(b, -27), -29);
}
