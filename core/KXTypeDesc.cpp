// The basic type descriptors, vectors and the release of reference-holding cells.
#include "core/KXTypeDesc.h"

#include "core/KXObjType.h"
#include "core/KXString.h"
#include "base/KXError.h"

#include <climits>
#include <cstdlib>

constinit KXTypeDesc kxIntType { int32_t(KXTypeKind::Int) };
constinit KXTypeDesc kxFltType { int32_t(KXTypeKind::Float) };
constinit KXTypeDesc kxStrType { int32_t(KXTypeKind::String) };
constinit KXTypeDesc kxCStrType { int32_t(KXTypeKind::CString) };

void kxReleaseCell(int32_t kind, KXCell cell)
{
    if (!cell)
        return;
    if (kind == int32_t(KXTypeKind::String))
        reinterpret_cast<KXString*>(cell)->release();
    else if (kind == int32_t(KXTypeKind::Object))
        KXObjType::release(reinterpret_cast<KXObjHeader*>(cell));
}

KXCell* KXVecType::allocate() const
{
    if (count < 0 || size_t(count) > INT_MAX / sizeof(KXCell))
        kxRuntimeError("Out of memory");
    auto* cells = static_cast<KXCell*>(std::calloc(count ? size_t(count) : 1, sizeof(KXCell)));
    if (!cells)
        kxRuntimeError("Out of memory");
    return cells;
}

void KXVecType::free(KXCell* cells) const
{
    if (!cells)
        return;
    const int32_t kind = elementType ? elementType->kind : int32_t(KXTypeKind::Int);
    if (kind == int32_t(KXTypeKind::String) || kind == int32_t(KXTypeKind::Object))
        for (int32_t i = 0; i < count; ++i)
            kxReleaseCell(kind, cells[i]);
    std::free(cells);
}
