// HeadlessFontDriver: fonts on the headless platform are descriptions with simple metrics.
#include "gui/KXFontDriver.h"

#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessSystem.h"
#include "base/KXModuleNames.h"

namespace {
class HeadlessFontDriver final : public KXFontDriver {
public:
    HeadlessFontDriver()
        : KXFontDriver(KXModuleNames::HeadlessFontDriver, KXPlatform::Headless)
    {
    }
    KXFont* makeFont(const std::string& name, int height, int style) override
    {
        if (name.empty() || height <= 0)
            return nullptr;
        HeadlessSystem::log().record("CreateFont \"%s\" %d %d", name.c_str(), height, style);
        return new KXFont(name, height, style);
    }

protected:
    bool startDependencies() override { return HeadlessModules::startDependencies(name()); }
    KXFont* makeDefaultFont() override { return new KXFont("Headless Sans", 13, 0); }
} s_fontDriver;
}
