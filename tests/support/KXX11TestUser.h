// KXX11TestUser: the test user at a real X server. Mouse and keys go through XTest, the window
// manager's moves, sizes and state changes through its EWMH client messages, and the places to
// click come from the program's widgets (QtTestScreen).
//
// Actions are queued; a timer of the message loop plays them while the program waits. Each
// action is a list of steps; a step runs on every tick until it reports done or fails (what a
// user cannot do, like choosing a grayed menu item: the action is dropped, as tests ask on
// purpose). A step whose time limit (scaled by kxTestLimitMs) runs out fails the running test. XTest input is synced with the server, and the next step waits for a sync point:
// the effect it needs (a menu or list opened, a window's state changed), or a mark in the X
// event stream the toolkit has taken, with every program window's requests confirmed
// (KXWindow::sync). No step waits a fixed time.
//
// Invariants: m_display is the user's own connection, opened on first use; m_held lists the X
// key codes and buttons pressed and not released, so dropInput can let go of them.
#pragma once

#include "tests/support/KXTestUser.h"

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class KXGadget;
class KXWindow;
struct QtTestBox;
struct _XDisplay;

class KXX11TestUser final : public KXTestUser {
public:
    KXX11TestUser();
    ~KXX11TestUser() override;

    void click(const std::string& gadget) override;
    void key(int rawKey, bool down) override;
    void focus(const std::string& control) override;
    void type(const std::string& field, const std::string& text, bool replace, bool enter) override;
    void pick(const std::string& combo, const std::string& item) override;
    void slide(const std::string& slider, int value) override;
    void scroll(const std::string& slider, Scroll how) override;
    void pickIndex(const std::string& combo, int index) override;
    void menu(int menuId) override;
    void close(const std::string& title) override;
    void move(const std::string& title, int x, int y) override;
    void resize(const std::string& title, int width, int height) override;
    void minimize(const std::string& title) override;
    void maximize(const std::string& title) override;
    void restore(const std::string& title) override;
    void answerFile(const std::string& path) override;
    void answerDir(const std::string& path) override;
    void answerColor(int red, int green, int blue) override;
    void answerButton(const std::string& button) override;
    void answerFont(const std::string& name, int height, int style) override;
    void answerCancel() override;
    void wait(int ms) override;
    bool isDone() const override;
    void forget() override;
    void awaitWindow(int window) override;
    void dropInput() override;
    void resetPlatform() override;

    // The X key code of a raw key (the scan code key events carry), or 0.
    static unsigned xKeyCodeOf(int rawKey);

private:
    // A step answers Done, Again (run me on the next tick) or Failed.
    enum class Step { Done,
        Again,
        Failed };
    using StepFn = std::function<Step()>;
    struct Action {
        std::string what;
        std::vector<StepFn> steps;
    };

    void add(const std::string& what, std::vector<StepFn> steps);
    void tick();

    // Step builders.
    StepFn pause(int ms);
    // Clicks at the middle of what where locates (where answers Done once it did, Again while
    // it waits for it to show, Failed when it cannot be there).
    StepFn clickAt(std::function<Step(int& x, int& y)> where);
    // Done with (x, y) the box's middle when it is valid; else Again, or Failed once limitMs
    // (when not negative) passed since the step began.
    Step located(const QtTestBox& box, int& x, int& y, int limitMs = -1) const;
    // located for the gadget named so, of that kind.
    Step locateGadget(const std::string& name, bool (*ofKind)(KXGadget*), int& x, int& y) const;
    StepFn keyStep(int rawKey, bool down);
    StepFn typeText(const std::string& text);
    StepFn until(std::function<bool()> condition);
    // The sync point after input: Qt has taken every X event the input raised, and no program
    // window has anything pending.
    StepFn synced();
    // Marks the X event stream (QtTestScreen::markerWindow); answers the mark's serial.
    long sendMarker();
    static bool windowsSettled();
    // Steps that click into a requester's text box, replace its text with text and press Enter.
    std::vector<StepFn> fillDialogEdit(int edit, const std::string& text, bool enter);
    // Waits for a requester of that kind (Closed: any) and remembers it; dialogGone tells when
    // that requester has closed (another may have opened since).
    std::vector<StepFn> awaitDialog(int kind);
    bool dialogGone() const;

    // Input.
    _XDisplay* display();
    void fakeKey(unsigned keyCode, bool down);
    void fakeButton(int x, int y, bool down);
    void fakeMotion(int x, int y);
    void sendWmMessage(unsigned long window, const char* type, long a0, long a1, long a2, long a3, long a4);

    // Finding things by the names the tests use.
    static KXGadget* findGadget(const std::string& name, bool (*ofKind)(KXGadget*));
    static KXWindow* findWindow(const std::string& title);

    _XDisplay* m_display { nullptr };
    std::deque<Action> m_actions;
    size_t m_step { 0 };
    std::chrono::steady_clock::time_point m_stepStart {};
    bool m_stepStarted { false };
    bool m_inTick { false };
    std::vector<unsigned> m_heldKeys;
    bool m_buttonHeld { false };
    unsigned long m_dialog { 0 }; // the X id of the requester being answered
    long m_markers { 0 }; // marks sent
};
