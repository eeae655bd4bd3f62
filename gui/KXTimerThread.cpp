// The periodic tick thread.
#include "gui/KXTimerThread.h"

#include <chrono>

void KXTimerThread::start(int periodMs)
{
    stop();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = false;
    }
    m_thread = std::thread([this, periodMs] { run(periodMs); });
}

void KXTimerThread::stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void KXTimerThread::run(int periodMs)
{
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs);
    auto next = clock::now() + period;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_wake.wait_until(lock, next, [this] { return m_stopping; }))
            return;
        int count = m_count.fetch_add(1) + 1;
        m_post(count);
        next += period;
        // After a long stall, tick once and continue from now rather than in a burst.
        auto now = clock::now();
        if (next < now)
            next = now + period;
    }
}
