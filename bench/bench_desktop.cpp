// Desktop read figures at 1920 × 1080 on a private X server, on the Qt platform: DesktopBuffer +
// a whole-screen CopyRect into an image (the capture's path), against the floor of one
// XShmGetImage of the root window plus one memcpy of that frame, measured in turns in the same
// run. For comparison, the same copy from a locked desktop buffer (screen read into the desktop
// surface's own pixels, then copied).
// Started without TROVA_BENCH_XVFB, it runs itself again under tests/support/with-xvfb.sh.
#include "graphics/GraphicsCommands.h"
#include "gui/KXDesktopServices.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    const int image = CreateImage(width, height, 1, 2);
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
    FreeImage(image);
    return 0; // the display goes with the process, after the floor's segment
}
