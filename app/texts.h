// Pictorra's string constants. Each feature area lists its own in texts_<area>.h as
// PT_TEXT(name, "text") lines; this header declares them all and texts.cpp defines them and the
// program's constant table, so one list per area is the only place a text is written.
#pragma once

#include "trova.h"

#define PT_TEXT(name, literal) extern kx_cstr<sizeof(literal)> name;
#include "texts_all.h"
#undef PT_TEXT
