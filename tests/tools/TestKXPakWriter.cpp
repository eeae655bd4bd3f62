// kxpak's pack layout: header word, scrambled data and directory, count, appended trailer.
#include "tools/kxpak/KXPakWriter.h"

#include <gtest/gtest.h>

namespace {
uint32_t intAt(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
}

TEST(KXPakWriter, LaysOutAScrambledPack)
{
    KXPakWriter writer(0x11223344, 0x55667788);
    writer.add("five.bin", { 'H', 'e', 'l', 'l', 'o' });
    std::vector<uint8_t> p = writer.pack();
    // Data from 4 to 9, the count at 9, the directory after it.
    EXPECT_EQ(intAt(p, 0), (9u + 1) ^ 0x55667788u);
    EXPECT_EQ(intAt(p, 9), 1u);
    // A 5-byte block: one whole word XOR the key, then one byte XOR the key's lowest byte.
    EXPECT_EQ(intAt(p, 4), 0x6C6C6548u ^ 0x11223344u);
    EXPECT_EQ(p[8], uint8_t('o' ^ 0x44));
    std::vector<uint8_t> directory(p.begin() + 13, p.end());
    KXPakWriter::scramble(directory.data(), directory.size(), 0x11223344);
    EXPECT_EQ(std::string(directory.begin(), directory.end()), "five.bin\r4\r5\r");
}

TEST(KXPakWriter, AppendsWithATrailer)
{
    KXPakWriter writer(0, 0x55667788);
    writer.add("a", { 'x' });
    std::vector<uint8_t> exe(1000, 0xAB);
    std::vector<uint8_t> out = writer.appendTo(exe);
    std::vector<uint8_t> p = writer.pack();
    ASSERT_EQ(out.size(), exe.size() + p.size() + 10);
    EXPECT_TRUE(std::equal(p.begin(), p.end(), out.begin() + 1000));
    EXPECT_EQ(intAt(out, out.size() - 10), 1000u + 1 + 0x55667788u);
}
