// The headless GUI driver module.
#include "gui/headless/HeadlessGuiDriver.h"

#include "gui/headless/HeadlessDesktop.h"
#include "gui/headless/HeadlessDesktopServices.h"
#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWindow.h"
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
    return HeadlessModules::startDependencies(name());
}

KXDesktop* HeadlessGuiDriver::makeDesktop() { return new HeadlessDesktop; }

KXWindow* HeadlessGuiDriver::makeWindow(KXGroup* group, int style) { return new HeadlessWindow(group, style); }

KXDesktopServices* HeadlessGuiDriver::desktopServices() { return &HeadlessDesktopServices::instance(); }
