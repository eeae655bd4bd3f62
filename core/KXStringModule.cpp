// The KXString module: owner of the shared string constants.
#include "runtime/KXModule.h"

namespace {
KXModule s_stringModule("KXString");
}
