// Start-up and the main window: single instance, tables, the data pack and its assets, timers,
// the system name, the main window with its menus and controls, the configuration, and the
// small functions start-up shares with the event loop.
#include "pictorra.h"

namespace {

constexpr int AlreadyExists = 183; // GetLastError after CreateMutexA of a held name
constexpr int PackKey = 0x5A3C96E1;
constexpr int PackHeaderKey = 0x2B7D4F18;
constexpr int DesktopFolder = 16; // shell folder id of the user's desktop folder

constexpr int PushButton = 1, CheckBox = 2, RadioButton = 3;

int label(kx_str text, int x, int y, int w, int h, int group)
{
    return CreateLabel(text, x, y, w, h, group, 0);
}

// A framed panel with its caption label lying across its top edge.
int captionedpanel(kx_str caption, int x, int y, int w, int h, int captionWidth)
{
    int panel = CreatePanel(x, y, w, h, win, 1);
    label(caption, x + 10, y - 6, captionWidth, 14, win);
    return panel;
}

void assetmissing(int handle)
{
    if (handle == 0)
        RuntimeError(txReadDataError);
}

void createmenus()
{
    int bar = WindowMenu(win);
    filemenu = CreateMenu(txMenuFile, 0, bar);
    prevmenu = CreateMenu(txMenuPreview, 10, filemenu);
    expomenu = CreateMenu(txMenuExport, 20, filemenu);
    savemenu = CreateMenu(txMenuSave, 30, filemenu);
    CreateMenu(kx_empty(), 0, filemenu);
    exitmenu = CreateMenu(txMenuExit, 40, filemenu);

    optionmenu = CreateMenu(txMenuOptions, 0, bar);
    colourmenu = CreateMenu(txMenuColours, 0, optionmenu);
    prevcolour = CreateMenu(txMenuPrevColour, 100, colourmenu);
    maskcolour = CreateMenu(txMenuMaskColour, 200, colourmenu);
    createcornersmenu(colourmenu);
    CreateMenu(kx_empty(), 0, optionmenu);
    allowcam = CreateMenu(txMenuCamera, 300, optionmenu);
    CheckMenu(allowcam);
    CreateMenu(kx_empty(), 0, optionmenu);
    allowmin = CreateMenu(txMenuAutoMin, 400, optionmenu);
    UncheckMenu(allowmin);
    CreateMenu(kx_empty(), 0, optionmenu);
    autosave = CreateMenu(txMenuAutoSave, 500, optionmenu);
    UncheckMenu(autosave);
    autodir = CreateMenu(txMenuAutoDir, 600, optionmenu);
    CreateMenu(kx_empty(), 0, optionmenu);
    createdelaymenu(optionmenu);
    CreateMenu(kx_empty(), 0, optionmenu);
    resetmenu = CreateMenu(txMenuReset, 700, optionmenu);

    helpmenu = CreateMenu(txMenuHelp, 0, bar);
    howtomenu = CreateMenu(txMenuHowTo, 1000, helpmenu);
    aboutmenu = CreateMenu(txMenuAbout, 2000, helpmenu);

    // Enabled by the first capture.
    DisableMenu(prevmenu);
    DisableMenu(expomenu);
    DisableMenu(savemenu);
}

void createcontrols()
{
    ssourcepanel = captionedpanel(txCapSource, 8, 9, 312, 75, 98);
    csettingpanel = captionedpanel(txCapColours, 328, 9, 158, 75, 78);
    transformpanel = captionedpanel(txCapTransform, 8, 93, 161, 123, 55);
    prevboxpanel = captionedpanel(txCapPreview, 177, 93, 83, 123, 45);
    ssettingpanel = captionedpanel(txCapSave, 268, 93, 218, 123, 73);

    prevcolpanel = CreatePanel(9, 14, 27, 18, csettingpanel, 1);
    maskcolpanel = CreatePanel(9, 43, 27, 18, csettingpanel, 1);
    label(txLabelPrevColour, 42, 16, 105, 20, csettingpanel);
    label(txLabelMaskColour, 42, 45, 105, 20, csettingpanel);
    prevthumbpanel = CreatePanel(10, 14, 60, 60, prevboxpanel, 1);

    fullscr = CreateButton(txFullDesktop, 8, 7, 140, 20, ssourcepanel, RadioButton);
    actiwin = CreateButton(txActiveFull, 8, 27, 140, 20, ssourcepanel, RadioButton);
    acticli = CreateButton(txActiveContent, 8, 47, 140, 20, ssourcepanel, RadioButton);
    hidewin = CreateButton(txHide, 154, 7, 135, 20, ssourcepanel, CheckBox);
    appmask = CreateButton(txMaskCorners, 154, 27, 130, 20, ssourcepanel, CheckBox);
    dxenabl = CreateButton(txDirectX, 154, 47, 150, 20, ssourcepanel, RadioButton);

    prevscr = CreateButton(txPreviewButton, 10, 85, 60, 22, prevboxpanel, PushButton);
    expclip = CreateButton(txExportButton, 10, 85, 110, 22, ssettingpanel, PushButton);
    savescr = CreateButton(txSaveButton, 130, 85, 75, 22, ssettingpanel, PushButton);

    reduceslider = CreateSlider(9, 30, 140, 18, transformpanel, 1);
    label(txFinalSize, 9, 10, 140, 20, transformpanel);
    {
        kx_temps t;
        reduceamountlabel = label(kxcat(t, kxnum(t, SliderValue(reduceslider) + 10), txPercent), 118, 10, 30, 20,
            transformpanel);
    }
    bilinearfilter = CreateButton(txBilinear, 9, 55, 140, 20, transformpanel, CheckBox);
    flipscreenx = CreateButton(txFlipX, 9, 75, 140, 20, transformpanel, CheckBox);
    flipscreeny = CreateButton(txFlipY, 9, 95, 140, 20, transformpanel, CheckBox);

    imagetype = CreateComboBox(10, 14, 195, 20, ssettingpanel, 0);
    imagecomp = CreateComboBox(10, 50, 195, 20, ssettingpanel, 0);

    SetPanelColor(prevthumbpanel, 0, 0, 0);

    SetButtonState(fullscr, 1);
    SetButtonState(actiwin, 0);
    SetButtonState(acticli, 0);
    SetButtonState(hidewin, 1);
    SetButtonState(appmask, 0);
    SetButtonState(dxenabl, 0);
    SetButtonState(bilinearfilter, 1);
    SetButtonState(flipscreenx, 0);
    SetButtonState(flipscreeny, 0);

    // Enabled by the first capture.
    DisableGadget(prevscr);
    DisableGadget(expclip);
    DisableGadget(savescr);

    SetSliderRange(reduceslider, 10, 100);
    SetSliderValue(reduceslider, 100);
    updatesizelabel();

    AddGadgetItem(imagetype, txTypeBmp, 1, -1);
    AddGadgetItem(imagetype, txTypeJpg, 0, -1);
    AddGadgetItem(imagetype, txTypePng, 0, -1);
    AddGadgetItem(imagecomp, txQualitySuperb, 1, -1);
    AddGadgetItem(imagecomp, txQualityHigh, 0, -1);
    AddGadgetItem(imagecomp, txQualityMedium, 0, -1);
    AddGadgetItem(imagecomp, txQualityLow, 0, -1);
    DisableGadget(imagecomp);
}

}

void startup()
{
    // A second instance ends at once, showing nothing (with a capture request, once the running
    // instance answered it); the mutex is held until the process ends.
    int request = parsecommandline();
    CreateMutexA(nullptr, 1, kxStrToCStr(txMutexName));
    if (GetLastError() == AlreadyExists) {
        if (request)
            remotesecondstart();
        End();
    }
    oneshot = request;

    clipheader = CreateBank(18);
    initplasma();
    paksize.dim(1000);
    pakfiles.dim(1000);
    paklocate.dim(1000);
    pakextracted.dim(1000);

    if (FileType(txPackFile) == 0)
        RuntimeError(txDataModuleError);
    pakinit(txPackFile, PackKey, PackHeaderKey);

    winwidth = 500;
    winheight = 295;
    cendeskx = GadgetWidth(Desktop()) >> 1;
    cendesky = GadgetHeight(Desktop()) >> 1;
    winxpos = cendeskx - (winwidth >> 1);
    winypos = cendesky - (winheight >> 1);

    prevred = prevgreen = prevblue = 0;
    maskred = maskgreen = maskblue = 255;

    messagetimer = CreateTimer(1.0f);
    monikeytimer = CreateTimer(20.0f);
    plasupdtimer = CreateTimer(40.0f);

    {
        kx_temps t;
        winosversion = t(getversionos());
        autosavedir = t(getspecialfolder(DesktopFolder));
        resetautosave = autosavedir;
    }

    {
        kx_temps t;
        devlogo = LoadImage(t(pak(txLogoEntry)), 1);
    }
    pakclean();
    assetmissing(devlogo);
    {
        kx_temps t;
        camsound = LoadSound(t(pak(txSoundEntry)));
    }
    pakclean();
    assetmissing(camsound);

    if (kxeq(winosversion, txWinXP)) {
        winheight += 5;
        winypos = cendesky - (winheight >> 1);
    }

    win = CreateWindow(txWindowClassTitle, 0, -400, winwidth, winheight, Desktop(), 13);

    int icon;
    {
        kx_temps t;
        icon = ExtractIconA(QueryObject(win, 1), kxStrToCStr(t(pak(txIconEntry))), 0);
    }
    pakclean();
    assetmissing(icon);
    SetClassLongA(QueryObject(win, 1), -14, icon);

    // The title bar gains a system menu and a minimise box.
    winhandle = FindWindowA(nullptr, kxStrToCStr(txWindowClassTitle));
    SetWindowLongA(winhandle, -16, GetWindowLongA(winhandle, -16) | 0x20000 | 0x80000);

    SetGadgetText(win, txTitle);
    SetStatusText(win, txDefaultStatus);
    HideGadget(win);
    SetGadgetShape(win, winxpos, winypos, winwidth, winheight);

    createmenus();
    createcontrols();

    updatedir();
    readconfig();
    readoptions();
    showoptions();
    checkgadgetenable();
    updatepanelcolours();
    inittimers();
    initcountdown();
    enabledx();
    UpdateWindowMenu(win);
    if (oneshot)
        runoneshot();
    initremote();
    ShowGadget(win);
}

// The system's name from its version record, or the empty string when no rule matches.
kx_str getversionos()
{
    osversioninfo info {};
    info.size = sizeof info;
    kx_str name = kx_empty();
    if (GetVersionExA(&info) == 0)
        return kxStrRetain(name);
    int platform = info.platformId, major = info.majorVersion, minor = info.minorVersion;
    int build = short(info.buildNumber & 0xFFFF);

    if (platform == 0)
        name = txWin32s;
    if (platform == 1 && minor == 0)
        name = txWin95;
    if (platform == 1 && minor == 10 && build == 1998)
        name = txWin98;
    if (platform == 1 && minor == 10 && build != 1998)
        name = txWin98SE;
    if (platform == 1 && minor == 90)
        name = txWinME;
    if (platform == 2 && major == 4)
        name = txWinNT;
    if (platform == 2 && major == 5 && minor == 0)
        name = txWin2000;
    if (platform == 2 && major == 5 && minor == 1)
        name = txWinXP;
    if (platform == 2 && major == 6 && minor == 0)
        name = txWinVista;
    if (platform == 2 && major == 6 && minor == 1)
        name = txWin7;
    if (platform == 2 && major == 6 && minor >= 2)
        name = txWinNextGen;
    if (platform == 2 && major >= 7)
        name = txWinNextGen;
    return kxStrRetain(name);
}

// Enable rules between settings: the filter only when scaling down, Hide only for Full Desktop,
// the corner mask only for Active Window (Full), the quality only for JPEG.
int checkgadgetenable()
{
    if (SliderValue(reduceslider) + 10 < 100)
        EnableGadget(bilinearfilter);
    else
        DisableGadget(bilinearfilter);
    if (ButtonState(fullscr) == 1)
        EnableGadget(hidewin);
    else
        DisableGadget(hidewin);
    if (ButtonState(actiwin) == 1)
        EnableGadget(appmask);
    else
        DisableGadget(appmask);
    if (SelectedGadgetItem(imagetype) == 1)
        EnableGadget(imagecomp);
    else
        DisableGadget(imagecomp);
    return 0;
}

int updatepanelcolours()
{
    SetPanelColor(prevcolpanel, prevred, prevgreen, prevblue);
    SetPanelColor(maskcolpanel, maskred, maskgreen, maskblue);
    return 0;
}

int inittimers()
{
    ResetTimer(messagetimer);
    PauseTimer(messagetimer);
    ResetTimer(monikeytimer);
    PauseTimer(monikeytimer);
    ResetTimer(plasupdtimer);
    PauseTimer(plasupdtimer);
    return 0;
}

// Switches DirectX print-screen support on; when it stays off, the DirectX source is disabled
// (and Full Desktop takes its place if it was chosen).
int enabledx()
{
    if (DXPrintScreenEnabled() != 0)
        return 0;
    ToggleDXPrintScreen();
    Delay(8);
    if (DXPrintScreenEnabled() != 0)
        return 0;
    if (ButtonState(dxenabl) == 1) {
        SetButtonState(fullscr, 1);
        SetButtonState(dxenabl, 0);
    }
    DisableGadget(dxenabl);
    return 0;
}

// Removes the files earlier versions left behind (files only; a folder of that name stays).
int updatedir()
{
    kx_cstr_base* obsolete[] = { &txObsoletePak, &txObsoleteConfig, &txObsoleteThumb, &txObsoleteBmp, &txObsoleteHelp };
    for (kx_cstr_base* name : obsolete) {
        if (FileType(*name) == 1)
            DeleteFile(*name);
    }
    return 0;
}

// The path of a shell special folder, or the empty string.
kx_str getspecialfolder(int folder)
{
    kx_localstr result;
    int itemList = CreateBank(8);
    int path = CreateBank(260);
    if (SHGetSpecialFolderLocation(0, folder, kxbankdata(itemList)) == 0) {
        SHGetPathFromIDListA(PeekInt(itemList, 0), kxbankdata(path));
        for (int i = 0; i < 260; ++i) {
            kx_temps t;
            result = t.made(kxStrConcat(result, t(Chr(PeekByte(path, i)))));
        }
    }
    FreeBank(itemList);
    FreeBank(path);
    return Trim(result);
}
