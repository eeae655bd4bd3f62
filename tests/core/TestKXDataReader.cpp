// Data statements: every item kind read as every type, the end of data and bad items.
#include "core/DataCommands.h"
#include "core/KXString.h"
#include "tests/support/KXTestSupport.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>

namespace {
KXDataItem intItem(int v) { return { KXDataReader::Int, uint32_t(v) }; }
KXDataItem floatItem(float f) { return { KXDataReader::Float, std::bit_cast<uint32_t>(f) }; }
KXDataItem textItem(const char* t) { return { KXDataReader::Text, uint32_t(reinterpret_cast<uintptr_t>(t)) }; }
constexpr KXDataItem End { KXDataReader::End, 0 };

std::string readStr()
{
    KXString* s = kxReadStr();
    std::string out = s->str();
    EXPECT_EQ(s->refs(), 1);
    s->release();
    return out;
}
}

TEST(DataStatements, EveryKindReadsAsEveryType)
{
    const KXDataItem table[] = {
        intItem(-42), intItem(-42), intItem(-42),
        floatItem(-3.75f), floatItem(-3.75f), floatItem(-3.75f),
        textItem("  17.5xyz"), textItem("  17.5xyz"), textItem("  17.5xyz"),
        End
    };
    kxRestore(table);
    EXPECT_EQ(kxReadInt(), -42);
    EXPECT_EQ(kxReadFloat(), -42.0f);
    EXPECT_EQ(readStr(), "-42");
    EXPECT_EQ(kxReadInt(), -3) << "truncation toward zero";
    EXPECT_EQ(kxReadFloat(), -3.75f);
    EXPECT_EQ(readStr(), "-3.75");
    EXPECT_EQ(kxReadInt(), 17);
    EXPECT_EQ(kxReadFloat(), 17.5f);
    EXPECT_EQ(readStr(), "  17.5xyz");
    EXPECT_EQ(KXDataReader::position(), &table[9]);
}

TEST(DataStatements, ItemsAtAnyOffset)
{
    // Data tables need no alignment in an image: items three bytes into a block read the same.
    const KXDataItem items[] = { intItem(7), floatItem(2.5f), textItem("x"), End };
    alignas(8) unsigned char block[3 + sizeof items];
    std::memcpy(block + 3, items, sizeof items);
    kxRestore(reinterpret_cast<const KXDataItem*>(block + 3));
    EXPECT_EQ(kxReadInt(), 7);
    EXPECT_EQ(kxReadFloat(), 2.5f);
    EXPECT_EQ(readStr(), "x");
    EXPECT_RUNTIME_ERROR(kxReadInt(), "Out of data");
}

TEST(DataStatements, FloatText)
{
    const KXDataItem table[] = { floatItem(1), floatItem(0.5f), floatItem(100), floatItem(12345678),
        floatItem(0.01f), floatItem(-2.25f), floatItem(0), floatItem(1.5e9f), End };
    kxRestore(table);
    for (const char* want : { "1.0", "0.5", "100.0", "12345700.0", "0.01", "-2.25", "0.0", "1.5e+009" })
        EXPECT_EQ(readStr(), want);
}

TEST(DataStatements, OutOfDataLeavesThePointerAndRestoreRewinds)
{
    const KXDataItem table[] = { intItem(1), textItem(""), End };
    kxRestore(table);
    EXPECT_EQ(kxReadInt(), 1);
    EXPECT_EQ(readStr(), "");
    EXPECT_RUNTIME_ERROR(kxReadInt(), "Out of data");
    EXPECT_RUNTIME_ERROR(kxReadFloat(), "Out of data");
    EXPECT_RUNTIME_ERROR(kxReadStr(), "Out of data");
    EXPECT_EQ(KXDataReader::position(), &table[2]);
    kxRestore(&table[1]);
    EXPECT_EQ(kxReadInt(), 0) << "text without digits reads as 0";
    kxRestore(nullptr);
    EXPECT_RUNTIME_ERROR(kxReadInt(), "Out of data");
}

TEST(DataStatements, UnknownKindIsBadDataType)
{
    const KXDataItem table[] = { { 3, 0 }, End };
    kxRestore(table);
    EXPECT_RUNTIME_ERROR(kxReadStr(), "Bad data type");
    EXPECT_EQ(KXDataReader::position(), &table[0]);
}
