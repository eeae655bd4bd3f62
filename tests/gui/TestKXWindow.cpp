// Windows: shapes, menus, status bars, the window flags and the window events.
#include "tests/gui/GuiTestSupport.h"

namespace {
class Child final : public KXGadget {
public:
    using KXGadget::KXGadget;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
};
}

TEST_F(GuiTest, MenuCommandIdsBelowOneHundred)
{
    int win = window("Commands");
    KXWindow* w = kxHandle<KXWindow>(win, "Window Gadget");
    w->onCommand(1);
    w->onCommand(2);
    w->onCommand(50);
    w->onCommand(100);
    EXPECT_EQ(WaitEvent(0), 0x104);
    EXPECT_EQ(WaitEvent(0), 0x105);
    EXPECT_EQ(WaitEvent(0), 0x1001);
    EXPECT_EQ(EventData(), 0);
    EXPECT_EQ(WaitEvent(0), 0);
}

TEST_F(GuiTest, MinimumSizeHoldsWhenTheUserResizes)
{
    int win = window("Min", 0, 0, 300, 200);
    SetMinWindowSize(win, -1, 150);
    user().resize("Min", 100, 100);
    EXPECT_EQ(WaitEvent(-1), 0x2004); // the sizing border's modal loop
    EXPECT_EQ(WaitEvent(-1), 0x802);
    EXPECT_EQ(EventX(), 300);
    EXPECT_EQ(EventY(), 150);
    EXPECT_EQ(WaitEvent(-1), 0x2005);
    EXPECT_EQ(GadgetWidth(win), 300);
    EXPECT_EQ(GadgetHeight(win), 150);
}

TEST_F(GuiTest, SizeMessagesSetTheWindowFlags)
{
    int win = window("Flags", 0, 0, 300, 200);
    user().minimize("Flags");
    EXPECT_EQ(WaitEvent(-1), 0x802);
    EXPECT_EQ(EventX(), 300); // the size before minimising
    EXPECT_EQ(WindowMinimized(win), 1);
    user().restore("Flags");
    EXPECT_EQ(WaitEvent(-1), 0x802);
    EXPECT_EQ(WindowMinimized(win), 0);
    EXPECT_EQ(GadgetWidth(win), 300);

    MinimizeWindow(win);
    EXPECT_EQ(WindowMinimized(win), 1);
    kxHandle<KXWindow>(win, "Window Gadget")->maximize();
    EXPECT_EQ(WindowMinimized(win), 0);
    EXPECT_EQ(WindowMaximized(win), 1);
    EXPECT_EQ(GadgetWidth(win), ClientWidth(Desktop()));
    RestoreWindow(win);
    EXPECT_EQ(WindowMaximized(win), 0);
    EXPECT_EQ(GadgetWidth(win), 300);
}

TEST_F(GuiTest, ResizingAWindowLaysOutItsChildren)
{
    int win = window("Layout", 0, 0, 300, 200, 3);
    auto* child = new Child(kxHandle<KXGroup>(win, "Group Gadget"), 0);
    child->completeCreation(10, 10, 50, 20, nullptr);
    SetGadgetLayout(kxToHandle(child), 1, 1, 1, 0);
    user().resize("Layout", 400, 200);
    EXPECT_EQ(WaitEvent(-1), 0x2004); // the sizing border's modal loop
    EXPECT_EQ(WaitEvent(-1), 0x802);
    EXPECT_EQ(child->width(), 150);
    EXPECT_EQ(WaitEvent(-1), 0x2005);

    SetGadgetShape(win, 20, 30, 300, 200);
    EXPECT_EQ(WaitEvent(0), 0x801);
    EXPECT_EQ(EventX(), 20);
    EXPECT_EQ(EventY(), 30);
    EXPECT_EQ(WaitEvent(0), 0x802);
    EXPECT_EQ(child->width(), 50);
}

TEST_F(GuiTest, CloseRequestsLeaveTheWindowOpen)
{
    int win = window("Close me");
    user().close("Close me");
    EXPECT_EQ(WaitEvent(-1), 0x803);
    EXPECT_EQ(EventSource(), win);
    EXPECT_TRUE(kw(win)->isVisible());
}

TEST_F(GuiTest, ActivationFollowsTheWindowThatWasActivated)
{
    int first = CreateWindow(Str("First"), 0, 0, 100, 100, 0, 15);
    EXPECT_EQ(ActiveWindow(), first); // shown windows take activation
    EXPECT_EQ(WaitEvent(0), 0x804);
    int second = window("Second");
    EXPECT_EQ(ActiveWindow(), second);
    ActivateWindow(first);
    EXPECT_EQ(ActiveWindow(), first);
    EXPECT_EQ(WaitEvent(0), 0x804);
    EXPECT_EQ(EventSource(), first);
    FreeGadget(first);
    EXPECT_EQ(ActiveWindow(), 0);
}
