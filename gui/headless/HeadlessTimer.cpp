// Headless timers.
#include "gui/headless/HeadlessTimer.h"

#include "gui/headless/HeadlessSystem.h"

HeadlessTimer::HeadlessTimer(int periodMs)
    : KXTimer(periodMs)
    , m_thread(m_count, [h = handle()](int count) { HeadlessSystem::messages().postThreadMessage(KXThreadMessage::TimerTick, count, h); })
{
    startNative();
}

HeadlessTimer::~HeadlessTimer() { m_thread.stop(); }

void HeadlessTimer::free()
{
    if (m_thread.isRunning())
        stopNative();
    KXTimer::free();
}

void HeadlessTimer::stopNative()
{
    HeadlessSystem::log().record("timeKillEvent %d", period());
    m_thread.stop();
}

void HeadlessTimer::startNative()
{
    HeadlessSystem::log().record("timeSetEvent %d", period());
    m_thread.start(period());
}
