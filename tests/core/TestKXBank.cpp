// Banks: sizes and zeroing, value formats, copying, bounds and handle checks, views, ownership.
#include "core/BankCommands.h"
#include "core/KXBank.h"
#include "core/KXCoreLib.h"
#include "core/KXHandle.h"
#include "core/KXString.h"
#include "tests/support/KXTestSupport.h"

#include <cstring>

namespace {
struct Bank : testing::Test {
    void TearDown() override
    {
        if (bank)
            FreeBank(bank);
    }
    KXBank* object() const { return reinterpret_cast<KXBank*>(intptr_t(bank)); }
    int bank { 0 };
};
}

TEST_F(Bank, NegativeSizeGivesEmptyBankThatGrowsZeroed)
{
    bank = CreateBank(-4);
    EXPECT_EQ(BankSize(bank), 0);
    ResizeBank(bank, 8);
    EXPECT_EQ(BankSize(bank), 8);
    EXPECT_EQ(PeekInt(bank, 4), 0);
    PokeInt(bank, 4, -2);
    EXPECT_EQ(PeekInt(bank, 4), -2);
}

TEST_F(Bank, ShrinkingAndGrowingWithinCapacityExposesZeroes)
{
    bank = CreateBank(16);
    EXPECT_EQ(object()->capacity(), 26);
    for (int i = 0; i < 16; ++i)
        PokeByte(bank, i, 0xAA);
    ResizeBank(bank, 4);
    EXPECT_EQ(object()->capacity(), 26);
    ResizeBank(bank, 20);
    EXPECT_EQ(PeekByte(bank, 3), 0xAA);
    for (int i = 4; i < 20; ++i)
        EXPECT_EQ(PeekByte(bank, i), 0) << i;
    ResizeBank(bank, 100); // beyond capacity: n + n/2 + 10, contents kept
    EXPECT_EQ(object()->capacity(), 160);
    EXPECT_EQ(PeekByte(bank, 0), 0xAA);
    EXPECT_EQ(PeekByte(bank, 99), 0);
}

TEST_F(Bank, ValuesAreLittleEndianUnalignedAndTruncated)
{
    bank = CreateBank(12);
    PokeShort(bank, 1, 0x12345);
    EXPECT_EQ(PeekByte(bank, 1), 0x45);
    EXPECT_EQ(PeekByte(bank, 2), 0x23);
    PokeByte(bank, 0, -1);
    PokeByte(bank, 1, 0xFF);
    EXPECT_EQ(PeekShort(bank, 0), 65535);
    PokeInt(bank, 3, 0x01020304);
    EXPECT_EQ(PeekByte(bank, 3), 4);
    EXPECT_EQ(PeekInt(bank, 3), 0x01020304);
    PokeFloat(bank, 7, 1.5f);
    EXPECT_EQ(PeekFloat(bank, 7), 1.5f);
    EXPECT_EQ(PeekInt(bank, 7), 0x3FC00000);
}

TEST_F(Bank, CopyBankHandlesOverlapBothWays)
{
    bank = CreateBank(8);
    for (int i = 0; i < 8; ++i)
        PokeByte(bank, i, i);
    CopyBank(bank, 0, bank, 2, 6);
    EXPECT_EQ(PeekInt(bank, 4), 0x05040302);
    CopyBank(bank, 2, bank, 0, 6);
    EXPECT_EQ(PeekInt(bank, 0), 0x03020100);
    CopyBank(bank, 0, bank, 100, 0); // count <= 0 copies nothing, wherever it points
}

TEST_F(Bank, AccessOutsideTheBankIsRefused)
{
    bank = CreateBank(8);
    EXPECT_RUNTIME_ERROR(PeekInt(bank, 5), "Offset out of range");
    EXPECT_RUNTIME_ERROR(PeekByte(bank, -1), "Offset out of range");
    EXPECT_RUNTIME_ERROR(PokeShort(bank, 7, 0), "Offset out of range");
    EXPECT_RUNTIME_ERROR(PokeInt(bank, 0x7FFFFFFF, 0), "Offset out of range");
    EXPECT_RUNTIME_ERROR(CopyBank(bank, 4, bank, 0, 5), "Count out of range");
    EXPECT_RUNTIME_ERROR(CopyBank(bank, 0, bank, 9, 1), "Offset out of range");
    EXPECT_EQ(PeekInt(bank, 4), 0);
}

TEST_F(Bank, HandlesAreChecked)
{
    int dead = CreateBank(4);
    FreeBank(dead);
    EXPECT_RUNTIME_ERROR(PeekByte(dead, 0), "Invalid Bank handle");
    EXPECT_RUNTIME_ERROR(BankSize(0), "Invalid Bank handle");
    KXString* notABank = KXString::create("x");
    EXPECT_RUNTIME_ERROR(ResizeBank(kxToHandle(notABank), 4), "Invalid Bank handle");
    notABank->release();
    FreeBank(0);
}

TEST_F(Bank, ViewsBorrowMemoryAndNeverResize)
{
    uint8_t memory[4] = { 1, 2, 3, 4 };
    KXRef<KXBank> view(KXBank::createView());
    view->setData(memory, 4);
    EXPECT_EQ(PeekInt(kxToHandle(view.get()), 0), 0x04030201);
    EXPECT_RUNTIME_ERROR(ResizeBank(kxToHandle(view.get()), 8), "Bank cannot be resized");
    bank = CreateBank(4);
    EXPECT_RUNTIME_ERROR(object()->setData(memory, 4), "Bank data cannot be modified");
}

// Compiled code reads a lent bank's data pointer and size at fixed offsets.
TEST_F(Bank, DataAndSizeSitAtTheirPublishedOffsets)
{
    bank = CreateBank(5);
    auto* raw = reinterpret_cast<const uint8_t*>(object());
    uint8_t* data;
    int size;
    std::memcpy(&data, raw + KXBank::DataOffset, 4);
    std::memcpy(&size, raw + KXBank::DataOffset + 4, 4);
    EXPECT_EQ(data, object()->data());
    EXPECT_EQ(size, 5);
}

TEST_F(Bank, BelongsToTheCoreModuleUntilFreed)
{
    bank = CreateBank(1);
    EXPECT_EQ(object()->owner(), KXCoreLib::instance().resources());
    size_t live = KXObject::liveCount();
    FreeBank(bank);
    bank = 0;
    EXPECT_EQ(KXObject::liveCount(), live - 1);
}
