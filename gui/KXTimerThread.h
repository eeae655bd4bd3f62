// KXTimerThread: a periodic thread with millisecond resolution for platforms whose timers
// cannot post to the main thread themselves. Each period it increments the tick count and
// calls the post function with the new count; it touches nothing else.
//
// Invariants: the thread runs from start() to stop(); periods are measured from the start on
// a steady clock, so ticks do not drift.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class KXTimerThread {
public:
    using PostFn = std::function<void(int count)>;

    KXTimerThread(std::atomic<int>& count, PostFn post)
        : m_count(count)
        , m_post(std::move(post))
    {
    }
    ~KXTimerThread() { stop(); }
    KXTimerThread(const KXTimerThread&) = delete;
    KXTimerThread& operator=(const KXTimerThread&) = delete;

    // The first tick comes one full period after the call.
    void start(int periodMs);
    // Returns once the thread has ended; no tick is posted after that.
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

private:
    void run(int periodMs);

    std::atomic<int>& m_count;
    PostFn m_post;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping { false };
};
