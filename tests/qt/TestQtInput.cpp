// Keys and clicks on a real X server as a user gives them with xdotool: none lost right after a
// window shows or gets the keyboard back, and Esc the program's unless it closes a menu.
#include "tests/qt/QtTestSupport.h"

#include "gui/qt/QtButton.h"
#include "gui/qt/QtWindow.h"

#include <QApplication>
#include <QMenuBar>

namespace {
constexpr int Titled = 1, MenuBar = 4;
constexpr int KeyDown = 0x101, KeyUp = 0x102, CancelKey = 0x105, RawEsc = 1, RawPrint = 183;

std::string at(const QPoint& p) { return std::to_string(p.x()) + " " + std::to_string(p.y()); }

QPoint buttonMiddle(int button)
{
    auto* b = dynamic_cast<QtButton*>(kxHandle<KXGadget>(button, "Button Gadget"));
    return b ? b->widget()->mapToGlobal(QPoint(8, b->widget()->height() / 2)) : QPoint(-1, -1);
}

}

class QtInputTest : public QtTest {
protected:
    // Takes events (kept in seen()) until cond holds, at most the scaled limit.
    template<class Cond>
    static bool untilSeen(Cond cond)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(8000));
        while (!cond() && std::chrono::steady_clock::now() < end)
            if (WaitEvent(10))
                m_seen().push_back({ EventID(), EventData(), EventX(), EventY(), EventSource() });
        return cond();
    }
    static bool seenKey(int id, int raw)
    {
        for (const SeenEvent& e : m_seen())
            if (e.id == id && e.data == raw)
                return true;
        return false;
    }
};

// The first click into a window the moment it shows, and the first key after another program had
// the keyboard and the window manager gave it back, each reach the program, round after round.
TEST_F(QtInputTest, FirstClickAndKeyAfterShowingOrActivationArrive)
{
    for (int round = 0; round < 3; ++round) {
        int win = CreateWindow(Str("Arrivals"), 60 + 20 * round, 60, 320, 200, 0, Titled | MenuBar);
        int box = CreateButton(Str("Check"), 20, 20, 120, 24, win, 2);
        auto click = user("xdotool search --sync --onlyvisible --name '^Arrivals$' >/dev/null; xdotool mousemove --sync "
            + at(buttonMiddle(box)) + " click 1");
        ASSERT_TRUE(waitFor(0x401, box)) << "round " << round;
        click.get();

        std::string other = shell("xmessage -title Elsewhere elsewhere >/dev/null 2>&1 & echo $!");
        auto away = user("xdotool search --sync --onlyvisible --name '^Elsewhere$' windowactivate --sync");
        ASSERT_TRUE(waitFor(0x2001)) << "round " << round; // the program lost the keyboard
        away.get();
        auto back = user("xdotool windowactivate --sync " + xid(win) + " key Print");
        SeenEvent e {};
        ASSERT_TRUE(waitFor(KeyUp, win, 8000, &e)) << "round " << round;
        back.get();
        EXPECT_EQ(e.data, RawPrint);
        std::system(("kill " + other).c_str());
        FreeGadget(win);
        drain(0);
    }
}

// Esc is the program's key like Print Screen, also after a click on a radio button when the
// program hands the window the focus back (ActivateGadget, as its loop does after every gadget
// action). An Esc that closes an open menu is the menu's: neither its press nor its release
// reaches the program.
TEST_F(QtInputTest, EscIsTheWindowsUnlessItClosesAMenu)
{
    int win = keep(CreateWindow(Str("Escapes"), 80, 80, 320, 220, 0, Titled | MenuBar));
    int file = CreateMenu(Str("&File"), 0, WindowMenu(win));
    CreateMenu(Str("&Open"), 1, file);
    UpdateWindowMenu(win);
    int radio = CreateButton(Str("Radio"), 20, 20, 120, 24, win, 3);
    CreateButton(Str("Other"), 20, 50, 120, 24, win, 3);
    ASSERT_TRUE(shown(win));

    auto click = user("xdotool mousemove --sync " + at(buttonMiddle(radio)) + " click 1");
    ASSERT_TRUE(waitFor(0x401, radio));
    click.get();
    ActivateGadget(win);
    auto esc = user("xdotool key Escape");
    SeenEvent e {};
    ASSERT_TRUE(waitFor(KeyUp, win, 8000, &e));
    esc.get();
    EXPECT_EQ(e.data, RawEsc);
    EXPECT_FALSE(seenKey(CancelKey, 0)) << "Esc taken as the dialog's Cancel";

    // The user opens File with a click and closes it with Esc; a second Esc leaves the menu bar,
    // which kept the keyboard; then the user presses Print.
    QMenuBar* bar = dynamic_cast<QtWindow*>(kxHandle<KXWindow>(win, "Window Gadget"))->nativeWindow()->menuBar();
    QPoint title = bar->mapToGlobal(bar->actionGeometry(bar->actions().at(0)).center());
    m_seen().clear();
    auto open = user("xdotool mousemove --sync " + at(title) + " click 1");
    ASSERT_TRUE(untilSeen([] { return QApplication::activePopupWidget() != nullptr; }));
    open.get();
    auto close = user("xdotool key Escape");
    ASSERT_TRUE(untilSeen([] { return QApplication::activePopupWidget() == nullptr; }));
    close.get();
    auto leave = user("xdotool key Escape");
    ASSERT_TRUE(untilSeen([] { return !qobject_cast<QMenuBar*>(QApplication::focusWidget()); }));
    leave.get();
    auto print = user("xdotool windowactivate --sync " + xid(win) + " key Print");
    ASSERT_TRUE(waitFor(KeyUp, win, 8000, &e));
    print.get();
    EXPECT_EQ(e.data, RawPrint);
    EXPECT_FALSE(seenKey(KeyDown, RawEsc) || seenKey(KeyUp, RawEsc)) << "the menu's Esc reached the program";
}
