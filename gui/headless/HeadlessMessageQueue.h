// HeadlessMessageQueue: the headless platform's native message queue, which timer threads and
// the scripted user post to and the message loop empties, and the depth of the simulated modal
// native loops that run from it.
//
// Invariants: the queue is the only state other threads touch (under m_mutex); the modal depth
// belongs to the main thread.
#pragma once

#include "gui/KXThreadMessage.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

struct HeadlessMessage {
    // A thread message, or None for a window message (deliver).
    KXThreadMessage thread { KXThreadMessage::None };
    int param1 { 0 };
    int param2 { 0 };
    // The gadget a window message is for (0 for none); used to drop messages of a dead gadget.
    int target { 0 };
    std::function<void()> deliver;
};

class HeadlessMessageQueue {
public:
    // May be called from any thread.
    void postThreadMessage(KXThreadMessage message, int param1, int param2);
    void postMessage(int target, std::function<void()> deliver);
    bool hasMessages();
    bool takeMessage(HeadlessMessage& out);
    // Waits until a message arrives or the deadline (steady-clock ms; < 0: none) passes.
    void waitForMessage(long long deadlineMs);
    // Forgets the window messages for target and the timer ticks of the timer target.
    void dropMessagesFor(int target);
    void clearMessages();
    // Depth of simulated modal native loops currently running.
    int modalDepth() const { return m_modalDepth; }
    void setModalDepth(int depth) { m_modalDepth = depth; }

private:
    void push(HeadlessMessage message);

    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<HeadlessMessage> m_messages;
    int m_modalDepth { 0 };
};
