// Transform, thumbnail and preview of the capture image.
#include "pictorra.h"

namespace {

constexpr int ThumbSize = 56;
constexpr int Layout = 1; // locked to an edge
constexpr int PreviewStyle = 17; // title bar, outer frame size
constexpr int Warning = 1;

// v rounded to the nearest integer, halves to even (v >= 0).
int roundeven(float v)
{
    int whole = int(v);
    float fraction = v - float(whole);
    if (fraction > 0.5f || (fraction == 0.5f && (whole & 1)))
        ++whole;
    return whole;
}

}

// Scales the capture to the size slider's percentage, filtered when so set.
int resizescreenshot()
{
    int percent = SliderValue(reduceslider) + 10;
    int width = ImageWidth(screenshot) * percent / 100;
    int height = ImageHeight(screenshot) * percent / 100;
    TFormFilter(ButtonState(bilinearfilter) == 1 ? 1 : 0);
    ResizeImage(screenshot, float(width), float(height));
    return 0;
}

int flipscreenshot()
{
    if (ButtonState(flipscreenx) == 1)
        ScaleImage(screenshot, -1.0f, 1.0f);
    if (ButtonState(flipscreeny) == 1)
        ScaleImage(screenshot, 1.0f, -1.0f);
    return 0;
}

// The 56 x 56 thumbnail: the capture scaled to fit, centred on the clear colour; written to the
// thumbnail file and shown in the main window's thumbnail panel.
int createthumb()
{
    if (prevthumb)
        FreeImage(prevthumb);
    if (savethumb)
        FreeImage(savethumb);
    savethumb = CopyImage(screenshot);
    TFormFilter(1);
    int w = ImageWidth(screenshot), h = ImageHeight(screenshot);
    if (w > ThumbSize || h > ThumbSize) {
        float ratio = w > h ? float(w) / float(ThumbSize) : float(h) / float(ThumbSize);
        ResizeImage(savethumb, float(roundeven(float(w) / ratio)), float(roundeven(float(h) / ratio)));
    }
    MidHandle(savethumb);
    prevthumb = CreateImage(ThumbSize, ThumbSize, 1, 1);
    SetBuffer(ImageBuffer(prevthumb, 0));
    Cls();
    DrawBlock(savethumb, ThumbSize / 2, ThumbSize / 2, 0);
    // A thumbnail file that cannot be written (data\ read-only, a folder of its name) costs only
    // the thumbnail: the user is told, and the capture stays for preview, export and saving.
    if (SaveBuffer(ImageBuffer(prevthumb, 0), txThumbFile) == 0) {
        Notify(txSaveDataError, Warning);
        SetPanelColor(prevthumbpanel, 0, 0, 0);
        return 0;
    }
    SetPanelImage(prevthumbpanel, txThumbFile);
    return 0;
}

// A modal window showing the capture at full size, with scroll bars when it does not fit on the
// desktop with room to spare.
int previewscreenshot()
{
    int w = ImageWidth(screenshot), h = ImageHeight(screenshot);
    int dw = GadgetWidth(Desktop()), dh = GadgetHeight(Desktop());
    DisableGadget(win);

    bool scrollx = dw - w < 150, scrolly = dh - h < 200;
    int viewwidth = scrollx ? dw - 150 : w;
    int extraheight = scrollx ? 46 : 28;
    int viewheight = scrolly ? dh - 200 : h;
    int extrawidth = scrolly ? 28 : 10;
    // On a desktop too small for the margins the view keeps one pixel rather than a size no
    // window can have.
    viewwidth = viewwidth < 1 ? 1 : viewwidth;
    viewheight = viewheight < 1 ? 1 : viewheight;
    int x = cendeskx - (viewwidth >> 1) - (extrawidth >> 1);
    int y = cendesky - (viewheight >> 1) - (extraheight >> 1);
    {
        kx_temps t;
        prevwin = CreateWindow(kxcat(t, txPreviewTitle, kxnum(t, w), txTimes, kxnum(t, h), txPixels), x, y,
            viewwidth + extrawidth, viewheight + extraheight, win, PreviewStyle);
    }

    bool scrolling = scrollx || scrolly;
    int canvas, hbar = 0, vbar = 0, view = 0;
    if (scrolling) {
        int cw = ClientWidth(prevwin), ch = ClientHeight(prevwin);
        hbar = CreateSlider(0, ch - 18, cw - 18, 18, prevwin, 1);
        vbar = CreateSlider(cw - 18, 0, 18, ch - 18, prevwin, 2);
        int border = CreatePanel(0, 0, cw - 18, ch - 18, prevwin, 0);
        SetPanelColor(border, prevred, prevgreen, prevblue);
        SetGadgetLayout(border, Layout, Layout, Layout, Layout);
        view = CreatePanel(2, 2, cw - 22, ch - 22, prevwin, 0);
        SetGadgetLayout(view, Layout, Layout, Layout, Layout);
        canvas = CreateCanvas(0, 0, w, h, view, 0);
        SetGadgetLayout(canvas, 1, 0, 1, 0);
        SetBuffer(CanvasBuffer(canvas));
        SetSliderRange(hbar, ClientWidth(view), GadgetWidth(canvas));
        SetSliderRange(vbar, ClientHeight(view), GadgetHeight(canvas));
        if (!scrollx)
            DisableGadget(hbar);
        if (!scrolly)
            DisableGadget(vbar);
    } else {
        int border = CreatePanel(0, 0, viewwidth + 4, viewheight + 4, prevwin, 0);
        SetPanelColor(border, prevred, prevgreen, prevblue);
        SetGadgetLayout(border, Layout, Layout, Layout, Layout);
        canvas = CreateCanvas(2, 2, viewwidth, viewheight, border, 0);
    }

    Delay(8);
    if (scrolling)
        CopyRect(0, 0, w, h, 0, 0, ImageBuffer(screenshot, 0), CanvasBuffer(canvas));
    else
        CopyRect(0, 0, viewwidth, viewheight, 0, 0, ImageBuffer(screenshot, 0), CanvasBuffer(canvas));
    Delay(8);

    auto scroll = [&] {
        SetGadgetShape(canvas, -SliderValue(hbar), -SliderValue(vbar), GadgetWidth(canvas), GadgetHeight(canvas));
    };
    while (int id = WaitEvent(-1)) {
        if (id == 0x803 && EventSource() == prevwin)
            break;
        if (scrolling && id == 0x401)
            scroll();
        if (scrolling && id == 0x802) {
            SetSliderRange(hbar, ClientWidth(view), GadgetWidth(canvas));
            SetSliderRange(vbar, ClientHeight(view), GadgetHeight(canvas));
            scroll();
        }
        FlipCanvas(canvas, 0);
    }

    EnableGadget(win);
    FreeGadget(prevwin);
    ActivateWindow(win);
    return 0;
}
