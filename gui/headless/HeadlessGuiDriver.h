// HeadlessGuiDriver: constructs the headless platform's gadgets.
#pragma once

#include "gui/KXGuiDriver.h"

class HeadlessGuiDriver final : public KXGuiDriver {
public:
    HeadlessGuiDriver();

protected:
    bool startDependencies() override;
    KXWindow* makeWindow(KXGroup* group, int style) override;
    KXDesktop* makeDesktop() override;
    KXDesktopServices* desktopServices() override;
};
