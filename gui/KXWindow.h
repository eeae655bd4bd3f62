// KXWindow: a top-level or owned frame window that holds gadgets, with an optional menu bar
// (built from a KXMenu tree) and status bar. The on* operations are the window procedure's
// neutral half: backends call them when their native window reports the matching message.
//
// Invariants: at most one window is the active window; a destroyed window is never active; the
// menu root lives as long as the window; minimised and maximised are never both set.
#pragma once

#include "gui/KXGroup.h"
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
    void minimize();
    void maximize();
    void restore();

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
    // Key messages (not auto-repeats): hot keys and modifiers first, then key events. Answer
    // true when a hot key or a modifier consumed the key, so it must not be processed further
    // (no character follows).
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
    // The minimum frame size changed; a platform whose window manager enforces it passes it on.
    virtual void nativeSetMinSize(int width, int height)
    {
        (void)width;
        (void)height;
    }

private:
    KXRef<KXMenu> m_menuRoot;
    int m_minWidth { 0 };
    int m_minHeight { 0 };
    bool m_minimized { false };
    bool m_maximized { false };
    KXRef<KXString> m_statusText;
    static inline KXWindow* s_active { nullptr };
};
