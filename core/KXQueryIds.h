// KXQueryIds: identifiers for QueryObject queries named by text, handed out to drivers that
// answer queries by name.
//
// Invariants: at most 256 names; identifiers count up from 10001 in order of first lookup.
#pragma once

class KXQueryIds {
public:
    static constexpr int MaxIds = 256;
    static constexpr int FirstId = 10001;

    // The identifier of name (exact, case-sensitive), giving a new name the next identifier.
    // A name beyond the 256th raises "Out of QIDS!".
    static int idOf(const char* name);
};
