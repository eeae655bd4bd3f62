// KXProgramImage: a program image, its byte format, and the one reader of that format (the
// runtime's linker and the kximage tool both read images through it).
//
// Byte format (u32 little-endian, names zero-ended, no padding): code size, the block, symbol
// count, {name, offset}..., relative fix-up count, {name, field offset}..., absolute fix-up
// count, {name, field offset}... The image ends right after the absolute fix-ups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct KXProgramImage {
    using Entry = std::pair<std::string, uint32_t>; // name, offset in the block

    std::vector<uint8_t> code;
    std::vector<Entry> symbols;
    std::vector<Entry> relative;
    std::vector<Entry> absolute;

    std::vector<uint8_t> bytes() const;

    // The parts of an image in the order they are stored. Values are ordered: a read that got
    // to a part also read every part before it.
    enum class Part {
        None = 0,
        Code = 1,
        Symbols = 2,
        Relative = 3,
        Absolute = 4,
    };

    // An image read in place: the block and the names point into the bytes it was read from,
    // which must outlive it. The linker reads this way, copying nothing.
    struct ViewEntry {
        std::string_view name;
        uint32_t offset;
    };
    struct View {
        const uint8_t* code { nullptr };
        size_t codeSize { 0 };
        std::vector<ViewEntry> symbols;
        std::vector<ViewEntry> relative;
        std::vector<ViewEntry> absolute;
    };

    // Reads as much of an image as is well formed and answers the last part read whole (None
    // when not even the block is there). Entries of the part that broke off are kept up to the
    // last whole entry, so a caller can act on them in stored order before it reports the
    // break. *end, when given, receives the offset just past the last byte read. Never reads
    // outside data[0, size), never reserves memory for counts the bytes cannot hold.
    static Part scan(const uint8_t* data, size_t size, View& out, size_t* end = nullptr);
    // The same, into an image of its own.
    static Part read(const uint8_t* data, size_t size, KXProgramImage& out, size_t* end = nullptr);

    // Reads a whole image and checks it: every part present, no bytes after the absolute
    // fix-ups, every symbol inside the block and every fix-up field's four bytes too. False with
    // a message otherwise.
    static bool parse(const uint8_t* data, size_t size, KXProgramImage& out, std::string& error);

    // Whether a symbol offset or a fix-up field offset lies inside a block of codeSize bytes.
    static bool symbolInBlock(uint32_t offset, size_t codeSize) { return offset < codeSize; }
    static bool fieldInBlock(uint32_t offset, size_t codeSize) { return codeSize >= 4 && offset <= codeSize - 4; }
};
