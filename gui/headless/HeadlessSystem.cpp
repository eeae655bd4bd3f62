// The owner of the headless platform's parts.
#include "gui/headless/HeadlessSystem.h"

HeadlessSystem& HeadlessSystem::instance()
{
    static HeadlessSystem system;
    return system;
}

void HeadlessSystem::reset()
{
    m_messages.clearMessages();
    m_messages.setModalDepth(0);
    m_log.clearCalls();
    m_world.reset();
}
