// The program of the whole-session tests: a small program with a button, a check box, a slider
// and a combo box, whose user also answers a colour and a file requester and closes the window.
// Written as a program of the runtime would be: commands only.
#pragma once

#include "tests/gui/ControlTestSupport.h"

#include <string>
#include <vector>

namespace session {

struct Outcome {
    int flip { -1 };
    int size { -1 };
    int format { -1 };
    int red { -1 }, green { -1 }, blue { -1 };
    std::string savedAs;
    std::vector<int> sliderEvents;
    bool closed { false };
};

inline const char* const Extensions[] = { "bmp", "jpg", "png" };

inline void runProgram(Outcome& out)
{
    int win = CreateWindow(Str("Scripted"), 100, 100, 400, 300, 0, 15);
    int panel = CreatePanel(0, 0, 380, 240, win, 1);
    int save = CreateButton(Str("Save"), 10, 10, 80, 24, panel, 4);
    int colour = CreateButton(Str("Colour..."), 100, 10, 80, 24, panel, 1);
    int flip = CreateButton(Str("Flip"), 10, 40, 80, 20, panel, 2);
    int slider = CreateSlider(10, 70, 140, 18, panel, 1);
    SetSliderRange(slider, 10, 100);
    SetSliderValue(slider, 90);
    int combo = CreateComboBox(10, 100, 120, 100, panel, 0);
    AddGadgetItem(combo, Str("BMP"), 0, -1);
    AddGadgetItem(combo, Str("JPEG"), 0, -1);
    AddGadgetItem(combo, Str("PNG"), 0, -1);
    SelectGadgetItem(combo, 0);

    for (;;) {
        int id = WaitEvent(-1);
        if (id == 0x803) {
            out.closed = true;
            break;
        }
        if (id != 0x401)
            continue;
        int source = EventSource();
        if (source == slider) {
            out.sliderEvents.push_back(EventData());
        } else if (source == colour) {
            if (RequestColor(255, 0, 0) == 1) {
                out.red = RequestedRed();
                out.green = RequestedGreen();
                out.blue = RequestedBlue();
            }
        } else if (source == save) {
            const char* ext = Extensions[SelectedGadgetItem(combo)];
            out.savedAs = take(RequestFile(Str("Save screenshot as..."), Str(ext), 1, Str("")));
        }
    }
    out.flip = ButtonState(flip);
    out.size = SliderValue(slider);
    out.format = SelectedGadgetItem(combo);
    FreeGadget(win);
}
}
