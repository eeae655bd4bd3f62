// HeadlessPanel: a panel on the headless platform. It counts its repaints and can render its
// client area the way the native panel would erase it.
#pragma once

#include "graphics/KXPixmap.h"
#include "gui/KXPanel.h"
#include "gui/headless/HeadlessGadget.h"

class HeadlessPanel final : public HeadlessGadget<KXPanel> {
public:
    // The platform's default panel background.
    static constexpr uint32_t DefaultBackground = 0xFFF0F0F0u;

    HeadlessPanel(KXGroup* group, int style)
        : HeadlessGadget(group, style, "PANEL")
    {
    }
    int repaints() const { return m_repaints; }
    // A new format-4 pixmap (one reference) of the client area (at least 1 × 1) as erased now.
    KXPixmap* render() const;

protected:
    void nativeRepaint() override;

private:
    int m_repaints { 0 };
};
