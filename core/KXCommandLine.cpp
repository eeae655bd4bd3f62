// Splitting command lines into a program part and arguments.
#include "core/KXCommandLine.h"

#include <algorithm>

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
}

std::vector<std::string> KXCommandLine::split(std::string_view s, Backslashes backslashes)
{
    const bool escapes = backslashes == Backslashes::Escape;
    std::vector<std::string> args;
    size_t i = 0;
    for (;;) {
        while (i < s.size() && isBlank(s[i]))
            ++i;
        if (i >= s.size())
            return args;
        std::string arg;
        bool quoted = false;
        for (; i < s.size(); ++i) {
            char c = s[i];
            if (c == '\\' && escapes) {
                size_t n = 0;
                while (i < s.size() && s[i] == '\\')
                    ++n, ++i;
                if (i < s.size() && s[i] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2)
                        arg += '"';
                    else
                        quoted = !quoted;
                } else {
                    arg.append(n, '\\');
                    --i;
                }
            } else if (c == '"') {
                quoted = !quoted;
            } else if (!quoted && isBlank(c)) {
                break;
            } else {
                arg += c;
            }
        }
        args.push_back(std::move(arg));
    }
}

std::optional<KXCommandLine::Head> KXCommandLine::head(std::string_view t)
{
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    if (t.empty())
        return std::nullopt;
    Head h;
    if (t.front() == '"') {
        size_t close = t.find('"', 1);
        if (close == std::string_view::npos)
            return std::nullopt;
        h.program = t.substr(1, close - 1);
        h.rest = t.substr(close + 1);
        h.quoted = true;
    } else {
        size_t blank = std::min(t.find(' '), t.size());
        h.program = t.substr(0, blank);
        h.rest = t.substr(blank);
    }
    return h;
}
