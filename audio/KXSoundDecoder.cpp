// Sound file decoding: Ogg Vorbis through libvorbisfile, RIFF WAVE by hand.
#include "audio/KXSoundDecoder.h"

#include "core/KXFpuScope.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

namespace {
uint32_t le32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

bool readFile(const std::string& path, std::vector<uint8_t>& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    uint8_t chunk[65536];
    size_t n;
    bool ok = true;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        if (out.size() + n > KXSoundDecoder::MaxBytes) {
            ok = false;
            break;
        }
        out.insert(out.end(), chunk, chunk + n);
    }
    ok = ok && !std::ferror(f);
    std::fclose(f);
    return ok;
}
}

bool KXSoundDecoder::decode(const std::string& path, KXPcm& out)
{
    KXFpuScope libraryFpu;
    try {
        return decodeFile(path, out);
    } catch (const std::bad_alloc&) {
        out.samples.clear();
        out.samples.shrink_to_fit();
        return false;
    }
}

bool KXSoundDecoder::decodeFile(const std::string& path, KXPcm& out)
{
    uint8_t magic[4] = {};
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return false;
    size_t got = std::fread(magic, 1, 4, f);
    std::fclose(f);
    if (got != 4)
        return false;
    if (std::memcmp(magic, "OggS", 4) == 0)
        return decodeVorbis(path, out);
    if (std::memcmp(magic, "RIFF", 4) == 0) {
        std::vector<uint8_t> bytes;
        return readFile(path, bytes) && decodeWave(bytes.data(), bytes.size(), out);
    }
    return false;
}

bool KXSoundDecoder::decodeVorbis(const std::string& path, KXPcm& out)
{
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0)
        return false;
    bool ok = false;
    if (vorbis_info* info = ov_info(&vf, -1); info && (info->channels == 1 || info->channels == 2) && info->rate > 0) {
        out.channels = info->channels;
        out.rate = int(info->rate);
        out.samples.clear();
        char buffer[16384];
        int section = 0;
        ok = true;
        for (;;) {
            long n = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &section);
            if (n == 0)
                break;
            if (n < 0 || (out.samples.size() * 2 + size_t(n)) > MaxBytes) {
                ok = false;
                break;
            }
            // A chained stream that changes its layout is not one sample.
            vorbis_info* now = ov_info(&vf, section);
            if (!now || now->channels != out.channels || int(now->rate) != out.rate) {
                ok = false;
                break;
            }
            const size_t first = out.samples.size();
            out.samples.resize(first + size_t(n) / 2);
            std::memcpy(out.samples.data() + first, buffer, size_t(n) & ~size_t(1));
        }
        ok = ok && !out.samples.empty() && out.samples.size() % size_t(out.channels) == 0;
    }
    ov_clear(&vf);
    return ok;
}

bool KXSoundDecoder::decodeWave(const uint8_t* data, size_t size, KXPcm& out)
{
    if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0)
        return false;
    const uint8_t* fmt = nullptr;
    const uint8_t* pcm = nullptr;
    size_t fmtSize = 0, pcmSize = 0;
    for (size_t pos = 12; pos + 8 <= size;) {
        const uint32_t len = le32(data + pos + 4);
        const size_t body = pos + 8;
        const size_t avail = std::min<size_t>(len, size - body); // a short last chunk is cut
        if (std::memcmp(data + pos, "fmt ", 4) == 0) {
            fmt = data + body;
            fmtSize = avail;
        } else if (std::memcmp(data + pos, "data", 4) == 0) {
            pcm = data + body;
            pcmSize = avail;
        }
        if (len > size - body)
            break;
        pos = body + len + (len & 1);
    }
    if (!fmt || !pcm || fmtSize < 16)
        return false;
    int format = le16(fmt);
    const int channels = le16(fmt + 2);
    const uint32_t rate = le32(fmt + 4);
    const int blockAlign = le16(fmt + 12);
    const int bits = le16(fmt + 14);
    if (format == 0xFFFE && fmtSize >= 26)
        format = le16(fmt + 24); // the sub-format's leading code
    if ((channels != 1 && channels != 2) || rate == 0 || rate > 768000)
        return false;
    const int bytes = bits / 8;
    const bool isFloat = format == 3;
    if (!((format == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) || (isFloat && bits == 32)))
        return false;
    if (blockAlign != bytes * channels)
        return false;
    const size_t frames = pcmSize / size_t(blockAlign);
    if (frames == 0)
        return false;
    out.channels = channels;
    out.rate = int(rate);
    out.samples.resize(frames * size_t(channels));
    const uint8_t* p = pcm;
    for (int16_t& s : out.samples) {
        switch (bytes) {
        case 1:
            s = int16_t((int(p[0]) - 128) * 256);
            break;
        case 2:
            s = int16_t(le16(p));
            break;
        case 3:
            s = int16_t(le16(p + 1));
            break;
        default:
            if (isFloat) {
                float v;
                std::memcpy(&v, p, 4);
                if (!(v == v))
                    v = 0;
                s = int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
            } else
                s = int16_t(le16(p + 2));
        }
        p += bytes;
    }
    return true;
}
