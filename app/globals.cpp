// Pictorra's application globals (declared in pictorra.h).
#include "pictorra.h"

int winwidth, winheight, cendeskx, cendesky, winxpos, winypos;
int prevred, prevgreen, prevblue, maskred, maskgreen, maskblue;
constinit kx_strvar autosavedir, resetautosave;

int win, winhandle;
constinit kx_strvar winosversion;
int filemenu, prevmenu, expomenu, savemenu, exitmenu;
int optionmenu, colourmenu, prevcolour, maskcolour, allowcam, allowmin, autosave, autodir, resetmenu;
int helpmenu, howtomenu, aboutmenu;
int ssourcepanel, csettingpanel, transformpanel, prevboxpanel, ssettingpanel;
int prevcolpanel, maskcolpanel, prevthumbpanel;
int fullscr, actiwin, acticli, hidewin, appmask, dxenabl;
int prevscr, expclip, savescr;
int reduceslider, reduceamountlabel, bilinearfilter, flipscreenx, flipscreeny;
int imagetype, imagecomp;
int messagetimer, monikeytimer, plasupdtimer;
int devlogo, camsound, clipheader;

int plasmaimage;
constinit kx_intarray r, g, b, mrgb, cosinus;
int wave1, wave2, wave3, wave1spe, wave2spe, wave3spe, wave1dir, wave2dir, wave3dir;

constinit kx_strvar packname;
int key, exeoffset, packcount;
constinit kx_intarray paksize, paklocate;
constinit kx_strarray pakfiles;
constinit kx_intarray pakextracted;

int screenshot, clamped, savethumb, prevthumb, prevwin, infowin;

KX_TYPE(windowinfo, 15, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType,
    &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType, &kxIntType);

void notbuilt()
{
    RuntimeError(txNotBuilt);
}
