// HeadlessDD: the headless display driver. Its surfaces are memory pixmaps in the display
// format, 32-bit (code 4) unless TROVA_HEADLESS_FORMAT or setDisplayFormat chose another.
#include "graphics/KXPixmap.h"
#include "graphics/KXSurfaceDriver.h"
#include "gui/headless/HeadlessModules.h"
#include "base/KXModuleNames.h"

#include <cstdlib>

namespace {
class HeadlessDD final : public KXSurfaceDriver {
public:
    HeadlessDD()
        : KXSurfaceDriver(KXModuleNames::HeadlessDD, KXConfigs::DirectDraw, KXPlatform::Headless)
    {
    }
    int displayFormat() const override { return m_format; }
    // Any code is taken, so that the check of surface creation can be exercised too.
    bool setDisplayFormat(int format) override
    {
        m_format = format;
        return true;
    }

protected:
    bool startDependencies() override
    {
        if (const char* f = std::getenv("TROVA_HEADLESS_FORMAT"))
            if (int code = std::atoi(f); code >= 1 && code <= 4)
                m_format = code;
        return HeadlessModules::startDependencies(name());
    }
    KXGraphics* makeSurface(int width, int height, int format, int) override
    {
        return KXPixmap::create(width, height, format);
    }

private:
    int m_format { 4 };
} s_driver;
}
