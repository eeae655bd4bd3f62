// The 2D state module: current, graphics and desktop buffers and image ownership.
#include "graphics/K2DGraphicsDriver.h"

#include "core/KXHandle.h"
#include "base/KXResource.h"
#include "graphics/K2DBuffer.h"
#include "graphics/K2DImage.h"
#include "graphics/KXGrDriver2D.h"
#include "graphics/KXPixmap.h"
#include "graphics/KXScreenDriver.h"
#include "graphics/KXSurfaceDriver.h"
#include "base/KXError.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

namespace {
K2DGraphicsDriver s_driver;
}

K2DGraphicsDriver::K2DGraphicsDriver()
    : KXModule("K2DGraphicsDriver", "Graphics")
{
}

K2DGraphicsDriver& K2DGraphicsDriver::instance()
{
    if (!s_driver.isStarted() && !s_driver.start())
        kxRuntimeError("Graphics are not available");
    return s_driver;
}

bool K2DGraphicsDriver::startup()
{
    return kxStartSubsystem(KXSubsystems::Screen) && kxStartSubsystem(KXSubsystems::GrDriver2D) && kxStartSubsystem(KXSubsystems::Graphics);
}

void K2DGraphicsDriver::shutdown()
{
    m_current = nullptr;
    if (K2DBuffer* d = m_desktop) {
        m_desktop = nullptr;
        d->release();
    }
    if (K2DBuffer* g = m_graphics) {
        m_graphics = nullptr;
        g->release();
    }
    m_current = nullptr;
    s_lastChecked = nullptr;
}

KXSurfaceDriver* K2DGraphicsDriver::surfaces() const { return KXSurfaceDriver::current(); }
KXScreenDriver* K2DGraphicsDriver::screen() const { return KXScreenDriver::current(); }
KXGrDriver2D* K2DGraphicsDriver::drawing() const { return KXGrDriver2D::current(); }

int K2DGraphicsDriver::displayFormat() const
{
    KXSurfaceDriver* s = surfaces();
    return s ? s->displayFormat() : 4;
}

KXGraphics* K2DGraphicsDriver::createSurface(int width, int height, int flags)
{
    if (KXSurfaceDriver* s = surfaces())
        return s->createSurface(width, height, flags);
    return KXPixmap::create(width, height, 4);
}

K2DBuffer* K2DGraphicsDriver::graphicsBuffer()
{
    if (!m_graphics) {
        KXRef<KXGraphics> surface(createSurface(DefaultWidth, DefaultHeight, 0));
        if (!surface)
            kxRuntimeError("Unable to create graphics buffer");
        m_graphics = K2DBuffer::create(surface.get());
    }
    return m_graphics;
}

K2DBuffer* K2DGraphicsDriver::current()
{
    if (!m_current)
        setCurrent(graphicsBuffer());
    return m_current;
}

K2DBuffer* K2DGraphicsDriver::setCurrent(K2DBuffer* buffer)
{
    K2DBuffer* previous = m_current;
    m_current = buffer;
    if (KXGrDriver2D* d = drawing()) {
        d->setSurface(buffer ? buffer->graphics() : nullptr);
        if (buffer)
            d->setColor(buffer->color());
    }
    return previous;
}

K2DBuffer* K2DGraphicsDriver::newDesktopBuffer()
{
    if (K2DBuffer* old = m_desktop) {
        m_desktop = nullptr;
        old->release();
    }
    KXRef<KXGraphics> surface(screen() ? screen()->makeDesktopSurface() : nullptr);
    if (!surface)
        kxRuntimeError("Unable to read the desktop");
    m_desktop = K2DBuffer::create(surface.get());
    return m_desktop;
}

K2DBuffer* K2DGraphicsDriver::checkBuffer(int handle)
{
    if (handle == 0)
        return current();
    K2DBuffer* b = kxHandle<K2DBuffer>(handle, "Buffer");
    s_lastChecked = b;
    return b;
}

K2DImage* K2DGraphicsDriver::image(int handle) { return kxHandle<K2DImage>(handle, "Image"); }

void K2DGraphicsDriver::own(K2DImage* image) { resources()->adopt(image); }

void K2DGraphicsDriver::release(K2DImage* image)
{
    if (image->owner())
        image->owner()->orphan(image);
    image->release();
}

void K2DGraphicsDriver::bufferGone(K2DBuffer* buffer)
{
    K2DGraphicsDriver& d = s_driver;
    if (d.s_lastChecked == buffer)
        d.s_lastChecked = nullptr;
    if (d.m_desktop == buffer)
        d.m_desktop = nullptr;
    if (d.m_graphics == buffer)
        d.m_graphics = nullptr;
    if (d.m_current == buffer) {
        d.m_current = nullptr;
        if (d.isStarted() && d.m_graphics)
            d.setCurrent(d.m_graphics);
        else if (KXGrDriver2D* g = d.drawing())
            g->setSurface(nullptr);
    }
}
