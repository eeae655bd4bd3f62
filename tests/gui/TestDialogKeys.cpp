// Keyboard focus and the dialog keys: Enter, Esc and Tab while a control has the focus, and the
// window's own keys while it has the focus itself.
#include "tests/gui/ControlTestSupport.h"

#include <utility>

KX_STDCALL void ShowGadget(int gadget);
KX_STDCALL void HideGadget(int gadget);
KX_STDCALL void DisableGadget(int gadget);
KX_STDCALL void ActivateGadget(int gadget);

using Event = std::pair<int, int>;

namespace {
KXGadget* focusOf(int win)
{
    return kxHandle<KXWindow>(win, "Window Gadget")->focusedGadget();
}
}

TEST_F(ControlTest, EnterClicksTheDefaultButtonElseGivesOk)
{
    int win = window("Dialog");
    int panel = CreatePanel(0, 0, 280, 180, win, 0);
    int other = CreateButton(Str("Other"), 0, 0, 80, 20, win, 1);
    int ok = CreateButton(Str("OK"), 90, 0, 80, 20, panel, 4);
    ActivateGadget(other);
    EXPECT_EQ(focusOf(win), kxHandle<KXGadget>(other, "Gadget"));

    user().stroke(28);
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(EventSource(), ok); // the default push button inside the panel, not the focused one
    EXPECT_EQ(quiet(50), 0); // neither key raised 0x101/0x102/0x103

    // A hidden or disabled default button is passed over: Enter is the OK key.
    HideGadget(ok);
    user().stroke(0x9c);
    EXPECT_EQ(next(), Event(0x104, 0));
    EXPECT_EQ(EventSource(), 0);
    ShowGadget(ok);
    DisableGadget(ok);
    user().stroke(28);
    EXPECT_EQ(next(), Event(0x104, 0));

    user().stroke(1);
    EXPECT_EQ(next(), Event(0x105, 0));
    EXPECT_EQ(quiet(50), 0);

    // Other keys reach the window as before.
    user().stroke(0x1e);
    EXPECT_EQ(next(), Event(0x101, 0x1e));
    EXPECT_EQ(next(), Event(0x103, 'a'));
    EXPECT_EQ(next(), Event(0x102, 0x1e));
}

TEST_F(ControlTest, EnterInAFocusedTextFieldIsTheFieldsOwn)
{
    int win = window("Form");
    int field = CreateTextField(0, 0, 100, 20, win, 0);
    CreateButton(Str("OK"), 0, 30, 80, 20, win, 4);
    user().type("#1", "x");
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 'x'));
    user().stroke(28);
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 13));
    EXPECT_EQ(EventSource(), field);
    EXPECT_EQ(quietBesidesKeys(), 0); // no button click, no 0x104
    EXPECT_EQ(take(TextFieldText(field)), "x");
}

TEST_F(ControlTest, WithoutAFocusedControlKeysGoToTheWindow)
{
    int win = window("Main");
    int button = CreateButton(Str("OK"), 0, 0, 80, 20, win, 4);
    CreateLabel(Str("Label"), 0, 30, 80, 20, win, 0);
    for (int raw : { 28, 1, 183 }) {
        user().stroke(raw);
        EXPECT_EQ(next(), Event(0x101, raw));
        EXPECT_EQ(EventSource(), win);
        if (raw != 183) {
            EXPECT_EQ(next().first, 0x103);
        }
        EXPECT_EQ(next(), Event(0x102, raw));
    }

    // ActivateGadget on the window takes the focus back from a control; a label never holds it
    // for the dialog keys.
    ActivateGadget(button);
    ActivateGadget(win);
    EXPECT_EQ(focusOf(win), nullptr);
    user().focus("Label");
    user().key(1, true);
    EXPECT_EQ(next(), Event(0x101, 1));
    EXPECT_EQ(next(), Event(0x103, 27));

    // Hot keys keep working while a control has the focus, the dialog keys included.
    HotKeyEvent(28, 0, 0x4242, 7, 0, 0, 0, 0);
    user().key(1, false);
    user().focus("OK");
    user().stroke(28);
    user().key(183, true);
    EXPECT_EQ(next(), Event(0x102, 1));
    EXPECT_EQ(next(), Event(0x4242, 7));
    EXPECT_EQ(next(), Event(0x101, 183));
}

TEST_F(ControlTest, TabMovesTheFocusBetweenTabStops)
{
    int win = window("Tabs");
    int a = CreateButton(Str("A"), 0, 0, 80, 20, win, 1);
    CreateLabel(Str("L"), 0, 20, 80, 20, win, 0);
    int field = CreateTextField(0, 40, 80, 20, win, 0);
    int slider = CreateSlider(0, 60, 80, 20, win, 1);
    int combo = CreateComboBox(0, 80, 80, 100, win, 0);
    DisableGadget(slider);
    auto gadget = [](int h) { return kxHandle<KXGadget>(h, "Gadget"); };

    user().click("A");
    user().stroke(15);
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(quiet(50), 0); // Tab raised nothing
    EXPECT_EQ(focusOf(win), gadget(field));

    user().stroke(15);
    user().stroke(15);
    EXPECT_EQ(quiet(50), 0);
    EXPECT_EQ(focusOf(win), gadget(a)); // past the disabled slider and the combo box, round again

    user().key(0x2a, true);
    user().stroke(15);
    user().key(0x2a, false);
    EXPECT_EQ(quiet(50), 0);
    EXPECT_EQ(focusOf(win), gadget(combo));

    // A freed control leaves the focus with the window. (On Qt the focus moves on to the next
    // control: clearing it there as the widget goes took the keyboard from the window's menus
    // once a window with the focus in it was freed.)
    FreeGadget(combo);
    if (kxPlatform() == KXPlatform::Headless)
        EXPECT_EQ(focusOf(win), nullptr);
    user().focus("#9");
    user().focus("#3");
    user().focus("#2");
    EXPECT_EQ(quiet(50), 0);
    EXPECT_EQ(focusOf(win), gadget(field));
}
