// KXObjType: the descriptor of a program-defined object type (kind 5) and the life of its
// objects: creation from the free list, deletion, reference counting and list order.
//
// Layout (read by compiled code): kind, used-list sentinel, free-list sentinel, field count,
// then one type-descriptor pointer per field.
//
// Invariants: objects are allocated in blocks of 512 that are never returned to the system;
// liveCount() counts objects created and not deleted, allocatedCount() objects not on a free
// list. See KXObjHeader.h for the list invariants.
#pragma once

#include "core/KXObjHeader.h"

#include <cstring>

// Packed for the same reason as KXObjHeader: descriptors may sit at any offset in the image.
struct __attribute__((packed)) KXObjType {
    int32_t kind;
    KXObjHeader used;
    KXObjHeader freeList;
    int32_t fieldCount;
    // Followed in memory by fieldCount KXTypeDesc pointers.

    static constexpr int BlockSize = 512;

    KXTypeDesc* fieldType(int i) const
    {
        KXTypeDesc* type;
        std::memcpy(&type, reinterpret_cast<const char*>(this) + sizeof(KXObjType) + sizeof(type) * size_t(i), sizeof type);
        return type;
    }

    // A new object with count 1, its fields zeroed (vector fields get zeroed vectors), appended
    // at the end of the used list. Allocates only when the free list is empty.
    KXObjHeader* create();
    // The first (last) object of the type that is not deleted, or null.
    KXObjHeader* first();
    KXObjHeader* last();
    // Deletes every live object of the type, first to last.
    void removeAll();

    // Deletes o: releases what its fields hold, drops its handle, marks it deleted and gives up
    // the list's reference. Nothing for null or deleted objects.
    static void remove(KXObjHeader* o);
    // Adds a reference to o (not null, not on a free list).
    static void retain(KXObjHeader* o)
    {
        if (o && o->refs > 0)
            ++o->refs;
    }
    // Drops one reference; the last one moves o to its type's free list. Sentinels and objects
    // already on a free list hold no count and are left alone.
    static void release(KXObjHeader* o);

    static int liveCount();
    static int allocatedCount();

private:
    // Makes the sentinels of a descriptor whose lists were left zeroed valid empty lists.
    void prepare();
    void grow();
};

static_assert(sizeof(KXObjType) == 48);
static_assert(offsetof(KXObjType, used) == 4 && offsetof(KXObjType, freeList) == 24);
static_assert(offsetof(KXObjType, fieldCount) == 44);
