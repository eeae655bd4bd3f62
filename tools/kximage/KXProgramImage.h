// KXProgramImage: a program image as the runtime's linker reads it, and its byte format.
//
// Byte format (u32 little-endian, names zero-ended, no padding): code size, the block, symbol
// count, {name, offset}..., relative fix-up count, {name, field offset}..., absolute fix-up
// count, {name, field offset}...
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct KXProgramImage {
    using Entry = std::pair<std::string, uint32_t>; // name, offset in the block

    std::vector<uint8_t> code;
    std::vector<Entry> symbols;
    std::vector<Entry> relative;
    std::vector<Entry> absolute;

    std::vector<uint8_t> bytes() const;

    // Reads an image; false with a message for truncated or malformed bytes (trailing bytes
    // after the absolute fix-ups are refused too).
    static bool parse(const uint8_t* data, size_t size, KXProgramImage& out, std::string& error);
};
