// Definitions of Pictorra's string constants and the program's constant table.
#include "texts.h"

#define PT_TEXT(name, literal) KX_CSTR(name, literal);
#include "texts_all.h"
#undef PT_TEXT

extern "C" {
constinit kx_cstr_base* const kx_cstrs_table[] KX_LINK("__CSTRS") = {
#define PT_TEXT(name, literal) &name,
#include "texts_all.h"
#undef PT_TEXT
    nullptr
};
}
