// Child processes as streams.
#include "core/KXProcess.h"
#include "core/StreamCommands.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

KX_STDCALL int CreateProcess(KXString* command);

TEST(Process, StreamTalksToTheChild)
{
    int p = CreateProcess(KXArg("cat"));
    ASSERT_NE(p, 0);
    WriteLine(p, KXArg("hello"));
    WriteInt(p, 0x0A414243);
    EXPECT_EQ(kxTake(ReadLine(p)), "hello");
    EXPECT_EQ(ReadInt(p), 0x0A414243);
    EXPECT_EQ(Eof(p), 0);
    reinterpret_cast<KXProcess*>(intptr_t(p))->releaseFromOwner();
}

TEST(Process, OutputEndsWhenTheChildExits)
{
    int p = CreateProcess(KXArg("echo one \"two  three\""));
    ASSERT_NE(p, 0);
    EXPECT_EQ(kxTake(ReadLine(p)), "one two  three");
    EXPECT_EQ(kxTake(ReadLine(p)), "");
    EXPECT_EQ(Eof(p), 1);
    EXPECT_EQ(ReadAvail(p), 0);
    reinterpret_cast<KXProcess*>(intptr_t(p))->releaseFromOwner();
}

TEST(Process, MissingProgramGivesZero)
{
    EXPECT_EQ(CreateProcess(KXArg("kx-no-such-program --flag")), 0);
    EXPECT_EQ(CreateProcess(KXArg("")), 0);
}
