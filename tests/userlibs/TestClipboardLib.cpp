// The clipboard library: DIBs of 16, 24 and 32 bits pasted upright (narrow channels widened as
// the pixel formats widen them), the rows it hands out
// (bottom row first, 32 bits), the application's whole clipboard path through FreeImage with
// its topdown flags, and malformed input refused.
#include "graphics/KXPixelFormat.h"
#include "tests/support/KXMisalignedCall.h"
#include "tests/userlibs/UserLibTestSupport.h"

#include <cstring>
#include <vector>

namespace {
constexpr int W = 5, H = 3;

struct Dib {
    std::vector<uint8_t> header = std::vector<uint8_t>(52, 0);
    std::vector<uint8_t> bits;
};

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// The test picture as a DIB: format 1 (5-6-5 with BI_BITFIELDS masks), 2 (5-5-5, BI_RGB), 3 or
// 4; bottom-up unless topDown (negative height).
Dib makeDib(int format, bool topDown)
{
    int bpp = kxpf::bytesPerPixel(format) * 8;
    Dib d;
    put32(d.header, 0, 40);
    put32(d.header, 4, W);
    put32(d.header, 8, uint32_t(topDown ? -H : H));
    d.header[12] = 1;
    d.header[14] = uint8_t(bpp);
    if (format == 1) {
        put32(d.header, 16, 3);
        put32(d.header, 40, 0xF800);
        put32(d.header, 44, 0x07E0);
        put32(d.header, 48, 0x001F);
    }
    int stride = (W * bpp + 31) / 32 * 4;
    d.bits.assign(size_t(stride * H), 0xCD);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            kxpf::fromArgb(format, d.bits.data() + (topDown ? y : H - 1 - y) * stride + x * bpp / 8, UserLibTest::pixel(x, y));
    return d;
}
}

TEST_F(UserLibTest, DibsOfEveryDepthArePastedUprightAndReadBackBottomRowFirst)
{
    auto& ds = HeadlessDesktopServices::instance();
    for (int format : { 1, 2, 3, 4 }) {
        for (bool topDown : { false, true }) {
            SCOPED_TRACE("format " + std::to_string(format) + (topDown ? " top-down" : " bottom-up"));
            Dib d = makeDib(format, topDown);
            ASSERT_EQ(api().PasteClipImage(0, d.header.data(), d.bits.data(), int(d.bits.size())), 1);
            KXClipPicture picture;
            ASSERT_TRUE(ds.clipboardPicture(picture));
            ASSERT_EQ(picture.width, W);
            ASSERT_EQ(picture.height, H);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    EXPECT_EQ(picture.argb[size_t(y * W + x)], kxpf::roundTrip(format, pixel(x, y))) << x << "," << y;

            uint8_t header[18];
            std::memset(header, 0xEE, sizeof header);
            ASSERT_EQ(api().GetClipImageInfo(0, header, 0), 1);
            int32_t fields[3];
            std::memcpy(fields, header, 12);
            EXPECT_EQ(fields[0], W);
            EXPECT_EQ(fields[1], H);
            EXPECT_EQ(fields[2], W * H * 4);
            EXPECT_EQ(header[12] | header[13] << 8, 32);
            EXPECT_EQ(header[14], 0xEE); // only the 14 bytes of the header are written
            std::vector<uint32_t> rows(W * H);
            ASSERT_EQ(api().GetClipImageInfo(0, rows.data(), 1), 1);
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    EXPECT_EQ(rows[size_t((H - 1 - y) * W + x)], kxpf::roundTrip(format, pixel(x, y))) << x << "," << y;
        }
    }
}

// A 32-bit DIB's fourth bytes are alpha when they vary (a picture with transparent corners), and
// ignored when all are 0 or all 255, as most programs leave them.
TEST_F(UserLibTest, ThirtyTwoBitDibsKeepTheirAlphaOnlyWhenItVaries)
{
    auto& ds = HeadlessDesktopServices::instance();
    for (uint8_t rest : { 0x00, 0xFF }) {
        for (bool clearCorner : { false, true }) {
            Dib d = makeDib(4, false);
            for (size_t at = 3; at < d.bits.size(); at += 4)
                d.bits[at] = rest;
            d.bits[(H - 1) * W * 4 + 3] = clearCorner ? uint8_t(rest ^ 0xFF) : rest; // pixel 0,0
            ASSERT_EQ(api().PasteClipImage(0, d.header.data(), d.bits.data(), int(d.bits.size())), 1);
            KXClipPicture picture;
            ASSERT_TRUE(ds.clipboardPicture(picture));
            for (int i = 0; i < W * H; ++i) {
                uint32_t want = pixel(i % W, i / W) & 0xFFFFFFu;
                want |= clearCorner ? uint32_t(i == 0 ? rest ^ 0xFF : rest) << 24 : 0xFF000000u;
                EXPECT_EQ(picture.argb[size_t(i)], want) << int(rest) << " " << clearCorner << " " << i;
            }
        }
    }
}

// Export (Part of saveclip: top-row-first memory -> FreeImage with topdown TRUE -> PasteClipImage)
// and import (loadclip: GetClipImageInfo -> FreeImage topdown TRUE -> memory with topdown FALSE)
// give back the same upright picture for locked formats of 16, 24 and 32 bits.
TEST_F(UserLibTest, ApplicationFlagsGiveUprightRoundTripsThroughFreeImage)
{
    struct Layout {
        int format;
        unsigned bits, red, green, blue;
    };
    for (Layout l : { Layout { 1, 16, 0xF800, 0x07E0, 0x001F }, Layout { 3, 24, 0xFF0000, 0xFF00, 0xFF }, Layout { 4, 32, 0xFF0000, 0xFF00, 0xFF } }) {
        SCOPED_TRACE("format " + std::to_string(l.format));
        int bpp = int(l.bits / 8), pitch = W * bpp + 2; // locked memory may have padded rows
        std::vector<uint8_t> locked(size_t(pitch * H), 0);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                kxpf::fromArgb(l.format, locked.data() + y * pitch + x * bpp, pixel(x, y) & 0x00FFFFFF);

        void* dib = api().ConvertFromRawBits(locked.data(), W, H, pitch, l.bits, l.red, l.green, l.blue, 1);
        ASSERT_NE(dib, nullptr);
        int size = int(api().GetPitch(dib) * api().GetHeight(dib));
        ASSERT_EQ(api().PasteClipImage(0, api().GetInfoHeader(dib), api().GetBits(dib), size), 1);
        api().Unload(dib);

        uint8_t header[18];
        ASSERT_EQ(api().GetClipImageInfo(0, header, 0), 1);
        int32_t width, height, bytes;
        std::memcpy(&width, header, 4);
        std::memcpy(&height, header + 4, 4);
        std::memcpy(&bytes, header + 8, 4);
        int clipBits = header[12];
        std::vector<uint8_t> bank(static_cast<size_t>(bytes));
        api().GetClipImageInfo(0, bank.data(), 1);
        bool is16 = clipBits == 16;
        dib = api().ConvertFromRawBits(bank.data(), width, height, bytes / height, unsigned(clipBits), is16 ? 0xF800 : 0xFF0000, is16 ? 0x07E0 : 0xFF00, is16 ? 0x001F : 0xFF, 1);
        ASSERT_NE(dib, nullptr);
        if (clipBits != 32) {
            void* converted = api().ConvertTo24Bits(dib);
            api().Unload(dib);
            dib = converted;
        }
        std::vector<uint8_t> back(locked.size(), 0);
        api().ConvertToRawBits(back.data(), dib, pitch, l.bits, l.red, l.green, l.blue, 0);
        api().Unload(dib);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                EXPECT_EQ(kxpf::toArgb(l.format, back.data() + y * pitch + x * bpp), kxpf::toArgb(l.format, locked.data() + y * pitch + x * bpp)) << x << "," << y;
    }
}

TEST_F(UserLibTest, MalformedDibsAndOutOfOrderCallsAreRefused)
{
    auto& ds = HeadlessDesktopServices::instance();
    uint8_t header[18];
    EXPECT_EQ(api().GetClipImageInfo(0, header, 0), 0); // empty clipboard
    EXPECT_EQ(api().GetClipImageInfo(0, header, 1), 0); // nothing described
    EXPECT_EQ(api().GetClipImageInfo(0, nullptr, 0), 0);

    Dib d = makeDib(3, false);
    EXPECT_EQ(api().PasteClipImage(0, d.header.data(), d.bits.data(), int(d.bits.size()) - 1), 0); // rows cut short
    EXPECT_EQ(api().PasteClipImage(0, nullptr, d.bits.data(), int(d.bits.size())), 0);
    EXPECT_EQ(api().PasteClipImage(0, d.header.data(), nullptr, int(d.bits.size())), 0);
    Dib bad = d;
    bad.header[14] = 8; // palette pictures are not taken
    EXPECT_EQ(api().PasteClipImage(0, bad.header.data(), bad.bits.data(), int(bad.bits.size())), 0);
    bad = d;
    put32(bad.header, 4, 0x7FFFFFFF); // a width no size could hold
    EXPECT_EQ(api().PasteClipImage(0, bad.header.data(), bad.bits.data(), 0x7FFFFFFF), 0);
    EXPECT_FALSE(ds.hasClipboardPicture());

    // Mode 1 copies the picture mode 0 described, even when the clipboard changed in between.
    ASSERT_EQ(api().PasteClipImage(0, d.header.data(), d.bits.data(), int(d.bits.size())), 1);
    ASSERT_EQ(api().GetClipImageInfo(0, header, 0), 1);
    KXClipPicture big;
    big.width = 100;
    big.height = 100;
    big.argb.assign(10000, 0xFF00FF00u);
    ds.putClipboardPicture(big);
    std::vector<uint32_t> rows(W * H + 1, 0xABABABABu);
    ASSERT_EQ(api().GetClipImageInfo(0, rows.data(), 1), 1);
    EXPECT_EQ(rows[0], pixel(0, H - 1));
    EXPECT_EQ(rows[W * H], 0xABABABABu);
}

TEST_F(UserLibTest, ExportsWorkFromAFourByteAlignedStack)
{
    Dib d = makeDib(4, false);
    EXPECT_EQ(kxCallMisaligned(api().PasteClipImage, { 0, kxArg(d.header.data()), kxArg(d.bits.data()), uint32_t(d.bits.size()) }), 1u);
    uint8_t header[18];
    EXPECT_EQ(kxCallMisaligned(api().GetClipImageInfo, { 0, kxArg(header), 0 }), 1u);
    std::vector<uint32_t> rows(W * H);
    EXPECT_EQ(kxCallMisaligned(api().GetClipImageInfo, { 0, kxArg(rows.data()), 1 }), 1u);
    EXPECT_EQ(rows[0], pixel(0, H - 1));
    uint32_t dib = kxCallMisaligned(api().ConvertFromRawBits, { kxArg(rows.data()), W, H, W * 4, 32, 0xFF0000, 0xFF00, 0xFF, 0 });
    ASSERT_NE(dib, 0u);
    EXPECT_EQ(kxCallMisaligned(api().GetWidth, { dib }), uint32_t(W));
    uint32_t copy = kxCallMisaligned(api().ConvertTo24Bits, { dib });
    std::vector<uint8_t> raw(W * H * 3);
    kxCallMisaligned(api().ConvertToRawBits, { kxArg(raw.data()), copy, W * 3, 24, 0xFF0000, 0xFF00, 0xFF, 1 });
    EXPECT_EQ(raw[0] | raw[1] << 8 | raw[2] << 16, int(pixel(0, 0) & 0xFFFFFF));
    std::string file = testing::TempDir() + "kxt-aligned.png";
    EXPECT_EQ(kxCallMisaligned(api().Save, { 13, copy, kxArg(file.c_str()), 0 }), 1u);
    std::remove(file.c_str());
    kxCallMisaligned(api().Unload, { copy });
    kxCallMisaligned(api().Unload, { dib });
}
