// Export to the clipboard, save as and auto-save, through FreeImage bitmaps.
#include "pictorra.h"

void* fiqsend(int)
{
    notbuilt();
}

int savebmp(int, kx_str)
{
    notbuilt();
}

int savejpg(int, kx_str, int)
{
    notbuilt();
}

int savepng(int, kx_str)
{
    notbuilt();
}

int saveclip(int, int)
{
    notbuilt();
}

int exportscreenshot()
{
    notbuilt();
}

int savescreenshot()
{
    notbuilt();
}

int autosavescreenshot()
{
    notbuilt();
}
