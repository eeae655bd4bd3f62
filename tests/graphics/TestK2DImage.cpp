// Images: creation rules, handles, copies, masks and the affine transform against a direct
// evaluation of its formula.
#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <cmath>
#include <random>

namespace {
struct Picture {
    int w, h, hx, hy;
    std::vector<uint32_t> px; // ARGB as read back
};

// The transform written out directly from its definition, one pixel at a time.
Picture referenceTransform(const Picture& s, float a, float b, float c, float d, bool filter, int format)
{
    float cx[4] = { float(-s.hx), float(s.w - s.hx), float(s.w - s.hx), float(-s.hx) };
    float cy[4] = { float(-s.hy), float(-s.hy), float(s.h - s.hy), float(s.h - s.hy) };
    float x0 = 1e30f, x1 = -1e30f, y0 = 1e30f, y1 = -1e30f;
    for (int k = 0; k < 4; ++k) {
        float tx = a * cx[k] + b * cy[k], ty = c * cx[k] + d * cy[k];
        x0 = std::min(x0, tx), x1 = std::max(x1, tx), y0 = std::min(y0, ty), y1 = std::max(y1, ty);
    }
    int minX = int(std::floor(x0)), minY = int(std::floor(y0));
    Picture r { int(std::ceil(x1)) - minX, int(std::ceil(y1)) - minY, -minX, -minY, {} };
    float det = a * d - b * c;
    float ia = d / det, ib = -b / det, ic = -c / det, id = a / det;
    auto at = [&](int x, int y) -> uint32_t { return x >= 0 && y >= 0 && x < s.w && y < s.h ? s.px[size_t(y * s.w + x)] : 0; };
    for (int j = 0; j < r.h; ++j)
        for (int i = 0; i < r.w; ++i) {
            float px = float(minX) + 0.5f + float(i), py = float(minY) + 0.5f + float(j);
            float sx = ia * px + ib * py, sy = ic * px + id * py;
            uint32_t v = 0;
            if (!filter) {
                v = at(int(std::floor(sx + float(s.hx))), int(std::floor(sy + float(s.hy))));
            } else {
                float u = sx + float(s.hx) - 0.5f, w = sy + float(s.hy) - 0.5f;
                int ux = int(std::floor(u)), vy = int(std::floor(w));
                float fx = u - float(ux), fy = w - float(vy);
                uint32_t p00 = at(ux, vy), p10 = at(ux + 1, vy), p01 = at(ux, vy + 1), p11 = at(ux + 1, vy + 1);
                for (int sh = 0; sh < 32; sh += 8) {
                    float c00 = float((p00 >> sh) & 0xFF), c10 = float((p10 >> sh) & 0xFF);
                    float c01 = float((p01 >> sh) & 0xFF), c11 = float((p11 >> sh) & 0xFF);
                    float t = c00 * (1 - fx) * (1 - fy) + c10 * fx * (1 - fy) + c01 * (1 - fx) * fy + c11 * fx * fy + 0.5f;
                    v |= uint32_t(int(t)) << sh;
                }
            }
            r.px.push_back(kxpf::roundTrip(format, v));
        }
    return r;
}
}

TEST_F(GraphicsTest, CreateImageChecksItsParameters)
{
    EXPECT_RUNTIME_ERROR(CreateImage(0, 10, 1, 2), "Illegal Parameter for CreateImage");
    EXPECT_RUNTIME_ERROR(CreateImage(10, -1, 1, 2), "Illegal Parameter for CreateImage");
    EXPECT_RUNTIME_ERROR(CreateImage(10, 10, 0, 2), "Illegal Parameter for CreateImage");
    int img = image(3, 2, 3);
    EXPECT_NE(ImageBuffer(img, 2), ImageBuffer(img, 0));
    EXPECT_RUNTIME_ERROR(ImageBuffer(img, 3), "Image frame out of range");
    FreeImage(0); // does nothing
}

TEST_F(GraphicsTest, HandlesAndAutoMidHandle)
{
    int img = image(101, 51);
    EXPECT_EQ(ImageXHandle(img), 0);
    MidHandle(img);
    EXPECT_EQ(ImageXHandle(img), 50);
    EXPECT_EQ(ImageYHandle(img), 25);
    HandleImage(img, -3, 7);
    EXPECT_EQ(ImageXHandle(img), -3);
    AutoMidHandle(1);
    int mid = image(11, 4);
    EXPECT_EQ(ImageXHandle(mid), 5);
    EXPECT_EQ(ImageYHandle(mid), 2);
}

TEST_F(GraphicsTest, CopyImageKeepsHandleMaskAndPixels)
{
    int img = image(5, 3, 2);
    HandleImage(img, 2, 1);
    MaskImage(img, 10, 20, 30);
    std::vector<uint32_t> px(15);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | uint32_t(i * 0x111111);
    fill(img, px);
    int copy = adopt(CopyImage(img));
    EXPECT_EQ(ImageWidth(copy), 5);
    EXPECT_EQ(ImageXHandle(copy), 2);
    EXPECT_EQ(ImageYHandle(copy), 1);
    EXPECT_EQ(pixels(copy), px);
    EXPECT_NE(ImageBuffer(copy, 1), ImageBuffer(img, 1));
    // The copied mask colour takes effect in masked drawing.
    fill(copy, std::vector<uint32_t>(15, 0xFF0A141E));
    int dst = image(5, 3);
    use(dst);
    ClsColor(1, 1, 1);
    Cls();
    DrawImage(copy, 2, 1, 0);
    EXPECT_EQ(pixels(dst), std::vector<uint32_t>(15, 0xFF010101));
}

// Copies share their pixels until one side writes: no write, through drawing or a lock, ever
// shows on the other side, and a copy made while its source is locked is a copy of that moment.
TEST_F(GraphicsTest, ACopyAndItsSourceNeverSeeEachOthersWrites)
{
    const std::vector<uint32_t> first(15, 0xFF112233), second(15, 0xFF445566);
    int img = image(5, 3);
    fill(img, first);
    int copy = adopt(CopyImage(img));
    int resized = adopt(CopyImage(copy));
    TFormFilter(0);
    ResizeImage(resized, 10, 6); // read from the shared pixels
    fill(img, second);
    EXPECT_EQ(pixels(copy), first);
    fill(copy, second);
    fill(img, first);
    EXPECT_EQ(pixels(copy), second);
    EXPECT_EQ(ImageWidth(resized), 10);
    EXPECT_EQ(pixels(resized), std::vector<uint32_t>(60, 0xFF112233));

    const int buffer = ImageBuffer(img, 0);
    LockBuffer(buffer);
    int during = adopt(CopyImage(img));
    WritePixelFast(0, 0, int(0xFF445566), buffer);
    UnlockBuffer(buffer);
    EXPECT_EQ(pixels(during), first);
    EXPECT_EQ(pixels(img)[0], 0xFF445566u);
}

TEST_F(GraphicsTest, ScaleByTwoAboutEitherHandle)
{
    TFormFilter(0);
    int img = image(10, 10);
    std::vector<uint32_t> px(100);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = 0xFF000000u | uint32_t(i * 7919);
    fill(img, px);
    ScaleImage(img, 2, 2);
    EXPECT_EQ(ImageWidth(img), 20);
    EXPECT_EQ(ImageHeight(img), 20);
    EXPECT_EQ(ImageXHandle(img), 0);
    auto out = pixels(img);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(out[size_t(y * 20 + x)], px[size_t((y / 2) * 10 + x / 2)]) << x << "," << y;

    int mid = image(10, 10);
    MidHandle(mid);
    ScaleImage(mid, 2, 2);
    EXPECT_EQ(ImageWidth(mid), 20);
    EXPECT_EQ(ImageXHandle(mid), 10);
    EXPECT_EQ(ImageYHandle(mid), 10);
}

TEST_F(GraphicsTest, ResizeWorkedExample)
{
    std::mt19937 rng(7);
    std::vector<uint32_t> px(100 * 50);
    for (auto& p : px)
        p = rng() | 0xFF000000u;
    for (int filter : { 0, 1 }) {
        TFormFilter(filter);
        int img = image(100, 50);
        fill(img, px);
        ResizeImage(img, 50, 25);
        ASSERT_EQ(ImageWidth(img), 50);
        ASSERT_EQ(ImageHeight(img), 25);
        EXPECT_EQ(ImageXHandle(img), 0);
        auto out = pixels(img);
        for (int j = 0; j < 25; ++j)
            for (int i = 0; i < 50; ++i) {
                uint32_t want;
                if (!filter)
                    want = px[size_t((2 * j + 1) * 100 + 2 * i + 1)];
                else {
                    want = 0xFF000000u;
                    for (int sh = 0; sh < 24; sh += 8) {
                        uint32_t sum = 0;
                        for (int dy = 0; dy < 2; ++dy)
                            for (int dx = 0; dx < 2; ++dx)
                                sum += (px[size_t((2 * j + dy) * 100 + 2 * i + dx)] >> sh) & 0xFF;
                        want |= ((sum + 2) / 4) << sh;
                    }
                }
                ASSERT_EQ(out[size_t(j * 50 + i)], want) << filter << ": " << i << "," << j;
            }
    }
}

TEST_F(GraphicsTest, FilteredEdgesBlendTowardTransparentBlack)
{
    int img = image(2, 2);
    fill(img, std::vector<uint32_t>(4, 0xFFFFFFFF));
    ScaleImage(img, 2, 2);
    auto out = pixels(img);
    // Corner samples take 0.75 × 0.75 of white and the rest from outside: 255 × 0.5625 = 143.4.
    EXPECT_EQ(out[0], 0xFF8F8F8Fu);
    EXPECT_EQ(out[15], 0xFF8F8F8Fu);
    EXPECT_EQ(out[5], 0xFFFFFFFFu);
    EXPECT_EQ(out[7], 0xFFBFBFBFu); // right edge, inner row: 255 × 0.75 + 0.5
}

TEST_F(GraphicsTest, FlipsByMinusOneMirrorExactly)
{
    for (int filter : { 0, 1 }) {
        TFormFilter(filter);
        int img = image(3, 2);
        std::vector<uint32_t> px = { 0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004, 0xFF000005, 0xFF000006 };
        fill(img, px);
        ScaleImage(img, -1, 1);
        EXPECT_EQ(ImageXHandle(img), 3);
        EXPECT_EQ(pixels(img), (std::vector<uint32_t> { 0xFF000003, 0xFF000002, 0xFF000001, 0xFF000006, 0xFF000005, 0xFF000004 }));
        ScaleImage(img, 1, -1);
        EXPECT_EQ(ImageYHandle(img), 2);
        EXPECT_EQ(pixels(img)[0], 0xFF000006u);
    }
}

TEST_P(GraphicsFormatTest, TransformsMatchTheFormulaOnRandomImages)
{
    std::mt19937 rng { uint32_t(GetParam()) };
    struct Case {
        float a, b, c, d;
        int w, h, hx, hy;
    };
    const Case cases[] = {
        { 0.5f, 0, 0, 0.5f, 37, 21, 0, 0 },
        { 0.37f, 0, 0, 0.61f, 40, 30, 20, 15 },
        { 1.7f, 0, 0, 2.25f, 13, 9, 3, 4 },
        { -1, 0, 0, 0.75f, 16, 12, 8, 6 },
        { 0.8660254f, -0.5f, 0.5f, 0.8660254f, 19, 11, 9, 5 },
        { 1.25f, 0.3f, -0.2f, 0.9f, 14, 10, 0, 0 },
    };
    for (const Case& k : cases)
        for (int filter : { 0, 1 }) {
            TFormFilter(filter);
            int img = image(k.w, k.h);
            Picture src { k.w, k.h, k.hx, k.hy, {} };
            for (int i = 0; i < k.w * k.h; ++i)
                src.px.push_back(kxpf::roundTrip(GetParam(), rng()));
            fill(img, src.px);
            HandleImage(img, k.hx, k.hy);
            TFormImage(img, k.a, k.b, k.c, k.d);
            Picture want = referenceTransform(src, k.a, k.b, k.c, k.d, filter, GetParam());
            ASSERT_EQ(ImageWidth(img), want.w);
            ASSERT_EQ(ImageHeight(img), want.h);
            EXPECT_EQ(ImageXHandle(img), want.hx);
            EXPECT_EQ(ImageYHandle(img), want.hy);
            EXPECT_EQ(pixels(img), want.px) << k.a << " " << k.b << " filter " << filter;
        }
}

TEST_F(GraphicsTest, SingularTransformIsRefusedAndLeavesTheImage)
{
    int img = image(4, 4);
    EXPECT_RUNTIME_ERROR(ScaleImage(img, 0, 1), "Illegal image transform");
    EXPECT_EQ(ImageWidth(img), 4);
    RotateImage(img, 90);
    EXPECT_GE(ImageWidth(img), 4);
    EXPECT_LE(ImageWidth(img), 5);
}

TEST_F(GraphicsTest, AnimImagesCutCellsRowByRow)
{
    std::string file = kxTestInput("images", "rgb4x2.png");
    int anim = adopt(LoadAnimImage(KXArg(file), 2, 1, 1, 3));
    ASSERT_NE(anim, 0);
    EXPECT_EQ(ImageWidth(anim), 2);
    int b = ImageBuffer(anim, 1);
    EXPECT_EQ(uint32_t(ReadPixel(1, 0, b)), 0xFF123456u);
    EXPECT_EQ(uint32_t(ReadPixel(0, 0, ImageBuffer(anim, 0))), 0xFF0000FFu);
    EXPECT_EQ(LoadAnimImage(KXArg(file), 2, 1, 2, 3), 0); // only four cells
    EXPECT_RUNTIME_ERROR(LoadAnimImage(KXArg(file), 0, 1, 0, 1), "Illegal Parameter for CreateImage");
}

TEST_F(GraphicsTest, HugeSizesFailBeforeAnythingIsAllocated)
{
    // Sizes whose byte counts overflow 32 bits are refused, not wrapped round.
    EXPECT_RUNTIME_ERROR(CreateImage(2147483647, 2147483647, 1, 2), "Unable to create image of 2147483647 x 2147483647");
    EXPECT_RUNTIME_ERROR(CreateImage(0x40000000, 1, 1, 2), "Unable to create image of 1073741824 x 1");
    EXPECT_RUNTIME_ERROR(CreateImage(65536, 65536, 1, 2), "Unable to create image of 65536 x 65536");
    EXPECT_RUNTIME_ERROR(CreateImage(1, 1, 536870912, 2), "Unable to create image of 1 x 1");
    EXPECT_RUNTIME_ERROR(CreateImage(1024, 1024, 2048, 2), "Unable to create image of 1024 x 1024");
    std::string file = kxTestInput("images", "rgb4x2.png");
    EXPECT_EQ(LoadAnimImage(KXArg(file), 1, 1, 0, 2147483647), 0); // eight cells, nothing built
    EXPECT_EQ(LoadAnimImage(KXArg(file), 2147483647, 2147483647, 0, 1), 0);
    for (int format = 1; format <= 7; ++format) {
        EXPECT_EQ(KXRef<KXPixmap>(KXPixmap::create(2147483647, 2147483647, format)).get(), nullptr);
        EXPECT_EQ(KXRef<KXPixmap>(KXPixmap::create(0x40000000, 1, format)).get(), nullptr);
        EXPECT_EQ(KXRef<KXPixmap>(KXPixmap::create(46341, 46341, format)).get(), nullptr);
    }
    // A sane size next to them still works.
    int img = image(3, 2);
    WritePixel(2, 1, int(0xFF010203), ImageBuffer(img, 0));
    EXPECT_EQ(uint32_t(ReadPixel(2, 1, ImageBuffer(img, 0))), 0xFF010203u);
}

TEST_F(GraphicsTest, CollisionsIgnoreMaskedPixels)
{
    int a = image(3, 3), b = image(3, 3);
    std::vector<uint32_t> dot(9, 0xFF000000);
    dot[4] = 0xFFFFFFFF; // only the centre is solid
    fill(a, dot);
    fill(b, dot);
    EXPECT_EQ(ImagesOverlap(a, 0, 0, b, 2, 2), 1);
    EXPECT_EQ(ImagesCollide(a, 0, 0, 0, b, 2, 2, 0), 0); // corners touch, centres do not
    EXPECT_EQ(ImagesCollide(a, 0, 0, 0, b, 0, 0, 0), 1);
    MidHandle(b);
    EXPECT_EQ(ImagesCollide(a, 0, 0, 0, b, 1, 1, 0), 1);
    EXPECT_EQ(ImageRectOverlap(a, 0, 0, 2, 2, 5, 5), 1);
    EXPECT_EQ(ImageRectCollide(a, 0, 0, 0, 2, 2, 5, 5), 0);
    EXPECT_EQ(ImageRectCollide(a, 0, 0, 0, 1, 1, 1, 1), 1);
}
