// Reading i386 ELF relocatable objects. Every offset and count taken from the file is checked
// against the file's size before it is used.
#include "tools/kximage/KXElfObject.h"

#include <cstring>
#include <elf.h>
#include <stdexcept>

namespace {
[[noreturn]] void malformed(const std::string& what) { throw std::runtime_error(what); }

template<class T> T readAt(const std::vector<uint8_t>& bytes, uint64_t offset, const char* what)
{
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T))
        malformed(std::string(what) + " lies outside the file");
    T v;
    std::memcpy(&v, bytes.data() + offset, sizeof(T));
    return v;
}

// A zero-ended name inside a string table section.
std::string_view nameIn(const std::vector<uint8_t>& bytes, const Elf32_Shdr& table, uint32_t index)
{
    if (index >= table.sh_size)
        malformed("name offset " + std::to_string(index) + " lies outside its string table");
    const char* start = reinterpret_cast<const char*>(bytes.data() + table.sh_offset + index);
    const void* end = std::memchr(start, 0, table.sh_size - index);
    if (!end)
        malformed("unterminated name in a string table");
    return std::string_view(start, size_t(static_cast<const char*>(end) - start));
}
}

std::string kxRelocationName(uint32_t type)
{
    static const char* const names[] = { "R_386_NONE", "R_386_32", "R_386_PC32", "R_386_GOT32", "R_386_PLT32",
        "R_386_COPY", "R_386_GLOB_DAT", "R_386_JMP_SLOT", "R_386_RELATIVE", "R_386_GOTOFF", "R_386_GOTPC",
        "R_386_32PLT", nullptr, nullptr, "R_386_TLS_TPOFF", "R_386_TLS_IE", "R_386_TLS_GOTIE", "R_386_TLS_LE",
        "R_386_TLS_GD", "R_386_TLS_LDM", "R_386_16", "R_386_PC16", "R_386_8", "R_386_PC8" };
    if (type < sizeof names / sizeof names[0] && names[type])
        return names[type];
    if (type == R_386_GOT32X)
        return "R_386_GOT32X";
    return "relocation type " + std::to_string(type);
}

std::unique_ptr<KXElfObject> KXElfObject::parse(std::string fileName, std::vector<uint8_t> bytes, std::string& error)
{
    std::unique_ptr<KXElfObject> object(new KXElfObject);
    object->m_fileName = std::move(fileName);
    object->m_bytes = std::move(bytes);
    try {
        object->read();
    } catch (const std::exception& e) {
        error = object->m_fileName + ": " + e.what();
        return nullptr;
    }
    return object;
}

void KXElfObject::read()
{
    const std::vector<uint8_t>& b = m_bytes;
    if (b.size() < SELFMAG || std::memcmp(b.data(), ELFMAG, SELFMAG) != 0)
        malformed("not an ELF object");
    auto eh = readAt<Elf32_Ehdr>(b, 0, "the ELF header");
    if (eh.e_ident[EI_CLASS] != ELFCLASS32 || eh.e_ident[EI_DATA] != ELFDATA2LSB || eh.e_machine != EM_386)
        malformed("not a 32-bit little-endian x86 object (compile with -m32)");
    if (eh.e_type != ET_REL)
        malformed("not a relocatable object (give the .o files, not a linked program)");
    if (eh.e_shentsize != sizeof(Elf32_Shdr))
        malformed("unexpected section header size");
    if (eh.e_shnum == 0 || eh.e_shstrndx == SHN_UNDEF || eh.e_shstrndx >= eh.e_shnum)
        malformed("missing or unsupported section table");

    std::vector<Elf32_Shdr> headers(eh.e_shnum);
    for (uint32_t i = 0; i < eh.e_shnum; ++i) {
        headers[i] = readAt<Elf32_Shdr>(b, uint64_t(eh.e_shoff) + uint64_t(i) * sizeof(Elf32_Shdr), "a section header");
        const Elf32_Shdr& h = headers[i];
        if (h.sh_type != SHT_NOBITS && h.sh_type != SHT_NULL && uint64_t(h.sh_offset) + h.sh_size > b.size())
            malformed("section " + std::to_string(i) + " lies outside the file");
    }
    const Elf32_Shdr& names = headers[eh.e_shstrndx];
    if (names.sh_type != SHT_STRTAB)
        malformed("the section-name table is not a string table");

    m_sections.resize(headers.size());
    int symtab = -1;
    for (uint32_t i = 0; i < headers.size(); ++i) {
        const Elf32_Shdr& h = headers[i];
        Section& s = m_sections[i];
        s.name = i == 0 ? std::string_view() : nameIn(b, names, h.sh_name);
        s.type = h.sh_type;
        s.flags = h.sh_flags;
        s.size = h.sh_size;
        s.align = h.sh_addralign;
        s.link = h.sh_link;
        s.info = h.sh_info;
        s.data = (h.sh_type == SHT_NOBITS || h.sh_type == SHT_NULL) ? nullptr : b.data() + h.sh_offset;
        if (h.sh_type == SHT_SYMTAB) {
            if (symtab >= 0)
                malformed("more than one symbol table");
            symtab = int(i);
        }
        if (h.sh_type == SHT_SYMTAB_SHNDX)
            malformed("extended section indices are not supported");
        if (h.sh_type == SHT_RELA)
            malformed("RELA relocations are not supported on i386");
    }

    if (symtab >= 0) {
        const Elf32_Shdr& st = headers[size_t(symtab)];
        if (st.sh_entsize != sizeof(Elf32_Sym))
            malformed("unexpected symbol size");
        if (st.sh_link == 0 || st.sh_link >= headers.size() || headers[st.sh_link].sh_type != SHT_STRTAB)
            malformed("the symbol table has no string table");
        const Elf32_Shdr& strings = headers[st.sh_link];
        uint32_t count = st.sh_size / sizeof(Elf32_Sym);
        m_symbols.resize(count);
        for (uint32_t i = 0; i < count; ++i) {
            auto es = readAt<Elf32_Sym>(b, uint64_t(st.sh_offset) + uint64_t(i) * sizeof(Elf32_Sym), "a symbol");
            Symbol& s = m_symbols[i];
            s.name = nameIn(b, strings, es.st_name);
            s.value = es.st_value;
            s.size = es.st_size;
            s.bind = ELF32_ST_BIND(es.st_info);
            s.type = ELF32_ST_TYPE(es.st_info);
            s.section = es.st_shndx;
            if (s.section != SHN_UNDEF && s.section < SHN_LORESERVE && s.section >= headers.size())
                malformed("symbol " + std::string(s.name) + " names a section that does not exist");
            if (s.section == SHN_XINDEX)
                malformed("extended section indices are not supported");
        }
    }

    for (uint32_t i = 0; i < headers.size(); ++i) {
        const Elf32_Shdr& h = headers[i];
        if (h.sh_type == SHT_REL) {
            if (h.sh_entsize != sizeof(Elf32_Rel))
                malformed("unexpected relocation size in " + std::string(m_sections[i].name));
            if (int(h.sh_link) != symtab || symtab < 0)
                malformed("relocations in " + std::string(m_sections[i].name) + " do not use the symbol table");
            if (h.sh_info == 0 || h.sh_info >= headers.size())
                malformed("relocations in " + std::string(m_sections[i].name) + " patch no section");
            RelocationSet set;
            set.target = h.sh_info;
            const Section& target = m_sections[h.sh_info];
            uint32_t count = h.sh_size / sizeof(Elf32_Rel);
            set.relocations.reserve(count);
            for (uint32_t k = 0; k < count; ++k) {
                auto er = readAt<Elf32_Rel>(b, uint64_t(h.sh_offset) + uint64_t(k) * sizeof(Elf32_Rel), "a relocation");
                Relocation r { er.r_offset, ELF32_R_TYPE(er.r_info), ELF32_R_SYM(er.r_info) };
                if (r.symbol >= m_symbols.size())
                    malformed("a relocation names symbol " + std::to_string(r.symbol) + ", which does not exist");
                if (r.type != R_386_NONE && (target.size < 4 || r.offset > target.size - 4))
                    malformed("a relocation patches outside " + std::string(target.name));
                set.relocations.push_back(r);
            }
            m_relocations.push_back(std::move(set));
        } else if (h.sh_type == SHT_GROUP) {
            if (int(h.sh_link) != symtab || symtab < 0 || h.sh_info >= m_symbols.size())
                malformed("a section group has no signature symbol");
            if (h.sh_size < 4 || h.sh_size % 4 != 0)
                malformed("malformed section group");
            Group g;
            g.signature = m_symbols[h.sh_info].name;
            g.comdat = readAt<uint32_t>(b, h.sh_offset, "a section group") & GRP_COMDAT;
            for (uint32_t off = 4; off < h.sh_size; off += 4) {
                uint32_t member = readAt<uint32_t>(b, uint64_t(h.sh_offset) + off, "a section group");
                if (member == 0 || member >= headers.size())
                    malformed("a section group names a section that does not exist");
                g.members.push_back(member);
            }
            m_groups.push_back(std::move(g));
        }
    }
}
