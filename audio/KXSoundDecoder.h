// KXSoundDecoder: turns Ogg Vorbis and RIFF WAVE files into 16-bit PCM. The kind is taken from
// the file's first bytes, not its name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct KXPcm {
    int channels { 0 }; // 1 or 2
    int rate { 0 }; // frames per second
    std::vector<int16_t> samples; // interleaved
};

class KXSoundDecoder {
public:
    // Largest decoded size accepted, in bytes: longer files are refused.
    static constexpr size_t MaxBytes = size_t(256) << 20;

    // Decodes the file at the system path; false when it is missing, of another kind,
    // malformed, empty, of more than two channels or too long.
    static bool decode(const std::string& path, KXPcm& out);
    // The same for WAVE bytes already in memory.
    static bool decodeWave(const uint8_t* data, size_t size, KXPcm& out);

private:
    static bool decodeFile(const std::string& path, KXPcm& out);
    static bool decodeVorbis(const std::string& path, KXPcm& out);
};
