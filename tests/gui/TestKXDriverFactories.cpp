// Drivers own what their create functions make: windows, timers and loaded fonts belong to their
// driver until the program frees them, and go when the driver stops.
#include "gui/KXFontDriver.h"
#include "gui/KXTimerDriver.h"
#include "tests/gui/GuiTestSupport.h"

#include <cstdlib>

KX_STDCALL int LoadFont(KXString* name, int height, int bold, int italic, int underline);
KX_STDCALL void FreeFont(int font);
KX_STDCALL int RequestFont();

namespace {
bool live(int handle) { return KXObject::isLive(reinterpret_cast<void*>(intptr_t(handle))); }
}

TEST_F(GuiTest, CreatedObjectsBelongToTheirDriver)
{
    KXGuiDriver* gui = KXGuiDriver::current();
    KXWindow* w = gui->createWindow(nullptr, 15);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->owner(), gui->resources());
    w->release();

    KXTimerDriver* timers = KXTimerDriver::current();
    EXPECT_EQ(timers->createTimer(0.0f), nullptr);
    KXTimer* t = timers->createTimer(50.0f);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->owner(), timers->resources());
    t->release();

    KXFontDriver* fonts = KXFontDriver::current();
    EXPECT_EQ(fonts->createFont("", 12, 0), nullptr);
    KXFont* f = fonts->createFont("Mono", 12, 0);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->owner(), fonts->resources());
    f->release();
    // A requester's font is the requester's: the font driver does not hold it too.
    KXRef<KXFont> made(fonts->makeFont("Mono", 10, 0));
    EXPECT_EQ(made->owner(), nullptr);
}

// At the end of a run each driver releases what is still alive, once: a font the program freed
// is not released again, and a requested font goes with the requester driver alone.
TEST_F(GuiTest, DriverShutdownReleasesWhatItCreated)
{
    EXPECT_EXIT(
        {
            int win = window("Left open");
            int timer = CreateTimer(10.0f);
            int kept = LoadFont(Str("Mono"), 12, 0, 0, 0);
            FreeFont(LoadFont(Str("Serif"), 12, 0, 0, 0));
            HeadlessScript::instance().addLine("answer font \"Mono\" 10");
            int requested = RequestFont();
            if (!win || !timer || !kept || !requested)
                std::exit(3);
            KXModuleRegistry::global().shutdownSubsystemModules();
            KXModuleRegistry::global().shutdownUnaffiliatedModules();
            std::exit(live(win) || live(timer) || live(kept) || live(requested) ? 2 : 0);
        },
        testing::ExitedWithCode(0), "");
}
