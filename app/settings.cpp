// Settings: the configuration file data\PTConfig.dat, the Reset Settings defaults and the colour
// and menu toggles.
//
// File layout (104 + n bytes, little-endian, no header): width, height, x, y, the preview border
// and mask colours (six ints), the six source and option buttons, the size slider position, the
// filter and two flip check boxes, the save format and JPEG quality indices, the camera,
// auto-minimise and auto-save menu flags (25 ints in all), then the auto-save folder as a
// 4-byte length and that many bytes.
#include "pictorra.h"

namespace {

constexpr int FixedBytes = 104; // 25 ints and the folder's length

// True when the file holds at least the 25 ints and the whole folder text its length promises.
bool configcomplete()
{
    int size = FileSize(txConfigFile);
    if (size < FixedBytes)
        return false;
    int file = ReadFile(txConfigFile);
    if (!file)
        return false;
    SeekFile(file, FixedBytes - 4);
    int folderLength = ReadInt(file);
    CloseFile(file);
    return folderLength >= 0 && folderLength <= size - FixedBytes;
}

void setbuttonfromfile(int file, int button)
{
    SetButtonState(button, ReadInt(file));
}

// Selects the list item the file names. An index past the list's end (a damaged or hand-edited
// file) selects item 0, the default, instead of ending the start with a runtime error; the next
// write of the file then stores it. Negative indexes clear the selection, as the list itself does.
void selectitemfromfile(int file, int list)
{
    int index = ReadInt(file);
    SelectGadgetItem(list, index < CountGadgetItems(list) ? index : 0);
}

void setmenufromfile(int file, int menu)
{
    if (ReadInt(file) == 0)
        UncheckMenu(menu);
    else
        CheckMenu(menu);
}

void togglemenu(int menu)
{
    if (MenuChecked(menu) == 1)
        UncheckMenu(menu);
    else
        CheckMenu(menu);
}

}

void updatesizelabel()
{
    kx_temps t;
    SetGadgetText(reduceamountlabel, kxcat(t, kxnum(t, SliderValue(reduceslider) + 10), txPercent));
}

// Loads the configuration file into the globals and the main window's gadgets. A missing file,
// or one too short for its fields or its folder text, is replaced by the current settings
// (the defaults, at start-up) before it is read.
int readconfig()
{
    if (!configcomplete())
        writeconfig();
    int file = ReadFile(txConfigFile);
    if (!file)
        RuntimeError(txConfigError);

    winwidth = ReadInt(file);
    winheight = ReadInt(file);
    int x = ReadInt(file);
    int y = ReadInt(file);
    if (x < 0 || x > GadgetWidth(Desktop()) - winwidth)
        x = winxpos;
    if (y < 0 || y > GadgetHeight(Desktop()) - winheight)
        y = winypos;
    SetGadgetShape(win, x, y, winwidth, winheight);

    prevred = ReadInt(file);
    prevgreen = ReadInt(file);
    prevblue = ReadInt(file);
    maskred = ReadInt(file);
    maskgreen = ReadInt(file);
    maskblue = ReadInt(file);

    setbuttonfromfile(file, fullscr);
    setbuttonfromfile(file, actiwin);
    setbuttonfromfile(file, acticli);
    setbuttonfromfile(file, hidewin);
    setbuttonfromfile(file, appmask);
    setbuttonfromfile(file, dxenabl);

    SetSliderValue(reduceslider, ReadInt(file));
    updatesizelabel();

    setbuttonfromfile(file, bilinearfilter);
    setbuttonfromfile(file, flipscreenx);
    setbuttonfromfile(file, flipscreeny);

    selectitemfromfile(file, imagetype);
    selectitemfromfile(file, imagecomp);

    setmenufromfile(file, allowcam);
    setmenufromfile(file, allowmin);
    setmenufromfile(file, autosave);

    {
        kx_temps t;
        autosavedir = t(ReadString(file));
    }
    CloseFile(file);
    return 0;
}

// Writes the settings to the configuration file. The bytes go to a temporary file first, which
// then replaces the file whole, so an interrupted write never leaves a truncated file behind.
int writeconfig()
{
    int file = WriteFile(txConfigTemp);
    if (!file)
        RuntimeError(txConfigError);
    WriteInt(file, winwidth);
    WriteInt(file, winheight);
    WriteInt(file, GadgetX(win));
    WriteInt(file, GadgetY(win));
    WriteInt(file, prevred);
    WriteInt(file, prevgreen);
    WriteInt(file, prevblue);
    WriteInt(file, maskred);
    WriteInt(file, maskgreen);
    WriteInt(file, maskblue);
    WriteInt(file, ButtonState(fullscr));
    WriteInt(file, ButtonState(actiwin));
    WriteInt(file, ButtonState(acticli));
    WriteInt(file, ButtonState(hidewin));
    WriteInt(file, ButtonState(appmask));
    WriteInt(file, ButtonState(dxenabl));
    WriteInt(file, SliderValue(reduceslider));
    WriteInt(file, ButtonState(bilinearfilter));
    WriteInt(file, ButtonState(flipscreenx));
    WriteInt(file, ButtonState(flipscreeny));
    WriteInt(file, SelectedGadgetItem(imagetype));
    WriteInt(file, SelectedGadgetItem(imagecomp));
    WriteInt(file, MenuChecked(allowcam));
    WriteInt(file, MenuChecked(allowmin));
    WriteInt(file, MenuChecked(autosave));
    WriteString(file, autosavedir);
    CloseFile(file);

    CopyFile(txConfigTemp, txConfigFile);
    DeleteFile(txConfigTemp);
    if (FileSize(txConfigFile) != FixedBytes + Len(autosavedir))
        RuntimeError(txConfigError);
    return 0;
}

// The Reset Settings defaults. The file is not written here: the next orderly exit stores them.
int resetdefaults()
{
    SetGadgetShape(win, winxpos, winypos, winwidth, winheight);
    prevred = prevgreen = prevblue = 0;
    maskred = maskgreen = maskblue = 255;
    SetButtonState(fullscr, 1);
    SetButtonState(actiwin, 0);
    SetButtonState(acticli, 0);
    SetButtonState(hidewin, 1);
    SetButtonState(appmask, 0);
    SetButtonState(dxenabl, 0);
    SetSliderValue(reduceslider, 100);
    updatesizelabel();
    SetButtonState(bilinearfilter, 1);
    SetButtonState(flipscreenx, 0);
    SetButtonState(flipscreeny, 0);
    SelectGadgetItem(imagetype, 0);
    SelectGadgetItem(imagecomp, 0);
    CheckMenu(allowcam);
    UncheckMenu(allowmin);
    UncheckMenu(autosave);
    autosavedir = resetautosave;
    return 0;
}

int setprevbordcol()
{
    if (RequestColor(prevred, prevgreen, prevblue) == 1) {
        prevred = RequestedRed();
        prevgreen = RequestedGreen();
        prevblue = RequestedBlue();
    }
    return 0;
}

int setmaskcol()
{
    if (RequestColor(maskred, maskgreen, maskblue) == 1) {
        maskred = RequestedRed();
        maskgreen = RequestedGreen();
        maskblue = RequestedBlue();
    }
    return 0;
}

int allowcamstatus()
{
    togglemenu(allowcam);
    return 0;
}

int allowminstatus()
{
    togglemenu(allowmin);
    return 0;
}

int autosavestatus()
{
    togglemenu(autosave);
    return 0;
}
