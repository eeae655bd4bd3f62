// The program-image linker.
#include "runtime/KXImageLinker.h"

#include "base/KXCommandRegistry.h"
#include "runtime/KXHostPaths.h"
#include "base/KXMessageBox.h"
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

// A bounds-checked reader over the image bytes.
class Reader {
public:
    Reader(const uint8_t* p, size_t n)
        : m_p(p)
        , m_n(n)
    {
    }
    bool u32(uint32_t& v)
    {
        if (m_n - m_pos < 4)
            return false;
        std::memcpy(&v, m_p + m_pos, 4);
        m_pos += 4;
        return true;
    }
    bool name(std::string_view& s)
    {
        const void* z = std::memchr(m_p + m_pos, 0, m_n - m_pos);
        if (!z)
            return false;
        size_t len = size_t(static_cast<const uint8_t*>(z) - (m_p + m_pos));
        s = std::string_view(reinterpret_cast<const char*>(m_p + m_pos), len);
        m_pos += len + 1;
        return true;
    }
    const uint8_t* take(size_t n)
    {
        if (m_n - m_pos < n)
            return nullptr;
        const uint8_t* r = m_p + m_pos;
        m_pos += n;
        return r;
    }

private:
    const uint8_t* m_p;
    size_t m_n;
    size_t m_pos { 0 };
};

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
    KXLinkResult result;
    auto fail = [&](std::string text) {
        result.entry = nullptr;
        result.error = std::move(text);
        return result;
    };
    Reader in(image, size);
    uint32_t codeSize;
    const uint8_t* code;
    if (!in.u32(codeSize) || !(code = in.take(codeSize)))
        return fail("Can't load resource");

    size_t mapSize = std::max<size_t>(codeSize, 1);
    void* mem = mmap(nullptr, mapSize, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mem == MAP_FAILED)
        return fail("Can't lock resource");
    auto* base = static_cast<uint8_t*>(mem);
    std::memcpy(base, code, codeSize);
    uint32_t baseAddr = uint32_t(reinterpret_cast<uintptr_t>(base));
    auto unmapAndFail = [&](std::string text) {
        munmap(mem, mapSize);
        return fail(std::move(text));
    };

    uint32_t count;
    if (!in.u32(count))
        return unmapAndFail("Can't load resource");
    // One ordered table holds the image's symbols and then the registry's: a stable sort keeps
    // the image's definition of a name ahead of the runtime's, and a name's first image
    // definition ahead of later ones, so one search finds the definition that wins.
    std::vector<Symbol> symbols;
    symbols.reserve(std::min<uint32_t>(count, uint32_t(size / 5)) + 512);
    for (uint32_t i = 0; i < count; ++i) {
        Symbol s;
        uint32_t offset;
        if (!in.name(s.name) || !in.u32(offset))
            return unmapAndFail("Can't load resource");
        if (offset >= codeSize)
            return unmapAndFail("Illegal symbol value");
        s.address = baseAddr + offset;
        symbols.push_back(s);
    }
    std::string runtimeNames;
    addRuntimeSymbols(runtimeNames, symbols);
    std::stable_sort(symbols.begin(), symbols.end(), symbolLess);

    auto resolve = [&](std::string_view name, uint32_t& address) {
        const Symbol* s = lookup(symbols, name);
        if (!s)
            return false;
        address = s->address;
        return true;
    };

    for (int pass = 0; pass < 2; ++pass) {
        bool relative = pass == 0;
        if (!in.u32(count))
            return unmapAndFail("Can't load resource");
        for (uint32_t i = 0; i < count; ++i) {
            std::string_view name;
            uint32_t offset, address;
            if (!in.name(name) || !in.u32(offset))
                return unmapAndFail("Can't load resource");
            if (!resolve(name, address))
                return unmapAndFail("Can't find symbol: " + std::string(name));
            if (codeSize < 4 || offset > codeSize - 4)
                return unmapAndFail("Illegal fixup offset");
            uint32_t field;
            std::memcpy(&field, base + offset, 4);
            field += relative ? address - (baseAddr + offset) : address;
            std::memcpy(base + offset, &field, 4);
        }
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
