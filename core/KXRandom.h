// KXRandom: the runtime's random-number generator, a multiplicative congruential generator
// (multiplier 48271, modulus 2^31 - 1) stepped with Schrage's method so that no product leaves
// 32 bits.
//
// Invariants: the seed always lies in [1, 2^31 - 2]; it starts at 4660.
#pragma once

#include <cstdint>

class KXRandom {
public:
    static constexpr int32_t InitialSeed = 4660;

    static int32_t seed() { return s_seed; }
    // Keeps the low 31 bits; 0 and 2^31 - 1 (which the generator cannot leave) become 4660.
    static void setSeed(int32_t seed);
    // Advances the generator once and answers the new seed.
    static int32_t step();
    // One step: a float in [0, 1) with 24 significant bits.
    static float fraction();
    // Two steps: a double in [0, 1) built from 27 + 26 bits of the two seeds.
    static double fraction2();

private:
    static constinit int32_t s_seed;
};
