// The neutral window policy over a backend that only records what it is asked and reports what
// the test says the platform did: the window flags follow the window manager's reports, the
// keyboard drops auto-repeats, and the dialog keys and focus order work on neutral controls.
#include "gui/KXButton.h"
#include "gui/KXDialogKeys.h"
#include "gui/KXKeyboard.h"
#include "gui/KXTextField.h"
#include "tests/gui/GuiTestSupport.h"

#include <string>
#include <vector>

namespace {
std::vector<std::string> s_asked;

class ReportingWindow final : public KXWindow {
public:
    using KXWindow::KXWindow;

protected:
    KXRect frameForClient(const KXRect& client) const override { return client; }
    void nativeSetFrame(const KXRect& frame, int& clientWidth, int& clientHeight) override
    {
        s_asked.push_back("frame");
        clientWidth = frame.width;
        clientHeight = frame.height;
    }
    int statusBarHeight() const override { return 0; }
    bool nativeActivate() override { return true; }
    void nativeSetMenu(std::vector<KXNativeMenuItem>) override { }
    void nativeSetStatusText(KXString*) override { }
    void nativeMinimize() override { s_asked.push_back("minimize"); }
    void nativeMaximize() override { s_asked.push_back("maximize"); }
    void nativeRestore() override { s_asked.push_back("restore"); }
    void nativeApplyStyle(int styleWord, int) override { s_asked.push_back("style " + std::to_string(styleWord)); }
};

// A gadget that is no tab stop.
class Plain final : public KXGadget {
public:
    using KXGadget::KXGadget;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
};

class Button final : public KXButton {
public:
    using KXButton::KXButton;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
    void activate() override
    {
        s_asked.push_back("focus " + std::string(textView()));
        if (KXWindow* w = window())
            w->onFocusChanged(this);
    }
    void nativeClick() override
    {
        s_asked.push_back("click " + std::string(textView()));
        onClicked();
    }

protected:
    bool nativeChecked() const override { return false; }
    void nativeSetChecked(bool) override { }
};

class Field final : public KXTextField {
public:
    using KXTextField::KXTextField;
    void setShape(int x, int y, int width, int height) override { storeShape(x, y, width, height); }
    std::string currentText() const override { return {}; }
    void activate() override
    {
        s_asked.push_back("focus " + std::string(textView()));
        if (KXWindow* w = window())
            w->onFocusChanged(this);
    }
};

template<class T>
T* make(KXGroup* group, const char* text, int style = 0)
{
    auto* g = new T(group, style);
    g->completeCreation(0, 0, 80, 20, Str(text));
    return g;
}

class WindowPolicyTest : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        s_asked.clear();
        m_window = KXRef<ReportingWindow>(new ReportingWindow(nullptr, KXWindow::TitleBar | KXWindow::Resizable));
        m_window->completeCreation(10, 20, 300, 200, Str("Policy"));
        KXWindow::setActive(m_window.get());
        queue().reset();
        s_asked.clear();
    }
    void TearDown() override
    {
        m_window = {};
        GuiTest::TearDown();
    }
    // The next event as (id, data), or (0, 0).
    static std::pair<int, int> next()
    {
        int id = WaitEvent(0);
        return { id, id ? EventData() : 0 };
    }
    void stroke(int raw)
    {
        m_window->onRawKey(raw, true);
        m_window->onRawKey(raw, false);
    }
    KXRef<ReportingWindow> m_window;
};

using Event = std::pair<int, int>;
}

TEST_F(WindowPolicyTest, StateRequestsOnlyAskAndTheReportsSetTheFlags)
{
    KXWindow& w = *m_window;
    w.minimize();
    w.maximize();
    EXPECT_EQ(s_asked, (std::vector<std::string> { "minimize", "maximize" }));
    EXPECT_FALSE(w.isMinimized()); // the platform has not reported anything yet
    EXPECT_FALSE(w.isMaximized());
    EXPECT_EQ(WaitEvent(0), 0);

    w.onSized(KXWindow::SizeType::Minimized, { 0, 0, 160, 30 }, 150, 0);
    EXPECT_TRUE(w.isMinimized());
    EXPECT_EQ(next(), Event(0x802, 0));
    EXPECT_EQ(EventX(), 300); // a minimised window keeps its last shape
    EXPECT_EQ(w.width(), 300);

    w.onSized(KXWindow::SizeType::Maximized, { 0, 0, 800, 600 }, 790, 570);
    EXPECT_FALSE(w.isMinimized());
    EXPECT_TRUE(w.isMaximized());
    EXPECT_EQ(w.width(), 800);
    EXPECT_EQ(w.clientHeight(), 570);

    // A platform that ignores the request leaves the window as it was.
    w.restore();
    EXPECT_TRUE(w.isMaximized());
    w.onSized(KXWindow::SizeType::Restored, { 10, 20, 300, 200 }, 300, 200);
    EXPECT_FALSE(w.isMaximized());
    EXPECT_EQ(w.width(), 300);
}

TEST_F(WindowPolicyTest, TheWindowManagersMovesAndSizesReachTheProgram)
{
    KXWindow& w = *m_window;
    w.onMoved(40, 50);
    EXPECT_EQ(next(), Event(0x801, 0));
    EXPECT_EQ(EventX(), 40);
    EXPECT_EQ(EventY(), 50);
    EXPECT_EQ(EventSource(), kxToHandle(&w));
    EXPECT_EQ(w.x(), 40);
    EXPECT_EQ(w.width(), 300);

    w.onSized(KXWindow::SizeType::Restored, { 40, 50, 500, 260 }, 490, 230);
    EXPECT_EQ(next(), Event(0x802, 0));
    EXPECT_EQ(EventX(), 500);
    EXPECT_EQ(EventY(), 260);
    EXPECT_EQ(w.clientWidth(), 490);
    EXPECT_TRUE(s_asked.empty()); // reports never ask the platform back
}

TEST_F(WindowPolicyTest, WindowLongsHoldTheStyleWords)
{
    KXWindow& w = *m_window;
    // Overlapped with caption, clipped children, sizing frame, system menu and both boxes.
    EXPECT_EQ(w.windowLong(-16), 0x02CF0000 | 0x10000000);
    EXPECT_EQ(w.windowLong(-20), 0x100);
    EXPECT_EQ(w.windowLong(-21), 0);
    EXPECT_EQ(w.setWindowLong(-16, 0x00C00000), 0x02CF0000 | 0x10000000);
    EXPECT_EQ(w.windowLong(-16), 0x10C00000); // the shown bit follows the window, not the long
    EXPECT_EQ(s_asked.back(), "style " + std::to_string(0x10C00000));
    w.setVisible(false);
    EXPECT_EQ(w.windowLong(-16), 0x00C00000);
    EXPECT_EQ(w.setWindowLong(-3, 5), 0);
}

TEST_F(WindowPolicyTest, AutoRepeatsRaiseNothingAndShiftMakesCapitals)
{
    KXWindow& w = *m_window;
    w.onRawKey(0x2a, true);
    w.onRawKey(0x1e, true);
    w.onRawKey(0x1e, true); // held: the platform repeats the press
    w.onRawKey(0x1e, false);
    w.onRawKey(0x2a, false);
    w.onRawKey(0x1e, true);
    EXPECT_EQ(next(), Event(0x101, 0x1e));
    EXPECT_EQ(next(), Event(0x103, 'A'));
    EXPECT_EQ(next(), Event(0x102, 0x1e));
    EXPECT_EQ(next(), Event(0x101, 0x1e)); // released in between: a new press
    EXPECT_EQ(next(), Event(0x103, 'a'));
    EXPECT_EQ(next(), Event(0, 0));

    // Losing the keyboard to another program forgets the keys held.
    w.onAppActivation(false);
    EXPECT_EQ(next().first, 0x2001);
    EXPECT_FALSE(KXKeyboard::instance().isDown(0x1e));
    w.onRawKey(0x1e, true);
    EXPECT_EQ(next(), Event(0x101, 0x1e));
}

TEST_F(WindowPolicyTest, DialogKeysOnNeutralControls)
{
    KXWindow& w = *m_window;
    auto* panel = new KXGroup(&w, 0);
    panel->completeCreation(0, 100, 300, 100, nullptr);
    auto* push = make<Button>(&w, "Push", 1);
    auto* plain = make<Plain>(&w, "Plain");
    auto* field = make<Field>(&w, "Field");
    auto* hidden = make<Button>(&w, "Hidden", 4);
    auto* deflt = make<Button>(panel, "Default", 4);
    (void)plain;
    hidden->setVisible(false);

    // Without a focused control the keys belong to the window.
    stroke(0x1c);
    EXPECT_EQ(next(), Event(0x101, 0x1c));
    EXPECT_EQ(next(), Event(0x103, 13));
    EXPECT_EQ(next(), Event(0x102, 0x1c));

    push->activate();
    s_asked.clear();
    stroke(0x1c); // the first shown default button, inside the panel, created after the hidden one
    EXPECT_EQ(s_asked, (std::vector<std::string> { "click Default" }));
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(EventSource(), kxToHandle(deflt));
    stroke(0x01);
    EXPECT_EQ(next(), Event(0x105, 0));
    EXPECT_EQ(next(), Event(0, 0));

    deflt->setEnabled(false);
    stroke(0x9c);
    EXPECT_EQ(next(), Event(0x104, 0));

    // Tab: creation order over shown, enabled tab stops, round again; Shift+Tab backwards.
    s_asked.clear();
    stroke(0x0f);
    EXPECT_EQ(w.focusedGadget(), field);
    stroke(0x0f);
    EXPECT_EQ(w.focusedGadget(), push);
    w.onRawKey(0x2a, true);
    stroke(0x0f);
    w.onRawKey(0x2a, false);
    EXPECT_EQ(w.focusedGadget(), field);
    EXPECT_EQ(s_asked, (std::vector<std::string> { "focus Field", "focus Push", "focus Field" }));
    EXPECT_EQ(KXDialogKeys::nextInFocusOrder(w, field, false), push);
    EXPECT_EQ(next(), Event(0, 0)); // neither Tab nor Shift raised anything

    // A focused text field takes its own Enter.
    stroke(0x1c);
    EXPECT_EQ(next(), Event(0x401, 13));
    EXPECT_EQ(EventSource(), kxToHandle(field));

    // An inactive window gets the keys as key events; a freed control leaves the focus.
    KXWindow::setActive(nullptr);
    stroke(0x01);
    EXPECT_EQ(next(), Event(0x101, 0x01));
    EXPECT_EQ(next(), Event(0x103, 27));
    EXPECT_EQ(next(), Event(0x102, 0x01));
    field->release();
    EXPECT_EQ(w.focusedGadget(), nullptr);
}
