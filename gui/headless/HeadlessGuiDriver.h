// HeadlessGuiDriver: constructs the headless platform's gadgets.
#pragma once

#include "gui/KXGuiDriver.h"

class HeadlessGuiDriver final : public KXGuiDriver {
public:
    HeadlessGuiDriver();
    KXWindow* createWindow(KXGroup* group, int style) override;

protected:
    bool startDependencies() override;
    KXDesktop* createDesktop() override;
    KXDesktopServices* desktopServices() override;
};
