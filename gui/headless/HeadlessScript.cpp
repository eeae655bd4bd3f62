// The scripted user: line parsing and the built-in verbs.
#include "gui/headless/HeadlessScript.h"

#include "graphics/headless/HeadlessScreen.h"
#include "gui/KXEventFilter.h"
#include "gui/KXGadget.h"
#include "gui/headless/HeadlessControl.h"
#include "gui/headless/HeadlessSystem.h"
#include "gui/headless/HeadlessWidget.h"
#include "gui/headless/HeadlessWindow.h"
#include "base/KXError.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {
long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::map<std::string, HeadlessScript::Verb>& verbs();

bool ints(const HeadlessScript::Args& args, size_t from, size_t count, int* out)
{
    if (args.size() < from + count)
        return false;
    for (size_t i = 0; i < count; ++i)
        if (!HeadlessScript::parseInt(args[from + i], out[i]))
            return false;
    return true;
}

HeadlessWindow* windowNamed(const std::string& title) { return HeadlessSystem::world().windowByTitle(title); }

std::string verbDesktop(const HeadlessScript::Args& a)
{
    int v[2];
    if (a.size() != 2 || !ints(a, 0, 2, v) || v[0] <= 0 || v[1] <= 0)
        return "usage: desktop WIDTH HEIGHT";
    if (!HeadlessSystem::world().setDesktopSize(v[0], v[1]))
        return "desktop " + a[0] + " x " + a[1] + " is too large";
    return {};
}

std::string verbDesktopImage(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: desktop-image PATH";
    if (!HeadlessScreen::instance().loadImage(a[0]))
        return "cannot load image " + a[0];
    // The screen already has the picture's size: resizing it again would wipe the picture.
    HeadlessSystem::world().desktopResized();
    return {};
}

std::string verbWindow(const HeadlessScript::Args& a)
{
    int v[9];
    if (a.size() != 11 || !ints(a, 2, 9, v))
        return "usage: window ID \"TITLE\" X Y W H CX CY CW CH EXSTYLE";
    HeadlessForeignWindow w;
    w.id = a[0];
    w.title = a[1];
    w.frame = { v[0], v[1], v[2], v[3] };
    w.client = { v[4], v[5], v[6], v[7] };
    w.exStyle = v[8];
    HeadlessSystem::world().addForeignWindow(w);
    return {};
}

std::string verbForeground(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: foreground ID|program";
    HeadlessSystem& sys = HeadlessSystem::instance();
    if (a[0] == "program") {
        sys.world().setProgramForeground();
    } else {
        if (!sys.world().foreignWindow(a[0]))
            return "no window " + a[0];
        sys.world().setForegroundForeign(a[0]);
    }
    return {};
}

std::string verbActivate(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: activate program|ID";
    HeadlessSystem& sys = HeadlessSystem::instance();
    if (a[0] == "program") {
        HeadlessWindow* w = sys.world().programWindow();
        if (!w)
            return "the program has no window";
        w->userActivate();
        return {};
    }
    if (!sys.world().foreignWindow(a[0]))
        return "no window " + a[0];
    sys.world().setForegroundForeign(a[0]);
    if (sys.world().isAppActive()) {
        sys.world().setAppActive(false);
        sys.messages().postMessage(0, [] {
            if (HeadlessWindow* w = HeadlessSystem::world().programWindow())
                w->onAppActivation(false);
            else
                kxPostEvent(KXEvent::make(KXEventId::AppSuspend));
        });
    }
    return {};
}

std::string verbKey(const HeadlessScript::Args& a)
{
    int raw;
    if (a.size() != 2 || (a[0] != "down" && a[0] != "up") || !HeadlessScript::parseInt(a[1], raw) || raw < 0 || raw > 255)
        return "usage: key down|up RAWCODE";
    HeadlessSystem::world().pressKey(raw, a[0] == "down");
    return {};
}

std::string verbMenu(const HeadlessScript::Args& a)
{
    int id;
    if (a.size() != 1 || !HeadlessScript::parseInt(a[0], id))
        return "usage: menu ID";
    HeadlessWindow* w = HeadlessSystem::world().programWindow();
    if (!w)
        return "the program has no window";
    if (!w->userMenu(id))
        return "menu item " + a[0] + " is not on the menu bar or is disabled";
    return {};
}

std::string verbClick(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: click \"TEXT\"";
    KXGadget* found = nullptr;
    KXObject::forEachLive([&](KXObject* o) {
        auto* g = dynamic_cast<KXGadget*>(o);
        if (!g || !dynamic_cast<HeadlessWidget*>(g) || g->textView() != a[0] || !g->isVisible() || !g->isEnabled())
            return;
        if (!found || g < found)
            found = g;
    });
    if (!found)
        return "no enabled gadget \"" + a[0] + "\"";
    KXGadget* target = found;
    HeadlessSystem::messages().postMessage(target->handle(), [target] {
        if (!KXObject::isLive(target))
            return;
        // A click into a control that takes the focus gives it the focus first.
        if (auto* c = dynamic_cast<HeadlessControl*>(target); c && target->isTabStop())
            c->takeFocus();
        if (auto* w = dynamic_cast<HeadlessWidget*>(target))
            w->userClick();
    });
    return {};
}

std::string verbClose(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: close \"TITLE\"";
    HeadlessWindow* w = windowNamed(a[0]);
    if (!w)
        return "no program window \"" + a[0] + "\"";
    w->userClose();
    return {};
}

std::string verbDrag(const HeadlessScript::Args& a)
{
    int v[2];
    if (a.size() != 3 || !ints(a, 1, 2, v))
        return "usage: drag \"TITLE\" X Y";
    HeadlessWindow* w = windowNamed(a[0]);
    if (!w)
        return "no program window \"" + a[0] + "\"";
    w->userDrag({ { v[0], v[1] } });
    return {};
}

std::string verbResize(const HeadlessScript::Args& a)
{
    int v[2];
    if (a.size() != 3 || !ints(a, 1, 2, v))
        return "usage: resize \"TITLE\" WIDTH HEIGHT";
    HeadlessWindow* w = windowNamed(a[0]);
    if (!w)
        return "no program window \"" + a[0] + "\"";
    w->userResize(v[0], v[1]);
    return {};
}

template<void (HeadlessWindow::*Action)()>
std::string verbWindowState(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: minimize|maximize|restore \"TITLE\"";
    HeadlessWindow* w = windowNamed(a[0]);
    if (!w)
        return "no program window \"" + a[0] + "\"";
    (w->*Action)();
    return {};
}

std::string verbQuit(const HeadlessScript::Args&)
{
    kxEnd();
}

std::map<std::string, HeadlessScript::Verb>& verbs()
{
    static std::map<std::string, HeadlessScript::Verb> table {
        { "desktop", verbDesktop },
        { "desktop-image", verbDesktopImage },
        { "window", verbWindow },
        { "foreground", verbForeground },
        { "activate", verbActivate },
        { "key", verbKey },
        { "menu", verbMenu },
        { "click", verbClick },
        { "close", verbClose },
        { "drag", verbDrag },
        { "resize", verbResize },
        { "minimize", verbWindowState<&HeadlessWindow::userMinimize> },
        { "maximize", verbWindowState<&HeadlessWindow::userMaximize> },
        { "restore", verbWindowState<&HeadlessWindow::userRestore> },
        { "quit", verbQuit },
    };
    return table;
}
}

HeadlessScript& HeadlessScript::instance()
{
    static HeadlessScript script;
    return script;
}

void HeadlessScript::addVerb(const std::string& name, Verb verb) { verbs()[name] = std::move(verb); }

bool HeadlessScript::loadFile(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "headless script: cannot read %s\n", path.c_str());
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        addLine(line);
    }
    return true;
}

void HeadlessScript::loadFromEnvironment()
{
    if (const char* path = std::getenv("TROVA_HEADLESS_SCRIPT"); path && *path)
        loadFile(path);
}

void HeadlessScript::addLine(const std::string& line)
{
    int number = m_nextNumber++;
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#')
        return;
    m_lines.push_back({ number, line });
}

void HeadlessScript::addLines(const std::vector<std::string>& lines)
{
    for (const std::string& l : lines)
        addLine(l);
}

void HeadlessScript::clear()
{
    m_lines.clear();
    m_nextNumber = 1;
    m_notBefore = 0;
}

long long HeadlessScript::nextDueMs() const { return m_lines.empty() ? -1 : m_notBefore; }

std::string HeadlessScript::nextVerb() const
{
    if (m_lines.empty())
        return {};
    Args words = tokenize(m_lines.front().text);
    return words.empty() ? std::string() : words.front();
}

bool HeadlessScript::runDueAction()
{
    if (m_lines.empty() || nowMs() < m_notBefore)
        return false;
    Line line = m_lines.front();
    m_lines.pop_front();
    Args words = tokenize(line.text);
    std::string verb = words.front();
    words.erase(words.begin());
    std::string error;
    if (verb == "wait") {
        int ms;
        if (words.size() == 1 && parseInt(words[0], ms) && ms >= 0)
            m_notBefore = nowMs() + ms;
        else
            error = "usage: wait MILLISECONDS";
    } else {
        auto it = verbs().find(verb);
        error = it == verbs().end() ? "unknown action \"" + verb + "\"" : it->second(words);
    }
    if (!error.empty())
        std::fprintf(stderr, "headless script line %d: %s\n", line.number, error.c_str());
    return true;
}

HeadlessScript::Args HeadlessScript::tokenize(const std::string& line)
{
    Args words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        if (line[i] == '"') {
            ++i;
            while (i < line.size() && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\'))
                    ++i;
                word += line[i++];
            }
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t')
                word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

bool HeadlessScript::parseInt(const std::string& word, int& out)
{
    // Decimal, or hexadecimal after "0x": a leading zero never means octal.
    size_t i = word.size() > 0 && (word[0] == '-' || word[0] == '+') ? 1 : 0;
    int base = 10;
    if (word.size() > i + 1 && word[i] == '0' && (word[i + 1] == 'x' || word[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= word.size())
        return false;
    long long v = 0;
    for (; i < word.size(); ++i) {
        const char c = word[i];
        int digit = 99;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit >= base)
            return false;
        v = v * base + digit;
        if (v > 0xFFFFFFFFLL)
            return false;
    }
    // Hexadecimal words are 32-bit patterns (0xFFFFFFFF is -1); decimal ones must fit an int.
    if (base == 16 && v > INT32_MAX && word[0] != '-' && word[0] != '+')
        v = int64_t(int32_t(uint32_t(v)));
    if (word[0] == '-')
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return false;
    out = int(v);
    return true;
}
