// The main of every unit-test executable: headless platform, runtime errors as exceptions.
#include "tests/support/KXTestSupport.h"

#include <cstdlib>

// Runs before static constructors, so modules register for the headless platform.
__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 0); }

static void throwEnd(const char* message) { throw KXProgramEnded(message); }

void kxInstallTestEndTrap() { kxSetEndTrap(throwEnd); }

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    kxInstallTestEndTrap();
    return RUN_ALL_TESTS();
}
