// KXTestUser: a person at the screen, for the GUI and end-to-end tests: clicks, keys, menus, the
// window manager's moves, sizes and state changes, and answers to requesters. Tests drive the
// program through it instead of a backend's internals, so the same test can run on any platform
// that has an implementation: the headless scripted user (KXHeadlessTestUser) and a person at a
// real X server (KXX11TestUser, over XTest and the window manager).
//
// Actions are queued and carried out in order by the program's message loop while the program
// waits for events (WaitEvent, PeekEvent, input polling), so a test states the actions, then
// takes the events they raise. Controls are named by their text, or by "#N", the N-th control of
// the action's kind in creation order; windows by their title.
#pragma once

#include <string>

class KXTestUser {
public:
    virtual ~KXTestUser() = default;

    // The test user of the platform in force.
    static KXTestUser& instance();

    // Mouse and keyboard.
    virtual void click(const std::string& gadget) = 0;
    // rawKey: the scan code the key events carry (plus 0x80 for extended keys).
    virtual void key(int rawKey, bool down) = 0;
    void stroke(int rawKey)
    {
        key(rawKey, true);
        key(rawKey, false);
    }
    virtual void focus(const std::string& control) = 0;
    // Clicks into a text field and types text; replace selects the old text first; enter
    // presses Enter after it.
    virtual void type(const std::string& field, const std::string& text, bool replace = false, bool enter = false) = 0;
    // Chooses a combo box item by its text.
    virtual void pick(const std::string& combo, const std::string& item) = 0;
    // Drags a slider's thumb to value.
    virtual void slide(const std::string& slider, int value) = 0;
    // Clicks a slider's arrow (a line) or its bar beside the thumb (a page).
    enum class Scroll { LineUp,
        LineDown,
        PageUp,
        PageDown };
    virtual void scroll(const std::string& slider, Scroll how) = 0;
    // Chooses a combo box item by its index.
    virtual void pickIndex(const std::string& combo, int index) = 0;
    // Chooses the menu item with the program's id in the menu bar of the program's window.
    virtual void menu(int menuId) = 0;

    // The window manager.
    virtual void close(const std::string& title) = 0;
    // Drags the window by its title bar to (x, y).
    virtual void move(const std::string& title, int x, int y) = 0;
    // Drags the window's sizing border to a frame of width x height.
    virtual void resize(const std::string& title, int width, int height) = 0;
    virtual void minimize(const std::string& title) = 0;
    virtual void maximize(const std::string& title) = 0;
    virtual void restore(const std::string& title) = 0;

    // Answers to the next requester.
    virtual void answerFile(const std::string& path) = 0;
    virtual void answerDir(const std::string& path) = 0;
    virtual void answerColor(int red, int green, int blue) = 0;
    // button: ok, cancel, yes, no or close (the close box).
    virtual void answerButton(const std::string& button) = 0;
    virtual void answerFont(const std::string& name, int height, int style = 0) = 0;
    virtual void answerCancel() = 0;

    // The next action waits until ms milliseconds have passed.
    virtual void wait(int ms) = 0;
    // True when every action given has been carried out.
    virtual bool isDone() const = 0;
    // Drops the actions not carried out yet.
    virtual void forget() = 0;

    // Lets the platform finish showing a window the program just made (mapping, the window
    // manager's placement, activation), running the message loop without taking events.
    virtual void awaitWindow(int window) { (void)window; }
    // Between tests: drops the platform's waiting input and anything the user still holds
    // (before the test's windows go), then resets what the platform keeps about its desktop
    // (after they went).
    virtual void dropInput() = 0;
    virtual void resetPlatform() = 0;
};
