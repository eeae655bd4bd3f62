// The command-line split and the end of the program.
#include "runtime/KXProgram.h"
#include "base/KXRunState.h"
#include "tests/support/KXTestSupport.h"

#include <new>
#include <string>
#include <vector>

TEST(CommandLine, SplitsOffTheProgramName)
{
    EXPECT_EQ(std::string(kxSplitCommandLine("\"C:\\Program Files\\p.exe\"  -x")), "  -x");
    EXPECT_EQ(std::string(kxSplitCommandLine("prog -x y")), "-x y");
    EXPECT_EQ(std::string(kxSplitCommandLine("   prog -x")), "-x");
    EXPECT_EQ(std::string(kxSplitCommandLine("prog")), "");
    EXPECT_EQ(std::string(kxSplitCommandLine("\"C:\\p.exe -x")), "");
    EXPECT_EQ(std::string(kxSplitCommandLine("")), "");
    EXPECT_EQ(std::string(kxSplitCommandLine(nullptr)), "");
}

TEST(ProgramEnd, EndWhileEndingIsAnInternalError)
{
    kxSetRunState(KXRunState::Ending);
    EXPECT_EXIT(kxEnd(), testing::ExitedWithCode(0), "\\*\\*\\*\\*\\* INTERNAL ERROR \\*\\*\\*\\*\\*: Recursive kxEnd");
    kxSetRunState(KXRunState::Running);
}

TEST(ProgramEnd, RuntimeErrorShowsTitleCaptionAndExitsZero)
{
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(kxRuntimeError("Bad %s %d", "thing", 7), testing::ExitedWithCode(0), ": Bad thing 7\n");
    kxInstallTestEndTrap();
}

namespace {
// Stands for program code between the runtime and a command: exceptions cannot pass it.
void throughProgramCode(void (*command)()) noexcept { command(); }
}

TEST(ProgramEnd, AllocationFailuresLeavingACommandAreOutOfMemory)
{
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(
        {
            kxGuardUncaughtExceptions();
            throughProgramCode([] { throw std::bad_alloc(); });
        },
        testing::ExitedWithCode(0), ": Out of memory\n");
    EXPECT_EXIT(
        {
            kxGuardUncaughtExceptions();
            throughProgramCode([] { std::vector<int>().reserve(size_t(-1) / 2); });
        },
        testing::ExitedWithCode(0), ": Out of memory\n");
    kxInstallTestEndTrap();
}

TEST(ProgramEnd, LongMessagesAreCutAt255Characters)
{
    std::string longText(400, 'x');
    std::string message = KX_ERROR_OF(kxRuntimeError("%s", longText.c_str()));
    EXPECT_EQ(message, std::string(255, 'x'));
}
