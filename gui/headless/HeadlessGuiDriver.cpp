// The headless GUI driver module.
#include "gui/headless/HeadlessGuiDriver.h"

#include "gui/headless/HeadlessDesktop.h"
#include "gui/headless/HeadlessDesktopServices.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWindow.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

namespace {
HeadlessGuiDriver s_guiDriver;
}

HeadlessGuiDriver::HeadlessGuiDriver()
    : KXGuiDriver(KXModuleNames::HeadlessGuiDriver, KXPlatform::Headless)
{
}

bool HeadlessGuiDriver::startDependencies()
{
    return kxStartSubsystem(KXSubsystems::Screen) && kxStartModule(KXModuleNames::HeadlessEventDriver) && kxStartModule(KXModuleNames::HeadlessFontDriver)
        && kxStartModule(KXModuleNames::HeadlessTimerDriver);
}

KXDesktop* HeadlessGuiDriver::createDesktop() { return new HeadlessDesktop; }

KXWindow* HeadlessGuiDriver::createWindow(KXGroup* group, int style) { return own(new HeadlessWindow(group, style)); }

KXDesktopServices* HeadlessGuiDriver::desktopServices() { return &HeadlessDesktopServices::instance(); }
