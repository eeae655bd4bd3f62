// Controls: buttons, sliders, text fields, combo boxes and HTML views, driven by commands and by
// the test user.
#include "graphics/GraphicsCommands.h"
#include "graphics/KXPixmap.h"
#include "tests/gui/ControlTestSupport.h"

#include <cstdlib>
#include <utility>

KX_STDCALL void HtmlViewRun(int view, KXString* script);

using Event = std::pair<int, int>;

TEST_F(ControlTest, ButtonKindsAndStates)
{
    int win = window("Buttons");
    int push = CreateButton(Str("Push"), 0, 0, 80, 20, win, 1);
    int check = CreateButton(Str("Check"), 0, 20, 80, 20, win, 2);
    int radioA = CreateButton(Str("A"), 0, 40, 80, 20, win, 3);
    int radioB = CreateButton(Str("B"), 0, 60, 80, 20, win, 3);
    EXPECT_EQ(take(GadgetText(push)), "Push");
    EXPECT_EQ(GadgetWidth(check), 80);

    SetButtonState(push, 1);
    EXPECT_EQ(ButtonState(push), 0);
    SetButtonState(check, 7);
    EXPECT_EQ(ButtonState(check), 1);
    SetButtonState(radioA, 1);
    SetButtonState(radioB, 1); // the program's own setting leaves the other radio button alone
    EXPECT_EQ(ButtonState(radioA), 1);

    user().click("Check");
    user().click("A");
    user().click("Push");
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(EventSource(), check);
    EXPECT_EQ(next(), Event(0x401, 1));
    EXPECT_EQ(EventSource(), radioA);
    EXPECT_EQ(ButtonState(radioB), 0); // a click checks one radio button of the group
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(EventSource(), push);

    int label = CreateLabel(Str("Text"), 0, 80, 80, 20, win, 1);
    EXPECT_RUNTIME_ERROR(ButtonState(label), "Invalid Gadget type");
    EXPECT_RUNTIME_ERROR(SetButtonState(0, 1), "Invalid Gadget handle");
    EXPECT_RUNTIME_ERROR(CreateButton(Str("x"), 0, 0, 1, 1, label, 1), "Invalid Group Gadget handle");
}

TEST_F(ControlTest, SliderRangeClampsPositions)
{
    int win = window("Slider");
    int s = CreateSlider(0, 0, 140, 18, win, 1);
    SetSliderRange(s, 10, 110);
    SetSliderValue(s, 500);
    EXPECT_EQ(SliderValue(s), 100);
    SetSliderValue(s, -3);
    EXPECT_EQ(SliderValue(s), 0);
    SetSliderValue(s, 57);
    SetSliderRange(s, 10, 50); // a smaller range pulls the position in
    EXPECT_EQ(SliderValue(s), 40);
    SetSliderRange(s, 200, 100); // a page wider than the range leaves one position
    SetSliderValue(s, 5);
    EXPECT_EQ(SliderValue(s), 0);
    SetSliderRange(s, 0, 0);
    EXPECT_EQ(SliderValue(s), 0);
    EXPECT_EQ(KXSlider::maxPosition(0, 109, 10), 100);
    EXPECT_EQ(KXSlider::maxPosition(0, 99, 0), 99);
    EXPECT_EQ(KXSlider::maxPosition(0, 0x7FFFFFFE, 0x7FFFFFFF), 0);
    EXPECT_RUNTIME_ERROR(SetSliderRange(win, 1, 2), "Invalid Gadget type");
}

TEST_F(ControlTest, SliderLinesPagesAndDrags)
{
    int win = window("Slider");
    int s = CreateSlider(0, 0, 140, 18, win, 1);
    SetSliderRange(s, 10, 110);
    user().scroll("#1", KXTestUser::Scroll::PageDown);
    user().scroll("#1", KXTestUser::Scroll::LineDown);
    user().scroll("#1", KXTestUser::Scroll::LineUp);
    user().slide("#1", 1000);
    user().scroll("#1", KXTestUser::Scroll::PageUp);
    EXPECT_EQ(next(), Event(0x401, 10));
    EXPECT_EQ(EventSource(), s);
    EXPECT_EQ(next(), Event(0x401, 11));
    EXPECT_EQ(next(), Event(0x401, 10));
    // A drag: the modal loop is entered first, the drop leaves it without an action event.
    EXPECT_EQ(next().first, 0x2004);
    EXPECT_TRUE(queue().isInModalLoop());
    // Headless the drag is one move; on a real display the pointer's motions may come one by
    // one, each a step toward the drop.
    std::pair<int, int> e = next();
    for (int last = 10; onRealDisplay() && e.first == 0x401 && e.second != 100 && e.second > last;)
        last = std::exchange(e, next()).second;
    EXPECT_EQ(e, Event(0x401, 100));
    EXPECT_EQ(next().first, 0x2005);
    EXPECT_FALSE(queue().isInModalLoop());
    EXPECT_EQ(next(), Event(0x401, 90));
    EXPECT_EQ(quiet(50), 0);
    EXPECT_EQ(SliderValue(s), 90);
}

TEST_F(ControlTest, TextFieldTypingAndEnter)
{
    int win = window("Fields");
    int a = CreateTextField(0, 0, 100, 20, win, 0);
    int b = CreateTextField(0, 30, 100, 20, win, 0);
    SetGadgetText(a, Str("x"));
    user().type("#1", "hi", false, true);
    user().type("#2", "", false, true);
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 'h'));
    EXPECT_EQ(EventSource(), a);
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 'i'));
    EXPECT_EQ(take(TextFieldText(a)), "xhi");
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 13)); // Enter: one event, consumed
    EXPECT_EQ(take(TextFieldText(a)), "xhi");
    EXPECT_EQ(take(GadgetText(a)), "x"); // the stored text is what the program set
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 13));
    EXPECT_EQ(EventSource(), b);
    EXPECT_EQ(quietBesidesKeys(), 0);
    EXPECT_EQ(KXTextField::lastChar(), 'i'); // Enter never becomes the last character

    // The last character persists between fields: an update of b reports 'i'.
    as<KXTextField>(b)->onTextUpdate();
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 'i'));

    SetGadgetText(a, Str("abcdef"));
    user().type("#1", "Z", true);
    EXPECT_EQ(nextBesidesKeys(), Event(0x401, 'Z'));
    EXPECT_EQ(take(TextFieldText(a)), "Z");
    EXPECT_RUNTIME_ERROR(TextFieldText(win), "Invalid TextField Gadget handle");
}

TEST_F(ControlTest, ComboSelectionWithAndWithoutEvents)
{
    int win = window("Combo");
    int c = CreateComboBox(0, 0, 100, 200, win, 0);
    AddGadgetItem(c, Str("BMP"), 0, -1);
    AddGadgetItem(c, Str("JPEG"), 0, -1);
    AddGadgetItem(c, Str("PNG"), 1, -1);
    EXPECT_EQ(SelectedGadgetItem(c), 2);
    EXPECT_EQ(quiet(30), 0); // selecting from the program raises nothing

    user().pick("#1", "JPEG");
    user().pickIndex("#1", 0);
    user().pickIndex("#1", 7);
    EXPECT_EQ(next(), Event(0x401, 1));
    EXPECT_EQ(EventSource(), c);
    EXPECT_EQ(SelectedGadgetItem(c), 1);
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(quiet(30), 0); // no item 7

    // Insertion and removal keep the item list and the native list in step.
    SelectGadgetItem(c, 1);
    InsertGadgetItem(c, 0, Str("GIF"), -1);
    EXPECT_EQ(SelectedGadgetItem(c), 2);
    RemoveGadgetItem(c, 0);
    EXPECT_EQ(SelectedGadgetItem(c), 1);
    RemoveGadgetItem(c, 1);
    EXPECT_EQ(SelectedGadgetItem(c), -1);
    EXPECT_EQ(CountGadgetItems(c), 2);
    ModifyGadgetItem(c, 1, Str("TIFF"), 3);
    EXPECT_EQ(take(GadgetItemText(c, 1)), "TIFF");
    EXPECT_RUNTIME_ERROR(RemoveGadgetItem(c, 5), "Gadget item list index out of range");
    EXPECT_EQ(CountGadgetItems(c), 2);
    ClearGadgetItems(c);
    EXPECT_EQ(SelectedGadgetItem(c), -1);
}

TEST_F(ControlTest, HtmlViewNavigates)
{
    int win = window("Help");
    int v = CreateHtmlView(10, 10, 373, 355, win, 0);
    EXPECT_EQ(take(HtmlViewCurrentURL(v)), "about:blank");
    HtmlViewGo(v, Str("help/PT-HowToUse.html"));
    HtmlViewGo(v, Str("https://example.org/"));
    HtmlViewBack(v);
    EXPECT_EQ(take(HtmlViewCurrentURL(v)), "help/PT-HowToUse.html");
    HtmlViewForward(v);
    HtmlViewForward(v);
    EXPECT_EQ(take(HtmlViewCurrentURL(v)), "https://example.org/");
    EXPECT_RUNTIME_ERROR(HtmlViewGo(win, Str("x")), "Invalid HTMLView Gadget handle");
    // Pages run no scripts here: a clear error, after the handle check.
    EXPECT_RUNTIME_ERROR(HtmlViewRun(v, Str("alert(1)")), "HtmlViewRun is not available on this platform");
    EXPECT_RUNTIME_ERROR(HtmlViewRun(win, Str("alert(1)")), "Invalid HTMLView Gadget handle");
}

// At the end of a run the modules go in the reverse order of their start, each releasing what
// was made through it: controls inside windows, canvases with their buffers, requested fonts.
TEST_F(ControlTest, ShutdownReleasesLiveControls)
{
    KX_SKIP_ON_REAL_DISPLAY("a forked child cannot answer a requester over its parent's X connection");
    EXPECT_EXIT(
        {
            int win = window("Left open");
            int panel = CreatePanel(0, 0, 100, 100, win, 1);
            CreateButton(Str("OK"), 0, 0, 10, 10, panel, 4);
            int c = CreateCanvas(0, 0, 20, 20, panel, 0);
            SetBuffer(CanvasBuffer(c));
            AddGadgetItem(CreateComboBox(0, 0, 50, 50, win, 0), Str("x"), 1, -1);
            user().answerFont("Mono", 10);
            RequestFont();
            KXModuleRegistry::global().shutdownSubsystemModules();
            KXModuleRegistry::global().shutdownUnaffiliatedModules();
            std::exit(KXObject::isLive(reinterpret_cast<void*>(intptr_t(c))) ? 2 : 0);
        },
        testing::ExitedWithCode(0), "");
}
