// The requesters' neutral half: results, neutral values and the shared colour state.
#include "gui/KXRequesterDriver.h"

#include "base/KXError.h"
#include "base/KXMessageBox.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"

namespace {
// A path as the runtime hands paths out: "/" separators, no separator at the end unless the
// path is a root.
std::string outwardPath(std::string s)
{
    for (char& c : s)
        if (c == '\\')
            c = '/';
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}
}

KXRequesterDriver& KXRequesterDriver::get()
{
    if (!current())
        kxStartSubsystem(KXSubsystems::Gui);
    if (!current())
        kxRuntimeError("Requesters are not available on this platform");
    return *current();
}

void KXRequesterDriver::resetState()
{
    m_requested = 0xFFFFFFFFu;
    m_custom.fill(0);
}

void KXRequesterDriver::notify(std::string_view text, bool serious)
{
    messageBox(kxAppCaption(), std::string(text), Buttons::Ok, serious);
}

int KXRequesterDriver::confirm(std::string_view text, bool serious)
{
    return messageBox(kxAppCaption(), std::string(text), Buttons::OkCancel, serious) == Answer::Ok ? 1 : 0;
}

int KXRequesterDriver::proceed(std::string_view text, bool serious)
{
    switch (messageBox(kxAppCaption(), std::string(text), Buttons::YesNoCancel, serious)) {
    case Answer::Yes:
        return 1;
    case Answer::No:
        return 0;
    default:
        return -1;
    }
}

int KXRequesterDriver::requestColor(int red, int green, int blue)
{
    uint32_t rgb = (uint32_t(red & 0xFF) << 16) | (uint32_t(green & 0xFF) << 8) | uint32_t(blue & 0xFF);
    if (!chooseColor(rgb, m_custom))
        return 0;
    m_requested = rgb & 0xFFFFFFu;
    return 1;
}

std::string KXRequesterDriver::requestDir(std::string_view prompt, std::string_view path)
{
    std::string start(path);
    for (char& c : start)
        if (c == '\\')
            c = '/';
    std::string chosen;
    if (!chooseDir(std::string(prompt), start, chosen))
        return {};
    return outwardPath(std::move(chosen));
}

std::string KXRequesterDriver::requestFile(std::string_view prompt, std::string_view exts, bool save, std::string_view defname)
{
    KXFileRequest request = KXFileRequest::make(prompt, exts, save, defname);
    std::string chosen;
    if (!chooseFile(request, chosen))
        return {};
    for (char& c : chosen)
        if (c == '\\')
            c = '/';
    return chosen;
}

KXFont* KXRequesterDriver::requestFont() { return chooseFont(); }
