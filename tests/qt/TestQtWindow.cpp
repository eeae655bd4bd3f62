// Qt windows on a real X server with a window manager: geometry as xwininfo sees it, the window
// manager's moves, sizes and close requests, keys and menus typed with xdotool, timers, and the
// no-display message.
#include "tests/qt/QtTestSupport.h"

#include "base/KXModule.h"
#include "core/KXHandle.h"
#include "gui/KXDesktopServices.h"
#include "gui/KXWindow.h"
#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtModules.h"

#include <QWidget>

#include <X11/Xlib.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {
constexpr int Titled = 1, Resizable = 2, MenuBar = 4, StatusBar = 8, ClientCoords = 32;
}

TEST_F(QtTest, WindowFrameAndClientMatchTheXServer)
{
    int win = keep(CreateWindow(Str("Geometry"), 100, 120, 400, 300, 0, Titled | Resizable | MenuBar | StatusBar));
    CreateMenu(Str("&File"), 0, WindowMenu(win));
    UpdateWindowMenu(win);
    ASSERT_TRUE(shown(win));
    // The frame is the window manager's frame; the client window holds menu bar, client area and
    // status bar.
    XFrame f = frameOf(win);
    EXPECT_EQ(f.x, GadgetX(win));
    EXPECT_EQ(f.y, GadgetY(win));
    EXPECT_EQ(f.width, GadgetWidth(win));
    EXPECT_EQ(f.height, GadgetHeight(win));
    EXPECT_EQ(xwininfo(win, "Width"), ClientWidth(win));
    EXPECT_GT(xwininfo(win, "Height"), ClientHeight(win)); // menu and status bars
    EXPECT_GT(ClientHeight(win), 150);
}

TEST_F(QtTest, ClientCoordinatesPlaceTheClientArea)
{
    int win = keep(CreateWindow(Str("Client"), 200, 200, 320, 240, 0, Titled | ClientCoords));
    ASSERT_TRUE(shown(win));
    EXPECT_EQ(ClientWidth(win), 320);
    EXPECT_EQ(ClientHeight(win), 240);
    EXPECT_EQ(xwininfo(win, "Absolute upper-left X"), 200);
    EXPECT_EQ(xwininfo(win, "Absolute upper-left Y"), 200);
    EXPECT_EQ(xwininfo(win, "Width"), 320);
    EXPECT_EQ(xwininfo(win, "Height"), 240);
}

// A window's position is its frame's, as a program stores it. Started as a program starts its
// main window (made off the screen, hidden, placed at the stored position, shown), a window
// stored at (10, 10) has its title bar there, keeps it through hiding and showing, follows the
// window manager's move, and opens again exactly where the user left it, restart after restart.
TEST_F(QtTest, FramePositionHoldsAcrossHidingMovesAndRestarts)
{
    const int style = Titled | Resizable | MenuBar | StatusBar;
    auto start = [&](int x, int y) {
        int w = CreateWindow(Str("Placed"), 0, -400, 320, 240, 0, style);
        QueryObject(w, 1);
        HideGadget(w);
        SetGadgetShape(w, x, y, 320, 240);
        ShowGadget(w);
        EXPECT_TRUE(synced(w));
        return w;
    };
    int win = start(10, 10);
    auto at = [&](int x, int y) {
        XFrame f = frameOf(win);
        EXPECT_EQ(f.x, x);
        EXPECT_EQ(f.y, y);
        EXPECT_EQ(GadgetX(win), x);
        EXPECT_EQ(GadgetY(win), y);
        EXPECT_EQ(GadgetWidth(win), f.width);
    };
    at(10, 10);
    for (int round = 0; round < 2; ++round) {
        HideGadget(win);
        ShowGadget(win);
        ASSERT_TRUE(synced(win));
        at(10, 10);
    }
    // The window manager moves it, as a pager or the user's drag asks it to.
    {
        Display* d = XOpenDisplay(nullptr);
        ASSERT_NE(d, nullptr);
        XEvent e {};
        e.xclient.type = ClientMessage;
        e.xclient.window = Window(unsigned(QueryObject(win, 1)));
        e.xclient.message_type = XInternAtom(d, "_NET_MOVERESIZE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = 1 | (1 << 8) | (1 << 9) | (2 << 12); // north-west gravity, x and y, from a pager
        e.xclient.data.l[1] = 200;
        e.xclient.data.l[2] = 150;
        XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XCloseDisplay(d);
    }
    while (GadgetX(win) != 200 || GadgetY(win) != 150)
        if (!waitFor(0x801, win, 3000))
            break;
    ASSERT_TRUE(synced(win));
    at(200, 150);
    // Exit and start again at the stored place, twice.
    for (int round = 0; round < 2; ++round) {
        int x = GadgetX(win), y = GadgetY(win);
        FreeGadget(win);
        win = start(x, y);
        at(200, 150);
    }
    keep(win);
}

TEST_F(QtTest, WindowManagerMoveSizeAndClose)
{
    int win = keep(CreateWindow(Str("Managed"), 50, 60, 300, 200, 0, Titled | Resizable));
    ASSERT_TRUE(shown(win));
    SeenEvent e {};
    auto move = user("xdotool windowmove " + xid(win) + " 300 250");
    ASSERT_TRUE(waitFor(0x801, win, 8000, &e));
    move.get();
    EXPECT_EQ(GadgetX(win), e.x);
    EXPECT_EQ(GadgetY(win), e.y);
    EXPECT_EQ(frameOf(win).x, e.x);

    auto size = user("xdotool windowsize " + xid(win) + " 420 330");
    ASSERT_TRUE(waitFor(0x802, win, 8000, &e));
    size.get();
    EXPECT_TRUE(until([&] { return ClientWidth(win) == 420 && ClientHeight(win) == 330; }));
    EXPECT_EQ(GadgetWidth(win), frameOf(win).width);
    EXPECT_EQ(GadgetHeight(win), frameOf(win).height);

    // The window manager's close (its close button, its Alt+F4): a request the program answers,
    // not a close.
    auto close = user("wmctrl -i -c " + xid(win));
    ASSERT_TRUE(waitFor(0x803, win));
    close.get();
    ASSERT_TRUE(synced(win));
    EXPECT_GT(xwininfo(win, "Width"), 0); // still there
}

TEST_F(QtTest, PrintKeyAndMenuFromTheKeyboard)
{
    int win = keep(CreateWindow(Str("Keys"), 80, 80, 300, 200, 0, Titled | MenuBar));
    int file = CreateMenu(Str("&File"), 0, WindowMenu(win));
    CreateMenu(Str("&Open"), 1, file);
    UpdateWindowMenu(win);
    ASSERT_TRUE(shown(win));
    SeenEvent e {};
    auto print = user("xdotool windowactivate --sync " + xid(win) + " key Print");
    ASSERT_TRUE(waitFor(0x102, win, 8000, &e));
    print.get();
    EXPECT_EQ(e.data, 183);

    auto menu = user("xdotool windowactivate --sync " + xid(win) + " key alt+f sleep 0.3 key Return");
    ASSERT_TRUE(waitFor(0x1001, 0, 8000, &e));
    menu.get();
    EXPECT_EQ(e.data, 1);
}

TEST_F(QtTest, MinimiseMaximiseAndRestoreFollowTheWindowManager)
{
    int win = keep(CreateWindow(Str("States"), 100, 100, 300, 200, 0, Titled | Resizable));
    ASSERT_TRUE(shown(win));
    // The commands only ask; the flags follow when the window manager reports the new state,
    // and the frame may follow after it.
    MaximizeWindow(win);
    ASSERT_TRUE(waitFor(0x802, win));
    ASSERT_TRUE(shown(win));
    EXPECT_EQ(WindowMaximized(win), 1);
    EXPECT_EQ(WindowMinimized(win), 0);
    EXPECT_TRUE(until([&] { return GadgetWidth(win) > 1000; })); // the 1280-pixel screen
    RestoreWindow(win);
    ASSERT_TRUE(waitFor(0x802, win));
    ASSERT_TRUE(shown(win));
    EXPECT_EQ(WindowMaximized(win), 0);
    EXPECT_TRUE(until([&] { return GadgetWidth(win) == 300; }));
    MinimizeWindow(win);
    ASSERT_TRUE(waitFor(0x802, win));
    EXPECT_EQ(WindowMinimized(win), 1);
    EXPECT_EQ(shell("xprop -id " + xid(win) + " WM_STATE | grep -c Iconic").substr(0, 1), "1");
    RestoreWindow(win);
    ASSERT_TRUE(waitFor(0x802, win));
    EXPECT_EQ(WindowMinimized(win), 0);
}

// A program's style words have one writer, the neutral window, whichever side changes them: a
// shared library through the desktop services, or the runtime. Without the sizing frame the
// window manager's resize leaves the window as it was; with it back the window follows again.
TEST_F(QtTest, StyleWordsReachTheWindowFromEitherSide)
{
    int win = keep(CreateWindow(Str("Styled"), 120, 90, 300, 200, 0, Titled | Resizable));
    ASSERT_TRUE(shown(win));
    KXWindow* window = kxHandle<KXWindow>(win, "Window Gadget");
    KXDesktopServices* ds = KXDesktopServices::current();
    ASSERT_NE(ds, nullptr);
    int handle = QueryObject(win, 1);
    QWidget* native = QWidget::find(WId(unsigned(handle)));
    ASSERT_NE(native, nullptr);
    int style = ds->windowLong(handle, -16);
    EXPECT_EQ(style & 0x10CF0000, 0x10CF0000) << std::hex << style;
    EXPECT_EQ(ds->windowLong(handle, -20), window->exStyleWord());

    int fixed = style & ~(KXWindow::SizingFrameBit | KXWindow::MaximizeBoxBit);
    EXPECT_EQ(ds->setWindowLong(handle, -16, fixed), style);
    EXPECT_EQ(window->windowLong(-16), fixed);
    EXPECT_FALSE(native->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(int(native->winId()), handle) << "the window keeps its native window";
    drain(300);
    const int width = xwininfo(win, "Width"), clientWidth = ClientWidth(win);
    ASSERT_GT(width, 0);
    user("xdotool windowsize " + xid(win) + " 420 330").get();
    drain(800);
    EXPECT_EQ(xwininfo(win, "Width"), width);
    EXPECT_EQ(ClientWidth(win), clientWidth);

    window->setWindowLong(-16, style);
    EXPECT_EQ(ds->windowLong(handle, -16), style);
    EXPECT_TRUE(native->windowFlags() & Qt::WindowMaximizeButtonHint);
    drain(300);
    auto size = user("xdotool windowsize " + xid(win) + " 420 330");
    ASSERT_TRUE(waitFor(0x802, win));
    size.get();
    EXPECT_TRUE(until([&] { return ClientWidth(win) == 420; }));
}

TEST_F(QtTest, TimerTicksArriveWhileWaiting)
{
    int timer = CreateTimer(50);
    int ticks = 0;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (ticks < 3 && std::chrono::steady_clock::now() < end)
        if (WaitEvent(-1) == 0x4001 && EventSource() == timer)
            ++ticks;
    FreeTimer(timer);
    EXPECT_EQ(ticks, 3);
}

TEST_F(QtTest, WaitEventTimesOutWithoutInput)
{
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitEvent(100), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
}

// The Qt platform's module list names each of its modules once, and each is registered.
TEST(QtModules, EveryListedModuleIsRegisteredOnce)
{
    std::set<std::string> seen;
    for (const char* name : QtModules::names()) {
        EXPECT_TRUE(seen.insert(name).second) << name << " listed twice";
        KXModule* m = KXModuleRegistry::global().find(name);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->platform(), KXPlatform::Qt) << name;
    }
    EXPECT_EQ(seen.size(), 11u);
}

TEST(QtDisplay, NoDisplayStopsWithAClearMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setenv("DISPLAY", ":999", 1);
            QtEventLoop::failWithoutDisplay();
        },
        ::testing::ExitedWithCode(1), "DISPLAY.*TROVA_PLATFORM=headless");
    // The check itself: a display number no server listens on does not open.
    std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":999", 1);
    EXPECT_FALSE(QtEventLoop::displayAvailable());
    unsetenv("DISPLAY");
    EXPECT_FALSE(QtEventLoop::displayAvailable());
    setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_TRUE(QtEventLoop::displayAvailable());
}
