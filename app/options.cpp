// The options kept beside the configuration file, in data\PTOptions.dat: the capture delay and
// transparent window corners, with their menu items.
//
// File layout (16 bytes, little-endian): the magic 0x31585450 ("PTX1"), the delay in seconds
// (0, 1, 2, 3, 5 or 10), the transparent-corners flag (0 or 1), and a check word, the other three
// XORed with 0x5EED1E55. A missing, short, long or inconsistent file leaves the defaults (no
// delay, corners in the mask colour); the configuration file is never touched.
#include "pictorra.h"

namespace {

constexpr int Magic = 0x31585450, CheckKey = 0x5EED1E55, FileBytes = 16;
constexpr int DelayMenuBase = 800, CornersMenuId = 900;
constexpr int DelaySeconds[] = { 0, 1, 2, 3, 5, 10 };
constexpr int DelayChoices = 6;

int delayitem[DelayChoices];

int delayindex(int seconds)
{
    for (int i = 0; i < DelayChoices; ++i)
        if (DelaySeconds[i] == seconds)
            return i;
    return -1;
}

void checkdelay()
{
    for (int i = 0; i < DelayChoices; ++i) {
        if (DelaySeconds[i] == capturedelay)
            CheckMenu(delayitem[i]);
        else
            UncheckMenu(delayitem[i]);
    }
}

}

int capturedelay = 0;
int transparentcorners = 0;
int cornersmenu = 0;

void readoptions()
{
    capturedelay = 0;
    transparentcorners = 0;
    if (FileSize(txOptionsFile) != FileBytes)
        return;
    int file = ReadFile(txOptionsFile);
    if (!file)
        return;
    int magic = ReadInt(file), delay = ReadInt(file), corners = ReadInt(file), check = ReadInt(file);
    CloseFile(file);
    if (magic != Magic || check != (magic ^ delay ^ corners ^ CheckKey) || delayindex(delay) < 0
        || (corners != 0 && corners != 1))
        return;
    capturedelay = delay;
    transparentcorners = corners;
}

// Written through a temporary file, so a failed write leaves the previous options readable; a
// folder that cannot be written leaves the options for this run only.
void writeoptions()
{
    int file = WriteFile(txOptionsTemp);
    if (!file)
        return;
    WriteInt(file, Magic);
    WriteInt(file, capturedelay);
    WriteInt(file, transparentcorners);
    WriteInt(file, Magic ^ capturedelay ^ transparentcorners ^ CheckKey);
    CloseFile(file);
    if (FileSize(txOptionsTemp) == FileBytes)
        CopyFile(txOptionsTemp, txOptionsFile);
    DeleteFile(txOptionsTemp);
}

void createcornersmenu(int parent)
{
    cornersmenu = CreateMenu(txMenuCorners, CornersMenuId, parent);
}

void createdelaymenu(int parent)
{
    int menu = CreateMenu(txMenuDelay, 0, parent);
    kx_cstr_base* names[DelayChoices] = { &txDelayNone, &txDelay1, &txDelay2, &txDelay3, &txDelay5, &txDelay10 };
    for (int i = 0; i < DelayChoices; ++i)
        delayitem[i] = CreateMenu(*names[i], DelayMenuBase + i, menu);
}

void showoptions()
{
    checkdelay();
    if (transparentcorners)
        CheckMenu(cornersmenu);
    else
        UncheckMenu(cornersmenu);
}

bool optionsmenuchoice(int id)
{
    if (id >= DelayMenuBase && id < DelayMenuBase + DelayChoices) {
        capturedelay = DelaySeconds[id - DelayMenuBase];
    } else if (id == CornersMenuId) {
        transparentcorners = transparentcorners ? 0 : 1;
    } else {
        return false;
    }
    showoptions();
    writeoptions();
    return true;
}
