// PNG encodes of a desktop-like picture (windows, text, flat colours) and a photo-like one (a
// plasma fractal): the adapter's FreeImage_Save for PNG (its own encoder) beside FreeImage's own
// PNG encode and a zlib level 6 encode with the per-row filter choice, with the file sizes; then
// the filter and deflate level choices the encoder was picked from (filter + compress times).
// Goals: at 1920 × 1080 the adapter at least 2.5 × faster than FreeImage with a file no larger.
#include "userlibs/freeimage/KXPngWriter.h"

#include <FreeImage.h>
#include <dlfcn.h>
#include <libdeflate.h>
#ifdef KX_WITH_ZLIB
#    include <zlib.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

template<class F>
double bestMs(int runs, F f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        f();
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
        best = ms < best ? ms : best;
    }
    return best;
}

long fileSize(const std::string& path)
{
    struct stat st { };
    return stat(path.c_str(), &st) == 0 ? long(st.st_size) : -1;
}

// A small deterministic generator, so both pictures are the same in every run.
struct Random {
    uint32_t state;
    uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) { return int(next() % uint32_t(n)); }
};

void fill(FIBITMAP* dib, int x0, int y0, int w, int h, uint32_t rgb)
{
    int W = int(FreeImage_GetWidth(dib)), H = int(FreeImage_GetHeight(dib));
    for (int y = std::max(0, y0); y < std::min(H, y0 + h); ++y) {
        uint32_t* line = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(dib, H - 1 - y));
        for (int x = std::max(0, x0); x < std::min(W, x0 + w); ++x)
            line[x] = 0xFF000000u | rgb;
    }
}

// Overlapping windows with title bars, borders, lines of text-like glyphs and buttons on a
// flat background, as a desktop capture has them.
FIBITMAP* desktopPicture(int W, int H)
{
    FIBITMAP* dib = FreeImage_Allocate(W, H, 32);
    fill(dib, 0, 0, W, H, 0x305078);
    Random r { 12345 };
    fill(dib, 0, H - 40, W, 40, 0xD4D0C8); // task bar
    for (int i = 0; i < 12; ++i) {
        int ww = W / 5 + r.below(W / 3), wh = H / 5 + r.below(H / 3);
        int wx = r.below(W - ww / 2), wy = r.below(H - 40 - wh / 2);
        fill(dib, wx - 1, wy - 1, ww + 2, wh + 2, 0x404040);
        for (int y = 0; y < 22; ++y) // title bar gradient
            fill(dib, wx, wy + y, ww, 1, (uint32_t(0x10 + y * 4) << 16) | (uint32_t(0x30 + y * 3) << 8) | 0xA0);
        fill(dib, wx, wy + 22, ww, wh - 22, i % 3 ? 0xFFFFFF : 0xF0F0F0);
        // Text: words of 6 × 11 glyphs from a set of 64 shapes, with grey edge pixels.
        static uint8_t glyphs[64][11];
        static bool made = false;
        if (!made) {
            Random g { 99 };
            for (auto& glyph : glyphs)
                for (uint8_t& row : glyph)
                    row = uint8_t(g.next() & 0x3F);
            made = true;
        }
        for (int ty = wy + 30; ty + 14 < wy + wh; ty += 16) {
            int tx = wx + 8;
            while (tx + 40 < wx + ww) {
                int word = 2 + r.below(8);
                for (int c = 0; c < word && tx + 7 < wx + ww; ++c, tx += 7) {
                    const uint8_t* glyph = glyphs[r.below(64)];
                    for (int gy = 0; gy < 11; ++gy)
                        for (int gx = 0; gx < 6; ++gx)
                            if (glyph[gy] >> gx & 1)
                                fill(dib, tx + gx, ty + gy, 1, 1, (gx == 0 || gx == 5) ? 0x909090 : 0x202020);
                }
                tx += 7;
            }
        }
        fill(dib, wx + ww - 90, wy + wh - 34, 80, 24, 0xD4D0C8); // a button
    }
    return dib;
}

// A plasma fractal (diamond-square midpoint displacement per channel): a photo-like picture
// with fine detail everywhere.
FIBITMAP* plasmaPicture(int W, int H)
{
    int size = 1;
    while (size < W || size < H)
        size <<= 1;
    std::vector<float> field(size_t(size + 1) * size_t(size + 1));
    FIBITMAP* dib = FreeImage_Allocate(W, H, 32);
    Random r { 7 };
    for (int channel = 0; channel < 3; ++channel) {
        auto at = [&](int x, int y) -> float& { return field[size_t(y) * size_t(size + 1) + size_t(x)]; };
        auto noise = [&](float scale) { return (float(r.next() % 2001) / 1000.0f - 1.0f) * scale; };
        at(0, 0) = at(size, 0) = at(0, size) = at(size, size) = 128.0f;
        float scale = 128.0f;
        for (int step = size; step > 1; step /= 2, scale *= 0.55f) {
            int half = step / 2;
            for (int y = half; y < size; y += step)
                for (int x = half; x < size; x += step)
                    at(x, y) = (at(x - half, y - half) + at(x + half, y - half) + at(x - half, y + half) + at(x + half, y + half)) / 4 + noise(scale);
            for (int y = 0; y <= size; y += half)
                for (int x = (y / half) % 2 ? 0 : half; x <= size; x += step) {
                    float sum = 0;
                    int n = 0;
                    if (x >= half)
                        sum += at(x - half, y), ++n;
                    if (x + half <= size)
                        sum += at(x + half, y), ++n;
                    if (y >= half)
                        sum += at(x, y - half), ++n;
                    if (y + half <= size)
                        sum += at(x, y + half), ++n;
                    at(x, y) = sum / float(n) + noise(scale);
                }
        }
        for (int y = 0; y < H; ++y) {
            uint8_t* line = FreeImage_GetScanLine(dib, y);
            for (int x = 0; x < W; ++x) {
                float v = at(x, y);
                line[4 * x + (channel == 0 ? FI_RGBA_RED : channel == 1 ? FI_RGBA_GREEN
                                                                        : FI_RGBA_BLUE)]
                    = uint8_t(v < 0 ? 0 : v > 255 ? 255
                                                  : v);
            }
            for (int x = 0; x < W; ++x)
                line[4 * x + FI_RGBA_ALPHA] = 0xFF;
        }
    }
    return dib;
}

using SaveFn = int(__attribute__((stdcall)) *)(int, FIBITMAP*, const char*, int);

const char* filterName(int f)
{
    static const char* names[] = { "none", "sub", "up", "average", "paeth", "adaptive", "auto" };
    return names[f];
}

#ifdef KX_WITH_ZLIB
// zlib's compress at a level over filtered rows: the bytes it made, 0 when it failed.
size_t zlibCompress(const std::vector<uint8_t>& in, std::vector<uint8_t>& out, int level)
{
    uLongf size = compressBound(uLong(in.size()));
    out.resize(size);
    return compress2(out.data(), &size, in.data(), uLong(in.size()), level) == Z_OK ? size_t(size) : 0;
}
#endif

void measure(const char* name, FIBITMAP* picture, SaveFn adapterSave, const std::string& dir, bool choices)
{
    unsigned W = FreeImage_GetWidth(picture), H = FreeImage_GetHeight(picture);
    int runs = W * H > 3000000 ? 2 : 4;
    // The adapter takes a capture as a 32-bit bitmap and writes it as RGB; FreeImage's own
    // encoder is given the 24-bit picture it writes best.
    FIBITMAP* rgb = FreeImage_ConvertTo24Bits(picture);
    std::string fiPath = dir + "/kx-bench-fi.png", ourPath = dir + "/kx-bench-our.png";
    double fi = bestMs(runs, [&] { FreeImage_Save(FIF_PNG, rgb, fiPath.c_str(), 0); });
    double ours = bestMs(runs, [&] { adapterSave(FIF_PNG, picture, ourPath.c_str(), 0); });
    long fiSize = fileSize(fiPath), ourSize = fileSize(ourPath);

    KXPngImage image {};
    image.top = FreeImage_GetScanLine(picture, int(H) - 1);
    image.stride = -ptrdiff_t(FreeImage_GetPitch(picture));
    image.width = W;
    image.height = H;
    image.layout = KXPNG_BGRX32;
    std::vector<uint8_t> filtered(kxPngRowBytes(&image) * H), packed;
    std::printf("png %ux%u %s: ours (%s filter, level %d) %.1f ms %ld B; FreeImage %.1f ms %ld B", W, H, name,
        filterName(kxPngChooseFilter(&image)), int(KXPNG_DEFAULT_LEVEL), ours, ourSize, fi, fiSize);
    std::printf(" -> %.2fx faster, size %.3f of FreeImage's (goal at 1920x1080: >= 2.5x, <= 1)\n", fi / ours,
        double(ourSize) / double(fiSize));
#ifdef KX_WITH_ZLIB
    {
        size_t z6 = 0;
        double ms = bestMs(runs, [&] {
            kxPngFilterRows(&image, KXPNG_ADAPTIVE, filtered.data());
            z6 = zlibCompress(filtered, packed, 6);
        });
        std::printf("  zlib level 6, filter chosen per row: %.1f ms %zu B (ours %.2fx faster)\n", ms, z6, ms / ours);
    }
#endif
    if (choices) {
        std::printf("  choices, filter + compress ms and bytes:\n");
        for (int f = KXPNG_NONE; f <= KXPNG_AUTO; ++f) {
            double filterMs = bestMs(runs, [&] {
                kxPngFilterRows(&image, f == KXPNG_AUTO ? kxPngChooseFilter(&image) : f, filtered.data());
            });
            std::printf("    %-8s filter %5.1f ms |", filterName(f), filterMs);
            for (int level : { 1, 2, 3, 4, 5, 6 }) {
                libdeflate_compressor* c = libdeflate_alloc_compressor(level);
                packed.resize(libdeflate_zlib_compress_bound(c, filtered.size()));
                size_t n = 0;
                double ms = bestMs(runs, [&] { n = libdeflate_zlib_compress(c, filtered.data(), filtered.size(), packed.data(), packed.size()); });
                libdeflate_free_compressor(c);
                std::printf(" ld%d %.1f %zu |", level, filterMs + ms, n);
            }
#ifdef KX_WITH_ZLIB
            for (int level : { 1, 3, 6 }) {
                size_t n = 0;
                double ms = bestMs(runs, [&] { n = zlibCompress(filtered, packed, level); });
                std::printf(" z%d %.1f %zu |", level, filterMs + ms, n);
            }
#endif
            std::printf("\n");
        }
    }
    std::remove(fiPath.c_str());
    std::remove(ourPath.c_str());
    FreeImage_Unload(rgb);
}
}

int main()
{
    FreeImage_Initialise(FALSE);
    void* adapter = dlopen(KX_BINARY_DIR "/bin/data/FreeImage.dll", RTLD_NOW | RTLD_LOCAL);
    auto adapterSave = adapter ? reinterpret_cast<SaveFn>(dlsym(adapter, "_FreeImage_Save")) : nullptr;
    if (!adapterSave) {
        std::printf("png encode: no adapter (%s), not measured\n", dlerror());
        return 1;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = tmp && *tmp ? tmp : "/tmp";
    bool choices = std::getenv("KX_BENCH_PNG_CHOICES") == nullptr || std::strcmp(std::getenv("KX_BENCH_PNG_CHOICES"), "0") != 0;
    for (auto size : { std::pair { 1920, 1080 }, std::pair { 3840, 2160 } }) {
        bool hd = size.first == 1920;
        FIBITMAP* desktop = desktopPicture(size.first, size.second);
        measure("desktop", desktop, adapterSave, dir, hd && choices);
        FreeImage_Unload(desktop);
        FIBITMAP* plasma = plasmaPicture(size.first, size.second);
        measure("plasma", plasma, adapterSave, dir, hd && choices);
        FreeImage_Unload(plasma);
    }
    dlclose(adapter);
    FreeImage_DeInitialise();
    return 0;
}
