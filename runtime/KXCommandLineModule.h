// KXCommandLineModule: the runtime module that owns the running program's command line.
//
// Invariants: the string is held with one reference of the module's own from the first set until
// shutdown; the module is started whenever it holds a string, so ending the run releases it.
#pragma once

#include "base/KXModule.h"

class KXString;

class KXCommandLineModule : public KXModule {
public:
    KXCommandLineModule();

    // The module object of the process.
    static KXCommandLineModule& instance();

    // Builds the command-line string from the argument text (null means empty), replacing the
    // previous one, and starts the module if it is not started.
    void set(const char* text);
    // The command-line string (no reference added): the empty string when none was set.
    KXString* text();
    // True once a string is held (and until shutdown).
    bool hasText() const { return m_text != nullptr; }

    // Drops the module's reference to the string.
    void shutdown() override;

private:
    KXString* m_text { nullptr };
};
