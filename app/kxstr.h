// String variables and string building for Pictorra's code, over the runtime's string helpers.
//
// Conventions: a command result carries one reference and goes onto the statement's temporary
// stack through a kx_temps guard (t(Command(...))); helpers that make temporaries themselves are
// counted with t.made(...). Application functions that return a string follow the command
// convention: the caller receives one reference and hands it to t(...).
#pragma once

#include "trova.h"

// A string variable. Constant-initialised, so it may be a global (globals are never destroyed:
// the runtime frees the strings when the program ends). Reading gives the variable's string
// (or the empty string when unset) without a reference; assigning takes a reference to the new
// string and releases the old one.
struct kx_strvar {
    kx_str value = nullptr;

    kx_str get() { return kxStrLoad(&value); }
    operator kx_str() { return get(); }
    kx_strvar& operator=(kx_str s)
    {
        kxStrStore(&value, s);
        return *this;
    }
    kx_strvar& operator=(kx_strvar& other) { return *this = other.get(); }
};

// A local string variable: like kx_strvar, and releases its string when it goes out of scope.
struct kx_localstr : kx_strvar {
    kx_localstr() = default;
    kx_localstr(const kx_localstr&) = delete;
    kx_localstr& operator=(const kx_localstr&) = delete;
    using kx_strvar::operator=;
    ~kx_localstr() { kxStrRelease(value); }
};

// Concatenation inside a statement: kxcat(t, a, b, c) is a + b + c, a temporary counted by t.
inline kx_str kxcat(kx_temps&, kx_str a) { return a; }
template<class... Rest>
inline kx_str kxcat(kx_temps& t, kx_str a, kx_str b, Rest... rest)
{
    return kxcat(t, t.made(kxStrConcat(a, b)), rest...);
}

// Decimal text of n, a temporary counted by t.
inline kx_str kxnum(kx_temps& t, int n) { return t.made(kxStrFromInt(n)); }

// True when the two strings hold the same bytes.
inline bool kxeq(kx_str a, kx_str b) { return kxStrCompare(a, b) == 0; }
