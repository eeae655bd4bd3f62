// System commands: properties, environment, ExecFile's parsing and launching, dates and times,
// the title and the command line.
#include "core/KXString.h"
#include "runtime/KXAppTitle.h"
#include "base/KXOsVersion.h"
#include "runtime/KXSystemCommands.h"
#include "tests/support/KXTestSupport.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
// Runs a string command on a text and answers the result's text, releasing both strings.
template<class F>
std::string call(F f, const std::string& arg)
{
    KXRef<KXString> in(KXString::create(arg));
    KXRef<KXString> out(f(in.get()));
    return out->str();
}

std::string property(const std::string& name) { return call(SystemProperty, name); }

struct EnvOverride {
    const char* name;
    EnvOverride(const char* n, const char* value)
        : name(n)
    {
        setenv(n, value, 1);
    }
    ~EnvOverride() { unsetenv(name); }
};

bool parse(const char* text, KXExecRequest& r) { return kxParseExecFile(text, r); }
}

TEST(SystemProperty, NamesIgnoreCaseAndDirectoriesEndInASeparator)
{
    EXPECT_EQ(property("cpu"), "Intel");
    EXPECT_EQ(property("APPDIR"), property("appdir"));
    EXPECT_EQ(property("AppDir").back(), '/');
    EXPECT_EQ(property("appdir").front(), '/');
    for (const char* dir : { "windowsdir", "systemdir", "tempdir" })
        EXPECT_EQ(property(dir).back(), '/') << dir;
    EXPECT_EQ(property("nonsense"), "");
    EXPECT_EQ(property(""), "");
    EnvOverride tmp("TMPDIR", "/var/tmp");
    EXPECT_EQ(property("TempDir"), "/var/tmp/");
}

TEST(SystemProperty, OsNameFollowsTheReportedVersion)
{
    EXPECT_EQ(property("os"), "Windows XP");
    {
        EnvOverride v("TROVA_OSVERSION", "4.10.1998.1");
        EXPECT_EQ(property("OS"), "Windows 98");
    }
    {
        EnvOverride v("TROVA_OSVERSION", "6.1.7601.2");
        EXPECT_EQ(property("os"), "");
    }
    {
        EnvOverride v("TROVA_OSVERSION", "5.x");
        EXPECT_EQ(property("os"), "Windows XP") << "a malformed override leaves the default";
    }
    EXPECT_EQ(kxOsName(3, 51), "Windows NT 3.1");
    EXPECT_EQ(kxOsName(4, 90), "Windows ME");
    EXPECT_EQ(kxOsName(5, 0), "Windows 2000");
    EXPECT_EQ(kxOsName(4, 1), "");

    KXOsVersion v { 0, 0, 0, 0 };
    EXPECT_TRUE(kxParseOsVersion("6.0", v));
    EXPECT_EQ(v.major, 6u);
    EXPECT_EQ(v.minor, 0u);
    EXPECT_EQ(v.build, 2600u);
    EXPECT_EQ(v.platform, 2u);
    for (const char* bad : { "", "6", "6.", ".1", "6.0.1.2.3", "6.0x", "1234567890.1", "-1.0" })
        EXPECT_FALSE(kxParseOsVersion(bad, v)) << bad;
}

TEST(Environment, SetEnvThenGetEnv)
{
    auto set = [](const std::string& var, const std::string& value) {
        KXRef<KXString> a(KXString::create(var)), b(KXString::create(value));
        SetEnv(a.get(), b.get());
    };
    set("KX_TEST_VARIABLE", "some value");
    EXPECT_EQ(call(GetEnv, "KX_TEST_VARIABLE"), "some value");
    set("KX_TEST_VARIABLE", "");
    EXPECT_EQ(std::getenv("KX_TEST_VARIABLE"), nullptr);
    EXPECT_EQ(call(GetEnv, "KX_TEST_VARIABLE"), "");
    set("", "x");
    set("A=B", "x");
    EXPECT_EQ(std::getenv("A"), nullptr);
    EXPECT_EQ(call(GetEnv, ""), "");
}

TEST(ExecFile, ParsesQuotedAndPlainFileParts)
{
    KXExecRequest r;
    ASSERT_TRUE(parse("  \"C:\\My Files\\tool.exe\"  -a", r));
    EXPECT_EQ(r.file, "C:\\My Files\\tool.exe");
    EXPECT_EQ(r.parameters, "-a");
    ASSERT_TRUE(parse("notes.txt", r));
    EXPECT_EQ(r.file, "notes.txt");
    EXPECT_EQ(r.parameters, "");
    ASSERT_TRUE(parse("prog   x  y ", r));
    EXPECT_EQ(r.file, "prog");
    EXPECT_EQ(r.parameters, "x  y ");
    ASSERT_TRUE(parse("\"a\"b", r));
    EXPECT_EQ(r.file, "a");
    EXPECT_EQ(r.parameters, "b");

    for (const char* bad : { "", "    ", "\"unterminated path -a", "\"\" -a" })
        EXPECT_FALSE(parse(bad, r)) << '[' << bad << ']';
    EXPECT_TRUE(parse(std::string(255, 'f').c_str(), r));
    EXPECT_FALSE(parse(std::string(256, 'f').c_str(), r));
    EXPECT_FALSE(parse(("\"" + std::string(256, 'f') + "\"").c_str(), r));
}

TEST(ExecFile, UnusableTextIsMinusOneAndMissingFilesZero)
{
    auto exec = [](const std::string& t) {
        KXRef<KXString> s(KXString::create(t));
        return ExecFile(s.get());
    };
    EXPECT_EQ(exec(""), -1);
    EXPECT_EQ(exec("\"/bin/true -x"), -1);
    EXPECT_EQ(exec("/no/such/file/anywhere -x"), 0);
    EXPECT_EQ(exec("no-such-program-on-the-path-kx"), 0);
}

TEST(ExecFile, RunsAnExecutableWithItsArguments)
{
    char dirTemplate[] = "/tmp/kxexecXXXXXX";
    ASSERT_NE(mkdtemp(dirTemplate), nullptr);
    std::string dir = std::string(dirTemplate) + "/with blank";
    ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
    std::string script = dir + "/record.sh", out = dir + "/out.txt";
    {
        std::ofstream s(script);
        s << "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$(dirname \"$0\")/out.tmp\"\n"
          << "mv \"$(dirname \"$0\")/out.tmp\" \"$(dirname \"$0\")/out.txt\"\n";
    }
    ASSERT_EQ(chmod(script.c_str(), 0700), 0);

    std::string pwned = std::string(dirTemplate) + "/pwned";
    KXRef<KXString> text(KXString::create("\"" + script + "\"  -a \"b c\" $(touch " + pwned + ")"));
    EXPECT_EQ(ExecFile(text.get()), 1);
    std::string got;
    for (int i = 0; i < 200 && got.empty(); ++i) {
        std::ifstream in(out);
        std::stringstream ss;
        ss << in.rdbuf();
        got = ss.str();
        if (got.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(got, "[-a][b c][$(touch][" + pwned + ")]");
    EXPECT_NE(access(pwned.c_str(), F_OK), 0);
    std::system(("rm -rf '" + std::string(dirTemplate) + "'").c_str());
}

TEST(Console, InputReadsTrimmedLinesOfAtMost255Characters)
{
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::string longLine(300, 'x');
    std::string text = "  \thello world \t\n" + longLine + "\n";
    ASSERT_EQ(write(fds[1], text.data(), text.size()), ssize_t(text.size()));
    close(fds[1]);
    int savedStdin = dup(0);
    ASSERT_EQ(dup2(fds[0], 0), 0);
    close(fds[0]);
    clearerr(stdin);

    EXPECT_EQ(call(Input, "? "), "hello world");
    EXPECT_EQ(call(Input, ""), std::string(255, 'x'));
    EXPECT_EQ(call(Input, ""), std::string(45, 'x'));
    EXPECT_EQ(call(Input, ""), "") << "end of input";

    dup2(savedStdin, 0);
    close(savedStdin);
    clearerr(stdin);
}

TEST(Time, DatesAndTimesUseFixedEnglishFormats)
{
    std::tm t {};
    t.tm_mday = 6;
    t.tm_mon = 11;
    t.tm_year = 126;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(kxFormatDate(t), "06 Dec 2026");
    EXPECT_EQ(kxFormatTime(t), "09:05:03");
    t.tm_mon = 0;
    t.tm_mday = 31;
    EXPECT_EQ(kxFormatDate(t), "31 Jan 2026");

    KXRef<KXString> date(CurrentDate()), time(CurrentTime());
    EXPECT_TRUE(std::regex_match(date->str(), std::regex("[0-3][0-9] (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-9]{4}")))
        << date->str();
    EXPECT_TRUE(std::regex_match(time->str(), std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]"))) << time->str();
}

TEST(Time, DelayAndMilliSecs)
{
    uint32_t before = uint32_t(MilliSecs());
    Delay(-5);
    Delay(0);
    Delay(20);
    uint32_t elapsed = uint32_t(MilliSecs()) - before;
    EXPECT_GE(elapsed, 20u);
    EXPECT_LT(elapsed, 60000u);
}

TEST(Program, CommandLineIsTheSameStringEveryTime)
{
    KXRef<KXString> a(CommandLine()), b(CommandLine());
    EXPECT_EQ(a.get(), b.get());
}

TEST(Program, RuntimeErrorCarriesItsTextEvenWhenEmpty)
{
    KXRef<KXString> empty(KXString::create("")), text(KXString::create("Disk 100% full"));
    EXPECT_RUNTIME_ERROR(RuntimeError(empty.get()), "");
    EXPECT_RUNTIME_ERROR(RuntimeError(text.get()), "Disk 100% full");
    EXPECT_EQ(KX_ERROR_OF(End()), "<end>");
}

TEST(Program, AppTitleReplacesTheTitle)
{
    KXRef<KXString> title(KXString::create("Pictorra"));
    int refs = title->refs();
    AppTitle(title.get());
    EXPECT_STREQ(kxAppTitle(), "Pictorra");
    EXPECT_EQ(title->refs(), refs + 1);
    KXRef<KXString> other(KXString::create("Other"));
    AppTitle(other.get());
    EXPECT_EQ(title->refs(), refs);
    EXPECT_STREQ(kxAppTitle(), "Other");
}

TEST(Program, ActiveObjectsCountsLiveObjects)
{
    int before = ActiveObjects();
    KXRef<KXString> s(KXString::create("x"));
    EXPECT_EQ(ActiveObjects(), before + 1);
    DebugObjects();
    kxDebugStmt(nullptr, nullptr);
    kxDebugEnter(nullptr, nullptr, nullptr);
    kxDebugLeave();
}
