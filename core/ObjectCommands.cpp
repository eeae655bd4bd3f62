// Helpers for objects of program-defined types, their handles, the basic type descriptors,
// and QueryObject.
#include "core/ObjectCommands.h"

#include "core/KXHandle.h"
#include "core/KXObjHandles.h"
#include "core/KXString.h"
#include "core/KXStringHelpers.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

KX_STDCALL KXObjHeader* kxObjNew(KXObjType* type) { return type->create(); }

KX_STDCALL void kxObjDelete(KXObjHeader* o) { KXObjType::remove(o); }

KX_STDCALL void kxObjDeleteEach(KXObjType* type) { type->removeAll(); }

KX_STDCALL void kxObjRelease(KXObjHeader* o) { KXObjType::release(o); }

// Adds a reference to the new object before releasing the old one, so storing a variable's own
// object into it is harmless.
KX_STDCALL void kxObjStore(KXObjHeader** var, KXObjHeader* o)
{
    KXObjType::retain(o);
    KXObjHeader* old = *var;
    *var = o;
    KXObjType::release(old);
}

// 0 when both name the same field area; a null or deleted object has none.
KX_STDCALL int kxObjCompare(KXObjHeader* a, KXObjHeader* b)
{
    const KXCell* fa = a ? a->fields : nullptr;
    const KXCell* fb = b ? b->fields : nullptr;
    return fa == fb ? 0 : 1;
}

KX_STDCALL KXObjHeader* kxObjNext(KXObjHeader* o) { return o ? o->nextLive() : nullptr; }

KX_STDCALL KXObjHeader* kxObjPrev(KXObjHeader* o) { return o ? o->prevLive() : nullptr; }

KX_STDCALL KXObjHeader* kxObjFirst(KXObjType* type) { return type->first(); }

KX_STDCALL KXObjHeader* kxObjLast(KXObjType* type) { return type->last(); }

namespace {
// Both objects must exist; objects of different types are never mixed into one list (that
// would let a list hand out objects of the wrong layout).
bool canMove(KXObjHeader* a, KXObjHeader* b)
{
    if (!a || !b)
        kxRuntimeError("Object does not exist");
    return a != b && a->type == b->type && !a->isSentinel() && a->refs > 0 && b->refs > 0;
}
}

KX_STDCALL void kxObjInsBefore(KXObjHeader* a, KXObjHeader* b)
{
    if (!canMove(a, b))
        return;
    a->unlink();
    a->linkBefore(b);
}

KX_STDCALL void kxObjInsAfter(KXObjHeader* a, KXObjHeader* b)
{
    if (!canMove(a, b))
        return;
    a->unlink();
    a->linkAfter(b);
}

// The variable holds a reference to the current object, so the loop body may delete it: it
// stays linked until the next step moves the variable on.
KX_STDCALL int kxObjEachFirst(KXObjHeader** var, KXObjType* type)
{
    KXObjHeader* o = type->first();
    kxObjStore(var, o);
    return o != nullptr;
}

KX_STDCALL int kxObjEachNext(KXObjHeader** var)
{
    KXObjHeader* o = *var ? (*var)->nextLive() : nullptr;
    kxObjStore(var, o);
    return o != nullptr;
}

KX_STDCALL int kxObjEachFirst2(KXObjHeader** var, KXObjType* type)
{
    *var = type->first();
    return *var != nullptr;
}

KX_STDCALL int kxObjEachNext2(KXObjHeader** var)
{
    *var = *var ? (*var)->nextLive() : nullptr;
    return *var != nullptr;
}

// Always "[OBJECT]", as a temporary string.
KX_STDCALL KXString* kxObjToStr(KXObjHeader*) { return kxStrTmp(KXString::make("[OBJECT]")); }

KX_STDCALL int kxObjToHandle(KXObjHeader* o) { return KXObjHandles::handleOf(o); }

KX_STDCALL KXObjHeader* kxObjFromHandle(int handle, KXObjType* type) { return KXObjHandles::objectOf(handle, type); }

KX_STDCALL void kxNullObjEx() { kxRuntimeError("Object does not exist"); }

// 0 for no object; any other value must be a live runtime object.
KX_STDCALL int QueryObject(int object, int queryId)
{
    if (!object)
        return 0;
    return kxHandle<KXObject>(object, "Object")->query(queryId);
}

static const KXCommandEntry s_commands[] = {
    { "_kxIntType", &kxIntType },
    { "_kxFltType", &kxFltType },
    { "_kxStrType", &kxStrType },
    { "_kxCStrType", &kxCStrType },
    { "_kxObjNew", KX_FN(kxObjNew) },
    { "_kxObjDelete", KX_FN(kxObjDelete) },
    { "_kxObjDeleteEach", KX_FN(kxObjDeleteEach) },
    { "_kxObjRelease", KX_FN(kxObjRelease) },
    { "_kxObjStore", KX_FN(kxObjStore) },
    { "_kxObjCompare", KX_FN(kxObjCompare) },
    { "_kxObjNext", KX_FN(kxObjNext) },
    { "_kxObjPrev", KX_FN(kxObjPrev) },
    { "_kxObjFirst", KX_FN(kxObjFirst) },
    { "_kxObjLast", KX_FN(kxObjLast) },
    { "_kxObjInsBefore", KX_FN(kxObjInsBefore) },
    { "_kxObjInsAfter", KX_FN(kxObjInsAfter) },
    { "_kxObjEachFirst", KX_FN(kxObjEachFirst) },
    { "_kxObjEachNext", KX_FN(kxObjEachNext) },
    { "_kxObjEachFirst2", KX_FN(kxObjEachFirst2) },
    { "_kxObjEachNext2", KX_FN(kxObjEachNext2) },
    { "_kxObjToStr", KX_FN(kxObjToStr) },
    { "_kxObjToHandle", KX_FN(kxObjToHandle) },
    { "_kxObjFromHandle", KX_FN(kxObjFromHandle) },
    { "_kxNullObjEx", KX_FN(kxNullObjEx) },
    { "%QueryObject%object%query_id", KX_FN(QueryObject) },
};
static KXCommandTable s_table(s_commands);
