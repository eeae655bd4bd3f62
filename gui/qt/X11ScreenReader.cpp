// Screen reads from the root window, with their pixel conversions.
#include "gui/qt/X11ScreenReader.h"

#include "graphics/KXPixelFormat.h"
#include "gui/qt/X11ErrorTrap.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

namespace {

uint32_t loadPixel(const uint8_t* p, int bytes, bool msbFirst)
{
    uint32_t v = 0;
    if (msbFirst)
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | p[i];
    else
        for (int i = bytes - 1; i >= 0; --i)
            v = (v << 8) | p[i];
    return v;
}

// Converts image rows to dst in format. The common layouts go straight; anything else pixel by
// pixel through ARGB.
void convert(const XImage* image, uint8_t* dst, int pitch, int format)
{
    const int w = image->width, h = image->height;
    const bool msb = image->byte_order == MSBFirst;
    const int bpp = image->bits_per_pixel;
    const bool xrgb32 = bpp == 32 && !msb && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00
        && image->blue_mask == 0xFF;
    const bool rgb565 = bpp == 16 && !msb && image->red_mask == 0xF800 && image->green_mask == 0x07E0
        && image->blue_mask == 0x1F;
    const int outBytes = kxpf::bytesPerPixel(format);
    // Same layout, rows back to back on both sides: one copy.
    if (((xrgb32 && format == kxpf::XRGB8888) || (rgb565 && format == kxpf::RGB565))
        && image->bytes_per_line == pitch && pitch == w * outBytes) {
        std::memcpy(dst, image->data, size_t(pitch) * size_t(h));
        return;
    }
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = reinterpret_cast<const uint8_t*>(image->data) + size_t(y) * size_t(image->bytes_per_line);
        uint8_t* out = dst + size_t(y) * size_t(pitch);
        if (xrgb32) {
            const uint32_t* s = reinterpret_cast<const uint32_t*>(src);
            switch (format) {
            case kxpf::XRGB8888:
                std::memcpy(out, s, size_t(w) * 4);
                continue;
            case kxpf::ARGB8888: {
                uint32_t* o = reinterpret_cast<uint32_t*>(out);
                for (int x = 0; x < w; ++x)
                    o[x] = s[x] | 0xFF000000u;
                continue;
            }
            case kxpf::RGB888:
                for (int x = 0; x < w; ++x) {
                    uint32_t c = s[x];
                    out[3 * x] = uint8_t(c);
                    out[3 * x + 1] = uint8_t(c >> 8);
                    out[3 * x + 2] = uint8_t(c >> 16);
                }
                continue;
            case kxpf::RGB565: {
                uint16_t* o = reinterpret_cast<uint16_t*>(out);
                for (int x = 0; x < w; ++x)
                    o[x] = kxpf::to565(s[x]);
                continue;
            }
            case kxpf::XRGB1555: {
                uint16_t* o = reinterpret_cast<uint16_t*>(out);
                for (int x = 0; x < w; ++x)
                    o[x] = kxpf::to555(s[x]);
                continue;
            }
            default:
                break;
            }
        }
        if (rgb565) {
            if (format == kxpf::RGB565) {
                std::memcpy(out, src, size_t(w) * 2);
                continue;
            }
            for (int x = 0; x < w; ++x)
                kxpf::fromArgb(format, out + size_t(x) * size_t(outBytes), kxpf::toArgb(kxpf::RGB565, src + 2 * size_t(x)));
            continue;
        }
        const kxpf::Channel r(uint32_t(image->red_mask)), g(uint32_t(image->green_mask)), b(uint32_t(image->blue_mask));
        const int inBytes = bpp / 8;
        for (int x = 0; x < w; ++x) {
            uint32_t p = loadPixel(src + size_t(x) * size_t(inBytes), inBytes, msb);
            uint32_t c = 0xFF000000u | (r.value8(p) << 16) | (g.value8(p) << 8) | b.value8(p);
            kxpf::fromArgb(format, out + size_t(x) * size_t(outBytes), c);
        }
    }
}

// Whether the conversion above reads this image: whole bytes per pixel and a colour visual.
bool convertible(const XImage* image)
{
    int bpp = image->bits_per_pixel;
    return (bpp == 16 || bpp == 24 || bpp == 32) && image->red_mask && image->green_mask && image->blue_mask;
}

}

X11ScreenReader::X11ScreenReader(Display* display)
    : m_display(display)
{
    m_useShm = XShmQueryExtension(display);
}

X11ScreenReader::~X11ScreenReader() { dropSegment(); }

int X11ScreenReader::width() const { return DisplayWidth(m_display, DefaultScreen(m_display)); }

int X11ScreenReader::height() const { return DisplayHeight(m_display, DefaultScreen(m_display)); }

void X11ScreenReader::dropSegment()
{
    if (m_shmSeg) {
        XShmSegmentInfo info {};
        info.shmseg = m_shmSeg;
        info.shmid = m_shmId;
        info.shmaddr = static_cast<char*>(m_shmAddr);
        XShmDetach(m_display, &info);
        XSync(m_display, False);
        m_shmSeg = 0;
    }
    if (m_shmAddr)
        shmdt(m_shmAddr);
    m_shmAddr = nullptr;
    m_shmId = -1;
    m_shmSize = 0;
}

bool X11ScreenReader::ensureSegment(size_t bytes)
{
    if (m_shmSeg && m_shmSize >= bytes)
        return true;
    dropSegment();
    int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    void* addr = shmat(id, nullptr, 0);
    if (addr == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return false;
    }
    XShmSegmentInfo info {};
    info.shmid = id;
    info.shmaddr = static_cast<char*>(addr);
    info.readOnly = False;
    bool attached = XShmAttach(m_display, &info);
    XSync(m_display, False);
    // Marked for removal now: the segment goes when both sides have detached, even after a crash.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        shmdt(addr);
        return false;
    }
    m_shmId = id;
    m_shmAddr = addr;
    m_shmSize = bytes;
    m_shmSeg = info.shmseg;
    return true;
}

_XImage* X11ScreenReader::readShared(const KXRect& rect)
{
    int screen = DefaultScreen(m_display);
    XShmSegmentInfo info {};
    XImage* image = XShmCreateImage(m_display, DefaultVisual(m_display, screen), unsigned(DefaultDepth(m_display, screen)),
        ZPixmap, nullptr, &info, unsigned(rect.width), unsigned(rect.height));
    if (!image)
        return nullptr;
    size_t bytes = size_t(image->bytes_per_line) * size_t(rect.height);
    if (!ensureSegment(bytes)) {
        image->obdata = nullptr;
        XDestroyImage(image);
        return nullptr;
    }
    info.shmseg = m_shmSeg;
    info.shmid = m_shmId;
    info.shmaddr = static_cast<char*>(m_shmAddr);
    image->data = info.shmaddr;
    image->obdata = reinterpret_cast<char*>(&info);
    bool ok;
    {
        X11ErrorTrap trap(m_display);
        ok = XShmGetImage(m_display, DefaultRootWindow(m_display), image, rect.x, rect.y, AllPlanes) && !trap.failed();
    }
    image->obdata = nullptr;
    if (!ok) {
        image->data = nullptr;
        XDestroyImage(image);
        return nullptr;
    }
    return image;
}

_XImage* X11ScreenReader::readBand(const KXRect& rect, bool& shared)
{
    shared = false;
    if (m_useShm) {
        if (XImage* image = readShared(rect)) {
            shared = true;
            return image;
        }
        m_useShm = false;
        dropSegment();
    }
    X11ErrorTrap trap(m_display);
    XImage* image = XGetImage(m_display, DefaultRootWindow(m_display), rect.x, rect.y, unsigned(rect.width),
        unsigned(rect.height), AllPlanes, ZPixmap);
    if (image && trap.failed()) {
        XDestroyImage(image);
        image = nullptr;
    }
    return image;
}

bool X11ScreenReader::read(const KXRect& rect, uint8_t* dst, int pitch, int format)
{
    if (!dst || !(kxpf::isDisplayFormat(format) || format == kxpf::ARGB8888) || rect.x < 0 || rect.y < 0
        || rect.width <= 0 || rect.height <= 0 || int64_t(rect.x) + rect.width > width()
        || int64_t(rect.y) + rect.height > height() || int64_t(pitch) < int64_t(rect.width) * kxpf::bytesPerPixel(format))
        return false;
    // Bands of rows of at most BandBytes (at 4 bytes a pixel), so neither the shared segment nor
    // a fallback image ever holds a second copy of a whole screen.
    const int band = std::max(1, int(BandBytes / (size_t(rect.width) * 4)));
    for (int y = 0; y < rect.height; y += band) {
        const KXRect part { rect.x, rect.y + y, rect.width, std::min(band, rect.height - y) };
        bool shared = false;
        XImage* image = readBand(part, shared);
        if (!image)
            return false;
        bool ok = convertible(image);
        if (ok)
            convert(image, dst + size_t(y) * size_t(pitch), pitch, format);
        if (shared)
            image->data = nullptr; // the segment stays for the next read
        XDestroyImage(image);
        if (!ok)
            return false;
    }
    return true;
}
