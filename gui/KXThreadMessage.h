// KXThreadMessage: the messages other threads (timer threads, the host's control requests) post
// to the platform's message loop, which hands them to KXEventDriver::threadMessage.
#pragma once

// Values are append-only: they travel through native thread-message queues.
enum class KXThreadMessage : int {
    None = 0, // not a thread message (a window message)
    HiddenSuspend = 1, // the host asks the hidden program to suspend: event 0x40000001
    HiddenResume = 2, // ... to resume: event 0x40000002
    Quit = 3, // ... to quit: event 0x40000003
    TimerTick = 4, // param1: the timer's tick count, param2: the timer's handle
};
