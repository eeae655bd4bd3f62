// kximage: linking real objects compiled with the program flags, malformed objects, and the
// generated command header.
#include "runtime/KXImageLinker.h"
#include "runtime/Runtime.h"
#include "tests/support/KXTestSupport.h"
#include "tools/kximage/KXHeaderGenerator.h"
#include "tools/kximage/KXImageBuilder.h"

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <fstream>
#include <iterator>
#include <set>

namespace {
std::vector<uint8_t> readFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::vector<std::string>& registryNames()
{
    static const std::vector<std::string> names = kxRegistryLinkNames();
    return names;
}

bool isRegistryName(std::string_view n) { return std::binary_search(registryNames().begin(), registryNames().end(), n); }

struct Input {
    std::string name;
    std::vector<uint8_t> bytes;
};

Input mainObject() { return { "main_unit.o", readFile(KX_TEST_OBJECT_MAIN) }; }
Input libObject() { return { "lib_unit.o", readFile(KX_TEST_OBJECT_LIB) }; }

// Links the inputs in order; answers the error text, empty on success.
std::string build(std::vector<Input> inputs, KXProgramImage& image, bool allowUndefined = false)
{
    KXImageBuilder builder(isRegistryName);
    builder.setAllowUndefined(allowUndefined);
    std::string error;
    for (Input& in : inputs)
        if (!builder.addObject(in.name, std::move(in.bytes), error))
            return error;
    return builder.build(image, error) ? std::string() : error;
}

const KXProgramImage::Entry* find(const std::vector<KXProgramImage::Entry>& t, std::string_view name)
{
    auto it = std::find_if(t.begin(), t.end(), [&](const auto& e) { return e.first == name; });
    return it == t.end() ? nullptr : &*it;
}

// The first relocation of the object's first REL section, for tampering.
Elf32_Rel* firstRelocation(std::vector<uint8_t>& bytes)
{
    Elf32_Ehdr eh;
    std::memcpy(&eh, bytes.data(), sizeof eh);
    for (int i = 0; i < eh.e_shnum; ++i) {
        auto* sh = reinterpret_cast<Elf32_Shdr*>(bytes.data() + eh.e_shoff + i * sizeof(Elf32_Shdr));
        if (sh->sh_type == SHT_REL && sh->sh_size)
            return reinterpret_cast<Elf32_Rel*>(bytes.data() + sh->sh_offset);
    }
    return nullptr;
}
}

TEST(ImageBuilder, LinksObjectsWithMainFirstAndResolvesEveryName)
{
    KXProgramImage image;
    // The library comes first on the command line; __MAIN's section still leads the block.
    ASSERT_EQ(build({ libObject(), mainObject() }, image), "");
    ASSERT_FALSE(image.symbols.empty());
    EXPECT_EQ(image.symbols[0], KXProgramImage::Entry("__MAIN", 0));
    std::set<std::string> defined;
    for (const auto& [name, offset] : image.symbols) {
        EXPECT_LT(offset, image.code.size()) << name;
        EXPECT_TRUE(defined.insert(name).second) << name << " defined twice";
    }
    for (const char* name : { "lib_add", "lib_counter", "lib_zeros", "test_compute", "shared_inline_value" })
        EXPECT_TRUE(defined.count(name)) << name;
    for (const auto* table : { &image.relative, &image.absolute })
        for (const auto& [name, offset] : *table) {
            EXPECT_TRUE(defined.count(name) || isRegistryName(name)) << name;
            EXPECT_LE(offset + 4, image.code.size()) << name;
        }
    EXPECT_TRUE(find(image.relative, "_fmillisecs"));
    EXPECT_TRUE(find(image.relative, "_fend"));
    EXPECT_TRUE(std::any_of(image.absolute.begin(), image.absolute.end(), [](const auto& e) { return e.first[0] == '_' && std::isdigit(e.first[1]); }))
        << "local data is reached through a numbered label";

    std::string error;
    KXProgramImage again;
    std::vector<uint8_t> bytes = image.bytes();
    ASSERT_TRUE(KXProgramImage::parse(bytes.data(), bytes.size(), again, error)) << error;
    EXPECT_EQ(again.code, image.code);
    EXPECT_EQ(again.symbols, image.symbols);
    EXPECT_EQ(again.relative, image.relative);
    EXPECT_EQ(again.absolute, image.absolute);
    bytes.push_back(0);
    EXPECT_FALSE(KXProgramImage::parse(bytes.data(), bytes.size(), again, error));
}

TEST(ImageBuilder, LinkedImageRunsAgainstTheRuntime)
{
    KXProgramImage image;
    ASSERT_EQ(build({ mainObject(), libObject() }, image), "");
    std::vector<uint8_t> bytes = image.bytes();
    KXLinkResult linked = kxLinkImage(bytes.data(), bytes.size());
    ASSERT_EQ(linked.error, "");
    auto at = [&](const char* name) { return static_cast<uint8_t*>(linked.entry) + find(image.symbols, name)->second; };
    EXPECT_EQ(reinterpret_cast<int (*)(int)>(at("test_compute"))(10), 182);
    EXPECT_STREQ(reinterpret_cast<const char* (*)()>(at("test_message"))(), "linked");
    EXPECT_EQ(reinterpret_cast<int (*)(int)>(at("lib_twice"))(4), 15);
    // __MAIN ends the program; program code cannot pass the tests' end exception on, so the end
    // runs for real in a child process.
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(reinterpret_cast<void (*)()>(linked.entry)(), testing::ExitedWithCode(0), "");
    kxInstallTestEndTrap();
}

TEST(ImageBuilder, ReportsUndefinedNamesAndMissingMain)
{
    KXProgramImage image;
    std::string error = build({ mainObject() }, image);
    EXPECT_NE(error.find("undefined names"), std::string::npos) << error;
    EXPECT_NE(error.find("lib_add (referenced from main_unit.o)"), std::string::npos) << error;
    EXPECT_NE(error.find("lib_counter"), std::string::npos) << error;
    EXPECT_EQ(error.find("_fmillisecs"), std::string::npos) << error;

    ASSERT_EQ(build({ mainObject() }, image, true), "");
    EXPECT_TRUE(find(image.absolute, "lib_counter") || find(image.relative, "lib_counter"));

    EXPECT_EQ(build({ libObject() }, image), "no __MAIN: the program defines no main routine");
    error = build({ mainObject(), libObject(), { "again.o", mainObject().bytes } }, image);
    EXPECT_EQ(error.rfind("__MAIN is defined twice", 0), 0u) << error;
}

TEST(ImageBuilder, RefusesUnsupportedRelocations)
{
    Input lib = libObject(), main = mainObject();
    Elf32_Rel* rel = firstRelocation(main.bytes);
    ASSERT_NE(rel, nullptr);
    rel->r_info = ELF32_R_INFO(ELF32_R_SYM(rel->r_info), R_386_GOTPC);
    KXProgramImage image;
    std::string error = build({ main, lib }, image);
    EXPECT_NE(error.find("unsupported relocation R_386_GOTPC"), std::string::npos) << error;
    EXPECT_EQ(error.rfind("main_unit.o: ", 0), 0u) << error;
}

TEST(ImageBuilder, MalformedObjectsGiveErrorsNotCrashes)
{
    const std::vector<uint8_t> good = mainObject().bytes;
    ASSERT_GT(good.size(), 200u);
    KXImageBuilder builder(isRegistryName);
    std::string error;
    EXPECT_FALSE(builder.addObject("text.o", { 'h', 'e', 'l', 'l', 'o' }, error));
    EXPECT_EQ(error, "text.o: not an ELF object");

    // Every truncation, and single-byte corruptions across the headers and tables, either fail
    // with a message or still produce an object; none may crash.
    for (size_t n = 0; n < good.size(); n += (n < 256 ? 1 : 7)) {
        std::vector<uint8_t> cut(good.begin(), good.begin() + long(n));
        error.clear();
        if (!builder.addObject("cut.o", cut, error)) {
            EXPECT_EQ(error.rfind("cut.o: ", 0), 0u) << n;
        }
    }
    for (size_t at = 0; at < good.size(); at += 3) {
        for (uint8_t value : { uint8_t(0xFF), uint8_t(0x7F), uint8_t(0x00) }) {
            std::vector<uint8_t> bad = good;
            bad[at] = value;
            KXImageBuilder b(isRegistryName);
            KXProgramImage image;
            if (b.addObject("bad.o", bad, error) && b.addObject("lib.o", libObject().bytes, error))
                b.build(image, error);
        }
    }
}

TEST(ImageBuilder, StartupTablesHaveTheImageLayout)
{
    KXProgramImage image;
    ASSERT_EQ(build({ { "tables_unit.o", readFile(KX_TEST_OBJECT_TABLES) } }, image), "");
    auto symbol = [&](const char* name) {
        const auto* e = find(image.symbols, name);
        EXPECT_NE(e, nullptr) << name;
        return e ? e->second : 0u;
    };
    auto absoluteAt = [&](uint32_t offset) -> std::string {
        for (const auto& [name, at] : image.absolute)
            if (at == offset)
                return name;
        return "<none>";
    };
    auto bytesAt = [&](uint32_t offset, size_t n) { return std::string(reinterpret_cast<const char*>(image.code.data()) + offset, n); };

    // __LIBS: library name, {function name, slot pointer}..., 0; ...; 0. No padding anywhere.
    uint32_t libs = symbol("__LIBS");
    const std::string k = std::string("kernel32.dll\0GetLastError\0", 26);
    EXPECT_EQ(bytesAt(libs, k.size()), k);
    EXPECT_EQ(absoluteAt(libs + 26), "_fgetlasterror");
    const std::string rest = std::string("\0empty.dll\0\0data\\user32.dll\0MessageBeep\0", 40);
    EXPECT_EQ(bytesAt(libs + 30, rest.size()), rest);
    EXPECT_EQ(absoluteAt(libs + 30 + 40), "_fmessagebeep");
    EXPECT_EQ(bytesAt(libs + 74, 2), std::string("\0\0", 2));

    // __DATA: {kind, value} items ending with kind 0; text values point into the block.
    uint32_t data = symbol("__DATA");
    uint32_t items[8];
    std::memcpy(items, image.code.data() + data, sizeof items);
    EXPECT_EQ(items[0], 1u);
    EXPECT_EQ(int(items[1]), -2);
    EXPECT_EQ(items[2], 2u);
    EXPECT_EQ(items[3], 0x3FC00000u);
    EXPECT_EQ(items[4], 4u);
    std::string text = absoluteAt(data + 20);
    ASSERT_NE(text, "<none>");
    EXPECT_EQ(bytesAt(symbol(text.c_str()) + items[5], 6), std::string("three\0", 6));
    EXPECT_EQ(items[6], 0u);

    // __CSTRS: pointers to {slot, text} objects, then a zero pointer.
    uint32_t cstrs = symbol("__CSTRS");
    EXPECT_EQ(absoluteAt(cstrs), "hello");
    EXPECT_EQ(absoluteAt(cstrs + 4), "nothing");
    EXPECT_EQ(absoluteAt(cstrs + 8), "<none>");
    EXPECT_EQ(bytesAt(symbol("hello"), 10), std::string("\0\0\0\0Hello\0", 10));
    EXPECT_EQ(bytesAt(symbol("nothing"), 5), std::string("\0\0\0\0\0", 5));
    EXPECT_EQ(bytesAt(cstrs + 8, 4), std::string("\0\0\0\0", 4));

    // The main routine's start-up calls, in order, before the body.
    std::vector<std::string> calls;
    for (const auto& [name, at] : image.relative)
        if (name.rfind("__kx", 0) == 0)
            calls.push_back(name);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 3),
        (std::vector<std::string> { "__kxRestore", "__kxLoadLibs", "__kxInitCStrs" }));
}

TEST(CommandsHeader, DeclaresCommandsFromTheirSpecs)
{
    std::string h = kxCommandsHeader({ "_kxStrTmp", "End", "%CreateBank%size=0", "WriteInt%stream%int",
        "$RequestFile$prompt=\"\"$exts=\"\"%save=0$defname=\"\"", "#Rnd#from#to=0", "%WaitEvent%timeout=-1" });
    EXPECT_EQ(h.find("kxStrTmp"), std::string::npos) << "helpers are declared by hand";
    EXPECT_NE(h.find("KX_COMMAND_NORETURN void End() KX_LINK(\"_fend\");"), std::string::npos) << h;
    EXPECT_NE(h.find("KX_COMMAND int CreateBank(int size = 0) KX_LINK(\"_fcreatebank\");"), std::string::npos) << h;
    EXPECT_NE(h.find("KX_COMMAND void WriteInt(int stream, int int_) KX_LINK(\"_fwriteint\");"), std::string::npos) << h;
    EXPECT_NE(h.find("KX_COMMAND kx_str RequestFile(kx_str prompt = kx_empty(), kx_str exts = kx_empty(), int save = 0, "
                     "kx_str defname = kx_empty()) KX_LINK(\"_frequestfile\");"),
        std::string::npos)
        << h;
    EXPECT_NE(h.find("KX_COMMAND float Rnd(float from, float to = 0) KX_LINK(\"_frnd\");"), std::string::npos) << h;
    EXPECT_NE(h.find("KX_COMMAND int WaitEvent(int timeout = -1) KX_LINK(\"_fwaitevent\");"), std::string::npos) << h;
}

TEST(CommandsHeader, TheSdkDeclaresEveryHelperOfTheRegistry)
{
    std::ifstream in(std::string(KX_TEST_INPUTS) + "/../../tools/sdk/trova.h");
    std::string sdk((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(sdk.empty());
    int helpers = 0;
    for (const std::string& spec : kxRegistrySpecs()) {
        if (spec[0] != '_')
            continue;
        ++helpers;
        EXPECT_NE(sdk.find("KX_LINK(\"_" + spec + "\")"), std::string::npos) << spec;
    }
    EXPECT_EQ(helpers, 62);
}
