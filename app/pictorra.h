// Pictorra: every application global and function, by feature area. Globals are defined in
// globals.cpp; each function in the source file of its area (named in the section headings).
//
// Handles of runtime objects (gadgets, menus, images, timers, sounds, banks, streams) are ints,
// 0 meaning none. Functions returning a string return it with one reference, as commands do:
// hand it to the statement's temporaries (t(getversionos())).
#pragma once

#include "kxdata.h"
#include "kxstr.h"
#include "libs.h"
#include "texts.h"

// ---- Settings held in globals (settings.cpp) ---------------------------------------------------

extern int winwidth, winheight; // main window size
extern int cendeskx, cendesky; // half the desktop size
extern int winxpos, winypos; // centred window position, computed at start-up
extern int prevred, prevgreen, prevblue; // preview border colour
extern int maskred, maskgreen, maskblue; // window corner mask colour
extern kx_strvar autosavedir; // auto-save folder
extern kx_strvar resetautosave; // start-up default of autosavedir

// ---- Main window, menus and controls (startup.cpp) ---------------------------------------------

extern int win; // the main window
extern int winhandle; // its native handle, found by title
extern kx_strvar winosversion; // operating-system name (getversionos)

extern int filemenu, prevmenu, expomenu, savemenu, exitmenu;
extern int optionmenu, colourmenu, prevcolour, maskcolour, allowcam, allowmin, autosave, autodir, resetmenu;
extern int helpmenu, howtomenu, aboutmenu;

extern int ssourcepanel, csettingpanel, transformpanel, prevboxpanel, ssettingpanel;
extern int prevcolpanel, maskcolpanel, prevthumbpanel;
extern int fullscr, actiwin, acticli, hidewin, appmask, dxenabl;
extern int prevscr, expclip, savescr;
extern int reduceslider, reduceamountlabel, bilinearfilter, flipscreenx, flipscreeny;
extern int imagetype, imagecomp;

extern int messagetimer; // 1 Hz: age of a temporary status message
extern int monikeytimer; // 20 Hz: Print Screen polling while inactive
extern int plasupdtimer; // 40 Hz: About window animation

extern int devlogo; // logo image of the About window
extern int camsound; // camera shutter sound
extern int clipheader; // 18-byte bank: clipboard picture header

// OSVERSIONINFOA as GetVersionExA fills it (148 bytes).
struct osversioninfo {
    int size;
    int majorVersion;
    int minorVersion;
    int buildNumber;
    int platformId;
    char servicePack[128];
};
static_assert(sizeof(osversioninfo) == 148);

// ---- Plasma (plasma.cpp) -----------------------------------------------------------------------

// The About window's 160 x 160 frame image (the global called "plasma"; the name is the
// renderer's in C++).
extern int plasmaimage;
extern kx_intarray r, g, b, mrgb; // palette, indices 0-255
extern kx_intarray cosinus; // cosine table, indices 0-640
extern int wave1, wave2, wave3; // wave positions
extern int wave1spe, wave2spe, wave3spe; // wave speeds
extern int wave1dir, wave2dir, wave3dir; // 0 rising, 1 falling

// ---- Data pack (pak.cpp) -----------------------------------------------------------------------

extern kx_strvar packname; // path of the open pack
extern int key; // scrambling key, 0 for none
extern int exeoffset; // the pack's start inside its file
extern int packcount; // number of entries
extern kx_intarray paksize, paklocate; // entry sizes and absolute data positions, 1 to packcount
extern kx_strarray pakfiles; // entry names, lower case
extern kx_intarray pakextracted; // 1 for entries pak extracted since the last pakclean

// ---- Capture (capture.cpp), transform (transform.cpp), windows (windows.cpp) --------------------

extern int screenshot; // the current capture image
extern int clamped; // the capture rectangle was clamped to the desktop
extern int savethumb, prevthumb; // thumbnail images
extern int prevwin; // the preview window while open
extern int infowin; // the open secondary window

// WINDOWINFO as GetWindowInfo fills it: fifteen ints (cbSize, rcWindow, rcClient, dwStyle,
// dwExStyle, dwWindowStatus, cxWindowBorders, cyWindowBorders, atom and creator version).
extern kx_objtype<15> windowinfo;
enum windowinfofield {
    wiSize = 0,
    wiWindowLeft,
    wiWindowTop,
    wiWindowRight,
    wiWindowBottom,
    wiClientLeft,
    wiClientTop,
    wiClientRight,
    wiClientBottom,
    wiStyle,
    wiExStyle,
    wiWindowStatus,
    wiBorderX,
    wiBorderY,
    wiAtomVersion,
};

// ---- settings.cpp ------------------------------------------------------------------------------

int readconfig();
int writeconfig();
// The Reset Settings defaults (after the user confirmed; the window is resetsettings's).
int resetdefaults();
int setprevbordcol();
int setmaskcol();
int allowcamstatus();
int allowminstatus();
int autosavestatus();
// Sets the size label from the slider's position.
void updatesizelabel();

// ---- startup.cpp -------------------------------------------------------------------------------

// Everything before the event loop: single instance, tables, pack and assets, timers, the main
// window with its menus and controls, the configuration; ends with the window shown.
void startup();

kx_str getversionos();
int checkgadgetenable();
int updatepanelcolours();
int inittimers();
int enabledx();
int updatedir();
kx_str getspecialfolder(int folder);

// ---- pak.cpp -----------------------------------------------------------------------------------

int pakinit(kx_str name, int key, int headerkey);
kx_str pak(kx_str name);
int pakclean();

// ---- plasma.cpp --------------------------------------------------------------------------------

// Fills the palette and cosine tables and sets the waves to their start (start-up step 3).
void initplasma();
int plasma(int logo);
int movewave();

// ---- mainloop.cpp ------------------------------------------------------------------------------

// The main event loop; returns when WaitEvent returns 0.
void mainloop();
int monitorkey();
[[noreturn]] void shutdownprog();
// A temporary status-bar message: the text, then the message timer restarted.
void statusmessage(kx_str text);

// ---- capture.cpp -------------------------------------------------------------------------------

int wininfox(int hwnd);
int wininfoy(int hwnd);
int wininfowidth(int hwnd);
int wininfoheight(int hwnd);
int wininfobase(int hwnd);
int wininfoexstyle(int hwnd);
int cliinfox(int hwnd);
int cliinfoy(int hwnd);
int cliinfowidth(int hwnd);
int cliinfoheight(int hwnd);
int cliinfobase(int hwnd);
int grabscreenshot();
int grabscreenshotaero();
int importscreenshot();
int clearclipboard();
int loadclip(int hwnd, int flags);
// The capture pipeline after the pixels are in screenshot: mask, scale, flip, status, thumbnail,
// auto-save, commands enabled.
void capturepipeline(int mask);
// True on the systems whose Print Screen capture reads the system's picture from the clipboard
// (grabscreenshotaero) rather than the desktop buffer.
bool clipboardcapture();
// Bits per pixel and colour masks of a locked buffer's pixel format (all 0 for a format the
// application does not handle); FreeImage raw conversions take them in both directions.
struct pixellayout {
    unsigned bits, red, green, blue;
};
pixellayout lockedlayout(int format);

// ---- cornermask.cpp ----------------------------------------------------------------------------

int drawwindowmask(int style);
// Transparent Corners. A new capture forgets the painted pixels; after the transform keepcorners
// follows the mirroring (and forgets them when the capture was scaled: its corner pixels are
// blends); cutcorners gives those pixels alpha 0 in a bitmap made from the capture, with the
// option on and bits 32.
void forgetcorners();
void keepcorners(int maskedwidth, int maskedheight);
void cutcorners(void* bitmap, int bits);

// ---- transform.cpp -----------------------------------------------------------------------------

int resizescreenshot();
int flipscreenshot();
int createthumb();
int previewscreenshot();

// ---- export.cpp --------------------------------------------------------------------------------

void* fiqsend(int image);
// Writes image to path as the FreeImage format fif (0 BMP, 2 JPEG, 13 PNG) with flags, showing
// nothing; 1 when written. BMP and JPEG get opaque pixels.
int fisave(int fif, int image, const char* path, int flags);
// The savers return 0 when the file was written; when FreeImage could not write it they show
// the error in a warning box and return 1 (the capture stays, the program keeps running).
int savebmp(int image, kx_str file);
int savejpg(int image, kx_str file, int flags);
int savepng(int image, kx_str file);
int saveclip(int hwnd, int image);
int exportscreenshot();
int savescreenshot();
int autosavescreenshot();

// ---- windows.cpp -------------------------------------------------------------------------------

int autosavedirec();
int resetsettings();
int showhowtoinfo();
int showproginfo();

// ---- options.cpp: settings beside the configuration file ---------------------------------------

extern int capturedelay; // seconds before a capture, 0 for none
extern int transparentcorners; // masked corners saved transparent in PNG pictures
extern int cornersmenu; // its menu item
void readoptions();
void writeoptions();
void createcornersmenu(int parent);
void createdelaymenu(int parent);
// Shows the options' state in their menu items.
void showoptions();
// Handles the options' menu choices; false for any other menu id.
bool optionsmenuchoice(int id);

// ---- countdown.cpp -----------------------------------------------------------------------------

void initcountdown();
// Print Screen: cancels a running countdown, starts one with a delay set, else captures now.
void printscreen();
bool countingdown();
// source 0: the selected source by Print Screen; 1 to 3: the current command-line request's.
void startcountdown(int seconds, int source);
// Takes the countdown timer's ticks; true when the event was one.
bool countdownevent();

// ---- remote.cpp: command-line captures -----------------------------------------------------------

extern int capturecount; // captures completed by the pipeline
extern int oneshot; // started with --capture and no running instance: no window, one capture
// 1 when the command line asks for a capture; --help and bad options end the process here.
int parsecommandline();
// Hands the command line's request to the running instance and ends with its answer.
[[noreturn]] void remotesecondstart();
void initremote();
void stopremote();
// The request timer stops while a window of Pictorra's own runs its loop (preview, About, the
// settings windows), whose loops act on every event; requests wait until it closes.
void holdremote();
void releaseremote();
// Takes the request timer's ticks; true when the event was one.
bool remoteevent();
// Captures the request taken last and answers it.
void remotecapture();
void remotefinished(int status, kx_str message);
// The capture without a window, then the end of the process with its status.
[[noreturn]] void runoneshot();

// ---- mainloop.cpp, capture.cpp, export.cpp: shared by the above ----------------------------------

// A capture from the selected source, as Print Screen takes it with no delay.
void capturenow();
// The exit of a run that stored nothing: thumbnail removed, request socket and DirectX switch
// put back.
void shutdownquietly();
// 1 when the clipboard holds a picture (clipheader then describes it).
int clipboardholdspicture();
// Keeps the exported picture pasteable after the process ends; 1 when it will stay (or the
// clipboard is not Pictorra's to keep).
int keepclipboard();

// ---- placeholders ------------------------------------------------------------------------------

// FIXME: temporary stand-in for functions whose bodies are still being written; raises a
// runtime error naming the gap.
[[noreturn]] void notbuilt();
