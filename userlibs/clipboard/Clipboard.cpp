// Clipboard.dll: the clipboard library programs bind as "data\Clipboard.dll"
// ("_GetClipImageInfo@12", "_PasteClipImage@16", "_KeepClipImage@0"), over the desktop services' clipboard, so that
// pictures travel to and from other programs.
//
// Row order: GetClipImageInfo hands out 32-bit rows bottom-up, the picture's bottom row first,
// as a DIB with a positive height stores them (see KXDibPicture::toRows). With FreeImage, a
// program reading them with FreeImage_ConvertFromRawBits(..., topdown = TRUE) and copying the
// bitmap into top-row-first memory with FreeImage_ConvertToRawBits(..., topdown = FALSE) gets an
// upright picture; PasteClipImage takes a DIB as FreeImage_GetInfoHeader and FreeImage_GetBits
// describe it (bottom-up), so a bitmap made from top-row-first memory with topdown = TRUE is
// pasted upright.
#include "userlibs/clipboard/KXDibPicture.h"
#include "winapi/KXWinApi.h"

#include <climits>
#include <cstring>

namespace {
// The picture the last mode-0 call described: mode 1 copies exactly that one, so the size a
// program allocated from the header always matches, whatever reached the clipboard since.
KXClipPicture s_described;
bool s_hasDescribed = false;

void store32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }
}

// Mode 0: when the clipboard holds a picture, writes its 14-byte header into buffer (width,
// height, size of the rows in bytes, each 32-bit; bits per pixel, 16-bit: always 32) and
// answers 1; answers 0 when it holds none. Mode 1: copies the rows of the picture the last mode-0
// call described into buffer (exactly the header's size of bytes) and answers 1; 0 when no
// picture was described. The window handle is not used.
extern "C" __attribute__((stdcall, visibility("default"))) int GetClipImageInfo(int window, uint8_t* buffer, int mode) __asm__("_GetClipImageInfo");
int GetClipImageInfo(int window, uint8_t* buffer, int mode)
{
    (void)window;
    if (!buffer)
        return 0;
    if (mode == 0) {
        s_hasDescribed = false;
        s_described = {};
        KXDesktopServices* ds = kxwin::desktop();
        KXClipPicture picture;
        if (!ds || !ds->clipboardPicture(picture) || picture.width <= 0 || picture.height <= 0)
            return 0;
        if (KXDibPicture::rowsSize(picture) > size_t(INT_MAX) || picture.argb.size() != size_t(picture.width) * size_t(picture.height))
            return 0;
        store32(buffer, picture.width);
        store32(buffer + 4, picture.height);
        store32(buffer + 8, int32_t(KXDibPicture::rowsSize(picture)));
        buffer[12] = 32;
        buffer[13] = 0;
        s_described = std::move(picture);
        s_hasDescribed = true;
        return 1;
    }
    if (mode == 1 && s_hasDescribed) {
        KXDibPicture::toRows(s_described, buffer);
        return 1;
    }
    return 0;
}

// Leaves the picture this program put on the clipboard pasteable after it ends. 1 when it will
// stay (or the clipboard holds nothing of this program's), 0 when it will go with the process.
extern "C" __attribute__((stdcall, visibility("default"))) int KeepClipImage() __asm__("_KeepClipImage");
int KeepClipImage()
{
    KXDesktopServices* ds = kxwin::desktop();
    return !ds || ds->keepClipboard() ? 1 : 0;
}

// Puts the DIB (a BITMAPINFOHEADER and size bytes of rows; 16, 24 or 32 bits per pixel) on the
// clipboard in place of what it held. 1 on success; 0 when the DIB is malformed or holds more
// rows than size bytes, or the platform refused it.
extern "C" __attribute__((stdcall, visibility("default"))) int PasteClipImage(int window, const uint8_t* header, const uint8_t* bits, int size) __asm__("_PasteClipImage");
int PasteClipImage(int window, const uint8_t* header, const uint8_t* bits, int size)
{
    (void)window;
    KXDesktopServices* ds = kxwin::desktop();
    KXClipPicture picture;
    if (!ds || size <= 0 || !KXDibPicture::fromDib(header, bits, size_t(size), picture))
        return 0;
    return ds->putClipboardPicture(picture) ? 1 : 0;
}
