// Stream value formats on files, file positioning, CopyStream and the stream handle checks.
#include "core/BankCommands.h"
#include "core/FileCommands.h"
#include "core/StreamCommands.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

using namespace std::string_literals;

namespace {
struct Stream : testing::Test {
    // Opens a new file holding bytes for reading and writing.
    int fileWith(const std::string& bytes, const std::string& name = "in.bin")
    {
        kxWriteBytes(dir / name, bytes);
        return OpenFile(KXArg(dir / name));
    }
    KXTempDir dir;
};
}

TEST_F(Stream, StringsAndLinesHaveTheirByteFormats)
{
    int f = WriteFile(KXArg(dir / "out.bin"));
    ASSERT_NE(f, 0);
    WriteString(f, KXArg("ABC"));
    WriteLine(f, KXArg(""));
    WriteLine(f, KXArg("x"));
    WriteByte(f, 0x1FF);
    WriteShort(f, -1);
    WriteInt(f, 0x01020304);
    WriteFloat(f, -2.0f);
    CloseFile(f);
    EXPECT_EQ(kxReadBytes(dir / "out.bin"),
        "\3\0\0\0ABC\r\nx\r\n\xFF\xFF\xFF\4\3\2\1\0\0\0\xC0"s);

    f = ReadFile(KXArg(dir / "out.bin"));
    EXPECT_EQ(kxTake(ReadString(f)), "ABC");
    EXPECT_EQ(kxTake(ReadLine(f)), "");
    EXPECT_EQ(kxTake(ReadLine(f)), "x");
    EXPECT_EQ(ReadByte(f), 255);
    EXPECT_EQ(ReadShort(f), 65535);
    EXPECT_EQ(ReadInt(f), 0x01020304);
    EXPECT_EQ(ReadFloat(f), -2.0f);
    EXPECT_EQ(Eof(f), 1);
    EXPECT_EQ(ReadInt(f), 0);
    EXPECT_EQ(ReadFloat(f), 0.0f);
    CloseFile(f);
}

TEST_F(Stream, ReadLineDropsCarriageReturnsAndStopsAtTheEnd)
{
    int f = fileWith("A\r\nB");
    EXPECT_EQ(kxTake(ReadLine(f)), "A");
    EXPECT_EQ(Eof(f), 0);
    EXPECT_EQ(kxTake(ReadLine(f)), "B");
    EXPECT_EQ(kxTake(ReadLine(f)), "");
    EXPECT_EQ(Eof(f), 1);
    CloseFile(f);
    f = fileWith("a\rb\n\n");
    EXPECT_EQ(kxTake(ReadLine(f)), "ab");
    EXPECT_EQ(kxTake(ReadLine(f)), "");
    EXPECT_EQ(Eof(f), 1);
    CloseFile(f);
}

TEST_F(Stream, ShortReadsLeaveHighBytesZero)
{
    int f = fileWith("\x34\x12");
    EXPECT_EQ(ReadInt(f), 0x1234);
    CloseFile(f);
    f = fileWith("\xFF");
    EXPECT_EQ(ReadShort(f), 255);
    CloseFile(f);
}

// A string's length comes from the stream: the result never goes beyond the bytes that arrive.
TEST_F(Stream, ReadStringStaysWithinTheBytesRead)
{
    int f = fileWith("\xFF\xFF\xFF\x7Fhello");
    EXPECT_EQ(kxTake(ReadString(f)), "hello");
    CloseFile(f);
    f = fileWith("\xFE\xFF\xFF\xFFhello");
    EXPECT_EQ(kxTake(ReadString(f)), "");
    CloseFile(f);
    f = fileWith("\x05\0\0\0"s);
    EXPECT_EQ(kxTake(ReadString(f)), "");
    CloseFile(f);
    f = fileWith("\x05\0"s);
    EXPECT_EQ(kxTake(ReadString(f)), "");
    CloseFile(f);
}

// A file open for reading and writing switches direction without losing or misplacing bytes.
TEST_F(Stream, OpenFileMixesReadsWritesAndSeeks)
{
    int f = fileWith("abcdef");
    EXPECT_EQ(ReadShort(f), 'a' | 'b' << 8);
    WriteByte(f, 'X');
    EXPECT_EQ(ReadByte(f), 'd');
    EXPECT_EQ(Eof(f), 0);
    WriteByte(f, 'Y');
    EXPECT_EQ(FilePos(f), 5);
    EXPECT_EQ(SeekFile(f, 1), 1);
    EXPECT_EQ(ReadByte(f), 'b');
    EXPECT_EQ(SeekFile(f, -5), 2);
    CloseFile(f);
    EXPECT_EQ(kxReadBytes(dir / "in.bin"), "abXdYf");
}

TEST_F(Stream, FailedOpensGiveZero)
{
    EXPECT_EQ(ReadFile(KXArg(dir / "missing")), 0);
    EXPECT_EQ(OpenFile(KXArg(dir / "missing")), 0);
    EXPECT_EQ(ReadFile(KXArg(dir.path())), 0);
    EXPECT_EQ(WriteFile(KXArg(dir / "no/such/dir")), 0);
}

TEST_F(Stream, CopyStreamCopiesEverythingWithAnyBufferSize)
{
    std::string data(3 * 16384, 0);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 7 + i / 251);
    for (int size : { 1, 1000, 16384, 0x100000 }) {
        SCOPED_TRACE(size);
        int src = fileWith(data);
        int dest = WriteFile(KXArg(dir / "copy.bin"));
        CopyStream(src, dest, size);
        CloseFile(src);
        CloseFile(dest);
        EXPECT_EQ(kxReadBytes(dir / "copy.bin"), data);
    }
    int src = fileWith(data);
    EXPECT_RUNTIME_ERROR(CopyStream(src, src, 0), "Illegal CopyStream buffer size");
    EXPECT_RUNTIME_ERROR(CopyStream(src, src, 0x100001), "Illegal CopyStream buffer size");
    CloseFile(src);
}

TEST_F(Stream, BytesMoveBetweenBanksAndStreams)
{
    int f = fileWith("0123456789");
    int bank = CreateBank(8);
    EXPECT_EQ(ReadBytes(bank, f, 2, 6), 6);
    EXPECT_EQ(PeekByte(bank, 2), '0');
    EXPECT_EQ(ReadBytes(bank, f, 0, 8), 4);
    EXPECT_RUNTIME_ERROR(ReadBytes(bank, f, 4, 5), "Count out of range");
    EXPECT_EQ(SeekFile(f, 0), 0);
    EXPECT_EQ(WriteBytes(bank, f, 0, 3), 3);
    CloseFile(f);
    EXPECT_EQ(kxReadBytes(dir / "in.bin"), "6783456789");
    FreeBank(bank);
}

TEST_F(Stream, HandlesAreCheckedByClass)
{
    int bank = CreateBank(4);
    int f = fileWith("x");
    EXPECT_RUNTIME_ERROR(ReadInt(bank), "Invalid Stream handle");
    EXPECT_RUNTIME_ERROR(ReadBytes(bank, bank, 0, 1), "Invalid Stream handle");
    EXPECT_RUNTIME_ERROR(CopyStream(f, 0, 16), "Invalid Stream handle");
    EXPECT_RUNTIME_ERROR(FilePos(bank), "Invalid File handle");
    EXPECT_RUNTIME_ERROR(MoreFiles(f), "Invalid Directory handle");
    EXPECT_RUNTIME_ERROR(CloseDir(f), "Invalid Directory handle");
    CloseFile(f);
    EXPECT_RUNTIME_ERROR(Eof(f), "Invalid Stream handle");
    CloseFile(0);
    FreeBank(bank);
}
