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

    const KXRect& frame() const { return m_frame; }
    // The client rectangle on the desktop (status bar included).
    KXRect clientRect() const;
    const std::vector<KXNativeMenuItem>& nativeMenu() const { return m_menu; }
    // The enabled command entry with that native id in the menu bar, or null.
    const KXNativeMenuItem* findCommand(int commandId) const;
    const std::string& nativeStatusText() const { return m_status; }
    int menuBuilds() const { return m_menuBuilds; }

    // Scripted user. Each posts native messages and answers false when the action is not
    // possible (e.g. a menu item that is not on the menu bar or is grayed).
    bool userMenu(int menuId);
    void userClose();
    // A key goes down or up (a down while it is down is an auto-repeat): posts the native key
    // message that reaches onRawKey.
    void userKey(int rawKey, bool down);
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
    void nativeApplyStyle(int styleWord, int exStyleWord) override;

private:
    int border() const;
    int topInset() const;
    void clientSizeFor(const KXRect& frame, int& width, int& height) const;
    // The window procedure's handling of a size message of that type for frame.
    void sendSize(SizeType type, const KXRect& frame);
    void postToSelf(std::function<void(HeadlessWindow*)> fn);

    KXRect m_frame;
    KXRect m_restoreFrame;
    SizeType m_state { SizeType::Restored };
    std::vector<KXNativeMenuItem> m_menu;
    std::string m_status;
    int m_menuBuilds { 0 };
    bool m_shown { false };
    int m_nativeHandle;
};
