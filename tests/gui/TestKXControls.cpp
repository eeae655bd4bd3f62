// Controls: buttons, sliders, text fields, combo boxes, panels, canvases and HTML views, driven
// by commands and by the scripted user.
#include "graphics/GraphicsCommands.h"
#include "graphics/KXPixmap.h"
#include "gui/headless/HeadlessCanvas.h"
#include "gui/headless/HeadlessComboBox.h"
#include "gui/headless/HeadlessPanel.h"
#include "gui/headless/HeadlessTextField.h"
#include "tests/gui/ControlTestSupport.h"

#include <cstdlib>

KX_STDCALL void HtmlViewRun(int view, KXString* script);
#include <utility>

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
    EXPECT_EQ(next(), Event(0x401, 100));
    EXPECT_EQ(next().first, 0x2005);
    EXPECT_FALSE(queue().isInModalLoop());
    EXPECT_EQ(next(), Event(0x401, 90));
    EXPECT_EQ(WaitEvent(50), 0);
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
    EXPECT_EQ(next(), Event(0x401, 'h'));
    EXPECT_EQ(EventSource(), a);
    EXPECT_EQ(next(), Event(0x401, 'i'));
    EXPECT_EQ(take(TextFieldText(a)), "xhi");
    EXPECT_EQ(next(), Event(0x401, 13)); // Enter: one event, consumed
    EXPECT_EQ(take(TextFieldText(a)), "xhi");
    EXPECT_EQ(take(GadgetText(a)), "x"); // the stored text is what the program set
    EXPECT_EQ(next(), Event(0x401, 13));
    EXPECT_EQ(EventSource(), b);
    EXPECT_EQ(WaitEvent(50), 0);
    EXPECT_EQ(KXTextField::lastChar(), 'i'); // Enter never becomes the last character

    // The last character persists between fields: an update of b reports 'i'.
    as<KXTextField>(b)->onTextUpdate();
    EXPECT_EQ(next(), Event(0x401, 'i'));

    // Setting the text keeps caret and selection.
    auto* field = as<HeadlessTextField>(a);
    field->setSelection(1, 2);
    SetGadgetText(a, Str("abcdef"));
    EXPECT_EQ(field->selectionStart(), 1);
    EXPECT_EQ(field->selectionEnd(), 2);
    user().type("#1", "Z", true);
    EXPECT_EQ(next(), Event(0x401, 'Z'));
    EXPECT_EQ(take(TextFieldText(a)), "Z");
    EXPECT_RUNTIME_ERROR(TextFieldText(win), "Invalid TextField Gadget handle");
}

TEST_F(ControlTest, ComboSelectionWithAndWithoutEvents)
{
    int win = window("Combo");
    int c = CreateComboBox(0, 0, 100, 200, win, 0);
    auto* native = as<HeadlessComboBox>(c);
    AddGadgetItem(c, Str("BMP"), 0, -1);
    AddGadgetItem(c, Str("JPEG"), 0, -1);
    AddGadgetItem(c, Str("PNG"), 1, -1);
    EXPECT_EQ(SelectedGadgetItem(c), 2);
    EXPECT_EQ(WaitEvent(30), 0); // selecting from the program raises nothing
    EXPECT_EQ(native->nativeItems(), (std::vector<std::string> { "BMP", "JPEG", "PNG" }));

    user().pick("#1", "JPEG");
    user().pickIndex("#1", 0);
    user().pickIndex("#1", 7);
    EXPECT_EQ(next(), Event(0x401, 1));
    EXPECT_EQ(EventSource(), c);
    EXPECT_EQ(SelectedGadgetItem(c), 1);
    EXPECT_EQ(next(), Event(0x401, 0));
    EXPECT_EQ(WaitEvent(30), 0); // no item 7

    // Insertion and removal keep the item list and the native list in step.
    SelectGadgetItem(c, 1);
    InsertGadgetItem(c, 0, Str("GIF"), -1);
    EXPECT_EQ(SelectedGadgetItem(c), 2);
    RemoveGadgetItem(c, 0);
    EXPECT_EQ(SelectedGadgetItem(c), 1);
    RemoveGadgetItem(c, 1);
    EXPECT_EQ(SelectedGadgetItem(c), -1);
    EXPECT_EQ(CountGadgetItems(c), 2);
    EXPECT_EQ(native->nativeItems(), (std::vector<std::string> { "BMP", "PNG" }));
    ModifyGadgetItem(c, 1, Str("TIFF"), 3);
    EXPECT_EQ(take(GadgetItemText(c, 1)), "TIFF");
    EXPECT_EQ(native->nativeIcons()[1], -1); // no icon strip, no icon
    EXPECT_RUNTIME_ERROR(RemoveGadgetItem(c, 5), "Gadget item list index out of range");
    EXPECT_EQ(native->nativeItems().size(), 2u);
    ClearGadgetItems(c);
    EXPECT_TRUE(native->nativeItems().empty());
    EXPECT_EQ(SelectedGadgetItem(c), -1);

    HeadlessComboBox::failNextCreation();
    EXPECT_RUNTIME_ERROR(CreateComboBox(0, 0, 10, 10, win, 0), "Unable to create combobox");
}

TEST_F(ControlTest, PanelBackgroundColourAndImage)
{
    int win = window("Panels");
    int p = CreatePanel(0, 0, 10, 5, win, 1);
    auto* panel = as<HeadlessPanel>(p);
    auto pixel = [&](int x, int y) {
        KXRef<KXPixmap> shot(panel->render());
        KXSurfaceLock lock(shot.get());
        return reinterpret_cast<const uint32_t*>(lock.row(y))[x];
    };
    EXPECT_EQ(pixel(0, 0), HeadlessPanel::DefaultBackground);

    // rgb4x2.bmp: red, green, blue, white over black, red, green, blue.
    std::string file = std::string(KX_TEST_INPUTS) + "/images/rgb4x2.bmp";
    SetPanelColor(p, 1, 2, 3);
    SetPanelImage(p, Str(file.c_str()));
    EXPECT_TRUE(panel->hasImage());
    EXPECT_FALSE(panel->hasColor());
    EXPECT_EQ(pixel(0, 0), pixel(4, 0)); // tiled from the top-left corner
    EXPECT_EQ(pixel(1, 1), pixel(5, 3));
    EXPECT_EQ(pixel(9, 4), pixel(1, 0));
    EXPECT_NE(pixel(0, 0), 0xFF010203u);

    SetPanelImage(p, Str("missing/nothing.png")); // does not load: nothing changes
    EXPECT_TRUE(panel->hasImage());
    int repaints = panel->repaints();
    SetPanelColor(p, 0x1FF, 0x80, 0x40); // channels count modulo 256
    EXPECT_FALSE(panel->hasImage());
    EXPECT_EQ(pixel(9, 4), 0xFFFF8040u);
    EXPECT_EQ(panel->repaints(), repaints + 1);
    EXPECT_RUNTIME_ERROR(SetPanelColor(win, 0, 0, 0), "Invalid Panel Gadget handle");
}

TEST_F(ControlTest, NewCanvasIsOpaqueBlack)
{
    int win = window("Canvas");
    int panel = CreatePanel(0, 0, 50, 40, win, 0);
    int c = CreateCanvas(2, 2, 7, 5, panel, 0);
    auto* canvas = as<HeadlessCanvas>(c);
    int buffer = CanvasBuffer(c);
    ASSERT_NE(buffer, 0);
    EXPECT_EQ(GadgetGroup(c), panel);
    EXPECT_EQ(ClientWidth(c), 7);
    LockBuffer(buffer);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(uint32_t(ReadPixelFast(x, y, buffer)), 0xFF000000u) << x << "," << y;
    UnlockBuffer(buffer);
    EXPECT_EQ(canvas->flips(), 1);

    // Drawing reaches the screen only with a flip.
    int previous = SetBuffer(buffer);
    WritePixel(3, 2, int(0xFF123456u), 0);
    SetBuffer(previous);
    auto screenPixel = [&](int x, int y) {
        KXSurfaceLock lock(canvas->screen());
        return reinterpret_cast<const uint32_t*>(lock.row(y))[x];
    };
    EXPECT_EQ(screenPixel(3, 2), 0xFF000000u);
    FlipCanvas(c, 1);
    EXPECT_EQ(screenPixel(3, 2), 0xFF123456u);
    EXPECT_EQ(screenPixel(0, 0), 0xFF000000u);

    EXPECT_RUNTIME_ERROR(CanvasBuffer(panel), "Invalid Canvas Gadget handle");
    FreeGadget(panel); // the canvas and its buffer go with the panel
    EXPECT_FALSE(KXObject::isLive(reinterpret_cast<void*>(intptr_t(buffer))));
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
    EXPECT_TRUE(sys().log().called("Navigate \"https://example.org/\""));
    EXPECT_RUNTIME_ERROR(HtmlViewGo(win, Str("x")), "Invalid HTMLView Gadget handle");
    // Pages run no scripts here: a clear error, after the handle check.
    EXPECT_RUNTIME_ERROR(HtmlViewRun(v, Str("alert(1)")), "HtmlViewRun is not available on this platform");
    EXPECT_RUNTIME_ERROR(HtmlViewRun(win, Str("alert(1)")), "Invalid HTMLView Gadget handle");
}

// At the end of a run the modules go in the reverse order of their start, each releasing what
// was made through it: controls inside windows, canvases with their buffers, requested fonts.
TEST_F(ControlTest, ShutdownReleasesLiveControls)
{
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
