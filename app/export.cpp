// Export to the clipboard, save as and auto-save, through FreeImage bitmaps.
#include "pictorra.h"

namespace {

constexpr int FifBmp = 0, FifJpeg = 2, FifPng = 13;
constexpr int FitBitmap = 1; // FreeImage's image type of ordinary bitmaps
constexpr int FormatBmp = 0, FormatJpg = 1;
constexpr int JpegFlags[] = { 128, 256, 512, 1024 }; // by imagecomp index
constexpr int Warning = 1;
constexpr int MaxNameTries = 10000; // names one auto-save tries before it gives up

// Writes image to path as the FreeImage format fif; on failure shows error in a warning box.
// The file is written from the locked rows themselves: the bitmap handed over is a view of them
// (no copy), valid while the buffer stays locked.
int savewith(int fif, int image, kx_str path, int flags, kx_str error)
{
    int ok;
    // Transparent corners live in the alpha bytes of a copy (fiqsend), which a view of the rows
    // would leave out.
    if (fif == FifPng && transparentcorners == 1 && image == screenshot) {
        ok = fisave(fif, image, kxStrToCStr(path), flags);
    } else {
        int buffer = ImageBuffer(image, 0);
        LockBuffer(buffer);
        pixellayout layout = lockedlayout(LockedFormat(buffer));
        void* bitmap = FreeImage_ConvertFromRawBitsEx(0, reinterpret_cast<void*>(LockedPixels(buffer)), FitBitmap,
            ImageWidth(image), ImageHeight(image), LockedPitch(buffer), layout.bits, layout.red, layout.green,
            layout.blue, 1);
        ok = bitmap ? FreeImage_Save(fif, bitmap, kxStrToCStr(path), flags) : 0;
        if (bitmap)
            FreeImage_Unload(bitmap);
        UnlockBuffer(buffer);
    }
    if (ok == 0) {
        Notify(error, Warning);
        return 1;
    }
    return 0;
}

int jpegflags()
{
    unsigned quality = unsigned(SelectedGadgetItem(imagecomp));
    return quality < 4 ? JpegFlags[quality] : JpegFlags[0];
}

// The warning a failed save in the selected format shows.
kx_str selectederror()
{
    int format = SelectedGadgetItem(imagetype);
    return format == FormatBmp ? kx_str(txSaveBmpError) : format == FormatJpg ? kx_str(txSaveJpgError)
                                                                              : kx_str(txSavePngError);
}

// Saves screenshot to path in the selected format; 0 when written.
int saveselected(kx_str path)
{
    int format = SelectedGadgetItem(imagetype);
    if (format == FormatBmp)
        return savebmp(screenshot, path);
    if (format == FormatJpg)
        return savejpg(screenshot, path, jpegflags());
    return savepng(screenshot, path);
}

kx_str autosaveextension()
{
    int format = SelectedGadgetItem(imagetype);
    return format == FormatBmp ? kx_str(txDotBmp) : format == FormatJpg ? kx_str(txDotJpg)
                                                                        : kx_str(txDotPng);
}

}

// A new FreeImage bitmap of the image's pixels at the locked format's depth. Locked memory starts
// with the top row; FreeImage keeps the bottom row first, so the rows are handed over as
// top-down and files and clipboard pictures come out upright.
void* fiqsend(int image)
{
    int buffer = ImageBuffer(image, 0);
    LockBuffer(buffer);
    pixellayout layout = lockedlayout(LockedFormat(buffer));
    void* bitmap = FreeImage_ConvertFromRawBits(reinterpret_cast<void*>(LockedPixels(buffer)), ImageWidth(image),
        ImageHeight(image), LockedPitch(buffer), layout.bits, layout.red, layout.green, layout.blue, 1);
    UnlockBuffer(buffer);
    if (image == screenshot)
        cutcorners(bitmap, int(layout.bits));
    return bitmap;
}

int fisave(int fif, int image, const char* path, int flags)
{
    void* bitmap = fiqsend(image);
    // Formats without alpha show transparent corners in the mask colour they were painted in.
    if (bitmap && fif != FifPng && transparentcorners == 1) {
        void* opaque = FreeImage_ConvertTo24Bits(bitmap);
        FreeImage_Unload(bitmap);
        bitmap = opaque;
    }
    int ok = bitmap ? FreeImage_Save(fif, bitmap, path, flags) : 0;
    if (bitmap)
        FreeImage_Unload(bitmap);
    return ok;
}

int savebmp(int image, kx_str file) { return savewith(FifBmp, image, file, 0, txSaveBmpError); }

int savejpg(int image, kx_str file, int flags) { return savewith(FifJpeg, image, file, flags, txSaveJpgError); }

int savepng(int image, kx_str file) { return savewith(FifPng, image, file, 0, txSavePngError); }

// Puts the image on the clipboard; on success clipheader describes the new clipboard picture.
int saveclip(int hwnd, int image)
{
    void* bitmap = fiqsend(image);
    if (!bitmap)
        return 0;
    int size = int(FreeImage_GetPitch(bitmap) * FreeImage_GetHeight(bitmap));
    int ok = PasteClipImage(hwnd, FreeImage_GetInfoHeader(bitmap), FreeImage_GetBits(bitmap), size);
    FreeImage_Unload(bitmap);
    if (ok != 0)
        GetClipImageInfo(hwnd, kxbankdata(clipheader), 0);
    return 0;
}

int clipboardholdspicture() { return GetClipImageInfo(QueryObject(win, 1), kxbankdata(clipheader), 0); }

int keepclipboard() { return KeepClipImage(); }

int exportscreenshot()
{
    saveclip(QueryObject(win, 1), screenshot);
    DisableMenu(expomenu);
    DisableGadget(expclip);
    statusmessage(txExported);
    return 0;
}

int savescreenshot()
{
    int format = SelectedGadgetItem(imagetype);
    kx_str extension = format == FormatBmp ? kx_str(txExtBmp) : format == FormatJpg ? kx_str(txExtJpg)
                                                                                    : kx_str(txExtPng);
    kx_localstr path;
    {
        kx_temps t;
        path = t(RequestFile(txSaveRequest, extension, 1, kx_empty()));
    }
    if (Len(path) == 0)
        return 0;
    if (saveselected(path) != 0)
        return 0;
    // The file name: what follows the last "\" (the whole path when it has none); requesters
    // on this platform separate folders with "/", which counts the same.
    int cut = 0;
    for (int at = 1; at <= Len(path); ++at) {
        kx_temps t;
        kx_str c = t(Mid(path, at, 1));
        if (kxeq(c, txBackslash) || kxeq(c, txSlash))
            cut = at;
    }
    kx_temps t;
    statusmessage(kxcat(t, txSavedAs, t(Mid(path, cut + 1, -1))));
    return 0;
}

// Saves the capture into the auto-save folder under its date-and-time name, with a bracketed
// counter before the extension when that name is taken; never over an existing entry. The search
// is bounded: a folder where no name is free gets the save's warning instead.
int autosavescreenshot()
{
    if (FileType(autosavedir) != 2) {
        autosavedir = resetautosave;
        writeconfig();
    }
    kx_localstr stem, name, path;
    {
        kx_temps t;
        stem = kxcat(t, txShotPrefix, t(Replace(t(CurrentDate()), txSpace, kx_empty())), txDash,
            t(Replace(t(CurrentTime()), txColon, kx_empty())));
    }
    kx_str extension = autosaveextension();
    for (int n = 1;; ++n) {
        if (n > MaxNameTries) {
            Notify(selectederror(), Warning);
            return 0;
        }
        kx_temps t;
        kx_str counter = n > 1 ? kxcat(t, txOpenBracket, kxnum(t, n), txCloseBracket) : kx_empty();
        name = kxcat(t, t(Mid(stem, 2, -1)), counter, extension);
        path = kxcat(t, autosavedir, stem, counter, extension);
        if (FileType(path) == 0)
            break;
    }
    if (saveselected(path) != 0)
        return 0;
    kx_temps t;
    statusmessage(kxcat(t, txSavedAs, name));
    return 0;
}
