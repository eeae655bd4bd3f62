// Secondary windows: auto-save folder, Reset Settings, how-to page and About.
#include "pictorra.h"

int autosavedirec()
{
    notbuilt();
}

int resetsettings()
{
    notbuilt();
}

int showhowtoinfo()
{
    notbuilt();
}

int showproginfo()
{
    notbuilt();
}
