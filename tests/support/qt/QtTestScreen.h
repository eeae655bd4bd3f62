// QtTestScreen: where the Qt widgets of the program stand on the screen, for the test user at
// the X server: gadgets, menu items, the open combo box list, slider parts and the controls of
// an open requester. Every answer is in root-window pixels and only valid while the widget
// shows; the header carries no Qt types, so the X11 test user stays free of the toolkit.
#pragma once

#include <functional>
#include <string>
#include <vector>

class KXGadget;
class KXWindow;

struct QtTestBox {
    int x { 0 }, y { 0 }, width { 0 }, height { 0 };
    bool valid { false };
    int centerX() const { return x + width / 2; }
    int centerY() const { return y + height / 2; }
};

class QtTestScreen {
public:
    // Calls tick every ms milliseconds from Qt's loop (also inside menus and modal dialogs).
    static void every(int ms, std::function<void()> tick);

    // A sync point with the toolkit. The X id of a hidden window of the program's own and the
    // name of a property: another X client that changes the property after its input marks
    // the X event stream there, and markersSeen counts the changes Qt has taken. Once a change
    // was taken, every X event before it has been taken too; the next pass of the loop has
    // delivered them to the widgets.
    static unsigned long markerWindow();
    static const char* markerProperty() { return "_TROVA_TEST_SYNC"; }
    static long markersSeen();
    // Whether the open requester's window is the active window.
    static bool dialogActive();
    // Whether Qt counts the application as active (one of its windows has the focus).
    static bool applicationActive();

    // Where the gadget's widget takes a click (a check box's or radio button's indicator, any
    // other widget whole), when it shows.
    static QtTestBox gadget(const KXGadget* gadget);
    // The X id of the program window's client window (0: none).
    static unsigned long windowId(const KXWindow* window);
    // The menu entry at path (indices from the menu bar down): the bar entry, or an entry of a
    // menu that is open now.
    static QtTestBox menuEntry(const KXWindow* window, const std::vector<int>& path);
    // Item index of the combo box's list, while the list is open.
    static QtTestBox comboItem(const KXGadget* combo, int index);

    enum class SliderPart { LineUp,
        LineDown,
        PageUp,
        PageDown,
        Thumb };
    static QtTestBox sliderPart(const KXGadget* slider, SliderPart part);
    // Where the middle of the thumb stands at the scroll bar position value.
    static QtTestBox thumbAt(const KXGadget* slider, int value);

    // The modal requester that is open now (Closed: none).
    enum class Dialog { Closed,
        Message,
        File,
        Color,
        Font,
        Other };
    static Dialog openDialog();
    // A message box's button: ok, cancel, yes or no.
    static QtTestBox messageButton(const std::string& name);
    // The text boxes of the open requester the user types into.
    enum class Edit { FileName,
        ColorName,
        FontFamily,
        FontStyle,
        FontSize };
    static QtTestBox dialogEdit(Edit edit);
    // The open requester's accepting button (a file requester's Open, Save or Choose).
    static QtTestBox acceptButton();
    // The font requester's Underline box.
    static QtTestBox fontUnderline();
    // Which widget has the keyboard focus and which window is active, for traces.
    static std::string describeFocus();
    // The X id of the open requester's window (0: none).
    static unsigned long dialogWindowId();
};
