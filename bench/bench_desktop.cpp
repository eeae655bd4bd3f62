// Pictorra's capture pipeline at 1920 × 1080 on a private X server, on the Qt platform, step by
// step through the runtime's commands and the FreeImage adapter (data/FreeImage.dll) as the
// program calls them:
//   - the desktop copy, DesktopBuffer + a whole-screen CopyRect into an image, against the floor
//     of one XShmGetImage of the root window plus one memcpy of that frame, measured in turns; for
//     comparison the same copy from a locked desktop buffer;
//   - the 50 % filtered resize and the 56 × 56 thumbnail written to its file, beside FreeImage's
//     own bilinear rescale of the same picture;
//   - the saves as BMP, JPEG (superb quality) and PNG: the image locked, handed to the adapter as
//     raw bits and saved, against FreeImage's own encode of the same picture held in a bitmap.
// Started without TROVA_BENCH_XVFB, it runs itself again under tests/support/with-xvfb.sh.
#include "core/KXString.h"
#include "graphics/GraphicsCommands.h"
#include "gui/KXDesktopServices.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"

#include <FreeImage.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

__attribute__((constructor(101))) static void chooseQt() { setenv("TROVA_PLATFORM", "qt", 1); }

namespace {
using Clock = std::chrono::steady_clock;
constexpr int width = 1920, height = 1080, runs = 30;

// Fills the root window with a picture, so the reads carry real pixels.
void drawRoot(Display* d)
{
    XImage* image = XCreateImage(d, DefaultVisual(d, 0), unsigned(DefaultDepth(d, 0)), ZPixmap, 0, nullptr, width,
        height, 32, 0);
    std::vector<char> pixels(size_t(image->bytes_per_line) * height);
    image->data = pixels.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            XPutPixel(image, x, y, (unsigned long)(x * 2654435761u ^ y * 40503u) & 0xFFFFFF);
    GC gc = XCreateGC(d, DefaultRootWindow(d), 0, nullptr);
    XPutImage(d, DefaultRootWindow(d), gc, image, 0, 0, 0, 0, width, height);
    XFreeGC(d, gc);
    XSync(d, False);
    image->data = nullptr;
    XDestroyImage(image);
}

// The floor: XShmGetImage of the whole root window into a kept segment, then one memcpy of the
// frame into an image's pixels.
class ShmFloor {
public:
    explicit ShmFloor(Display* d)
        : m_display(d)
    {
        if (!XShmQueryExtension(d))
            return;
        m_frame = XShmCreateImage(d, DefaultVisual(d, 0), unsigned(DefaultDepth(d, 0)), ZPixmap, nullptr, &m_info,
            width, height);
        m_info.shmid = shmget(IPC_PRIVATE, size_t(m_frame->bytes_per_line) * height, IPC_CREAT | 0600);
        m_info.shmaddr = m_frame->data = static_cast<char*>(shmat(m_info.shmid, nullptr, 0));
        m_info.readOnly = False;
        XShmAttach(d, &m_info);
        XSync(d, False);
        shmctl(m_info.shmid, IPC_RMID, nullptr);
    }
    ~ShmFloor()
    {
        if (!m_frame)
            return;
        XShmDetach(m_display, &m_info);
        XSync(m_display, False);
        shmdt(m_info.shmaddr);
        m_frame->data = nullptr;
        m_frame->obdata = nullptr;
        XDestroyImage(m_frame);
    }
    bool available() const { return m_frame != nullptr; }
    void read(std::vector<uint32_t>& image)
    {
        XShmGetImage(m_display, DefaultRootWindow(m_display), m_frame, 0, 0, AllPlanes);
        std::memcpy(image.data(), m_frame->data, image.size() * 4);
    }

private:
    Display* m_display;
    XShmSegmentInfo m_info {};
    XImage* m_frame { nullptr };
};

// Seconds f took.
template<class F>
double timed(F f)
{
    auto t0 = Clock::now();
    f();
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// Milliseconds of the best of n runs of f.
template<class F>
double bestMs(int n, F f)
{
    double best = 1e30;
    for (int i = 0; i < n; ++i)
        best = std::min(best, timed(f) * 1e3);
    return best;
}

// The adapter's functions, as the program binds them (stdcall).
struct Adapter {
    using FromRawBits = void*(__attribute__((stdcall)) *)(void*, int, int, int, unsigned, unsigned, unsigned, unsigned, int);
    using Save = int(__attribute__((stdcall)) *)(int, void*, const char*, int);
    using Unload = void(__attribute__((stdcall)) *)(void*);
    void* library { nullptr };
    FromRawBits fromRawBits { nullptr };
    Save save { nullptr };
    Unload unload { nullptr };

    bool open(const std::string& path)
    {
        library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        fromRawBits = reinterpret_cast<FromRawBits>(dlsym(library, "_FreeImage_ConvertFromRawBits"));
        save = reinterpret_cast<Save>(dlsym(library, "_FreeImage_Save"));
        unload = reinterpret_cast<Unload>(dlsym(library, "_FreeImage_Unload"));
        return fromRawBits && save && unload;
    }
};

// The program's save: the image's locked pixels handed to the adapter as a 32-bit bitmap with
// the rows top-down, saved as fif, the bitmap unloaded. False when the adapter refused.
bool programSave(const Adapter& fi, int image, int fif, const std::string& path, int flags)
{
    const int buffer = ImageBuffer(image, 0);
    LockBuffer(buffer);
    if (LockedFormat(buffer) != 4) {
        UnlockBuffer(buffer);
        return false;
    }
    void* bitmap = fi.fromRawBits(reinterpret_cast<void*>(intptr_t(LockedPixels(buffer))), ImageWidth(image),
        ImageHeight(image), LockedPitch(buffer), 32, 0xFF0000, 0xFF00, 0xFF, 1);
    UnlockBuffer(buffer);
    if (!bitmap)
        return false;
    const bool ok = fi.save(fif, bitmap, path.c_str(), flags) != 0;
    fi.unload(bitmap);
    return ok;
}

// The program's thumbnail of image: a filtered copy scaled to fit 56 × 56, drawn centred on a
// black 56 × 56 image that is written to file as BMP.
void programThumbnail(int image, KXString* file)
{
    const int savethumb = CopyImage(image);
    TFormFilter(1);
    const int w = ImageWidth(savethumb), h = ImageHeight(savethumb);
    if (w > 56 || h > 56) {
        const float ratio = w > h ? float(w) / 56.0f : float(h) / 56.0f;
        ResizeImage(savethumb, std::nearbyint(float(w) / ratio), std::nearbyint(float(h) / ratio));
    }
    MidHandle(savethumb);
    const int prevthumb = CreateImage(56, 56, 1, 1);
    SetBuffer(ImageBuffer(prevthumb, 0));
    Cls();
    DrawBlock(savethumb, 28, 28, 0);
    SaveBuffer(ImageBuffer(prevthumb, 0), file);
    FreeImage(prevthumb);
    FreeImage(savethumb);
}

// The pipeline after the desktop copy, on the capture held in image (the screen's picture).
void pipelineFigures(int image)
{
    constexpr int n = 5;
    const char* tmpEnv = std::getenv("TMPDIR");
    const std::string dir = std::string(tmpEnv && *tmpEnv ? tmpEnv : "/tmp") + "/kx-bench-pipeline-" + std::to_string(getpid());
    mkdir(dir.c_str(), 0700);
    Adapter fi;
    if (!fi.open(std::string(KX_BINARY_DIR) + "/bin/data/FreeImage.dll")) {
        std::printf("pipeline: the FreeImage adapter did not load (%s)\n", dlerror());
        return;
    }

    // The same picture in FreeImage's own bitmaps, for its figures.
    const int buffer = ImageBuffer(image, 0);
    LockBuffer(buffer);
    FIBITMAP* picture32 = FreeImage_ConvertFromRawBits(reinterpret_cast<BYTE*>(intptr_t(LockedPixels(buffer))), width,
        height, LockedPitch(buffer), 32, 0xFF0000, 0xFF00, 0xFF, TRUE);
    UnlockBuffer(buffer);
    for (int y = 0; picture32 && y < height; ++y) {
        BYTE* line = FreeImage_GetScanLine(picture32, y);
        for (int x = 0; x < width; ++x)
            line[4 * x + FI_RGBA_ALPHA] = 0xFF;
    }
    FIBITMAP* picture24 = picture32 ? FreeImage_ConvertTo24Bits(picture32) : nullptr;
    if (!picture24) {
        std::printf("pipeline: FreeImage could not hold the picture\n");
        return;
    }

    std::printf("capture pipeline %dx%d, best of %d\n", width, height, n);
    double resize = bestMs(n, [&] {
        const int copy = CopyImage(image);
        TFormFilter(1);
        ResizeImage(copy, float(width * 50 / 100), float(height * 50 / 100));
        FreeImage(copy);
    });
    double copyOnly = bestMs(n, [&] { FreeImage(CopyImage(image)); });
    double fiRescale = bestMs(n, [&] { FreeImage_Unload(FreeImage_Rescale(picture24, width / 2, height / 2, FILTER_BILINEAR)); });
    std::printf("  CopyImage                  %8.2f ms (the thumbnail's first step)\n", copyOnly);
    std::printf("  resize 50%% filtered       %8.2f ms (ResizeImage alone); FreeImage_Rescale bilinear %.2f ms\n",
        resize - copyOnly, fiRescale);
    KXString* thumbFile = KXString::create(dir + "/PT001.vxg");
    double thumb = bestMs(n, [&] { programThumbnail(image, thumbFile); });
    thumbFile->release();
    std::printf("  thumbnail 56x56 to file    %8.2f ms\n", thumb);

    struct Format {
        const char* name;
        FREE_IMAGE_FORMAT fif;
        int flags;
        const char* ext;
    };
    for (const Format& f : { Format { "BMP ", FIF_BMP, 0, "bmp" }, Format { "JPEG", FIF_JPEG, JPEG_QUALITYSUPERB, "jpg" },
             Format { "PNG ", FIF_PNG, 0, "png" } }) {
        const std::string ours = dir + "/ours." + f.ext, theirs = dir + "/floor." + f.ext;
        bool ok = true;
        // In turns, so that a busy moment slows all three alike; each keeps its best.
        double save = 1e30, floor24 = 1e30, floor32 = 1e30;
        for (int i = 0; i < n; ++i) {
            save = std::min(save, bestMs(1, [&] { ok = programSave(fi, image, f.fif, ours, f.flags) && ok; }));
            floor24 = std::min(floor24, bestMs(1, [&] { FreeImage_Save(f.fif, picture24, theirs.c_str(), f.flags); }));
            if (f.fif != FIF_JPEG)
                floor32 = std::min(floor32, bestMs(1, [&] { FreeImage_Save(f.fif, picture32, theirs.c_str(), f.flags); }));
        }
        if (f.fif == FIF_JPEG)
            floor32 = floor24; // the JPEG writer takes 24 bits only
        std::printf("  save %s                  %8.2f ms%s; FreeImage's own encode: 24-bit %.2f ms, 32-bit %.2f ms (floor)\n",
            f.name, save, ok ? "" : " (FAILED)", floor24, floor32);
        std::remove(ours.c_str());
        std::remove(theirs.c_str());
    }
    std::remove((dir + "/PT001.vxg").c_str());
    rmdir(dir.c_str());
    FreeImage_Unload(picture24);
    FreeImage_Unload(picture32);
}
}

int main(int, char** argv)
{
    if (!getenv("TROVA_BENCH_XVFB")) {
        setenv("TROVA_BENCH_XVFB", "1", 1);
        char size[] = "--size", geometry[] = "1920x1080x24";
        std::string script = std::string(KX_SOURCE_DIR) + "/tests/support/with-xvfb.sh";
        char* args[] = { script.data(), size, geometry, argv[0], nullptr };
        execv(args[0], args);
        std::perror("bench_desktop: cannot start with-xvfb.sh");
        return 1;
    }
    kxSelectPlatformConfigs(KXModuleRegistry::global());
    if (!kxStartModule("QtGuiDriver") || !kxStartSubsystem("Gui") || !kxStartSubsystem("Graphics")) {
        std::printf("bench_desktop: the Qt platform did not start\n");
        return 1;
    }
    KXDesktopServices* services = KXDesktopServices::current();
    Display* d = XOpenDisplay(nullptr);
    if (!services || !d || services->screenWidth() != width || services->screenHeight() != height) {
        std::printf("bench_desktop: no %dx%d X display\n", width, height);
        return 1;
    }
    drawRoot(d);

    std::vector<uint32_t> frame(size_t(width) * height);
    ShmFloor shm(d);
    const int image = CreateImage(width, height, 1, 1); // as the capture makes it
    const int imageBuffer = ImageBuffer(image, 0);
    // The three are measured in turns, so a busy machine slows them alike; each keeps its best.
    double floor = 1e30, desktop = 1e30, locked = 1e30;
    for (int i = 0; i < runs; ++i) {
        if (shm.available())
            floor = std::min(floor, timed([&] { shm.read(frame); }));
        locked = std::min(locked, timed([&] {
            int desktopBuffer = DesktopBuffer();
            LockBuffer(desktopBuffer);
            CopyRect(0, 0, width, height, 0, 0, desktopBuffer, imageBuffer);
            UnlockBuffer(desktopBuffer);
        }));
        // The desktop buffer made here replaces the locked one, whose pixels are freed untimed.
        DesktopBuffer();
        desktop = std::min(desktop, timed([&] { CopyRect(0, 0, width, height, 0, 0, DesktopBuffer(), imageBuffer); }));
    }
    // The image holds the screen.
    LockBuffer(imageBuffer);
    bool same = LockedFormat(imageBuffer) == 4;
    for (int y = 0; same && y < height; ++y) {
        auto* row = reinterpret_cast<const uint32_t*>(intptr_t(LockedPixels(imageBuffer)) + y * LockedPitch(imageBuffer));
        for (int x = 0; x < width; ++x)
            same = same && ((row[x] ^ frame[size_t(y) * width + x]) & 0xFFFFFF) == 0;
    }
    UnlockBuffer(imageBuffer);

    std::printf("desktop read %dx%d, best of %d%s\n", width, height, runs, same ? "" : " (IMAGE DIFFERS FROM THE SCREEN)");
    std::printf("  DesktopBuffer + CopyRect   %8.2f ms\n", desktop * 1e3);
    if (shm.available()) {
        std::printf("  XShmGetImage + memcpy      %8.2f ms (floor)\n", floor * 1e3);
        std::printf("  ratio                      %8.2f (goal <= 1.5)\n", desktop / floor);
        std::printf("  from a locked desktop      %8.2f ms, ratio %.2f\n", locked * 1e3, locked / floor);
    } else {
        std::printf("  no MIT-SHM on this display: no floor\n");
    }
    pipelineFigures(image);
    FreeImage(image);
    return 0; // the display goes with the process, after the floor's segment
}
