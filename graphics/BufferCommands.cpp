// Buffer commands: the current buffer, the desktop buffer, locking, pixels and rectangle copies.
#include "core/KXHandle.h"
#include "core/KXString.h"
#include "graphics/GraphicsCommands.h"
#include "graphics/K2DBuffer.h"
#include "graphics/K2DGraphicsDriver.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "graphics/KXRefreshClock.h"
#include "base/KXCallConv.h"
#include "base/KXCommandTable.h"

#include <string_view>

namespace {
K2DGraphicsDriver& driver() { return K2DGraphicsDriver::instance(); }
K2DBuffer* buffer(int handle) { return driver().buffer(handle); }
std::string_view text(const KXString* s) { return s ? s->view() : std::string_view(); }
}

KX_STDCALL int SetBuffer(int handle)
{
    K2DBuffer* b = buffer(handle);
    K2DBuffer* previous = driver().current();
    driver().setCurrent(b);
    return kxToHandle(previous);
}

KX_STDCALL int GraphicsBuffer() { return kxToHandle(driver().current()); }

KX_STDCALL int DesktopBuffer() { return kxToHandle(driver().newDesktopBuffer()); }

KX_STDCALL int GraphicsWidth() { return driver().graphicsBuffer()->width(); }
KX_STDCALL int GraphicsHeight() { return driver().graphicsBuffer()->height(); }
KX_STDCALL int GraphicsFormat() { return driver().displayFormat(); }
KX_STDCALL int GraphicsDepth() { return kxpf::bytesPerPixel(GraphicsFormat()) * 8; }

// Loads a picture file into the buffer at (0, 0), unscaled; 1 when it was read, else 0.
KX_STDCALL int LoadBuffer(int handle, KXString* file)
{
    K2DBuffer* b = buffer(handle);
    KXRef<KXPixmap> picture(KXImageLoader::load(text(file)));
    if (!picture)
        return 0;
    b->graphics()->copyRect(0, 0, picture.get(), 0, 0, picture->width(), picture->height(), false);
    return 1;
}

KX_STDCALL int SaveBuffer(int handle, KXString* file)
{
    return KXImageLoader::saveBmp(buffer(handle)->graphics(), text(file)) ? 1 : 0;
}

KX_STDCALL void LockBuffer(int handle) { buffer(handle)->lock(); }
KX_STDCALL void UnlockBuffer(int handle) { buffer(handle)->unlock(); }
KX_STDCALL int LockedPitch(int handle) { return buffer(handle)->lockedPitch(); }
KX_STDCALL int LockedFormat(int handle) { return buffer(handle)->lockedFormat(); }
KX_STDCALL int LockedPixels(int handle) { return int(reinterpret_cast<intptr_t>(buffer(handle)->lockedPixels())); }

KX_STDCALL int ReadPixelFast(int x, int y, int handle)
{
    return int(K2DGraphicsDriver::fastBuffer(handle)->readFast(x, y));
}

KX_STDCALL void WritePixelFast(int x, int y, int color, int handle)
{
    K2DGraphicsDriver::fastBuffer(handle)->writeFast(x, y, uint32_t(color));
}
KX_STDCALL int ReadPixel(int x, int y, int handle) { return int(buffer(handle)->read(x, y)); }
KX_STDCALL void WritePixel(int x, int y, int color, int handle) { buffer(handle)->write(x, y, uint32_t(color)); }

KX_STDCALL void CopyPixel(int sx, int sy, int source, int dx, int dy, int dest)
{
    K2DBuffer* s = buffer(source);
    K2DBuffer* d = buffer(dest);
    d->write(dx, dy, s->read(sx, sy));
}

KX_STDCALL void CopyPixelFast(int sx, int sy, int source, int dx, int dy, int dest)
{
    K2DBuffer* s = buffer(source);
    K2DBuffer* d = buffer(dest);
    d->writeFast(dx, dy, s->readFast(sx, sy));
}

KX_STDCALL void CopyRect(int sx, int sy, int width, int height, int dx, int dy, int source, int dest)
{
    K2DBuffer* s = buffer(source);
    K2DBuffer* d = buffer(dest);
    d->graphics()->copyRect(dx, dy, s->graphics(), sx, sy, width, height, false);
}

// Waits for frames display refreshes (none for frames <= 0).
KX_STDCALL void VWait(int frames) { KXRefreshClock::wait(frames); }

static const KXCommandEntry s_commands[] = {
    { "VWait%frames=1", KX_FN(VWait) },
    { "%SetBuffer%buffer", KX_FN(SetBuffer) },
    { "%GraphicsBuffer", KX_FN(GraphicsBuffer) },
    { "%DesktopBuffer", KX_FN(DesktopBuffer) },
    { "%LoadBuffer%buffer$file", KX_FN(LoadBuffer) },
    { "%SaveBuffer%buffer$file", KX_FN(SaveBuffer) },
    { "%GraphicsWidth", KX_FN(GraphicsWidth) },
    { "%GraphicsHeight", KX_FN(GraphicsHeight) },
    { "%GraphicsDepth", KX_FN(GraphicsDepth) },
    { "%GraphicsFormat", KX_FN(GraphicsFormat) },
    { "LockBuffer%buffer=0", KX_FN(LockBuffer) },
    { "UnlockBuffer%buffer=0", KX_FN(UnlockBuffer) },
    { "%LockedPitch%buffer=0", KX_FN(LockedPitch) },
    { "%LockedFormat%buffer=0", KX_FN(LockedFormat) },
    { "%LockedPixels%buffer=0", KX_FN(LockedPixels) },
    { "%ReadPixel%x%y%buffer=0", KX_FN(ReadPixel) },
    { "%ReadPixelFast%x%y%buffer=0", KX_FN(ReadPixelFast) },
    { "WritePixel%x%y%color%buffer=0", KX_FN(WritePixel) },
    { "WritePixelFast%x%y%color%buffer=0", KX_FN(WritePixelFast) },
    { "CopyPixel%src_x%src_y%src_buffer%dst_x%dst_y%dst_buffer=0", KX_FN(CopyPixel) },
    { "CopyPixelFast%src_x%src_y%src_buffer%dst_x%dst_y%dst_buffer=0", KX_FN(CopyPixelFast) },
    { "CopyRect%source_x%source_y%width%height%dest_x%dest_y%source_buffer=0%dest_buffer=0", KX_FN(CopyRect) },
};
static KXCommandTable s_table(s_commands);
