// Helpers for data statements.
#include "core/DataCommands.h"

#include "core/KXStringHelpers.h"
#include "base/KXCommandTable.h"

KX_STDCALL void kxRestore(const KXDataItem* address) { KXDataReader::restore(address); }

KX_STDCALL int kxReadInt() { return KXDataReader::readInt(); }

KX_STDCALL float kxReadFloat() { return KXDataReader::readFloat(); }

// The next item as a temporary string.
KX_STDCALL KXString* kxReadStr() { return kxStrTmp(KXDataReader::readString()); }

static const KXCommandEntry s_commands[] = {
    { "_kxRestore", KX_FN(kxRestore) },
    { "_kxReadInt", KX_FN(kxReadInt) },
    { "_kxReadFloat", KX_FN(kxReadFloat) },
    { "_kxReadStr", KX_FN(kxReadStr) },
};
static KXCommandTable s_table(s_commands);
