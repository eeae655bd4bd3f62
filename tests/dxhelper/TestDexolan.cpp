// Dexolan bound as the application binds it ("data\Dexolan.dll", plain names), over a registry
// store in a scratch folder: every state of the switch, the key missing, an unwritable store,
// and a call through CallDLL.
#include "core/KXString.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXUserLibs.h"
#include "runtime/UserLibCommands.h"
#include "tests/support/KXLibTable.h"
#include "tests/support/KXMisalignedCall.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
using Export = int(__attribute__((stdcall)) *)();

const std::string Header = "TROVA REGISTRY 1\n[SOFTWARE\\Microsoft\\DirectDraw]\n";

struct Dexolan : testing::Test {
    static void SetUpTestSuite()
    {
        ASSERT_EQ(chdir(KX_BIN_DIR), 0);
        KXLibTable t;
        t.lib("data\\Dexolan.dll").fn("DXPrintScreenEnabled", enabled).fn("ToggleDXPrintScreen", toggle);
        std::vector<char> bytes = t.bytes();
        kxLoadLibs(bytes.data());
    }
    static void TearDownTestSuite() { KXUserLibs::instance().shutdown(); }
    // Checked per test: a failure in the suite's set-up would only mark its tests skipped.
    void SetUp() override
    {
        ASSERT_EQ(KXUserLibs::instance().libraries().size(), 1u);
        file = dir / "HKLM.reg";
        setenv("TROVA_REGISTRY_HKLM", file.c_str(), 1);
    }
    void TearDown() override { unsetenv("TROVA_REGISTRY_HKLM"); }

    void store(const std::string& values) { kxWriteBytes(file, Header + values); }

    static inline Export enabled = nullptr;
    static inline Export toggle = nullptr;
    KXTempDir dir;
    std::string file;
};
}

TEST_F(Dexolan, AbsentValueReadsMinusOneAndToggleCreatesDwordOne)
{
    store("");
    EXPECT_EQ(enabled(), -1);
    EXPECT_EQ(toggle(), 1);
    EXPECT_EQ(kxReadBytes(file), "TROVA REGISTRY 1\n[SOFTWARE]\n[SOFTWARE\\Microsoft]\n" + Header.substr(17) + "EnablePrintScreen=4:01000000\n");
    EXPECT_EQ(enabled(), 1);
}

TEST_F(Dexolan, WithoutAStoreFileTheDefaultKeyIsThere)
{
    EXPECT_EQ(enabled(), -1);
    EXPECT_EQ(toggle(), 1);
    EXPECT_EQ(enabled(), 1);
}

TEST_F(Dexolan, AnyValueButOneCountsAsOff)
{
    store("EnablePrintScreen=4:05000000\n");
    EXPECT_EQ(enabled(), 5);
    EXPECT_EQ(toggle(), 1);
    EXPECT_EQ(enabled(), 1);
    EXPECT_EQ(toggle(), 0);
    EXPECT_EQ(enabled(), 0);
    EXPECT_NE(kxReadBytes(file).find("EnablePrintScreen=4:00000000\n"), std::string::npos);
    // Short values of another type read as they are; longer ones not at all.
    store("EnablePrintScreen=3:01\n");
    EXPECT_EQ(enabled(), 1);
    store("ENABLEPRINTSCREEN=1:68656C6C6F00\n");
    EXPECT_EQ(enabled(), -1);
}

TEST_F(Dexolan, MissingKeyReadsMinusTwoAndIsNeverWritten)
{
    std::string noKey = "TROVA REGISTRY 1\n[SOFTWARE\\Microsoft]\n";
    kxWriteBytes(file, noKey);
    EXPECT_EQ(enabled(), -2);
    EXPECT_EQ(toggle(), 0);
    EXPECT_EQ(kxReadBytes(file), noKey);
}

// A user without write rights on the store (run as root, the child drops to "nobody").
TEST_F(Dexolan, UnwritableStoreKeepsTheValueAndToggleAnswersZero)
{
    store("EnablePrintScreen=4:00000000\n");
    chmod(dir.path().c_str(), 0555);
    chmod(file.c_str(), 0444);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        int before = enabled(), result = toggle(), after = enabled();
        _exit(before == 0 && result == 0 && after == 0 ? 0 : 20 + before * 4 + result * 2 + after);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(kxReadBytes(file), Header + "EnablePrintScreen=4:00000000\n");
}

TEST_F(Dexolan, CallDllReachesItToo)
{
    store("EnablePrintScreen=4:01000000\n");
    KXRef<KXString> lib(KXString::create("data/Dexolan.dll")), fn(KXString::create("DXPrintScreenEnabled"));
    EXPECT_EQ(CallDLL(lib.get(), fn.get(), 0, 0), 1);
}

TEST_F(Dexolan, ExportsWorkFromAFourByteAlignedStack)
{
    store("EnablePrintScreen=4:01000000\n");
    EXPECT_EQ(kxCallMisaligned(toggle, {}), 0u);
    EXPECT_EQ(kxCallMisaligned(enabled, {}), 0u);
}
