// The font commands.
#include "core/KXHandle.h"
#include "base/KXResource.h"
#include "core/KXString.h"
#include "gui/KXFontDriver.h"
#include "base/KXCommandTable.h"

namespace {
KXFont* font(int handle) { return kxHandle<KXFont>(handle, "Font"); }
}

// A font the platform cannot make gives 0.
KX_STDCALL int LoadFont(KXString* name, int height, int bold, int italic, int underline)
{
    KXFontDriver* driver = KXFontDriver::current();
    if (!driver || !name)
        return 0;
    int style = (bold ? KXFont::Bold : 0) | (italic ? KXFont::Italic : 0) | (underline ? KXFont::Underline : 0);
    return kxToHandle(driver->createFont(name->str(), height, style));
}

KX_STDCALL void FreeFont(int handle)
{
    if (handle)
        font(handle)->release();
}

KX_STDCALL KXString* FontName(int handle) { return KXString::create(font(handle)->name()); }
KX_STDCALL int FontSize(int handle) { return font(handle)->height(); }
KX_STDCALL int FontStyle(int handle) { return font(handle)->style(); }
KX_STDCALL int FontAscent(int handle) { return font(handle)->ascent(); }
KX_STDCALL int FontDescent(int handle) { return font(handle)->descent(); }

static const KXCommandEntry s_commands[] = {
    { "%LoadFont$fontname%height=12%bold=0%italic=0%underline=0", KX_FN(LoadFont) },
    { "FreeFont%font", KX_FN(FreeFont) },
    { "$FontName%font", KX_FN(FontName) },
    { "%FontSize%font", KX_FN(FontSize) },
    { "%FontStyle%font", KX_FN(FontStyle) },
    { "%FontAscent%font", KX_FN(FontAscent) },
    { "%FontDescent%font", KX_FN(FontDescent) },
};
static KXCommandTable s_table(s_commands);
