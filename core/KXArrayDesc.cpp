// Dimensioning and undimensioning of global arrays.
#include "core/KXArrayDesc.h"

#include "base/KXError.h"

#include <cstdlib>
#include <unordered_set>

namespace {
// Element totals stay far below what a 32-bit count cell and address space can carry.
constexpr int64_t MaxElements = int64_t(1) << 29;

// The element blocks handed out and not yet freed: a descriptor whose data pointer was not set
// by dimension() (a damaged image) is cleared, never freed.
std::unordered_set<const KXCell*>& ownedBlocks()
{
    static std::unordered_set<const KXCell*> set;
    return set;
}
}

void KXArrayDesc::dimension()
{
    undimension();
    if (dims < 1)
        kxRuntimeError("Array index out of bounds");
    int32_t* cells = sizes();
    // Check every dimension before touching a cell, so a failed Dim leaves the bounds as written.
    int64_t total = 1;
    for (int32_t i = 0; i < dims; ++i) {
        int64_t n = int64_t(cells[i]) + 1;
        if (n < 0)
            kxRuntimeError("Array index out of bounds");
        total *= n;
        if (total > MaxElements)
            kxRuntimeError("Out of memory");
    }
    // One hidden cell in front of the elements keeps their count: undimensioning must not trust
    // size cells that compiled code may already have overwritten with the next bounds.
    auto* block = static_cast<KXCell*>(std::calloc(size_t(total) + 1, sizeof(KXCell)));
    if (!block)
        kxRuntimeError("Out of memory");
    block[0] = KXCell(total);
    ownedBlocks().insert(block);
    cells[0] += 1;
    for (int32_t i = 1; i < dims; ++i)
        cells[i] = (cells[i] + 1) * cells[i - 1];
    data = block + 1;
}

void KXArrayDesc::undimension()
{
    if (!data)
        return;
    KXCell* block = data - 1;
    data = nullptr;
    if (!ownedBlocks().erase(block))
        return;
    KXCell* elements = block + 1;
    if (kind == int32_t(KXTypeKind::String) || kind == int32_t(KXTypeKind::Object))
        for (KXCell i = 0; i < block[0]; ++i)
            kxReleaseCell(kind, elements[i]);
    std::free(block);
}
