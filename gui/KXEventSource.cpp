// Event sources: posting and the flush on release.
#include "gui/KXEventSource.h"

#include "core/KXHandle.h"
#include "gui/KXEventDriver.h"
#include "gui/KXEventFilter.h"

void KXEventSource::free()
{
    KXEventDriver::forgetSource(handle());
    KXResource::free();
}

void KXEventSource::emit(KXEventId id, int data, int x, int y, int z)
{
    kxPostEvent(KXEvent::make(id, data, x, y, z, handle()));
}

int KXEventSource::handle() const { return kxToHandle(this); }
