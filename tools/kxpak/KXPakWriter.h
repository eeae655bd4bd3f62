// KXPakWriter: builds Pictorra's scrambled data pack, stand-alone or appended to an executable.
//
// Pack layout (integers 4-byte little-endian, positions from the pack's start): a header word
// (count position + 1) XOR headerKey; the entries' data blocks, end to end from position 4; the
// entry count at the count position; then the directory text to the end of the file, three
// fields per entry each ended by a carriage return: name, data offset, data size (decimal).
// Data blocks and the directory are scrambled word by word with key (a final partial word as if
// padded with zeros); the header word and the count are not. An appended pack is followed by a
// 10-byte trailer: exe size + 1 + headerKey, then six zero bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class KXPakWriter {
public:
    KXPakWriter(uint32_t key, uint32_t headerKey)
        : m_key(key)
        , m_headerKey(headerKey)
    {
    }

    // Adds an entry; names are stored as given (the reader compares them without regard to case).
    void add(std::string name, std::vector<uint8_t> data);
    // Overrides the count field (for packs that claim more entries than they hold); -1: the
    // number of entries added.
    void setCountField(int count) { m_countField = count; }

    // The stand-alone pack.
    std::vector<uint8_t> pack() const;
    // exe followed by the pack and its trailer.
    std::vector<uint8_t> appendTo(const std::vector<uint8_t>& exe) const;

    // XORs the 32-bit little-endian words of the block with key, a final partial word with the
    // key's low-order bytes. Scrambling twice restores the block.
    static void scramble(uint8_t* block, size_t size, uint32_t key);

private:
    struct Entry {
        std::string name;
        std::vector<uint8_t> data;
    };
    uint32_t m_key;
    uint32_t m_headerKey;
    int m_countField { -1 };
    std::vector<Entry> m_entries;
};
