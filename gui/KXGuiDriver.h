// KXGuiDriver: the module that makes windows and the desktop gadget for the platform in force.
// Backends derive from it and construct their own classes (make*); the neutral create* functions
// own what they make: every gadget belongs to the driver's resources and goes when the driver
// shuts down.
#pragma once

#include "gui/KXDesktop.h"
#include "gui/KXFont.h"
#include "gui/KXWindow.h"
#include "base/KXDriver.h"

class KXDesktopServices;

class KXGuiDriver : public KXDriver<KXGuiDriver> {
public:
    // A "Gui" subsystem module of the "Native" configuration.
    KXGuiDriver(const char* name, KXPlatform platform);
    ~KXGuiDriver() override;

    // A window of that style in group (null for top level); the caller runs the creation
    // sequence. The driver keeps the first reference in its resources until the program frees it.
    KXWindow* createWindow(KXGroup* group, int style) { return own(makeWindow(group, style)); }

    KXDesktop* desktop() const { return m_desktop; }
    // The default gadget font (the font driver's default GUI font), or null without one.
    KXFont* defaultFont() const;

    // Takes the gadget's first reference into the driver's resources and returns it.
    template<class T>
    T* own(T* gadget)
    {
        resources()->adopt(gadget);
        return gadget;
    }

protected:
    // The modules this backend's GUI needs, started before the desktop is made.
    bool startDependencies() override = 0;
    // Makes the desktop and installs the desktop services.
    bool started() override;
    void stopping() override;
    // Construct only: the neutral side owns and registers what these return.
    virtual KXWindow* makeWindow(KXGroup* group, int style) = 0;
    virtual KXDesktop* makeDesktop() = 0;
    // The platform's desktop services, installed while the driver runs; null for none.
    virtual KXDesktopServices* desktopServices() { return nullptr; }

private:
    KXDesktop* m_desktop { nullptr };
};
