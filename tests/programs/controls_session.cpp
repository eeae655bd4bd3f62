// Test program: a window with a button, a check box, a slider and a combo box that the scripted
// user works; the user also answers a colour and a file requester. When the window is closed the
// program prints what it read back from its controls and requesters.
#include "trova.h"

KX_CSTR(title, "Scripted");
KX_CSTR(saveText, "Save");
KX_CSTR(colourText, "Colour...");
KX_CSTR(flipText, "Flip");
KX_CSTR(bmpItem, "BMP");
KX_CSTR(jpegItem, "JPEG");
KX_CSTR(pngItem, "PNG");
KX_CSTR(bmpExt, "bmp");
KX_CSTR(jpgExt, "jpg");
KX_CSTR(pngExt, "png");
KX_CSTR(prompt, "Save screenshot as...");
KX_CSTR(flipLabel, "flip ");
KX_CSTR(sizeLabel, "size ");
KX_CSTR(formatLabel, "format ");
KX_CSTR(colourLabel, "colour ");
KX_CSTR(space, " ");
KX_CSTR(fileLabel, "file ");
KX_CSTR(done, "Done");
KX_CSTRS(&title, &saveText, &colourText, &flipText, &bmpItem, &jpegItem, &pngItem, &bmpExt, &jpgExt, &pngExt, &prompt,
    &flipLabel, &sizeLabel, &formatLabel, &colourLabel, &space, &fileLabel, &done);
KX_DATA();
KX_LIBS();

namespace {
kx_str savedAs = nullptr;

void printValue(kx_str label, int value)
{
    kx_temps t;
    Print(t.made(kxStrConcat(label, t.made(kxStrFromInt(value)))));
}
}

KX_MAIN()
{
    int win = CreateWindow(title, 100, 100, 400, 300, 0, 15);
    int panel = CreatePanel(0, 0, 380, 240, win, 1);
    int save = CreateButton(saveText, 10, 10, 80, 24, panel, 4);
    int colour = CreateButton(colourText, 100, 10, 80, 24, panel, 1);
    int flip = CreateButton(flipText, 10, 40, 80, 20, panel, 2);
    int slider = CreateSlider(10, 70, 140, 18, panel, 1);
    SetSliderRange(slider, 10, 100);
    SetSliderValue(slider, 90);
    int combo = CreateComboBox(10, 100, 120, 100, panel, 0);
    AddGadgetItem(combo, bmpItem, 1, -1);
    AddGadgetItem(combo, jpegItem, 0, -1);
    AddGadgetItem(combo, pngItem, 0, -1);
    int red = -1, green = -1, blue = -1;

    for (;;) {
        int id = WaitEvent(-1);
        if (id == 0x803)
            break;
        if (id != 0x401)
            continue;
        int source = EventSource();
        if (source == colour && RequestColor(255, 0, 0) == 1) {
            red = RequestedRed();
            green = RequestedGreen();
            blue = RequestedBlue();
        } else if (source == save) {
            int format = SelectedGadgetItem(combo);
            kx_str ext = bmpExt;
            if (format == 1)
                ext = jpgExt;
            else if (format == 2)
                ext = pngExt;
            kx_temps t;
            kxStrStore(&savedAs, t(RequestFile(prompt, ext, 1, kx_empty())));
        }
    }
    printValue(flipLabel, ButtonState(flip));
    printValue(sizeLabel, SliderValue(slider));
    printValue(formatLabel, SelectedGadgetItem(combo));
    {
        kx_temps t;
        kx_str rgb = t.made(kxStrConcat(t.made(kxStrFromInt(red)), space));
        rgb = t.made(kxStrConcat(rgb, t.made(kxStrFromInt(green))));
        rgb = t.made(kxStrConcat(rgb, space));
        rgb = t.made(kxStrConcat(rgb, t.made(kxStrFromInt(blue))));
        Print(t.made(kxStrConcat(colourLabel, rgb)));
    }
    {
        kx_temps t;
        Print(t.made(kxStrConcat(fileLabel, kxStrLoad(&savedAs))));
    }
    Notify(done, 0);
    FreeGadget(win);
}
