// The headless platform's native message queue.
#include "gui/headless/HeadlessMessageQueue.h"

#include <algorithm>
#include <chrono>

void HeadlessMessageQueue::push(HeadlessMessage message)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back(std::move(message));
    }
    m_arrived.notify_all();
}

void HeadlessMessageQueue::postThreadMessage(KXThreadMessage message, int param1, int param2)
{
    HeadlessMessage m;
    m.thread = message;
    m.param1 = param1;
    m.param2 = param2;
    push(std::move(m));
}

void HeadlessMessageQueue::postMessage(int target, std::function<void()> deliver)
{
    HeadlessMessage m;
    m.target = target;
    m.deliver = std::move(deliver);
    push(std::move(m));
}

bool HeadlessMessageQueue::hasMessages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_messages.empty();
}

bool HeadlessMessageQueue::takeMessage(HeadlessMessage& out)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_messages.empty())
        return false;
    out = std::move(m_messages.front());
    m_messages.pop_front();
    return true;
}

void HeadlessMessageQueue::waitForMessage(long long deadlineMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto ready = [this] { return !m_messages.empty(); };
    if (deadlineMs < 0) {
        m_arrived.wait(lock, ready);
        return;
    }
    auto deadline = std::chrono::steady_clock::time_point(std::chrono::milliseconds(deadlineMs));
    m_arrived.wait_until(lock, deadline, ready);
}

void HeadlessMessageQueue::dropMessagesFor(int target)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.erase(std::remove_if(m_messages.begin(), m_messages.end(),
                         [&](const HeadlessMessage& m) {
                             return m.target == target || (m.thread == KXThreadMessage::TimerTick && m.param2 == target);
                         }),
        m_messages.end());
}

void HeadlessMessageQueue::clearMessages()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_messages.clear();
}
