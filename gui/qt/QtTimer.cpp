// Qt timers.
#include "gui/qt/QtTimer.h"

#include "gui/qt/QtEventLoop.h"

QtTimer::QtTimer(int periodMs)
    : KXTimer(periodMs)
    , m_thread(m_count, [h = handle()](int count) { QtEventLoop::instance().postThreadMessage(4, count, h); })
{
    startNative();
}

QtTimer::~QtTimer() { m_thread.stop(); }

void QtTimer::free()
{
    m_thread.stop();
    KXTimer::free();
}
