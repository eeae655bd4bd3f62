// The requester and message-box commands.
#include "core/KXHandle.h"
#include "base/KXResource.h"
#include "core/KXString.h"
#include "gui/KXRequesterDriver.h"
#include "base/KXCommandTable.h"

namespace {
KXRequesterDriver& requesters() { return KXRequesterDriver::get(); }
std::string_view view(const KXString* s) { return kxStrView(s); }
KXString* result(const std::string& s) { return KXString::create(std::string_view(s)); }
}

KX_STDCALL void Notify(KXString* text, int serious) { requesters().notify(view(text), serious != 0); }
KX_STDCALL int Confirm(KXString* text, int serious) { return requesters().confirm(view(text), serious != 0); }
KX_STDCALL int Proceed(KXString* text, int serious) { return requesters().proceed(view(text), serious != 0); }

KX_STDCALL int RequestColor(int red, int green, int blue) { return requesters().requestColor(red, green, blue); }
KX_STDCALL int RequestedRed() { return int((requesters().requestedColor() >> 16) & 0xFF); }
KX_STDCALL int RequestedGreen() { return int((requesters().requestedColor() >> 8) & 0xFF); }
KX_STDCALL int RequestedBlue() { return int(requesters().requestedColor() & 0xFF); }

KX_STDCALL KXString* RequestDir(KXString* prompt, KXString* path)
{
    return result(requesters().requestDir(view(prompt), view(path)));
}

KX_STDCALL KXString* RequestFile(KXString* prompt, KXString* exts, int save, KXString* defname)
{
    return result(requesters().requestFile(view(prompt), view(exts), save != 0, view(defname)));
}

// The font belongs to the requester driver's resources, so it goes at the end of the run at the
// latest.
KX_STDCALL int RequestFont()
{
    KXRequesterDriver& driver = requesters();
    KXFont* font = driver.requestFont();
    if (!font)
        return 0;
    driver.resources()->adopt(font);
    return kxToHandle(font);
}

static const KXCommandEntry s_commands[] = {
    { "Notify$text%serious=0", KX_FN(Notify) },
    { "%Confirm$text%serious=0", KX_FN(Confirm) },
    { "%Proceed$text%serious=0", KX_FN(Proceed) },
    { "%RequestFont", KX_FN(RequestFont) },
    { "%RequestColor%red=255%green=255%blue=255", KX_FN(RequestColor) },
    { "%RequestedRed", KX_FN(RequestedRed) },
    { "%RequestedGreen", KX_FN(RequestedGreen) },
    { "%RequestedBlue", KX_FN(RequestedBlue) },
    { "$RequestDir$prompt=\"\"$path=\"\"", KX_FN(RequestDir) },
    { "$RequestFile$prompt=\"\"$exts=\"\"%save=0$defname=\"\"", KX_FN(RequestFile) },
};
static KXCommandTable s_table(s_commands);
