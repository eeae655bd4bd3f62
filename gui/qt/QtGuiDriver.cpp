// The Qt GUI driver module.
#include "gui/qt/QtGuiDriver.h"

#include "base/KXModuleNames.h"
#include "gui/qt/QtDesktop.h"
#include "gui/qt/QtDesktopServices.h"
#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtInputFilter.h"
#include "gui/qt/QtModules.h"
#include "gui/qt/QtWindow.h"

#include <QApplication>

namespace {
QtGuiDriver s_guiDriver;
}

QtGuiDriver::QtGuiDriver()
    : KXGuiDriver(KXModuleNames::QtGuiDriver, KXPlatform::Qt)
{
}

QtGuiDriver::~QtGuiDriver() = default;

bool QtGuiDriver::startDependencies()
{
    QtEventLoop::instance();
    if (!QtModules::startDependencies(name()))
        return false;
    if (!m_input) {
        m_input = std::make_unique<QtInputFilter>();
        qApp->installEventFilter(m_input.get());
        qApp->installNativeEventFilter(m_input.get());
    }
    return true;
}

void QtGuiDriver::shutdown()
{
    KXGuiDriver::shutdown();
    if (m_input) {
        qApp->removeEventFilter(m_input.get());
        qApp->removeNativeEventFilter(m_input.get());
        m_input.reset();
    }
}

KXDesktop* QtGuiDriver::makeDesktop() { return new QtDesktop; }

KXDesktopServices* QtGuiDriver::desktopServices()
{
    // Made once, on the application's display, and kept for the process.
    if (!m_services)
        m_services = QtDesktopServices::create();
    return m_services.get();
}

KXWindow* QtGuiDriver::makeWindow(KXGroup* group, int style)
{
    // A title the program set since start-up names the class of its first window.
    QtEventLoop::instance().nameApplication();
    return new QtWindow(group, style);
}
