// KXWindow: a top-level or owned frame window that holds gadgets, with an optional menu bar
// (built from a KXMenu tree) and status bar.
//
// Backends derive a native window from it. They perform native operations only (the protected
// native* functions) and report what the platform did through the public on* entry points, the
// window procedure's neutral half; all policy (keys, dialog keys, focus order, the window flags,
// the events raised) lives here and in KXKeyboard/KXDialogKeys. What a backend must report:
// - every native key press and release for the window, auto-repeats included: onRawKey;
// - every move and size the window manager made, the program's own requests included, once the
//   window has been shown and the platform confirmed it: onMoved/onSized (with the size type:
//   restored, minimised, maximised), so the flags follow the platform; what the program asked
//   and the platform has not confirmed yet is pending (nativePending) until it does;
// - activation: onActivated (and onAppActivation when the whole program gains or loses it);
// - the close box: onCloseRequest; menu commands: onCommand; the keyboard focus moving to a
//   control of the window or to the window itself: onFocusChanged; modal move/size loops:
//   onModalLoop.
//
// Invariants: at most one window is the active window; a destroyed window is never active; the
// menu root lives as long as the window; minimised and maximised are never both set, and change
// only in onSized (minimize/maximize/restore only ask the platform); the focused gadget is null
// or a live gadget inside this window.
#pragma once

#include "gui/KXGroup.h"
#include "gui/KXKeyboard.h"
#include "gui/KXMenu.h"

struct KXRect {
    int x { 0 }, y { 0 }, width { 0 }, height { 0 };
    bool operator==(const KXRect&) const = default;
};

class KXWindow : public KXGroup {
public:
    // Style bits of CreateWindow. Append-only.
    enum Style : int { TitleBar = 1,
        Resizable = 2,
        MenuBar = 4,
        StatusBar = 8,
        FrameVariant = 16,
        ClientCoords = 32 };
    // Kinds of size message.
    enum class SizeType : int { Restored = 0,
        Minimized = 1,
        Maximized = 2 };

    KXWindow(KXGroup* group, int style);
    void free() override;

    // With style bit 32 the shape describes the client area (status bar excluded) and is
    // converted to the frame first; either way the frame moves and the children are laid out.
    void setShape(int x, int y, int width, int height) override;

    static KXWindow* active() { return s_active; }
    static void setActive(KXWindow* window) { s_active = window; }
    // Brings the window to the front; when the platform accepts, it becomes the active window.
    void activateWindow();
    // Rebuilds the native menu bar from the menu tree.
    void updateMenu();
    // Sets the status bar text; answers false (doing nothing) without a status bar.
    bool setStatusText(KXString* text);
    // A negative width or height stands for the current one.
    void setMinSize(int width, int height);
    // Ask the platform to minimise, maximise or restore the window; the flags change when the
    // platform reports the new state through onSized.
    void minimize();
    void maximize();
    void restore();
    // Runs the message loop, without taking events, until the platform confirmed everything
    // asked of the window (its frame, state, showing and activation) or limitMs passed; answers
    // whether nothing asked is pending any more. Returns at once where the platform reports
    // synchronously.
    bool sync(int limitMs = 5000);

    // Bits of the style word that platforms act on: the sizing frame (the user may resize the
    // window), the minimise and maximise boxes and the system menu (the close box).
    static constexpr int SizingFrameBit = 0x00040000, MinimizeBoxBit = 0x00020000, MaximizeBoxBit = 0x00010000,
                         SystemMenuBit = 0x00080000;

    // The native style words as window longs report them: the style (with 0x10000000 while
    // the window is shown) and the extended style, as the window's style bits make them.
    int styleWord() const { return m_styleWord | (isVisible() ? VisibleStyleBit : 0); }
    int exStyleWord() const { return m_exStyleWord; }
    // Window longs: index -16 is the style word, -20 the extended style; other indices answer
    // 0. Setting answers the previous value and lets the backend apply the new words. The one
    // writer of the style words: the runtime and the desktop services (SetWindowLong from a
    // shared library) both change them here.
    int windowLong(int index) const;
    int setWindowLong(int index, int value);

    // The gadget that has the keyboard focus while the window is active, or null when the
    // window itself has it.
    KXGadget* focusedGadget() const { return m_focus; }

    KXMenu* menuRoot() const { return m_menuRoot.get(); }
    int minWidth() const { return m_minWidth; }
    int minHeight() const { return m_minHeight; }
    bool isMinimized() const { return m_minimized; }
    bool isMaximized() const { return m_maximized; }
    KXString* statusText() const { return m_statusText.get(); }
    bool hasStatusBar() const { return style() & StatusBar; }
    bool hasMenuBar() const { return style() & MenuBar; }
    const char* typeName() const override { return "Window Gadget"; }

    // Window procedure, neutral half.
    void onMoved(int x, int y);
    // frame: the new frame rectangle; clientWidth/clientHeight: the client rectangle without
    // the status bar. While minimised only the flags change.
    void onSized(SizeType type, const KXRect& frame, int clientWidth, int clientHeight);
    void onActivated();
    void onCloseRequest();
    // A menu command: 1 OK key, 2 Cancel key, >= 100 menu item id + 100; 3..99 ignored.
    void onCommand(int commandId);
    void onAppActivation(bool active);
    void onModalLoop(bool entered);
    // The keyboard focus moved to gadget (a control inside this window), or to the window
    // itself (null).
    void onFocusChanged(KXGadget* gadget);
    // The backend's one key entry: a native key press or release for this window, raw key code
    // (see KXKeyboard.h). Every press is reported, auto-repeats included; a release only when
    // the key really went up (not the release half of a platform's synthetic repeat).
    // typed is the character the platform's keyboard layout makes of the press (0: none), or
    // KXKeyboard::FromTable to take it from the US table (KXKeyboard::characterOf).
    // Auto-repeats raise nothing; then the dialog keys (KXDialogKeys), hot keys and modifiers;
    // then key events, and for a press the character it types. Answers true when the key was
    // consumed (a dialog key, a hot key or a modifier), so a backend with native controls must
    // not pass it on to them; auto-repeats and plain keys answer false.
    bool onRawKey(int rawKey, bool down, int typed = KXKeyboard::FromTable);
    // The steps of onRawKey after the keyboard and the dialog keys. Answer true when a hot key
    // or a modifier consumed the key, so it must not be processed further (no character
    // follows).
    bool onKeyDown(int rawKey);
    bool onKeyUp(int rawKey);
    void onChar(int code);

protected:
    // Backend operations.
    // The frame rectangle that gives a client rectangle (status bar already included) for this
    // window's style and menu bar.
    virtual KXRect frameForClient(const KXRect& client) const = 0;
    // Moves the native frame. The backend reports the result through onMoved/onSized when the
    // window is shown, and answers the client size (status bar excluded) it now has.
    virtual void nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight) = 0;
    virtual int statusBarHeight() const = 0;
    virtual bool nativeActivate() = 0;
    virtual void nativeSetMenu(std::vector<KXNativeMenuItem> bar) = 0;
    virtual void nativeSetStatusText(KXString* text) = 0;
    virtual void nativeMinimize() = 0;
    virtual void nativeMaximize() = 0;
    virtual void nativeRestore() = 0;
    // Applies new style words (window longs) to the native window: the title bar's buttons,
    // whether the user may resize it. Called by setWindowLong only. Default: nothing to apply.
    virtual void nativeApplyStyle(int styleWord, int exStyleWord)
    {
        (void)styleWord;
        (void)exStyleWord;
    }
    // The minimum frame size changed; a platform whose window manager enforces it passes it on.
    virtual void nativeSetMinSize(int width, int height)
    {
        (void)width;
        (void)height;
    }
    // Whether something the window was asked (a frame, a state, showing, activation) still
    // awaits the platform's confirmation. Default: nothing; the platform reports at once.
    virtual bool nativePending() const { return false; }

private:
    static constexpr int VisibleStyleBit = 0x10000000;
    // The style words a window with these style bits is created with.
    static int styleWordFor(int style);
    static int exStyleWordFor(int style);

    KXRef<KXMenu> m_menuRoot;
    int m_minWidth { 0 };
    int m_minHeight { 0 };
    bool m_minimized { false };
    bool m_maximized { false };
    KXRef<KXString> m_statusText;
    KXGadget* m_focus { nullptr };
    int m_styleWord;
    int m_exStyleWord;
    static inline KXWindow* s_active { nullptr };
};
