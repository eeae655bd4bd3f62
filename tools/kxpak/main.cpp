// kxpak: writes Pictorra's data pack from files.
//
//   kxpak OUTPUT --key K --header-key H [--append-to EXE] [--count N] FILE[=NAME]...
//
// Each FILE becomes an entry named NAME (default: the file's own name without folders). With
// --append-to the output is EXE followed by the pack and its trailer.
#include "tools/kxpak/KXPakWriter.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool readAll(const std::string& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

int usage()
{
    std::fprintf(stderr, "usage: kxpak OUTPUT --key K --header-key H [--append-to EXE] [--count N] FILE[=NAME]...\n");
    return 2;
}

}

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    std::string output = argv[1];
    uint32_t key = 0, headerKey = 0;
    std::string appendTo;
    int count = -1;
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "--key" || a == "--header-key" || a == "--append-to" || a == "--count") && i + 1 < argc) {
            std::string v = argv[++i];
            if (a == "--key")
                key = uint32_t(std::strtoul(v.c_str(), nullptr, 0));
            else if (a == "--header-key")
                headerKey = uint32_t(std::strtoul(v.c_str(), nullptr, 0));
            else if (a == "--count")
                count = std::atoi(v.c_str());
            else
                appendTo = v;
            continue;
        }
        if (a.rfind("--", 0) == 0)
            return usage();
        size_t eq = a.find('=');
        std::string path = eq == std::string::npos ? a : a.substr(0, eq);
        std::string name = eq == std::string::npos ? path.substr(path.find_last_of('/') + 1) : a.substr(eq + 1);
        files.emplace_back(path, name);
    }

    KXPakWriter writer(key, headerKey);
    writer.setCountField(count);
    for (auto& [path, name] : files) {
        std::vector<uint8_t> data;
        if (!readAll(path, data)) {
            std::fprintf(stderr, "kxpak: cannot read %s\n", path.c_str());
            return 1;
        }
        writer.add(name, std::move(data));
    }
    std::vector<uint8_t> bytes;
    if (appendTo.empty()) {
        bytes = writer.pack();
    } else {
        std::vector<uint8_t> exe;
        if (!readAll(appendTo, exe)) {
            std::fprintf(stderr, "kxpak: cannot read %s\n", appendTo.c_str());
            return 1;
        }
        bytes = writer.appendTo(exe);
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "kxpak: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
