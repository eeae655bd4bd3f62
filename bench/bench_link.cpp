// Times linking an image the size of the application's (63,492-byte block, 977 symbols, 2,307
// relative and 1,670 absolute fix-ups, a third of them naming registry entries) against the full
// registry. Baseline: copying the block plus one registry enumeration, measured in the same run.
#include "base/KXCommandRegistry.h"
#include "runtime/KXImageLinker.h"
#include "runtime/Runtime.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr uint32_t CodeSize = 63492, Symbols = 977, Relative = 2307, Absolute = 1670;

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void putName(std::vector<uint8_t>& out, const std::string& name)
{
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

std::vector<uint8_t> makeImage()
{
    std::vector<std::string> runtimeNames;
    Runtime& rt = *runtimeGetRuntime();
    while (const char* spec = rt.nextSym())
        runtimeNames.push_back(kxLinkName(spec));

    std::vector<uint8_t> img;
    putU32(img, CodeSize);
    std::vector<uint8_t> code(CodeSize, 0);
    for (uint32_t off = 0; off + 4 <= CodeSize; off += 4)
        std::memcpy(code.data() + off, "\xFC\xFF\xFF\xFF", 4);
    img.insert(img.end(), code.begin(), code.end());

    std::vector<std::string> imageNames;
    putU32(img, Symbols);
    for (uint32_t i = 0; i < Symbols; ++i) {
        std::string name = i == 0 ? "__MAIN" : (i % 3 ? "_" + std::to_string(i) : "_fprogramfunction" + std::to_string(i));
        imageNames.push_back(name);
        putName(img, name);
        putU32(img, (i * 61) % CodeSize);
    }
    uint32_t field = 0;
    auto fixups = [&](uint32_t count, uint32_t seed) {
        putU32(img, count);
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t k = i * 7919 + seed;
            putName(img, k % 3 == 0 ? runtimeNames[k % runtimeNames.size()] : imageNames[k % imageNames.size()]);
            putU32(img, field);
            field = (field + 16) % (CodeSize - 4);
        }
    };
    fixups(Relative, 1);
    fixups(Absolute, 2);
    return img;
}
}

int main()
{
    using Clock = std::chrono::steady_clock;
    std::vector<uint8_t> img = makeImage();
    constexpr int Rounds = 40;

    KXLinkResult warm = kxLinkImage(img.data(), img.size());
    if (!warm.entry) {
        std::printf("link failed: %s\n", warm.error.c_str());
        return 1;
    }
    auto t0 = Clock::now();
    for (int i = 0; i < Rounds; ++i) {
        KXLinkResult r = kxLinkImage(img.data(), img.size());
        if (!r.entry)
            return 1;
    }
    double link = std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / Rounds;

    // Baseline: the work no linker can avoid, a copy of the block and one registry enumeration.
    std::vector<uint8_t> block(CodeSize);
    size_t entries = 0;
    auto t1 = Clock::now();
    Runtime& rt = *runtimeGetRuntime();
    for (int i = 0; i < Rounds; ++i) {
        std::memcpy(block.data(), img.data() + 4, CodeSize);
        entries = 0;
        while (rt.nextSym())
            ++entries;
    }
    double base = std::chrono::duration<double, std::milli>(Clock::now() - t1).count() / Rounds;
    std::printf("link %u-byte image, %u symbols, %u fix-ups against %zu registry entries: %.3f ms "
                "(baseline copy + enumeration %.3f ms, ratio %.1f; target < 2 ms natively)\n",
        CodeSize, Symbols, Relative + Absolute, entries, link, base, link / base);
}
