// Window queries: another program's window as the foreground window, with the frame and client
// rectangles xwininfo reports; the program's own windows; titles; windows that go away.
#include "tests/x11/X11TestSupport.h"

#include "graphics/KXPixelFormat.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <X11/Xlib.h>
#include <signal.h>

#include <chrono>
#include <thread>
#include <vector>

namespace {

// A number xwininfo prints after label, or -1.
int xwininfoValue(const QByteArray& text, const QString& label)
{
    QRegularExpression re(QRegularExpression::escape(label) + ":\\s*(-?\\d+)");
    QRegularExpressionMatch m = re.match(QString::fromUtf8(text));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QByteArray xwininfo(const QStringList& args)
{
    QByteArray out;
    x11test::run("xwininfo", args, &out);
    return out;
}

}

TEST(Windows, AForeignWindowIsTheForegroundWindowWithTheFrameAndClientXwininfoReports)
{
    REQUIRE_SERVICES();
    if (!x11test::hasWindowManager())
        GTEST_SKIP() << "needs a window manager";
    x11test::ForeignWindow other("Foreign Frame Test", 140, 90);
    ASSERT_NE(other.id(), 0);
    ASSERT_TRUE(other.activate());
    QtDesktopServices& s = *x11test::services();
    EXPECT_EQ(s.foregroundWindow(), other.id());

    KXDesktopWindowInfo info;
    ASSERT_TRUE(s.windowInfo(other.id(), info));
    QByteArray client = xwininfo({ "-frame", "-id", QString::number(other.id()) });
    int absX = xwininfoValue(client, "Absolute upper-left X"), absY = xwininfoValue(client, "Absolute upper-left Y");
    int relX = xwininfoValue(client, "Relative upper-left X"), relY = xwininfoValue(client, "Relative upper-left Y");
    EXPECT_EQ(info.client.x, absX);
    EXPECT_EQ(info.client.y, absY);
    EXPECT_EQ(info.client.width, xwininfoValue(client, "Width"));
    EXPECT_EQ(info.client.height, xwininfoValue(client, "Height"));
    // The frame: where xwininfo -frame puts the window manager's frame, as big as that frame.
    EXPECT_EQ(info.frame.x, absX - relX);
    EXPECT_EQ(info.frame.y, absY - relY);
    QByteArray tree = xwininfo({ "-children", "-id", QString::number(other.id()) });
    QRegularExpressionMatch parent = QRegularExpression("Parent window id: (0x[0-9a-f]+)").match(QString::fromUtf8(tree));
    ASSERT_TRUE(parent.hasMatch());
    QByteArray frame = xwininfo({ "-id", parent.captured(1) });
    EXPECT_EQ(info.frame.width, xwininfoValue(frame, "Width"));
    EXPECT_EQ(info.frame.height, xwininfoValue(frame, "Height"));
    EXPECT_GT(info.frame.height, info.client.height);

    EXPECT_FALSE(info.isProgram);
    EXPECT_EQ(info.title, "Foreign Frame Test");
    EXPECT_EQ(info.style & 0x10C00000, 0x10C00000) << "visible, with a caption";
    EXPECT_EQ(info.exStyle, 0x100);
    EXPECT_EQ(s.windowLong(other.id(), -16), info.style);
    EXPECT_EQ(s.windowLong(other.id(), -20), info.exStyle);
    EXPECT_EQ(s.windowLong(other.id(), -4), 0);
    // Another program's window keeps its styles and takes no icon.
    EXPECT_EQ(s.setWindowLong(other.id(), -16, 0), info.style);
    EXPECT_EQ(s.windowLong(other.id(), -16), info.style);
    EXPECT_FALSE(s.setWindowIcon(other.id(), "/nonexistent.png"));
}

TEST(Windows, WithoutAWindowManagerTheFocussedTopLevelIsTheForegroundWindow)
{
    REQUIRE_SERVICES();
    if (x11test::hasWindowManager())
        GTEST_SKIP() << "needs a display without a window manager";
    x11test::ForeignWindow other("Focus Test", 100, 100);
    ASSERT_NE(other.id(), 0);
    Display* d = x11test::display();
    // The focus on one of the window's inner windows still names the top level.
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    ASSERT_TRUE(XQueryTree(d, Window(other.id()), &root, &parent, &children, &count));
    Window inner = count ? children[0] : Window(other.id());
    if (children)
        XFree(children);
    XSetInputFocus(d, inner, RevertToParent, CurrentTime);
    XSync(d, False);
    EXPECT_EQ(x11test::services()->foregroundWindow(), other.id());
    XSetInputFocus(d, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(d, False);
    EXPECT_EQ(x11test::services()->foregroundWindow(), 0);

    // Without decorations the frame is the window itself with its border (xwininfo's absolute
    // corner is the border's).
    KXDesktopWindowInfo info;
    ASSERT_TRUE(x11test::services()->windowInfo(other.id(), info));
    QByteArray text = xwininfo({ "-id", QString::number(other.id()) });
    int border = xwininfoValue(text, "Border width");
    EXPECT_EQ(info.frame.x, xwininfoValue(text, "Absolute upper-left X"));
    EXPECT_EQ(info.frame.y, xwininfoValue(text, "Absolute upper-left Y"));
    EXPECT_EQ(info.client.x, info.frame.x + border);
    EXPECT_EQ(info.client.width, xwininfoValue(text, "Width"));
    EXPECT_EQ(info.frame.width, xwininfoValue(text, "Width") + 2 * border);
    EXPECT_EQ(info.frame.height, xwininfoValue(text, "Height") + 2 * border);
    EXPECT_EQ(unsigned(info.style) & 0x80C00000u, 0x80000000u) << "a popup, not a captioned window";
}

TEST(Windows, FindWindowByExactTitleAndWindowsThatGoAway)
{
    REQUIRE_SERVICES();
    QtDesktopServices& s = *x11test::services();
    int id = 0;
    {
        x11test::ForeignWindow other("Exact Title", 300, 300);
        id = other.id();
        ASSERT_NE(id, 0);
        EXPECT_EQ(s.findWindow("Exact Title"), id);
        EXPECT_EQ(s.findWindow("Exact"), 0);
        EXPECT_EQ(s.findWindow("exact title"), 0);
    }
    ASSERT_TRUE(x11test::waitFor([&] { return s.findWindow("Exact Title") == 0; }));
    KXDesktopWindowInfo info;
    info.title = "unchanged";
    ASSERT_TRUE(x11test::waitFor([&] { return !s.windowInfo(id, info); }));
    EXPECT_EQ(info.title, "unchanged");
    EXPECT_EQ(s.windowLong(id, -16), 0);
    EXPECT_FALSE(s.windowInfo(0, info));
    EXPECT_FALSE(s.windowInfo(-5, info));
}

TEST(Windows, TheProgramsOwnWindowAnswersWithItsNativeHandle)
{
    REQUIRE_SERVICES();
    QtDesktopServices& s = *x11test::services();
    QWidget window;
    window.setWindowTitle("Own Window");
    window.resize(320, 200);
    window.move(60, 60);
    window.show();
    int handle = int(window.winId());
    ASSERT_TRUE(x11test::waitFor([&] {
        KXDesktopWindowInfo info;
        return s.windowInfo(handle, info) && (info.style & 0x10000000);
    }));
    EXPECT_EQ(s.findWindow("Own Window"), handle);
    KXDesktopWindowInfo info;
    ASSERT_TRUE(s.windowInfo(handle, info));
    EXPECT_TRUE(info.isProgram);
    EXPECT_EQ(info.client.width, 320);
    EXPECT_EQ(info.client.height, 200);
    if (x11test::hasWindowManager()) {
        window.activateWindow();
        x11test::run("xdotool", { "windowactivate", "--sync", QString::number(handle) });
        EXPECT_TRUE(x11test::waitFor([&] { return s.foregroundWindow() == handle; }));
    }

    // The style word shows the title bar's parts.
    int style = s.windowLong(handle, -16);
    EXPECT_EQ(style & 0x10CF0000, 0x10CF0000) << std::hex << style;
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowSystemMenuHint);
    window.setFixedSize(320, 200);
    window.show();
    handle = int(window.winId());
    ASSERT_TRUE(x11test::waitFor([&] { return s.windowLong(handle, -16) & 0x10000000; }));
    style = s.windowLong(handle, -16);
    EXPECT_EQ(style & 0x10CF0000, 0x10C80000) << "caption and system menu only: " << std::hex << style;

    // Style words set by the program read back and drive the title bar's buttons.
    EXPECT_EQ(s.setWindowLong(handle, -16, (style | 0x80000) & ~0x20000), style);
    EXPECT_EQ(s.windowLong(handle, -16), (style | 0x80000) & ~0x20000);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    s.setWindowLong(handle, -16, style | 0xA0000);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(int(window.winId()), handle) << "the window keeps its native window";
    int exStyle = s.windowLong(handle, -20);
    EXPECT_EQ(s.setWindowLong(handle, -20, 0x40000), exStyle);
    EXPECT_EQ(s.windowLong(handle, -20), 0x40000);

    // Icons: a picture file sets one; a missing or unreadable file does not.
    QTemporaryDir dir;
    QString png = dir.filePath("icon.png"), junk = dir.filePath("junk.ico");
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(0xFF3366CCu);
    ASSERT_TRUE(icon.save(png));
    QFile bad(junk);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not an icon");
    bad.close();
    EXPECT_TRUE(s.setWindowIcon(handle, png.toStdString()));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(s.setWindowIcon(handle, junk.toStdString()));
    EXPECT_FALSE(s.setWindowIcon(handle, dir.filePath("missing.png").toStdString()));
}

// Once the program's window is hidden and the wait is over, the screen shows nothing of it: not
// its client, and not the window manager's frame, which goes away in the manager's own time.
TEST(Windows, AHiddenWindowHasLeftTheScreenWithItsFrameAfterTheWait)
{
    REQUIRE_SERVICES();
    QtDesktopServices& s = *x11test::services();
    x11test::run("xsetroot", { "-solid", "#102030" });
    QWidget window;
    window.setWindowTitle("Hidden Window");
    window.setStyleSheet("background: #E0C040");
    window.setAutoFillBackground(true);
    window.resize(200, 120);
    window.move(40, 40);
    window.show();
    const int handle = int(window.winId());
    ASSERT_TRUE(x11test::waitFor([&] { return s.isOnScreen(handle); }));
    KXDesktopWindowInfo info;
    ASSERT_TRUE(x11test::waitFor([&] { return s.windowInfo(handle, info) && info.frame.width >= 200; }));
    EXPECT_TRUE(s.isOnScreen(handle));

    // The window manager of this display is held still while the window hides, and let go a
    // moment later: its frame stays on the screen until then.
    QByteArray out;
    x11test::run("xprop", { "-root", "_OPENBOX_PID" }, &out);
    QRegularExpressionMatch wm = QRegularExpression("= (\\d+)").match(QString::fromUtf8(out));
    const pid_t manager = wm.hasMatch() ? pid_t(wm.captured(1).toInt()) : 0;
    if (manager > 0)
        kill(manager, SIGSTOP);
    std::thread release([manager] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        if (manager > 0)
            kill(manager, SIGCONT);
    });
    window.hide();
    s.awaitOffScreen(handle, 5000);
    EXPECT_FALSE(s.isOnScreen(handle));
    std::vector<uint32_t> pixels(size_t(info.frame.width) * size_t(info.frame.height));
    ASSERT_TRUE(s.readScreen(info.frame, reinterpret_cast<uint8_t*>(pixels.data()), info.frame.width * 4, 4));
    // The background as the screen holds it (at 16 bits, 5-6-5 widened back).
    Display* d = x11test::display();
    const uint32_t background = (DefaultDepth(d, DefaultScreen(d)) == 16 ? kxpf::roundTrip(kxpf::RGB565, 0xFF102030) : 0x102030) & 0xFFFFFF;
    size_t left = 0;
    for (uint32_t p : pixels)
        left += (p & 0xFFFFFF) != background;
    EXPECT_EQ(left, 0u) << "pixels of the window or its frame still on the screen";
    EXPECT_FALSE(s.isOnScreen(0));
    release.join();
}
