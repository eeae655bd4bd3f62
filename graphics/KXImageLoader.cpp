// Image files: decoding through FreeImage, and the BMP writer.
#include "graphics/KXImageLoader.h"

#include "core/KXAtomicFile.h"
#include "core/KXFpuScope.h"
#include "core/KXPath.h"
#include "graphics/KXBmpDecoder.h"
#include "graphics/KXPixelFormat.h"
#include "graphics/KXPixmap.h"

#include <FreeImage.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

std::string KXImageLoader::systemPath(std::string_view path)
{
    std::string s(path);
    for (char& c : s)
        if (c == '\\')
            c = '/';
    return s;
}

namespace {
struct DibDeleter {
    void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Dib = std::unique_ptr<FIBITMAP, DibDeleter>;

// The decoder for a path, or FIF_UNKNOWN when the name has no full stop.
FREE_IMAGE_FORMAT decoderFor(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return FIF_UNKNOWN;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (ext == "jpg" || ext == "jpeg")
        return FIF_JPEG;
    if (ext == "png")
        return FIF_PNG;
    return FIF_BMP;
}

// Reads a whole file into bytes; false when it cannot be read or cannot be held.
bool readWhole(const std::string& path, std::vector<uint8_t>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(f) : -1;
    ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            bytes.resize(size_t(size));
            ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    std::fclose(f);
    return ok;
}

void putLittle(std::vector<uint8_t>& out, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}
}

namespace {
KXPixmap* loadPicture(std::string_view name)
{
    KXFpuScope libraryFpu;
    const std::string path = KXImageLoader::systemPath(name);
    FREE_IMAGE_FORMAT fif = decoderFor(path);
    if (fif == FIF_UNKNOWN)
        return nullptr;
    // BMP files are read by our own decoder, which knows the header variants and RLE streams
    // that FreeImage refuses; FreeImage still gets what ours does not read (embedded JPEG or
    // PNG data, for one).
    if (fif == FIF_BMP) {
        std::vector<uint8_t> bytes;
        if (readWhole(path, bytes))
            if (KXPixmap* bmp = KXBmpDecoder::decode(bytes.data(), bytes.size()))
                return bmp;
    }
    Dib dib(FreeImage_Load(fif, path.c_str(), fif == FIF_JPEG ? JPEG_ACCURATE : 0));
    if (!dib || !FreeImage_HasPixels(dib.get()))
        return nullptr;
    // 16-bit-per-channel colour converts directly, 16-bit grey keeps its high byte, other sample
    // types (floating point, 32-bit integers) are scaled into 8 bits.
    const FREE_IMAGE_TYPE type = FreeImage_GetImageType(dib.get());
    if (type == FIT_UINT16) {
        dib.reset(FreeImage_ConvertTo8Bits(dib.get()));
        if (!dib)
            return nullptr;
    } else if (type != FIT_BITMAP && type != FIT_RGB16 && type != FIT_RGBA16) {
        dib.reset(FreeImage_ConvertToStandardType(dib.get(), TRUE));
        if (!dib)
            return nullptr;
    }
    Dib rgb(FreeImage_ConvertTo32Bits(dib.get()));
    if (!rgb)
        return nullptr;
    const int w = int(FreeImage_GetWidth(rgb.get())), h = int(FreeImage_GetHeight(rgb.get()));
    KXPixmap* pixmap = KXPixmap::create(w, h, 4);
    if (!pixmap)
        return nullptr;
    // FreeImage keeps rows bottom-up, each pixel as bytes B, G, R, A.
    for (int y = 0; y < h; ++y) {
        const uint8_t* in = FreeImage_GetScanLine(rgb.get(), h - 1 - y);
        auto* out = reinterpret_cast<uint32_t*>(pixmap->row(y));
        for (int x = 0; x < w; ++x, in += 4)
            out[x] = 0xFF000000u | (uint32_t(in[FI_RGBA_RED]) << 16) | (uint32_t(in[FI_RGBA_GREEN]) << 8) | in[FI_RGBA_BLUE];
    }
    return pixmap;
}
}

KXPixmap* KXImageLoader::load(std::string_view name)
{
    if (!kxNamesFile(name))
        return nullptr;
    // A picture too large for the memory left is a picture that cannot be read.
    try {
        return loadPicture(name);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

bool KXImageLoader::saveBmp(KXGraphics* surface, std::string_view name)
{
    KXFpuScope libraryFpu;
    if (!surface || !kxNamesFile(name))
        return false;
    const std::string path = systemPath(name);
    // The surface's contents, as a 32-bit memory copy, so that any format and any kind of
    // surface is read the same way.
    KXRef<KXPixmap> copy(KXPixmap::create(surface->width(), surface->height(), 4));
    if (!copy)
        return false;
    copy->copyRect(0, 0, surface, 0, 0, surface->width(), surface->height(), false);

    const uint32_t w = uint32_t(copy->width()), h = uint32_t(copy->height());
    const uint32_t rowBytes = (w * 3 + 3) & ~3u;
    const uint32_t imageBytes = rowBytes * h;
    std::vector<uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    putLittle(header, 14 + 40 + imageBytes, 4); // file size
    putLittle(header, 0, 4); // reserved
    putLittle(header, 14 + 40, 4); // offset of the pixels
    putLittle(header, 40, 4); // BITMAPINFOHEADER size
    putLittle(header, w, 4);
    putLittle(header, h, 4); // positive: rows bottom-up
    putLittle(header, 1, 2); // planes
    putLittle(header, 24, 2); // bits per pixel
    putLittle(header, 0, 4); // uncompressed
    putLittle(header, imageBytes, 4);
    putLittle(header, 2835, 4); // 72 dots per inch
    putLittle(header, 2835, 4);
    putLittle(header, 0, 4);
    putLittle(header, 0, 4);
    // The file appears whole or not at all: a full disk or a crash never leaves a partial
    // picture under its name, and a name that is a folder or a dangling link is refused.
    auto write = [&](int fd) {
        int e = kxAtomicWriteAll(fd, header.data(), header.size());
        std::vector<uint8_t> row(rowBytes, 0);
        for (int y = int(h) - 1; !e && y >= 0; --y) {
            const auto* in = reinterpret_cast<const uint32_t*>(copy->row(y));
            for (uint32_t x = 0; x < w; ++x) {
                row[x * 3] = uint8_t(in[x]);
                row[x * 3 + 1] = uint8_t(in[x] >> 8);
                row[x * 3 + 2] = uint8_t(in[x] >> 16);
            }
            e = kxAtomicWriteAll(fd, row.data(), row.size());
        }
        return e;
    };
    return kxAtomicFileWrite(path.c_str(), KXAtomicReplace, write) == 0;
}
