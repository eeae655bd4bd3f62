// KXEvent: the six-field event record every queue holds, and the event codes the runtime raises.
#pragma once

#include <cstdint>

// Event codes. Values are seen by programs: append-only.
enum class KXEventId : int {
    None = 0,
    KeyDown = 0x101,
    KeyUp = 0x102,
    KeyChar = 0x103,
    OkKey = 0x104,
    CancelKey = 0x105,
    MouseDown = 0x201,
    MouseUp = 0x202,
    MouseMove = 0x203,
    MouseWheel = 0x204,
    MouseEnter = 0x205,
    MouseLeave = 0x206,
    GadgetAction = 0x401,
    WindowMove = 0x801,
    WindowSize = 0x802,
    WindowClose = 0x803,
    WindowActivate = 0x804,
    MenuAction = 0x1001,
    AppSuspend = 0x2001,
    AppResume = 0x2002,
    ModalEnter = 0x2004,
    ModalLeave = 0x2005,
    TimerTick = 0x4001,
    HiddenSuspend = 0x40000001,
    HiddenResume = 0x40000002,
    QuitRequest = 0x40000003,
};

struct KXEvent {
    int id { 0 };
    int data { 0 };
    int x { 0 };
    int y { 0 };
    int z { 0 };
    int source { 0 };

    static KXEvent make(KXEventId id, int data = 0, int x = 0, int y = 0, int z = 0, int source = 0)
    {
        return { int(id), data, x, y, z, source };
    }
    bool is(KXEventId code) const { return id == int(code); }
};
static_assert(sizeof(KXEvent) == 24, "the event record is six 32-bit fields");
