// Screen capture: the capture rectangle, the three entry points, the clipboard picture and the pipeline.
#include "pictorra.h"

int wininfox(int)
{
    notbuilt();
}

int wininfoy(int)
{
    notbuilt();
}

int wininfowidth(int)
{
    notbuilt();
}

int wininfoheight(int)
{
    notbuilt();
}

int wininfobase(int)
{
    notbuilt();
}

int wininfoexstyle(int)
{
    notbuilt();
}

int cliinfox(int)
{
    notbuilt();
}

int cliinfoy(int)
{
    notbuilt();
}

int cliinfowidth(int)
{
    notbuilt();
}

int cliinfoheight(int)
{
    notbuilt();
}

int cliinfobase(int)
{
    notbuilt();
}

int grabscreenshot()
{
    notbuilt();
}

int grabscreenshotaero()
{
    notbuilt();
}

int importscreenshot()
{
    notbuilt();
}

int clearclipboard()
{
    notbuilt();
}

int loadclip(int, int)
{
    notbuilt();
}

void capturepipeline(int)
{
    notbuilt();
}
