// Headless requesters: scripted answers, the dialogs' own rules (default extension, existing
// files and folders) and the "answer" script action.
#include "gui/headless/HeadlessRequesterDriver.h"

#include "gui/KXFontDriver.h"
#include "gui/headless/HeadlessEventDriver.h"
#include "gui/headless/HeadlessModules.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "base/KXModuleNames.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {
HeadlessRequesterDriver s_driver;

const char* kindName(HeadlessRequesterDriver::Kind kind)
{
    switch (kind) {
    case HeadlessRequesterDriver::Kind::File:
        return "file";
    case HeadlessRequesterDriver::Kind::Dir:
        return "dir";
    case HeadlessRequesterDriver::Kind::Color:
        return "color";
    case HeadlessRequesterDriver::Kind::Button:
        return "button";
    case HeadlessRequesterDriver::Kind::Font:
        return "font";
    case HeadlessRequesterDriver::Kind::Cancel:
        return "cancel";
    }
    return "?";
}

// A path the user picked, as the dialog returns it: absolute, "/" separators.
std::string fullPath(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec)
        return path;
    return p.lexically_normal().generic_string();
}

// answer file "PATH" | dir "PATH" | color R G B | button ok|cancel|yes|no|close
//        | font "NAME" HEIGHT [STYLE] | cancel
std::string verbAnswer(const HeadlessScript::Args& a)
{
    using Reply = HeadlessRequesterDriver::Reply;
    using Kind = HeadlessRequesterDriver::Kind;
    using Answer = KXRequesterDriver::Answer;
    const std::string usage = "usage: answer file \"PATH\" | dir \"PATH\" | color R G B | button ok|cancel|yes|no|close | font \"NAME\" HEIGHT [STYLE] | cancel";
    if (a.empty())
        return usage;
    Reply r;
    const std::string& what = a[0];
    if (what == "cancel" && a.size() == 1) {
        r.kind = Kind::Cancel;
    } else if ((what == "file" || what == "dir") && a.size() == 2 && !a[1].empty()) {
        r.kind = what == "file" ? Kind::File : Kind::Dir;
        r.text = a[1];
    } else if (what == "color" && a.size() == 4) {
        int v[3];
        for (int i = 0; i < 3; ++i)
            if (!HeadlessScript::parseInt(a[size_t(i) + 1], v[i]) || v[i] < 0 || v[i] > 255)
                return "usage: answer color R G B (each 0 to 255)";
        r.kind = Kind::Color;
        r.rgb = (uint32_t(v[0]) << 16) | (uint32_t(v[1]) << 8) | uint32_t(v[2]);
    } else if (what == "button" && a.size() == 2) {
        r.kind = Kind::Button;
        if (a[1] == "ok")
            r.button = Answer::Ok;
        else if (a[1] == "cancel")
            r.button = Answer::Cancel;
        else if (a[1] == "yes")
            r.button = Answer::Yes;
        else if (a[1] == "no")
            r.button = Answer::No;
        else if (a[1] == "close")
            r.button = Answer::Closed;
        else
            return usage;
    } else if (what == "font" && (a.size() == 3 || a.size() == 4)) {
        r.kind = Kind::Font;
        r.text = a[1];
        if (!HeadlessScript::parseInt(a[2], r.size) || r.size <= 0 || (a.size() == 4 && !HeadlessScript::parseInt(a[3], r.style)))
            return usage;
    } else {
        return usage;
    }
    HeadlessRequesterDriver::instance().queueReply(r);
    return {};
}

struct RegisterVerb {
    RegisterVerb() { HeadlessScript::addVerb("answer", verbAnswer); }
} s_registerVerb;
}

HeadlessRequesterDriver::HeadlessRequesterDriver()
    : KXRequesterDriver(KXModuleNames::HeadlessRequesterDriver, KXPlatform::Headless)
{
}

HeadlessRequesterDriver& HeadlessRequesterDriver::instance() { return s_driver; }

bool HeadlessRequesterDriver::startDependencies() { return HeadlessModules::startDependencies(name()); }

bool HeadlessRequesterDriver::awaitReply(Reply& out)
{
    HeadlessScript& script = HeadlessScript::instance();
    HeadlessSystem& sys = HeadlessSystem::instance();
    for (;;) {
        if (!m_replies.empty()) {
            out = m_replies.front();
            m_replies.pop_front();
            return true;
        }
        std::string verb = script.nextVerb();
        if (verb != "answer" && verb != "wait")
            return false;
        if (script.runDueAction())
            continue;
        // Not due yet: the dialog's modal loop keeps delivering native messages meanwhile.
        sys.messages().waitForMessage(script.nextDueMs());
        if (HeadlessEventDriver* events = HeadlessEventDriver::instance())
            events->dispatchMessages();
    }
}

void HeadlessRequesterDriver::misfit(const Reply& reply, const char* requester)
{
    std::fprintf(stderr, "headless requester: answer %s does not fit the %s requester; it is cancelled\n", kindName(reply.kind), requester);
}

KXRequesterDriver::Answer HeadlessRequesterDriver::messageBox(const std::string& caption, const std::string& text, Buttons buttons, bool serious)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    HeadlessSystem::log().record("MessageBox %d %d \"%s\"", int(buttons), serious ? 1 : 0, text.c_str());
    Reply r;
    if (!awaitReply(r))
        return Answer::Closed;
    if (r.kind == Kind::Cancel)
        return buttons == Buttons::Ok ? Answer::Closed : Answer::Cancel;
    if (r.kind != Kind::Button) {
        misfit(r, "message box");
        return Answer::Closed;
    }
    bool fits = r.button == Answer::Closed;
    switch (buttons) {
    case Buttons::Ok:
        fits = fits || r.button == Answer::Ok;
        break;
    case Buttons::OkCancel:
        fits = fits || r.button == Answer::Ok || r.button == Answer::Cancel;
        break;
    case Buttons::YesNoCancel:
        fits = fits || r.button == Answer::Yes || r.button == Answer::No || r.button == Answer::Cancel;
        break;
    }
    if (!fits) {
        std::fprintf(stderr, "headless requester: the message box has no such button; it is closed\n");
        return Answer::Closed;
    }
    return r.button;
}

bool HeadlessRequesterDriver::chooseColor(uint32_t& rgb, CustomColors&)
{
    m_lastColorStart = rgb;
    HeadlessSystem::log().record("ChooseColor %06x", unsigned(rgb));
    Reply r;
    if (!awaitReply(r) || r.kind == Kind::Cancel)
        return false;
    if (r.kind != Kind::Color) {
        misfit(r, "colour");
        return false;
    }
    rgb = r.rgb;
    return true;
}

bool HeadlessRequesterDriver::chooseDir(const std::string& prompt, const std::string& start, std::string& chosen)
{
    m_lastDirStart = start;
    HeadlessSystem::log().record("BrowseForFolder \"%s\" \"%s\"", prompt.c_str(), start.c_str());
    Reply r;
    if (!awaitReply(r) || r.kind == Kind::Cancel)
        return false;
    if (r.kind != Kind::Dir) {
        misfit(r, "folder");
        return false;
    }
    std::string path = fullPath(r.text);
    std::error_code ec;
    if (!fs::is_directory(path, ec)) {
        // Only file-system folders can be chosen.
        std::fprintf(stderr, "headless requester: %s is not a folder; nothing is chosen\n", path.c_str());
        return false;
    }
    chosen = path;
    return true;
}

bool HeadlessRequesterDriver::chooseFile(const KXFileRequest& request, std::string& chosen)
{
    m_lastFile = request;
    HeadlessSystem::log().record("%s \"%s\" \"%s\"", request.save ? "GetSaveFileName" : "GetOpenFileName", request.title.c_str(),
        request.initialName.c_str());
    Reply r;
    if (!awaitReply(r) || r.kind == Kind::Cancel)
        return false;
    if (r.kind != Kind::File) {
        misfit(r, "file");
        return false;
    }
    std::string path = fullPath(request.completeName(r.text));
    std::error_code ec;
    if (!request.save && !fs::is_regular_file(path, ec)) {
        // An open requester takes existing files only.
        std::fprintf(stderr, "headless requester: %s does not exist; nothing is opened\n", path.c_str());
        return false;
    }
    if (request.save) {
        fs::path parent = fs::path(path).parent_path();
        if (!parent.empty() && !fs::is_directory(parent, ec)) {
            std::fprintf(stderr, "headless requester: no folder %s; nothing is saved\n", parent.generic_string().c_str());
            return false;
        }
        if (fs::exists(path, ec))
            HeadlessSystem::log().record("OverwritePrompt \"%s\" yes", path.c_str());
    }
    chosen = path;
    return true;
}

KXFont* HeadlessRequesterDriver::chooseFont()
{
    HeadlessSystem::log().record("ChooseFont");
    Reply r;
    if (!awaitReply(r) || r.kind == Kind::Cancel)
        return nullptr;
    if (r.kind != Kind::Font) {
        misfit(r, "font");
        return nullptr;
    }
    KXFontDriver* fonts = KXFontDriver::current();
    return fonts ? fonts->makeFont(r.text, r.size, r.style) : nullptr;
}
