// The program-image linker.
#include "runtime/KXImageLinker.h"

#include "base/KXCommandRegistry.h"
#include "runtime/KXHostPaths.h"
#include "base/KXMessageBox.h"
#include "runtime/KXProgramImage.h"
#include "runtime/Runtime.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/mman.h>

namespace {
struct Symbol {
    std::string_view name;
    uint32_t address;
};

bool symbolLess(const Symbol& a, const Symbol& b) { return a.name < b.name; }

// The registry's link names and addresses, from one enumeration, appended to the symbol table.
// The names live in one buffer that the table's views point into.
void addRuntimeSymbols(std::string& buffer, std::vector<Symbol>& table)
{
    Runtime& rt = *runtimeGetRuntime();
    std::vector<std::pair<size_t, uint32_t>> spans; // end of each name in buffer, address
    spans.reserve(512);
    buffer.reserve(512 * 24);
    while (const char* spec = rt.nextSym()) {
        buffer += kxLinkName(spec);
        spans.emplace_back(buffer.size(), uint32_t(rt.symValue(spec)));
    }
    size_t begin = 0;
    for (auto [end, address] : spans) {
        table.push_back({ std::string_view(buffer).substr(begin, end - begin), address });
        begin = end;
    }
}

const Symbol* lookup(const std::vector<Symbol>& table, std::string_view name)
{
    auto it = std::lower_bound(table.begin(), table.end(), Symbol { name, 0 }, symbolLess);
    return it != table.end() && it->name == name ? &*it : nullptr;
}
}

KXLinkResult kxLinkImage(const uint8_t* image, size_t size)
{
    using Part = KXProgramImage::Part;
    KXLinkResult result;
    auto fail = [&](std::string text) {
        result.entry = nullptr;
        result.error = std::move(text);
        return result;
    };
    // The reader keeps what it could read of a damaged image; each part is acted on in stored
    // order and a break is reported where the old one-pass reading met it, so a bad symbol ahead
    // of the break is still named.
    KXProgramImage::View in;
    const Part got = KXProgramImage::scan(image, size, in);
    if (got < Part::Code)
        return fail("Can't load resource");
    const size_t codeSize = in.codeSize;

    size_t mapSize = std::max<size_t>(codeSize, 1);
    void* mem = mmap(nullptr, mapSize, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED)
        return fail("Can't lock resource");
    auto* base = static_cast<uint8_t*>(mem);
    if (codeSize)
        std::memcpy(base, in.code, codeSize);
    uint32_t baseAddr = uint32_t(reinterpret_cast<uintptr_t>(base));
    auto unmapAndFail = [&](std::string text) {
        munmap(mem, mapSize);
        return fail(std::move(text));
    };

    // One ordered table holds the image's symbols and then the registry's: a stable sort keeps
    // the image's definition of a name ahead of the runtime's, and a name's first image
    // definition ahead of later ones, so one search finds the definition that wins.
    std::vector<Symbol> symbols;
    symbols.reserve(in.symbols.size() + 512);
    for (const auto& [name, offset] : in.symbols) {
        if (!KXProgramImage::symbolInBlock(offset, codeSize))
            return unmapAndFail("Illegal symbol value");
        symbols.push_back({ name, baseAddr + offset });
    }
    if (got < Part::Symbols)
        return unmapAndFail("Can't load resource");
    std::string runtimeNames;
    addRuntimeSymbols(runtimeNames, symbols);
    std::stable_sort(symbols.begin(), symbols.end(), symbolLess);

    for (bool relative : { true, false }) {
        for (const auto& [name, offset] : relative ? in.relative : in.absolute) {
            const Symbol* s = lookup(symbols, name);
            if (!s)
                return unmapAndFail("Can't find symbol: " + std::string(name));
            if (!KXProgramImage::fieldInBlock(offset, codeSize))
                return unmapAndFail("Illegal fixup offset");
            uint32_t field;
            std::memcpy(&field, base + offset, 4);
            field += relative ? s->address - (baseAddr + offset) : s->address;
            std::memcpy(base + offset, &field, 4);
        }
        if (got < (relative ? Part::Relative : Part::Absolute))
            return unmapAndFail("Can't load resource");
    }
    result.entry = base;
    return result;
}

std::string kxReadAttachedImage(const std::string& path, std::vector<uint8_t>& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return "Can't find resource";
    struct Closer {
        FILE* f;
        ~Closer() { std::fclose(f); }
    } closer { f };
    uint8_t trailer[12];
    if (std::fseek(f, -12, SEEK_END) != 0 || std::fread(trailer, 1, 12, f) != 12
        || std::memcmp(trailer + 4, KXImageTrailerMagic, 8) != 0)
        return "Can't find resource";
    uint32_t size;
    std::memcpy(&size, trailer, 4);
    long end = std::ftell(f);
    if (end < 12 || uint32_t(end - 12) < size)
        return "Can't load resource";
    out.resize(size);
    if (std::fseek(f, end - 12 - long(size), SEEK_SET) != 0 || std::fread(out.data(), 1, size, f) != size)
        return "Can't load resource";
    return {};
}

void (*kxLoadAndLinkImage())()
{
    std::vector<uint8_t> image;
    std::string error = kxReadAttachedImage(kxExecutablePath(), image);
    KXLinkResult linked;
    if (error.empty()) {
        linked = kxLinkImage(image.data(), image.size());
        error = linked.error;
    }
    if (!linked.entry) {
        kxMessageBox("Unable to run Trova Basic module", error.c_str(), KXMessageBoxKind::Fatal);
        std::exit(-1);
    }
    return reinterpret_cast<void (*)()>(linked.entry);
}
