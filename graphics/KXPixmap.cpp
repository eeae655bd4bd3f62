// Surfaces in ordinary memory.
#include "graphics/KXPixmap.h"

#include "graphics/KXPixelFormat.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

KXPixmap* KXPixmap::create(int width, int height, int format)
{
    KXPixmap* p = createUninitialized(width, height, format);
    if (p)
        std::memset(p->pixels(), 0, size_t(p->pitch()) * size_t(height));
    return p;
}

namespace {
constexpr size_t MinRecycled = size_t(1) << 20;

struct Recycled {
    uint8_t* block;
    size_t size;
};

// Freed blocks of at least MinRecycled bytes, most recent last; their sizes add up to at most
// RecycleLimit.
std::vector<Recycled>& recycled()
{
    static std::vector<Recycled> list;
    return list;
}
size_t s_recycledBytes = 0;

// A block of size bytes: a recycled one of exactly that size when there is one.
uint8_t* takeBlock(size_t size)
{
    auto& list = recycled();
    for (size_t i = list.size(); i-- > 0;) {
        if (list[i].size == size) {
            uint8_t* b = list[i].block;
            s_recycledBytes -= size;
            list.erase(list.begin() + std::ptrdiff_t(i));
            return b;
        }
    }
    return static_cast<uint8_t*>(std::malloc(size));
}
}

void KXPixmap::BlockDeleter::operator()(uint8_t* p) const
{
    if (!p)
        return;
    auto& list = recycled();
    if (size < MinRecycled || size > RecycleLimit) {
        std::free(p);
        return;
    }
    // Make room by dropping the oldest blocks.
    while (!list.empty() && s_recycledBytes + size > RecycleLimit) {
        std::free(list.front().block);
        s_recycledBytes -= list.front().size;
        list.erase(list.begin());
    }
    list.push_back({ p, size });
    s_recycledBytes += size;
}

KXPixmap* KXPixmap::createUninitialized(int width, int height, int format)
{
    int bpp = kxpf::bytesPerPixel(format);
    if (width < 1 || height < 1 || bpp == 0)
        return nullptr;
    // Keep the block addressable with 32-bit offsets. Each factor stays below 2^31, so the
    // 64-bit products cannot overflow.
    const int64_t pitch64 = (int64_t(width) * bpp + 3) & ~int64_t(3);
    if (pitch64 > MaxBytes || pitch64 * height > MaxBytes)
        return nullptr;
    const int pitch = int(pitch64);
    const size_t size = size_t(pitch64 * height);
    Block block(takeBlock(size), BlockDeleter { size });
    if (!block)
        return nullptr;
    return new KXPixmap(width, height, format, pitch, std::move(block));
}

namespace {
std::shared_ptr<uint8_t[]> shared(KXPixmap::Block block)
{
    KXPixmap::BlockDeleter deleter = block.get_deleter();
    return std::shared_ptr<uint8_t[]>(block.release(), deleter);
}
}

KXPixmap::KXPixmap(int width, int height, int format, int pitch, Block pixels)
    : KXPixmap(width, height, format, pitch, shared(std::move(pixels)))
{
}

KXPixmap::KXPixmap(int width, int height, int format, int pitch, std::shared_ptr<uint8_t[]> pixels)
    : KXGraphics(width, height)
    , m_format(format)
    , m_pitch(pitch)
    , m_pixels(std::move(pixels))
{
}

KXPixmap* KXPixmap::share() const { return new KXPixmap(width(), height(), m_format, m_pitch, m_pixels); }

void KXPixmap::ownBlock()
{
    if (m_pixels.use_count() <= 1)
        return;
    const size_t size = size_t(m_pitch) * size_t(height());
    Block block(takeBlock(size), BlockDeleter { size });
    if (!block)
        throw std::bad_alloc();
    std::memcpy(block.get(), m_pixels.get(), size);
    m_pixels = shared(std::move(block));
}

bool KXPixmap::lockSurface(KXLockInfo& info)
{
    try {
        ownBlock();
    } catch (const std::bad_alloc&) {
        return false;
    }
    info.pixels = m_pixels.get();
    info.pitch = m_pitch;
    info.format = m_format;
    return true;
}
