// How a run ends and how a runtime error is captioned when no host has installed anything: this
// suite links base/ alone.
#include "base/KXError.h"
#include "base/KXMessageBox.h"
#include "base/KXRunState.h"
#include "tests/support/KXTestSupport.h"

#include <cstdio>

namespace {
void say(const char* text)
{
    std::fputs(text, stderr);
    std::fflush(stderr);
}

// Ends a run with nothing between kxEnd and the handler but the given relay.
[[noreturn]] void endRun(KXEndRelay relay)
{
    kxSetEndTrap(nullptr);
    kxSetEndRelay(relay);
    kxSetRunState(KXRunState::Running);
    kxEnd();
}
}

TEST(End, HandlerRunsOnceEndingAfterTheRelayThenTheProcessExitsZero)
{
    EXPECT_EXIT(
        {
            kxSetEndHandler([] {
                say(kxRunState() == KXRunState::Ending ? "handler while ending\n" : "handler too early\n");
            });
            endRun([] { say("relay\n"); });
        },
        testing::ExitedWithCode(0), "^relay\nhandler while ending\n$");
}

TEST(End, WithoutAHandlerNothingIsTakenDown)
{
    EXPECT_EXIT(
        {
            kxSetEndHandler([] { say("handler\n"); });
            kxSetEndHandler(nullptr);
            endRun([] { say("relay\n"); });
        },
        testing::ExitedWithCode(0), "^relay\n$");
}

TEST(End, AnEndFromTheHandlerIsRecursive)
{
    EXPECT_EXIT(
        {
            kxSetEndHandler([] { kxEnd(); });
            endRun(nullptr);
        },
        testing::ExitedWithCode(0), "INTERNAL ERROR \\*\\*\\*\\*\\*: Recursive kxEnd\n$");
}

TEST(End, TheTestTrapSeesTheEndBeforeAnythingIsTakenDown)
{
    kxSetEndHandler([] { say("handler\n"); });
    kxSetRunState(KXRunState::Running);
    EXPECT_RUNTIME_ERROR(kxEnd(), "<end>");
    EXPECT_EQ(kxRunState(), KXRunState::Running);
    kxSetEndHandler(nullptr);
}

TEST(RuntimeError, CaptionComesFromTheInstalledSource)
{
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(kxRuntimeError("Bad %d", 1), testing::ExitedWithCode(0), "^: Bad 1\n$");
    EXPECT_EXIT(
        {
            kxSetAppCaptionSource([] { return "Pictorra"; });
            kxRuntimeError("Bad %d", 2);
        },
        testing::ExitedWithCode(0), "^Pictorra: Bad 2\n$");
    kxInstallTestEndTrap();
}

TEST(RuntimeError, ASourceWithoutATitleGivesAnEmptyCaption)
{
    kxSetAppCaptionSource([] { return static_cast<const char*>(nullptr); });
    EXPECT_STREQ(kxAppCaption(), "");
    kxSetAppCaptionSource([] { return "T"; });
    EXPECT_STREQ(kxAppCaption(), "T");
    kxSetAppCaptionSource(nullptr);
    EXPECT_STREQ(kxAppCaption(), "");
}
