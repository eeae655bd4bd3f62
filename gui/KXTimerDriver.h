// KXTimerDriver: the module that creates timers; every timer belongs to its resources.
#pragma once

#include "gui/KXTimer.h"
#include "base/KXDriver.h"

class KXTimerDriver : public KXDriver<KXTimerDriver> {
public:
    KXTimerDriver(const char* name, KXPlatform platform);
    ~KXTimerDriver() override;

    // CreateTimer: null for hertz <= 0; otherwise a running timer of period 1000 / hertz ms
    // (truncated, at least 1), owned by the driver's resources.
    KXTimer* createTimer(float hertz);
    static int periodFor(float hertz);

protected:
    virtual bool startDependencies() = 0;
    // Constructs a running timer of that period (one reference, for createTimer to own).
    virtual KXTimer* makeTimer(int periodMs) = 0;
};
