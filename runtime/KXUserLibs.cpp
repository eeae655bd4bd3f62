// KXUserLibs: the external libraries a program binds through its library table.
#include "runtime/KXModule.h"

namespace {
KXModule s_userLibs("KXUserLibs");
}
