// KXCommandLine: how a command line is split into the program part and its arguments.
//
// One set of rules serves every caller: the runtime's own command line, the commands that start
// programs (CreateProcess, ExecFile) and the test helpers. Nothing here goes through a shell:
// "$", ";", backquotes and the like are ordinary characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class KXCommandLine {
public:
    // What a backslash before a double quote means to split.
    enum class Backslashes {
        // 2n backslashes before a quote give n backslashes and the quote acts; 2n + 1 give n
        // backslashes and a literal quote; other backslashes are plain characters. This is how
        // programs on the platform the language comes from read their own command lines.
        Escape,
        // Every backslash is a plain character and every quote acts (ExecFile's parameters).
        Plain,
    };

    // Splits text into arguments: blanks (space, tab) outside quotes separate them; double quotes
    // group blanks into one argument and are removed, so "" is an empty argument. An unterminated
    // quote runs to the end of the text. Blank text gives no arguments.
    static std::vector<std::string> split(std::string_view text, Backslashes backslashes = Backslashes::Escape);

    // The program part at the front of a command line, after leading spaces: a quoted text up to
    // the next quote (no escapes: paths end in backslashes), or the text up to the first space.
    struct Head {
        std::string_view program; // without its quotes
        std::string_view rest; // everything after the program part, starting at the blank if any
        bool quoted { false };
    };
    // Answers nothing for text that is empty or all spaces, or whose quoted program part is never
    // closed.
    static std::optional<Head> head(std::string_view text);
};
