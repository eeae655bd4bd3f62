// KXCatchFilter: the filter in front of the queue while the message loop runs. An event posted
// from inside a platform handler is queued and control goes to the program at once, so the
// program sees it even while the platform sits in a modal move, size or menu loop. An
// application-resumed event (0x2002) is held back until the platform's message queue is empty.
#pragma once

#include "gui/KXEventFilter.h"

class KXCatchFilter : public KXEventFilter {
public:
    KXCatchFilter(const char* name, KXPlatform platform);

    void filter(const KXEvent& ev) override;
    bool startup() override;
    void shutdown() override;

    // The installed catch filter, or null.
    static KXCatchFilter* installed() { return s_installed; }
    // Passes on a held-back 0x2002; the loop calls it once no platform message is left.
    void releaseHeld();
    bool isHolding() const { return m_holding; }

private:
    KXEvent m_held {};
    bool m_holding { false };
    static inline KXCatchFilter* s_installed { nullptr };
};
