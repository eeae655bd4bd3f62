// Linking ELF objects into a program image.
#include "tools/kximage/KXImageBuilder.h"

#include "base/KXCommandRegistry.h"
#include "runtime/Runtime.h"

#include <algorithm>
#include <cstring>
#include <elf.h>
#include <map>
#include <set>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>

namespace {
[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

constexpr uint32_t MaxAlign = 4096; // the block is page-aligned, so larger alignments cannot hold
constexpr uint64_t MaxBlock = 256u << 20; // far beyond any program; stops absurd .bss sizes early

enum class Kind { Main, Text, ReadOnly, Data, Zero, Skip };

bool startsWith(std::string_view s, std::string_view p) { return s.substr(0, p.size()) == p; }

// "name" or "name.suffix": the section families the block takes.
bool isFamily(std::string_view name, std::string_view family)
{
    return name == family || startsWith(name, std::string(family) + ".");
}

Kind kindOf(const KXElfObject& o, const KXElfObject::Section& s)
{
    std::string_view n = s.name;
    if (!(s.flags & SHF_ALLOC) || (s.type != SHT_PROGBITS && s.type != SHT_NOBITS && s.type != SHT_INIT_ARRAY
                                      && s.type != SHT_FINI_ARRAY && s.type != SHT_PREINIT_ARRAY))
        return Kind::Skip;
    if (isFamily(n, ".init_array") || isFamily(n, ".fini_array") || isFamily(n, ".preinit_array") || isFamily(n, ".ctors")
        || isFamily(n, ".dtors") || s.type == SHT_INIT_ARRAY || s.type == SHT_FINI_ARRAY || s.type == SHT_PREINIT_ARRAY) {
        if (s.size == 0)
            return Kind::Skip;
        fail(o.fileName() + ": global constructors and destructors are not supported (section " + std::string(n)
            + "); initialise globals with constants");
    }
    if (s.flags & SHF_TLS)
        fail(o.fileName() + ": thread-local data is not supported (section " + std::string(n) + ")");
    if (isFamily(n, ".eh_frame") || startsWith(n, ".note"))
        return Kind::Skip;
    if (isFamily(n, ".text"))
        return Kind::Text;
    if (isFamily(n, ".rodata"))
        return Kind::ReadOnly;
    if (isFamily(n, ".data"))
        return s.type == SHT_NOBITS ? Kind::Zero : Kind::Data;
    if (isFamily(n, ".bss"))
        return Kind::Zero;
    if (s.size == 0)
        return Kind::Skip;
    fail(o.fileName() + ": unsupported section " + std::string(n));
}

bool isGlobal(const KXElfObject::Symbol& s) { return s.bind == STB_GLOBAL || s.bind == STB_WEAK || s.bind == STB_GNU_UNIQUE; }

bool isDefined(const KXElfObject::Symbol& s) { return s.section != SHN_UNDEF && s.section < SHN_LORESERVE; }

struct Placed {
    const KXElfObject* object;
    uint32_t index;
    Kind kind;
    uint32_t offset { 0 };
};

struct Definition {
    uint32_t offset;
    bool weak;
    const KXElfObject* object;
};

// A name of the "_" + digits form, which the labels use.
bool isLabelForm(std::string_view n)
{
    return n.size() > 1 && n[0] == '_' && std::all_of(n.begin() + 1, n.end(), [](char c) { return c >= '0' && c <= '9'; });
}

uint32_t alignUp(uint32_t v, uint32_t a) { return (v + a - 1) / a * a; }
}

std::vector<std::string> kxRegistryLinkNames()
{
    Runtime& rt = *runtimeGetRuntime();
    std::vector<std::string> names;
    while (const char* spec = rt.nextSym())
        names.push_back(kxLinkName(spec));
    std::sort(names.begin(), names.end());
    return names;
}

KXImageBuilder::KXImageBuilder(std::function<bool(std::string_view)> isRuntimeName)
    : m_isRuntimeName(std::move(isRuntimeName))
{
}

bool KXImageBuilder::addObject(std::string fileName, std::vector<uint8_t> bytes, std::string& error)
{
    auto object = KXElfObject::parse(std::move(fileName), std::move(bytes), error);
    if (!object)
        return false;
    m_objects.push_back(std::move(object));
    return true;
}

bool KXImageBuilder::build(KXProgramImage& out, std::string& error)
{
    try {
        // Sections of a COMDAT group already taken from an earlier object are dropped.
        std::set<std::pair<const KXElfObject*, uint32_t>> dropped;
        std::unordered_set<std::string_view> groupsSeen;
        for (const auto& o : m_objects)
            for (const auto& g : o->groups())
                if (g.comdat && !groupsSeen.insert(g.signature).second)
                    for (uint32_t m : g.members)
                        dropped.insert({ o.get(), m });

        // Choose the sections and find __MAIN.
        std::vector<Placed> placed;
        std::map<std::pair<const KXElfObject*, uint32_t>, size_t> placedIndex;
        const KXElfObject* mainObject = nullptr;
        uint32_t mainSection = 0;
        for (const auto& o : m_objects) {
            for (uint32_t i = 1; i < o->sections().size(); ++i) {
                if (dropped.count({ o.get(), i }))
                    continue;
                Kind k = kindOf(*o, o->sections()[i]);
                if (k == Kind::Skip)
                    continue;
                if (o->sections()[i].align > MaxAlign)
                    fail(o->fileName() + ": section " + std::string(o->sections()[i].name) + " asks for an alignment above 4096");
                placedIndex[{ o.get(), i }] = placed.size();
                placed.push_back({ o.get(), i, k });
            }
            for (const auto& s : o->symbols()) {
                if (s.name != "__MAIN" || !isGlobal(s) || !isDefined(s))
                    continue;
                if (mainObject)
                    fail("__MAIN is defined twice (" + mainObject->fileName() + ", " + o->fileName() + ")");
                mainObject = o.get();
                mainSection = s.section;
                if (!placedIndex.count({ o.get(), s.section }) || o->sections()[s.section].type == SHT_NOBITS
                    || kindOf(*o, o->sections()[s.section]) != Kind::Text)
                    fail(o->fileName() + ": __MAIN is not in a code section");
                if (s.value != 0)
                    fail(o->fileName() + ": __MAIN must start its section (it lies at offset " + std::to_string(s.value) + " of "
                        + std::string(o->sections()[s.section].name) + "); compile with -ffunction-sections");
            }
        }
        if (!mainObject)
            fail("no __MAIN: the program defines no main routine");
        placed[placedIndex.at({ mainObject, mainSection })].kind = Kind::Main;

        // Lay the block out: __MAIN's section, code, read-only data, data, zeros.
        uint32_t size = 0;
        for (Kind k : { Kind::Main, Kind::Text, Kind::ReadOnly, Kind::Data, Kind::Zero }) {
            for (Placed& p : placed) {
                if (p.kind != k)
                    continue;
                const auto& s = p.object->sections()[p.index];
                uint64_t at = alignUp(size, std::max<uint32_t>(s.align, 1));
                if (at + s.size > MaxBlock)
                    fail(p.object->fileName() + ": the program would exceed 256 MB (section " + std::string(s.name) + ")");
                p.offset = uint32_t(at);
                size = uint32_t(at + s.size);
            }
        }
        out = KXProgramImage();
        out.code.assign(size, 0);
        for (const Placed& p : placed) {
            const auto& s = p.object->sections()[p.index];
            if (s.type != SHT_NOBITS && s.size)
                std::memcpy(out.code.data() + p.offset, s.data, s.size);
        }
        auto placedAt = [&](const KXElfObject* o, uint32_t section) -> const Placed* {
            auto it = placedIndex.find({ o, section });
            return it == placedIndex.end() ? nullptr : &placed[it->second];
        };

        // Global definitions: a strong one beats weak ones; two strong ones are an error.
        std::unordered_map<std::string_view, Definition> globals;
        for (const auto& o : m_objects) {
            for (const auto& s : o->symbols()) {
                if (!isGlobal(s) || s.name.empty())
                    continue;
                if (s.section == SHN_COMMON)
                    fail(o->fileName() + ": " + std::string(s.name) + " is a common symbol; compile with -fno-common");
                if (!isDefined(s))
                    continue;
                const Placed* p = placedAt(o.get(), s.section);
                if (!p)
                    continue; // in a dropped group or in a section the block does not take
                if (s.value > o->sections()[s.section].size)
                    fail(o->fileName() + ": symbol " + std::string(s.name) + " lies outside its section");
                Definition d { p->offset + s.value, s.bind == STB_WEAK, o.get() };
                auto [it, inserted] = globals.emplace(s.name, d);
                if (inserted)
                    continue;
                if (!it->second.weak && !d.weak && it->second.object != o.get())
                    fail("duplicate definition of " + std::string(s.name) + " (" + it->second.object->fileName() + ", "
                        + o->fileName() + ")");
                if (it->second.weak && !d.weak)
                    it->second = d;
            }
        }

        // Named local functions and objects keep their names in the symbol table where a name is
        // unambiguous: defined once, not global, not a runtime name and not of the label form.
        std::map<std::string_view, std::pair<uint32_t, int>> locals; // name -> offset, definitions
        for (const auto& o : m_objects) {
            for (const auto& s : o->symbols()) {
                if (s.bind != STB_LOCAL || (s.type != STT_FUNC && s.type != STT_OBJECT) || s.name.empty() || !isDefined(s))
                    continue;
                const Placed* p = placedAt(o.get(), s.section);
                if (!p || s.value > o->sections()[s.section].size)
                    continue;
                auto& entry = locals[s.name];
                entry.first = p->offset + s.value;
                ++entry.second;
            }
        }
        std::vector<std::pair<uint32_t, std::string>> namedLocals;
        for (const auto& [name, entry] : locals)
            if (entry.second == 1 && !globals.count(name) && !m_isRuntimeName(name) && !isLabelForm(name))
                namedLocals.emplace_back(entry.first, std::string(name));

        // Labels for local targets, named "_" + a number no other symbol uses.
        std::map<uint32_t, std::string> labels;
        uint32_t nextLabel = 1;
        auto labelAt = [&](uint32_t offset) -> const std::string& {
            auto it = labels.find(offset);
            if (it != labels.end())
                return it->second;
            std::string name;
            do
                name = "_" + std::to_string(nextLabel++);
            while (globals.count(name) || locals.count(name));
            return labels.emplace(offset, std::move(name)).first->second;
        };

        std::set<std::string> undefined;
        for (const auto& o : m_objects) {
            for (const auto& set : o->relocationSets()) {
                const Placed* target = placedAt(o.get(), set.target);
                if (!target)
                    continue; // debugging information and other sections the block does not take
                const auto& targetSection = o->sections()[set.target];
                if (targetSection.type == SHT_NOBITS)
                    fail(o->fileName() + ": relocations patch the zero-filled section " + std::string(targetSection.name));
                for (const auto& r : set.relocations) {
                    if (r.type == R_386_NONE)
                        continue;
                    bool relative = r.type == R_386_PC32 || r.type == R_386_PLT32;
                    if (!relative && r.type != R_386_32)
                        fail(o->fileName() + ": unsupported relocation " + kxRelocationName(r.type) + " in "
                            + std::string(targetSection.name) + " (compile with -fno-pic)");
                    const auto& sym = o->symbols()[r.symbol];
                    std::string name;
                    if (r.symbol == 0) {
                        fail(o->fileName() + ": a relocation in " + std::string(targetSection.name) + " names no symbol");
                    } else if (isGlobal(sym) && !sym.name.empty()) {
                        if (globals.count(sym.name) || m_isRuntimeName(sym.name))
                            name = sym.name;
                        else if (m_allowUndefined)
                            name = sym.name;
                        else
                            undefined.insert(std::string(sym.name) + " (referenced from " + o->fileName() + ")");
                    } else {
                        if (!isDefined(sym))
                            fail(o->fileName() + ": a relocation refers to the local symbol " + std::string(sym.name)
                                + ", which has no section");
                        const Placed* p = placedAt(o.get(), sym.section);
                        if (!p)
                            fail(o->fileName() + ": " + std::string(targetSection.name) + " refers to "
                                + std::string(o->sections()[sym.section].name) + ", which the program image does not take");
                        uint32_t value = sym.type == STT_SECTION ? 0 : sym.value;
                        if (value > o->sections()[sym.section].size)
                            fail(o->fileName() + ": symbol " + std::string(sym.name) + " lies outside its section");
                        name = labelAt(p->offset + value);
                    }
                    if (!name.empty())
                        (relative ? out.relative : out.absolute).emplace_back(std::move(name), target->offset + r.offset);
                }
            }
        }
        if (!undefined.empty()) {
            std::string text = "undefined name";
            text += undefined.size() > 1 ? "s" : "";
            text += " (neither defined by the program nor a runtime link name):";
            for (const auto& u : undefined)
                text += "\n  " + u;
            fail(text);
        }

        // The symbol table: __MAIN first, the other globals by offset, then the labels.
        std::vector<std::pair<uint32_t, std::string>> defined;
        for (const auto& [name, d] : globals)
            if (name != "__MAIN")
                defined.emplace_back(d.offset, std::string(name));
        std::sort(defined.begin(), defined.end());
        out.symbols.emplace_back("__MAIN", 0);
        for (auto& [offset, name] : defined)
            out.symbols.emplace_back(std::move(name), offset);
        std::sort(namedLocals.begin(), namedLocals.end());
        for (auto& [offset, name] : namedLocals)
            out.symbols.emplace_back(std::move(name), offset);
        for (auto& [offset, name] : labels)
            out.symbols.emplace_back(name, offset);
        // A symbol must lie inside the block: one that ends it (an empty last section) gets
        // padding to stand on.
        for (const auto& [name, offset] : out.symbols)
            if (offset >= out.code.size()) {
                out.code.resize(size_t(offset) + 4, 0);
            }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}
