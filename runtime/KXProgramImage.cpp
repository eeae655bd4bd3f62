// Writing and reading the program-image byte format.
#include "runtime/KXProgramImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void putTable(std::vector<uint8_t>& out, const std::vector<KXProgramImage::Entry>& table)
{
    putU32(out, uint32_t(table.size()));
    for (const auto& [name, offset] : table) {
        out.insert(out.end(), name.begin(), name.end());
        out.push_back(0);
        putU32(out, offset);
    }
}

// A bounds-checked cursor over the image bytes.
class Cursor {
public:
    Cursor(const uint8_t* p, size_t n)
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
    const uint8_t* take(size_t n)
    {
        if (m_n - m_pos < n)
            return nullptr;
        const uint8_t* r = m_p + m_pos;
        m_pos += n;
        return r;
    }
    bool table(std::vector<KXProgramImage::ViewEntry>& t)
    {
        t.clear();
        uint32_t count;
        if (!u32(count))
            return false;
        // Each entry takes at least five bytes, which bounds what a count can make us reserve.
        t.reserve(std::min<size_t>(count, (m_n - m_pos) / 5));
        for (uint32_t i = 0; i < count; ++i) {
            const void* z = m_pos < m_n ? std::memchr(m_p + m_pos, 0, m_n - m_pos) : nullptr;
            if (!z)
                return false;
            size_t len = size_t(static_cast<const uint8_t*>(z) - (m_p + m_pos));
            if (m_n - m_pos - len - 1 < 4)
                return false;
            uint32_t offset;
            std::memcpy(&offset, m_p + m_pos + len + 1, 4);
            t.push_back({ std::string_view(reinterpret_cast<const char*>(m_p + m_pos), len), offset });
            m_pos += len + 1 + 4;
        }
        return true;
    }
    size_t pos() const { return m_pos; }

private:
    const uint8_t* m_p;
    size_t m_n;
    size_t m_pos { 0 };
};

std::string offsetText(uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%x", v);
    return buf;
}
}

std::vector<uint8_t> KXProgramImage::bytes() const
{
    std::vector<uint8_t> out;
    putU32(out, uint32_t(code.size()));
    out.insert(out.end(), code.begin(), code.end());
    putTable(out, symbols);
    putTable(out, relative);
    putTable(out, absolute);
    return out;
}

KXProgramImage::Part KXProgramImage::scan(const uint8_t* data, size_t size, View& out, size_t* end)
{
    out = View();
    Cursor in(data, data ? size : 0);
    Part got = Part::None;
    uint32_t codeSize;
    if (in.u32(codeSize) && (out.code = in.take(codeSize))) {
        out.codeSize = codeSize;
        got = Part::Code;
        if (in.table(out.symbols)) {
            got = Part::Symbols;
            if (in.table(out.relative)) {
                got = Part::Relative;
                if (in.table(out.absolute))
                    got = Part::Absolute;
            }
        }
    }
    if (end)
        *end = in.pos();
    return got;
}

KXProgramImage::Part KXProgramImage::read(const uint8_t* data, size_t size, KXProgramImage& out, size_t* end)
{
    View view;
    Part got = scan(data, size, view, end);
    out = KXProgramImage();
    out.code.assign(view.code, view.code + view.codeSize);
    auto own = [](const std::vector<ViewEntry>& from, std::vector<Entry>& to) {
        to.reserve(from.size());
        for (const ViewEntry& e : from)
            to.emplace_back(std::string(e.name), e.offset);
    };
    own(view.symbols, out.symbols);
    own(view.relative, out.relative);
    own(view.absolute, out.absolute);
    return got;
}

bool KXProgramImage::parse(const uint8_t* data, size_t size, KXProgramImage& out, std::string& error)
{
    size_t end = 0;
    if (read(data, size, out, &end) != Part::Absolute) {
        error = "truncated image";
        return false;
    }
    if (end != size) {
        error = "unexpected bytes after the absolute fix-ups";
        return false;
    }
    for (const auto& [name, offset] : out.symbols)
        if (!symbolInBlock(offset, out.code.size())) {
            error = "symbol " + name + " at " + offsetText(offset) + " lies outside the block";
            return false;
        }
    for (const auto* table : { &out.relative, &out.absolute })
        for (const auto& [name, offset] : *table)
            if (!fieldInBlock(offset, out.code.size())) {
                error = "fix-up of " + name + " at " + offsetText(offset) + " lies outside the block";
                return false;
            }
    return true;
}
