// The desktop gadget follows the virtual desktop's size.
#include "tests/headless/HeadlessTestSupport.h"

KX_STDCALL int Desktop();

TEST_F(HeadlessGuiTest, TheDesktopStandsForTheScreen)
{
    int desk = Desktop();
    ASSERT_NE(desk, 0);
    EXPECT_EQ(ClientWidth(desk), sys().world().desktopWidth());
    sys().world().setDesktopSize(1280, 1024);
    EXPECT_EQ(GadgetWidth(desk), 1280);
    EXPECT_EQ(ClientHeight(desk), 1024);
    FreeGadget(desk);
    EXPECT_EQ(Desktop(), desk);
    int top = CreateWindow(Str("Top"), 0, 0, 100, 100, desk, 15);
    EXPECT_EQ(GadgetGroup(top), desk);
    sys().world().setDesktopSize(1024, 768);
}
