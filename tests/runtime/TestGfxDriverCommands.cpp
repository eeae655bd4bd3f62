// Switching the graphics driver configuration restarts the subsystem modules under it.
#include "core/KXString.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"
#include "tests/support/KXTestSupport.h"

KX_STDCALL void SetGfxDriver(int driver);
KX_STDCALL KXString* GfxDriverName(int driver);

TEST(GfxDriver, SwitchingRestartsOnlyTheChosenConfiguration)
{
    KXModuleRegistry& g = KXModuleRegistry::global();
    kxSelectPlatformConfigs(g);
    ASSERT_TRUE(g.startSubsystemModules());
    KXModule* screen = g.find("HeadlessScreenDriver");
    KXModule* gui = g.find("HeadlessGuiDriver");
    ASSERT_TRUE(screen && screen->isStarted());

    SetGfxDriver(2); // no OpenGL drivers here: the screen driver stays down
    EXPECT_STREQ(g.config("Screen"), "OpenGL");
    EXPECT_STREQ(g.config("GrDriver2D"), "OpenGL");
    EXPECT_FALSE(screen->isStarted());
    EXPECT_TRUE(gui->isStarted()); // the GUI subsystem keeps its own configuration

    SetGfxDriver(3);
    EXPECT_STREQ(g.config("Canvas"), "DirectDraw");
    EXPECT_TRUE(screen->isStarted());

    EXPECT_RUNTIME_ERROR(SetGfxDriver(0), "Illegal graphics driver index");
    EXPECT_RUNTIME_ERROR(SetGfxDriver(4), "Illegal graphics driver index");
}

TEST(GfxDriver, Names)
{
    KXRef<KXString> name(GfxDriverName(3));
    EXPECT_EQ(name->str(), "DirectDraw");
    KXRef<KXString> none(GfxDriverName(9));
    EXPECT_EQ(none->length(), 0);
}
