// The string helpers: temporaries, reference counts, concatenation, comparison, conversions
// and the program's string constants.
#include "core/KXString.h"
#include "core/KXStringConversions.h"
#include "core/KXStringHelpers.h"
#include "core/KXTmpStrStack.h"
#include "runtime/Runtime.h"
#include "tests/support/KXTestSupport.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

namespace {
KXRef<KXString> str(std::string_view text) { return KXRef<KXString>(KXString::create(text)); }

// Each test starts and ends with an empty temporary stack without storage.
class StringHelpers : public testing::Test {
protected:
    void SetUp() override { KXTmpStrStack::instance().reset(); }
    void TearDown() override
    {
        EXPECT_EQ(KXTmpStrStack::instance().count(), 0);
        KXTmpStrStack::instance().reset();
    }
    static int depth() { return KXTmpStrStack::instance().count(); }
};

// The text of a temporary result; the caller frees the temporaries.
std::string text(KXString* s) { return s->str(); }
}

TEST_F(StringHelpers, TemporaryStackGrowsBy1024AndNeverShrinks)
{
    KXTmpStrStack& stack = KXTmpStrStack::instance();
    EXPECT_EQ(stack.capacity(), 0);
    KXRef<KXString> s = str("x");
    for (int i = 0; i < 1025; ++i)
        kxStrTmp(kxStrRetain(s.get()));
    EXPECT_EQ(depth(), 1025);
    EXPECT_EQ(stack.capacity(), 2048);
    EXPECT_EQ(s->refs(), 1026);
    kxStrTmpFree(1025);
    EXPECT_EQ(s->refs(), 1);
    EXPECT_EQ(stack.capacity(), 2048);
}

TEST_F(StringHelpers, PoppingMoreThanTheStackHoldsIsAnError)
{
    EXPECT_RUNTIME_ERROR(kxStrTmpFree(1), "Illegal TmpStr index");
    KXRef<KXString> s = str("x");
    kxStrTmp(kxStrRetain(s.get()));
    EXPECT_RUNTIME_ERROR(kxStrTmpFree(2), "Illegal TmpStr index");
    EXPECT_EQ(kxIStrTmpFree(-7, 1), -7);
    EXPECT_EQ(s->refs(), 1);
    kxStrTmp(kxStrRetain(s.get()));
    EXPECT_EQ(kxFStrTmpFree(2.5f, 1), 2.5f);
    kxStrTmpFree(0);
}

TEST_F(StringHelpers, StoreLoadRetainRelease)
{
    KXString* var = nullptr;
    KXRef<KXString> empty(KXString::empty());
    EXPECT_EQ(kxStrLoad(&var), empty.get());

    KXString* a = KXString::create("a");
    KXString* b = KXString::create("b");
    EXPECT_EQ(kxStrStore(&var, a), a);
    EXPECT_EQ(a->refs(), 2);
    EXPECT_EQ(kxStrStore(&var, var), a); // storing a variable's own value keeps it alive
    EXPECT_EQ(a->refs(), 2);
    EXPECT_EQ(kxStrLoad(&var), a);
    EXPECT_EQ(a->refs(), 2);
    kxStrRelease(a);
    kxStrStore(&var, b);
    EXPECT_FALSE(KXObject::isLive(a));
    EXPECT_EQ(b->refs(), 2);
    EXPECT_EQ(kxStrRetain(b), b);
    EXPECT_EQ(b->refs(), 3);
    EXPECT_EQ(kxStrRelease(b), b);
    EXPECT_EQ(kxStrRelease(nullptr), nullptr);
    kxStrStore(&var, nullptr);
    EXPECT_EQ(b->refs(), 1);
    b->release();
}

TEST_F(StringHelpers, ConcatenationIsTemporaryAndSharesTheEmptyString)
{
    KXRef<KXString> ab = str("ab"), cd = str(std::string_view("c\0d", 3)), none = str("");
    KXRef<KXString> shared(KXString::empty());
    EXPECT_EQ(std::string(kxStrConcat(ab.get(), cd.get())->view()), std::string("abc\0d", 5));
    EXPECT_EQ(kxStrConcat(none.get(), nullptr), shared.get());
    EXPECT_EQ(kxStrConcat(ab.get(), none.get()), ab.get());
    EXPECT_EQ(depth(), 3);
    EXPECT_EQ(ab->refs(), 2);
    kxStrTmpFree(3);
    EXPECT_EQ(ab->refs(), 1);
}

TEST_F(StringHelpers, ComparisonUsesEveryByteUnsigned)
{
    auto cmp = [](std::string_view a, std::string_view b) { return kxStrCompare(str(a).get(), str(b).get()); };
    EXPECT_LT(cmp("ab", "abc"), 0);
    EXPECT_GT(cmp("b", "abc"), 0);
    EXPECT_EQ(cmp("abc", "abc"), 0);
    EXPECT_LT(cmp(std::string_view("a\0b", 3), std::string_view("a\0c", 3)), 0);
    EXPECT_GT(cmp(std::string_view("a\0", 2), "a"), 0);
    EXPECT_GT(cmp("\xff", "a"), 0);
    EXPECT_EQ(cmp("", ""), 0);
}

TEST_F(StringHelpers, TextToNumbers)
{
    EXPECT_EQ(kxStrToInt(str("  -42abc").get()), -42);
    EXPECT_EQ(kxStrToInt(str("+7").get()), 7);
    EXPECT_EQ(kxStrToInt(str("x1").get()), 0);
    EXPECT_EQ(kxStrToInt(str("-2147483648").get()), INT_MIN);
    EXPECT_EQ(kxStrToInt(str("99999999999").get()), INT_MAX);
    EXPECT_EQ(kxStrToInt(nullptr), 0);
    EXPECT_EQ(kxStrToFloat(str(" \t-1.5e3xyz").get()), -1500.0f);
    EXPECT_EQ(kxStrToFloat(str(".5").get()), 0.5f);
    EXPECT_EQ(kxStrToFloat(str("2.e").get()), 2.0f);
    EXPECT_EQ(kxStrToFloat(str("0.1").get()), 0.1f);
    EXPECT_EQ(kxStrToFloat(str("0x10").get()), 0.0f);
    EXPECT_EQ(kxStrToFloat(str("inf").get()), 0.0f);
    EXPECT_EQ(kxStrToFloat(str("-.").get()), 0.0f);
    EXPECT_EQ(kxStrToFloat(str("1e39").get()), INFINITY);
}

TEST_F(StringHelpers, NumbersToText)
{
    EXPECT_EQ(text(kxStrFromInt(INT_MIN)), "-2147483648");
    EXPECT_EQ(text(kxStrFromInt(0)), "0");
    const std::pair<float, const char*> cases[] = {
        { 1.0f, "1.0" },
        { 0.5f, "0.5" },
        { 100.0f, "100.0" },
        { 12345678.0f, "12345700.0" },
        { 0.01f, "0.01" },
        { -2.25f, "-2.25" },
        { 0.0f, "0.0" },
        { -0.0f, "0.0" },
        { 0.001f, "0.001" },
        { 123456.0f, "123456.0" },
        { 999999.5f, "1000000.0" },
        { 1e8f, "1e+008" },
        { 98765432.0f, "98765400.0" },
        { 1e9f, "1e+009" },
        { 123456789.0f, "1.23457e+008" },
        { 0.0001f, "1e-004" },
        { -1.5e-5f, "-1.5e-005" },
        { 3.4028235e38f, "3.40282e+038" },
        { 1.4e-45f, "1.4013e-045" },
        { 0.1f, "0.1" },
        { 1.0f / 3, "0.333333" },
        // Halves (exact in binary) round away from zero.
        { 12345.25f, "12345.3" },
        { -12345.25f, "-12345.3" },
        { 1234565.0f, "1234570.0" },
    };
    for (auto [value, expected] : cases)
        EXPECT_EQ(text(kxStrFromFloat(value)), expected) << value;
    const int made = 2 + int(std::size(cases));
    EXPECT_EQ(depth(), made);
    kxStrTmpFree(made);
}

TEST_F(StringHelpers, NonFiniteTextsAreShared)
{
    KXRef<KXString> nan(KXString::nanText()), inf(KXString::infinityText()), ninf(KXString::negativeInfinityText());
    EXPECT_EQ(kxStrFromFloat(NAN), nan.get());
    EXPECT_EQ(kxStrFromFloat(INFINITY), inf.get());
    EXPECT_EQ(kxStrFromFloat(-INFINITY), ninf.get());
    EXPECT_EQ(ninf->str(), "-Infinity");
    kxStrTmpFree(3);
}

// Six-digit rounding of random floats against the exact decimal expansion.
TEST_F(StringHelpers, FloatTextIsTheExactSixDigitRounding)
{
    std::mt19937 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, 4);
        if (!std::isfinite(f) || f == 0)
            continue;
        char exact[160];
        std::snprintf(exact, sizeof exact, "%.112e", std::fabs(double(f)));
        std::string digits = std::string(1, exact[0]) + std::string(exact + 2, 5);
        long long n = std::stoll(digits) + (exact[7] >= '5');
        int exp = std::atoi(std::strchr(exact, 'e') + 1);
        double expected = double(n) * std::pow(10.0, exp - 5);
        double got = std::strtod(kxFloatToText(f).c_str(), nullptr);
        ASSERT_NEAR(std::fabs(got), expected, expected * 1e-12) << kxFloatToText(f) << " for " << exact;
        ASSERT_EQ(got < 0, f < 0);
    }
}

TEST_F(StringHelpers, CTextsAreNotCopied)
{
    KXRef<KXString> s = str("abc");
    EXPECT_EQ(kxStrToCStr(s.get()), s->data());
    EXPECT_EQ(text(kxStrFromCStr("xyz")), "xyz");
    KXRef<KXString> shared(KXString::empty());
    EXPECT_EQ(kxStrFromCStr(""), shared.get());
    kxStrTmpFree(2);
}

TEST_F(StringHelpers, InitCStrsFillsConstantsAndResetsTheStack)
{
    struct Constant {
        KXString* slot;
        char text[8];
    };
    Constant hello { nullptr, "hello" }, blank { nullptr, "" };
    void* table[] = { &hello, &blank, nullptr };
    kxStrTmp(KXString::create("pending"));
    kxInitCStrs(table);
    EXPECT_EQ(depth(), 0);
    EXPECT_EQ(KXTmpStrStack::instance().capacity(), 0);
    ASSERT_NE(hello.slot, nullptr);
    EXPECT_EQ(hello.slot->str(), "hello");
    KXRef<KXString> shared(KXString::empty());
    EXPECT_EQ(blank.slot, shared.get());
    KXString* unset = nullptr;
    EXPECT_EQ(kxStrLoad(&unset), shared.get());
    hello.slot->release();
    blank.slot->release();

    void* none[] = { nullptr };
    kxInitCStrs(none);
    EXPECT_EQ(depth(), 0);
}

TEST_F(StringHelpers, InitCStrsTakesTablesAndConstantsAtAnyOffset)
{
    // An image lays its data end to end: the table and each constant's slot may be unaligned.
    alignas(8) unsigned char image[64] = {};
    unsigned char* constant = image + 1; // slot at offset 1, text right after it
    std::memcpy(constant + sizeof(KXString*), "odd", 4);
    unsigned char* table = image + 23;
    std::memcpy(table, &constant, sizeof constant);
    kxInitCStrs(reinterpret_cast<void* const*>(table));
    KXString* made;
    std::memcpy(&made, constant, sizeof made);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->str(), "odd");
    made->release();
}

TEST_F(StringHelpers, RegisteredWithTheStdcallConvention)
{
    Runtime& rt = *runtimeGetRuntime();
    auto concat = reinterpret_cast<KXString*(KX_STDCALL*)(KXString*, KXString*)>(rt.symValue("_kxStrConcat"));
    auto tmpFree = reinterpret_cast<float(KX_STDCALL*)(float, int)>(rt.symValue("_kxFStrTmpFree"));
    auto fromFloat = reinterpret_cast<KXString*(KX_STDCALL*)(float)>(rt.symValue("_kxStrFromFloat"));
    auto toFloat = reinterpret_cast<float(KX_STDCALL*)(KXString*)>(rt.symValue("_kxStrToFloat"));
    KXRef<KXString> a = str("con"), b = str("cat");
    EXPECT_EQ(text(concat(a.get(), b.get())), "concat");
    EXPECT_EQ(text(fromFloat(-2.25f)), "-2.25");
    EXPECT_EQ(toFloat(str("6.5").get()), 6.5f);
    EXPECT_EQ(tmpFree(1.25f, 2), 1.25f);
}
