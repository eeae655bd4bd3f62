// The command-line split and the end of the program.
#include "base/KXModuleRegistry.h"
#include "base/KXRunState.h"
#include "runtime/KXCommandLineModule.h"
#include "runtime/KXProgram.h"
#include "tests/support/KXTestSupport.h"

#include <cstdio>
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
    EXPECT_EXIT(kxRuntimeError("Bad %s %d", "thing", 7), testing::ExitedWithCode(0), "^test_runtime: Bad thing 7\n$");
    kxInstallTestEndTrap();
}

namespace {
// An unaffiliated module that reports at shutdown whether the command line is still held.
class EndProbe : public KXModule {
public:
    EndProbe()
        : KXModule("EndProbe")
    {
    }
    void shutdown() override
    {
        std::fprintf(stderr, "probe down, command line %s\n", KXCommandLineModule::instance().hasText() ? "held" : "released");
    }
};
}

TEST(ProgramEnd, TheHostReleasesTheCommandLineThenShutsTheModulesDown)
{
    EXPECT_EXIT(
        {
            kxSetEndTrap(nullptr);
            static EndProbe probe;
            probe.start();
            KXCommandLineModule::instance().set("-x");
            kxSetRunState(KXRunState::Running);
            kxEnd();
        },
        testing::ExitedWithCode(0), "probe down, command line released\n");
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
