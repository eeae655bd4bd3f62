// QtWindow: a program window on the Qt platform: a top-level main window whose frame the window
// manager draws, with an optional menu bar and status bar, and a client widget that holds the
// children at their gadget positions. Geometry, activation, state and close requests that the
// window manager reports go to the neutral window procedure, as do raw keys.
//
// Invariants: m_frame is the frame the program was last told of (or set itself); the native
// main window exists while this window lives and goes (later, outside its own handlers) with it.
#pragma once

#include "gui/KXWindow.h"
#include "gui/qt/QtWidgetHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

class QtWindow final : public KXWindow
    , public QtWidgetHost {
public:
    QtWindow(KXGroup* group, int style);
    ~QtWindow() override;

    // The program window a widget lies in (not a dialog the window owns), or null.
    static QtWindow* ofWidget(QWidget* widget);
    // The program window whose main window is the top-level widget with that X window id, or
    // null (another program's window, or a dialog of the backend's own).
    static QtWindow* ofHandle(int handle);
    // Gives a top-level widget the title bar's buttons a style word names: the minimise and
    // maximise boxes and the system menu with the close box. The widget keeps its native
    // window.
    static void applyTitleBarStyle(QWidget* window, int styleWord);

    void setText(KXString* text) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setFont(KXFont* font) override;
    void activate() override;
    // QueryObject: queries 1 and 2 answer the X window id of the client window.
    int query(int id) override;

    QWidget* clientWidget() const override { return m_client; }
    QMainWindow* nativeWindow() const { return m_native; }
    const KXRect& frame() const { return m_frame; }

    // Raw facts from the platform. A key went down or up (autoRepeat: Qt's flag; text: what the
    // keyboard layout types); answers true when the key must not reach the focused control.
    bool reportKey(int rawKey, bool down, bool autoRepeat, const QString& text);
    // The keyboard focus moved to widget (inside this window).
    void reportFocus(QWidget* widget);
    // The window manager moved or sized the window (or changed its state).
    void reportGeometry();
    void reportStateChange();
    void reportActivation(bool active);
    void reportCloseRequest() { onCloseRequest(); }
    // The application as a whole became active or inactive.
    static void reportApplicationState(bool active);

protected:
    KXRect frameForClient(const KXRect& client) const override;
    void nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight) override;
    int statusBarHeight() const override;
    bool nativeActivate() override;
    void nativeSetMenu(std::vector<KXNativeMenuItem> bar) override;
    void nativeSetStatusText(KXString* text) override;
    void nativeMinimize() override;
    void nativeMaximize() override;
    void nativeRestore() override;
    void nativeSetMinSize(int width, int height) override;
    void nativeApplyStyle(int styleWord, int exStyleWord) override;

private:
    struct Margins {
        int left, top, right, bottom;
    };
    class Native;
    // The window manager's frame around the client window: measured once mapped, before that the
    // last measurement for windows of the same decoration.
    Margins margins() const;
    int decorationKind() const;
    // Whether the user may resize the window: its style word has the sizing frame.
    bool isUserSizable() const { return styleWord() & SizingFrameBit; }
    int menuBarHeight() const;
    void clientSize(const QSize& inner, int& width, int& height) const;
    SizeType nativeState() const;
    void fillMenu(QMenu* menu, QMenuBar* bar, const std::vector<KXNativeMenuItem>& items);

    QPointer<QMainWindow> m_native;
    QWidget* m_client { nullptr }; // owned by m_native
    QLabel* m_status { nullptr }; // owned by m_native's status bar
    KXRect m_frame;
    bool m_shown { false };
    bool m_settingFrame { false };
    static inline Margins s_margins[3] { { 0, 0, 0, 0 }, { 1, 22, 1, 1 }, { 1, 18, 1, 1 } };
    static inline bool s_appActive { false };
};
