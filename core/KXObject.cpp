// The reference-counted object base and the process-wide live-object set.
#include "core/KXObject.h"

#include "runtime/KXError.h"

#include <unordered_set>

namespace {
// Function-local so that objects made during static construction find it.
std::unordered_set<const void*>& liveSet()
{
    static std::unordered_set<const void*> set;
    return set;
}
}

KXObject::KXObject() { liveSet().insert(this); }

KXObject::~KXObject()
{
    if (m_refs != 0)
        kxInternalError("Attempt to delete referenced object");
    liveSet().erase(this);
}

void KXObject::free() { delete this; }

int KXObject::query(int) { return 0; }

bool KXObject::isLive(const void* p) { return p && liveSet().count(p) != 0; }

size_t KXObject::liveCount() { return liveSet().size(); }

void KXObject::forEachLiveImpl(void (*fn)(KXObject*, void*), void* ctx)
{
    for (const void* p : liveSet())
        fn(static_cast<KXObject*>(const_cast<void*>(p)), ctx);
}
