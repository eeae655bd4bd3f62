// KXDriver<T>: what every subsystem driver shares: the current driver of its kind, the start
// (dependencies first, then current, then the driver's own start) and the stop.
//
// A neutral driver T derives from KXDriver<T>; a backend derives from T and names the modules it
// needs in startDependencies, by the constants of KXModuleNames.h. Factory rule: the neutral
// driver's create* functions run the creation sequence and own what they make (in the module's
// resources); a backend's make* functions only construct the native object.
//
// Invariants: current() is null or a started driver of kind T; at most one driver of a kind is
// current.
#pragma once

#include "base/KXModule.h"

template<class T>
class KXDriver : public KXModule {
public:
    // The started driver of this kind, or null.
    static T* current() { return s_current; }

    bool startup() override
    {
        if (!startDependencies())
            return false;
        s_current = static_cast<T*>(this);
        return started();
    }
    void shutdown() override
    {
        stopping();
        if (s_current == this)
            s_current = nullptr;
    }

protected:
    KXDriver(const char* name, const char* subsystem, const char* config, KXPlatform platform)
        : KXModule(name, subsystem, config, platform)
    {
    }
    ~KXDriver() override
    {
        if (s_current == this)
            s_current = nullptr;
    }

    // Starts the modules the backend needs (KXModuleNames constants); false: the driver cannot
    // run. Default: none.
    virtual bool startDependencies() { return true; }
    // The neutral driver's own start, once it is current; false: it cannot run.
    virtual bool started() { return true; }
    // The neutral driver's own stop, before it stops being current.
    virtual void stopping() { }

private:
    static inline T* s_current { nullptr };
};
