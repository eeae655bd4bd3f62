// The process's modules: this platform's exist and start with their dependencies, another
// platform's do not.
#include "base/KXModuleRegistry.h"
#include "tests/support/KXTestSupport.h"

TEST(GlobalModules, PlatformModulesAndDependenciesStart)
{
    KXModuleRegistry& g = KXModuleRegistry::global();
    EXPECT_NE(g.find("KXUserLibs"), nullptr);
    EXPECT_NE(g.find("HeadlessGuiDriver"), nullptr);
    EXPECT_EQ(g.find("QtGuiDriver"), nullptr); // another platform's module does not exist
    g.selectConfig("Gui", "Native");
    g.selectConfig("Audio", "Native");
    for (const char* s : { "Screen", "Canvas", "Graphics", "GrDriver2D" })
        g.selectConfig(s, "DirectDraw");
    ASSERT_TRUE(g.startSubsystem("Canvas"));
    // The canvas driver starts the GUI driver, which starts the screen driver and its surfaces.
    for (const char* n : { "HeadlessCanvasDriver", "HeadlessGuiDriver", "HeadlessScreenDriver", "HeadlessDD" })
        EXPECT_TRUE(g.find(n)->isStarted()) << n;
}
