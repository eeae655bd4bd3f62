// Drawing on the current buffer: state, viewport, Cls, lines, image drawing, text; image files.
#include "graphics/KXPixelFormat.h"
#include "graphics/headless/HeadlessScreen.h"
#include "tests/graphics/GraphicsTestSupport.h"

#include <cstdio>
#include <random>

namespace {
// The set pixels of a frame (those not equal to the background).
std::vector<std::pair<int, int>> setPixels(const std::vector<uint32_t>& px, int w, uint32_t background)
{
    std::vector<std::pair<int, int>> out;
    for (size_t i = 0; i < px.size(); ++i)
        if (px[i] != background)
            out.emplace_back(int(i) % w, int(i) / w);
    return out;
}
}

TEST_P(GraphicsFormatTest, LinesPlotBothEndsAndClip)
{
    int img = image(5, 8);
    use(img);
    Color(255, 255, 255);
    Line(5 - 3, 5, 5 - 3, 5);
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(setPixels(pixels(img), 5, 0xFF000000), (P { { 2, 5 } }));
    Cls();
    Line(0, 0, 3, 0);
    EXPECT_EQ(setPixels(pixels(img), 5, 0xFF000000), (P { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 } }));
    Cls();
    Line(-10, 5, 10, 5);
    EXPECT_EQ(setPixels(pixels(img), 5, 0xFF000000), (P { { 0, 5 }, { 1, 5 }, { 2, 5 }, { 3, 5 }, { 4, 5 } }));
    Cls();
    Origin(1, 1);
    Line(3, 6, -1, 2); // a 45° line from (4, 7) to (0, 3) after the origin
    EXPECT_EQ(setPixels(pixels(img), 5, 0xFF000000), (P { { 0, 3 }, { 1, 4 }, { 2, 5 }, { 3, 6 }, { 4, 7 } }));
    Origin(0, 0);
    Cls();
    Line(0, 0, 4, 7); // steep: one pixel per row, both ends
    auto pts = setPixels(pixels(img), 5, 0xFF000000);
    ASSERT_EQ(pts.size(), 8u);
    EXPECT_EQ(pts.front(), std::make_pair(0, 0));
    EXPECT_EQ(pts.back(), std::make_pair(4, 7));
    Cls();
    Line(-20, -20, -5, 30); // wholly outside
    Line(7, 0, 9, 7);
    EXPECT_TRUE(setPixels(pixels(img), 5, 0xFF000000).empty());
}

TEST_P(GraphicsFormatTest, ClsFillsTheViewportWithTheClearColour)
{
    int img = image(6, 5);
    use(img);
    Color(10, 20, 30);
    ClsColor(0, 0, 255);
    Cls();
    EXPECT_EQ(pixels(img), std::vector<uint32_t>(30, kxpf::roundTrip(GetParam(), 0xFF0000FF)));
    EXPECT_EQ(ColorRed(), 10);
    EXPECT_EQ(ColorBlue(), 30);
    // The viewport is clamped to the buffer; Cls touches only the viewport.
    Viewport(4, 3, 10, -2);
    ClsColor(255, 0, 0);
    Cls();
    Viewport(-3, 3, 5, 10);
    ClsColor(0, 255, 0);
    Cls();
    auto px = pixels(img);
    const uint32_t green = kxpf::roundTrip(GetParam(), 0xFF00FF00), blue = kxpf::roundTrip(GetParam(), 0xFF0000FF);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(px[size_t(y * 6 + x)], y >= 3 && x < 5 ? green : blue) << x << "," << y;
    // Lines and plots are clipped to the viewport as well.
    Viewport(1, 1, 2, 2);
    Color(255, 255, 255);
    Line(0, 1, 5, 1);
    Plot(4, 2);
    EXPECT_EQ(setPixels(pixels(img), 6, blue).size(), 2u + 10u); // two line pixels plus the green rows
}

TEST_P(GraphicsFormatTest, MaskedAndBlockDrawing)
{
    int sprite = image(3, 2);
    const uint32_t red = kxpf::roundTrip(GetParam(), 0xFFFF0000);
    fill(sprite, { red, 0xFF000000, red, 0xFF000000, red, 0xFF000000 });
    int dst = image(5, 4);
    use(dst);
    ClsColor(0, 0, 255);
    Cls();
    const uint32_t blue = kxpf::roundTrip(GetParam(), 0xFF0000FF);
    DrawImage(sprite, 1, 1, 0);
    auto px = pixels(dst);
    EXPECT_EQ(px[size_t(1 * 5 + 1)], red);
    EXPECT_EQ(px[size_t(1 * 5 + 2)], blue); // black is the mask colour: left alone
    EXPECT_EQ(px[size_t(2 * 5 + 1)], blue);
    DrawBlock(sprite, 1, 1, 0);
    px = pixels(dst);
    EXPECT_EQ(px[size_t(1 * 5 + 2)], 0xFF000000u);
    EXPECT_EQ(px[size_t(2 * 5 + 1)], 0xFF000000u);
    // Drawing is clipped to the viewport and placed by handle and origin.
    Cls();
    Viewport(0, 0, 2, 4);
    HandleImage(sprite, 1, 0);
    Origin(1, 0);
    DrawBlock(sprite, 0, 2, 0); // covers x 0..2 of rows 2..3, clipped to x < 2
    px = pixels(dst);
    EXPECT_EQ(px[size_t(2 * 5 + 0)], red);
    EXPECT_EQ(px[size_t(2 * 5 + 1)], 0xFF000000u);
    EXPECT_EQ(px[size_t(2 * 5 + 2)], blue);
}

TEST_F(GraphicsTest, MidHandledBlockCoversTheWholeTarget)
{
    int thumb = image(56, 56);
    fill(thumb, std::vector<uint32_t>(56 * 56, 0xFF00FF00));
    MidHandle(thumb);
    int dst = image(60, 60);
    use(dst);
    DrawBlock(thumb, 28, 28, 0);
    auto px = pixels(dst);
    EXPECT_EQ(px[0], 0xFF00FF00u);
    EXPECT_EQ(px[size_t(55 * 60 + 55)], 0xFF00FF00u);
    EXPECT_EQ(px[size_t(56 * 60 + 55)], 0xFF000000u);
    EXPECT_EQ(px[size_t(55 * 60 + 56)], 0xFF000000u);
}

TEST_F(GraphicsTest, BuffersKeepTheirOwnStateAndSetBufferAnswersThePrevious)
{
    int a = image(4, 4), b = image(4, 4);
    int first = SetBuffer(ImageBuffer(a, 0));
    Color(1, 2, 3);
    EXPECT_EQ(SetBuffer(ImageBuffer(b, 0)), ImageBuffer(a, 0));
    EXPECT_EQ(ColorRed(), 255); // a fresh buffer draws in white
    SetBuffer(ImageBuffer(a, 0));
    EXPECT_EQ(ColorGreen(), 2);
    GetColor(-5, 0); // outside: the clear colour
    EXPECT_EQ(ColorRed(), 0);
    // Freeing the image that owns the current buffer falls back to the graphics buffer.
    FreeImage(a);
    forget(a);
    EXPECT_EQ(GraphicsBuffer(), first);
    EXPECT_EQ(GraphicsWidth(), 640);
}

TEST_F(GraphicsTest, ShapesAndTextStayInside)
{
    int img = image(40, 20);
    use(img);
    Rect(2, 2, 5, 4, 0);
    EXPECT_EQ(setPixels(pixels(img), 40, 0xFF000000).size(), 14u);
    Cls();
    Oval(0, 0, 9, 9, 1);
    auto filled = setPixels(pixels(img), 40, 0xFF000000);
    EXPECT_GT(filled.size(), 50u);
    EXPECT_LT(filled.size(), 81u);
    Cls();
    KXArg hi("Hi!");
    EXPECT_EQ(StringWidth(hi), 3 * FontWidth());
    Text(20, 10, hi, 1, 1);
    auto text = setPixels(pixels(img), 40, 0xFF000000);
    EXPECT_FALSE(text.empty());
    for (auto [x, y] : text) {
        EXPECT_GE(x, 20 - 12);
        EXPECT_LT(x, 20 + 12);
    }
    EXPECT_EQ(RectsOverlap(0, 0, 2, 2, 1, 1, 2, 2), 1);
    EXPECT_EQ(RectsOverlap(0, 0, 2, 2, 2, 0, 2, 2), 0);
}

TEST_P(GraphicsFormatTest, BmpWrittenReadsBackEqual)
{
    std::mt19937 rng(11);
    int img = image(7, 5); // odd width: padded rows
    std::vector<uint32_t> px;
    for (int i = 0; i < 35; ++i)
        px.push_back(kxpf::roundTrip(GetParam(), rng()));
    fill(img, px);
    std::string path = testing::TempDir() + "kx_saved_" + std::to_string(GetParam()) + ".bmp";
    SaveImage(img, KXArg(path), 0);
    int back = LoadImage(KXArg(path), 1);
    ASSERT_NE(back, 0);
    adopt(back);
    EXPECT_EQ(ImageWidth(back), 7);
    EXPECT_EQ(pixels(back), px);
    EXPECT_EQ(SaveBuffer(ImageBuffer(img, 0), KXArg("/nonexistent-dir/x.bmp")), 0);
    std::remove(path.c_str());
}

TEST_F(GraphicsTest, LoadImageChoosesTheDecoderByExtension)
{
    const std::vector<uint32_t> expected = { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000,
        0xFFFFFFFF, 0xFF123456, 0xFF808080, 0xFFFEDCBA };
    for (const char* name : { "rgb4x2.png", "rgb4x2.bmp", "upper.PNG", "rgb4x2_bmp.gif" }) {
        int img = LoadImage(KXArg(kxTestInput("images", name)), 1);
        ASSERT_NE(img, 0) << name;
        adopt(img);
        EXPECT_EQ(pixels(img), expected) << name;
    }
    // Backslashes are separators too.
    std::string windows = kxTestInput("images", "rgb4x2.png");
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    int viaBackslash = LoadImage(KXArg(windows), 1);
    EXPECT_NE(viaBackslash, 0);
    adopt(viaBackslash);

    int jpeg = adopt(LoadImage(KXArg(kxTestInput("images", "solid16x8.jpg")), 1));
    ASSERT_NE(jpeg, 0);
    EXPECT_EQ(ImageWidth(jpeg), 16);
    uint32_t c = pixels(jpeg)[0];
    EXPECT_NEAR(int((c >> 16) & 0xFF), 0x33, 3);
    EXPECT_NEAR(int((c >> 8) & 0xFF), 0x66, 3);
    EXPECT_NEAR(int(c & 0xFF), 0xCC, 3);

    // 16 bits per channel, 16-bit grey and palette pictures load as opaque 8-bit colour.
    int deep = adopt(LoadImage(KXArg(kxTestInput("images", "deep48.png")), 1));
    ASSERT_NE(deep, 0);
    EXPECT_EQ(pixels(deep), (std::vector<uint32_t> { 0xFFFF0000, 0xFF12569A }));
    int grey = adopt(LoadImage(KXArg(kxTestInput("images", "gray16.png")), 1));
    ASSERT_NE(grey, 0);
    EXPECT_EQ(pixels(grey)[0], 0xFF000000u);
    EXPECT_NEAR(int(pixels(grey)[1] & 0xFF), 0x80, 1);
    int palette = adopt(LoadImage(KXArg(kxTestInput("images", "palette.bmp")), 1));
    ASSERT_NE(palette, 0);
    EXPECT_EQ(pixels(palette), (std::vector<uint32_t> { 0xFF000000, 0xFFFEDCBA }));

    EXPECT_EQ(LoadImage(KXArg(kxTestInput("images", "rgb4x2_nodot")), 1), 0); // no full stop
    EXPECT_EQ(LoadImage(KXArg(kxTestInput("images", "broken.png")), 1), 0);
    EXPECT_EQ(LoadImage(KXArg(kxTestInput("images", "missing.png")), 1), 0);
    EXPECT_EQ(LoadImage(KXArg(""), 1), 0);
}

TEST_P(GraphicsFormatTest, TilesRectsAndGrabs)
{
    const uint32_t r = kxpf::roundTrip(GetParam(), 0xFFFF0000), g = kxpf::roundTrip(GetParam(), 0xFF00FF00);
    int tile = image(2, 1);
    fill(tile, { r, g });
    int dst = image(5, 2);
    use(dst);
    TileBlock(tile, 1, 0, 0); // one copy starts at x = 1: columns alternate g, r, g, r, g
    EXPECT_EQ(pixels(dst), (std::vector<uint32_t> { g, r, g, r, g, g, r, g, r, g }));
    Cls();
    DrawBlockRect(tile, 3, 1, 1, 0, 5, 5, 0); // only the part inside the image: one green pixel
    auto px = pixels(dst);
    EXPECT_EQ(px[size_t(1 * 5 + 3)], g);
    EXPECT_EQ(setPixels(px, 5, 0xFF000000).size(), 1u);
    // Grabbing takes the buffer's pixels under the image.
    int grab = image(2, 1);
    GrabImage(grab, 2, 1, 0);
    EXPECT_EQ(pixels(grab), (std::vector<uint32_t> { 0xFF000000, g }));
}

TEST_F(GraphicsTest, TransformingTheCurrentImageLeavesAValidCurrentBuffer)
{
    int img = image(4, 4);
    use(img);
    ScaleImage(img, 2, 2); // replaces the frame's buffer
    Color(0, 255, 0);
    Plot(0, 0); // draws on the graphics buffer now
    EXPECT_NE(GraphicsBuffer(), ImageBuffer(img, 0));
    SetBuffer(ImageBuffer(img, 0));
    Plot(7, 7);
    EXPECT_EQ(pixels(img).back(), 0xFFFFFFFFu);
}

TEST_F(GraphicsTest, SavedDesktopLoadsBackAsAnImage)
{
    HeadlessScreen::instance().resize(9, 3);
    HeadlessScreen::instance().pixels()[4] = 0xFF102030;
    std::string path = testing::TempDir() + "kx_desktop.bmp";
    EXPECT_EQ(SaveBuffer(DesktopBuffer(), KXArg(path)), 1);
    int back = adopt(LoadImage(KXArg(path), 1));
    ASSERT_NE(back, 0);
    EXPECT_EQ(ImageWidth(back), 9);
    EXPECT_EQ(pixels(back)[4], 0xFF102030u);
    std::remove(path.c_str());
    HeadlessScreen::instance().resize(1024, 768);
}
