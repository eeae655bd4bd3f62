// Helpers for global arrays and vectors.
#include "core/ArrayCommands.h"

#include "base/KXCommandTable.h"
#include "base/KXError.h"

KX_STDCALL void kxDimArray(KXArrayDesc* array) { array->dimension(); }

KX_STDCALL void kxUndimArray(KXArrayDesc* array) { array->undimension(); }

KX_STDCALL void kxArrayBoundsEx() { kxRuntimeError("Array index out of bounds"); }

KX_STDCALL KXCell* kxVecAlloc(KXVecType* type) { return type->allocate(); }

KX_STDCALL void kxVecFree(KXCell* vector, KXVecType* type) { type->free(vector); }

KX_STDCALL void kxVecBoundsEx() { kxRuntimeError("Trova array index out of bounds"); }

static const KXCommandEntry s_commands[] = {
    { "_kxDimArray", KX_FN(kxDimArray) },
    { "_kxUndimArray", KX_FN(kxUndimArray) },
    { "_kxArrayBoundsEx", KX_FN(kxArrayBoundsEx) },
    { "_kxVecAlloc", KX_FN(kxVecAlloc) },
    { "_kxVecFree", KX_FN(kxVecFree) },
    { "_kxVecBoundsEx", KX_FN(kxVecBoundsEx) },
};
static KXCommandTable s_table(s_commands);
