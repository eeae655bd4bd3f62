// The desktop-services contract as the shared libraries see it, on the headless desktop: the
// screen, top-level windows and their longs, the global keyboard, synthetic keys and the
// clipboard's picture, with the scripted user's clipboard verbs.
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "gui/KXDesktopServices.h"
#include "gui/KXVirtualKeys.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/support/KXTempDir.h"

#include <cstdio>
#include <cstring>

KX_STDCALL int QueryObject(int object, int query);

namespace {
class DesktopTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        ds().emptyClipboard();
    }
    void TearDown() override
    {
        ds().emptyClipboard();
        GuiTest::TearDown();
    }
    static KXDesktopServices& ds() { return *KXDesktopServices::current(); }
    // Runs the script lines now.
    static void act(const std::vector<std::string>& lines)
    {
        HeadlessScript::instance().addLines(lines);
        while (!HeadlessScript::instance().isFinished())
            PeekEvent();
    }
    static KXClipPicture picture(int w, int h, uint32_t seed)
    {
        KXClipPicture p;
        p.width = w;
        p.height = h;
        for (int i = 0; i < w * h; ++i)
            p.argb.push_back(0xff000000u | (seed * 2654435761u + uint32_t(i) * 40503u) >> 8);
        return p;
    }
};
}

TEST_F(DesktopTest, ServicesRunWithTheGuiAndExportThemselves)
{
    ASSERT_NE(KXDesktopServices::current(), nullptr);
    EXPECT_EQ(trovaDesktopServices(), KXDesktopServices::current());
}

TEST_F(DesktopTest, ScreenSizeAndPixels)
{
    act({ "desktop-image \"" KX_TEST_INPUTS "/images/rgb4x2.png\"" });
    EXPECT_EQ(ds().screenWidth(), 4);
    EXPECT_EQ(ds().screenHeight(), 2);
    KXRef<KXPixmap> file(KXImageLoader::load(KX_TEST_INPUTS "/images/rgb4x2.png"));
    uint32_t row[3] {};
    ASSERT_TRUE(ds().readScreen({ 1, 1, 3, 1 }, reinterpret_cast<uint8_t*>(row), 12, 4));
    const auto* filePixels = reinterpret_cast<const uint32_t*>(file->row(1));
    for (int x = 0; x < 3; ++x)
        EXPECT_EQ(row[x] & 0xffffff, filePixels[x + 1] & 0xffffff) << "x " << x;
    // A rectangle leaving the screen is refused and leaves the buffer alone.
    uint32_t untouched[3] { 7, 7, 7 };
    EXPECT_FALSE(ds().readScreen({ 2, 0, 3, 1 }, reinterpret_cast<uint8_t*>(untouched), 12, 4));
    EXPECT_EQ(untouched[0], 7u);
    act({ "desktop 640 480" });
    EXPECT_EQ(ds().screenWidth(), 640);
}

TEST_F(DesktopTest, TopLevelWindowsTheirLongsAndTheForeground)
{
    int win = window("Mine", 10, 20, 300, 200);
    int mine = QueryObject(win, 1);
    act({ "window calc \"Other\" 100 100 200 150 104 130 192 116 0x8" });
    EXPECT_EQ(ds().foregroundWindow(), mine);
    EXPECT_EQ(ds().findWindow("Mine"), mine);
    int other = ds().findWindow("Other");
    EXPECT_NE(other, 0);
    EXPECT_EQ(ds().findWindow("Nobody"), 0);

    KXDesktopWindowInfo info;
    ASSERT_TRUE(ds().windowInfo(mine, info));
    EXPECT_TRUE(info.isProgram);
    EXPECT_EQ(info.title, "Mine");
    EXPECT_EQ(info.frame, (KXRect { 10, 20, 300, 200 }));
    EXPECT_EQ(info.style & 0x10000000, 0x10000000); // shown
    ASSERT_TRUE(ds().windowInfo(other, info));
    EXPECT_FALSE(info.isProgram);
    EXPECT_EQ(info.client, (KXRect { 104, 130, 192, 116 }));
    EXPECT_EQ(info.exStyle, 8);
    EXPECT_FALSE(ds().windowInfo(0x7777, info));

    int style = ds().windowLong(mine, -16);
    EXPECT_EQ(ds().setWindowLong(mine, -16, style & ~0x20000), style);
    EXPECT_EQ(ds().windowLong(mine, -16), style & ~0x20000);
    EXPECT_EQ(ds().windowLong(mine, -20), kxHandle<KXWindow>(win, "Window Gadget")->exStyleWord());
    EXPECT_EQ(ds().setWindowLong(other, -20, 0x40000), 8);
    EXPECT_EQ(ds().windowLong(other, -20), 0x40000);
    EXPECT_EQ(ds().windowLong(0x7777, -16), 0);
    EXPECT_EQ(ds().setWindowLong(mine, -4, 1), 0);

    act({ "activate calc" });
    EXPECT_EQ(ds().foregroundWindow(), other);
}

// A program's style words have one writer, the neutral window: a change a shared library makes
// through the desktop services and one the runtime makes read the same from either side and
// reach the platform through the same native apply.
TEST_F(DesktopTest, StyleWordsOfProgramWindowsHaveOneWriter)
{
    int win = window("Styled", 10, 20, 300, 200, 3);
    KXWindow* w = kxHandle<KXWindow>(win, "Window Gadget");
    int handle = QueryObject(win, 1);
    sys().log().clearCalls();

    int style = ds().windowLong(handle, -16);
    EXPECT_EQ(style, w->windowLong(-16));
    EXPECT_EQ(ds().setWindowLong(handle, -16, style & ~KXWindow::SizingFrameBit), style);
    EXPECT_EQ(w->windowLong(-16), style & ~KXWindow::SizingFrameBit);
    ASSERT_EQ(sys().log().calls().size(), 1u);
    char expected[96];
    std::snprintf(expected, sizeof expected, "SetWindowLong \"Styled\" 0x%x 0x100", unsigned(style & ~KXWindow::SizingFrameBit));
    EXPECT_EQ(sys().log().calls().back(), expected);

    EXPECT_EQ(w->setWindowLong(-20, 0x40100), 0x100);
    EXPECT_EQ(ds().windowLong(handle, -20), 0x40100);
    KXDesktopWindowInfo info;
    ASSERT_TRUE(ds().windowInfo(handle, info));
    EXPECT_EQ(info.style, style & ~KXWindow::SizingFrameBit);
    EXPECT_EQ(info.exStyle, 0x40100);
    std::snprintf(expected, sizeof expected, "SetWindowLong \"Styled\" 0x%x 0x40100", unsigned(style & ~KXWindow::SizingFrameBit));
    EXPECT_EQ(sys().log().calls().back(), expected);

    // Indices other than the two style words change nothing and apply nothing.
    EXPECT_EQ(ds().setWindowLong(handle, -21, 5), 0);
    EXPECT_EQ(sys().log().calls().size(), 2u);
}

TEST_F(DesktopTest, GlobalKeysAndSyntheticKeys)
{
    window("Keys");
    act({ "key down 0x1e" }); // A
    EXPECT_TRUE(ds().isKeyDown('A'));
    EXPECT_TRUE(ds().takeKeyPressed('A'));
    EXPECT_FALSE(ds().takeKeyPressed('A')); // the query cleared it
    EXPECT_TRUE(ds().isKeyDown('A'));
    act({ "key up 0x1e" });
    EXPECT_FALSE(ds().isKeyDown('A'));
    queue().reset();

    // A synthetic key reaches the program as typed keys do.
    ds().sendKey('B', true);
    ds().sendKey('B', false);
    EXPECT_EQ(WaitEvent(0), 0x101);
    EXPECT_EQ(EventData(), 0x30);
    EXPECT_EQ(WaitEvent(0), 0x103);
    EXPECT_EQ(EventData(), 'b');
    EXPECT_EQ(WaitEvent(0), 0x102);
    EXPECT_TRUE(ds().takeKeyPressed('B'));
}

TEST_F(DesktopTest, PrintScreenPutsTheScreenOrTheForegroundWindowOnTheClipboard)
{
    act({ "desktop 64 48", "window w \"W\" 10 5 20 30 12 20 16 13 0", "foreground w" });
    EXPECT_FALSE(ds().hasClipboardPicture());
    ds().sendKey(kxvk::PrintScreen, true);
    ds().sendKey(kxvk::PrintScreen, false);
    KXClipPicture shot;
    ASSERT_TRUE(ds().clipboardPicture(shot));
    EXPECT_EQ(shot.width, 64);
    EXPECT_EQ(shot.height, 48);

    ds().sendKey(kxvk::Alt, true);
    ds().sendKey(kxvk::PrintScreen, true);
    ds().sendKey(kxvk::PrintScreen, false);
    ds().sendKey(kxvk::Alt, false);
    ASSERT_TRUE(ds().clipboardPicture(shot));
    EXPECT_EQ(shot.width, 20);
    EXPECT_EQ(shot.height, 30);
}

TEST_F(DesktopTest, TheClipboardHoldsOnePicture)
{
    KXClipPicture first = picture(5, 3, 1), second = picture(2, 7, 2), out;
    EXPECT_FALSE(ds().clipboardPicture(out));
    ASSERT_TRUE(ds().putClipboardPicture(first));
    ASSERT_TRUE(ds().putClipboardPicture(second));
    ASSERT_TRUE(ds().clipboardPicture(out));
    EXPECT_EQ(out.width, 2);
    EXPECT_EQ(out.argb, second.argb);

    // A malformed picture is refused and the held one stays.
    KXClipPicture bad = picture(4, 4, 3);
    bad.argb.pop_back();
    EXPECT_FALSE(ds().putClipboardPicture(bad));
    EXPECT_FALSE(ds().putClipboardPicture(KXClipPicture {}));
    ASSERT_TRUE(ds().clipboardPicture(out));
    EXPECT_EQ(out.argb, second.argb);

    ds().emptyClipboard();
    EXPECT_FALSE(ds().hasClipboardPicture());
    out = first;
    EXPECT_FALSE(ds().clipboardPicture(out));
    EXPECT_EQ(out.argb, first.argb); // unchanged
}

TEST_F(DesktopTest, ScriptVerbsPutAPictureFileOnTheClipboardAndSaveIt)
{
    KXTempDir dir;
    act({ "clipboard put \"" KX_TEST_INPUTS "/images/rgb4x2.png\"" });
    KXClipPicture held;
    ASSERT_TRUE(ds().clipboardPicture(held));
    KXRef<KXPixmap> file(KXImageLoader::load(KX_TEST_INPUTS "/images/rgb4x2.png"));
    ASSERT_EQ(held.width, 4);
    ASSERT_EQ(held.height, 2);
    EXPECT_EQ(std::memcmp(held.argb.data(), file->row(0), 16), 0);

    act({ "clipboard save \"" + (dir / "held.bmp") + "\"" });
    KXRef<KXPixmap> saved(KXImageLoader::load(dir / "held.bmp"));
    ASSERT_TRUE(saved);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(std::memcmp(saved->row(y), file->row(y), 16), 0) << "row " << y;

    // A file that is no picture leaves the clipboard as it was; an empty clipboard saves nothing.
    act({ "clipboard put \"" KX_TEST_INPUTS "/images/broken.png\"" });
    EXPECT_TRUE(ds().hasClipboardPicture());
    act({ "clipboard empty", "clipboard save \"" + (dir / "none.bmp") + "\"" });
    EXPECT_FALSE(ds().hasClipboardPicture());
    EXPECT_FALSE(std::filesystem::exists(dir / "none.bmp"));
}
