// The output of a shell command, for tests that check files with the system's own tools
// (ImageMagick's identify and convert, xprop).
#pragma once

#include <cstdio>
#include <string>

inline std::string kxShellOutput(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[65536];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        pclose(p);
    }
    return out;
}
