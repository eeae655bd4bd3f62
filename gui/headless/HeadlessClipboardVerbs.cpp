// The scripted user's clipboard: "clipboard put PATH" puts a picture file on the headless
// clipboard, as another program copying a picture would; "clipboard save PATH" writes the
// picture it holds as a BMP file; "clipboard empty" empties it.
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"
#include "gui/KXDesktopServices.h"
#include "gui/headless/HeadlessScript.h"

#include <cstring>

namespace {
std::string verbClipboard(const HeadlessScript::Args& a)
{
    KXDesktopServices* services = KXDesktopServices::current();
    if (!services)
        return "the desktop services are not running";
    if (a.size() == 1 && a[0] == "empty") {
        services->emptyClipboard();
        return {};
    }
    if (a.size() != 2 || (a[0] != "put" && a[0] != "save"))
        return "usage: clipboard put|save PATH, clipboard empty";
    if (a[0] == "put") {
        KXRef<KXPixmap> file(KXImageLoader::load(a[1]));
        if (!file)
            return "cannot load image " + a[1];
        KXClipPicture picture;
        picture.width = file->width();
        picture.height = file->height();
        picture.argb.resize(size_t(picture.width) * size_t(picture.height));
        for (int y = 0; y < picture.height; ++y)
            std::memcpy(&picture.argb[size_t(y) * size_t(picture.width)], file->row(y), size_t(picture.width) * 4);
        if (!services->putClipboardPicture(picture))
            return "the clipboard refused the picture";
        return {};
    }
    KXClipPicture picture;
    if (!services->clipboardPicture(picture))
        return "the clipboard holds no picture";
    KXRef<KXPixmap> copy(KXPixmap::create(picture.width, picture.height, 4));
    if (!copy)
        return "the clipboard's picture is too large";
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            kxpf::fromArgb(4, copy->row(y) + size_t(x) * 4, picture.argb[size_t(y) * size_t(picture.width) + size_t(x)]);
    if (!KXImageLoader::saveBmp(copy.get(), a[1]))
        return "cannot write " + a[1];
    return {};
}

struct RegisterVerbs {
    RegisterVerbs() { HeadlessScript::addVerb("clipboard", verbClipboard); }
} s_registerVerbs;
}
