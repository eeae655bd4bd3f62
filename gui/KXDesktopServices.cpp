// The desktop-services contract's shared part: Print Screen's picture and the export for
// shared libraries.
#include "gui/KXDesktopServices.h"

#include <algorithm>

bool KXDesktopServices::putPrintScreenPicture(bool altHeld)
{
    KXRect rect { 0, 0, screenWidth(), screenHeight() };
    if (altHeld) {
        KXDesktopWindowInfo info;
        int fg = foregroundWindow();
        if (!fg || !windowInfo(fg, info))
            return false;
        int x0 = std::max(info.frame.x, 0), y0 = std::max(info.frame.y, 0);
        int x1 = std::min(info.frame.x + info.frame.width, rect.width);
        int y1 = std::min(info.frame.y + info.frame.height, rect.height);
        if (x1 <= x0 || y1 <= y0)
            return false;
        rect = { x0, y0, x1 - x0, y1 - y0 };
    }
    if (rect.width <= 0 || rect.height <= 0)
        return false;
    KXClipPicture picture;
    picture.width = rect.width;
    picture.height = rect.height;
    picture.argb.resize(size_t(rect.width) * size_t(rect.height));
    if (!readScreen(rect, reinterpret_cast<uint8_t*>(picture.argb.data()), rect.width * 4, 7))
        return false;
    for (uint32_t& p : picture.argb)
        p |= 0xFF000000u;
    return putClipboardPicture(picture);
}

extern "C" __attribute__((visibility("default"))) KXDesktopServices* trovaDesktopServices()
{
    return KXDesktopServices::current();
}
