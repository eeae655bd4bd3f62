// Every way a program ends while the message loop's stack is in use leaves exit code 0 and
// shuts the modules down once: End after a handler handed an event over, a runtime error and a
// quit inside the loop, a quit request, and the end on the last window's close.
#include "base/KXModuleRegistry.h"
#include "runtime/KXSystemCommands.h"
#include "tests/headless/HeadlessTestSupport.h"

#include <cstdio>
#include <functional>

namespace {
// Reports each shutdown on standard error; the death tests read the count back.
class ShutdownCounter final : public KXModule {
public:
    ShutdownCounter()
        : KXModule("TestShutdownCounter")
    {
    }
    void shutdown() override { std::fprintf(stderr, "shutdown %d\n", ++m_count); }

private:
    int m_count { 0 };
};

class ProgramEnd : public HeadlessGuiTest {
protected:
    // Runs body in a child process as a program would run: no test trap, so the real end path.
    static void expectCleanEnd(const std::function<void()>& body, const char* stderrPattern = "")
    {
        kxSetEndTrap(nullptr);
        EXPECT_EXIT(
            {
                KXModuleRegistry::global().startModule(new ShutdownCounter);
                body();
                std::fprintf(stderr, "still running\n");
                std::exit(3);
            },
            testing::ExitedWithCode(0), std::string(stderrPattern) + "shutdown 1\n$");
        kxInstallTestEndTrap();
    }
};
}

TEST_F(ProgramEnd, QuitFromTheScriptWhileWaiting)
{
    expectCleanEnd([] {
        window("Waiting");
        HeadlessScript::instance().addLines({ "wait 100", "quit" });
        for (;;)
            WaitEvent(-1);
    });
}

TEST_F(ProgramEnd, RuntimeErrorInsideTheLoop)
{
    expectCleanEnd(
        [] {
            window("Failing");
            HeadlessScript::addVerb("fail-here", [](const HeadlessScript::Args&) -> std::string {
                kxRuntimeError("Failed inside the loop");
            });
            HeadlessScript::instance().addLine("fail-here");
            for (;;)
                WaitEvent(-1);
        },
        "Failed inside the loop\n");
}

TEST_F(ProgramEnd, EndWhileAHandlerWaitsForTheProgram)
{
    expectCleanEnd([] {
        window("Keys");
        HeadlessScript::instance().addLine("key down 0x1e");
        if (WaitEvent(-1) != 0x101 || !driver().isPassSuspended())
            std::exit(4);
        End();
    });
}

TEST_F(ProgramEnd, QuitRequestFromThePlatform)
{
    expectCleanEnd([] {
        window("Requested");
        sys().messages().postThreadMessage(KXThreadMessage::Quit, 0, 0);
        for (;;)
            WaitEvent(-1);
    });
}

TEST_F(ProgramEnd, EndOnTheLastWindowsClose)
{
    expectCleanEnd([] {
        int win = window("Last");
        HeadlessScript::instance().addLines({ "close \"Last\"", "wait 5000", "quit" });
        while (WaitEvent(-1) != 0x803 || EventSource() != win) {
        }
        FreeGadget(win);
        End();
    });
}
