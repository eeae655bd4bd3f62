// Helpers for unit tests: runtime errors and program ends become C++ exceptions.
#pragma once

#include "base/KXError.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

// A time limit of a test that waits for something (a real display, another process): ms
// milliseconds times TROVA_TEST_TIME_SCALE (default 1), the one setting for slow or loaded
// machines. Limits only: a test never waits out a limit when what it waits for comes.
inline int kxTestLimitMs(int ms)
{
    static const double scale = [] {
        const char* s = std::getenv("TROVA_TEST_TIME_SCALE");
        double v = s ? std::atof(s) : 1.0;
        return v > 0 ? v : 1.0;
    }();
    return int(ms * scale);
}

// Thrown instead of ending the process. message is empty for a plain End.
struct KXProgramEnded : std::runtime_error {
    explicit KXProgramEnded(const char* m)
        : std::runtime_error(m ? m : "")
        , isError(m != nullptr)
    {
    }
    bool isError;
};

// Installs the trap for the lifetime of a test (KXTestMain installs it for every test).
void kxInstallTestEndTrap();

// The message of the runtime error stmt raises, or "<no error>" when it raises none.
#define KX_ERROR_OF(stmt)                          \
    ([&]() -> std::string {                        \
        try {                                      \
            stmt;                                  \
        } catch (const KXProgramEnded& e) {        \
            return e.isError ? e.what() : "<end>"; \
        }                                          \
        return "<no error>";                       \
    }())

#define EXPECT_RUNTIME_ERROR(stmt, text) EXPECT_EQ(KX_ERROR_OF(stmt), std::string(text))

#ifdef KX_TEST_INPUTS
// The path of a fixture under tests/inputs/<kind>/.
inline std::string kxTestInput(const char* kind, const char* name)
{
    return std::string(KX_TEST_INPUTS) + "/" + kind + "/" + name;
}
#endif
