// QtFontDriver: fonts on the Qt platform.
#include "gui/KXFontDriver.h"

#include "gui/qt/QtEventLoop.h"
#include "gui/qt/QtFont.h"
#include "gui/qt/QtModules.h"
#include "gui/qt/QtText.h"
#include "base/KXModuleNames.h"

#include <QApplication>
#include <QFontInfo>

namespace {
class QtFontDriver final : public KXFontDriver {
public:
    QtFontDriver()
        : KXFontDriver(KXModuleNames::QtFontDriver, KXPlatform::Qt)
    {
    }
    bool startup() override
    {
        QtEventLoop::instance();
        return KXFontDriver::startup();
    }
    KXFont* makeFont(const std::string& name, int height, int style) override
    {
        if (name.empty() || height <= 0)
            return nullptr;
        return new QtFont(name, height, style);
    }

protected:
    bool startDependencies() override { return QtModules::startDependencies(name()); }
    KXFont* makeDefaultFont() override
    {
        QFont f = QApplication::font();
        QFontInfo info(f);
        return new QtFont(QtText::fromQt(info.family()), info.pixelSize() > 0 ? info.pixelSize() : 13, 0);
    }
} s_fontDriver;
}
