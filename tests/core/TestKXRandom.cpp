// The random generator against an independent evaluation of its recurrence, Rnd and Rand
// ranges, and the math commands and arithmetic helpers.
#include "core/KXRandom.h"
#include "core/MathCommands.h"
#include "tests/support/KXTestSupport.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <set>

namespace {
// seed * 48271 mod (2^31 - 1), in 64-bit arithmetic.
int32_t reference(int32_t seed) { return int32_t(int64_t(seed) * 48271 % 2147483647); }
}

TEST(Random, SeedsFollowTheMinimalStandardRecurrence)
{
    SeedRnd(1);
    EXPECT_EQ(Rnd(0, 1), std::ldexp(float(48271 & 0x0FFFFFF0), -28));
    int32_t s = 48271;
    for (int i = 0; i < 1000; ++i) {
        s = reference(s);
        ASSERT_EQ(KXRandom::step(), s) << "step " << i;
    }
    SeedRnd(2147483646); // The largest seed: the Schrage products stay in range.
    EXPECT_EQ(KXRandom::step(), reference(2147483646));
}

TEST(Random, SeedRndMasksAndAvoidsTheFixedPoints)
{
    SeedRnd(5);
    EXPECT_EQ(RndSeed(), 5);
    SeedRnd(0);
    EXPECT_EQ(RndSeed(), 4660);
    SeedRnd(-1);
    EXPECT_EQ(RndSeed(), 4660);
    SeedRnd(INT_MIN + 9);
    EXPECT_EQ(RndSeed(), 9);
}

TEST(Random, RandUsesTwoStepsAndStaysInRange)
{
    SeedRnd(77);
    const int32_t a = reference(77), b = reference(a);
    const double r = ((a & 0x1FFFFFFC) + (b & 0x1FFFFFF8) * std::ldexp(1.0, -27)) * std::ldexp(1.0, -29);
    EXPECT_EQ(Rand(10, 19), int(r * 10) + 10);

    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int v = Rand(5, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 5u);
    EXPECT_EQ(Rand(3, 3), 3);
    for (int i = 0; i < 200; ++i) {
        int v = Rand(INT_MIN, INT_MAX);
        (void)v;
        float f = Rnd(2.5f, 0);
        ASSERT_GT(f, 0.0f);
        ASSERT_LE(f, 2.5f);
        float g = Rnd(-1, 1);
        ASSERT_GE(g, -1.0f);
        ASSERT_LT(g, 1.0f);
    }
}

TEST(Math, AnglesAreInDegrees)
{
    EXPECT_EQ(Sin(90), 1.0f);
    EXPECT_EQ(Cos(0), 1.0f);
    EXPECT_NEAR(Cos(60), 0.5f, 1e-6);
    EXPECT_NEAR(Tan(45), 1.0f, 1e-6);
    EXPECT_NEAR(ASin(1), 90.0f, 1e-4);
    EXPECT_NEAR(ACos(0), 90.0f, 1e-4);
    EXPECT_NEAR(ATan(1), 45.0f, 1e-4);
    EXPECT_EQ(ATan2(1, 0), 90.0f);
    EXPECT_NEAR(ATan2(-1, -1), -135.0f, 1e-4);
    EXPECT_EQ(Sqr(2.25f), 1.5f);
    EXPECT_EQ(Floor(-1.5f), -2.0f);
    EXPECT_EQ(Ceil(-1.5f), -1.0f);
    EXPECT_NEAR(Exp(1), 2.7182817f, 1e-6);
    EXPECT_NEAR(Log(Exp(2)), 2.0f, 1e-6);
    EXPECT_EQ(Log10(1000), 3.0f);
}

TEST(Math, ArithmeticHelpers)
{
    EXPECT_EQ(kxAbs(-5), 5);
    EXPECT_EQ(kxAbs(INT_MIN), INT_MIN);
    EXPECT_EQ(kxSgn(-9), -1);
    EXPECT_EQ(kxSgn(0), 0);
    EXPECT_EQ(kxMod(-7, 3), -1);
    EXPECT_EQ(kxMod(7, -3), 1);
    EXPECT_EQ(kxMod(INT_MIN, 3), -2);
    EXPECT_RUNTIME_ERROR(kxMod(1, 0), "Integer divide by zero");
    EXPECT_RUNTIME_ERROR(kxMod(INT_MIN, -1), "Integer overflow");
    EXPECT_EQ(kxFAbs(-2.5f), 2.5f);
    EXPECT_EQ(kxFSgn(-0.1f), -1.0f);
    EXPECT_EQ(kxFSgn(0.0f), 0.0f);
    EXPECT_EQ(kxFSgn(3.0f), 1.0f);
    EXPECT_EQ(kxFMod(-7.5f, 2), -1.5f);
    EXPECT_EQ(kxFPow(2, 10), 1024.0f);
    EXPECT_EQ(kxFPow(9, 0.5f), 3.0f);
}
