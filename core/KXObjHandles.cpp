// The handle tables of program objects.
#include "core/KXObjHandles.h"

#include "core/KXObjType.h"
#include "base/KXError.h"

#include <climits>
#include <map>

namespace {
struct Tables {
    std::map<const KXObjHeader*, int> toHandle;
    std::map<int, KXObjHeader*> toObject;
    int counter { 0 };
};

Tables& tables()
{
    static Tables t;
    return t;
}
}

int KXObjHandles::handleOf(KXObjHeader* o)
{
    if (!o || o->isDeleted() || o->isSentinel())
        return 0;
    Tables& t = tables();
    auto it = t.toHandle.lower_bound(o);
    if (it != t.toHandle.end() && it->first == o)
        return it->second;
    if (t.counter == INT_MAX)
        kxRuntimeError("Out of object handles");
    int handle = ++t.counter;
    t.toHandle.emplace_hint(it, o, handle);
    t.toObject.emplace(handle, o);
    return handle;
}

KXObjHeader* KXObjHandles::objectOf(int handle, const KXObjType* type)
{
    Tables& t = tables();
    auto it = t.toObject.find(handle);
    if (it == t.toObject.end() || it->second->type != type)
        return nullptr;
    return it->second;
}

void KXObjHandles::drop(KXObjHeader* o)
{
    Tables& t = tables();
    if (t.toHandle.empty())
        return;
    auto it = t.toHandle.find(o);
    if (it == t.toHandle.end())
        return;
    t.toObject.erase(it->second);
    t.toHandle.erase(it);
}

int KXObjHandles::count() { return int(tables().toHandle.size()); }
