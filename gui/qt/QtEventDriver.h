// QtEventDriver: the message loop on the Qt platform, the other half of QtEventLoop. A pass runs
// Qt's event processing on the loop's stack; Qt's handlers call the neutral window procedures,
// and thread messages arrive through deliverThreadMessage.
#pragma once

#include "gui/KXEventDriver.h"

class QtEventDriver final : public KXEventDriver {
public:
    QtEventDriver();
    // The driver while it is started, else null.
    static QtEventDriver* instance();

    bool startup() override;

    // A thread message from QtEventLoop; a tick of a timer freed since it was posted is dropped.
    void deliverThreadMessage(KXThreadMessage message, int param1, int param2) { threadMessage(message, param1, param2); }

protected:
    bool startDependencies() override;
    void pumpMessages(int timeoutMs) override;
    void dropNativeMessages(int source) override;
};
