// KXElfObject: a 32-bit x86 ELF relocatable object, read defensively into sections, symbols and
// relocations.
//
// Invariants: every section's bytes (for sections that have bytes) lie inside the file; every
// symbol and relocation refers to a section or symbol index that exists; every name view points
// into the object's own bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class KXElfObject {
public:
    struct Section {
        std::string_view name;
        uint32_t type;
        uint32_t flags;
        uint32_t size;
        uint32_t align;
        uint32_t link;
        uint32_t info;
        const uint8_t* data; // null for sections without bytes in the file (.bss)
    };
    struct Symbol {
        std::string_view name;
        uint32_t value;
        uint32_t size;
        uint8_t bind;
        uint8_t type;
        uint16_t section; // section index, or a special index (undefined, absolute, common)
    };
    struct Relocation {
        uint32_t offset; // of the field inside the target section
        uint32_t type;
        uint32_t symbol;
    };
    struct RelocationSet {
        uint32_t target; // index of the section the relocations patch
        std::vector<Relocation> relocations;
    };
    struct Group {
        std::string_view signature;
        bool comdat;
        std::vector<uint32_t> members;
    };

    // Reads an object from its bytes. Null with a message naming the file and the fault for
    // anything that is not a well-formed little-endian i386 relocatable object.
    static std::unique_ptr<KXElfObject> parse(std::string fileName, std::vector<uint8_t> bytes, std::string& error);

    const std::string& fileName() const { return m_fileName; }
    const std::vector<Section>& sections() const { return m_sections; }
    const std::vector<Symbol>& symbols() const { return m_symbols; }
    const std::vector<RelocationSet>& relocationSets() const { return m_relocations; }
    const std::vector<Group>& groups() const { return m_groups; }

private:
    KXElfObject() = default;
    void read(); // throws std::runtime_error on malformed input

    std::string m_fileName;
    std::vector<uint8_t> m_bytes;
    std::vector<Section> m_sections;
    std::vector<Symbol> m_symbols;
    std::vector<RelocationSet> m_relocations;
    std::vector<Group> m_groups;
};

// The name of an i386 relocation type ("R_386_GOTPC"), or "type N" for unknown ones.
std::string kxRelocationName(uint32_t type);
