// External library binding: library tables, the trovapath retry, the stubs of missing libraries
// and functions, unloading order, and CallDLL with its cache.
#include "core/BankCommands.h"
#include "core/KXBank.h"
#include "runtime/KXDllCache.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXUserLibs.h"
#include "runtime/UserLibCommands.h"
#include "tests/support/KXLibTable.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <cstdint>
#include <cstring>
#include <unistd.h>

namespace {
const std::string LibDir = KX_TEST_LIBDIR;

// A library table laid out as a program image carries it.
using LibTable = KXLibTable;

using Fn2 = int(KX_STDCALL*)(int, int);
using Fn0 = const char*(KX_STDCALL*)();
using SetLog = void(KX_STDCALL*)(char*);

struct UserLibs : testing::Test {
    void SetUp() override
    {
        unsetenv("trovapath");
        ASSERT_EQ(userLibs.libraries().size(), 0u);
    }
    void TearDown() override
    {
        userLibs.shutdown();
        unsetenv("trovapath");
    }
    void bind(LibTable& t)
    {
        std::vector<char> bytes = t.bytes();
        kxLoadLibs(bytes.data());
    }
    KXUserLibs& userLibs = KXUserLibs::instance();
};

// Runs the statements with the library folder's parent as the working directory.
struct InLibDir {
    InLibDir()
        : m_old(getcwd(nullptr, 0))
    {
        EXPECT_EQ(chdir(LibDir.c_str()), 0);
    }
    ~InLibDir()
    {
        EXPECT_EQ(chdir(m_old), 0);
        std::free(m_old);
    }
    char* m_old;
};
}

TEST_F(UserLibs, BindsRelativePathsAndDecoratedNames)
{
    void *add = nullptr, *sum = nullptr, *missing = nullptr;
    LibTable t;
    t.lib("userlibs\\KXTestLibA.dll").fn("_kxtAdd@8", add).fn("kxtStdSum", sum).fn("_kxtMissing@4", missing);
    t.lib("userlibs/KXTestLibB.dll"); // no functions: loaded and unloaded all the same
    {
        InLibDir here;
        bind(t);
    }
    EXPECT_EQ(userLibs.libraries().size(), 2u);
    EXPECT_EQ(reinterpret_cast<Fn2>(add)(40, 2), 42);
    EXPECT_EQ(reinterpret_cast<int(KX_STDCALL*)(int, int, int, int)>(sum)(1, 1, 1, 1), 10);
    EXPECT_EQ(missing, KXUserLibs::missingFunctionStub());
    EXPECT_RUNTIME_ERROR(reinterpret_cast<Fn2>(missing)(1, 2), "User lib function not found");
}

TEST_F(UserLibs, MissingLibraryGetsStubsAndBindingGoesOn)
{
    void *a = nullptr, *b = nullptr, *name = nullptr;
    LibTable t;
    t.lib("KXNoSuchLib.dll").fn("_f@8", a).fn("g", b);
    t.lib(LibDir + "/userlibs/KXTestLibB.dll").fn("kxtName", name);
    bind(t);
    EXPECT_EQ(a, KXUserLibs::missingLibraryStub());
    EXPECT_EQ(b, KXUserLibs::missingLibraryStub());
    EXPECT_RUNTIME_ERROR(reinterpret_cast<Fn2>(a)(1, 2), "User lib not found");
    EXPECT_STREQ(reinterpret_cast<Fn0>(name)(), "B");
    EXPECT_EQ(userLibs.libraries().size(), 1u);
}

// The retry path must fit a 260-character buffer (259 characters and the terminator).
TEST_F(UserLibs, TrovapathRetryRefusesPathsBeyondItsBuffer)
{
    const std::string tail = "/userlibs/KXTestLibB.dll";
    for (size_t length : { 259u, 260u }) {
        SCOPED_TRACE(length);
        ASSERT_LT(LibDir.size() + tail.size(), 259u);
        std::string trovapath = LibDir + std::string(length - LibDir.size() - tail.size(), '/');
        setenv("trovapath", trovapath.c_str(), 1);
        void* name = nullptr;
        LibTable t;
        t.lib("KXTestLibB.dll").fn("kxtName", name);
        bind(t);
        if (length == 259)
            EXPECT_STREQ(reinterpret_cast<Fn0>(name)(), "B");
        else
            EXPECT_EQ(name, KXUserLibs::missingLibraryStub());
        userLibs.shutdown();
    }
}

TEST_F(UserLibs, ModuleShutdownUnloadsLastLoadedFirst)
{
    void *logA = nullptr, *logB = nullptr;
    LibTable t;
    t.lib(LibDir + "/userlibs/KXTestLibA.dll").fn("kxtSetLog", logA);
    t.lib(LibDir + "\\userlibs\\KXTestLibB.dll").fn("kxtSetLog", logB);
    bind(t);
    char log[8] = "";
    reinterpret_cast<SetLog>(logA)(log);
    reinterpret_cast<SetLog>(logB)(log);
    userLibs.start();
    KXModuleRegistry::global().shutdownModule(&userLibs);
    EXPECT_STREQ(log, "BA");
    EXPECT_TRUE(userLibs.libraries().empty());
}

TEST(CallDLL, PassesBanksAndLoadsEachNameOnce)
{
    KXArg lib(LibDir + "\\userlibs\\KXTestLibC.dll"), reverse("kxtReverse");
    int in = CreateBank(3), out = CreateBank(5);
    PokeByte(in, 0, 'a');
    PokeByte(in, 1, 'b');
    PokeByte(in, 2, 'c');
    KXDllCache& cache = KXDllCache::instance();
    int loads = cache.libraryLoads(), lookups = cache.functionLookups();
    EXPECT_EQ(CallDLL(lib, reverse, in, out), 3005);
    EXPECT_EQ(CallDLL(lib, reverse, in, out), 3005);
    EXPECT_EQ(cache.libraryLoads(), loads + 1);
    EXPECT_EQ(cache.functionLookups(), lookups + 1);
    EXPECT_EQ(PeekByte(out, 0), 'c');
    EXPECT_EQ(PeekByte(out, 2), 'a');
    EXPECT_EQ(PeekByte(out, 3), 0);
    EXPECT_EQ(CallDLL(lib, reverse, 0, 0), 0);
    EXPECT_RUNTIME_ERROR(CallDLL(lib, reverse, 12345, 0), "Invalid Bank handle");
    FreeBank(in);
    FreeBank(out);
}

// Callees that remove their arguments and callees that leave them both return cleanly, call
// after call; a decorated name is found under its undecorated export.
TEST(CallDLL, EitherCallingConventionKeepsTheStack)
{
    KXArg lib(LibDir + "/userlibs/KXTestLibC.dll");
    int in = CreateBank(7);
    int address = int(reinterpret_cast<uintptr_t>(reinterpret_cast<KXBank*>(intptr_t(in))->data()));
    for (const char* name : { "kxtStdSum", "kxtCdeclSum" })
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(CallDLL(lib, KXArg(name), in, 0), address + 14) << name;
    EXPECT_EQ(CallDLL(lib, KXArg("_kxtAdd@8"), in, 0), address + 7);
    EXPECT_EQ(CallDLL(lib, KXArg("kxtNope"), in, 0), -1);
    EXPECT_EQ(CallDLL(KXArg("KXNoSuchLib.dll"), KXArg("kxtStdSum"), 0, 0), -1);
    FreeBank(in);
}
