// The control driver's neutral half: start-up and ownership.
#include "gui/KXControlDriver.h"

#include "base/KXResource.h"
#include "base/KXError.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

KXControlDriver& KXControlDriver::get()
{
    if (!current())
        kxStartSubsystem(KXSubsystems::Gui);
    if (!current())
        kxRuntimeError("Gadgets are not available on this platform");
    return *current();
}

template<class T>
T* KXControlDriver::own(T* gadget)
{
    if (gadget)
        resources()->adopt(gadget);
    return gadget;
}

template KXPanel* KXControlDriver::own(KXPanel*);
template KXLabel* KXControlDriver::own(KXLabel*);
template KXButton* KXControlDriver::own(KXButton*);
template KXSlider* KXControlDriver::own(KXSlider*);
template KXComboBox* KXControlDriver::own(KXComboBox*);
template KXTextField* KXControlDriver::own(KXTextField*);
template KXHtmlView* KXControlDriver::own(KXHtmlView*);
