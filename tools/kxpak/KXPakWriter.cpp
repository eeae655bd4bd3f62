// KXPakWriter: the pack layout and its scrambling.
#include "tools/kxpak/KXPakWriter.h"

namespace {

void putInt(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

}

void KXPakWriter::add(std::string name, std::vector<uint8_t> data)
{
    m_entries.push_back({ std::move(name), std::move(data) });
}

void KXPakWriter::scramble(uint8_t* block, size_t size, uint32_t key)
{
    for (size_t i = 0; i < size; ++i)
        block[i] ^= uint8_t(key >> (8 * (i % 4)));
}

std::vector<uint8_t> KXPakWriter::pack() const
{
    std::vector<uint8_t> out(4, 0);
    std::string directory;
    for (const Entry& e : m_entries) {
        size_t offset = out.size();
        out.insert(out.end(), e.data.begin(), e.data.end());
        scramble(out.data() + offset, e.data.size(), m_key);
        directory += e.name + '\r' + std::to_string(offset) + '\r' + std::to_string(e.data.size()) + '\r';
    }
    uint32_t countPosition = uint32_t(out.size());
    uint32_t header = (countPosition + 1) ^ m_headerKey;
    for (int i = 0; i < 4; ++i)
        out[i] = uint8_t(header >> (8 * i));
    putInt(out, uint32_t(m_countField >= 0 ? m_countField : int(m_entries.size())));
    size_t start = out.size();
    out.insert(out.end(), directory.begin(), directory.end());
    scramble(out.data() + start, directory.size(), m_key);
    return out;
}

std::vector<uint8_t> KXPakWriter::appendTo(const std::vector<uint8_t>& exe) const
{
    std::vector<uint8_t> out = exe;
    std::vector<uint8_t> p = pack();
    out.insert(out.end(), p.begin(), p.end());
    putInt(out, uint32_t(exe.size()) + 1 + m_headerKey);
    out.insert(out.end(), 6, 0);
    return out;
}
