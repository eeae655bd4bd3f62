// readwrite: the floor of a capture saved as BMP: one read of the whole root window through
// MIT-SHM (XGetImage without it) and one write of those pixels as a 32-bit BMP file into a
// folder, as a program with no other work would do them. Prints the median milliseconds of
// several runs, or "-" and exit status 1 when the screen cannot be read or the file written.
//   readwrite FOLDER [RUNS]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

void put16(uint8_t* p, uint32_t v) { p[0] = uint8_t(v), p[1] = uint8_t(v >> 8); }
void put32(uint8_t* p, uint32_t v) { put16(p, v), put16(p + 2, v >> 16); }

// Writes the image's rows, bottom row first, as a 32-bit BMP file.
bool writeBmp(const std::string& path, const XImage* image)
{
    const uint32_t w = uint32_t(image->width), h = uint32_t(image->height), rowBytes = w * 4;
    uint8_t header[54] = { 'B', 'M' };
    put32(header + 2, 54 + rowBytes * h);
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, w);
    put32(header + 22, h);
    put16(header + 26, 1);
    put16(header + 28, 32);
    put32(header + 34, rowBytes * h);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;
    for (uint32_t y = h; ok && y-- > 0;)
        ok = std::fwrite(image->data + size_t(y) * size_t(image->bytes_per_line), 1, rowBytes, f) == rowBytes;
    return std::fclose(f) == 0 && ok;
}
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: readwrite FOLDER [RUNS]\n");
        return 2;
    }
    const std::string path = std::string(argv[1]) + "/readwrite.bmp";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::printf("-\n");
        return 1;
    }
    const int screen = DefaultScreen(d);
    const unsigned w = unsigned(DisplayWidth(d, screen)), h = unsigned(DisplayHeight(d, screen));
    XShmSegmentInfo info {};
    XImage* shared = nullptr;
    if (XShmQueryExtension(d)) {
        shared = XShmCreateImage(d, DefaultVisual(d, screen), unsigned(DefaultDepth(d, screen)), ZPixmap, nullptr, &info, w, h);
        if (shared) {
            info.shmid = shmget(IPC_PRIVATE, size_t(shared->bytes_per_line) * h, IPC_CREAT | 0600);
            info.shmaddr = shared->data = static_cast<char*>(shmat(info.shmid, nullptr, 0));
            info.readOnly = False;
            XShmAttach(d, &info);
            XSync(d, False);
            shmctl(info.shmid, IPC_RMID, nullptr);
        }
    }
    std::vector<double> times;
    bool ok = true;
    for (int i = 0; ok && i < runs; ++i) {
        auto t0 = Clock::now();
        XImage* image = shared;
        if (shared)
            ok = XShmGetImage(d, DefaultRootWindow(d), shared, 0, 0, AllPlanes);
        else
            ok = (image = XGetImage(d, DefaultRootWindow(d), 0, 0, w, h, AllPlanes, ZPixmap)) != nullptr;
        ok = ok && image->bits_per_pixel == 32 && writeBmp(path, image);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (image && image != shared)
            XDestroyImage(image);
        std::remove(path.c_str());
    }
    if (shared) {
        XShmDetach(d, &info);
        shmdt(info.shmaddr);
        shared->data = nullptr;
        XDestroyImage(shared);
    }
    XCloseDisplay(d);
    if (!ok) {
        std::printf("-\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("%.1f\n", times[times.size() / 2]);
    return 0;
}
