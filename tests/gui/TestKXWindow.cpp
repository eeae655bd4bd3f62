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

TEST_F(GuiTest, MenuChoicesArriveAsMenuEvents)
{
    int win = window("Menus");
    int file = CreateMenu(Str("&File"), 0, WindowMenu(win));
    CreateMenu(Str("Open"), 5, file);
    CreateMenu(Str(""), 0, file);
    CreateMenu(Str("Exit"), 9, file);
    int help = CreateMenu(Str("&Help"), 0, WindowMenu(win));
    int about = CreateMenu(Str("About"), 20, help);
    DisableMenu(about);
    UpdateWindowMenu(win);
    drainRealDisplay();

    user().menu(20); // grayed: no choice
    user().menu(9); // below a separator
    user().menu(5);
    // Each choice is made in the menu's modal loop and arrives after it.
    auto nextChoice = [] {
        int id;
        while ((id = WaitEvent(onRealDisplay() ? kxTestLimitMs(10000) : 1000)) == 0x2004 || id == 0x2005) {
        }
        return id;
    };
    for (int expected : { 9, 5 }) {
        ASSERT_EQ(nextChoice(), 0x1001);
        EXPECT_EQ(EventData(), expected);
        EXPECT_EQ(EventSource(), 0);
    }
    EXPECT_FALSE(queue().isInModalLoop()); // the menu's loop has ended
    EXPECT_EQ(quiet(), 0);
}

TEST_F(GuiTest, MinimumSizeHoldsWhenTheUserResizes)
{
    int win = window("Min", 0, 0, 300, 200);
    SetMinWindowSize(win, -1, 150);
    user().resize("Min", 100, 100);
    if (!onRealDisplay()) {
        EXPECT_EQ(WaitEvent(-1), 0x2004); // the sizing border's modal loop
        EXPECT_EQ(WaitEvent(-1), 0x802);
        EXPECT_EQ(EventX(), 300);
        EXPECT_EQ(EventY(), 150);
        EXPECT_EQ(WaitEvent(-1), 0x2005);
    } else {
        EXPECT_TRUE(nextOf(0x802));
    }
    EXPECT_TRUE(reported([&] { return GadgetHeight(win) == 150; }));
    EXPECT_EQ(GadgetWidth(win), 300);
    EXPECT_EQ(GadgetHeight(win), 150);
}

TEST_F(GuiTest, SizeMessagesSetTheWindowFlags)
{
    int win = window("Flags", 0, 0, 300, 200);
    user().minimize("Flags");
    ASSERT_TRUE(nextOf(0x802));
    EXPECT_EQ(EventX(), 300); // the size before minimising
    EXPECT_EQ(WindowMinimized(win), 1);
    user().restore("Flags");
    ASSERT_TRUE(nextOf(0x802));
    EXPECT_EQ(WindowMinimized(win), 0);
    EXPECT_EQ(GadgetWidth(win), 300);

    // The program's requests only ask; the flags follow the platform's report: at once
    // headless, once the window manager confirmed the request (KXWindow::sync) on a real display.
    MinimizeWindow(win);
    EXPECT_TRUE(kw(win)->sync(kxTestLimitMs(5000)));
    EXPECT_TRUE(reported([&] { return WindowMinimized(win) == 1; }));
    RestoreWindow(win);
    EXPECT_TRUE(kw(win)->sync(kxTestLimitMs(5000)));
    EXPECT_TRUE(reported([&] { return WindowMinimized(win) == 0; }));
    kw(win)->maximize();
    EXPECT_TRUE(kw(win)->sync(kxTestLimitMs(5000)));
    EXPECT_TRUE(reported([&] { return WindowMaximized(win) == 1; }));
    EXPECT_TRUE(reported([&] { return WindowMinimized(win) == 0; }));
    // The window manager may size the frame after it announced the state.
    EXPECT_TRUE(reported([&] { return GadgetWidth(win) == ClientWidth(Desktop()); }));
    RestoreWindow(win);
    EXPECT_TRUE(kw(win)->sync(kxTestLimitMs(5000)));
    EXPECT_TRUE(reported([&] { return WindowMaximized(win) == 0; }));
    EXPECT_TRUE(reported([&] { return GadgetWidth(win) == 300; }));
}

TEST_F(GuiTest, ResizingAWindowLaysOutItsChildren)
{
    int win = window("Layout", 0, 0, 300, 200, 3);
    auto* child = new Child(kxHandle<KXGroup>(win, "Group Gadget"), 0);
    child->completeCreation(10, 10, 50, 20, nullptr);
    SetGadgetLayout(kxToHandle(child), 1, 1, 1, 0);
    user().resize("Layout", 400, 200);
    if (!onRealDisplay()) {
        EXPECT_EQ(WaitEvent(-1), 0x2004); // the sizing border's modal loop
        EXPECT_EQ(WaitEvent(-1), 0x802);
        EXPECT_EQ(child->width(), 150);
        EXPECT_EQ(WaitEvent(-1), 0x2005);
    } else {
        EXPECT_TRUE(nextOf(0x802));
        EXPECT_TRUE(reported([&] { return child->width() == 150; }));
    }
    drainRealDisplay();

    // The program's own shape is reported: at once headless, on a real display once the window
    // manager confirmed it.
    SetGadgetShape(win, 20, 30, 300, 200);
    EXPECT_TRUE(kw(win)->sync(kxTestLimitMs(5000)));
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
    ASSERT_TRUE(nextOf(0x803));
    EXPECT_EQ(EventSource(), win);
    EXPECT_TRUE(kw(win)->isVisible());
}

TEST_F(GuiTest, ActivationFollowsTheWindowThatWasActivated)
{
    int first = CreateWindow(Str("First"), 0, 0, 100, 100, 0, 15);
    user().awaitWindow(first);
    EXPECT_EQ(ActiveWindow(), first); // shown windows take activation
    EXPECT_TRUE(nextOf(0x804));
    int second = window("Second");
    EXPECT_EQ(ActiveWindow(), second);
    ActivateWindow(first);
    EXPECT_TRUE(reported([&] { return ActiveWindow() == first; }));
    EXPECT_TRUE(nextOf(0x804));
    EXPECT_EQ(EventSource(), first);
    FreeGadget(first);
    EXPECT_EQ(ActiveWindow(), 0);
}

TEST_F(GuiTest, TheUsersMovesAndStatesReachTheProgram)
{
    int win = window("Moved", 10, 10, 300, 200);
    user().move("Moved", 200, 150);
    if (onRealDisplay()) {
        EXPECT_TRUE(nextOf(0x801));
    } else {
        EXPECT_EQ(WaitEvent(-1), 0x2004); // the title bar's modal loop
        EXPECT_EQ(WaitEvent(-1), 0x801);
    }
    EXPECT_TRUE(reported([&] { return GadgetX(win) == 200 && GadgetY(win) == 150; }));
    user().maximize("Moved");
    EXPECT_TRUE(settle());
    EXPECT_TRUE(reported([&] { return WindowMaximized(win) == 1; }));
    user().restore("Moved");
    EXPECT_TRUE(settle());
    EXPECT_TRUE(reported([&] { return WindowMaximized(win) == 0 && GadgetX(win) == 200 && GadgetWidth(win) == 300; }));
}
