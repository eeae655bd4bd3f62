// Qt controls, canvases and requesters on a real X server: a demo window with every control
// kind (left as a screenshot under the build folder), a click on a button, a flipped canvas seen
// in a grab of the screen, and requesters answered with real key presses.
#include "tests/qt/QtTestSupport.h"

#include "core/KXHandle.h"
#include "gui/KXIconStrip.h"
#include "gui/qt/QtButton.h"
#include "gui/qt/QtCanvas.h"
#include "gui/qt/QtComboBox.h"
#include "runtime/KXAppTitle.h"

#include <filesystem>
#include <fstream>

KX_STDCALL void SetGadgetIconStrip(int gadget, int strip);

namespace {
constexpr int Titled = 1, Resizable = 2, MenuBar = 4, StatusBar = 8;

template<class T>
QPoint screenPos(int gadget, const char* type, int dx, int dy)
{
    auto* g = dynamic_cast<T*>(kxHandle<KXGadget>(gadget, type));
    return g ? g->widget()->mapToGlobal(QPoint(dx, dy)) : QPoint(-1, -1);
}

// The colour of one pixel of a PNG file, as 0xRRGGBB (-1 when unreadable).
int pixelOf(const std::string& png, int x, int y)
{
    std::string out = shell("convert " + png + " -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y)
        + " -depth 8 txt:- | tail -1");
    size_t at = out.find('#');
    return at == std::string::npos ? -1 : int(std::stoul(out.substr(at + 1, 6), nullptr, 16));
}
}

TEST_F(QtTest, DemoWindowWithEveryControlKind)
{
    int win = keep(CreateWindow(Str("Every control"), 40, 40, 560, 420, 0, Titled | Resizable | MenuBar | StatusBar));
    int file = CreateMenu(Str("&File"), 0, WindowMenu(win));
    CreateMenu(Str("&Open"), 1, file);
    CreateMenu(Str("&Help"), 0, WindowMenu(win));
    UpdateWindowMenu(win);
    SetStatusText(win, Str("Ready"));
    int panel = CreatePanel(10, 10, 250, 120, win, 1);
    SetPanelColor(panel, 40, 120, 200);
    CreateLabel(Str("A sunken label"), 10, 10, 150, 22, panel, 2);
    int push = CreateButton(Str("Push"), 280, 10, 90, 28, win, 1);
    CreateButton(Str("Check"), 280, 45, 120, 24, win, 2);
    CreateButton(Str("Radio A"), 280, 72, 120, 24, win, 3);
    CreateButton(Str("Radio B"), 280, 96, 120, 24, win, 3);
    CreateButton(Str("Default"), 400, 10, 90, 28, win, 4);
    int slider = CreateSlider(10, 140, 250, 18, win, 1);
    SetSliderRange(slider, 10, 100);
    int combo = CreateComboBox(280, 130, 150, 26, win, 0);
    // Item icons from an icon strip: magenta, then cyan.
    KXRef<KXPixmap> strip(KXPixmap::create(32, 16, 4));
    ASSERT_TRUE(strip);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            reinterpret_cast<uint32_t*>(strip->row(y))[x] = x < 16 ? 0xFF00FFu : 0x00FFFFu;
    KXRef<KXIconStrip> icons(KXIconStrip::create(strip.get()));
    ASSERT_TRUE(icons);
    SetGadgetIconStrip(combo, kxToHandle(icons.get()));
    AddGadgetItem(combo, Str("First"), 1, 0);
    AddGadgetItem(combo, Str("Second"), 0, 1);
    int field = CreateTextField(10, 170, 250, 24, win, 0);
    SetGadgetText(field, Str("Some text"));
    int canvas = CreateCanvas(280, 170, 120, 80, win, 0);
    SetBuffer(CanvasBuffer(canvas));
    Color(255, 0, 0);
    Rect(0, 0, 60, 80, 1);
    Color(0, 255, 0);
    Rect(60, 0, 60, 80, 1);
    FlipCanvas(canvas, 1);
    int html = CreateHtmlView(10, 200, 250, 120, win, 0);
    (void)html;
    drain(1000);

    std::filesystem::create_directories(KX_BUILD_DIR "/screenshots");
    const std::string png = KX_BUILD_DIR "/screenshots/qt-demo.png";
    ASSERT_EQ(std::system(("import -window root " + png).c_str()), 0);
    // The canvas shows its pattern: red on the left half, green on the right.
    QPoint left = screenPos<QtCanvas>(canvas, "Canvas Gadget", 20, 40);
    QPoint right = screenPos<QtCanvas>(canvas, "Canvas Gadget", 100, 40);
    EXPECT_EQ(pixelOf(png, left.x(), left.y()), 0xFF0000);
    EXPECT_EQ(pixelOf(png, right.x(), right.y()), 0x00FF00);
    // The panel's colour is on the screen.
    QPoint inPanel = screenPos<QtButton>(push, "Button Gadget", -30, 100);
    EXPECT_EQ(pixelOf(png, inPanel.x(), inPanel.y()), 0x2878C8);
    // The combo box's items carry their icons, and the selected one's shows on the screen.
    auto* box = dynamic_cast<QtComboBox*>(kxHandle<KXGadget>(combo, "ComboBox Gadget"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->widget()->itemIcon(0).pixmap(16, 16).toImage().pixel(8, 8), 0xFFFF00FFu);
    EXPECT_EQ(box->widget()->itemIcon(1).pixmap(16, 16).toImage().pixel(8, 8), 0xFF00FFFFu);
    QPoint boxAt = box->widget()->mapToGlobal(QPoint(0, 0));
    std::string magenta = shell("convert " + png + " -crop 60x26+" + std::to_string(boxAt.x()) + "+" + std::to_string(boxAt.y())
        + " -depth 8 txt:- | grep -ci '#FF00FF'");
    EXPECT_GT(std::atoi(magenta.c_str()), 20) << "magenta pixels in the combo box";

    // A real click on the push button.
    QPoint p = screenPos<QtButton>(push, "Button Gadget", 45, 14);
    auto click = clickAt(p.x(), p.y());
    SeenEvent e {};
    ASSERT_TRUE(waitFor(0x401, push, 8000, &e));
    click.get();
    EXPECT_EQ(e.data, 0);
}

TEST_F(QtTest, CheckBoxClickTogglesItsState)
{
    int win = keep(CreateWindow(Str("Check"), 60, 60, 300, 150, 0, Titled));
    int check = CreateButton(Str("Check me"), 20, 20, 150, 24, win, 2);
    ASSERT_TRUE(shown(win));
    QPoint p = screenPos<QtButton>(check, "Button Gadget", 8, 12);
    auto click = clickAt(p.x(), p.y());
    SeenEvent e {};
    ASSERT_TRUE(waitFor(0x401, check, 8000, &e));
    click.get();
    EXPECT_EQ(e.data, 1);
    EXPECT_EQ(ButtonState(check), 1);
}

TEST_F(QtTest, DialogKeysTypedOnTheControls)
{
    int win = keep(CreateWindow(Str("Dialog keys"), 60, 60, 320, 180, 0, Titled));
    int check = CreateButton(Str("Option"), 20, 20, 120, 24, win, 2);
    int field = CreateTextField(20, 60, 150, 24, win, 0);
    int ok = CreateButton(Str("OK"), 200, 100, 80, 28, win, 4);
    ASSERT_TRUE(shown(win));
    ActivateGadget(check);
    // Enter on a check box clicks the default push button; the check box stays as it was.
    auto enter = user("xdotool windowactivate --sync " + xid(win) + " key Return");
    SeenEvent e {};
    ASSERT_TRUE(waitFor(0x401, 0, 8000, &e));
    enter.get();
    EXPECT_EQ(e.source, ok);
    EXPECT_EQ(ButtonState(check), 0);
    // Tab moves the focus on to the text field, where Enter is the field's own action.
    auto tab = user("xdotool key Tab sleep 0.3 key Return");
    ASSERT_TRUE(waitFor(0x401, field, 8000, &e));
    tab.get();
    EXPECT_EQ(e.data, 13);
}

TEST_F(QtTest, MessageBoxAnsweredWithKeys)
{
    int win = keep(CreateWindow(Str("Owner"), 60, 60, 300, 150, 0, Titled));
    ASSERT_TRUE(shown(win));
    (void)win;
    const std::string title = kxAppTitle();
    auto yes = answerDialog(title, "Return");
    EXPECT_EQ(Proceed(Str("Go on?"), 0), 1);
    yes.get();
    drain(300);
    auto cancel = answerDialog(title, "Escape");
    EXPECT_EQ(Proceed(Str("Really?"), 1), -1);
    cancel.get();
}

TEST_F(QtTest, FileRequesterAnsweredWithKeys)
{
    int win = keep(CreateWindow(Str("Files"), 60, 60, 300, 150, 0, Titled));
    ASSERT_TRUE(shown(win));
    (void)win;
    const std::string dir = "/tmp/trova-qt-files-" + std::to_string(getpid());
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/picture.txt") << "x";
    auto typing = answerDialog("Open a file", "Return", dir + "/picture.txt");
    std::string chosen = take(RequestFile(Str("Open a file"), Str("txt"), 0, Str("")));
    typing.get();
    EXPECT_EQ(chosen, dir + "/picture.txt");
    std::filesystem::remove_all(dir);
}
