// The four registrars: every spec of the command list bound to its area's implementation, or to
// a stand-in that reports the command as not available on this platform.
#include "base/KXCommandRegistry.h"

#include "base/KXCommandList.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace {
constexpr int CoreCount = 60, SystemCount = 194, GuiCount = 118, GraphicsCount = 133;
constexpr int TotalCount = CoreCount + SystemCount + GuiCount + GraphicsCount;

const char* specAt(int i)
{
    if (i < CoreCount)
        return kxCoreHelperSpecs[i];
    i -= CoreCount;
    if (i < SystemCount)
        return kxSystemCommandSpecs[i];
    i -= SystemCount;
    if (i < GuiCount)
        return kxGuiCommandSpecs[i];
    return kxGraphicsCommandSpecs[i - GuiCount];
}

std::string_view commandName(const char* spec)
{
    std::string_view s(spec);
    if (!s.empty() && (s[0] == '%' || s[0] == '#' || s[0] == '$'))
        s.remove_prefix(1);
    return s.substr(0, s.find_first_of("%#$"));
}

// Stands in for a command no area implements. It never returns, so the arguments the caller
// pushed do not matter.
template<int I> KX_STDCALL void unavailable()
{
    std::string_view name = commandName(specAt(I));
    kxRuntimeError("%.*s is not available on this platform", int(name.size()), name.data());
}

template<int... I> constexpr auto makeStubs(std::integer_sequence<int, I...>)
{
    return std::array<void*, sizeof...(I)> { reinterpret_cast<void*>(&unavailable<I>)... };
}

const std::array<void*, TotalCount>& standIns()
{
    static const auto table = makeStubs(std::make_integer_sequence<int, TotalCount>());
    return table;
}

const std::unordered_map<std::string_view, void*>& implementations()
{
    static const auto map = [] {
        std::unordered_map<std::string_view, void*> m;
        for (const KXCommandTable* t = KXCommandTable::first(); t; t = t->next())
            for (size_t i = 0; i < t->count(); ++i)
                m.emplace(t->entries()[i].spec, t->entries()[i].address);
        return m;
    }();
    return map;
}

void registerRange(KXRegisterFn fn, const char* const* specs, int count, int base)
{
    for (int i = 0; i < count; ++i) {
        void* address = kxImplementation(specs[i]);
        fn(specs[i], address ? address : standIns()[size_t(base + i)]);
    }
}
}

void* kxImplementation(const char* spec)
{
    auto& m = implementations();
    auto it = m.find(spec);
    return it == m.end() ? nullptr : it->second;
}

void kxRegisterCoreHelpers(KXRegisterFn fn) { registerRange(fn, kxCoreHelperSpecs, CoreCount, 0); }

void kxRegisterSystemCommands(KXRegisterFn fn)
{
    registerRange(fn, kxSystemCommandSpecs, SystemCount, CoreCount);
}

void kxRegisterGuiCommands(KXRegisterFn fn)
{
    registerRange(fn, kxGuiCommandSpecs, GuiCount, CoreCount + SystemCount);
}

void kxRegisterGraphicsCommands(KXRegisterFn fn)
{
    registerRange(fn, kxGraphicsCommandSpecs, GraphicsCount, CoreCount + SystemCount + GuiCount);
}

std::string kxLinkName(const char* spec)
{
    std::string_view name = commandName(spec);
    std::string out;
    out.reserve(name.size() + 2);
    if (!name.empty() && name[0] == '_') {
        out += '_';
        out += name;
        return out;
    }
    out += "_f";
    for (char c : name)
        out += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    return out;
}
