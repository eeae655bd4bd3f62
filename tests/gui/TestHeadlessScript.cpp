// The scripted user: a whole session driven by a script file, and the individual actions.
#include "graphics/GraphicsCommands.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "graphics/headless/HeadlessScreen.h"
#include "gui/headless/HeadlessWidget.h"
#include "tests/gui/GuiTestSupport.h"

#include <cstdio>
#include <fstream>
#include <unistd.h>

namespace {
class ClickMe final : public KXGadget
    , public HeadlessWidget {
public:
    using KXGadget::KXGadget;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
    bool userClick() override
    {
        emit(KXEventId::GadgetAction, ++m_clicks);
        return true;
    }

private:
    int m_clicks { 0 };
};

std::string writeScript(const std::string& text)
{
    std::string path = "/tmp/trova-script-" + std::to_string(getpid()) + ".txt";
    std::ofstream(path) << text;
    return path;
}
}

TEST_F(GuiTest, ScriptedSessionAgainstCommands)
{
    int win = CreateWindow(Str("Pictorra"), 100, 100, 400, 300, 0, 15);
    int file = CreateMenu(Str("File"), 0, WindowMenu(win));
    CreateMenu(Str("Options"), 5, file);
    CreateMenu(Str(""), 0, file);
    CreateMenu(Str("Exit"), 6, file);
    UpdateWindowMenu(win);
    FlushEvents(-1, 0);

    std::string path = writeScript("# a short session\n"
                                   "wait 10\n"
                                   "menu 5\n"
                                   "key down 183\n"
                                   "key up 183\n"
                                   "\n"
                                   "close \"Pictorra\"\n"
                                   "wait 10\n"
                                   "quit\n");
    ASSERT_TRUE(HeadlessScript::instance().loadFile(path));
    std::remove(path.c_str());

    EXPECT_EQ(WaitEvent(-1), 0x2004);
    EXPECT_EQ(WaitEvent(-1), 0x2005);
    EXPECT_EQ(WaitEvent(-1), 0x1001);
    EXPECT_EQ(EventData(), 5);
    EXPECT_EQ(WaitEvent(-1), 0x101);
    EXPECT_EQ(EventData(), 183);
    EXPECT_EQ(EventSource(), win);
    EXPECT_EQ(WaitEvent(-1), 0x102);
    EXPECT_EQ(EventData(), 183);
    EXPECT_EQ(WaitEvent(-1), 0x803);
    EXPECT_EQ(EventSource(), win);
    EXPECT_EQ(KX_ERROR_OF(WaitEvent(-1)), "<end>");
}

TEST_F(GuiTest, ScriptFileFromTheEnvironment)
{
    int win = window("Env");
    std::string path = writeScript("close \"Env\"\n");
    setenv("TROVA_HEADLESS_SCRIPT", path.c_str(), 1);
    HeadlessScript::instance().loadFromEnvironment();
    unsetenv("TROVA_HEADLESS_SCRIPT");
    std::remove(path.c_str());
    EXPECT_EQ(WaitEvent(-1), 0x803);
    EXPECT_EQ(EventSource(), win);
}

TEST_F(GuiTest, TheWindowManagerKnowsEveryTopLevelWindow)
{
    int win = window("VXPictorra", 50, 60, 300, 200, 15);
    int handle = hw(win)->nativeHandle();
    EXPECT_EQ(hw(win)->query(1), handle);
    EXPECT_EQ(hw(win)->query(2), handle);
    EXPECT_EQ(sys().world().findWindow("VXPictorra"), handle);
    EXPECT_EQ(sys().world().foregroundHandle(), handle);
    int style = sys().world().windowLong(handle, -16);
    EXPECT_NE(style & 0x10000000, 0); // visible
    sys().world().setWindowLong(handle, -16, style | 0x20000 | 0x80000);
    EXPECT_EQ(sys().world().windowLong(handle, -16), style | 0x20000 | 0x80000);

    HeadlessScript::instance().addLines({ "window 7 \"Notes\" 10 20 300 200 14 45 292 171 0x100", "activate 7" });
    EXPECT_EQ(WaitEvent(-1), 0x2001);
    HeadlessWindowInfo info;
    ASSERT_TRUE(sys().world().windowInfo(sys().world().foregroundHandle(), info));
    EXPECT_EQ(info.title, "Notes");
    EXPECT_EQ(info.client, (KXRect { 14, 45, 292, 171 }));
    EXPECT_FALSE(info.isProgram);
    ASSERT_TRUE(sys().world().windowInfo(handle, info));
    EXPECT_EQ(info.frame, (KXRect { 50, 60, 300, 200 }));
    EXPECT_EQ(info.client.x, 50 + HeadlessWindow::SizingBorder);
    EXPECT_FALSE(sys().world().windowInfo(12345, info));
}

TEST_F(GuiTest, ScriptBuildsTheVirtualDesktop)
{
    HeadlessScript::instance().addLines({
        "desktop 800 600",
        "window 42 \"Text \\\"editor\\\"\" 10 20 300 200 14 45 292 171 0x100",
        "foreground 42",
        "key down 183",
    });
    int win = window("Program");
    EXPECT_EQ(WaitEvent(50), 0); // keys go to the foreground window, not the program
    EXPECT_EQ(ClientWidth(Desktop()), 800);
    EXPECT_EQ(HeadlessScreen::instance().height(), 600);
    const HeadlessForeignWindow* w = sys().world().foreignWindow("42");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->title, "Text \"editor\"");
    EXPECT_EQ(w->frame, (KXRect { 10, 20, 300, 200 }));
    EXPECT_EQ(w->client, (KXRect { 14, 45, 292, 171 }));
    EXPECT_EQ(w->exStyle, 0x100);
    EXPECT_EQ(sys().world().foregroundForeign(), "42");
    EXPECT_TRUE(sys().world().isKeyDown(183));
    EXPECT_TRUE(sys().world().takeKeyPressed(183));
    EXPECT_FALSE(sys().world().takeKeyPressed(183));

    HeadlessScript::instance().addLines({ "foreground program", "key up 183" });
    EXPECT_EQ(WaitEvent(-1), 0x102);
    EXPECT_EQ(EventSource(), win);
    sys().world().setDesktopSize(1024, 768);
}

TEST_F(GuiTest, DesktopImageIsWhatDesktopReadsSee)
{
    const std::string path = KX_TEST_INPUTS "/images/rgb4x2.png";
    KXRef<KXPixmap> picture(KXImageLoader::load(path));
    ASSERT_TRUE(picture);
    HeadlessScript::instance().addLine("desktop-image \"" + path + "\"");
    EXPECT_EQ(WaitEvent(20), 0);
    ASSERT_EQ(ClientWidth(Desktop()), 4);
    ASSERT_EQ(ClientHeight(Desktop()), 2);

    int desktop = DesktopBuffer();
    int shot = CreateImage(4, 2, 1, 2);
    CopyRect(0, 0, 4, 2, 0, 0, desktop, ImageBuffer(shot, 0));
    LockBuffer(desktop);
    LockBuffer(ImageBuffer(shot, 0));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            const uint32_t want = reinterpret_cast<const uint32_t*>(picture->row(y))[x];
            EXPECT_EQ(uint32_t(ReadPixelFast(x, y, desktop)), want) << x << "," << y;
            EXPECT_EQ(uint32_t(ReadPixelFast(x, y, ImageBuffer(shot, 0))), want) << x << "," << y;
        }
    }
    UnlockBuffer(ImageBuffer(shot, 0));
    UnlockBuffer(desktop);
    FreeImage(shot);
    sys().world().setDesktopSize(1024, 768);
}

TEST_F(GuiTest, ScriptClicksGadgetsByText)
{
    int win = window("Buttons");
    auto* button = new ClickMe(kxHandle<KXGroup>(win, "Group Gadget"), 0);
    button->completeCreation(0, 0, 80, 20, Str("Capture"));
    HeadlessScript::instance().addLines({ "click \"Nothing\"", "click \"Capture\"", "click \"Capture\"" });
    EXPECT_EQ(WaitEvent(-1), 0x401);
    EXPECT_EQ(EventSource(), kxToHandle(button));
    EXPECT_EQ(EventData(), 1);
    EXPECT_EQ(WaitEvent(-1), 0x401);
    EXPECT_EQ(EventData(), 2);
}

TEST_F(GuiTest, BadScriptLinesAreSkipped)
{
    window("Main");
    HeadlessScript::instance().addLines({
        "fly away",
        "key sideways 3",
        "desktop 0 10",
        "desktop 65536 65537", // wraps round in 32 bits
        "desktop 100000 100000",
        "menu 77",
        "close \"Nobody\"",
        "key down 0x1e",
    });
    const int width = HeadlessScreen::instance().width(), height = HeadlessScreen::instance().height();
    EXPECT_EQ(WaitEvent(-1), 0x101);
    EXPECT_EQ(EventData(), 0x1e);
    EXPECT_EQ(HeadlessScreen::instance().width(), width);
    EXPECT_EQ(HeadlessScreen::instance().height(), height);
    EXPECT_EQ(ClientWidth(Desktop()), width);
    EXPECT_EQ(uint32_t(ReadPixel(width - 1, height - 1, DesktopBuffer())), 0xFF000000u);
    EXPECT_TRUE(HeadlessScript::instance().isFinished());
    EXPECT_FALSE(HeadlessScript::instance().loadFile("/nonexistent/script.txt"));
}

TEST_F(GuiTest, ScriptedKeysRepeatAndType)
{
    int win = window("Typing");
    HeadlessScript::instance().addLines({ "key down 0x2a", "key down 0x1e", "key down 0x1e", "key up 0x1e", "key up 0x2a" });
    EXPECT_EQ(WaitEvent(-1), 0x101);
    EXPECT_EQ(WaitEvent(-1), 0x103);
    EXPECT_EQ(EventData(), 'A');
    EXPECT_EQ(EventSource(), win);
    EXPECT_EQ(WaitEvent(-1), 0x102); // the auto-repeat raised nothing
    EXPECT_EQ(WaitEvent(50), 0); // Shift raises no events of its own
    EXPECT_EQ(KXHotKeyTable::instance().modifiers(), 0);
}

TEST(HeadlessScriptWords, QuotesMakeOneWord)
{
    auto words = HeadlessScript::tokenize("  window 7 \"Two words\" 1\t2 \"\" \"a\\\\b\"");
    ASSERT_EQ(words.size(), 7u);
    EXPECT_EQ(words[2], "Two words");
    EXPECT_EQ(words[3], "1");
    EXPECT_EQ(words[4], "2");
    EXPECT_EQ(words[5], "");
    EXPECT_EQ(words[6], "a\\b");
    int v;
    EXPECT_TRUE(HeadlessScript::parseInt("0xB7", v));
    EXPECT_EQ(v, 183);
    EXPECT_FALSE(HeadlessScript::parseInt("12px", v));
}

TEST(HeadlessScriptWords, NumbersAreDecimalOrHexadecimal)
{
    int v = 0;
    EXPECT_TRUE(HeadlessScript::parseInt("045", v));
    EXPECT_EQ(v, 45); // a leading zero is not octal
    EXPECT_TRUE(HeadlessScript::parseInt("08", v));
    EXPECT_EQ(v, 8);
    EXPECT_TRUE(HeadlessScript::parseInt("-12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(HeadlessScript::parseInt("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(HeadlessScript::parseInt("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    EXPECT_TRUE(HeadlessScript::parseInt("0xFFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(HeadlessScript::parseInt("2147483648", v));
    EXPECT_FALSE(HeadlessScript::parseInt("0x100000000", v));
    EXPECT_FALSE(HeadlessScript::parseInt("99999999999999999999", v));
    EXPECT_FALSE(HeadlessScript::parseInt("0x", v));
    EXPECT_FALSE(HeadlessScript::parseInt("-", v));
    EXPECT_FALSE(HeadlessScript::parseInt("0x1G", v));
}

TEST_F(GuiTest, MenuIdsBeyondTheCommandRangeAreNotOnTheBar)
{
    int win = window("Menus");
    int file = CreateMenu(Str("File"), 0, WindowMenu(win));
    CreateMenu(Str("Open"), 7, file);
    UpdateWindowMenu(win);
    FlushEvents(-1, 0);
    EXPECT_FALSE(hw(win)->userMenu(2147483647));
    EXPECT_FALSE(hw(win)->userMenu(2147483647 - 50));
    HeadlessScript::instance().addLines({ "menu 2147483647", "menu 007" });
    EXPECT_EQ(WaitEvent(-1), 0x2004);
    EXPECT_EQ(WaitEvent(-1), 0x2005);
    EXPECT_EQ(WaitEvent(-1), 0x1001);
    EXPECT_EQ(EventData(), 7);
}
