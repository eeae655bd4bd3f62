// The reference-counted object base and the process-wide live-object set.
#include "core/KXObject.h"

#include "runtime/KXError.h"

#include <unordered_set>
#include <vector>

namespace {
// Made on first use, so objects created during static construction find it, and never
// destroyed, so objects that outlive static destruction (shared constants, objects held by
// other statics) can still leave it.
std::unordered_set<const void*>& liveSet()
{
    static auto* set = new std::unordered_set<const void*>;
    return *set;
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

// Walks a snapshot, so fn may create or destroy objects; an object destroyed before its turn is
// skipped.
void KXObject::forEachLiveImpl(void (*fn)(KXObject*, void*), void* ctx)
{
    const std::vector<const void*> snapshot(liveSet().begin(), liveSet().end());
    for (const void* p : snapshot)
        if (liveSet().count(p))
            fn(static_cast<KXObject*>(const_cast<void*>(p)), ctx);
}
