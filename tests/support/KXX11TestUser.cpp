// The test user at a real X server: XTest input, EWMH window manager requests, widget positions.
#include "tests/support/KXX11TestUser.h"

#include "core/KXHandle.h"
#include "gui/KXComboBox.h"
#include "gui/KXEventDriver.h"
#include "gui/KXGadget.h"
#include "gui/KXItemArray.h"
#include "gui/KXMenu.h"
#include "gui/KXSlider.h"
#include "gui/KXTextField.h"
#include "gui/KXWindow.h"
#include "gui/qt/QtKeyCodes.h"
#include "tests/support/KXTestSupport.h"
#include "tests/support/qt/QtTestScreen.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
using Clock = std::chrono::steady_clock;

// How long a step may wait for what it needs (a gadget, a dialog, a native effect).
const int StepLimitMs = kxTestLimitMs(15000);
// How long a lookup of a gadget that is not there waits before the action fails.
const int FindLimitMs = kxTestLimitMs(1500);
// How long a user who pressed Enter or clicked a requester's button waits for it to close
// before trying again (a completion list the text opened took the first one).
const int RetryMs = kxTestLimitMs(1500);

// TROVA_TEST_USER_TRACE=1 reports every click and finished step on standard error, with a picture
// of the screen before each click (build/screenshots/testuser-click-N.png).
const bool s_trace = std::getenv("TROVA_TEST_USER_TRACE") != nullptr;

// Raw keys of the keys the user presses around typing.
constexpr int RawCtrl = 0x1d, RawShift = 0x2a, RawEnter = 28, RawEsc = 1, RawA = 0x1e;

int elapsedMs(Clock::time_point since) { return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - since).count()); }

bool anyGadget(KXGadget*) { return true; }
bool tabStop(KXGadget* g) { return g->isTabStop(); }
bool isSlider(KXGadget* g) { return dynamic_cast<KXSlider*>(g) != nullptr; }
bool isCombo(KXGadget* g) { return dynamic_cast<KXComboBox*>(g) != nullptr; }
bool isField(KXGadget* g) { return dynamic_cast<KXTextField*>(g) != nullptr; }

// The path of indices from the menu bar down to the entry with commandId; false when the menu
// tree has none, or when the entry or a menu above it is grayed.
bool menuPath(const std::vector<KXNativeMenuItem>& items, int commandId, std::vector<int>& path)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const KXNativeMenuItem& item = items[i];
        if (item.flags & KXNativeMenuItem::Grayed)
            continue;
        path.push_back(int(i));
        if (item.isPopup() ? menuPath(item.children, commandId, path) : (!item.isSeparator() && item.commandId == commandId))
            return true;
        path.pop_back();
    }
    return false;
}
}

KXTestUser& KXTestUser::instance()
{
    static KXX11TestUser user;
    return user;
}

KXX11TestUser::KXX11TestUser()
{
    QtTestScreen::every(10, [this] { tick(); });
}

KXX11TestUser::~KXX11TestUser()
{
    if (m_display)
        XCloseDisplay(m_display);
}

unsigned KXX11TestUser::xKeyCodeOf(int rawKey)
{
    for (unsigned code = 8; code < 256; ++code)
        if (QtKeyCodes::rawFromX(code) == rawKey)
            return code;
    return 0;
}

// ---- the queue ----

void KXX11TestUser::add(const std::string& what, std::vector<StepFn> steps)
{
    steps.push_back(synced());
    m_actions.push_back({ what, std::move(steps) });
}

void KXX11TestUser::tick()
{
    if (m_inTick || m_actions.empty())
        return;
    m_inTick = true;
    if (!m_stepStarted) {
        m_stepStarted = true;
        m_stepStart = Clock::now();
    }
    Action& action = m_actions.front();
    Step result = action.steps[m_step]();
    if (s_trace && result == Step::Done)
        std::fprintf(stderr, "test user: %s: step %zu done (%s)\n", action.what.c_str(), m_step, QtTestScreen::describeFocus().c_str());
    bool finished = false;
    if (result == Step::Done) {
        m_stepStarted = false;
        finished = ++m_step >= action.steps.size();
    } else if (result == Step::Failed) {
        // What a user cannot do (a grayed menu item, a control that takes no focus) is tried and
        // nothing happens, as tests ask on purpose.
        std::fprintf(stderr, "test user: %s: not possible\n", action.what.c_str());
        finished = true;
    } else if (elapsedMs(m_stepStart) > StepLimitMs) {
        ADD_FAILURE() << "test user: " << action.what << ": step " << m_step << ": gave up waiting ("
                      << QtTestScreen::describeFocus() << ")";
        finished = true;
    }
    if (finished) {
        m_actions.pop_front();
        m_step = 0;
        m_stepStarted = false;
    }
    m_inTick = false;
}

bool KXX11TestUser::isDone() const { return m_actions.empty(); }

void KXX11TestUser::forget()
{
    m_actions.clear();
    m_step = 0;
    m_stepStarted = false;
}

// ---- steps ----

KXX11TestUser::StepFn KXX11TestUser::pause(int ms)
{
    return [this, ms] { return elapsedMs(m_stepStart) >= ms ? Step::Done : Step::Again; };
}

long KXX11TestUser::sendMarker()
{
    Display* d = display();
    Window window = QtTestScreen::markerWindow();
    if (!d || !window)
        return 0;
    long serial = ++m_markers;
    XChangeProperty(d, window, XInternAtom(d, QtTestScreen::markerProperty(), False), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&serial), 1);
    XSync(d, False);
    return serial;
}

bool KXX11TestUser::windowsSettled()
{
    bool settled = true;
    KXObject::forEachLive([&](KXObject* o) {
        if (auto* w = dynamic_cast<KXWindow*>(o); w && !w->sync(0))
            settled = false;
    });
    return settled;
}

KXX11TestUser::StepFn KXX11TestUser::synced()
{
    // 0: mark the stream; 1: wait until Qt took the mark; 2: one pass later, the events before it
    // reached the widgets; then until the program's windows have nothing pending.
    auto phase = std::make_shared<int>(0);
    auto serial = std::make_shared<long>(0);
    return [this, phase, serial] {
        switch (*phase) {
        case 0:
            *serial = sendMarker();
            *phase = 1;
            return Step::Again;
        case 1:
            if (QtTestScreen::markersSeen() < *serial)
                return Step::Again;
            *phase = 2;
            return Step::Again;
        default:
            if (!windowsSettled())
                return Step::Again;
            *phase = 0;
            return Step::Done;
        }
    };
}

KXX11TestUser::StepFn KXX11TestUser::until(std::function<bool()> condition)
{
    return [condition] { return condition() ? Step::Done : Step::Again; };
}

KXX11TestUser::Step KXX11TestUser::located(const QtTestBox& box, int& x, int& y, int limitMs) const
{
    x = box.centerX();
    y = box.centerY();
    if (box.valid)
        return Step::Done;
    return limitMs >= 0 && elapsedMs(m_stepStart) > limitMs ? Step::Failed : Step::Again;
}

KXX11TestUser::StepFn KXX11TestUser::clickAt(std::function<Step(int& x, int& y)> where)
{
    return [this, where] {
        int x = 0, y = 0;
        Step found = where(x, y);
        if (found != Step::Done)
            return found;
        if (s_trace) {
            static int n = 0;
#ifdef KX_BUILD_DIR
            std::string folder = KX_BUILD_DIR "/screenshots";
#else
            std::string folder = "/tmp";
#endif
            std::system(("mkdir -p " + folder).c_str());
            std::string shot = folder + "/testuser-click-" + std::to_string(++n) + ".png";
            std::fprintf(stderr, "test user: click at %d,%d (screen before it: %s)\n", x, y, shot.c_str());
            std::system(("import -window root " + shot).c_str());
        }
        fakeMotion(x, y);
        fakeButton(x, y, true);
        fakeButton(x, y, false);
        return Step::Done;
    };
}

KXX11TestUser::StepFn KXX11TestUser::keyStep(int rawKey, bool down)
{
    return [this, rawKey, down] {
        unsigned code = xKeyCodeOf(rawKey);
        if (!code)
            return Step::Failed;
        fakeKey(code, down);
        return Step::Done;
    };
}

KXX11TestUser::StepFn KXX11TestUser::typeText(const std::string& text)
{
    return [this, text] {
        Display* d = display();
        unsigned shift = xKeyCodeOf(RawShift);
        for (unsigned char c : text) {
            KeySym sym = c == '\n' ? XK_Return : KeySym(c);
            KeyCode code = XKeysymToKeycode(d, sym);
            if (!code)
                continue;
            bool shifted = XkbKeycodeToKeysym(d, code, 0, 0) != sym && XkbKeycodeToKeysym(d, code, 0, 1) == sym;
            if (shifted)
                fakeKey(shift, true);
            fakeKey(code, true);
            fakeKey(code, false);
            if (shifted)
                fakeKey(shift, false);
        }
        return Step::Done;
    };
}

std::vector<KXX11TestUser::StepFn> KXX11TestUser::awaitDialog(int kind)
{
    auto wanted = QtTestScreen::Dialog(kind);
    return { [this, wanted] {
                auto open = QtTestScreen::openDialog();
                bool found = wanted == QtTestScreen::Dialog::Closed ? open != QtTestScreen::Dialog::Closed : open == wanted;
                if (!found)
                    return Step::Again;
                m_dialog = QtTestScreen::dialogWindowId();
                return Step::Done;
            },
        until([] { return QtTestScreen::dialogActive(); }), synced() };
}

bool KXX11TestUser::dialogGone() const { return QtTestScreen::dialogWindowId() != m_dialog; }

std::vector<KXX11TestUser::StepFn> KXX11TestUser::fillDialogEdit(int edit, const std::string& text, bool enter)
{
    auto which = QtTestScreen::Edit(edit);
    std::vector<StepFn> steps {
        clickAt([this, which](int& x, int& y) { return located(QtTestScreen::dialogEdit(which), x, y); }),
        synced(),
        keyStep(RawCtrl, true),
        keyStep(RawA, true),
        keyStep(RawA, false),
        keyStep(RawCtrl, false),
        typeText(text),
        synced(),
    };
    if (enter) {
        // A completion list the text opened takes the first Enter; press it until the
        // requester closes.
        auto pressed = std::make_shared<Clock::time_point>();
        steps.push_back([this, pressed] {
            if (dialogGone())
                return Step::Done;
            if (*pressed < m_stepStart || elapsedMs(*pressed) >= RetryMs) {
                *pressed = Clock::now();
                unsigned code = xKeyCodeOf(RawEnter);
                fakeKey(code, true);
                fakeKey(code, false);
            }
            return Step::Again;
        });
    }
    return steps;
}

// ---- finding ----

KXGadget* KXX11TestUser::findGadget(const std::string& name, bool (*ofKind)(KXGadget*))
{
    int n = 0;
    bool byIndex = name.size() > 1 && name[0] == '#' && std::all_of(name.begin() + 1, name.end(), ::isdigit);
    if (byIndex)
        n = std::atoi(name.c_str() + 1);
    std::vector<KXGadget*> found;
    KXObject::forEachLive([&](KXObject* o) {
        auto* g = dynamic_cast<KXGadget*>(o);
        if (g && !dynamic_cast<KXWindow*>(g) && ofKind(g) && (byIndex || g->textView() == name))
            found.push_back(g);
    });
    std::sort(found.begin(), found.end(), [](KXGadget* a, KXGadget* b) { return a->serial() < b->serial(); });
    KXGadget* g = byIndex ? (n >= 1 && n <= int(found.size()) ? found[size_t(n - 1)] : nullptr) : (found.empty() ? nullptr : found.front());
    return g && g->isVisible() && g->isEnabled() ? g : nullptr;
}

KXWindow* KXX11TestUser::findWindow(const std::string& title)
{
    KXWindow* found = nullptr;
    KXObject::forEachLive([&](KXObject* o) {
        auto* w = dynamic_cast<KXWindow*>(o);
        if (w && w->textView() == title && (!found || w->serial() < found->serial()))
            found = w;
    });
    return found;
}

KXX11TestUser::Step KXX11TestUser::locateGadget(const std::string& name, bool (*ofKind)(KXGadget*), int& x, int& y) const
{
    // A gadget that is there but not shown yet (its window still mapping) is waited for as
    // long as any step; one that is not there at all only briefly.
    KXGadget* g = findGadget(name, ofKind);
    return located(QtTestScreen::gadget(g), x, y, g ? -1 : FindLimitMs);
}

// ---- input ----

_XDisplay* KXX11TestUser::display()
{
    if (!m_display)
        m_display = XOpenDisplay(nullptr);
    return m_display;
}

void KXX11TestUser::fakeKey(unsigned keyCode, bool down)
{
    Display* d = display();
    if (!d || !keyCode)
        return;
    XTestFakeKeyEvent(d, keyCode, down ? True : False, CurrentTime);
    XSync(d, False);
    auto at = std::find(m_heldKeys.begin(), m_heldKeys.end(), keyCode);
    if (down && at == m_heldKeys.end())
        m_heldKeys.push_back(keyCode);
    else if (!down && at != m_heldKeys.end())
        m_heldKeys.erase(at);
}

void KXX11TestUser::fakeMotion(int x, int y)
{
    Display* d = display();
    if (!d)
        return;
    XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
    XSync(d, False);
}

void KXX11TestUser::fakeButton(int x, int y, bool down)
{
    Display* d = display();
    if (!d)
        return;
    (void)x;
    (void)y;
    XTestFakeButtonEvent(d, 1, down ? True : False, CurrentTime);
    XSync(d, False);
    m_buttonHeld = down;
}

void KXX11TestUser::sendWmMessage(unsigned long window, const char* type, long a0, long a1, long a2, long a3, long a4)
{
    Display* d = display();
    if (!d || !window)
        return;
    XEvent e {};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(d, type, False);
    e.xclient.format = 32;
    long data[] = { a0, a1, a2, a3, a4 };
    std::copy(std::begin(data), std::end(data), e.xclient.data.l);
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
}

void KXX11TestUser::dropInput()
{
    forget();
    for (unsigned code : std::vector<unsigned>(m_heldKeys))
        fakeKey(code, false);
    if (m_buttonHeld)
        fakeButton(0, 0, false);
}

void KXX11TestUser::resetPlatform()
{
    // The program's windows are gone. Qt counts the application inactive a little later (it
    // waits whether the focus comes back to one of its windows); the report of that belongs to
    // the test that ends, not to the next one.
    KXEventDriver* driver = KXEventDriver::current();
    auto start = Clock::now();
    while (driver && QtTestScreen::applicationActive() && elapsedMs(start) < StepLimitMs)
        driver->poll(10);
}

void KXX11TestUser::awaitWindow(int window)
{
    KXEventDriver* driver = KXEventDriver::current();
    auto* w = kxHandle<KXWindow>(window, "Window Gadget");
    if (!driver || !display())
        return;
    // Shown, placed and activated as the window manager confirms, then every report of it taken.
    if (!w->sync(StepLimitMs))
        ADD_FAILURE() << "test user: window \"" << w->textView() << "\" still waits for the window manager";
    long serial = sendMarker();
    auto start = Clock::now();
    while (QtTestScreen::markersSeen() < serial && elapsedMs(start) < StepLimitMs)
        driver->poll(10);
    driver->poll(0);
}

// ---- the actions ----

void KXX11TestUser::click(const std::string& gadget)
{
    add("click " + gadget, { clickAt([this, gadget](int& x, int& y) {
        return locateGadget(gadget, anyGadget, x, y);
    }) });
}

void KXX11TestUser::key(int rawKey, bool down) { add("key " + std::to_string(rawKey), { keyStep(rawKey, down) }); }

void KXX11TestUser::focus(const std::string& control)
{
    // A press takes the focus; the release off the control leaves it unclicked. A combo box's
    // list the press opened is closed again with Esc.
    add("focus " + control, { [this, control] {
        KXGadget* g = findGadget(control, tabStop);
        int x = 0, y = 0;
        Step found = located(QtTestScreen::gadget(g), x, y, g ? -1 : FindLimitMs);
        if (found != Step::Done)
            return found;
        QtTestBox b = QtTestScreen::gadget(g);
        fakeMotion(x, y);
        fakeButton(x, y, true);
        fakeMotion(b.x + b.width + 40, b.y + b.height + 40);
        fakeButton(x, y, false);
        if (isCombo(g)) {
            unsigned esc = xKeyCodeOf(RawEsc);
            fakeKey(esc, true);
            fakeKey(esc, false);
        }
        return Step::Done;
    } });
}

void KXX11TestUser::type(const std::string& field, const std::string& text, bool replace, bool enter)
{
    std::vector<StepFn> steps { clickAt([this, field](int& x, int& y) {
                                   return locateGadget(field, isField, x, y);
                               }),
        synced() };
    // The click leaves the caret where it landed, after a short text.
    if (replace)
        steps.insert(steps.end(), { keyStep(RawCtrl, true), keyStep(RawA, true), keyStep(RawA, false), keyStep(RawCtrl, false) });
    steps.push_back(typeText(text));
    if (enter)
        steps.insert(steps.end(), { keyStep(RawEnter, true), keyStep(RawEnter, false) });
    add("type " + field, std::move(steps));
}

void KXX11TestUser::pick(const std::string& combo, const std::string& item)
{
    // The item's index is looked up once the combo box is there.
    auto index = std::make_shared<int>(-1);
    add("pick " + combo + " " + item, { [this, combo, item, index] {
                                           KXGadget* g = findGadget(combo, isCombo);
                                           if (!g)
                                               return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                           KXItemArray& items = g->items();
                                           for (int i = 0; i < items.count(); ++i) {
                                               KXString* t = items.text(i);
                                               if (t && t->view() == item)
                                                   *index = i;
                                           }
                                           return *index >= 0 ? Step::Done : Step::Failed;
                                       },
                                          clickAt([this, combo](int& x, int& y) {
                                              return locateGadget(combo, isCombo, x, y);
                                          }),
                                          clickAt([this, combo, index](int& x, int& y) {
                                              return located(QtTestScreen::comboItem(findGadget(combo, isCombo), *index), x, y);
                                          }) });
}

void KXX11TestUser::pickIndex(const std::string& combo, int index)
{
    add("pick " + combo + " #" + std::to_string(index), { [this, combo, index] {
                                                             KXGadget* g = findGadget(combo, isCombo);
                                                             if (!g)
                                                                 return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                                             return index >= 0 && index < g->items().count() ? Step::Done : Step::Failed;
                                                         },
                                                            clickAt([this, combo](int& x, int& y) {
                                                                return locateGadget(combo, isCombo, x, y);
                                                            }),
                                                            clickAt([this, combo, index](int& x, int& y) {
                                                                return located(QtTestScreen::comboItem(findGadget(combo, isCombo), index), x, y);
                                                            }) });
}

void KXX11TestUser::slide(const std::string& slider, int value)
{
    // Press on the thumb, drag it to where the value stands, then nudge pixel by pixel until
    // the scroll bar reports the value (the pixel grid may fall between positions), and let go.
    auto target = std::make_shared<int>(value);
    auto at = std::make_shared<std::pair<int, int>>(0, 0);
    auto find = [this, slider] { return dynamic_cast<KXSlider*>(findGadget(slider, isSlider)); };
    auto marker = std::make_shared<long>(0);
    add("slide " + slider, {
                               [this, find, target, at] {
                                   KXSlider* s = find();
                                   QtTestBox thumb = QtTestScreen::sliderPart(s, QtTestScreen::SliderPart::Thumb);
                                   if (!s || !thumb.valid)
                                       return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                   *target = KXSlider::clampPosition(*target, 0, s->total() - 1, s->visible());
                                   *at = { thumb.centerX(), thumb.centerY() };
                                   fakeMotion(at->first, at->second);
                                   fakeButton(at->first, at->second, true);
                                   return Step::Done;
                               },
                               synced(),
                               [this, find, target, at] {
                                   QtTestBox to = QtTestScreen::thumbAt(find(), *target);
                                   if (!to.valid)
                                       return Step::Failed;
                                   fakeMotion((at->first + to.x) / 2, (at->second + to.y) / 2);
                                   *at = { to.x, to.y };
                                   fakeMotion(to.x, to.y);
                                   return Step::Done;
                               },
                               synced(),
                               [this, find, target, at, marker] {
                                   KXSlider* s = find();
                                   if (!s)
                                       return Step::Failed;
                                   // Each nudge is looked at once the toolkit has taken it.
                                   if (*marker && QtTestScreen::markersSeen() < *marker)
                                       return Step::Again;
                                   *marker = 0;
                                   int now = s->state();
                                   if (now == *target)
                                       return Step::Done;
                                   // One pixel toward the value.
                                   int step = now < *target ? 1 : -1;
                                   if (s->isVertical())
                                       at->second += step;
                                   else
                                       at->first += step;
                                   fakeMotion(at->first, at->second);
                                   *marker = sendMarker();
                                   return Step::Again;
                               },
                               [this, at] {
                                   fakeButton(at->first, at->second, false);
                                   return Step::Done;
                               },
                           });
}

void KXX11TestUser::scroll(const std::string& slider, Scroll how)
{
    static const QtTestScreen::SliderPart parts[] = { QtTestScreen::SliderPart::LineUp, QtTestScreen::SliderPart::LineDown,
        QtTestScreen::SliderPart::PageUp, QtTestScreen::SliderPart::PageDown };
    QtTestScreen::SliderPart part = parts[int(how)];
    add("scroll " + slider, { clickAt([this, slider, part](int& x, int& y) {
        return located(QtTestScreen::sliderPart(findGadget(slider, isSlider), part), x, y, findGadget(slider, isSlider) ? -1 : FindLimitMs);
    }) });
}

void KXX11TestUser::menu(int menuId)
{
    // The path is found once the window is there; then each level is clicked once it shows.
    struct Walk {
        KXWindow* window { nullptr };
        std::vector<int> path;
        size_t level { 0 };
    };
    auto walk = std::make_shared<Walk>();
    const int command = KXNativeMenuItem::CommandBase + menuId;
    StepFn find = [this, walk, command] {
        KXWindow* found = nullptr;
        std::vector<int> path;
        KXObject::forEachLive([&](KXObject* o) {
            auto* w = dynamic_cast<KXWindow*>(o);
            std::vector<int> p;
            if (!found && w && w->menuRoot() && w->hasMenuBar() && menuPath(w->menuRoot()->buildNative(), command, p)) {
                found = w;
                path = p;
            }
        });
        if (!found)
            return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
        walk->window = found;
        walk->path = path;
        walk->level = 0;
        return Step::Done;
    };
    StepFn clickLevels = [this, walk] {
        if (!KXObject::isLive(walk->window))
            return Step::Failed;
        std::vector<int> prefix(walk->path.begin(), walk->path.begin() + long(walk->level) + 1);
        QtTestBox b = QtTestScreen::menuEntry(walk->window, prefix);
        if (!b.valid)
            return Step::Again;
        fakeMotion(b.centerX(), b.centerY());
        fakeButton(b.centerX(), b.centerY(), true);
        fakeButton(b.centerX(), b.centerY(), false);
        // The next level is waited for on the following ticks; the step runs until the last
        // level was clicked.
        m_stepStart = Clock::now();
        return ++walk->level >= walk->path.size() ? Step::Done : Step::Again;
    };
    add("menu " + std::to_string(menuId), { find, clickLevels });
}

// ---- the window manager ----

namespace {
// EWMH: the source of a request is a pager (direct user action); the state change verbs.
constexpr long SourcePager = 2, StateRemove = 0, StateAdd = 1;
constexpr long MoveX = 1 << 8, MoveY = 1 << 9, MoveWidth = 1 << 10, MoveHeight = 1 << 11, NorthWest = 1;
}

void KXX11TestUser::close(const std::string& title)
{
    add("close " + title, { [this, title] {
        KXWindow* w = findWindow(title);
        if (!w)
            return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
        sendWmMessage(QtTestScreen::windowId(w), "_NET_CLOSE_WINDOW", CurrentTime, SourcePager, 0, 0, 0);
        return Step::Done;
    } });
}

void KXX11TestUser::move(const std::string& title, int x, int y)
{
    add("move " + title, { [this, title, x, y] {
                              KXWindow* w = findWindow(title);
                              if (!w)
                                  return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                              // With north-west gravity the position is the frame's.
                              sendWmMessage(QtTestScreen::windowId(w), "_NET_MOVERESIZE_WINDOW", NorthWest | MoveX | MoveY | (SourcePager << 12), x, y, 0, 0);
                              return Step::Done;
                          },
                             until([title, x, y] {
                                 KXWindow* w = findWindow(title);
                                 return !w || (w->x() == x && w->y() == y);
                             }) });
}

void KXX11TestUser::resize(const std::string& title, int width, int height)
{
    // Done once the frame has the size, or another one the window manager chose (a minimum size).
    auto before = std::make_shared<std::pair<int, int>>(0, 0);
    add("resize " + title, { [this, title, width, height, before] {
                                KXWindow* w = findWindow(title);
                                unsigned long id = QtTestScreen::windowId(w);
                                Display* d = display();
                                if (!w || !id || !d)
                                    return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                // The request sizes the client window: the frame less the window
                                // manager's borders.
                                long extents[4] = { 0, 0, 0, 0 };
                                Atom type;
                                int format;
                                unsigned long count = 0, rest = 0;
                                unsigned char* data = nullptr;
                                if (XGetWindowProperty(d, id, XInternAtom(d, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL, &type, &format, &count, &rest, &data) == Success && data) {
                                    if (count == 4 && format == 32)
                                        std::copy_n(reinterpret_cast<long*>(data), 4, extents);
                                    XFree(data);
                                }
                                long cw = std::max(1L, width - extents[0] - extents[1]);
                                long ch = std::max(1L, height - extents[2] - extents[3]);
                                *before = { w->width(), w->height() };
                                sendWmMessage(id, "_NET_MOVERESIZE_WINDOW", NorthWest | MoveWidth | MoveHeight | (SourcePager << 12), 0, 0, cw, ch);
                                return Step::Done;
                            },
                               until([title, width, height, before] {
                                   KXWindow* w = findWindow(title);
                                   return !w || (w->width() == width && w->height() == height)
                                       || std::make_pair(w->width(), w->height()) != *before;
                               }) });
}

void KXX11TestUser::minimize(const std::string& title)
{
    add("minimize " + title, { [this, title] {
                                  KXWindow* w = findWindow(title);
                                  Display* d = display();
                                  if (!w || !d)
                                      return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                  XIconifyWindow(d, QtTestScreen::windowId(w), DefaultScreen(d));
                                  XSync(d, False);
                                  return Step::Done;
                              },
                                 until([title] {
                                     KXWindow* w = findWindow(title);
                                     return !w || w->isMinimized();
                                 }) });
}

void KXX11TestUser::maximize(const std::string& title)
{
    add("maximize " + title, { [this, title] {
                                  KXWindow* w = findWindow(title);
                                  Display* d = display();
                                  if (!w || !d)
                                      return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                  sendWmMessage(QtTestScreen::windowId(w), "_NET_WM_STATE", StateAdd,
                                      long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
                                      long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False)), SourcePager, 0);
                                  return Step::Done;
                              },
                                 until([title] {
                                     KXWindow* w = findWindow(title);
                                     return !w || w->isMaximized();
                                 }) });
}

void KXX11TestUser::restore(const std::string& title)
{
    add("restore " + title, { [this, title] {
                                 KXWindow* w = findWindow(title);
                                 Display* d = display();
                                 if (!w || !d)
                                     return elapsedMs(m_stepStart) > FindLimitMs ? Step::Failed : Step::Again;
                                 unsigned long id = QtTestScreen::windowId(w);
                                 if (w->isMinimized())
                                     sendWmMessage(id, "_NET_ACTIVE_WINDOW", SourcePager, CurrentTime, 0, 0, 0);
                                 if (w->isMaximized())
                                     sendWmMessage(id, "_NET_WM_STATE", StateRemove,
                                         long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
                                         long(XInternAtom(d, "_NET_WM_STATE_MAXIMIZED_HORZ", False)), SourcePager, 0);
                                 return Step::Done;
                             },
                                until([title] {
                                    KXWindow* w = findWindow(title);
                                    return !w || (!w->isMinimized() && !w->isMaximized());
                                }) });
}

// ---- requesters ----

void KXX11TestUser::answerFile(const std::string& path)
{
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::File));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::FileName), path, true))
        steps.push_back(std::move(s));
    add("answer file", std::move(steps));
}

void KXX11TestUser::answerDir(const std::string& path)
{
    // Enter in a folder requester's name box opens the folder typed; its Choose button takes it.
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::File));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::FileName), path, false))
        steps.push_back(std::move(s));
    // A completion list the text opened takes the first click: click until the requester closes.
    auto clicked = std::make_shared<Clock::time_point>();
    steps.push_back([this, clicked] {
        if (dialogGone())
            return Step::Done;
        QtTestBox b = QtTestScreen::acceptButton();
        if (b.valid && (*clicked < m_stepStart || elapsedMs(*clicked) >= RetryMs)) {
            *clicked = Clock::now();
            fakeMotion(b.centerX(), b.centerY());
            fakeButton(b.centerX(), b.centerY(), true);
            fakeButton(b.centerX(), b.centerY(), false);
        }
        return Step::Again;
    });
    add("answer dir", std::move(steps));
}

void KXX11TestUser::answerColor(int red, int green, int blue)
{
    char name[8];
    std::snprintf(name, sizeof name, "#%02x%02x%02x", red & 0xFF, green & 0xFF, blue & 0xFF);
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::Color));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::ColorName), name, true))
        steps.push_back(std::move(s));
    add("answer color", std::move(steps));
}

void KXX11TestUser::answerButton(const std::string& button)
{
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::Message));
    steps.push_back([this, button] {
        // A button the box does not have: the user closes it with its close box.
        QtTestBox b = QtTestScreen::messageButton(button);
        if (button == "close" || !b.valid) {
            sendWmMessage(QtTestScreen::dialogWindowId(), "_NET_CLOSE_WINDOW", CurrentTime, SourcePager, 0, 0, 0);
        } else {
            fakeMotion(b.centerX(), b.centerY());
            fakeButton(b.centerX(), b.centerY(), true);
            fakeButton(b.centerX(), b.centerY(), false);
        }
        return Step::Done;
    });
    steps.push_back(until([this] { return dialogGone(); }));
    add("answer button " + button, std::move(steps));
}

void KXX11TestUser::answerFont(const std::string& name, int height, int style)
{
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::Font));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::FontFamily), name, false))
        steps.push_back(std::move(s));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::FontSize), std::to_string(height), false))
        steps.push_back(std::move(s));
    if (style & 4)
        steps.push_back(clickAt([this](int& x, int& y) { return located(QtTestScreen::fontUnderline(), x, y, FindLimitMs); }));
    for (StepFn& s : fillDialogEdit(int(QtTestScreen::Edit::FontSize), std::to_string(height), true))
        steps.push_back(std::move(s));
    add("answer font", std::move(steps));
}

void KXX11TestUser::answerCancel()
{
    std::vector<StepFn> steps = awaitDialog(int(QtTestScreen::Dialog::Closed));
    steps.insert(steps.end(), { keyStep(RawEsc, true), keyStep(RawEsc, false), until([this] { return dialogGone(); }) });
    add("answer cancel", std::move(steps));
}

void KXX11TestUser::wait(int ms) { add("wait", { pause(ms) }); }
