// Windows: shapes, menus, status bars, the window flags and the window events.
#include "tests/gui/GuiTestSupport.h"

namespace {
class Child final : public KXGadget {
public:
    using KXGadget::KXGadget;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
};
}

TEST_F(GuiTest, MenuTreeBecomesANativeMenuOnlyOnUpdate)
{
    int win = window("Menus");
    int file = CreateMenu(Str("&File"), 0, WindowMenu(win));
    int open = CreateMenu(Str("Open"), 5, file);
    CreateMenu(Str(""), 0, file);
    int exit = CreateMenu(Str("Exit"), 9, file);
    int help = CreateMenu(Str("Help"), 20, WindowMenu(win));
    DisableMenu(help);
    EXPECT_EQ(MenuEnabled(open), 1);
    EXPECT_EQ(MenuChecked(open), 0);
    HeadlessWindow* w = hw(win);
    EXPECT_TRUE(w->nativeMenu().empty());

    UpdateWindowMenu(win);
    const auto& bar = w->nativeMenu();
    ASSERT_EQ(bar.size(), 2u);
    EXPECT_EQ(bar[0].flags, KXNativeMenuItem::Popup);
    EXPECT_EQ(bar[0].text, "&File");
    ASSERT_EQ(bar[0].children.size(), 3u);
    EXPECT_EQ(bar[0].children[0].commandId, 105);
    EXPECT_EQ(bar[0].children[0].flags, 0);
    EXPECT_TRUE(bar[0].children[1].isSeparator());
    EXPECT_EQ(bar[0].children[2].commandId, 109);
    EXPECT_EQ(bar[1].flags, KXNativeMenuItem::Grayed); // no children: a grayed command
    EXPECT_EQ(bar[1].commandId, 120);

    CheckMenu(exit);
    EXPECT_EQ(MenuChecked(exit), 1);
    EXPECT_EQ(w->nativeMenu()[0].children[2].flags, 0);
    UpdateWindowMenu(win);
    EXPECT_EQ(w->nativeMenu()[0].children[2].flags, KXNativeMenuItem::Checked);

    EXPECT_TRUE(w->userMenu(5));
    EXPECT_FALSE(w->userMenu(20)); // grayed
    EXPECT_FALSE(w->userMenu(0)); // a separator is no command
    // The choice is made in the menu loop and arrives after it.
    EXPECT_EQ(WaitEvent(-1), 0x2004);
    EXPECT_TRUE(queue().isInModalLoop());
    EXPECT_EQ(WaitEvent(-1), 0x2005);
    EXPECT_FALSE(queue().isInModalLoop());
    EXPECT_EQ(WaitEvent(-1), 0x1001);
    EXPECT_EQ(EventData(), 5);
    EXPECT_EQ(EventSource(), 0);
    EXPECT_RUNTIME_ERROR(CreateMenu(Str("x"), 1, win), "Invalid Menu handle");
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

TEST_F(GuiTest, AMenuItemStillReferencedCannotBeReleased)
{
    int win = window("Held");
    int item = CreateMenu(Str("Item"), 1, WindowMenu(win));
    kxHandle<KXMenu>(item, "Menu")->retain();
    EXPECT_RUNTIME_ERROR(FreeGadget(win), "Unable to release menu child");
    sys().world().removeWindow(hw(win)); // the half-destroyed window stays out of the clean-up
}

TEST_F(GuiTest, ClientCoordinatesDescribeTheClientArea)
{
    int both = window("Client", 0, 0, 400, 300, 15 | 32);
    EXPECT_EQ(ClientWidth(both), 400);
    EXPECT_EQ(ClientHeight(both), 300);
    EXPECT_EQ(GadgetWidth(both), 400 + 2 * HeadlessWindow::SizingBorder);
    EXPECT_EQ(GadgetHeight(both), 300 + HeadlessWindow::StatusBarHeight + HeadlessWindow::MenuBarHeight + HeadlessWindow::Caption + 2 * HeadlessWindow::SizingBorder);
    KXRect client = hw(both)->clientRect();
    EXPECT_EQ(client.x, 0);
    EXPECT_EQ(client.y, 0);

    int popup = window("Popup", 5, 6, 50, 40, 32);
    EXPECT_EQ(GadgetX(popup), 5);
    EXPECT_EQ(GadgetWidth(popup), 50);
    EXPECT_EQ(ClientHeight(popup), 40);

    int frame = window("Frame", 0, 0, 400, 300, 15);
    EXPECT_EQ(GadgetWidth(frame), 400);
    EXPECT_EQ(ClientWidth(frame), 400 - 2 * HeadlessWindow::SizingBorder);
    SetGadgetShape(both, 10, 10, 200, 100);
    EXPECT_EQ(ClientWidth(both), 200);
    EXPECT_EQ(ClientHeight(both), 100);
}

TEST_F(GuiTest, StatusTextNeedsAStatusBar)
{
    int with = window("With", 0, 0, 200, 200, 15);
    int without = window("Without", 0, 0, 200, 200, 7);
    EXPECT_EQ(SetStatusText(with, Str("Ready")), 1);
    EXPECT_EQ(hw(with)->nativeStatusText(), "Ready");
    EXPECT_EQ(SetStatusText(without, Str("Ready")), 0);
    EXPECT_EQ(hw(without)->nativeStatusText(), "");
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
    EXPECT_EQ(GadgetWidth(win), sys().world().desktopWidth());
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
    EXPECT_TRUE(hw(win)->isVisible());
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
