// KXEventFilter: one link of the chain every posted event runs through, and the post entry.
//
// Invariants: a filter is in the chain from its startup to its shutdown; a filter installs
// itself at the head, so the first filter started (the queue) ends the chain.
#pragma once

#include "gui/KXEvent.h"
#include "base/KXModule.h"

class KXEventFilter : public KXModule {
public:
    using KXModule::KXModule;

    // Either consumes ev or hands it on with passOn.
    virtual void filter(const KXEvent& ev) = 0;

    bool startup() override;
    void shutdown() override;

    // Hands ev to the first filter of the chain; with no filter installed the event is lost.
    static void post(const KXEvent& ev);
    static KXEventFilter* first() { return s_first; }

protected:
    // Hands ev to the filter after this one.
    void passOn(const KXEvent& ev)
    {
        if (m_next)
            m_next->filter(ev);
    }
    void install();
    void uninstall();

private:
    KXEventFilter* m_next { nullptr };
    bool m_installed { false };
    static inline KXEventFilter* s_first { nullptr };
};

// Posts an event record through the filter chain.
inline void kxPostEvent(const KXEvent& ev) { KXEventFilter::post(ev); }
