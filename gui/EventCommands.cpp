// The event commands: waiting, peeking, the current event, flushing, suspension and hot keys.
#include "gui/KXEventDriver.h"
#include "gui/KXHotKeyTable.h"
#include "gui/KXQueFilter.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

namespace {
KXEventDriver& events()
{
    KXEventDriver* driver = KXEventDriver::current();
    if (!driver)
        kxRuntimeError("Events are not available on this platform");
    return *driver;
}
}

KX_STDCALL int WaitEvent(int timeout) { return events().waitEvent(timeout); }
KX_STDCALL int PeekEvent() { return events().peekEvent(); }

KX_STDCALL int EventID() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().id : 0; }
KX_STDCALL int EventData() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().data : 0; }
KX_STDCALL int EventX() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().x : 0; }
KX_STDCALL int EventY() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().y : 0; }
KX_STDCALL int EventZ() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().z : 0; }
KX_STDCALL int EventSource() { return KXEventDriver::current() ? KXEventDriver::current()->currentEvent().source : 0; }

KX_STDCALL void FlushEvents(int kind, int source) { events().flushEvents(kind, source); }

KX_STDCALL void AutoSuspend(int enable) { KXQueFilter::instance().setAutoSuspend(enable != 0); }

KX_STDCALL void HotKeyEvent(int rawKey, int modifier, int id, int data, int x, int y, int z, int source)
{
    KXHotKeyTable::instance().add(rawKey, modifier, KXEvent { id, data, x, y, z, source });
}

// The keyboard state tables belong to the input commands' filter; this side polls once.
KX_STDCALL void FlushKeys() { events().pollInput(); }

static const KXCommandEntry s_commands[] = {
    { "%WaitEvent%timeout=-1", KX_FN(WaitEvent) },
    { "%PeekEvent", KX_FN(PeekEvent) },
    { "%EventID", KX_FN(EventID) },
    { "%EventData", KX_FN(EventData) },
    { "%EventX", KX_FN(EventX) },
    { "%EventY", KX_FN(EventY) },
    { "%EventZ", KX_FN(EventZ) },
    { "%EventSource", KX_FN(EventSource) },
    { "FlushEvents%kind=-1%source=0", KX_FN(FlushEvents) },
    { "AutoSuspend%enable", KX_FN(AutoSuspend) },
    { "HotKeyEvent%rawkey%modifier%ev_id%ev_data=0%ev_x=0%ev_y=0%ev_z=0%ev_source=0", KX_FN(HotKeyEvent) },
    { "FlushKeys", KX_FN(FlushKeys) },
};
static KXCommandTable s_table(s_commands);
