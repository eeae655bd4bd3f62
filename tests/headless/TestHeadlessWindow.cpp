// Headless windows: the native menu built from the menu tree, the frame around the client area and the status bar's text.
#include "tests/headless/HeadlessTestSupport.h"

TEST_F(HeadlessGuiTest, MenuTreeBecomesANativeMenuOnlyOnUpdate)
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

TEST_F(HeadlessGuiTest, AMenuItemStillReferencedCannotBeReleased)
{
    int win = window("Held");
    int item = CreateMenu(Str("Item"), 1, WindowMenu(win));
    kxHandle<KXMenu>(item, "Menu")->retain();
    EXPECT_RUNTIME_ERROR(FreeGadget(win), "Unable to release menu child");
    sys().world().removeWindow(hw(win)); // the half-destroyed window stays out of the clean-up
}

TEST_F(HeadlessGuiTest, ClientCoordinatesDescribeTheClientArea)
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

TEST_F(HeadlessGuiTest, StatusTextNeedsAStatusBar)
{
    int with = window("With", 0, 0, 200, 200, 15);
    int without = window("Without", 0, 0, 200, 200, 7);
    EXPECT_EQ(SetStatusText(with, Str("Ready")), 1);
    EXPECT_EQ(hw(with)->nativeStatusText(), "Ready");
    EXPECT_EQ(SetStatusText(without, Str("Ready")), 0);
    EXPECT_EQ(hw(without)->nativeStatusText(), "");
}
