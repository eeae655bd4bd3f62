// HeadlessDesktopSurface: a format-4 surface over the virtual desktop's pixels, the size the
// desktop had when it was made.
//
// Invariants: while the desktop keeps that size, locking hands out the desktop's own memory;
// after the desktop was resized, a lock works on a private copy of the overlapping part, which
// is written back at unlock, so no access ever leaves either block.
#pragma once

#include "graphics/KXGraphics.h"

#include <vector>

class HeadlessScreen;

class HeadlessDesktopSurface final : public KXGraphics {
public:
    explicit HeadlessDesktopSurface(HeadlessScreen& screen);
    KXGraphics* createCompatible(int width, int height) override;
    const char* typeName() const override { return "Desktop"; }

protected:
    bool lockSurface(KXLockInfo& info) override;
    void unlockSurface() override;

private:
    HeadlessScreen& m_screen;
    std::vector<uint32_t> m_shadow; // used only while locked after a resize
};
