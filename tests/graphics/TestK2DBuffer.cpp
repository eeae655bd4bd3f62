// Pixel formats, buffer locks, pixel commands, rectangle copies and the desktop buffer.
#include "graphics/KXPixelFormat.h"
#include "graphics/headless/HeadlessScreen.h"
#include "tests/graphics/GraphicsTestSupport.h"

TEST(PixelFormat, ConversionsFollowTheLayouts)
{
    // Narrow channels are truncated on the way in and scale to the full range on the way out
    // (v × 255 / 31 for 5 bits, rounded down), so the extremes stay 0 and 255.
    EXPECT_EQ(kxpf::roundTrip(1, 0xFF123456), 0xFF103452u);
    EXPECT_EQ(kxpf::roundTrip(2, 0xFF123456), 0xFF103152u);
    EXPECT_EQ(kxpf::roundTrip(1, 0xFFFFFFFF), 0xFFFFFFFFu);
    EXPECT_EQ(kxpf::roundTrip(2, 0xFF0000FF), 0xFF0000FFu);
    EXPECT_EQ(kxpf::roundTrip(1, 0xFF214100), 0xFF204000u); // 4 of 31 is 32, 16 of 63 is 64
    EXPECT_EQ(kxpf::roundTrip(3, 0x00123456), 0xFF123456u);
    EXPECT_EQ(kxpf::roundTrip(4, 0x00123456), 0xFF123456u);
    EXPECT_EQ(kxpf::roundTrip(7, 0x00123456), 0x00123456u);
    uint8_t b[4] = { 1, 2, 3, 4 };
    kxpf::fromArgb(2, b, 0xFFFFFFFF);
    EXPECT_EQ(b[1] & 0x80, 0); // bit 15 stays clear
    for (int f : { 5, 6, 0, 9 }) {
        uint8_t c[4] = { 0xAA, 0xAA, 0xAA, 0xAA };
        kxpf::fromArgb(f, c, 0xFF123456);
        EXPECT_EQ(c[0], 0xAA) << f;
    }
    EXPECT_EQ(kxpf::bytesPerPixel(9), 0);
}

TEST_P(GraphicsFormatTest, FastPixelsRoundTripInTheDisplayFormat)
{
    int b = ImageBuffer(image(8, 4), 0);
    LockBuffer(b);
    EXPECT_EQ(LockedFormat(b), GetParam());
    EXPECT_GE(LockedPitch(b), 8 * kxpf::bytesPerPixel(GetParam()));
    WritePixelFast(7, 3, int(0xFF123456), b);
    const uint32_t expected[] = { 0, 0xFF103452, 0xFF103152, 0xFF123456, 0xFF123456 };
    EXPECT_EQ(uint32_t(ReadPixelFast(7, 3, b)), expected[GetParam()]);
    WritePixelFast(0, 0, 0x00123456, b);
    EXPECT_EQ(uint32_t(ReadPixelFast(0, 0, b)), expected[GetParam()]); // alpha is not kept
    // The pixel sits where the layout says.
    auto* p = reinterpret_cast<uint8_t*>(intptr_t(LockedPixels(b))) + 3 * LockedPitch(b) + 7 * kxpf::bytesPerPixel(GetParam());
    EXPECT_EQ(kxpf::toArgb(GetParam(), p), expected[GetParam()]);
    UnlockBuffer(b);
}

INSTANTIATE_TEST_SUITE_P(Formats, GraphicsFormatTest, testing::Values(1, 2, 3, 4));

TEST_F(GraphicsTest, LocksNestAndLockedQueriesNeedALock)
{
    int b = ImageBuffer(image(4, 4), 0);
    EXPECT_RUNTIME_ERROR(LockedPitch(b), "Buffer is not locked");
    EXPECT_RUNTIME_ERROR(LockedPixels(b), "Buffer is not locked");
    EXPECT_RUNTIME_ERROR(LockedFormat(b), "Buffer is not locked");
    LockBuffer(b);
    LockBuffer(b);
    UnlockBuffer(b);
    EXPECT_EQ(LockedPitch(b), 16);
    UnlockBuffer(b);
    EXPECT_RUNTIME_ERROR(LockedPitch(b), "Buffer is not locked");
    UnlockBuffer(b); // one too many does nothing
    LockBuffer(b);
    EXPECT_EQ(LockedFormat(b), 4);
    UnlockBuffer(b);
}

TEST_F(GraphicsTest, CheckedPixelsUseOriginAndClearColourOutside)
{
    int b = use(image(4, 4));
    EXPECT_EQ(uint32_t(ReadPixel(-1, 0, b)), 0xFF000000u);
    ClsColor(1, 2, 3);
    EXPECT_EQ(uint32_t(ReadPixel(4, 0, b)), 0xFF010203u);
    WritePixel(2, 1, int(0xFFABCDEF), b);
    WritePixel(9, 9, int(0xFFFFFFFF), b); // outside: nothing
    Origin(1, 1);
    EXPECT_EQ(uint32_t(ReadPixel(1, 0, b)), 0xFFABCDEFu);
    EXPECT_EQ(uint32_t(ReadPixel(3, 3, b)), 0xFF010203u); // (4, 4) lies outside
    CopyPixel(1, 0, b, 0, 0, b);
    Origin(0, 0);
    EXPECT_EQ(uint32_t(ReadPixel(1, 1, b)), 0xFFABCDEFu);
}

TEST_F(GraphicsTest, BadHandlesAndFormatsAreReported)
{
    EXPECT_RUNTIME_ERROR(LockBuffer(12345), "Invalid Buffer handle");
    EXPECT_RUNTIME_ERROR(ImageWidth(12345), "Invalid Image handle");
    int img = image(2, 2);
    EXPECT_RUNTIME_ERROR(LockBuffer(img), "Invalid Buffer handle");
    KXSurfaceDriver::current()->setDisplayFormat(7);
    EXPECT_RUNTIME_ERROR(CreateImage(2, 2, 1, 2), "Unrecognized Trova pixel format: 7");
}

TEST_P(GraphicsFormatTest, CopyRectClipsBothRectanglesTogether)
{
    int src = image(4, 4), dst = image(6, 6);
    std::vector<uint32_t> px;
    for (int i = 0; i < 16; ++i)
        px.push_back(kxpf::roundTrip(GetParam(), 0xFF000000u | uint32_t(i * 0x0F0D0B)));
    fill(src, px);
    // Source rectangle (-1, 2, 3, 4) is partly outside: only columns 0–1 of rows 2–3 exist.
    CopyRect(-1, 2, 3, 4, 1, 0, ImageBuffer(src, 0), ImageBuffer(dst, 0));
    auto out = pixels(dst);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            uint32_t want = 0xFF000000u;
            if (y < 2 && x >= 2 && x < 4)
                want = px[size_t((y + 2) * 4 + (x - 2))];
            EXPECT_EQ(out[size_t(y * 6 + x)], want) << x << "," << y;
        }
    // A copy within one buffer that overlaps itself moves the pixels intact.
    CopyRect(0, 0, 4, 3, 0, 1, ImageBuffer(src, 0), ImageBuffer(src, 0));
    auto moved = pixels(src);
    for (int y = 1; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(moved[size_t(y * 4 + x)], px[size_t((y - 1) * 4 + x)]);
}

TEST_F(GraphicsTest, ExtremeRectanglesStayInside)
{
    int a = image(4, 4), b = image(4, 4);
    fill(a, std::vector<uint32_t>(16, 0xFFFFFFFF));
    const int big = 0x7FFFFFFF, small = -0x7FFFFFFF - 1;
    CopyRect(small, small, big, big, 0, 0, ImageBuffer(a, 0), ImageBuffer(b, 0));
    CopyRect(1, 1, big, big, big, big, ImageBuffer(a, 0), ImageBuffer(b, 0));
    CopyRect(2, 2, big, big, small, 0, ImageBuffer(a, 0), ImageBuffer(b, 0));
    EXPECT_EQ(pixels(b), std::vector<uint32_t>(16, 0xFF000000));
    use(b);
    Rect(small, small, big, big, 1);
    Oval(-big, -big, big, big, 0);
    Line(small, small, big, big);
    Viewport(small, small, big, big);
    Cls();
    DrawBlockRect(a, big, big, small, small, big, big, 0);
    TileBlock(a, big, small, 0);
    EXPECT_EQ(pixels(b).size(), 16u);
}

TEST_F(GraphicsTest, DesktopBufferReadsTheVirtualDesktop)
{
    HeadlessScreen& screen = HeadlessScreen::instance();
    screen.resize(32, 16);
    screen.pixels()[size_t(5 * 32 + 7)] = 0xFF445566;
    int d = DesktopBuffer();
    int shot = image(32, 16);
    CopyRect(0, 0, 32, 16, 0, 0, d, ImageBuffer(shot, 0));
    EXPECT_EQ(pixels(shot)[size_t(5 * 32 + 7)], 0xFF445566u);
    // A desktop resized under an existing buffer never lets an access stray.
    screen.resize(8, 8);
    WritePixel(31, 15, int(0xFFFFFFFF), d);
    EXPECT_EQ(uint32_t(ReadPixel(7, 7, d)), 0xFF000000u);
    int d2 = DesktopBuffer();
    EXPECT_NE(d2, 0);
    ASSERT_TRUE(screen.loadImage(kxTestInput("images", "rgb4x2.png")));
    EXPECT_EQ(screen.width(), 4);
    EXPECT_EQ(screen.pixel(1, 1), 0xFF123456u);
    EXPECT_FALSE(screen.loadImage(kxTestInput("images", "broken.png")));
    EXPECT_EQ(screen.width(), 4);
    screen.resize(1024, 768);
}
