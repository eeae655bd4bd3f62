// The FreeImage adapter: bitmaps made from top-row-first memory as the application makes them,
// copies and views of those rows, saved as BMP, JPEG and PNG under "\" paths, read back by ImageMagick with the right size and
// upright pixels; depths a writer refuses go through 24 bits; bad arguments fail cleanly.
#include "graphics/KXPixelFormat.h"
#include "tests/support/KXShell.h"
#include "tests/support/KXTempDir.h"
#include "tests/userlibs/UserLibTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
constexpr int FifBmp = 0, FifJpeg = 2, FifPng = 13;
constexpr int W = 40, H = 24;

// Four quadrants of flat colours (JPEG keeps flat areas close): top-left red, top-right green,
// bottom-left blue, bottom-right white.
uint32_t quadrant(int x, int y)
{
    static const uint32_t colours[4] = { 0xF80000, 0x00FC00, 0x0000F8, 0xF8FCF8 };
    return colours[(y >= H / 2) * 2 + (x >= W / 2)];
}

// The file's pixels as R, G, B bytes, top row first.
std::string rgb(const std::string& file) { return kxShellOutput("convert '" + file + "' -depth 8 rgb:- 2>/dev/null"); }
}

TEST_F(UserLibTest, SavedFilesAreReadByImageMagickUpright)
{
    KXTempDir dir;
    struct Case {
        int format;
        unsigned bits, red, green, blue;
        int fif;
        const char* name;
        int flags;
        int tolerance;
        bool view = false; // a view of the rows (ConvertFromRawBitsEx without a copy)
    };
    const Case cases[] = {
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifBmp, "a.bmp", 0, 0 },
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifPng, "a.png", 0, 0 },
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifJpeg, "a.jpg", 128, 24 },
        { 3, 24, 0xFF0000, 0xFF00, 0xFF, FifJpeg, "b.jpg", 1024, 64 },
        // 5 and 6 bits widen to the full range (0xF8 reads 0xFF), as the pixel formats widen them.
        { 1, 16, 0xF800, 0x07E0, 0x001F, FifPng, "c.png", 0, 0 },
        { 1, 16, 0xF800, 0x07E0, 0x001F, FifBmp, "c.bmp", 0, 0 },
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifPng, "v.png", 0, 0, true },
        { 3, 24, 0xFF0000, 0xFF00, 0xFF, FifPng, "w.png", 0, 0, true },
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifBmp, "v.bmp", 0, 0, true },
        { 4, 32, 0xFF0000, 0xFF00, 0xFF, FifJpeg, "v.jpg", 128, 24, true },
        { 1, 16, 0xF800, 0x07E0, 0x001F, FifPng, "x.png", 0, 0, true }, // a copy: no views of 16 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int bpp = int(c.bits / 8), pitch = W * bpp;
        std::vector<uint8_t> locked(size_t(pitch * H));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                kxpf::fromArgb(c.format, locked.data() + y * pitch + x * bpp, quadrant(x, y)); // alpha byte 0
        void* dib = c.view ? api().ConvertFromRawBitsEx(0, locked.data(), 1, W, H, pitch, c.bits, c.red, c.green, c.blue, 1)
                           : api().ConvertFromRawBits(locked.data(), W, H, pitch, c.bits, c.red, c.green, c.blue, 1);
        ASSERT_NE(dib, nullptr);
        std::string path = dir.path() + "\\" + c.name; // the program's separator
        std::string file = dir / c.name;
        EXPECT_EQ(api().Save(c.fif, dib, path.c_str(), c.flags), 1);
        api().Unload(dib);

        EXPECT_EQ(kxShellOutput("identify -format '%w %h' '" + file + "'"), std::to_string(W) + " " + std::to_string(H));
        if (c.fif == FifPng) {
            std::string opaque = kxShellOutput("identify -format '%[opaque]' '" + file + "'");
            EXPECT_TRUE(opaque == "true" || opaque == "True") << opaque;
        }
        std::string pixels = rgb(file);
        ASSERT_EQ(pixels.size(), size_t(W * H * 3));
        int worst = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                // JPEG blurs the edges between the quadrants: only their inner parts count there.
                bool nearEdge = std::abs(2 * x + 1 - W) < 10 || std::abs(2 * y + 1 - H) < 10 || x < 2 || y < 2 || x >= W - 2 || y >= H - 2;
                if (c.fif == FifJpeg && nearEdge)
                    continue;
                uint32_t want = kxpf::toArgb(c.format, locked.data() + y * pitch + x * bpp);
                for (int ch = 0; ch < 3; ++ch) {
                    int got = uint8_t(pixels[size_t((y * W + x) * 3 + ch)]);
                    int expected = int((want >> (16 - 8 * ch)) & 0xFF);
                    worst = std::max(worst, std::abs(got - expected));
                }
            }
        }
        EXPECT_LE(worst, c.tolerance);
    }
}

TEST_F(UserLibTest, BadArgumentsFailWithoutReachingTheLibrary)
{
    KXTempDir dir;
    uint8_t pixels[16] = {};
    EXPECT_EQ(api().ConvertFromRawBits(nullptr, 2, 2, 8, 32, 0xFF0000, 0xFF00, 0xFF, 1), nullptr);
    EXPECT_EQ(api().ConvertFromRawBits(pixels, 2, 2, 4, 32, 0xFF0000, 0xFF00, 0xFF, 1), nullptr); // rows too short
    EXPECT_EQ(api().ConvertFromRawBits(pixels, -2, 2, 8, 32, 0xFF0000, 0xFF00, 0xFF, 1), nullptr);
    EXPECT_EQ(api().ConvertFromRawBits(pixels, 2, 2, 8, 12, 0xFF0000, 0xFF00, 0xFF, 1), nullptr);
    EXPECT_EQ(api().Save(FifPng, nullptr, (dir / "x.png").c_str(), 0), 0);
    EXPECT_EQ(api().GetWidth(nullptr), 0u);
    EXPECT_EQ(api().GetInfoHeader(nullptr), nullptr);
    api().Unload(nullptr);

    void* dib = api().ConvertFromRawBits(pixels, 2, 2, 8, 32, 0xFF0000, 0xFF00, 0xFF, 1);
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(api().Save(FifPng, dib, (dir / "no/such/folder/x.png").c_str(), 0), 0);
    EXPECT_EQ(api().Save(999, dib, (dir / "x.png").c_str(), 0), 0);
    api().ConvertToRawBits(pixels, dib, 4, 32, 0xFF0000, 0xFF00, 0xFF, 0); // too short a pitch: nothing written
    api().Unload(dib);
}

// 32-bit raw rows become an opaque bitmap with the same colours, in FreeImage's bottom-up order:
// the first row given lands on top with topdown set, at the bottom without. Rows may be padded
// and need not start on a 4-byte boundary.
TEST_F(UserLibTest, ThirtyTwoBitRowsKeepTheirOrderAndColoursAndBecomeOpaque)
{
    constexpr int w = 5, h = 3, pitch = w * 4 + 3;
    std::vector<uint8_t> block(size_t(pitch * h + 1), 0xEE);
    uint8_t* rows = block.data() + 1; // odd address
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t v = pixel(x, y) & 0x00FFFFFFu; // alpha byte 0, as locked memory has it
            std::memcpy(rows + y * pitch + x * 4, &v, 4);
        }
    for (int topdown : { 1, 0 }) {
        SCOPED_TRACE(topdown);
        void* dib = api().ConvertFromRawBits(rows, w, h, pitch, 32, 0xFF0000, 0xFF00, 0xFF, topdown);
        ASSERT_NE(dib, nullptr);
        ASSERT_EQ(api().GetWidth(dib), unsigned(w));
        ASSERT_EQ(api().GetHeight(dib), unsigned(h));
        const uint8_t* bits = api().GetBits(dib);
        for (int y = 0; y < h; ++y) {
            // FreeImage's scan line 0 is the bottom row.
            int line = topdown ? h - 1 - y : y;
            for (int x = 0; x < w; ++x) {
                uint32_t got;
                std::memcpy(&got, bits + size_t(line) * api().GetPitch(dib) + x * 4, 4);
                EXPECT_EQ(got, pixel(x, y)) << x << "," << y;
            }
        }
        api().Unload(dib);
    }
}

// A capture is opaque, so its PNG is written as RGB (colour type 2); a bitmap with a pixel that is
// not opaque keeps its alpha channel (colour type 6) and that pixel's alpha.
TEST_F(UserLibTest, OpaquePngsAreRgbAndTranslucentOnesKeepTheirAlpha)
{
    KXTempDir dir;
    std::vector<uint32_t> rows(size_t(W * H));
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            rows[size_t(y * W + x)] = pixel(x, y) & 0x00FFFFFFu;
    auto colourType = [](const std::string& file) {
        std::string bytes = kxShellOutput("head -c 26 '" + file + "'");
        return bytes.size() == 26 ? int(uint8_t(bytes[25])) : -1;
    };
    void* dib = api().ConvertFromRawBits(rows.data(), W, H, W * 4, 32, 0xFF0000, 0xFF00, 0xFF, 1);
    ASSERT_NE(dib, nullptr);
    ASSERT_EQ(api().Save(FifPng, dib, (dir / "opaque.png").c_str(), 0), 1);
    EXPECT_EQ(colourType(dir / "opaque.png"), 2);
    std::string pixels = rgb(dir / "opaque.png");
    ASSERT_EQ(pixels.size(), size_t(W * H * 3));
    EXPECT_EQ(uint8_t(pixels[0]), (pixel(0, 0) >> 16) & 0xFF); // top-left stays top-left
    EXPECT_EQ(uint8_t(pixels[size_t(((H - 1) * W + W - 1) * 3 + 1)]), (pixel(W - 1, H - 1) >> 8) & 0xFF);

    // FreeImage's scan line 0 is the bottom row: the last byte of the bits is the top-right
    // pixel's alpha.
    uint8_t* bits = api().GetBits(dib);
    bits[size_t(api().GetPitch(dib)) * (H - 1) + (W - 1) * 4 + 3] = 0x80;
    ASSERT_EQ(api().Save(FifPng, dib, (dir / "translucent.png").c_str(), 0), 1);
    api().Unload(dib);
    EXPECT_EQ(colourType(dir / "translucent.png"), 6);
    std::string alpha = kxShellOutput("convert '" + (dir / "translucent.png") + "' -alpha extract -depth 8 gray:- 2>/dev/null");
    ASSERT_EQ(alpha.size(), size_t(W * H));
    EXPECT_EQ(uint8_t(alpha[size_t(W - 1)]), 0x80);
    EXPECT_EQ(uint8_t(alpha[0]), 0xFF);
}

// A view of top-row-first rows converts like a copy of them: to 24 bits upright (FreeImage's
// bottom-up order) and back to raw rows unchanged, its unused fourth byte never read as alpha.
TEST_F(UserLibTest, ViewsConvertLikeCopies)
{
    constexpr int w = 5, h = 3, pitch = w * 4;
    std::vector<uint32_t> rows(size_t(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            rows[size_t(y * w + x)] = pixel(x, y) & 0x00FFFFFFu;
    void* view = api().ConvertFromRawBitsEx(0, rows.data(), 1, w, h, pitch, 32, 0xFF0000, 0xFF00, 0xFF, 1);
    ASSERT_NE(view, nullptr);
    void* wide = api().ConvertTo24Bits(view);
    ASSERT_NE(wide, nullptr);
    const uint8_t* bits = api().GetBits(wide);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = bits + size_t(h - 1 - y) * api().GetPitch(wide) + x * 3;
            EXPECT_EQ(0xFF000000u | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0], pixel(x, y)) << x << "," << y;
        }
    api().Unload(wide);
    std::vector<uint32_t> back(size_t(w * h));
    api().ConvertToRawBits(back.data(), view, pitch, 32, 0xFF0000, 0xFF00, 0xFF, 1);
    api().Unload(view);
    for (size_t i = 0; i < back.size(); ++i)
        EXPECT_EQ(back[i] | 0xFF000000u, rows[i] | 0xFF000000u) << i;
}
