// The adapter's PNG encoder: every filter and layout decodes in ImageMagick to exactly the
// pixels given (RGB for opaque layouts, RGBA with the alpha kept), from rows stored top-down or
// bottom-up; a failing sink or a picture it cannot describe fails the encode.
#include "userlibs/freeimage/KXPngWriter.h"

#include "tests/support/KXShell.h"
#include "tests/support/KXTempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

int toFile(void* file, const uint8_t* bytes, size_t length) { return fwrite(bytes, 1, length, static_cast<FILE*>(file)) == length; }

// A picture with flat areas, gradients and noise, and in its top-left corner pixels of alpha 0
// and a translucent band (as masked window corners have them): R, G, B, A bytes, top row first.
std::vector<uint8_t> picture(int w, int h)
{
    std::vector<uint8_t> rgba(size_t(w) * size_t(h) * 4);
    uint32_t seed = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rgba[(size_t(y) * size_t(w) + size_t(x)) * 4];
            seed = seed * 1103515245u + 12345u;
            if (x < w / 3) { // flat
                p[0] = 0x30, p[1] = 0x50, p[2] = 0x78;
            } else if (y < h / 2) { // gradient
                p[0] = uint8_t(x * 3), p[1] = uint8_t(y * 5), p[2] = uint8_t(x + y);
            } else { // noise
                p[0] = uint8_t(seed >> 24), p[1] = uint8_t(seed >> 16), p[2] = uint8_t(seed >> 8);
            }
            p[3] = x + y < 6 ? 0 : y == 8 ? uint8_t(x * 7)
                                          : 0xFF;
        }
    return rgba;
}

}

TEST(PngWriter, EveryFilterAndLayoutDecodesToTheSamePixels)
{
    constexpr int w = 67, h = 41; // odd sizes: no row is a multiple of anything
    KXTempDir dir;
    const std::vector<uint8_t> rgba = picture(w, h);
    for (int layout : { KXPNG_BGR24, KXPNG_BGRX32, KXPNG_BGRA32 }) {
        const int bpp = layout == KXPNG_BGR24 ? 3 : 4, channels = layout == KXPNG_BGRA32 ? 4 : 3;
        const int pitch = w * bpp + 5; // rows padded
        std::vector<uint8_t> rows(size_t(pitch) * h, 0xEE);
        std::string want;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const uint8_t* p = &rgba[(size_t(y) * w + x) * 4];
                uint8_t* q = &rows[size_t(y) * pitch + size_t(x) * bpp];
                q[0] = p[2], q[1] = p[1], q[2] = p[0];
                if (bpp == 4)
                    q[3] = layout == KXPNG_BGRA32 ? p[3] : 0x5A; // the unused byte is not alpha
                want.append(reinterpret_cast<const char*>(p), size_t(channels));
            }
        // The same rows stored the other way up, as the image library keeps them.
        std::vector<uint8_t> flipped(rows.size());
        for (int y = 0; y < h; ++y)
            std::copy_n(&rows[size_t(y) * pitch], pitch, &flipped[size_t(h - 1 - y) * pitch]);
        for (bool bottomUp : { false, true }) {
            KXPngImage image {};
            image.top = bottomUp ? &flipped[size_t(h - 1) * pitch] : rows.data();
            image.stride = bottomUp ? -pitch : pitch;
            image.width = w;
            image.height = h;
            image.layout = layout;
            for (int filter = KXPNG_NONE; filter <= KXPNG_AUTO; ++filter) {
                SCOPED_TRACE(testing::Message() << "layout " << layout << " bottom-up " << bottomUp << " filter " << filter);
                std::string file = dir / "p.png";
                FILE* f = std::fopen(file.c_str(), "wb");
                ASSERT_NE(f, nullptr);
                EXPECT_EQ(kxPngEncode(&image, filter, 1 + 2 * (filter % 6), toFile, f), 1);
                std::fclose(f);
                EXPECT_EQ(kxShellOutput("identify -format '%w %h %[channels]' '" + file + "'"),
                    std::to_string(w) + " " + std::to_string(h) + (channels == 4 ? " srgba" : " srgb"));
                std::string got = kxShellOutput("convert '" + file + "' -depth 8 " + (channels == 4 ? "rgba" : "rgb") + ":- 2>/dev/null");
                EXPECT_TRUE(got == want) << "the decoded pixels differ";
            }
        }
    }
}

TEST(PngWriter, FailingSinksAndBadPicturesFailTheEncode)
{
    uint8_t pixels[12] = {};
    KXPngImage image {};
    image.top = pixels;
    image.stride = 6;
    image.width = 2;
    image.height = 2;
    image.layout = KXPNG_BGR24;
    int calls = 0;
    struct Counter {
        int* calls;
        int failAt;
    };
    auto sink = [](void* c, const uint8_t*, size_t) {
        Counter* counter = static_cast<Counter*>(c);
        return ++*counter->calls < counter->failAt ? 1 : 0;
    };
    for (int failAt : { 1, 3, 6 }) {
        calls = 0;
        Counter counter { &calls, failAt };
        EXPECT_EQ(kxPngEncode(&image, KXPNG_UP, 4, sink, &counter), 0) << failAt;
        EXPECT_EQ(calls, failAt) << "nothing is sent after a failed write";
    }
    Counter never { &calls, 1 << 30 };
    EXPECT_EQ(kxPngWrite(&image, sink, &never), 1);
    using Spoil = void (*)(KXPngImage&);
    for (Spoil bad : { Spoil([](KXPngImage& i) { i.top = nullptr; }), Spoil([](KXPngImage& i) { i.width = 0; }),
             Spoil([](KXPngImage& i) { i.layout = 9; }), Spoil([](KXPngImage& i) { i.width = 1u << 20, i.height = 1u << 20; }) }) {
        KXPngImage copy = image;
        bad(copy);
        EXPECT_EQ(kxPngWrite(&copy, sink, &never), 0);
    }
    EXPECT_EQ(kxPngEncode(&image, 7, 4, sink, &never), 0);
    EXPECT_EQ(kxPngEncode(&image, KXPNG_UP, 0, sink, &never), 0);
}
