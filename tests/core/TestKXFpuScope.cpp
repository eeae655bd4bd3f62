// The x87 control word: library code and the message loop's stack run with the platform's
// word, whatever precision the program's code asked for, and the program gets its own back.
#include "core/KXFpuScope.h"

#include <gtest/gtest.h>

namespace {
constexpr uint16_t SinglePrecision = 0x007F; // every exception masked, 24-bit mantissa

// a / b on the x87 unit, as library code built for x87 arithmetic does it (the runtime's own
// code uses SSE), stored as a double.
double x87Divide(double a, double b)
{
    double r;
    asm volatile("fldl %1\n\tfdivl %2\n\tfstpl %0"
                 : "=m"(r)
                 : "m"(a), "m"(b));
    return r;
}

// Sets the program's word for the test's span and restores the platform's at the end, so a
// failed expectation never leaves the test runner at single precision.
struct ProgramWord {
    explicit ProgramWord(uint16_t word) { KXFpuScope::setControlWord(word); }
    ~ProgramWord() { KXFpuScope::setControlWord(KXFpuScope::platformDefault()); }
};
}

TEST(KXFpuScope, LibraryCodeRunsAtFullPrecisionAndTheProgramsWordComesBack)
{
    // The process starts with double rounding of doubles at least (Linux: 64-bit mantissa).
    EXPECT_GE(KXFpuScope::platformDefault() & 0x0300, 0x0200);
    uint16_t inside = 0;
    double libraryResult = 0, programResult = 0;
    {
        ProgramWord program(SinglePrecision);
        programResult = x87Divide(1.0, 3.0);
        {
            KXFpuScope library;
            inside = KXFpuScope::controlWord();
            libraryResult = x87Divide(1.0, 3.0);
        }
        EXPECT_EQ(KXFpuScope::controlWord(), SinglePrecision);
        // An exception leaving library code restores the word too.
        try {
            KXFpuScope library;
            throw 1;
        } catch (int) {
        }
        EXPECT_EQ(KXFpuScope::controlWord(), SinglePrecision);
    }
    EXPECT_EQ(inside, KXFpuScope::platformDefault());
    EXPECT_EQ(libraryResult, 1.0 / 3.0);
    EXPECT_EQ(programResult, double(1.0f / 3.0f)); // what the program asked for: single precision
}
