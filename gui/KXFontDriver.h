// KXFontDriver: the module that makes fonts for gadgets and 2D drawing.
#pragma once

#include "gui/KXFont.h"
#include "base/KXDriver.h"

class KXFontDriver : public KXDriver<KXFontDriver> {
public:
    KXFontDriver(const char* name, KXPlatform platform);
    ~KXFontDriver() override;

    // A font owned by the driver's resources (a program frees it with FreeFont; the rest go
    // when the driver stops), or null when the platform has none by that description.
    KXFont* createFont(const std::string& name, int height, int style);
    // Constructs a font only (one reference, owned by the caller), or null when the platform
    // has none by that description. For owners other than the font driver (requesters).
    virtual KXFont* makeFont(const std::string& name, int height, int style) = 0;
    // The platform's default GUI font, made once.
    KXFont* defaultFont();

protected:
    void stopping() override;
    virtual KXFont* makeDefaultFont() = 0;

private:
    KXRef<KXFont> m_default;
};
