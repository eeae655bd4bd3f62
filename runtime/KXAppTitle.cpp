// The application title, derived from the executable's name until a program sets one.
#include "runtime/KXAppTitle.h"

#include "base/KXMessageBox.h"
#include "core/KXString.h"
#include "runtime/KXHostPaths.h"

#include <string>

namespace {
KXString* s_title = nullptr;

std::string defaultTitle()
{
    std::string name = kxExecutablePath();
    size_t slash = name.find_last_of('/');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}
}

// Runtime errors and the requesters are captioned with the title: installed before main, for
// every process that links the host.
namespace {
const bool s_captionInstalled = (kxSetAppCaptionSource(kxAppTitle), true);
}

KXString* kxAppTitleString()
{
    if (!s_title)
        s_title = KXString::create(defaultTitle());
    return s_title;
}

const char* kxAppTitle() { return kxAppTitleString()->data(); }

void kxSetAppTitle(KXString* title)
{
    KX_ASSERT(title);
    title->retain();
    if (s_title)
        s_title->release();
    s_title = title;
}
