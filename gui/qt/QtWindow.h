// QtWindow: a program window on the Qt platform: a top-level main window whose frame the window
// manager draws, with an optional menu bar and status bar, and a client widget that holds the
// children at their gadget positions. Geometry, activation, state and close requests that the
// window manager reports go to the neutral window procedure, as do raw keys.
//
// What the program asks (a frame, minimise/maximise/restore, showing, activation) is only asked:
// it stays pending until the X server and the window manager confirm it (WM_STATE,
// _NET_WM_STATE, the frame's ConfigureNotify, the focus), and only what they confirm reaches the
// neutral window. The frame is the window manager's frame: the client window is placed inside
// it by the frame extents this window (or, before it was first mapped, the last mapped window of
// the same decoration) had.
//
// Invariants: m_frame is the frame the program was last told of (a hidden window: the one it
// asked for); the native main window exists while this window lives and goes (later, outside
// its own handlers) with it.
#pragma once

#include "gui/KXWindow.h"
#include "gui/qt/QtWidgetHost.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <optional>
#include <unordered_map>

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
    // The program window whose window manager's frame is that X window, or null.
    static QtWindow* ofFrame(unsigned long frame);
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
    // The X server or the window manager may have changed the window (its configuration, a
    // property, its mapping): what they confirm is read back once control is in the loop again.
    // configured: the news was a ConfigureNotify, the window manager's answer to a frame asked.
    void reportServerChange(bool configured = false);
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
    bool nativePending() const override;

private:
    struct Margins {
        int left, top, right, bottom;
    };
    class Native;
    // The window manager's frame around the client window: measured once mapped, before that the
    // last measurement for windows of the same decoration.
    Margins margins() const;
    int decorationKind() const;
    // Places the client window inside frame by the frame extents known now.
    void place(const KXRect& frame);
    // Reads what the server and the window manager confirm and reports what changed.
    void confirm();
    // Whether the user may resize the window: its style word has the sizing frame.
    bool isUserSizable() const { return styleWord() & SizingFrameBit; }
    int menuBarHeight() const;
    void clientSize(const QSize& inner, int& width, int& height) const;
    void fillMenu(QMenu* menu, QMenuBar* bar, const std::vector<KXNativeMenuItem>& items);

    QPointer<QMainWindow> m_native;
    QWidget* m_client { nullptr }; // owned by m_native
    QLabel* m_status { nullptr }; // owned by m_native's status bar
    KXRect m_frame;
    bool m_shown { false };
    // Asked and not confirmed yet. A frame the window manager answers otherwise is placed again
    // by what was missing, and dropped after its third answer (the window manager decided).
    static constexpr int AnswersPerFrame = 3;
    struct AskedFrame {
        KXRect frame;
        int answersLeft;
    };
    std::optional<AskedFrame> m_askedFrame;
    std::optional<SizeType> m_askedState;
    // The frame before the window was maximised.
    std::optional<KXRect> m_normalFrame;
    bool m_askedMapped { false };
    bool m_askedActive { false };
    bool m_confirmPosted { false };
    bool m_configured { false };
    // The window manager's frame window, watched for its moves (0: not known).
    unsigned long m_frameWindow { 0 };
    static std::unordered_map<unsigned long, QtWindow*>& frames();
    void forgetFrame();
    // This window's frame extents, once the window manager announced them.
    std::optional<Margins> m_extents;
    static inline Margins s_margins[3] { { 0, 0, 0, 0 }, { 1, 20, 1, 5 }, { 1, 18, 1, 5 } };
    static inline bool s_appActive { false };
};
