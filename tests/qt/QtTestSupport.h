// Shared set-up for the Qt backend's tests: the Qt GUI started once on the test's own X server,
// the command entry points, and the other side of the X server (xdotool, xwininfo, import) run
// as a user would run them, while the program waits for events.
#pragma once

#include "base/KXCallConv.h"
#include "base/KXModuleDependencies.h"
#include "base/KXModuleRegistry.h"
#include "core/KXHandle.h"
#include "core/KXString.h"
#include "gui/KXEventDriver.h"
#include "gui/KXQueFilter.h"
#include "gui/KXWindow.h"
#include "runtime/KXProgram.h"
#include "tests/support/KXShell.h"
#include "tests/support/KXTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <vector>

KX_STDCALL int CreateWindow(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL void FreeGadget(int gadget);
KX_STDCALL void ShowGadget(int gadget);
KX_STDCALL void HideGadget(int gadget);
KX_STDCALL void SetGadgetShape(int gadget, int x, int y, int width, int height);
KX_STDCALL int GadgetX(int gadget);
KX_STDCALL int GadgetY(int gadget);
KX_STDCALL int GadgetWidth(int gadget);
KX_STDCALL int GadgetHeight(int gadget);
KX_STDCALL int ClientWidth(int group);
KX_STDCALL int ClientHeight(int group);
KX_STDCALL int QueryObject(int object, int query);
KX_STDCALL int CreateMenu(KXString* text, int id, int parent);
KX_STDCALL int WindowMenu(int window);
KX_STDCALL void UpdateWindowMenu(int window);
KX_STDCALL int SetStatusText(int window, KXString* text);
KX_STDCALL void ActivateWindow(int window);
KX_STDCALL int ActiveWindow();
KX_STDCALL void ActivateGadget(int gadget);
KX_STDCALL void MinimizeWindow(int window);
KX_STDCALL void MaximizeWindow(int window);
KX_STDCALL void RestoreWindow(int window);
KX_STDCALL int WindowMinimized(int window);
KX_STDCALL int WindowMaximized(int window);
KX_STDCALL int WaitEvent(int timeout);
KX_STDCALL int EventID();
KX_STDCALL int EventData();
KX_STDCALL int EventX();
KX_STDCALL int EventY();
KX_STDCALL int EventSource();
KX_STDCALL void FlushEvents(int kind, int source);
KX_STDCALL int CreateTimer(float hertz);
KX_STDCALL void FreeTimer(int timer);
KX_STDCALL int CreatePanel(int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetPanelColor(int panel, int red, int green, int blue);
KX_STDCALL int CreateLabel(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL int CreateButton(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL int ButtonState(int button);
KX_STDCALL int CreateSlider(int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetSliderRange(int slider, int visible, int total);
KX_STDCALL int CreateComboBox(int x, int y, int width, int height, int group, int style);
KX_STDCALL void AddGadgetItem(int gadget, KXString* item, int select, int icon);
KX_STDCALL int CreateTextField(int x, int y, int width, int height, int group, int style);
KX_STDCALL void SetGadgetText(int gadget, KXString* text);
KX_STDCALL int CreateCanvas(int x, int y, int width, int height, int group, int style);
KX_STDCALL int CanvasBuffer(int canvas);
KX_STDCALL void FlipCanvas(int canvas, int vwait);
KX_STDCALL int CreateHtmlView(int x, int y, int width, int height, int group, int style);
KX_STDCALL int SetBuffer(int buffer);
KX_STDCALL void Color(int red, int green, int blue);
KX_STDCALL void Cls();
KX_STDCALL void Rect(int x, int y, int width, int height, int solid);
KX_STDCALL int Proceed(KXString* text, int serious);
KX_STDCALL KXString* RequestFile(KXString* prompt, KXString* exts, int save, KXString* defname);
KX_STDCALL void VWait(int frames);

// A string argument as compiled code lends it.
struct Str {
    KXRef<KXString> s;
    Str(const char* text)
        : s(KXString::create(text))
    {
    }
    operator KXString*() const { return s.get(); }
};

inline std::string take(KXString* s)
{
    KXRef<KXString> r(s);
    return r ? r->str() : std::string();
}

// The output of a shell command.
inline std::string shell(const std::string& command) { return kxShellOutput(command); }

// A shell command run beside the program, as another X client; the program keeps waiting for
// events meanwhile.
inline std::future<int> user(const std::string& command)
{

    return std::async(std::launch::async, [command] { return std::system(command.c_str()); });
}

// The user answers the dialog titled title once it shows: brings it to the front and types keys
// (xdotool key arguments), or text first when given. Should the answer go astray, the user closes
// a dialog of that title still open after 30 s (scaled) with Esc, so a failing test ends.
inline std::future<int> answerDialog(const std::string& title, const std::string& keys, const std::string& text = "")
{
    const std::string find = "xdotool search --sync --onlyvisible --name '^" + title + "$' windowactivate --sync";
    std::system(("(sleep " + std::to_string(kxTestLimitMs(30000) / 1000) + "; xdotool search --onlyvisible --name '^" + title + "$' windowactivate key Escape) >/dev/null 2>&1 &").c_str());
    std::string typing = text.empty() ? "" : "; sleep 0.5; xdotool type --delay 30 '" + text + "'; sleep 0.3";
    return user(find + typing + "; xdotool key " + keys);
}

struct SeenEvent {
    int id, data, x, y, source;
};

class QtTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static bool started = [] {
            // A key held while a loaded machine runs the test must not repeat into the next dialog.
            std::system("xset r off");
            kxSelectPlatformConfigs(KXModuleRegistry::global());
            return kxStartModule("QtGuiDriver") && kxStartSubsystem("Gui") && kxStartSubsystem("Canvas");
        }();
        ASSERT_TRUE(started);
        drain();
    }
    void TearDown() override
    {
        for (int g : m_gadgets)
            FreeGadget(g);
        drain();
    }
    int keep(int gadget)
    {
        m_gadgets.push_back(gadget);
        return gadget;
    }
    // Lets the loop run for ms, dropping what arrives.
    static void drain(int ms = 200)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (std::chrono::steady_clock::now() < end)
            WaitEvent(20);
        m_seen().clear();
    }
    // Runs the loop, dropping what arrives, until pred holds (at most the scaled limit).
    template<class Pred>
    static bool until(Pred pred)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(5000));
        while (!pred() && std::chrono::steady_clock::now() < end)
            WaitEvent(20);
        return pred();
    }
    // Waits until the window manager confirmed everything asked of the window, and drops the
    // events that raised (a window just made: its showing).
    static bool shown(int window)
    {
        bool done = synced(window);
        while (WaitEvent(0)) {
        }
        m_seen().clear();
        return done;
    }
    // Waits until the window manager confirmed everything asked of the window (KXWindow::sync).
    static bool synced(int window) { return kxHandle<KXWindow>(window, "Window Gadget")->sync(kxTestLimitMs(8000)); }
    // Waits (at most ms, scaled) for an event with that id (and source, when not 0); every event
    // taken meanwhile is kept in seen().
    static bool waitFor(int id, int source = 0, int ms = 8000, SeenEvent* out = nullptr)
    {
        auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kxTestLimitMs(ms));
        while (std::chrono::steady_clock::now() < end) {
            if (!WaitEvent(50))
                continue;
            SeenEvent e { EventID(), EventData(), EventX(), EventY(), EventSource() };
            m_seen().push_back(e);
            if (e.id == id && (!source || e.source == source)) {
                if (out)
                    *out = e;
                return true;
            }
        }
        return false;
    }
    static std::vector<SeenEvent>& m_seen()
    {
        static std::vector<SeenEvent> seen;
        return seen;
    }
    // The X window id (in decimal) of a program window.
    static std::string xid(int window) { return std::to_string(unsigned(QueryObject(window, 1))); }
    // A value of xwininfo's report on the window ("Absolute upper-left X", "Width"...).
    static int xwininfo(int window, const std::string& field)
    {
        std::string out = shell("xwininfo -id " + xid(window));
        size_t at = out.find(field + ":");
        return at == std::string::npos ? -99999 : std::atoi(out.c_str() + at + field.size() + 1);
    }
    struct XFrame {
        int x, y, width, height;
    };
    // The window manager's frame around a program window: the client window xwininfo reports,
    // grown by the frame extents the window manager announces (_NET_FRAME_EXTENTS).
    static XFrame frameOf(int window)
    {
        int l = 0, r = 0, t = 0, b = 0;
        std::string ext = shell("xprop -id " + xid(window) + " _NET_FRAME_EXTENTS");
        size_t at = ext.find('=');
        if (at != std::string::npos)
            std::sscanf(ext.c_str() + at + 1, " %d , %d , %d , %d", &l, &r, &t, &b);
        return { xwininfo(window, "Absolute upper-left X") - l, xwininfo(window, "Absolute upper-left Y") - t,
            xwininfo(window, "Width") + l + r, xwininfo(window, "Height") + t + b };
    }
    // Moves the pointer to (x, y) on the screen and clicks the left button there.
    static std::future<int> clickAt(int x, int y)
    {
        return user("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1");
    }

private:
    std::vector<int> m_gadgets;
};
