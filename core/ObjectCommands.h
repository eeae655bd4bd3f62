// The helpers compiled code calls for objects of program-defined types and for handles, and
// QueryObject. Object arguments are object pointers; null is allowed unless a contract says
// otherwise.
#pragma once

#include "core/KXObjType.h"
#include "base/KXCallConv.h"

class KXString;

KX_STDCALL KXObjHeader* kxObjNew(KXObjType* type);
KX_STDCALL void kxObjDelete(KXObjHeader* o);
KX_STDCALL void kxObjDeleteEach(KXObjType* type);
KX_STDCALL void kxObjRelease(KXObjHeader* o);
KX_STDCALL void kxObjStore(KXObjHeader** var, KXObjHeader* o);
KX_STDCALL int kxObjCompare(KXObjHeader* a, KXObjHeader* b);
KX_STDCALL KXObjHeader* kxObjNext(KXObjHeader* o);
KX_STDCALL KXObjHeader* kxObjPrev(KXObjHeader* o);
KX_STDCALL KXObjHeader* kxObjFirst(KXObjType* type);
KX_STDCALL KXObjHeader* kxObjLast(KXObjType* type);
KX_STDCALL void kxObjInsBefore(KXObjHeader* a, KXObjHeader* b);
KX_STDCALL void kxObjInsAfter(KXObjHeader* a, KXObjHeader* b);
KX_STDCALL int kxObjEachFirst(KXObjHeader** var, KXObjType* type);
KX_STDCALL int kxObjEachNext(KXObjHeader** var);
KX_STDCALL int kxObjEachFirst2(KXObjHeader** var, KXObjType* type);
KX_STDCALL int kxObjEachNext2(KXObjHeader** var);
KX_STDCALL KXString* kxObjToStr(KXObjHeader* o);
KX_STDCALL int kxObjToHandle(KXObjHeader* o);
KX_STDCALL KXObjHeader* kxObjFromHandle(int handle, KXObjType* type);
[[noreturn]] KX_STDCALL void kxNullObjEx();

KX_STDCALL int QueryObject(int object, int queryId);
