// Registry enumeration, spec lookup and link names.
#include "base/KXCommandList.h"
#include "base/KXCommandRegistry.h"
#include "base/KXCommandTable.h"
#include "runtime/Runtime.h"
#include "tests/support/KXTestSupport.h"

#include <cctype>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {
std::vector<std::string> enumerate()
{
    std::vector<std::string> specs;
    Runtime& rt = *runtimeGetRuntime();
    while (const char* s = rt.nextSym())
        specs.push_back(s);
    return specs;
}
}

TEST(CommandRegistry, EnumeratesAll505TwiceInTheSameOrder)
{
    auto first = enumerate();
    auto second = enumerate();
    ASSERT_EQ(first.size(), 505u);
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.front(), "_kxIntType");
    EXPECT_EQ(first[59], "RuntimeStats");
    EXPECT_EQ(first[60], "%ExecFile$file");
}

TEST(CommandRegistry, SpecsFollowTheGrammarAndNamesAreUnique)
{
    const std::regex helper("_[A-Za-z0-9_]*");
    const std::regex command(R"([%#$]?[A-Za-z][A-Za-z0-9_]*(([%#][a-z_A-Z0-9]+(=-?[0-9]+)?)|(\$[a-z_A-Z0-9]+(="")?))*)");
    std::set<std::string> names;
    for (const std::string& spec : enumerate()) {
        EXPECT_TRUE(std::regex_match(spec, spec[0] == '_' ? helper : command)) << spec;
        std::string link = kxLinkName(spec.c_str());
        std::string lower;
        for (char c : link)
            lower += char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(names.insert(lower).second) << "duplicate " << spec;
        // Once a parameter has a default, every later one has one.
        size_t firstDefault = spec.find('=');
        if (firstDefault != std::string::npos) {
            std::string tail = spec.substr(firstDefault);
            size_t params = 0, defaults = 0;
            for (size_t i = 1; i < tail.size(); ++i)
                if ((tail[i] == '%' || tail[i] == '#' || tail[i] == '$') && tail[i - 1] != '=')
                    ++params;
            for (char c : tail)
                defaults += c == '=';
            EXPECT_EQ(params + 1, defaults) << spec;
        }
    }
}

TEST(CommandRegistry, SymValueIsExactAndCaseSensitive)
{
    Runtime& rt = *runtimeGetRuntime();
    EXPECT_NE(rt.symValue("%WaitEvent%timeout=-1"), -1);
    EXPECT_EQ(rt.symValue("%waitevent%timeout=-1"), -1);
    EXPECT_EQ(rt.symValue("WaitEvent"), -1);
    EXPECT_EQ(rt.version(), 0x100093);
}

TEST(CommandRegistry, LinkNames)
{
    EXPECT_EQ(kxLinkName("_kxStrLoad"), "__kxStrLoad");
    EXPECT_EQ(kxLinkName("_kxIntType"), "__kxIntType");
    EXPECT_EQ(kxLinkName("%CreateBank%size=0"), "_fcreatebank");
    EXPECT_EQ(kxLinkName("%LoadImage$file%flags=1"), "_floadimage");
    EXPECT_EQ(kxLinkName("$RequestFile$prompt=\"\"$exts=\"\"%save=0$defname=\"\""), "_frequestfile");
    EXPECT_EQ(kxLinkName("CopyStream%src_stream%dest_stream%buffer_size=16384"), "_fcopystream");
    EXPECT_EQ(kxLinkName("End"), "_fend");
}

TEST(CommandRegistry, EveryAreaTableEntryIsAListedSpec)
{
    std::set<std::string> listed;
    for (const std::string& s : enumerate())
        listed.insert(s);
    for (const KXCommandTable* t = KXCommandTable::first(); t; t = t->next())
        for (size_t i = 0; i < t->count(); ++i)
            EXPECT_TRUE(listed.count(t->entries()[i].spec)) << t->entries()[i].spec;
}

TEST(CommandRegistry, UnimplementedCommandsRaiseANamedError)
{
    Runtime& rt = *runtimeGetRuntime();
    int address = rt.symValue("%CountHostIPs$host_name");
    ASSERT_NE(address, -1);
    if (kxImplementation("%CountHostIPs$host_name"))
        GTEST_SKIP() << "implemented";
    auto fn = reinterpret_cast<int(KX_STDCALL*)(void*)>(address);
    EXPECT_RUNTIME_ERROR(fn(nullptr), "CountHostIPs is not available on this platform");
}
