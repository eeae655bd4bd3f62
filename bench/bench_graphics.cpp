// Graphics figures: ResizeImage to 50 % (filtered and not) and a whole-buffer CopyRect of a
// 3840 × 2160 32-bit image against a plain copy of its pixels, and the per-pixel cost of the
// fast pixel commands over a locked 1920 × 1080 buffer.
#include "graphics/GraphicsCommands.h"
#include "graphics/K2DGraphicsDriver.h"
#include "base/KXModuleRegistry.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 1); }

namespace {
using Clock = std::chrono::steady_clock;

template<class F>
double bestOf(int runs, F f)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        f();
        double s = std::chrono::duration<double>(Clock::now() - t0).count();
        if (s < best)
            best = s;
    }
    return best;
}

int randomImage(int w, int h)
{
    int img = CreateImage(w, h, 1, 2);
    int b = ImageBuffer(img, 0);
    LockBuffer(b);
    auto* p = reinterpret_cast<uint8_t*>(intptr_t(LockedPixels(b)));
    const int pitch = LockedPitch(b);
    std::mt19937 rng(1);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(p + y * pitch);
        for (int x = 0; x < w; ++x)
            row[x] = rng();
    }
    UnlockBuffer(b);
    return img;
}
}

int main()
{
    KXModuleRegistry& g = KXModuleRegistry::global();
    for (const char* s : { "Screen", "Canvas", "Graphics", "GrDriver2D" })
        g.selectConfig(s, "DirectDraw");
    g.selectConfig("Gui", "Native");
    g.selectConfig("Audio", "Native");
    K2DGraphicsDriver::instance();

    const int W = 3840, H = 2160;
    const int src = randomImage(W, H);
    const int sb = ImageBuffer(src, 0);
    std::vector<uint32_t> a(size_t(W) * H), b(size_t(W) * H);
    LockBuffer(sb);
    std::memcpy(a.data(), reinterpret_cast<void*>(intptr_t(LockedPixels(sb))), a.size() * 4);
    UnlockBuffer(sb);

    const double copy = bestOf(10, [&] { std::memcpy(b.data(), a.data(), a.size() * 4); });
    std::printf("plain copy of %d x %d x 4 bytes: %.2f ms (baseline)\n", W, H, copy * 1e3);

    for (int filter : { 1, 0 }) {
        TFormFilter(filter);
        double best = 1e30;
        for (int run = 0; run < 3; ++run) {
            int img = CopyImage(src);
            best = std::min(best, bestOf(1, [&] { ResizeImage(img, W / 2, H / 2); }));
            FreeImage(img);
        }
        std::printf("ResizeImage to 50%% %s: %.2f ms, %.2f x baseline (target %s)\n",
            filter ? "filtered" : "unfiltered", best * 1e3, best / copy, filter ? "3" : "2");
    }

    const int dst = CreateImage(W, H, 1, 2);
    const double rect = bestOf(5, [&] { CopyRect(0, 0, W, H, 0, 0, sb, ImageBuffer(dst, 0)); });
    std::printf("CopyRect of the whole buffer: %.2f ms, %.2f x baseline (target 1.5)\n", rect * 1e3, rect / copy);

    const int fw = 1920, fh = 1080;
    const int fast = randomImage(fw, fh);
    const int fb = ImageBuffer(fast, 0);
    LockBuffer(fb);
    volatile uint32_t sink = 0;
    const double read = bestOf(3, [&] {
        uint32_t acc = 0;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x)
                acc += uint32_t(ReadPixelFast(x, y, fb));
        sink = acc;
    });
    const double write = bestOf(3, [&] {
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x)
                WritePixelFast(x, y, x ^ y, fb);
    });
    UnlockBuffer(fb);
    (void)sink;
    const double n = double(fw) * fh;
    std::printf("ReadPixelFast over %d x %d: %.2f ns per pixel\n", fw, fh, read / n * 1e9);
    std::printf("WritePixelFast over %d x %d: %.2f ns per pixel\n", fw, fh, write / n * 1e9);
    std::printf("plain copy per pixel: %.2f ns\n", copy / (double(W) * H) * 1e9);
    FreeImage(src);
    FreeImage(dst);
    FreeImage(fast);
    return 0;
}
