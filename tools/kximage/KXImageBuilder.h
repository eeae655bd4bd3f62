// KXImageBuilder: links i386 ELF relocatable objects into one program image.
//
// The block holds the objects' code and data sections end to end (.text*, then .rodata*,
// .data*, and .bss* as zeros), the section holding __MAIN first so that __MAIN lies at offset 0.
// Every defined global symbol becomes an image symbol; references to local and section symbols
// get "_" + number labels. PC-relative relocations become relative fix-ups and 32-bit absolute
// ones absolute fix-ups, with the addend left in the field as the image format wants. A name no
// object defines must be one of the runtime's link names.
#pragma once

#include "runtime/KXProgramImage.h"
#include "tools/kximage/KXElfObject.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class KXImageBuilder {
public:
    // isRuntimeName answers whether the runtime's registry resolves a link name.
    explicit KXImageBuilder(std::function<bool(std::string_view)> isRuntimeName);

    // Leaves names that are neither defined nor registered in the image as they are, so that
    // the runtime reports them when it links the image (for testing that report).
    void setAllowUndefined(bool allow) { m_allowUndefined = allow; }

    // Adds an object; false with a message when its bytes are not a usable object.
    bool addObject(std::string fileName, std::vector<uint8_t> bytes, std::string& error);

    // Links the objects added so far. False with a message naming every undefined name, or the
    // first other fault (no __MAIN, duplicate definitions, unsupported relocations or sections).
    bool build(KXProgramImage& out, std::string& error);

private:
    std::function<bool(std::string_view)> m_isRuntimeName;
    bool m_allowUndefined { false };
    std::vector<std::unique_ptr<KXElfObject>> m_objects;
};

// The runtime registry's link names, sorted, from one enumeration.
std::vector<std::string> kxRegistryLinkNames();
