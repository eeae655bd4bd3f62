// KXObjHeader: the 20-byte header in front of every object of a program-defined type, and the
// list links that thread objects onto their type's used and free lists.
//
// Invariants: every list is circular through a sentinel header (type null, count -1); a live
// object has fields pointing right after its header and a count of at least 1 (the used list
// holds the first reference); a deleted object has fields null and stays in the used list while
// references remain; an object on a free list has fields null and count 0.
#pragma once

#include "core/KXTypeDesc.h"

struct KXObjType;

// Packed: the sentinels live inside type descriptors in the program image, which may place them
// at any offset, so every access must be valid at any alignment (on x86 it costs nothing).
struct __attribute__((packed)) KXObjHeader {
    KXCell* fields; // The field area, or null once deleted (and in sentinels).
    KXObjHeader* next;
    KXObjHeader* prev;
    KXObjType* type; // Null only in sentinels.
    int32_t refs; // -1 in sentinels.

    bool isSentinel() const { return type == nullptr; }
    bool isDeleted() const { return fields == nullptr; }

    void unlink()
    {
        prev->next = next;
        next->prev = prev;
        next = prev = this;
    }
    // Links this (unlinked) header in just before at.
    void linkBefore(KXObjHeader* at)
    {
        next = at;
        prev = at->prev;
        prev->next = this;
        at->prev = this;
    }
    // Links this (unlinked) header in just after at.
    void linkAfter(KXObjHeader* at)
    {
        prev = at;
        next = at->next;
        next->prev = this;
        at->next = this;
    }

    // The nearest object after (before) this one that is not deleted, or null when the walk
    // reaches the list's sentinel first.
    KXObjHeader* nextLive() const
    {
        for (KXObjHeader* p = next; p && !p->isSentinel(); p = p->next)
            if (!p->isDeleted())
                return p;
        return nullptr;
    }
    KXObjHeader* prevLive() const
    {
        for (KXObjHeader* p = prev; p && !p->isSentinel(); p = p->prev)
            if (!p->isDeleted())
                return p;
        return nullptr;
    }
};

static_assert(sizeof(KXObjHeader) == 20);
static_assert(offsetof(KXObjHeader, next) == 4 && offsetof(KXObjHeader, prev) == 8);
static_assert(offsetof(KXObjHeader, type) == 12 && offsetof(KXObjHeader, refs) == 16);
