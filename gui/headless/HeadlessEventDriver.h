// HeadlessEventDriver: the headless message loop. A pass carries out the scripted user's next
// due action, waits for native messages as long as the caller allows, and delivers every
// waiting message.
#pragma once

#include "gui/KXEventDriver.h"

class HeadlessEventDriver final : public KXEventDriver {
public:
    HeadlessEventDriver();
    static HeadlessEventDriver* instance();

    bool startup() override;

    // Delivers every waiting native message (also those posted meanwhile). Runs on the loop's
    // stack, or inside a simulated modal native loop.
    void dispatchMessages();

protected:
    bool startDependencies() override;
    void pumpMessages(int timeoutMs) override;
    void dropNativeMessages(int source) override;
};
