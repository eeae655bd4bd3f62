// Shared set-up for the GUI tests: the platform's GUI started once, a clean world per test, and
// the command entry points the tests call. The tests act through the test user and observe
// through commands and neutral classes only, so they run on every platform.
#pragma once

#include "base/KXModuleDependencies.h"
#include "base/KXModuleNames.h"
#include "base/KXModuleRegistry.h"
#include "base/KXPlatform.h"
#include "core/KXHandle.h"
#include "core/KXString.h"
#include "gui/KXEventDriver.h"
#include "gui/KXGuiDriver.h"
#include "gui/KXHotKeyTable.h"
#include "gui/KXKeyboard.h"
#include "gui/KXQueFilter.h"
#include "gui/KXTimer.h"
#include "gui/KXWindow.h"
#include "runtime/KXProgram.h"
#include "tests/support/KXTestSupport.h"
#include "tests/support/KXTestUser.h"

#include <chrono>
#include <string>
#include <vector>

KX_STDCALL int CreateWindow(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL void FreeGadget(int gadget);
KX_STDCALL void SetGadgetShape(int gadget, int x, int y, int width, int height);
KX_STDCALL void SetGadgetLayout(int gadget, int left, int right, int top, int bottom);
KX_STDCALL int GadgetX(int gadget);
KX_STDCALL int GadgetY(int gadget);
KX_STDCALL int GadgetWidth(int gadget);
KX_STDCALL int GadgetHeight(int gadget);
KX_STDCALL int GadgetGroup(int gadget);
KX_STDCALL int ClientWidth(int group);
KX_STDCALL int ClientHeight(int group);
KX_STDCALL KXString* GadgetText(int gadget);
KX_STDCALL int Desktop();
KX_STDCALL void ClearGadgetItems(int gadget);
KX_STDCALL void AddGadgetItem(int gadget, KXString* item, int select, int icon);
KX_STDCALL void InsertGadgetItem(int gadget, int index, KXString* item, int icon);
KX_STDCALL void RemoveGadgetItem(int gadget, int index);
KX_STDCALL void SelectGadgetItem(int gadget, int index);
KX_STDCALL KXString* GadgetItemText(int gadget, int index);
KX_STDCALL int CountGadgetItems(int gadget);
KX_STDCALL int SelectedGadgetItem(int gadget);
KX_STDCALL int CreateMenu(KXString* text, int id, int parent);
KX_STDCALL void CheckMenu(int menu);
KX_STDCALL void DisableMenu(int menu);
KX_STDCALL int MenuChecked(int menu);
KX_STDCALL int MenuEnabled(int menu);
KX_STDCALL int WindowMenu(int window);
KX_STDCALL void UpdateWindowMenu(int window);
KX_STDCALL int SetStatusText(int window, KXString* text);
KX_STDCALL void SetMinWindowSize(int window, int width, int height);
KX_STDCALL void MinimizeWindow(int window);
KX_STDCALL void RestoreWindow(int window);
KX_STDCALL int WindowMinimized(int window);
KX_STDCALL int WindowMaximized(int window);
KX_STDCALL int ActiveWindow();
KX_STDCALL void ActivateWindow(int window);
KX_STDCALL int WaitEvent(int timeout);
KX_STDCALL int PeekEvent();
KX_STDCALL int EventID();
KX_STDCALL int EventData();
KX_STDCALL int EventX();
KX_STDCALL int EventY();
KX_STDCALL int EventSource();
KX_STDCALL void FlushEvents(int kind, int source);
KX_STDCALL void AutoSuspend(int enable);
KX_STDCALL void HotKeyEvent(int rawKey, int modifier, int id, int data, int x, int y, int z, int source);
KX_STDCALL int CreateTimer(float hertz);
KX_STDCALL void FreeTimer(int timer);
KX_STDCALL int TimerTicks(int timer);
KX_STDCALL int WaitTimer(int timer);
KX_STDCALL void ResetTimer(int timer);
KX_STDCALL void PauseTimer(int timer);
KX_STDCALL void ResumeTimer(int timer);

// A string argument as compiled code lends it; released at the end of the statement.
struct Str {
    KXRef<KXString> s;
    Str(const char* text)
        : s(KXString::create(text))
    {
    }
    operator KXString*() const { return s.get(); }
};

// Takes a string result's reference and returns its text.
inline std::string take(KXString* s)
{
    KXRef<KXString> r(s);
    return r ? r->str() : std::string();
}

// Skips the rest of a test on a real window system, for the reason given.
#define KX_SKIP_ON_REAL_DISPLAY(reason)           \
    do {                                          \
        if (kxPlatform() != KXPlatform::Headless) \
            GTEST_SKIP() << (reason);             \
    } while (0)

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool started = [] {
            kxSelectPlatformConfigs(KXModuleRegistry::global());
            return kxStartSubsystem(KXSubsystems::Gui);
        }();
        ASSERT_TRUE(started);
        resetWorld();
        // A real platform may still report the last test's windows going (the application's
        // deactivation among them).
        drainRealDisplay();
    }
    void TearDown() override { resetWorld(); }

    // The person at the screen.
    static KXTestUser& user() { return KXTestUser::instance(); }
    static KXEventDriver& driver() { return *KXEventDriver::current(); }
    static KXQueFilter& queue() { return KXQueFilter::instance(); }
    static KXWindow* kw(int handle) { return kxHandle<KXWindow>(handle, "Window Gadget"); }
    static void post(KXEventId id, int data = 0, int source = 0) { kxPostEvent(KXEvent::make(id, data, 0, 0, 0, source)); }
    static bool onRealDisplay() { return kxPlatform() != KXPlatform::Headless; }

    // A window with its creation events flushed.
    static int window(const char* title, int x = 10, int y = 10, int w = 300, int h = 200, int style = 15)
    {
        int win = CreateWindow(Str(title), x, y, w, h, 0, style);
        user().awaitWindow(win);
        queue().reset();
        return win;
    }

    // Runs the message loop, without taking events, until the user carried out every action
    // given (at most ms, scaled); answers whether they all were.
    static bool settle(int ms = 20000)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(ms));
        while (!user().isDone() && std::chrono::steady_clock::now() < end)
            driver().poll(10);
        return user().isDone();
    }

    // The id of the next event arriving within ms, else 0. On a real display the user's actions
    // are carried out first, so the events they raise are all there.
    static int quiet(int ms = 50)
    {
        if (onRealDisplay())
            settle();
        return WaitEvent(ms);
    }

    // Takes events up to the next one with that id and answers whether it came. Headless, it
    // must be the very next event; on a real display the window manager's own moves, sizes
    // and activations may come first, and it may take ten seconds.
    static bool nextOf(int id)
    {
        if (!onRealDisplay())
            return WaitEvent(-1) == id;
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(10000));
        while (std::chrono::steady_clock::now() < end)
            if (WaitEvent(100) == id)
                return true;
        return false;
    }
    // Whether pred holds: at once on headless, where the platform reports synchronously; on a
    // real display once the platform reported (the loop runs, without taking events, for at
    // most five seconds).
    template<class Pred>
    static bool reported(Pred pred)
    {
        if (!onRealDisplay())
            return pred();
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(5000));
        while (!pred() && std::chrono::steady_clock::now() < end)
            driver().poll(20);
        return pred();
    }
    // Lets the user finish and every window's requests be confirmed (KXWindow::sync); answers
    // whether they were.
    static bool syncAll()
    {
        bool done = settle();
        std::vector<KXWindow*> windows;
        KXObject::forEachLive([&](KXObject* o) {
            if (auto* w = dynamic_cast<KXWindow*>(o))
                windows.push_back(w);
        });
        for (KXWindow* w : windows)
            done = (!KXObject::isLive(w) || w->sync(kxTestLimitMs(5000))) && done;
        return done;
    }
    // On a real display: lets the user finish and the windows settle, then drops the events
    // they raised.
    static void drainRealDisplay()
    {
        if (!onRealDisplay())
            return;
        EXPECT_TRUE(syncAll());
        while (WaitEvent(0)) {
        }
    }

    // Finishes a loop pass left inside a handler, frees the program's windows and timers and
    // clears queues, flags, hot keys, the user's actions and the platform's input.
    static void resetWorld()
    {
        user().forget();
        user().dropInput();
        for (int i = 0; i < 50 && driver().isPassSuspended(); ++i) {
            try {
                driver().poll(0);
            } catch (...) {
            }
        }
        // Top-level windows go one by one, each with the windows and gadgets inside it.
        for (int guard = 0; guard < 1000; ++guard) {
            KXWindow* top = nullptr;
            KXObject::forEachLive([&](KXObject* o) {
                auto* w = dynamic_cast<KXWindow*>(o);
                if (w && !top && !dynamic_cast<KXWindow*>(w->group()))
                    top = w;
            });
            if (!top)
                break;
            try {
                top->release();
            } catch (...) {
                break;
            }
        }
        std::vector<KXTimer*> timers;
        KXObject::forEachLive([&](KXObject* o) {
            if (auto* t = dynamic_cast<KXTimer*>(o))
                timers.push_back(t);
        });
        for (KXTimer* t : timers)
            t->release();
        user().resetPlatform();
        queue().reset();
        KXHotKeyTable::instance().clear();
        KXKeyboard::instance().reset();
        driver().clearCurrentEvent();
        KXWindow::setActive(nullptr);
    }
};
