// Icon strips cut from a picture: cells as high as the picture, side by side, shown opaque.
#include "gui/KXIconStrip.h"
#include "tests/support/KXTestSupport.h"

namespace {
// A 32-bit picture whose column x has colour 0x00RRGGBB = base + x / cell.
KXPixmap* stripPicture(int width, int height, int cell, uint32_t base)
{
    KXPixmap* p = KXPixmap::create(width, height, 4);
    for (int y = 0; p && y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(p->row(y));
        for (int x = 0; x < width; ++x)
            row[x] = base + uint32_t(x / cell);
    }
    return p;
}
}

TEST(KXIconStrip, CellsComeFromThePicture)
{
    KXRef<KXPixmap> picture(stripPicture(20, 8, 8, 0x102030));
    KXRef<KXIconStrip> strip(KXIconStrip::create(picture.get()));
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->iconSize(), 8);
    EXPECT_EQ(strip->count(), 2); // the partial third cell is no icon
    EXPECT_TRUE(strip->hasPictures());

    std::vector<uint32_t> argb;
    ASSERT_TRUE(strip->iconPixels(1, argb));
    ASSERT_EQ(argb.size(), 64u);
    for (uint32_t v : argb)
        ASSERT_EQ(v, 0xFF102031u);
    ASSERT_TRUE(strip->iconPixels(0, argb));
    EXPECT_EQ(argb.front(), 0xFF102030u);
    EXPECT_EQ(argb.back(), 0xFF102030u);

    // Outside the strip, or with no pictures: nothing, and argb untouched.
    argb.assign(3, 7u);
    EXPECT_FALSE(strip->iconPixels(2, argb));
    EXPECT_FALSE(strip->iconPixels(-1, argb));
    KXRef<KXIconStrip> bare(new KXIconStrip(16, 4));
    EXPECT_FALSE(bare->iconPixels(0, argb));
    EXPECT_EQ(argb, std::vector<uint32_t>(3, 7u));
}

TEST(KXIconStrip, PicturesThatHoldNoIconsMakeNoStrip)
{
    EXPECT_EQ(KXIconStrip::create(nullptr), nullptr);
    KXRef<KXPixmap> tall(stripPicture(8, 16, 8, 0));
    EXPECT_EQ(KXIconStrip::create(tall.get()), nullptr);
    KXRef<KXPixmap> narrow(KXPixmap::create(32, 8, 2));
    ASSERT_TRUE(narrow);
    EXPECT_EQ(KXIconStrip::create(narrow.get()), nullptr);
}
