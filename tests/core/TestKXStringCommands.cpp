// The string commands: clamping of counts and positions, find and replace, padding, the shared
// one-byte strings and the digit texts.
#include "core/KXString.h"
#include "core/KXStringCommands.h"
#include "runtime/Runtime.h"
#include "tests/support/KXTestSupport.h"

#include <climits>
#include <string>

namespace {
// A borrowed argument that lives for the test.
struct Arg {
    KXRef<KXString> s;
    explicit Arg(std::string_view text)
        : s(KXString::create(text))
    {
    }
    operator KXString*() const { return s.get(); }
};

// The text of a command result, releasing it.
std::string take(KXString* s)
{
    KXRef<KXString> r(s);
    return r->str();
}
}

TEST(StringCommands, SubstringsClamp)
{
    Arg hello("Hello"), abc("abc");
    EXPECT_EQ(take(Mid(hello, 0, 2)), "H");
    EXPECT_EQ(take(Mid(hello, 4, -1)), "lo");
    EXPECT_EQ(take(Mid(hello, 9, -1)), "");
    EXPECT_EQ(take(Mid(hello, 2, 100)), "ello");
    EXPECT_EQ(take(Mid(hello, INT_MIN, INT_MAX)), "");
    EXPECT_EQ(take(Mid(hello, 2, INT_MAX)), "ello");
    EXPECT_EQ(take(Left(abc, 10)), "abc");
    EXPECT_EQ(take(Left(abc, 2)), "ab");
    EXPECT_EQ(take(Right(abc, -1)), "");
    EXPECT_EQ(take(Right(abc, 2)), "bc");
    EXPECT_EQ(take(Left(nullptr, 3)), "");
}

TEST(StringCommands, InstrPositionsCountFromOne)
{
    Arg abcabc("abcabc"), abc("abc"), c("c"), a("a"), x("x"), none("");
    EXPECT_EQ(Instr(abcabc, c, 4), 6);
    EXPECT_EQ(Instr(abcabc, c, 1), 3);
    EXPECT_EQ(Instr(abc, none, 1), 1);
    EXPECT_EQ(Instr(abc, none, 4), 0);
    EXPECT_EQ(Instr(abc, x, 1), 0);
    EXPECT_EQ(Instr(abc, a, -3), 1);
    EXPECT_EQ(Instr(abc, a, INT_MIN), 1);
    EXPECT_EQ(Instr(abc, abcabc, 1), 0);
}

TEST(StringCommands, ReplaceNeverSearchesInsertedText)
{
    Arg aaa("aaa"), a("a"), aa("aa"), none(""), hello("hello world"), o("o"), zero("0");
    EXPECT_EQ(take(Replace(aaa, a, aa)), "aaaaaa");
    EXPECT_EQ(take(Replace(hello, o, zero)), "hell0 w0rld");
    EXPECT_EQ(take(Replace(hello, o, none)), "hell wrld");
    EXPECT_EQ(take(Replace(aaa, aa, a)), "aa");
    EXPECT_EQ(take(Replace(aaa, none, a)), "aaa");
    KXRef<KXString> shared(KXString::empty());
    KXRef<KXString> empty(Replace(aaa, a, none));
    EXPECT_EQ(empty.get(), shared.get());
}

TEST(StringCommands, CaseAndTrimTouchOnlyTheirBytes)
{
    Arg mixed("aZ\xe4 9-q"), padded(std::string_view(" \t\r\n\x01x y\x80\x1f ", 11)), blank(" \t ");
    EXPECT_EQ(take(Upper(mixed)), "AZ\xe4 9-Q");
    EXPECT_EQ(take(Lower(mixed)), "az\xe4 9-q");
    EXPECT_EQ(take(Trim(padded)), "x y\x80");
    EXPECT_EQ(take(Trim(blank)), "");
}

TEST(StringCommands, SetPadsOrCuts)
{
    Arg ab("ab"), abcdef("abcdef");
    EXPECT_EQ(take(LSet(ab, 4)), "ab  ");
    EXPECT_EQ(take(RSet(ab, 4)), "  ab");
    EXPECT_EQ(take(LSet(abcdef, 3)), "abc");
    EXPECT_EQ(take(RSet(abcdef, 3)), "def");
    EXPECT_EQ(take(RSet(abcdef, 0)), "");
    EXPECT_EQ(take(LSet(abcdef, -5)), "");
}

TEST(StringCommands, CharactersAreShared)
{
    KXRef<KXString> a(Chr(65)), b(Chr(321)), nul(Chr(0));
    EXPECT_EQ(a.get(), b.get());
    EXPECT_EQ(a->str(), "A");
    EXPECT_EQ(Len(nul.get()), 1);
    EXPECT_EQ(Asc(nul.get()), 0);
    Arg none(""), high("\xff");
    EXPECT_EQ(Asc(none), -1);
    EXPECT_EQ(Asc(high), 255);
    EXPECT_EQ(Len(nullptr), 0);
}

TEST(StringCommands, RepeatAndItsLimit)
{
    Arg ab("ab"), none("");
    EXPECT_EQ(take(String(ab, 3)), "ababab");
    EXPECT_EQ(take(String(ab, 0)), "");
    EXPECT_EQ(take(String(none, 1000000000)), "");
    EXPECT_EQ(take(String(Arg("-"), 4)), "----");
    // The result would not fit a string's 32-bit length: refused before any allocation.
    EXPECT_RUNTIME_ERROR(take(String(ab, 0x40000000)), "String too long (2147483648 bytes)");
}

TEST(StringCommands, DigitTexts)
{
    EXPECT_EQ(take(Hex(-1)), "FFFFFFFF");
    EXPECT_EQ(take(Hex(255)), "000000FF");
    EXPECT_EQ(take(Hex(0x1234ABCD)), "1234ABCD");
    EXPECT_EQ(take(Bin(5)), "00000000000000000000000000000101");
    EXPECT_EQ(take(Bin(INT_MIN)), "10000000000000000000000000000000");
}

TEST(StringCommands, RegisteredWithTheStdcallConvention)
{
    Runtime& rt = *runtimeGetRuntime();
    int address = rt.symValue("$Mid$string%start%count=-1");
    ASSERT_NE(address, -1);
    auto mid = reinterpret_cast<KXString*(KX_STDCALL*)(KXString*, int, int)>(address);
    Arg hello("Hello");
    EXPECT_EQ(take(mid(hello, 2, 3)), "ell");
    auto instr = reinterpret_cast<int(KX_STDCALL*)(KXString*, KXString*, int)>(rt.symValue("%Instr$string$find%from=1"));
    EXPECT_EQ(instr(hello, Arg("l"), 1), 3);
}
