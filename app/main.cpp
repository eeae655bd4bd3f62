// Pictorra's main routine: start-up, then the event loop until it ends.
#include "pictorra.h"

KX_DATA();

KX_MAIN()
{
    startup();
    mainloop();
}
