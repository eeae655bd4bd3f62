// The helpers compiled code calls for data statements.
#pragma once

#include "core/KXDataReader.h"
#include "base/KXCallConv.h"

KX_STDCALL void kxRestore(const KXDataItem* address);
KX_STDCALL int kxReadInt();
KX_STDCALL float kxReadFloat();
KX_STDCALL KXString* kxReadStr();
