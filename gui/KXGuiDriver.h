// KXGuiDriver: the module that constructs gadgets for the platform in force. Backends derive
// from it and create their own gadget classes; every gadget it makes belongs to its resources
// and goes when the driver shuts down.
#pragma once

#include "gui/KXDesktop.h"
#include "gui/KXFont.h"
#include "gui/KXWindow.h"
#include "runtime/KXModule.h"

class KXDesktopServices;

class KXGuiDriver : public KXModule {
public:
    // A "Gui" subsystem module of the "Native" configuration.
    KXGuiDriver(const char* name, KXPlatform platform);
    ~KXGuiDriver() override;
    static KXGuiDriver* current() { return s_current; }

    // Starts the event, font and timer drivers it relies on (by name, given by the backend),
    // then makes the desktop.
    bool startup() override;
    void shutdown() override;

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
    virtual bool startDependencies() = 0;
    virtual KXDesktop* createDesktop() = 0;
    // The platform's desktop services, installed while the driver runs; null for none.
    virtual KXDesktopServices* desktopServices() { return nullptr; }

private:
    KXDesktop* m_desktop { nullptr };
    static inline KXGuiDriver* s_current { nullptr };
};
