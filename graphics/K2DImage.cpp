// Images: creation through the display driver, copies, handles, masks and transforms.
#include "graphics/K2DImage.h"

#include "base/KXError.h"
#include "graphics/K2DBuffer.h"
#include "graphics/K2DGraphicsDriver.h"
#include "graphics/K2DTransform.h"
#include "graphics/KXPixmap.h"

#include <algorithm>
#include <new>

void K2DImage::checkParameters(int width, int height, int frames)
{
    if (width <= 0 || height <= 0 || frames <= 0)
        kxRuntimeError("Illegal Parameter for CreateImage");
}

K2DImage* K2DImage::create(int width, int height, int frames, int flags)
{
    checkParameters(width, height, frames);
    K2DGraphicsDriver& driver = K2DGraphicsDriver::instance();
    // What all frames take together, in 64 bits, before anything is allocated: pixels in the
    // widest display format plus each frame's own records. Sizes no 32-bit process can hold
    // fail here instead of wrapping round.
    constexpr int64_t FrameRecordBytes = 256;
    const int64_t rowBytes = (int64_t(width) * 4 + 3) & ~int64_t(3);
    const int64_t frameBytes = rowBytes > KXPixmap::MaxBytes / std::max(height, 1) ? KXPixmap::MaxBytes + 1 : rowBytes * height + FrameRecordBytes;
    if (frameBytes > KXPixmap::MaxBytes || frameBytes * frames > KXPixmap::MaxBytes)
        kxRuntimeError("Unable to create image of %i x %i", width, height);
    KXRef<K2DImage> image;
    try {
        image = KXRef<K2DImage>(new K2DImage);
        image->m_width = width;
        image->m_height = height;
        image->m_flags = flags;
        image->m_frames.reserve(size_t(frames));
        for (int i = 0; i < frames; ++i) {
            KXRef<KXGraphics> surface(driver.createSurface(width, height, flags));
            if (!surface)
                kxRuntimeError("Unable to create image of %i x %i", width, height);
            image->m_frames.push_back(K2DBuffer::create(surface.get()));
        }
    } catch (const std::bad_alloc&) {
        image = KXRef<K2DImage>();
        kxRuntimeError("Out of memory");
    }
    if (driver.autoMidHandle())
        image->midHandle();
    return image.leak();
}

K2DImage::~K2DImage()
{
    for (K2DBuffer* b : m_frames)
        b->release();
}

K2DBuffer* K2DImage::frame(int index) const
{
    if (index < 0 || index >= int(m_frames.size()))
        kxRuntimeError("Image frame out of range");
    return m_frames[size_t(index)];
}

void K2DImage::setMaskColor(uint32_t rgb)
{
    m_maskColor = rgb & 0xFFFFFF;
    for (K2DBuffer* b : m_frames)
        b->graphics()->setMaskColor(m_maskColor);
}

K2DImage* K2DImage::copy() const
{
    // Frames in ordinary memory are shared with the copy until either side writes them; not
    // while locked, as the holder of a lock may still write through it.
    bool pixmaps = true;
    for (K2DBuffer* f : m_frames)
        pixmaps = pixmaps && dynamic_cast<const KXPixmap*>(f->graphics()) && !f->graphics()->isLocked();
    if (!pixmaps) {
        KXRef<K2DImage> image(create(m_width, m_height, frameCount(), m_flags));
        for (size_t i = 0; i < m_frames.size(); ++i)
            image->m_frames[i]->graphics()->copyRect(0, 0, m_frames[i]->graphics(), 0, 0, m_width, m_height, false);
        image->m_handleX = m_handleX;
        image->m_handleY = m_handleY;
        image->setMaskColor(m_maskColor);
        return image.leak();
    }
    KXRef<K2DImage> image;
    try {
        image = KXRef<K2DImage>(new K2DImage);
        image->m_width = m_width;
        image->m_height = m_height;
        image->m_flags = m_flags;
        image->m_frames.reserve(m_frames.size());
        for (K2DBuffer* f : m_frames) {
            KXRef<KXPixmap> shared(static_cast<const KXPixmap*>(f->graphics())->share());
            image->m_frames.push_back(K2DBuffer::create(shared.get()));
        }
    } catch (const std::bad_alloc&) {
        image = KXRef<K2DImage>();
        kxRuntimeError("Out of memory");
    }
    image->m_handleX = m_handleX;
    image->m_handleY = m_handleY;
    image->setMaskColor(m_maskColor);
    return image.leak();
}

void K2DImage::transform(float a, float b, float c, float d, bool bilinear)
{
    K2DTransform t(a, b, c, d, m_width, m_height, m_handleX, m_handleY);
    if (!t.isValid())
        kxRuntimeError("Illegal image transform");
    // Build every new frame first so that a failure leaves the image as it was.
    std::vector<K2DBuffer*> frames;
    for (K2DBuffer* old : m_frames) {
        KXRef<KXPixmap> pixmap;
        try {
            pixmap = KXRef<KXPixmap>(t.apply(old->graphics(), bilinear));
        } catch (const std::bad_alloc&) {
        }
        if (!pixmap) {
            for (K2DBuffer* f : frames)
                f->release();
            kxRuntimeError("Illegal image transform");
        }
        pixmap->setMaskColor(old->graphics()->maskColor());
        frames.push_back(K2DBuffer::create(pixmap.get()));
    }
    for (K2DBuffer* old : m_frames)
        old->release();
    m_frames = std::move(frames);
    m_width = t.newWidth();
    m_height = t.newHeight();
    m_handleX = t.newHandleX();
    m_handleY = t.newHandleY();
}
