// The Win32 subset and the clipboard library over the X11 desktop services, bound through the
// runtime's loader as programs bind them: a real window's geometry, Print Screen pressed in
// another program's window, a synthetic Print Screen, pictures to and from xclip, upright.
#include "runtime/KXUserLibs.h"
#include "runtime/UserLibCommands.h"
#include "tests/support/KXLibTable.h"
#include "tests/x11/X11TestSupport.h"

#include <QBuffer>
#include <QImage>

#include <cstring>
#include <vector>

namespace {
#define W32 __attribute__((stdcall))

struct Api {
    int(W32* GetAsyncKeyState)(int) = nullptr;
    int(W32* GetForegroundWindow)() = nullptr;
    int(W32* GetWindowInfo)(int, void*) = nullptr;
    int(W32* FindWindowA)(const char*, const char*) = nullptr;
    void(W32* keybd_event)(int, int, int, int) = nullptr;
    int(W32* GetClipImageInfo)(int, void*, int) = nullptr;
    int(W32* PasteClipImage)(int, const void*, const void*, int) = nullptr;
};

class Win32Libraries : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        const std::string bin = KX_BUILD_DIR "/bin/";
        KXLibTable t;
        t.lib(bin + "user32.dll").fn("GetAsyncKeyState", api.GetAsyncKeyState).fn("GetForegroundWindow", api.GetForegroundWindow).fn("GetWindowInfo", api.GetWindowInfo).fn("FindWindowA", api.FindWindowA).fn("keybd_event", api.keybd_event);
        t.lib(bin + "data/Clipboard.dll").fn("_GetClipImageInfo@12", api.GetClipImageInfo).fn("_PasteClipImage@16", api.PasteClipImage);
        std::vector<char> bytes = t.bytes();
        kxLoadLibs(bytes.data());
    }
    static void TearDownTestSuite() { KXUserLibs::instance().shutdown(); }
    void SetUp() override
    {
        REQUIRE_SERVICES();
        ASSERT_EQ(KXUserLibs::instance().libraries().size(), 2u);
    }

    // The clipboard picture's header through the library, waiting for it to arrive.
    static bool header(int32_t* out)
    {
        uint8_t h[18];
        if (!x11test::waitFor([&] { return api.GetClipImageInfo(0, h, 0) != 0; }, 5000))
            return false;
        std::memcpy(out, h, 12);
        out[3] = h[12] | h[13] << 8;
        return true;
    }

    static inline Api api;
};

int32_t field(const uint8_t* record, int index)
{
    int32_t v;
    std::memcpy(&v, record + 4 * index, 4);
    return v;
}
}

TEST_F(Win32Libraries, ForegroundWindowGeometryOfARealWindow)
{
    x11test::ForeignWindow notes("Notes", 60, 40);
    ASSERT_NE(notes.id(), 0);
    if (x11test::hasWindowManager()) {
        ASSERT_TRUE(notes.activate());
    }
    int handle = api.FindWindowA(nullptr, "Notes");
    ASSERT_NE(handle, 0);
    if (x11test::hasWindowManager()) {
        EXPECT_EQ(api.GetForegroundWindow(), handle);
    }
    uint8_t info[60] = { 60 };
    ASSERT_EQ(api.GetWindowInfo(handle, info), 1);

    // The client rectangle as xwininfo reports the window.
    QByteArray out;
    ASSERT_EQ(x11test::run("xwininfo", { "-id", QString::number(handle) }, &out), 0);
    auto value = [&](const char* label) {
        int at = out.indexOf(label);
        return at < 0 ? -1 : out.mid(at + int(strlen(label))).trimmed().split('\n').first().toInt();
    };
    int x = value("Absolute upper-left X:"), y = value("Absolute upper-left Y:"), w = value("Width:"), h = value("Height:");
    EXPECT_EQ(field(info, 5), x);
    EXPECT_EQ(field(info, 6), y);
    EXPECT_EQ(field(info, 7) - field(info, 5), w);
    EXPECT_EQ(field(info, 8) - field(info, 6), h);
    // The frame encloses the client area (with a window manager, its title bar too).
    EXPECT_LE(field(info, 1), field(info, 5));
    EXPECT_LE(field(info, 2), field(info, 6));
    EXPECT_GE(field(info, 3), field(info, 7));
    EXPECT_GE(field(info, 4), field(info, 8));
    if (x11test::hasWindowManager()) {
        EXPECT_LT(field(info, 2), field(info, 6));
    }
}

TEST_F(Win32Libraries, PrintScreenPressedInAnotherWindowIsSeen)
{
    if (!x11test::services()->hasKeyMonitor())
        GTEST_SKIP() << "the display has no XInput 2";
    x11test::ForeignWindow other("Key Target", 100, 100);
    ASSERT_NE(other.id(), 0);
    if (x11test::hasWindowManager()) {
        ASSERT_TRUE(other.activate());
    }
    api.GetAsyncKeyState(0x2C);
    ASSERT_EQ(x11test::run("xdotool", { "key", "Print" }), 0);
    // Pressed since the last query, and released again (openbox grabs Print Screen for itself;
    // the release must be seen all the same).
    EXPECT_TRUE(x11test::waitFor([&] { return api.GetAsyncKeyState(0x2C) == 1; }, 3000));
    EXPECT_EQ(api.GetAsyncKeyState(0x2C), 0);
}

TEST_F(Win32Libraries, SyntheticPrintScreenFillsTheClipboardForEveryone)
{
    x11test::services()->emptyClipboard();
    api.keybd_event(44, 0, 0, 0);
    api.keybd_event(44, 0, 2, 0);
    int32_t h[4];
    ASSERT_TRUE(header(h));
    EXPECT_EQ(h[0], x11test::services()->screenWidth());
    EXPECT_EQ(h[1], x11test::services()->screenHeight());
    EXPECT_EQ(h[2], h[0] * h[1] * 4);
    EXPECT_EQ(h[3], 32);
    QByteArray png;
    ASSERT_EQ(x11test::run("xclip", { "-selection", "clipboard", "-t", "image/png", "-o" }, &png), 0);
    QImage pasted;
    ASSERT_TRUE(pasted.loadFromData(png, "PNG"));
    EXPECT_EQ(pasted.width(), h[0]);
    EXPECT_EQ(pasted.height(), h[1]);
}

TEST_F(Win32Libraries, PictureOfAnotherProgramIsReadUpright)
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0, 0, 255));
    image.setPixel(0, 0, qRgb(255, 0, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    ASSERT_EQ(x11test::run("xclip", { "-selection", "clipboard", "-t", "image/png", "-i" }, nullptr, png), 0);
    int32_t h[4];
    ASSERT_TRUE(x11test::waitFor([&] { return header(h) && h[0] == 6; }, 5000));
    EXPECT_EQ(h[1], 4);
    std::vector<uint32_t> rows(size_t(h[2] / 4));
    ASSERT_EQ(api.GetClipImageInfo(0, rows.data(), 1), 1);
    EXPECT_EQ(rows[3 * 6] & 0xFFFFFF, 0xFF0000u) << "top-left, in the last row handed out";
    EXPECT_EQ(rows[5] & 0xFFFFFF, 0x0000FFu) << "bottom-right, in the first";
}

TEST_F(Win32Libraries, PastedPictureIsReadByAnotherProgramUpright)
{
    // 2 x 2, 24 bits, bottom row first: top row red, green; bottom row blue, white.
    const uint8_t bits[16] = { 255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0 };
    int32_t bih[10] = { 40, 2, 2, 1 | 24 << 16, 0, 0, 0, 0, 0, 0 };
    ASSERT_EQ(api.PasteClipImage(0, bih, bits, sizeof bits), 1);
    QByteArray png;
    ASSERT_EQ(x11test::run("xclip", { "-selection", "clipboard", "-t", "image/png", "-o" }, &png), 0);
    QImage pasted;
    ASSERT_TRUE(pasted.loadFromData(png, "PNG"));
    ASSERT_EQ(pasted.size(), QSize(2, 2));
    EXPECT_EQ(pasted.pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pasted.pixel(1, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(pasted.pixel(0, 1) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(pasted.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);
}
