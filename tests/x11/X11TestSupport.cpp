// The X11 tests' shared set-up.
#include "tests/x11/X11TestSupport.h"

#include "base/KXModuleDependencies.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"
#include "tests/support/KXTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <X11/Xlib.h>

namespace {

// Brings the Qt platform up before the first test (its GUI driver installs the desktop services);
// it stays up until the process ends, as in a program.
class Environment final : public testing::Environment {
public:
    void SetUp() override
    {
        kxSelectPlatformConfigs(KXModuleRegistry::global());
        if (kxStartModule("QtGuiDriver") && kxStartSubsystem("Gui") && kxStartSubsystem("Graphics"))
            s_services = dynamic_cast<QtDesktopServices*>(KXDesktopServices::current());
        s_display = XOpenDisplay(nullptr);
    }
    void TearDown() override
    {
        if (s_display)
            XCloseDisplay(s_display);
        s_display = nullptr;
    }

    static inline QtDesktopServices* s_services { nullptr };
    static inline Display* s_display { nullptr };
};

[[maybe_unused]] testing::Environment* const s_environment = testing::AddGlobalTestEnvironment(new Environment);

}

QtDesktopServices* x11test::services() { return Environment::s_services; }

Display* x11test::display() { return Environment::s_display; }

int x11test::run(const QString& program, const QStringList& args, QByteArray* out, const QByteArray& input, int timeoutMs)
{
    X11ChildProcess process;
    if (!process.start(program, args, input))
        return -1;
    QElapsedTimer clock;
    clock.start();
    while (!process.poll()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
        if (clock.elapsed() > kxTestLimitMs(timeoutMs))
            return -1;
    }
    if (out)
        *out = process.output();
    return process.exitCode();
}

bool x11test::waitFor(const std::function<bool()>& ready, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!ready()) {
        if (clock.elapsed() > kxTestLimitMs(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(10);
    }
    return true;
}

bool x11test::hasWindowManager() { return qEnvironmentVariable("TROVA_XVFB_WM") == "1"; }

x11test::ForeignWindow::ForeignWindow(const QString& title, int x, int y)
{
    if (!m_process.start("xmessage",
            { "-geometry", QString("+%1+%2").arg(x).arg(y), "-title", title, "-name", title, "A window of another program" }))
        return;
    QtDesktopServices* s = services();
    // Present once it is mapped, and framed when a window manager runs.
    waitFor([&] {
        m_id = s->findWindow(title.toStdString());
        KXDesktopWindowInfo info;
        return m_id && s->windowInfo(m_id, info) && (info.style & 0x10000000)
            && (!hasWindowManager() || info.frame.height > info.client.height);
    });
}

x11test::ForeignWindow::~ForeignWindow() { m_process.kill(); }

bool x11test::ForeignWindow::activate()
{
    if (!m_id)
        return false;
    run("xdotool", { "windowactivate", "--sync", QString::number(m_id) });
    return waitFor([&] { return services()->foregroundWindow() == m_id; });
}
