// KXDialogKeys: the dialog keys and focus order every platform's windows share. While a tab-stop
// control of the active window has the keyboard focus, Enter, Esc and Tab belong to the dialog
// instead of reaching the window as key events:
// - Enter gives a focused text field its Enter; otherwise it clicks the first visible, enabled
//   default push button of the window (creation order, through panels), else it is the OK key
//   (command 1).
// - Esc is the Cancel key (command 2).
// - Tab (Shift+Tab) moves the focus to the next (previous) visible, enabled tab-stop control of
//   the window in creation order, round from the last to the first.
// Hot keys are seen first, also for these keys.
#pragma once

class KXGadget;
class KXWindow;

class KXDialogKeys {
public:
    // A key that is not an auto-repeat, for window. Answers true when it was consumed (the
    // release of a consumed key included), so it must raise no key event.
    static bool handle(KXWindow& window, int rawKey, bool down);
    // The control after from in the window's focus order (backwards: before it); from itself
    // when it is the only one.
    static KXGadget* nextInFocusOrder(KXWindow& window, KXGadget* from, bool backwards);
    // The first visible, enabled default push button of the window, or null.
    static KXGadget* defaultButton(KXWindow& window);
};
