// KXMutator: a small seeded mutator for fuzz runs. The same seed gives the same inputs, so a
// finding is replayed by running again with the seed and run number it reports.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

class KXMutator {
public:
    explicit KXMutator(uint64_t seed)
        : m_random(seed)
    {
    }

    // A copy of input with one to eight random edits: bit flips, bytes and 16/32-bit words set to
    // boundary values, runs inserted, removed or repeated, the tail cut off.
    std::vector<uint8_t> mutate(const std::vector<uint8_t>& input)
    {
        std::vector<uint8_t> out = input;
        const int edits = 1 + int(next(8));
        for (int i = 0; i < edits; ++i)
            edit(out);
        return out;
    }

    // A copy of a text with its words shuffled between lines, numbers replaced by boundary
    // values and, now and then, byte-level edits.
    std::string mutateText(const std::string& text)
    {
        std::vector<std::string> words;
        std::string word;
        for (char c : text + ' ') {
            if (c == ' ' || c == '\n') {
                if (!word.empty())
                    words.push_back(word);
                word.clear();
                if (c == '\n')
                    words.push_back("\n");
            } else {
                word += c;
            }
        }
        static const char* const numbers[] = { "0", "-1", "1", "045", "08", "0x7FFFFFFF", "2147483647", "-2147483648",
            "4294967296", "65536", "65537", "100000", "0xFFFFFFFF", "" };
        std::string out;
        for (size_t i = 0; i < words.size(); ++i) {
            std::string w = words[i];
            const uint32_t roll = next(16);
            if (w != "\n" && roll == 0)
                w = numbers[next(sizeof numbers / sizeof *numbers)];
            else if (w != "\n" && roll == 1 && !words.empty())
                w = words[next(uint32_t(words.size()))];
            out += w;
            out += w == "\n" ? "" : " ";
        }
        if (next(4) == 0) {
            std::vector<uint8_t> bytes(out.begin(), out.end());
            edit(bytes);
            out.assign(bytes.begin(), bytes.end());
        }
        return out;
    }

    uint32_t next(uint32_t bound) { return bound ? uint32_t(m_random() % bound) : 0; }

private:
    void edit(std::vector<uint8_t>& data)
    {
        static const uint32_t boundaries[] = { 0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF,
            0x80000000, 0xFFFFFFFF, 0x40000000, 0x20000000 };
        const uint32_t size = uint32_t(data.size());
        const uint32_t at = next(size ? size : 1);
        switch (next(8)) {
        case 0:
            if (size)
                data[at] ^= uint8_t(1u << next(8));
            break;
        case 1:
            if (size)
                data[at] = uint8_t(boundaries[next(14)]);
            break;
        case 2:
        case 3: {
            // A 16- or 32-bit boundary value, written little-endian.
            const uint32_t v = boundaries[next(14)];
            const uint32_t bytes = next(2) ? 4 : 2;
            for (uint32_t i = 0; i < bytes && at + i < size; ++i)
                data[at + i] = uint8_t(v >> (8 * i));
            break;
        }
        case 4: {
            const uint32_t n = 1 + next(16);
            data.insert(data.begin() + at, n, uint8_t(next(256)));
            break;
        }
        case 5:
            if (size)
                data.erase(data.begin() + at, data.begin() + std::min(size, at + 1 + next(16)));
            break;
        case 6:
            if (size) {
                const uint32_t n = std::min(size - at, 1 + next(32));
                std::vector<uint8_t> run(data.begin() + at, data.begin() + at + n);
                data.insert(data.begin() + next(size), run.begin(), run.end());
            }
            break;
        default:
            if (size > 1)
                data.resize(at);
            break;
        }
    }

    std::mt19937_64 m_random;
};
