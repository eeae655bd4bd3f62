// Loading the program image attached to the executable and linking it against the registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The image attached to an executable travels as an appended block followed by a trailer:
// u32 little-endian image size, then these eight bytes. Plays the role of resource 1111.
inline constexpr char KXImageTrailerMagic[8] = { 'K', 'X', 'R', 'E', 'S', '1', '1', '1' };

struct KXLinkResult {
    void* entry { nullptr }; // block base, where __MAIN lies; null on failure
    std::string error; // failure text when entry is null
};

// Links an image held in memory: copies its block into executable memory, resolves every fix-up
// against the image's symbols first and the registry's link names second, and patches them.
// Malformed or out-of-range input fails with a message; nothing outside the block is written.
KXLinkResult kxLinkImage(const uint8_t* image, size_t size);

// Reads the image attached to the executable at path into out. Answers the failure text
// ("Can't find resource", "Can't load resource") or an empty string.
std::string kxReadAttachedImage(const std::string& path, std::vector<uint8_t>& out);

// Finds, loads and links the running executable's image. A failure shows its text captioned
// "Unable to run Trova Basic module" and exits with code -1.
void (*kxLoadAndLinkImage())();
