// Headless controls: what the native text field, combo box, panel, canvas and HTML view hold.
#include "graphics/GraphicsCommands.h"
#include "graphics/KXPixmap.h"
#include "gui/headless/HeadlessCanvas.h"
#include "gui/headless/HeadlessComboBox.h"
#include "gui/headless/HeadlessPanel.h"
#include "gui/headless/HeadlessTextField.h"
#include "tests/headless/HeadlessTestSupport.h"

TEST_F(HeadlessControlTest, PanelBackgroundColourAndImage)
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

TEST_F(HeadlessControlTest, NewCanvasIsOpaqueBlack)
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

TEST_F(HeadlessControlTest, SettingTheTextKeepsCaretAndSelection)
{
    int win = window("Fields");
    int a = CreateTextField(0, 0, 100, 20, win, 0);
    auto* field = as<HeadlessTextField>(a);
    SetGadgetText(a, Str("xhi"));
    field->setSelection(1, 2);
    SetGadgetText(a, Str("abcdef"));
    EXPECT_EQ(field->selectionStart(), 1);
    EXPECT_EQ(field->selectionEnd(), 2);
}

TEST_F(HeadlessControlTest, TheNativeComboListFollowsTheItems)
{
    int win = window("Combo");
    int c = CreateComboBox(0, 0, 100, 200, win, 0);
    auto* native = as<HeadlessComboBox>(c);
    AddGadgetItem(c, Str("BMP"), 0, -1);
    AddGadgetItem(c, Str("JPEG"), 0, -1);
    AddGadgetItem(c, Str("PNG"), 1, -1);
    EXPECT_EQ(native->nativeItems(), (std::vector<std::string> { "BMP", "JPEG", "PNG" }));
    InsertGadgetItem(c, 0, Str("GIF"), -1);
    RemoveGadgetItem(c, 0);
    RemoveGadgetItem(c, 1);
    EXPECT_EQ(native->nativeItems(), (std::vector<std::string> { "BMP", "PNG" }));
    ModifyGadgetItem(c, 1, Str("TIFF"), 3);
    EXPECT_EQ(native->nativeItems()[1], "TIFF");
    EXPECT_EQ(native->nativeIcons()[1], -1); // no icon strip, no icon
    EXPECT_RUNTIME_ERROR(RemoveGadgetItem(c, 5), "Gadget item list index out of range");
    EXPECT_EQ(native->nativeItems().size(), 2u);
    ClearGadgetItems(c);
    EXPECT_TRUE(native->nativeItems().empty());

    HeadlessComboBox::failNextCreation();
    EXPECT_RUNTIME_ERROR(CreateComboBox(0, 0, 10, 10, win, 0), "Unable to create combobox");
}

TEST_F(HeadlessControlTest, HtmlViewNavigatesTheNativeView)
{
    int win = window("Help");
    int v = CreateHtmlView(10, 10, 373, 355, win, 0);
    HtmlViewGo(v, Str("https://example.org/"));
    EXPECT_TRUE(sys().log().called("Navigate \"https://example.org/\""));
}
