// KXGuiDriver: the module that constructs gadgets for the platform in force. Backends derive
// from it and create their own gadget classes; every gadget it makes belongs to its resources
// and goes when the driver shuts down.
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

    // Constructs a window of that style in group (null for top level); the caller runs the
    // creation sequence. The driver keeps ownership in its resources until the program frees it.
    virtual KXWindow* createWindow(KXGroup* group, int style) = 0;

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
    virtual KXDesktop* createDesktop() = 0;
    // The platform's desktop services, installed while the driver runs; null for none.
    virtual KXDesktopServices* desktopServices() { return nullptr; }

private:
    KXDesktop* m_desktop { nullptr };
};
