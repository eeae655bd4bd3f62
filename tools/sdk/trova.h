// Declarations for Trova Basic programs written in C++ and built with kximage.
//
// A program is freestanding i386 code (no C library, no global constructors, no exceptions).
// It calls the runtime's commands and helpers through their link names, stdcall, and declares
// its start-up tables with the macros below:
//
//     #include "trova.h"
//
//     KX_CSTR(greeting, "Hello");            // a string constant, created at start-up
//     KX_CSTRS(&greeting);                   // the __CSTRS table: every constant, once
//     KX_DATA(kx_dint(1), kx_dstr("two"));   // the __DATA table read by Read commands
//     KX_IMPORT(int, GetLastError, (), "_fgetlasterror");
//     KX_LIBS(kx_lib("kernel32.dll", kx_libfn("GetLastError", &GetLastError)));
//
//     KX_MAIN()
//     {
//         kx_temps t;                                          // this statement's temporaries
//         Print(t.made(kxStrConcat(greeting, t(CurrentDate()))));
//     }
//
// KX_MAIN's start-up binds __DATA, __LIBS and __CSTRS (every program declares all three, empty
// when unused: KX_DATA(), KX_LIBS(), KX_CSTRS()), runs the body and ends with End. Build with
// kx_program(NAME SOURCES...) from tools/KXProgram.cmake.
//
// Strings: commands lend kx_str arguments and return new strings carrying one reference; hand
// each command result to the temporary stack (kxStrTmp, or a kx_temps guard) and free the
// statement's temporaries at its end (kxStrTmpFree). Helpers documented as making a temporary
// (kxStrConcat, kxStrFromInt, ...) push their result themselves.
#pragma once

// An opaque runtime string (the runtime's KXString).
typedef struct kx_string_opaque* kx_str;

// A runtime type descriptor; the basic ones are kxIntType, kxFltType, kxStrType, kxCStrType.
struct kx_type {
    int kind;
};

#define KX_STDCALL __attribute__((stdcall))
#define KX_LINK(name) __asm__(name)
#define KX_COMMAND extern "C" KX_STDCALL
#define KX_COMMAND_NORETURN extern "C" __attribute__((stdcall, noreturn))

// ---- Helpers ----------------------------------------------------------------------------------

extern "C" kx_type kxIntType KX_LINK("__kxIntType");
extern "C" kx_type kxFltType KX_LINK("__kxFltType");
extern "C" kx_type kxStrType KX_LINK("__kxStrType");
extern "C" kx_type kxCStrType KX_LINK("__kxCStrType");

KX_COMMAND void kxLoadLibs(const void* libs) KX_LINK("__kxLoadLibs");
KX_COMMAND void kxInitCStrs(const void* cstrs) KX_LINK("__kxInitCStrs");
KX_COMMAND kx_str kxStrTmp(kx_str s) KX_LINK("__kxStrTmp");
KX_COMMAND void kxStrTmpFree(int n) KX_LINK("__kxStrTmpFree");
KX_COMMAND int kxIStrTmpFree(int result, int n) KX_LINK("__kxIStrTmpFree");
KX_COMMAND float kxFStrTmpFree(float result, int n) KX_LINK("__kxFStrTmpFree");
KX_COMMAND kx_str kxStrRetain(kx_str s) KX_LINK("__kxStrRetain");
KX_COMMAND kx_str kxStrRelease(kx_str s) KX_LINK("__kxStrRelease");
KX_COMMAND kx_str kxStrLoad(kx_str* variable) KX_LINK("__kxStrLoad");
KX_COMMAND kx_str kxStrStore(kx_str* variable, kx_str s) KX_LINK("__kxStrStore");
KX_COMMAND kx_str kxStrConcat(kx_str a, kx_str b) KX_LINK("__kxStrConcat");
KX_COMMAND int kxStrCompare(kx_str a, kx_str b) KX_LINK("__kxStrCompare");
KX_COMMAND int kxStrToInt(kx_str s) KX_LINK("__kxStrToInt");
KX_COMMAND kx_str kxStrFromInt(int value) KX_LINK("__kxStrFromInt");
KX_COMMAND float kxStrToFloat(kx_str s) KX_LINK("__kxStrToFloat");
KX_COMMAND kx_str kxStrFromFloat(float value) KX_LINK("__kxStrFromFloat");
KX_COMMAND const char* kxStrToCStr(kx_str s) KX_LINK("__kxStrToCStr");
KX_COMMAND kx_str kxStrFromCStr(const char* text) KX_LINK("__kxStrFromCStr");

KX_COMMAND void kxDimArray(void* array) KX_LINK("__kxDimArray");
KX_COMMAND void kxUndimArray(void* array) KX_LINK("__kxUndimArray");
KX_COMMAND_NORETURN void kxArrayBoundsEx() KX_LINK("__kxArrayBoundsEx");
KX_COMMAND void* kxVecAlloc(const void* vectorType) KX_LINK("__kxVecAlloc");
KX_COMMAND void kxVecFree(void* vector, const void* vectorType) KX_LINK("__kxVecFree");
KX_COMMAND_NORETURN void kxVecBoundsEx() KX_LINK("__kxVecBoundsEx");

KX_COMMAND void* kxObjNew(void* type) KX_LINK("__kxObjNew");
KX_COMMAND void kxObjDelete(void* object) KX_LINK("__kxObjDelete");
KX_COMMAND void kxObjDeleteEach(void* type) KX_LINK("__kxObjDeleteEach");
KX_COMMAND void kxObjRelease(void* object) KX_LINK("__kxObjRelease");
KX_COMMAND void kxObjStore(void** variable, void* object) KX_LINK("__kxObjStore");
KX_COMMAND int kxObjCompare(void* a, void* b) KX_LINK("__kxObjCompare");
KX_COMMAND void* kxObjNext(void* object) KX_LINK("__kxObjNext");
KX_COMMAND void* kxObjPrev(void* object) KX_LINK("__kxObjPrev");
KX_COMMAND void* kxObjFirst(void* type) KX_LINK("__kxObjFirst");
KX_COMMAND void* kxObjLast(void* type) KX_LINK("__kxObjLast");
KX_COMMAND void kxObjInsBefore(void* a, void* b) KX_LINK("__kxObjInsBefore");
KX_COMMAND void kxObjInsAfter(void* a, void* b) KX_LINK("__kxObjInsAfter");
KX_COMMAND int kxObjEachFirst(void** variable, void* type) KX_LINK("__kxObjEachFirst");
KX_COMMAND int kxObjEachNext(void** variable) KX_LINK("__kxObjEachNext");
KX_COMMAND int kxObjEachFirst2(void** variable, void* type) KX_LINK("__kxObjEachFirst2");
KX_COMMAND int kxObjEachNext2(void** variable) KX_LINK("__kxObjEachNext2");
KX_COMMAND kx_str kxObjToStr(void* object) KX_LINK("__kxObjToStr");
KX_COMMAND int kxObjToHandle(void* object) KX_LINK("__kxObjToHandle");
KX_COMMAND void* kxObjFromHandle(int handle, void* type) KX_LINK("__kxObjFromHandle");
KX_COMMAND_NORETURN void kxNullObjEx() KX_LINK("__kxNullObjEx");

KX_COMMAND void kxRestore(const void* data) KX_LINK("__kxRestore");
KX_COMMAND int kxReadInt() KX_LINK("__kxReadInt");
KX_COMMAND float kxReadFloat() KX_LINK("__kxReadFloat");
KX_COMMAND kx_str kxReadStr() KX_LINK("__kxReadStr");

KX_COMMAND int kxAbs(int value) KX_LINK("__kxAbs");
KX_COMMAND int kxSgn(int value) KX_LINK("__kxSgn");
KX_COMMAND int kxMod(int a, int b) KX_LINK("__kxMod");
KX_COMMAND float kxFAbs(float value) KX_LINK("__kxFAbs");
KX_COMMAND float kxFSgn(float value) KX_LINK("__kxFSgn");
KX_COMMAND float kxFMod(float a, float b) KX_LINK("__kxFMod");
KX_COMMAND float kxFPow(float a, float b) KX_LINK("__kxFPow");

KX_COMMAND void kxDebugStmt(const void* position, const void* file) KX_LINK("__kxDebugStmt");
KX_COMMAND void kxDebugEnter(const void* frame, const void* function, const void* source) KX_LINK("__kxDebugEnter");
KX_COMMAND void kxDebugLeave() KX_LINK("__kxDebugLeave");

// The value unset string variables read as (the shared empty string once start-up has run);
// the default of every string parameter. No reference is added.
inline kx_str kx_unset_string = nullptr;
inline kx_str kx_empty() { return kxStrLoad(&kx_unset_string); }

// ---- Commands ---------------------------------------------------------------------------------

#include "trova_commands.h"

// ---- Temporaries ------------------------------------------------------------------------------

// Counts one statement's temporaries and frees them when it goes out of scope:
// t(CommandResult()) pushes a command's result; t.made(helperResult) counts a temporary a helper
// pushed itself.
struct kx_temps {
    int count = 0;
    kx_str operator()(kx_str s)
    {
        ++count;
        return kxStrTmp(s);
    }
    kx_str made(kx_str s)
    {
        ++count;
        return s;
    }
    ~kx_temps()
    {
        if (count)
            kxStrTmpFree(count);
    }
};

// ---- String constants (__CSTRS) ---------------------------------------------------------------

// A string-constant object: a slot the start-up fills with the string, then the text.
struct kx_cstr_base {
    kx_str slot;
    operator kx_str() const { return slot; }
};
template<unsigned N> struct kx_cstr : kx_cstr_base {
    char text[N];
};

// Defines a string constant; name reads as a kx_str once start-up has run.
#define KX_CSTR(name, literal) constinit kx_cstr<sizeof(literal)> name = { { nullptr }, literal }

// The __CSTRS table: the address of every string constant (KX_CSTRS(&a, &b)), zero-ended.
#define KX_CSTRS(...)                                                                                    \
    extern "C" {                                                                                         \
    constinit kx_cstr_base* const kx_cstrs_table[] KX_LINK("__CSTRS") = { __VA_ARGS__ __VA_OPT__(, ) nullptr }; \
    }                                                                                                    \
    static_assert(true)

// ---- Data statements (__DATA) -----------------------------------------------------------------

struct kx_data_item {
    unsigned kind; // 1 int, 2 float, 4 text, 0 end
    union {
        int i;
        float f;
        const char* s;
    } value;
};
constexpr kx_data_item kx_dint(int v) { return { 1, { .i = v } }; }
constexpr kx_data_item kx_dfloat(float v) { return { 2, { .f = v } }; }
constexpr kx_data_item kx_dstr(const char* v) { return { 4, { .s = v } }; }

// The __DATA table: KX_DATA(kx_dint(1), kx_dfloat(2.5f), kx_dstr("three")), end item added.
#define KX_DATA(...)                                                              \
    extern "C" {                                                                   \
    constinit const kx_data_item kx_data_table[] KX_LINK("__DATA") = {            \
        __VA_ARGS__ __VA_OPT__(, ) kx_data_item { 0, { .i = 0 } }                   \
    };                                                                             \
    }                                                                              \
    static_assert(true)

// ---- External libraries (__LIBS) --------------------------------------------------------------

// Zero-ended text laid out byte for byte.
template<unsigned N> struct __attribute__((packed)) kx_chars {
    char s[N];
    constexpr kx_chars(const char (&t)[N])
        : s {}
    {
        for (unsigned i = 0; i < N; ++i)
            s[i] = t[i];
    }
};

// Members laid end to end without padding.
template<class H, class... T> struct __attribute__((packed)) kx_seq {
    H head;
    kx_seq<T...> tail;
    constexpr kx_seq(H h, T... t)
        : head(h)
        , tail(t...)
    {
    }
};
template<class H> struct __attribute__((packed)) kx_seq<H> {
    H head;
    constexpr kx_seq(H h)
        : head(h)
    {
    }
};

// A function entry: the exported name, then the address of the program's slot for it.
template<unsigned N> struct __attribute__((packed)) kx_libfn {
    kx_chars<N> name;
    void* slot;
    constexpr kx_libfn(const char (&n)[N], void* s)
        : name(n)
        , slot(s)
    {
    }
};

// A library entry: the file name, its function entries, a zero byte.
template<unsigned N, class... F> struct __attribute__((packed)) kx_lib {
    kx_chars<N> name;
    kx_seq<F..., char> functions;
    constexpr kx_lib(const char (&n)[N], F... f)
        : name(n)
        , functions(f..., '\0')
    {
    }
};

template<class... L> constexpr kx_seq<L..., char> kx_libs(L... l) { return kx_seq<L..., char>(l..., '\0'); }

// The __LIBS table: KX_LIBS(kx_lib("user32.dll", kx_libfn("MessageBeep", &MessageBeep)), ...).
extern "C" const void* const kx_libs_address;
#define KX_LIBS(...)                                                     \
    extern "C" {                                                          \
    constinit auto kx_libs_table KX_LINK("__LIBS") = kx_libs(__VA_ARGS__); \
    constinit const void* const kx_libs_address = &kx_libs_table;         \
    }                                                                     \
    static_assert(true)

// A pointer slot for an external function: KX_IMPORT(int, MessageBeep, (int), "_fmessagebeep")
// defines MessageBeep, callable once start-up has bound it.
#define KX_IMPORT(result, name, parameters, link)                \
    using kx_import_##name = result(KX_STDCALL*) parameters;      \
    extern "C" {                                                  \
    constinit kx_import_##name name KX_LINK(link) = nullptr;      \
    }                                                             \
    static_assert(true)

// ---- Main routine (__MAIN) --------------------------------------------------------------------

extern "C" const kx_data_item kx_data_table[] KX_LINK("__DATA");
extern "C" kx_cstr_base* const kx_cstrs_table[] KX_LINK("__CSTRS");

// Defines the main routine; the braces that follow are its body.
#define KX_MAIN()                                 \
    static void kx_main_body();                   \
    extern "C" void kx_main() KX_LINK("__MAIN");  \
    extern "C" void kx_main()                     \
    {                                             \
        kxRestore(kx_data_table);                 \
        kxLoadLibs(kx_libs_address);              \
        kxInitCStrs(kx_cstrs_table);              \
        kx_main_body();                           \
        End();                                    \
    }                                             \
    static void kx_main_body()
