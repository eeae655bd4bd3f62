// HeadlessScreen: the pixels and size of the headless backend's virtual desktop.
//
// Invariants: pixels() holds width() * height() ARGB values, row by row, top row first.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class HeadlessScreen {
public:
    static HeadlessScreen& instance();

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The most pixels the desktop holds (a 512 MB block).
    static constexpr int64_t MaxPixels = int64_t(1) << 27;

    // Resizes the desktop; new pixels are opaque black. Answers false, leaving the desktop as
    // it was, for a size beyond MaxPixels or one whose memory cannot be had.
    bool resize(int width, int height);
    std::vector<uint32_t>& pixels() { return m_pixels; }
    uint32_t pixel(int x, int y) const { return m_pixels[size_t(y) * size_t(m_width) + size_t(x)]; }

    // Fills the desktop from an image file (the desktop takes the image's size). Answers false,
    // leaving the desktop as it was, when the file cannot be read.
    bool loadImage(const std::string& path);

private:
    int m_width { 1024 };
    int m_height { 768 };
    std::vector<uint32_t> m_pixels = std::vector<uint32_t>(size_t(1024) * 768, 0xFF000000u);
};
