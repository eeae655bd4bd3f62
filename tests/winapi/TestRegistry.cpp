// advapi32's registry over its file store: default keys, values of every size, case-blind
// names, access rights, corrupt files refused, and writes that survive a crash.
#include "tests/support/KXMisalignedCall.h"
#include "tests/support/KXTempDir.h"
#include "tests/winapi/Win32TestSupport.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {
constexpr uint32_t HKLM = 0x80000002u;
constexpr char DirectDraw[] = "SOFTWARE\\Microsoft\\DirectDraw";

struct Registry : Win32Test {
    void SetUp() override
    {
        Win32Test::SetUp();
        file = dir / "HKLM.reg";
        setenv("TROVA_REGISTRY_HKLM", file.c_str(), 1);
    }
    void TearDown() override { unsetenv("TROVA_REGISTRY_HKLM"); }

    uint32_t open(const char* path, uint32_t sam, int32_t* error = nullptr)
    {
        uint32_t key = 0;
        int32_t e = api().RegOpenKeyExA(HKLM, path, 0, sam, &key);
        if (error)
            *error = e;
        return e == 0 ? key : 0;
    }
    std::string query(uint32_t key, const char* name, uint32_t* type = nullptr)
    {
        char data[256];
        uint32_t size = sizeof data;
        if (api().RegQueryValueExA(key, name, nullptr, type, data, &size) != 0)
            return "<none>";
        return std::string(data, size);
    }

    KXTempDir dir;
    std::string file;
};
}

TEST_F(Registry, DefaultStoreHoldsTheDirectDrawKeyUntilTheFirstWrite)
{
    int32_t error = 0;
    uint32_t key = open(DirectDraw, 3, &error);
    ASSERT_NE(key, 0u) << error;
    EXPECT_EQ(query(key, "EnablePrintScreen"), "<none>");
    open("SOFTWARE\\Nothing", 1, &error);
    EXPECT_EQ(error, 2);
    open("\\SOFTWARE", 1, &error);
    EXPECT_EQ(error, 2);
    EXPECT_FALSE(std::filesystem::exists(file));

    uint32_t one = 1;
    ASSERT_EQ(api().RegSetValueExA(key, "EnablePrintScreen", 0, 4, &one, 4), 0);
    EXPECT_EQ(kxReadBytes(file), "TROVA REGISTRY 1\n[SOFTWARE]\n[SOFTWARE\\Microsoft]\n[SOFTWARE\\Microsoft\\DirectDraw]\nEnablePrintScreen=4:01000000\n");
    EXPECT_EQ(api().RegCloseKey(key), 0);
    EXPECT_EQ(api().RegCloseKey(key), 6);
}

TEST_F(Registry, ValuesSizesTypesAndCaseBlindNames)
{
    kxWriteBytes(file, "TROVA REGISTRY 1\n; notes\n[Software\\KXT]\nName%3DWith%20Blanks=1:68690000\n@=3:\n");
    uint32_t key = open("software\\kxt", 3);
    ASSERT_NE(key, 0u);
    uint32_t type = 0;
    EXPECT_EQ(query(key, "name=with blanks", &type), std::string("hi\0\0", 4));
    EXPECT_EQ(type, 1u);
    EXPECT_EQ(query(key, nullptr, &type), "");
    EXPECT_EQ(type, 3u);

    // Too small a buffer: ERROR_MORE_DATA, the size needed, the buffer untouched.
    char small[2] = { 'x', 'y' };
    uint32_t size = 2;
    EXPECT_EQ(api().RegQueryValueExA(key, "NAME=WITH BLANKS", nullptr, nullptr, small, &size), 234);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(small[0], 'x');
    size = 0;
    EXPECT_EQ(api().RegQueryValueExA(key, "Name=With Blanks", nullptr, nullptr, nullptr, &size), 0);
    EXPECT_EQ(size, 4u);

    std::string big(5000, '\x7f');
    ASSERT_EQ(api().RegSetValueExA(key, "Big\n[Value]", 0, 3, big.data(), uint32_t(big.size())), 0);
    char back[6000];
    size = sizeof back;
    ASSERT_EQ(api().RegQueryValueExA(key, "big\n[value]", nullptr, nullptr, back, &size), 0);
    EXPECT_EQ(std::string(back, size), big);
    // Other values and comments aside, the file still reads back whole.
    EXPECT_EQ(query(key, "Name=With Blanks"), std::string("hi\0\0", 4));
    api().RegCloseKey(key);
}

TEST_F(Registry, AccessRightsOfTheHandleAreKept)
{
    uint32_t key = open(DirectDraw, 1);
    uint32_t v = 1;
    EXPECT_EQ(api().RegSetValueExA(key, "EnablePrintScreen", 0, 4, &v, 4), 5);
    api().RegCloseKey(key);
    key = open(DirectDraw, 2);
    ASSERT_EQ(api().RegSetValueExA(key, "EnablePrintScreen", 0, 4, &v, 4), 0);
    char data[4];
    uint32_t size = 4;
    EXPECT_EQ(api().RegQueryValueExA(key, "EnablePrintScreen", nullptr, nullptr, data, &size), 5);
    api().RegCloseKey(key);
}

TEST_F(Registry, CorruptStoreIsRefusedAndNeverRewritten)
{
    for (std::string bad : { "TROVA REGISTRY 1\n[SOFTWARE\\Microsoft\\DirectDraw]\nEnablePrintScreen=4:0100", // cut off
             "TROVA REGISTRY 1\n[SOFTWARE\\Microsoft\\DirectDraw]\nEnablePrintScreen=4:01000\n", // odd hex
             "not a registry\n" }) {
        kxWriteBytes(file, bad);
        int32_t error = 0;
        open(DirectDraw, 1, &error);
        EXPECT_EQ(error, 1009) << bad;
        EXPECT_EQ(kxReadBytes(file), bad);
    }
}

// A child process rewrites a big value over and over, alternating its content; it is killed at
// varying moments. Every time the file must hold the whole old or the whole new value.
TEST_F(Registry, KillDuringWritesLeavesOldOrNewContentWhole)
{
    const size_t Size = 200000;
    uint32_t key = open(DirectDraw, 3);
    ASSERT_NE(key, 0u);
    std::string a(Size, 'A'), b(Size, 'B');
    ASSERT_EQ(api().RegSetValueExA(key, "Blob", 0, 3, a.data(), uint32_t(Size)), 0);
    int newSeen = 0;
    for (int round = 0; round < 6; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                const std::string& v = i % 2 ? a : b;
                api().RegSetValueExA(key, "Blob", 0, 3, v.data(), uint32_t(Size));
            }
        }
        usleep(useconds_t(150000 + 70000 * round));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::vector<char> back(Size + 10);
        uint32_t size = uint32_t(back.size());
        ASSERT_EQ(api().RegQueryValueExA(key, "Blob", nullptr, nullptr, back.data(), &size), 0) << "round " << round;
        ASSERT_EQ(size, Size);
        std::string got(back.data(), size);
        EXPECT_TRUE(got == a || got == b) << "round " << round;
        newSeen += got == b;
    }
    EXPECT_GT(newSeen, 0) << "the writer never got a write done";
    api().RegCloseKey(key);
}

TEST_F(Registry, CallsWorkFromAFourByteAlignedStack)
{
    uint32_t key = 0, one = 7, back = 0, size = 4;
    ASSERT_EQ(kxCallMisaligned(api().RegOpenKeyExA, { HKLM, kxArg(DirectDraw), 0, 3, kxArg(&key) }), 0u);
    EXPECT_EQ(kxCallMisaligned(api().RegSetValueExA, { key, kxArg("EnablePrintScreen"), 0, 4, kxArg(&one), 4 }), 0u);
    EXPECT_EQ(kxCallMisaligned(api().RegQueryValueExA, { key, kxArg("EnablePrintScreen"), 0, 0, kxArg(&back), kxArg(&size) }), 0u);
    EXPECT_EQ(back, 7u);
    EXPECT_EQ(kxCallMisaligned(api().RegCloseKey, { key }), 0u);
}
