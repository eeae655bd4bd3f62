// Runtime: the process-wide object the entry point drives. Its virtual slots are the runtime's
// binary interface (version, nextSym, symValue, startup, shutdown, four hooks, execute): keep
// their order.
#pragma once

#include <string_view>
#include <vector>

class KXDebugger;

class Runtime {
public:
    static constexpr int Version = 0x100093;

    // The singleton, constructed on first use and destroyed at exit.
    static Runtime& instance();

    virtual int version();
    // Enumerates the registry's specs in registration order: the first call after the table is
    // empty fills it; after the last entry it discards the table and answers null.
    virtual const char* nextSym();
    // Address bound to exactly this spec (case-sensitive), or -1.
    virtual int symValue(const char* spec);
    virtual void startup(void* instance);
    // Discards the command registry table.
    virtual void shutdown();
    virtual void hook5();
    virtual void hook6();
    virtual void hook7();
    virtual void hook8(void* arg);
    // Runs the program: selects configs, starts the modules, calls entry and ends the program.
    // Normally never returns.
    virtual void execute(void (*entry)(), const char* text, KXDebugger* debugger);

protected:
    Runtime() = default;
    ~Runtime() = default;

private:
    struct Entry {
        const char* spec;
        void* address;
    };
    void fill();

    std::vector<Entry> m_table; // registration order
    std::vector<Entry> m_sorted; // by spec, for symValue
    size_t m_cursor { 0 };
};

extern "C" Runtime* runtimeGetRuntime();
