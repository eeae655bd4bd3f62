// Creation, deletion and reference counting of program objects.
#include "core/KXObjType.h"

#include "core/KXObjHandles.h"
#include "base/KXError.h"

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace {
int s_live = 0;
int s_allocated = 0;

// Object blocks are kept for the life of the process: deleted objects return to their type's
// free list, never to the system.
std::vector<std::unique_ptr<unsigned char[]>>& blocks()
{
    static std::vector<std::unique_ptr<unsigned char[]>> list;
    return list;
}

// Field types are image data: a missing descriptor reads as an int field.
int32_t kindOf(const KXTypeDesc* t) { return t ? t->kind : int32_t(KXTypeKind::Int); }
}

void KXObjType::prepare()
{
    for (KXObjHeader* s : { &used, &freeList }) {
        if (!s->next || !s->prev) {
            s->fields = nullptr;
            s->next = s->prev = s;
            s->type = nullptr;
            s->refs = -1;
        }
    }
}

void KXObjType::grow()
{
    // Compiled code never builds such a type; a damaged image must not overflow the block size.
    constexpr int32_t MaxFields = 1 << 20;
    if (fieldCount < 0 || fieldCount > MaxFields)
        kxRuntimeError("Bad object type");
    const size_t objectSize = sizeof(KXObjHeader) + sizeof(KXCell) * size_t(fieldCount);
    std::unique_ptr<unsigned char[]> block(new (std::nothrow) unsigned char[objectSize * BlockSize]());
    if (!block)
        kxRuntimeError("Out of memory");
    for (int i = 0; i < BlockSize; ++i) {
        auto* o = reinterpret_cast<KXObjHeader*>(block.get() + objectSize * size_t(i));
        o->type = this;
        o->linkBefore(&freeList);
    }
    blocks().push_back(std::move(block));
}

KXObjHeader* KXObjType::create()
{
    prepare();
    if (freeList.next == &freeList)
        grow();
    KXObjHeader* o = freeList.next;
    o->unlink();
    o->fields = reinterpret_cast<KXCell*>(o + 1);
    o->type = this;
    o->refs = 1;
    for (int i = 0; i < fieldCount; ++i) {
        KXTypeDesc* t = fieldType(i);
        o->fields[i] = kindOf(t) == int32_t(KXTypeKind::Vector)
            ? reinterpret_cast<KXCell>(reinterpret_cast<KXVecType*>(t)->allocate())
            : 0;
    }
    o->linkBefore(&used);
    ++s_live;
    ++s_allocated;
    return o;
}

KXObjHeader* KXObjType::first()
{
    prepare();
    return used.nextLive();
}

KXObjHeader* KXObjType::last()
{
    prepare();
    return used.prevLive();
}

void KXObjType::removeAll()
{
    // The current object is held while it is deleted so that it stays linked: deleting it may
    // move other (already deleted) objects to the free list, but never the one we stand on.
    for (KXObjHeader* o = first(); o;) {
        retain(o);
        remove(o);
        KXObjHeader* next = o->nextLive();
        release(o);
        o = next;
    }
}

void KXObjType::remove(KXObjHeader* o)
{
    if (!o || o->isSentinel() || o->isDeleted())
        return;
    KXObjType* type = o->type;
    for (int i = 0; i < type->fieldCount; ++i) {
        KXCell cell = o->fields[i];
        if (!cell)
            continue;
        o->fields[i] = 0;
        KXTypeDesc* t = type->fieldType(i);
        if (kindOf(t) == int32_t(KXTypeKind::Vector))
            reinterpret_cast<KXVecType*>(t)->free(reinterpret_cast<KXCell*>(cell));
        else
            kxReleaseCell(kindOf(t), cell);
    }
    KXObjHandles::drop(o);
    o->fields = nullptr;
    --s_live;
    release(o);
}

void KXObjType::release(KXObjHeader* o)
{
    if (!o || o->refs <= 0)
        return;
    if (--o->refs > 0)
        return;
    if (!o->isDeleted()) {
        // Only an unbalanced release drops a live object's count to 0 (its list holds one
        // reference); delete it properly so that its fields and handle do not dangle.
        o->refs = 1;
        remove(o);
        return;
    }
    o->unlink();
    o->linkBefore(&o->type->freeList);
    --s_allocated;
}

int KXObjType::liveCount() { return s_live; }

int KXObjType::allocatedCount() { return s_allocated; }
