// Transform, thumbnail and preview of the capture image.
#include "pictorra.h"

int resizescreenshot()
{
    notbuilt();
}

int flipscreenshot()
{
    notbuilt();
}

int createthumb()
{
    notbuilt();
}

int previewscreenshot()
{
    notbuilt();
}
