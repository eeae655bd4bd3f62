// QtClipboard: pictures on the system clipboard (the X CLIPBOARD selection) through Qt. A picture
// put there stays offered while the program runs, or until another program takes the clipboard;
// a picture another program put there is read in any image form Qt reads (PNG and BMP among them).
//
// Taking the selection needs a timestamp no older than the current owner's; Qt's is the time of
// the last event it saw, which in a program that only polls may be older than another program's
// copy. So each change first shows Qt a fresh server time, and checks that the change took.
#pragma once

#include "gui/KXDesktopServices.h"

class QImage;
typedef struct _XDisplay Display;

class QtClipboard {
public:
    explicit QtClipboard(Display* display);

    // False for a picture whose size and pixel count disagree, or when the clipboard could not
    // be taken.
    bool put(const KXClipPicture& picture);
    // False, out unchanged, when the clipboard holds no readable picture.
    bool read(KXClipPicture& out);
    bool hasPicture();
    // Takes the clipboard from whoever holds it and offers nothing.
    void empty();
    // When this program owns the clipboard, hands its picture to the running clipboard manager
    // (the CLIPBOARD_MANAGER selection's owner, asked to SAVE_TARGETS), or where none runs,
    // the hand-off fails or the picture is larger than one transfer, to a keeper process
    // (trova-clipkeeper beside the executable) that serves it after the program ends, until
    // another client takes the clipboard. True when one of them took it or the clipboard is not
    // this program's; false when neither could within a few seconds.
    bool keep();

private:
    // Offers picture (null: nothing) until the selection's owner is this program (or none, for
    // null). False when it would not change hands.
    bool take(const QImage* picture);
    // The clipboard manager's SAVE_TARGETS hand-off; true when the manager saved the picture.
    bool handToManager();
    // Lets Qt see an event stamped with the server's current time.
    void refreshTime();
    // Whether the X selection's owner is a window of this program's connection (or None for
    // wantNone).
    bool ownerIsUs(bool wantNone) const;

    Display* m_display;
    unsigned long m_clipboardAtom;
    unsigned long m_timeAtom;
};
