// FreeImage's own encode of a screen-sized picture: the floor for Pictorra's saves. Reads the
// picture given (a capture Pictorra saved), or makes a 1920 × 1080 gradient, and prints the
// best of several saves as BMP, JPEG (superb quality) and PNG to a temporary folder, and a 50 %
// bilinear rescale.
#include <FreeImage.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
using Clock = std::chrono::steady_clock;
constexpr int runs = 5;

template<class F>
double bestMs(F f)
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
}

int main(int argc, char** argv)
{
    FreeImage_Initialise(FALSE);
    FIBITMAP* picture = nullptr;
    if (argc > 1)
        picture = FreeImage_Load(FreeImage_GetFileType(argv[1], 0), argv[1], 0);
    if (!picture) {
        picture = FreeImage_Allocate(1920, 1080, 24);
        for (unsigned y = 0; y < 1080; ++y) {
            BYTE* line = FreeImage_GetScanLine(picture, int(y));
            for (unsigned x = 0; x < 1920; ++x) {
                line[3 * x + FI_RGBA_RED] = BYTE(x);
                line[3 * x + FI_RGBA_GREEN] = BYTE(y);
                line[3 * x + FI_RGBA_BLUE] = BYTE(x ^ y);
            }
        }
    }
    FIBITMAP* rgb = FreeImage_ConvertTo24Bits(picture);
    const char* tmp = std::getenv("TMPDIR");
    std::string dir = tmp && *tmp ? tmp : "/tmp";
    double bmp = bestMs([&] { FreeImage_Save(FIF_BMP, rgb, (dir + "/kx-bench.bmp").c_str(), 0); });
    double jpg = bestMs([&] { FreeImage_Save(FIF_JPEG, rgb, (dir + "/kx-bench.jpg").c_str(), JPEG_QUALITYSUPERB); });
    double png = bestMs([&] { FreeImage_Save(FIF_PNG, rgb, (dir + "/kx-bench.png").c_str(), 0); });
    double half = bestMs([&] {
        FIBITMAP* r = FreeImage_Rescale(rgb, int(FreeImage_GetWidth(rgb) / 2), int(FreeImage_GetHeight(rgb) / 2),
            FILTER_BILINEAR);
        FreeImage_Unload(r);
    });
    std::printf("freeimage %ux%u: bmp %.1f ms, jpeg %.1f ms, png %.1f ms, rescale 50%% bilinear %.1f ms\n",
        FreeImage_GetWidth(rgb), FreeImage_GetHeight(rgb), bmp, jpg, png, half);
    for (const char* ext : { "bmp", "jpg", "png" })
        std::remove((dir + "/kx-bench." + ext).c_str());
    FreeImage_Unload(rgb);
    FreeImage_Unload(picture);
    FreeImage_DeInitialise();
    return 0;
}
