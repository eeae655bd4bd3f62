// Screen reads: a known picture drawn on the root window reads back exactly, in every pixel
// format, whole and in parts, at the display's depth.
#include "tests/x11/X11TestSupport.h"

#include "graphics/GraphicsCommands.h"
#include "graphics/KXPixelFormat.h"
#include "tests/support/KXShell.h"

#include <QImage>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A picture whose every pixel differs from its neighbours in every channel.
uint32_t patternAt(int x, int y)
{
    uint32_t r = uint32_t(x * 7 + y * 3) & 0xFF, g = uint32_t(x * 13 + y * 29) & 0xFF, b = uint32_t(x ^ (y * 5)) & 0xFF;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// The screen's own view of a colour: what its visual keeps of it.
uint32_t onScreen(uint32_t c, int depth) { return depth == 16 ? kxpf::roundTrip(kxpf::RGB565, c) : c; }

class ScreenReads : public testing::Test {
protected:
    void SetUp() override
    {
        REQUIRE_SERVICES();
        Display* d = x11test::display();
        m_depth = DefaultDepth(d, DefaultScreen(d));
        m_width = x11test::services()->screenWidth();
        m_height = x11test::services()->screenHeight();
        drawPattern();
    }

    // Draws the pattern over the whole root window with XPutImage from the test's connection.
    void drawPattern()
    {
        Display* d = x11test::display();
        int screen = DefaultScreen(d);
        XImage* image = XCreateImage(d, DefaultVisual(d, screen), unsigned(m_depth), ZPixmap, 0, nullptr,
            unsigned(m_width), unsigned(m_height), 32, 0);
        ASSERT_NE(image, nullptr);
        std::vector<char> pixels(size_t(image->bytes_per_line) * size_t(m_height));
        image->data = pixels.data();
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                uint32_t c = patternAt(x, y);
                unsigned long value = m_depth == 16 ? kxpf::to565(c) : (c & 0xFFFFFF);
                XPutPixel(image, x, y, value);
            }
        GC gc = XCreateGC(d, DefaultRootWindow(d), 0, nullptr);
        XPutImage(d, DefaultRootWindow(d), gc, image, 0, 0, 0, 0, unsigned(m_width), unsigned(m_height));
        XFreeGC(d, gc);
        XSync(d, False);
        image->data = nullptr;
        XDestroyImage(image);
    }

    // Reads rect in format and checks each pixel against the pattern; answers the mismatches.
    int mismatches(const KXRect& rect, int format)
    {
        int bpp = kxpf::bytesPerPixel(format);
        int pitch = rect.width * bpp + 8; // a pitch wider than the row must be honoured
        std::vector<uint8_t> buffer(size_t(pitch) * size_t(rect.height) + 8, 0xA5);
        EXPECT_TRUE(x11test::services()->readScreen(rect, buffer.data(), pitch, format));
        int bad = 0;
        for (int y = 0; y < rect.height; ++y)
            for (int x = 0; x < rect.width; ++x) {
                uint32_t want = onScreen(patternAt(rect.x + x, rect.y + y), m_depth);
                uint32_t got = kxpf::toArgb(format, buffer.data() + size_t(y) * size_t(pitch) + size_t(x) * size_t(bpp));
                if (got != kxpf::roundTrip(format, want) && ++bad < 4)
                    ADD_FAILURE() << "format " << format << " at " << rect.x + x << "," << rect.y + y << ": "
                                  << std::hex << got << " != " << kxpf::roundTrip(format, want);
            }
        // The padding after each row stays as it was.
        for (int y = 0; y < rect.height; ++y)
            EXPECT_EQ(buffer[size_t(y) * size_t(pitch) + size_t(rect.width) * size_t(bpp)], 0xA5);
        return bad;
    }

    int m_depth { 0 };
    int m_width { 0 };
    int m_height { 0 };
};

}

TEST_F(ScreenReads, WholeScreenInEveryFormatEqualsThePicture)
{
    EXPECT_EQ(m_width, DisplayWidth(x11test::display(), 0));
    EXPECT_EQ(m_height, DisplayHeight(x11test::display(), 0));
    for (int format : { 1, 2, 3, 4, 7 })
        EXPECT_EQ(mismatches({ 0, 0, m_width, m_height }, format), 0) << "format " << format;
}

TEST_F(ScreenReads, PartsAtOddPlacesAndSizes)
{
    for (KXRect rect : { KXRect { 1, 1, 1, 1 }, KXRect { 37, 11, 333, 77 }, KXRect { m_width - 5, m_height - 3, 5, 3 } })
        for (int format : { 1, 3, 4, 7 })
            EXPECT_EQ(mismatches(rect, format), 0) << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
    // A smaller read after a larger one, and a larger one after it, share the kept segment.
    EXPECT_EQ(mismatches({ 0, 0, m_width, m_height }, 4), 0);
}

TEST_F(ScreenReads, RectanglesOutsideTheScreenOrBadFormatsFailAndLeaveTheBuffer)
{
    std::vector<uint8_t> buffer(64, 0x5A);
    QtDesktopServices& s = *x11test::services();
    EXPECT_FALSE(s.readScreen({ -1, 0, 2, 2 }, buffer.data(), 16, 4));
    EXPECT_FALSE(s.readScreen({ m_width - 1, 0, 2, 2 }, buffer.data(), 16, 4));
    EXPECT_FALSE(s.readScreen({ 0, m_height, 1, 1 }, buffer.data(), 16, 4));
    EXPECT_FALSE(s.readScreen({ 0, 0, 2, 2 }, buffer.data(), 16, 5));
    EXPECT_FALSE(s.readScreen({ 0, 0, 2, 2 }, buffer.data(), 4, 4)); // pitch shorter than a row
    EXPECT_FALSE(s.readScreen({ 0, 0, 0, 2 }, buffer.data(), 16, 4));
    for (uint8_t b : buffer)
        ASSERT_EQ(b, 0x5A);
}

TEST_F(ScreenReads, ScreenReadsGoThroughSharedMemoryWhenOffered)
{
    int major = 0, minor = 0;
    Bool pixmaps = False;
    if (!XShmQueryVersion(x11test::display(), &major, &minor, &pixmaps))
        GTEST_SKIP() << "the display has no MIT-SHM";
    std::vector<uint32_t> pixels(16);
    ASSERT_TRUE(x11test::services()->readScreen({ 0, 0, 4, 4 }, reinterpret_cast<uint8_t*>(pixels.data()), 16, 4));
    EXPECT_TRUE(x11test::services()->screenReader().usesSharedMemory());
}

TEST_F(ScreenReads, DesktopBufferAndCopyRectIntoAnImageGiveThePicture)
{
    const int image = CreateImage(m_width, m_height, 1, 2);
    const int buffer = ImageBuffer(image, 0);
    // Compares the image with the pattern: the rectangle at (x, y) of the image shows the screen
    // from (sx, sy).
    auto bad = [&](int x, int y, int w, int h, int sx, int sy) {
        LockBuffer(buffer);
        const int format = LockedFormat(buffer), pitch = LockedPitch(buffer), bpp = kxpf::bytesPerPixel(format);
        const auto* pixels = reinterpret_cast<const uint8_t*>(intptr_t(LockedPixels(buffer)));
        int n = 0;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                uint32_t got = kxpf::toArgb(format, pixels + size_t(y + j) * size_t(pitch) + size_t(x + i) * size_t(bpp));
                n += (got & 0xFFFFFF) != (kxpf::roundTrip(format, onScreen(patternAt(sx + i, sy + j), m_depth)) & 0xFFFFFF);
            }
        UnlockBuffer(buffer);
        return n;
    };
    CopyRect(0, 0, m_width, m_height, 0, 0, DesktopBuffer(), buffer);
    EXPECT_EQ(bad(0, 0, m_width, m_height, 0, 0), 0);
    // A part, to another place of the image.
    CopyRect(100, 50, 301, 203, 7, 9, DesktopBuffer(), buffer);
    EXPECT_EQ(bad(7, 9, 301, 203, 100, 50), 0);
    // From a locked desktop buffer: the same pixels, through the buffer's own copy.
    int desktop = DesktopBuffer();
    LockBuffer(desktop);
    CopyRect(0, 0, m_width, m_height, 0, 0, desktop, buffer);
    UnlockBuffer(desktop);
    EXPECT_EQ(bad(0, 0, m_width, m_height, 0, 0), 0);
    // Running over the screen's edge: clipped, the rest of the image untouched.
    CopyRect(m_width - 10, m_height - 10, 50, 50, 0, 0, DesktopBuffer(), buffer);
    EXPECT_EQ(bad(0, 0, 10, 10, m_width - 10, m_height - 10), 0);
    EXPECT_EQ(bad(10, 10, 20, 20, 10, 10), 0);
    FreeImage(image);
}

// A full-desktop capture, into an image of the display's format and into a 32-bit one, gives
// the pixels the X server itself shows (ImageMagick's import of the root window): at 16 bits
// both widen 5- and 6-bit channels the same way.
TEST_F(ScreenReads, ACaptureEqualsTheServersOwnView)
{
    const std::string view = kxShellOutput("import -window root -depth 8 rgb:- 2>/dev/null");
    ASSERT_EQ(view.size(), size_t(m_width) * size_t(m_height) * 3) << "import -window root failed";
    auto differences = [&](const uint8_t* pixels, int pitch, int format) {
        int bad = 0;
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x) {
                uint32_t got = kxpf::toArgb(format, pixels + size_t(y) * size_t(pitch) + size_t(x) * size_t(kxpf::bytesPerPixel(format)));
                const auto* v = reinterpret_cast<const uint8_t*>(view.data()) + (size_t(y) * size_t(m_width) + size_t(x)) * 3;
                uint32_t want = 0xFF000000u | uint32_t(v[0]) << 16 | uint32_t(v[1]) << 8 | v[2];
                if (got != want && ++bad <= 3)
                    ADD_FAILURE() << "format " << format << " at " << x << "," << y << ": " << std::hex << got << " != " << want;
            }
        return bad;
    };
    const int image = CreateImage(m_width, m_height, 1, 2);
    const int buffer = ImageBuffer(image, 0);
    CopyRect(0, 0, m_width, m_height, 0, 0, DesktopBuffer(), buffer);
    LockBuffer(buffer);
    EXPECT_EQ(differences(reinterpret_cast<const uint8_t*>(intptr_t(LockedPixels(buffer))), LockedPitch(buffer), LockedFormat(buffer)), 0);
    UnlockBuffer(buffer);
    FreeImage(image);
    std::vector<uint8_t> wide(size_t(m_width) * size_t(m_height) * 4);
    ASSERT_TRUE(x11test::services()->readScreen({ 0, 0, m_width, m_height }, wide.data(), m_width * 4, kxpf::XRGB8888));
    EXPECT_EQ(differences(wide.data(), m_width * 4, kxpf::XRGB8888), 0);
}
