// kximage: builds program images from i386 ELF objects and attaches them to the runtime.
//
//   kximage link OBJ... -o IMAGE [--allow-undefined]
//   kximage attach IMAGE -o EXE [--runtime PATH]
//   kximage header -o FILE
//   kximage dump IMAGE
#include "runtime/KXHostPaths.h"
#include "runtime/KXImageLinker.h"
#include "runtime/KXProgramImage.h"
#include "tools/kximage/KXHeaderGenerator.h"
#include "tools/kximage/KXImageBuilder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

// kximage only reads the registry: it never shows anything, so it runs on the headless platform
// whatever the environment says. Runs before static constructors, which register the modules.
__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 1); }

namespace {
int usage()
{
    std::fprintf(stderr, "usage: kximage link OBJ... -o IMAGE [--allow-undefined]\n"
                         "       kximage attach IMAGE -o EXE [--runtime PATH]\n"
                         "       kximage header -o FILE\n"
                         "       kximage dump IMAGE\n");
    return 2;
}

int failure(const std::string& message)
{
    std::fprintf(stderr, "kximage: %s\n", message.c_str());
    return 1;
}

bool readFile(const std::string& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes through a temporary file renamed into place, so a failed run leaves no partial output.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes, mode_t mode)
{
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        if (!out.flush())
            return false;
    }
    if (chmod(tmp.c_str(), mode) != 0 || std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

struct Arguments {
    std::vector<std::string> inputs;
    std::string output;
    std::string runtime;
    bool allowUndefined { false };
};

bool parseArguments(int argc, char** argv, Arguments& a)
{
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-o" && i + 1 < argc)
            a.output = argv[++i];
        else if (arg == "--runtime" && i + 1 < argc)
            a.runtime = argv[++i];
        else if (arg == "--allow-undefined")
            a.allowUndefined = true;
        else if (!arg.empty() && arg[0] == '-')
            return false;
        else
            a.inputs.push_back(arg);
    }
    return true;
}

int link(const Arguments& a)
{
    if (a.inputs.empty() || a.output.empty())
        return usage();
    std::vector<std::string> names = kxRegistryLinkNames();
    KXImageBuilder builder([&](std::string_view n) { return std::binary_search(names.begin(), names.end(), n); });
    builder.setAllowUndefined(a.allowUndefined);
    std::string error;
    for (const std::string& path : a.inputs) {
        std::vector<uint8_t> bytes;
        if (!readFile(path, bytes))
            return failure("cannot read " + path);
        if (!builder.addObject(path, std::move(bytes), error))
            return failure(error);
    }
    KXProgramImage image;
    if (!builder.build(image, error))
        return failure(error);
    if (!writeFile(a.output, image.bytes(), 0644))
        return failure("cannot write " + a.output);
    return 0;
}

int attach(const Arguments& a)
{
    if (a.inputs.size() != 1 || a.output.empty())
        return usage();
    std::string runtimePath = a.runtime.empty() ? kxExecutableDir() + "trova" : a.runtime;
    std::vector<uint8_t> image, exe;
    if (!readFile(a.inputs[0], image))
        return failure("cannot read " + a.inputs[0]);
    if (!readFile(runtimePath, exe))
        return failure("cannot read the runtime " + runtimePath);
    if (image.size() > 0xFFFFFFFFu)
        return failure("the image is too large");
    // A runtime that already carries an image loses it: the new one replaces it.
    if (exe.size() >= 12 && std::memcmp(exe.data() + exe.size() - 8, KXImageTrailerMagic, 8) == 0) {
        uint32_t old;
        std::memcpy(&old, exe.data() + exe.size() - 12, 4);
        if (old <= exe.size() - 12)
            exe.resize(exe.size() - 12 - old);
    }
    exe.insert(exe.end(), image.begin(), image.end());
    uint32_t size = uint32_t(image.size());
    for (int i = 0; i < 4; ++i)
        exe.push_back(uint8_t(size >> (8 * i)));
    exe.insert(exe.end(), KXImageTrailerMagic, KXImageTrailerMagic + 8);
    if (!writeFile(a.output, exe, 0755))
        return failure("cannot write " + a.output);
    return 0;
}

int header(const Arguments& a)
{
    if (!a.inputs.empty() || a.output.empty())
        return usage();
    std::string text = kxCommandsHeader(kxRegistrySpecs());
    // Leave an unchanged header alone so that programs are not rebuilt for nothing.
    std::vector<uint8_t> old;
    if (readFile(a.output, old) && std::string(old.begin(), old.end()) == text)
        return 0;
    if (!writeFile(a.output, std::vector<uint8_t>(text.begin(), text.end()), 0644))
        return failure("cannot write " + a.output);
    return 0;
}

int dump(const Arguments& a)
{
    if (a.inputs.size() != 1)
        return usage();
    std::vector<uint8_t> bytes;
    if (!readFile(a.inputs[0], bytes))
        return failure("cannot read " + a.inputs[0]);
    KXProgramImage image;
    std::string error;
    if (!KXProgramImage::parse(bytes.data(), bytes.size(), image, error))
        return failure(a.inputs[0] + ": " + error);
    std::printf("code size %zu\n", image.code.size());
    auto table = [](const char* title, const std::vector<KXProgramImage::Entry>& t) {
        std::printf("%s: %zu\n", title, t.size());
        for (const auto& [name, offset] : t)
            std::printf("  %08x %s\n", offset, name.c_str());
    };
    table("symbols", image.symbols);
    table("relative fix-ups", image.relative);
    table("absolute fix-ups", image.absolute);
    return 0;
}
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    Arguments a;
    if (!parseArguments(argc, argv, a))
        return usage();
    std::string verb = argv[1];
    if (verb == "link")
        return link(a);
    if (verb == "attach")
        return attach(a);
    if (verb == "header")
        return header(a);
    if (verb == "dump")
        return dump(a);
    return usage();
}
