// QtGuiDriver: constructs the Qt platform's windows and the desktop gadget, and routes the
// application's input to them (QtInputFilter).
#pragma once

#include "gui/KXGuiDriver.h"

#include <memory>

class QtDesktopServices;
class QtInputFilter;

class QtGuiDriver final : public KXGuiDriver {
public:
    QtGuiDriver();
    ~QtGuiDriver() override;
    void shutdown() override;

protected:
    bool startDependencies() override;
    KXWindow* makeWindow(KXGroup* group, int style) override;
    KXDesktop* makeDesktop() override;
    KXDesktopServices* desktopServices() override;

private:
    std::unique_ptr<QtInputFilter> m_input;
    std::unique_ptr<QtDesktopServices> m_services;
};
