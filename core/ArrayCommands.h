// The helpers compiled code calls for global arrays and for vectors inside object types.
#pragma once

#include "core/KXArrayDesc.h"
#include "base/KXCallConv.h"

KX_STDCALL void kxDimArray(KXArrayDesc* array);
KX_STDCALL void kxUndimArray(KXArrayDesc* array);
[[noreturn]] KX_STDCALL void kxArrayBoundsEx();
KX_STDCALL KXCell* kxVecAlloc(KXVecType* type);
KX_STDCALL void kxVecFree(KXCell* vector, KXVecType* type);
[[noreturn]] KX_STDCALL void kxVecBoundsEx();
