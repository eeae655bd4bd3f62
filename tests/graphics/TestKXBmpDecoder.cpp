// BMP files of every common variant: pictures ImageMagick writes, compared pixel for pixel with
// ImageMagick's own reading of them, and hand-made files for what it does not write (56-byte
// headers, RLE4, deltas, the core header, top-down rows) and for malformed ones.
#include "graphics/KXBmpDecoder.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
// A scratch folder, removed with its contents at the end of the test.
class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kxbmp-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

std::vector<uint32_t> pixelsOf(KXPixmap* p)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < p->height(); ++y)
        for (int x = 0; x < p->width(); ++x)
            out.push_back(reinterpret_cast<const uint32_t*>(p->row(y))[x]);
    return out;
}

void put(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

// A BMP with the given picture-header size (12, 40, 56, 108 or 124), palette (BGR entries
// taken from ARGB values), channel masks (red, green, blue, alpha; inside headers of 52 bytes
// and more, after a 40-byte header) and pixel data as stored.
std::vector<uint8_t> bmp(int headerSize, int width, int height, int bpp, uint32_t compression,
    const std::vector<uint32_t>& palette, const std::vector<uint8_t>& data, std::array<uint32_t, 4> masks = {})
{
    const bool masksAfter = headerSize == 40 && (compression == 3 || compression == 6);
    const int entry = headerSize == 12 ? 3 : 4;
    const uint32_t offset = 14 + headerSize + (masksAfter ? 12 : 0) + uint32_t(palette.size()) * entry;
    std::vector<uint8_t> out { 'B', 'M' };
    put(out, offset + uint32_t(data.size()), 4);
    put(out, 0, 4);
    put(out, offset, 4);
    put(out, uint32_t(headerSize), 4);
    if (headerSize == 12) {
        put(out, uint32_t(width), 2);
        put(out, uint32_t(height), 2);
        put(out, 1, 2);
        put(out, uint32_t(bpp), 2);
    } else {
        put(out, uint32_t(width), 4);
        put(out, uint32_t(height), 4);
        put(out, 1, 2);
        put(out, uint32_t(bpp), 2);
        put(out, compression, 4);
        put(out, uint32_t(data.size()), 4);
        put(out, 2835, 4);
        put(out, 2835, 4);
        put(out, uint32_t(palette.size()), 4);
        put(out, 0, 4);
        for (int i = 0; i < 4 && 40 + 4 * i < headerSize; ++i)
            put(out, masks[size_t(i)], 4);
        while (out.size() < size_t(14 + headerSize))
            out.push_back(0);
        if (masksAfter)
            for (int i = 0; i < 3; ++i)
                put(out, masks[size_t(i)], 4);
    }
    for (uint32_t c : palette) {
        put(out, c & 0xFFFFFF, 3);
        if (entry == 4)
            out.push_back(0);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<uint32_t> decoded(const std::vector<uint8_t>& file)
{
    KXRef<KXPixmap> p(KXBmpDecoder::decode(file.data(), file.size()));
    return p ? pixelsOf(p.get()) : std::vector<uint32_t>();
}

constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, K = 0xFF000000, W = 0xFFFFFFFF;
}

TEST(BmpFiles, EveryVariantImageMagickWritesReadsAsImageMagickReadsIt)
{
    if (std::system("command -v convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    ScratchDir dir;
    const std::string d = dir.path() + "/";
    // A picture with every channel varying, 13 pixels wide so that rows need padding.
    ASSERT_EQ(std::system(("convert -size 13x7 xc: -sparse-color bilinear '0,0 red 12,0 lime 0,6 blue 12,6 yellow' -depth 8 PNG24:"
                  + d + "src.png")
                              .c_str()),
        0);
    struct Variant {
        const char* name;
        const char* options; // between the source and the output
        uint8_t headerSize, bpp, compression;
    } variants[] = {
        { "24bit", "-type TrueColor", 124, 24, 0 },
        { "32bit-alpha", "-alpha set -channel A -evaluate set 50% +channel", 124, 32, 3 },
        { "8bit-palette", "-colors 200 -type Palette -compress None", 124, 8, 0 },
        { "4bit-palette", "-colors 12 -type Palette", 124, 4, 0 },
        { "1bit", "-monochrome", 108, 1, 0 },
        { "16bit-565", "-define bmp:subtype=RGB565", 124, 16, 3 },
        { "rle8", "-colors 200 -type Palette -compress RLE", 124, 8, 1 },
        { "rle8-bmp3", "-colors 200 -type Palette -compress RLE -define bmp:format=bmp3", 40, 8, 1 },
        { "24bit-bmp3", "-type TrueColor -define bmp:format=bmp3", 40, 24, 0 },
    };
    KXRef<KXPixmap> source(KXImageLoader::load(d + "src.png"));
    ASSERT_TRUE(source);
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const std::string file = d + v.name + ".bmp", ref = d + v.name + "-ref.png";
        ASSERT_EQ(std::system(("convert " + d + "src.png " + v.options + " " + file).c_str()), 0);
        ASSERT_EQ(std::system(("convert " + file + " " + ref).c_str()), 0);
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GE(bytes.size(), 54u);
        // The file is the variant meant: header size, bits per pixel, compression.
        EXPECT_EQ(bytes[14], v.headerSize);
        EXPECT_EQ(bytes[28], v.bpp);
        EXPECT_EQ(bytes[30], v.compression);

        KXRef<KXPixmap> mine(KXImageLoader::load(file)), theirs(KXImageLoader::load(ref));
        ASSERT_TRUE(mine);
        ASSERT_TRUE(theirs);
        EXPECT_EQ(mine->width(), 13);
        EXPECT_EQ(mine->height(), 7);
        EXPECT_EQ(pixelsOf(mine.get()), pixelsOf(theirs.get()));
        if (v.bpp >= 24) {
            EXPECT_EQ(pixelsOf(mine.get()), pixelsOf(source.get())); // lossless variants
        }
    }
}

TEST(BmpFiles, HandMadeHeadersAndRowOrders)
{
    // 56-byte header, 32 bits with explicit masks (alpha ignored: pictures load opaque).
    std::vector<uint8_t> px;
    for (uint32_t c : { 0x80FF0000u, 0x0000FF00u, 0xFF0000FFu, 0x12345678u })
        put(px, c, 4);
    EXPECT_EQ(decoded(bmp(56, 2, 2, 32, 3, {}, px, { 0xFF0000, 0xFF00, 0xFF, 0xFF000000 })),
        (std::vector<uint32_t> { B, 0xFF345678, R, G }));
    // Masks after a 40-byte header: 16-bit 5-6-5, rounded up to 8 bits per channel.
    px.clear();
    put(px, 0xF800, 2);
    put(px, 0x0841, 2); // 1, 2, 1
    EXPECT_EQ(decoded(bmp(40, 2, 1, 16, 3, {}, px, { 0xF800, 0x07E0, 0x001F, 0 })),
        (std::vector<uint32_t> { R, 0xFF080808 }));
    // 16 bits without masks: x-5-5-5.
    px.clear();
    put(px, 0x7C00, 2);
    put(px, 0x03E0, 2);
    EXPECT_EQ(decoded(bmp(40, 2, 1, 16, 0, {}, px)), (std::vector<uint32_t> { R, G }));
    // Top-down 24-bit rows (negative height), each padded to 4 bytes.
    px = { 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    EXPECT_EQ(decoded(bmp(108, 3, -2, 24, 0, {}, px)), (std::vector<uint32_t> { R, G, B, W, K, K }));
    // The core header: 16-bit sizes, 3-byte palette entries; 2 bits per pixel.
    px = { 0b00011011, 0, 0, 0 };
    EXPECT_EQ(decoded(bmp(12, 4, 1, 2, 0, { R, G, B, W }, px)), (std::vector<uint32_t> { R, G, B, W }));
}

TEST(BmpFiles, RunLengthStreams)
{
    // RLE4, 6 × 3, bottom row first: a run of alternating indexes, absolute pixels (padded to a
    // 16-bit boundary), end of line, a delta, end of picture. Unset pixels take entry 0.
    const std::vector<uint32_t> pal { K, R, G, B };
    std::vector<uint8_t> rle4 = {
        4, 0x12, // R G R G
        0, 3, 0x31, 0x20, // absolute: B R G (3 pixels in 2 bytes, already even)
        0, 0, // end of line: the bottom row had 6 pixels set (one beyond the width is dropped)
        0, 2, 2, 1, // delta: two right, one up (to the top row, x = 2)
        1, 0x30, // B
        0, 1, // end of picture
    };
    EXPECT_EQ(decoded(bmp(40, 6, 3, 4, 2, pal, rle4)),
        (std::vector<uint32_t> { K, K, B, K, K, K, K, K, K, K, K, K, R, G, R, G, B, R }));
    // RLE8 with an odd absolute run (one pad byte) and a stream cut short.
    std::vector<uint8_t> rle8 = { 0, 3, 1, 2, 3, 0, 2, 1, 0, 0, 5 };
    EXPECT_EQ(decoded(bmp(124, 5, 2, 8, 1, pal, rle8)), (std::vector<uint32_t> { K, K, K, K, K, R, G, B, R, R }));
}

TEST(BmpFiles, MalformedFilesFailCleanly)
{
    std::vector<uint8_t> px(16, 0); // two rows of two 24-bit pixels, each padded to 8 bytes
    const std::vector<uint8_t> good = bmp(40, 2, 2, 24, 0, {}, px);
    ASSERT_EQ(decoded(good).size(), 4u);
    auto broken = [&](size_t at, uint32_t value, int bytes) {
        std::vector<uint8_t> f = good;
        for (int i = 0; i < bytes; ++i)
            f[at + size_t(i)] = uint8_t(value >> (8 * i));
        return decoded(f);
    };
    EXPECT_TRUE(broken(14, 0xFFFFFFF0, 4).empty()); // header size beyond the file
    EXPECT_TRUE(broken(14, 8, 4).empty()); // no known header
    EXPECT_TRUE(broken(18, 0x7FFFFFFF, 4).empty()); // width far beyond the data
    EXPECT_TRUE(broken(22, 0x80000000, 4).empty()); // height -2^31
    EXPECT_TRUE(broken(18, 0, 4).empty()); // zero width
    EXPECT_TRUE(broken(28, 7, 2).empty()); // 7 bits per pixel
    EXPECT_TRUE(broken(30, 4, 4).empty()); // embedded JPEG: left to FreeImage
    EXPECT_TRUE(broken(30, 1, 4).empty()); // RLE8 with 24 bits per pixel
    EXPECT_EQ(broken(10, 0xFFFFFF00, 4).size(), 4u); // a pixel offset past the end: pixels follow the headers
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_TRUE(decoded(cut).empty());
    EXPECT_TRUE(decoded(std::vector<uint8_t>(good.begin(), good.begin() + 20)).empty());
    EXPECT_EQ(KXBmpDecoder::decode(nullptr, 0), nullptr);
    // A palette picture whose indexes pass the palette reads them as black.
    std::vector<uint8_t> idx = { 0xFF, 0, 0, 0 };
    EXPECT_EQ(decoded(bmp(40, 1, 1, 8, 0, { R }, idx)), (std::vector<uint32_t> { K }));
}

TEST_F(GraphicsTest, LoadImageReadsVersionFiveBmp)
{
    ScratchDir dir;
    const std::string path = dir.path() + "/v5.bmp";
    std::vector<uint8_t> px = { 0xFF, 0, 0, 0, 0, 0xFF, 0, 0 };
    const std::vector<uint8_t> file = bmp(124, 2, 1, 32, 0, {}, px);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    int img = adopt(LoadImage(KXArg(path), 1));
    ASSERT_NE(img, 0);
    EXPECT_EQ(pixels(img), (std::vector<uint32_t> { B, G }));
}
