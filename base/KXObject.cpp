// The reference-counted object base and the process-wide live-object set.
#include "base/KXObject.h"

#include "base/KXPointerSet.h"
#include "base/KXError.h"

#include <vector>

namespace {
// Constant-initialised and never torn down, so objects created during static construction and
// objects that outlive static destruction (shared constants, objects held by other statics)
// can still enter and leave it.
constinit KXPointerSet s_live;
}

KXObject::KXObject() { s_live.insert(this); }

KXObject::~KXObject()
{
    if (m_refs != 0)
        kxInternalError("Attempt to delete referenced object");
    s_live.erase(this);
}

void KXObject::free() { delete this; }

int KXObject::query(int) { return 0; }

bool KXObject::isLive(const void* p) { return s_live.contains(p); }

size_t KXObject::liveCount() { return s_live.size(); }

// Walks a snapshot, so fn may create or destroy objects; an object destroyed before its turn is
// skipped.
void KXObject::forEachLiveImpl(void (*fn)(KXObject*, void*), void* ctx)
{
    std::vector<const void*> snapshot;
    snapshot.reserve(s_live.size());
    s_live.forEach([&](const void* p) { snapshot.push_back(p); });
    for (const void* p : snapshot)
        if (s_live.contains(p))
            fn(static_cast<KXObject*>(const_cast<void*>(p)), ctx);
}
