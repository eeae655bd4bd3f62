// Command lines split into a program part and arguments, with and without backslash escapes.
#include "core/KXCommandLine.h"
#include "tests/support/KXTestSupport.h"

using Args = std::vector<std::string>;
using BS = KXCommandLine::Backslashes;

TEST(CommandLine, BlanksSeparateAndQuotesGroup)
{
    for (BS rules : { BS::Escape, BS::Plain }) {
        EXPECT_EQ(KXCommandLine::split("  a  b\tc ", rules), (Args { "a", "b", "c" }));
        EXPECT_EQ(KXCommandLine::split(R"("C:\Program Files\x.exe" "" a"b c"d)", rules),
            (Args { R"(C:\Program Files\x.exe)", "", "ab cd" }));
        EXPECT_EQ(KXCommandLine::split("   ", rules), Args {});
        EXPECT_EQ(KXCommandLine::split("", rules), Args {});
        // No shell: nothing but blanks and quotes means anything.
        EXPECT_EQ(KXCommandLine::split("$(id) ;rm x `y` \"\" *", rules), (Args { "$(id)", ";rm", "x", "`y`", "", "*" }));
        // An unterminated quote runs to the end, blanks and all.
        EXPECT_EQ(KXCommandLine::split("a \"b  c", rules), (Args { "a", "b  c" }));
        EXPECT_EQ(KXCommandLine::split("\"", rules), (Args { "" }));
    }
}

TEST(CommandLine, BackslashesEscapeOnlyBeforeQuotes)
{
    EXPECT_EQ(KXCommandLine::split(R"(a\\\"b c\\"d e" f\\g)"), (Args { R"(a\"b)", R"(c\d e)", R"(f\\g)" }));
    EXPECT_EQ(KXCommandLine::split(R"(\"a\" b\)"), (Args { R"("a")", R"(b\)" }));
    EXPECT_EQ(KXCommandLine::split(R"("C:\dir\\" next)"), (Args { R"(C:\dir\)", "next" }));
    // A quote escaped inside a quoted argument keeps the group open.
    EXPECT_EQ(KXCommandLine::split(R"("say \"hi there\"" x)"), (Args { R"(say "hi there")", "x" }));
    // Plain backslashes: every quote acts and every backslash stays.
    EXPECT_EQ(KXCommandLine::split(R"(a\"b c\" d)", BS::Plain), (Args { R"(a\b c\)", "d" }));
    EXPECT_EQ(KXCommandLine::split(R"("C:\dir\" next)", BS::Plain), (Args { R"(C:\dir\)", "next" }));
}

TEST(CommandLine, HeadIsTheProgramPart)
{
    auto head = KXCommandLine::head("  \"C:\\Program Files\\p.exe\"  -x \"y\"");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->program, "C:\\Program Files\\p.exe");
    EXPECT_EQ(head->rest, "  -x \"y\"");
    EXPECT_TRUE(head->quoted);

    head = KXCommandLine::head("prog  a b");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->program, "prog");
    EXPECT_EQ(head->rest, "  a b");
    EXPECT_FALSE(head->quoted);

    // A quoted name ends at the next quote: no escapes, so a folder's trailing backslash holds.
    head = KXCommandLine::head("\"C:\\dir\\\" x");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->program, "C:\\dir\\");
    EXPECT_EQ(head->rest, " x");

    head = KXCommandLine::head("\"\"");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->program, "");
    EXPECT_EQ(head->rest, "");

    // Only spaces are skipped before the name; a tab belongs to an unquoted name.
    head = KXCommandLine::head("\tprog x");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->program, "\tprog");

    EXPECT_FALSE(KXCommandLine::head(""));
    EXPECT_FALSE(KXCommandLine::head("    "));
    EXPECT_FALSE(KXCommandLine::head("  \"never closed x"));
}
