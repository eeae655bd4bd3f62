// HeadlessSystem: the owner of the headless platform's three parts, made on first use and kept
// for the process: the native call log (HeadlessCallLog), the native message queue
// (HeadlessMessageQueue) and the virtual world (HeadlessWorld).
#pragma once

#include "gui/headless/HeadlessCallLog.h"
#include "gui/headless/HeadlessMessageQueue.h"
#include "gui/headless/HeadlessWorld.h"

class HeadlessSystem {
public:
    static HeadlessSystem& instance();
    static HeadlessCallLog& log() { return instance().m_log; }
    static HeadlessMessageQueue& messages() { return instance().m_messages; }
    static HeadlessWorld& world() { return instance().m_world; }

    // Back to a fresh platform: an empty log and message queue, no modal loop, and a fresh
    // desktop (see HeadlessWorld::reset). Program windows stay.
    void reset();

private:
    HeadlessSystem() = default;

    HeadlessCallLog m_log;
    HeadlessMessageQueue m_messages;
    HeadlessWorld m_world;
};
