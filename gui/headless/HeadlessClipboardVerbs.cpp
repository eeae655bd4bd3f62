// Script verbs for the clipboard's picture: another program puts one there (clipboard-image
// PATH), or the user pastes it into a file (clipboard-save PATH, a binary PPM).
#include "core/KXObject.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "gui/KXDesktopServices.h"
#include "gui/headless/HeadlessScript.h"

#include <cstdio>
#include <cstring>

namespace {

std::string verbClipboardImage(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: clipboard-image PATH";
    KXDesktopServices* ds = KXDesktopServices::current();
    if (!ds)
        return "no desktop services";
    KXRef<KXPixmap> picture(KXImageLoader::load(a[0]));
    if (!picture)
        return "cannot load image " + a[0];
    KXClipPicture clip;
    clip.width = picture->width();
    clip.height = picture->height();
    clip.argb.resize(size_t(clip.width) * size_t(clip.height));
    for (int y = 0; y < clip.height; ++y)
        std::memcpy(&clip.argb[size_t(y) * size_t(clip.width)], picture->row(y), size_t(clip.width) * 4);
    if (!ds->putClipboardPicture(clip))
        return "the clipboard refused the picture";
    return {};
}

std::string verbClipboardSave(const HeadlessScript::Args& a)
{
    if (a.size() != 1)
        return "usage: clipboard-save PATH";
    KXDesktopServices* ds = KXDesktopServices::current();
    KXClipPicture clip;
    if (!ds || !ds->clipboardPicture(clip))
        return "the clipboard holds no picture";
    std::FILE* f = std::fopen(a[0].c_str(), "wb");
    if (!f)
        return "cannot write " + a[0];
    std::fprintf(f, "P6\n%d %d\n255\n", clip.width, clip.height);
    for (uint32_t p : clip.argb) {
        unsigned char rgb[3] = { uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p) };
        std::fwrite(rgb, 1, 3, f);
    }
    bool ok = std::fclose(f) == 0;
    return ok ? std::string() : "cannot write " + a[0];
}

struct RegisterVerbs {
    RegisterVerbs()
    {
        HeadlessScript::addVerb("clipboard-image", verbClipboardImage);
        HeadlessScript::addVerb("clipboard-save", verbClipboardSave);
    }
} s_registerVerbs;

}
