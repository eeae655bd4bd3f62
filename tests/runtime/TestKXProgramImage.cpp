// The program-image reader: whole and damaged images, what the strict check refuses, and the
// linker's reports for damage behind a bad entry.
#include "runtime/KXImageLinker.h"
#include "runtime/KXProgramImage.h"
#include "tests/support/KXTestSupport.h"

#include <string>
#include <vector>

namespace {
using Part = KXProgramImage::Part;

KXProgramImage sample()
{
    KXProgramImage img;
    img.code = { 0x90, 0x90, 0x90, 0x90, 0xFC, 0xFF, 0xFF, 0xFF, 0xC3 };
    img.symbols = { { "__MAIN", 0 }, { "_fhelper", 8 } };
    img.relative = { { "_fhelper", 4 } };
    img.absolute = { { "__MAIN", 0 }, { "_fend", 5 } };
    return img;
}
}

TEST(ProgramImage, WrittenImagesReadBackWhole)
{
    KXProgramImage img = sample(), back;
    std::vector<uint8_t> bytes = img.bytes();
    std::string error;
    ASSERT_TRUE(KXProgramImage::parse(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.code, img.code);
    EXPECT_EQ(back.symbols, img.symbols);
    EXPECT_EQ(back.relative, img.relative);
    EXPECT_EQ(back.absolute, img.absolute);

    // Empty names and an empty block are well formed.
    KXProgramImage empty;
    empty.symbols = { { "", 0 } };
    bytes = empty.bytes();
    size_t end = 0;
    EXPECT_EQ(KXProgramImage::read(bytes.data(), bytes.size(), back, &end), Part::Absolute);
    EXPECT_EQ(end, bytes.size());
    ASSERT_EQ(back.symbols.size(), 1u);
    EXPECT_EQ(back.symbols[0].first, "");
}

// Every prefix reads as far as it goes, keeping the whole entries of the part that broke off.
TEST(ProgramImage, PrefixesReadAsFarAsTheyGo)
{
    std::vector<uint8_t> bytes = sample().bytes();
    Part previous = Part::None;
    size_t previousEntries = 0;
    for (size_t n = 0; n <= bytes.size(); ++n) {
        KXProgramImage back;
        size_t end = 99999;
        Part got = KXProgramImage::read(bytes.data(), n, back, &end);
        EXPECT_LE(end, n);
        EXPECT_GE(int(got), int(previous)) << n;
        EXPECT_EQ(got == Part::Absolute, n == bytes.size()) << n;
        size_t entries = back.symbols.size() + back.relative.size() + back.absolute.size();
        EXPECT_GE(entries, previousEntries) << n;
        if (got < Part::Code) {
            EXPECT_TRUE(back.code.empty());
        }
        previous = got;
        previousEntries = entries;
        std::string error;
        if (n < bytes.size()) {
            EXPECT_FALSE(KXProgramImage::parse(bytes.data(), n, back, error)) << n;
        }
    }
    EXPECT_EQ(previousEntries, 5u);
    KXProgramImage back;
    EXPECT_EQ(KXProgramImage::read(nullptr, 0, back), Part::None);
}

TEST(ProgramImage, CountsAndSizesBeyondTheBytesAreRefused)
{
    KXProgramImage back;
    std::vector<uint8_t> bytes = { 0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3 };
    EXPECT_EQ(KXProgramImage::read(bytes.data(), bytes.size(), back), Part::None);
    // A block, then a symbol count of 4 billion with one entry behind it.
    bytes = { 1, 0, 0, 0, 0xC3, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0, 0, 0, 0, 0 };
    EXPECT_EQ(KXProgramImage::read(bytes.data(), bytes.size(), back), Part::Code);
    ASSERT_EQ(back.symbols.size(), 1u);
    // A name without its end, and a name whose offset is cut short.
    bytes = { 0, 0, 0, 0, 1, 0, 0, 0, 'a', 'b' };
    EXPECT_EQ(KXProgramImage::read(bytes.data(), bytes.size(), back), Part::Code);
    EXPECT_TRUE(back.symbols.empty());
    bytes = { 0, 0, 0, 0, 1, 0, 0, 0, 'a', 0, 1, 2 };
    EXPECT_EQ(KXProgramImage::read(bytes.data(), bytes.size(), back), Part::Code);
    EXPECT_TRUE(back.symbols.empty());
}

TEST(ProgramImage, StrictReadingChecksEveryOffsetAndTheEnd)
{
    std::string error;
    KXProgramImage back;
    auto parses = [&](const KXProgramImage& img) {
        std::vector<uint8_t> b = img.bytes();
        return KXProgramImage::parse(b.data(), b.size(), back, error);
    };
    KXProgramImage img = sample();
    img.symbols.push_back({ "_past", uint32_t(img.code.size()) });
    EXPECT_FALSE(parses(img));
    EXPECT_NE(error.find("_past"), std::string::npos) << error;
    img.symbols.back().second = uint32_t(img.code.size() - 1);
    EXPECT_TRUE(parses(img)) << error;

    img = sample();
    img.absolute.push_back({ "__MAIN", uint32_t(img.code.size() - 3) });
    EXPECT_FALSE(parses(img));
    img.absolute.back().second = uint32_t(img.code.size() - 4);
    EXPECT_TRUE(parses(img)) << error;
    img.relative.push_back({ "__MAIN", 0xFFFFFFFE });
    EXPECT_FALSE(parses(img));

    std::vector<uint8_t> b = sample().bytes();
    b.push_back(0);
    EXPECT_FALSE(KXProgramImage::parse(b.data(), b.size(), back, error));
    EXPECT_EQ(error, "unexpected bytes after the absolute fix-ups");
}

// The linker reads through the same reader: damage after a bad entry still reports the entry,
// and bytes after a whole image are left alone.
TEST(ProgramImage, LinkerReportsInStoredOrder)
{
    KXProgramImage img;
    img.code = std::vector<uint8_t>(8, 0x90);
    img.symbols = { { "__MAIN", 0 }, { "_bad", 8 } };
    std::vector<uint8_t> b = img.bytes();
    b.resize(b.size() - 3); // cuts into the absolute fix-up count
    EXPECT_EQ(kxLinkImage(b.data(), b.size()).error, "Illegal symbol value");

    img.symbols = { { "__MAIN", 0 } };
    img.relative = { { "_nowhere", 0 }, { "__MAIN", 4 } };
    b = img.bytes();
    b.resize(b.size() - 6); // cuts into the second relative fix-up
    EXPECT_EQ(kxLinkImage(b.data(), b.size()).error, "Can't find symbol: _nowhere");

    img.relative = { { "__MAIN", 4 } };
    b = img.bytes();
    EXPECT_EQ(kxLinkImage(b.data(), b.size() - 1).error, "Can't load resource");
    b.push_back(0x5A);
    EXPECT_EQ(kxLinkImage(b.data(), b.size()).error, "");
}
