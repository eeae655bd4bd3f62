// Secondary windows: auto-save folder, Reset Settings, how-to page and About.
#include "pictorra.h"

namespace {

constexpr int WindowStyle = 17; // title bar, outer frame size
constexpr int PushButton = 1;
constexpr int TickerRows = 4;
constexpr int RowHeight = 14;

// The common frame: the main window disabled, the secondary window made.
void openwindow(kx_str title, int x, int y, int width, int height)
{
    DisableGadget(win);
    infowin = CreateWindow(title, x, y, width, height, win, WindowStyle);
}

// Centred on the main window.
void opencentred(kx_str title, int width, int height)
{
    openwindow(title, GadgetX(win) + (winwidth >> 1) - (width >> 1), GadgetY(win) + (winheight >> 1) - (height >> 1),
        width, height);
}

void closewindow()
{
    EnableGadget(win);
    FreeGadget(infowin);
    ActivateWindow(win);
}

bool closing() { return EventID() == 0x803 && EventSource() == infowin; }

bool clicked(int gadget) { return EventID() == 0x401 && EventSource() == gadget; }

// The credits ticker: holds at the top, scrolls up one row's worth, holds, scrolls back.
struct ticker {
    int offset = 0, state = 0, counter = 0;

    void advance()
    {
        const int bottom = -(TickerRows - 3) * RowHeight;
        if (state == 0 && ++counter > 100) {
            counter = 0;
            state = 1;
        }
        if (state == 1 && --offset < bottom) {
            offset = bottom;
            state = 2;
        }
        if (state == 2 && ++counter > 100) {
            counter = 0;
            state = 3;
        }
        if (state == 3 && ++offset > 0) {
            offset = 0;
            state = 0;
        }
    }
};

}

// Chooses the auto-save folder; Ok stores it at once, Cancel or closing restores the folder in
// force when the window opened. The field only shows the folder: typing into it changes nothing.
int autosavedirec()
{
    opencentred(txAutoDirTitle, 510, 157);
    int frame = CreatePanel(10, 10, 484, 71, infowin, 1);
    CreateLabel(txAutoDirLabel, 10, 10, 265, 18, frame, 0);
    int field = CreateTextField(10, 34, 370, 20, frame, 0);
    SetGadgetText(field, autosavedir);
    int change = CreateButton(txChange, 390, 33, 80, 22, frame, PushButton);
    int ok = CreateButton(txOk, 164, 96, 80, 22, infowin, PushButton);
    int cancel = CreateButton(txCancel, 260, 96, 80, 22, infowin, PushButton);
    kx_localstr remembered;
    remembered = autosavedir;

    while (WaitEvent(-1)) {
        {
            kx_temps t;
            if (!kxeq(t(TextFieldText(field)), autosavedir))
                SetGadgetText(field, autosavedir);
        }
        if (clicked(change)) {
            kx_temps t;
            kx_str answer = t(RequestDir(txSelectFolder, kx_empty()));
            if (Len(answer) != 0) {
                SetGadgetText(field, answer);
                autosavedir = answer;
            }
        }
        if (clicked(ok)) {
            writeconfig();
            break;
        }
        if (clicked(cancel) || closing()) {
            autosavedir = remembered;
            break;
        }
    }
    closewindow();
    return 0;
}

int resetsettings()
{
    opencentred(txResetTitle, 220, 103);
    CreateLabel(txAreYouSure, 75, 15, 70, 18, infowin, 0);
    int yes = CreateButton(txYes, 20, 42, 80, 22, infowin, PushButton);
    int cancel = CreateButton(txCancel, 115, 42, 80, 22, infowin, PushButton);
    MessageBeep(0x30);
    while (WaitEvent(-1)) {
        if (clicked(yes)) {
            resetdefaults();
            break;
        }
        if (clicked(cancel) || closing())
            break;
    }
    closewindow();
    return 0;
}

int showhowtoinfo()
{
    openwindow(txHowToTitle, cendeskx - 200, cendesky - 200, 400, 400);
    int view = CreateHtmlView(10, 10, 373, 355, infowin, 0);
    SetGadgetLayout(view, 1, 1, 1, 1);
    {
        kx_temps t;
        HtmlViewGo(view, kxcat(t, t(CurrentDir()), txHowToPage));
    }
    while (WaitEvent(-1)) {
        if (closing())
            break;
    }
    closewindow();
    return 0;
}

// The About window: the logo over the running plasma, and the credits ticker.
int showproginfo()
{
    opencentred(txAboutTitle, 300, 277);
    CreateLabel(txTitle, 189, 10, 93, 18, infowin, 0);
    CreateLabel(txVersion, 205, 24, 60, 18, infowin, 0);
    CreateLabel(txSpecialThanks, 189, 78, 95, 18, infowin, 0);
    int clip = CreatePanel(180, 92, 104, 42, infowin, 0);
    const int listheight = TickerRows * RowHeight + 4;
    int list = CreatePanel(0, 0, 104, listheight, clip, 0);
    kx_cstr_base* credits[TickerRows] = { &txCredit1, &txCredit2, &txCredit3, &txCredit4 };
    for (int row = 0; row < TickerRows; ++row)
        CreateLabel(*credits[row], 0, row * RowHeight, 104, 18, list, 0);
    int ok = CreateButton(txOk, 192, 181, 80, 22, infowin, PushButton);
    int frame = CreatePanel(10, 10, 160, 160, infowin, 1);
    SetPanelColor(frame, 0, 0, 0);
    int canvas = CreateCanvas(0, 0, 160, 160, frame, 0);

    MessageBeep(0x40);
    ResetTimer(plasupdtimer);
    ResumeTimer(plasupdtimer);
    ticker credits_ticker;
    while (int id = WaitEvent(-1)) {
        if (clicked(ok) || closing())
            break;
        if (id == 0x203)
            continue;
        plasma(devlogo);
        SetBuffer(CanvasBuffer(canvas));
        DrawBlock(plasmaimage, -2, -1, 0);
        FlipCanvas(canvas, 0);
        credits_ticker.advance();
        SetGadgetShape(list, 0, credits_ticker.offset, 104, listheight);
    }
    ResetTimer(plasupdtimer);
    PauseTimer(plasupdtimer);
    closewindow();
    return 0;
}
