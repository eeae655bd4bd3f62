// Writing and reading the program-image byte format.
#include "tools/kximage/KXProgramImage.h"

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

bool KXProgramImage::parse(const uint8_t* data, size_t size, KXProgramImage& out, std::string& error)
{
    size_t pos = 0;
    auto u32 = [&](uint32_t& v) {
        if (size - pos < 4)
            return false;
        std::memcpy(&v, data + pos, 4);
        pos += 4;
        return true;
    };
    auto table = [&](std::vector<Entry>& t) {
        uint32_t count;
        if (!u32(count))
            return false;
        t.clear();
        for (uint32_t i = 0; i < count; ++i) {
            const void* z = std::memchr(data + pos, 0, size - pos);
            if (!z)
                return false;
            size_t len = size_t(static_cast<const uint8_t*>(z) - (data + pos));
            std::string name(reinterpret_cast<const char*>(data + pos), len);
            pos += len + 1;
            uint32_t offset;
            if (!u32(offset))
                return false;
            t.emplace_back(std::move(name), offset);
        }
        return true;
    };
    uint32_t codeSize;
    if (!u32(codeSize) || size - pos < codeSize) {
        error = "truncated image";
        return false;
    }
    out.code.assign(data + pos, data + pos + codeSize);
    pos += codeSize;
    if (!table(out.symbols) || !table(out.relative) || !table(out.absolute)) {
        error = "truncated image";
        return false;
    }
    if (pos != size) {
        error = "unexpected bytes after the absolute fix-ups";
        return false;
    }
    return true;
}
