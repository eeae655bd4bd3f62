// The program-image linker over images built in memory, and reading an attached image.
#include "runtime/KXImageLinker.h"
#include "runtime/Runtime.h"
#include "tests/support/KXTestSupport.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
using Table = std::vector<std::pair<std::string, uint32_t>>;

void putU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> image(const std::vector<uint8_t>& code, const Table& symbols, const Table& relative = {}, const Table& absolute = {})
{
    std::vector<uint8_t> out;
    putU32(out, uint32_t(code.size()));
    out.insert(out.end(), code.begin(), code.end());
    for (const Table* t : { &symbols, &relative, &absolute }) {
        putU32(out, uint32_t(t->size()));
        for (const auto& [name, offset] : *t) {
            out.insert(out.end(), name.begin(), name.end());
            out.push_back(0);
            putU32(out, offset);
        }
    }
    return out;
}

KXLinkResult link(const std::vector<uint8_t>& bytes) { return kxLinkImage(bytes.data(), bytes.size()); }

uint32_t fieldAt(const KXLinkResult& r, uint32_t offset)
{
    uint32_t v;
    std::memcpy(&v, static_cast<uint8_t*>(r.entry) + offset, 4);
    return v;
}

uint32_t base(const KXLinkResult& r) { return uint32_t(reinterpret_cast<uintptr_t>(r.entry)); }

std::vector<uint8_t> withField(size_t size, uint32_t offset, uint32_t value)
{
    std::vector<uint8_t> code(size, 0x90);
    std::memcpy(code.data() + offset, &value, 4);
    return code;
}
}

TEST(ImageLinker, SymbolsMustLieInsideTheBlock)
{
    std::vector<uint8_t> code(16, 0xC3);
    EXPECT_EQ(link(image(code, { { "__MAIN", 0 }, { "last", 15 } })).error, "");
    EXPECT_EQ(link(image(code, { { "__MAIN", 0 }, { "end", 16 } })).error, "Illegal symbol value");
    EXPECT_EQ(link(image({}, { { "__MAIN", 0 } })).error, "Illegal symbol value");
}

TEST(ImageLinker, CommandsResolveByTheirLowerCaseLinkName)
{
    std::vector<uint8_t> code = withField(8, 0, 0);
    EXPECT_EQ(link(image(code, {}, {}, { { "_fCreateBank", 0 } })).error, "Can't find symbol: _fCreateBank");
    KXLinkResult r = link(image(code, {}, {}, { { "_fcreatebank", 0 } }));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(fieldAt(r, 0), uint32_t(runtimeGetRuntime()->symValue("%CreateBank%size=0")));
    KXLinkResult helper = link(image(code, {}, {}, { { "__kxStrTmp", 0 } }));
    ASSERT_EQ(helper.error, "");
    EXPECT_EQ(fieldAt(helper, 0), uint32_t(runtimeGetRuntime()->symValue("_kxStrTmp")));
}

TEST(ImageLinker, ImageSymbolsBeatRuntimeSymbols)
{
    KXLinkResult r = link(image(withField(16, 0, 0), { { "_fmillisecs", 12 } }, {}, { { "_fmillisecs", 0 } }));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(fieldAt(r, 0), base(r) + 12);
}

TEST(ImageLinker, RelativeCallLandsOnItsSymbolAndRuns)
{
    // 0: call S; 5: ret; ... 8: S: mov eax, 42; ret
    std::vector<uint8_t> code = { 0xE8, 0xFC, 0xFF, 0xFF, 0xFF, 0xC3, 0x90, 0x90, 0xB8, 42, 0, 0, 0, 0xC3 };
    KXLinkResult r = link(image(code, { { "__MAIN", 0 }, { "S", 8 } }, { { "S", 1 } }));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(base(r) + 5 + fieldAt(r, 1), base(r) + 8);
    EXPECT_EQ(reinterpret_cast<int (*)()>(r.entry)(), 42);
}

TEST(ImageLinker, AbsoluteFieldsAddTheSymbolAddress)
{
    KXLinkResult r = link(image(withField(32, 4, 8), { { "S", 20 } }, {}, { { "S", 4 } }));
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(fieldAt(r, 4), base(r) + 20 + 8);
}

TEST(ImageLinker, FixupFieldsMustLieInsideTheBlock)
{
    std::vector<uint8_t> code(16, 0);
    Table symbols = { { "S", 0 } };
    EXPECT_EQ(link(image(code, symbols, {}, { { "S", 12 } })).error, "");
    EXPECT_EQ(link(image(code, symbols, {}, { { "S", 13 } })).error, "Illegal fixup offset");
    EXPECT_EQ(link(image(code, symbols, { { "S", 0xFFFFFFFE } })).error, "Illegal fixup offset");
    EXPECT_EQ(link(image({ 0, 0 }, { { "S", 0 } }, { { "S", 0 } })).error, "Illegal fixup offset");
}

TEST(ImageLinker, TruncatedAndOversizedImagesAreRefused)
{
    std::vector<uint8_t> whole = image(withField(8, 0, 0), { { "__MAIN", 0 } }, { { "__MAIN", 4 } }, { { "_fend", 0 } });
    ASSERT_EQ(link(whole).error, "");
    for (size_t n = 0; n < whole.size(); ++n)
        EXPECT_EQ(kxLinkImage(whole.data(), n).error, "Can't load resource") << "prefix of " << n << " bytes";

    // Counts far beyond the bytes that follow them.
    std::vector<uint8_t> huge;
    putU32(huge, 4);
    putU32(huge, 0xC3C3C3C3);
    putU32(huge, 0xFFFFFFFF);
    EXPECT_EQ(link(huge).error, "Can't load resource");
    std::vector<uint8_t> bigCode;
    putU32(bigCode, 0xFFFFFFF0);
    EXPECT_EQ(link(bigCode).error, "Can't load resource");
}

TEST(ImageLinker, ReadsTheImageAttachedToAFile)
{
    char path[] = "/tmp/kxattachedXXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    auto write = [&](std::vector<uint8_t> bytes) {
        ASSERT_EQ(ftruncate(fd, 0), 0);
        ASSERT_EQ(pwrite(fd, bytes.data(), bytes.size(), 0), ssize_t(bytes.size()));
    };
    std::vector<uint8_t> program = { 'E', 'L', 'F' };
    std::vector<uint8_t> img = image({ 0xC3 }, { { "__MAIN", 0 } });
    std::vector<uint8_t> exe = program;
    exe.insert(exe.end(), img.begin(), img.end());
    putU32(exe, uint32_t(img.size()));
    exe.insert(exe.end(), KXImageTrailerMagic, KXImageTrailerMagic + 8);
    write(exe);
    std::vector<uint8_t> read;
    EXPECT_EQ(kxReadAttachedImage(path, read), "");
    EXPECT_EQ(read, img);

    std::vector<uint8_t> lying = program;
    putU32(lying, 1000);
    lying.insert(lying.end(), KXImageTrailerMagic, KXImageTrailerMagic + 8);
    write(lying);
    EXPECT_EQ(kxReadAttachedImage(path, read), "Can't load resource");

    write(program);
    EXPECT_EQ(kxReadAttachedImage(path, read), "Can't find resource");
    close(fd);
    unlink(path);
    EXPECT_EQ(kxReadAttachedImage(path, read), "Can't find resource");
}
