// HeadlessDesktop: the desktop gadget over the headless virtual desktop.
#pragma once

#include "gui/KXDesktop.h"

class HeadlessDesktop final : public KXDesktop {
public:
    HeadlessDesktop();
    void setShape(int x, int y, int width, int height) override;
};
