// HeadlessWindow: a program window on the headless platform: a frame and client rectangle on
// the virtual desktop, a native menu bar, a status bar text and the minimised/maximised state.
// The user* operations are what the scripted user does to it; they post native messages that
// the message loop delivers to the neutral window procedure.
#pragma once

#include "gui/KXWindow.h"
#include "gui/headless/HeadlessWidget.h"

#include <functional>
#include <string>
#include <vector>

class HeadlessControl;

class HeadlessWindow final : public KXWindow
    , public HeadlessWidget {
public:
    // Frame metrics of the headless window manager, in pixels.
    static constexpr int SizingBorder = 4, FixedBorder = 3, Caption = 20, SmallCaption = 16, MenuBarHeight = 20,
                         StatusBarHeight = 20;

    HeadlessWindow(KXGroup* group, int style);
    ~HeadlessWindow() override;

    // The window of a live handle, or null.
    static HeadlessWindow* live(HeadlessWindow* w);

    void setText(KXString* text) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void activate() override;

    // QueryObject: queries 1 and 2 answer the native handle.
    int query(int id) override;
    int nativeHandle() const { return m_nativeHandle; }
    // The native window style and extended style (window longs -16 and -20).
    int nativeStyle() const { return m_nativeStyle | (isVisible() ? 0x10000000 : 0); }
    int nativeExStyle() const { return m_nativeExStyle; }
    void setNativeStyle(int style) { m_nativeStyle = style & ~0x10000000; }
    void setNativeExStyle(int exStyle) { m_nativeExStyle = exStyle; }

    const KXRect& frame() const { return m_frame; }
    // The client rectangle on the desktop (status bar included).
    KXRect clientRect() const;
    const std::vector<KXNativeMenuItem>& nativeMenu() const { return m_menu; }
    // The enabled command entry with that native id in the menu bar, or null.
    const KXNativeMenuItem* findCommand(int commandId) const;
    const std::string& nativeStatusText() const { return m_status; }
    int menuBuilds() const { return m_menuBuilds; }

    // The control inside this window that has the keyboard focus while the window is active,
    // or null when the window itself has it.
    HeadlessControl* focusedControl() const { return m_focus; }
    void setFocusedControl(HeadlessControl* control) { m_focus = control; }

    // Scripted user. Each posts native messages and answers false when the action is not
    // possible (e.g. a menu item that is not on the menu bar or is grayed).
    bool userMenu(int menuId);
    void userClose();
    // A key goes down or up. An auto-repeat (a down while the key is already down) raises
    // nothing; a down that makes a character also raises the character (US layout). While a
    // tab-stop control of the active window has the focus, Enter, Esc and Tab go to the
    // dialog manager instead (see dialogKey).
    void userKey(int rawKey, bool down, bool repeat = false);
    // The character a raw key code types with the given Shift state, or 0.
    static int characterOf(int rawKey, bool shift);
    // Moves the frame inside a modal move loop (0x2004, moves, 0x2005), one step per position.
    void userDrag(const std::vector<std::pair<int, int>>& positions);
    // Resizes the frame as a user drag of the sizing border would, honouring the minimum size.
    void userResize(int width, int height);
    void userMinimize();
    void userMaximize();
    void userRestore();
    // Activation as the window manager gives it.
    void userActivate();

protected:
    KXRect frameForClient(const KXRect& client) const override;
    void nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight) override;
    int statusBarHeight() const override { return StatusBarHeight; }
    bool nativeActivate() override;
    void nativeSetMenu(std::vector<KXNativeMenuItem> bar) override;
    void nativeSetStatusText(KXString* text) override;
    void nativeMinimize() override;
    void nativeMaximize() override;
    void nativeRestore() override;

private:
    int border() const;
    int topInset() const;
    void clientSizeFor(const KXRect& frame, int& width, int& height) const;
    // The window procedure's handling of a size message of that type for frame.
    void sendSize(SizeType type, const KXRect& frame);
    void postToSelf(std::function<void(HeadlessWindow*)> fn);
    // The dialog manager's look at a key (hot keys first): with a visible, enabled tab-stop
    // control focused while this window is active, Enter gives a focused text field its Enter,
    // else clicks the first visible, enabled default push button, else is command 1; Esc is
    // command 2; Tab (Shift+Tab) moves the focus to the next (previous) tab-stop control.
    // Answers true when it consumed the key.
    bool dialogKey(int rawKey, bool down);
    void moveFocus(HeadlessControl* from, bool backwards);

    KXRect m_frame;
    KXRect m_restoreFrame;
    SizeType m_state { SizeType::Restored };
    std::vector<KXNativeMenuItem> m_menu;
    std::string m_status;
    int m_menuBuilds { 0 };
    bool m_shown { false };
    HeadlessControl* m_focus { nullptr };
    int m_nativeHandle;
    int m_nativeStyle;
    int m_nativeExStyle;
};
