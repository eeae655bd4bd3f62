// KXModuleRegistry: the list of modules and the subsystem table, and the rules that start and
// stop modules in dependency order.
//
// Invariants: the list holds every module of the current platform; a module moves to the head
// when its start-up completes, so the list reads most-recently-started first; the subsystem
// table holds at most 100 distinct names.
#pragma once

#include "base/KXModule.h"

#include <string>

class KXModuleRegistry {
public:
    static constexpr int MaxSubsystems = 100;

    KXModuleRegistry() = default;
    KXModuleRegistry(const KXModuleRegistry&) = delete;
    KXModuleRegistry& operator=(const KXModuleRegistry&) = delete;
    ~KXModuleRegistry();

    // The process's registry, where static modules register themselves.
    static KXModuleRegistry& global();

    // Pushes a module at the head of the list and enters its subsystem in the table.
    void add(KXModule* module);
    // Unlinks a module (at its destruction).
    void remove(KXModule* module);

    // Succeeds at once for a module that is starting or started; fails for one that failed
    // before; otherwise runs its startup. A failing startup raises "Error starting module '%s'".
    bool startModule(KXModule* module);
    // Only a started module is shut down: its resources are released, then shutdown runs.
    void shutdownModule(KXModule* module);
    // Starts the first module with that name; "Module '%s' not found" when there is none.
    bool startModuleByName(const char* name);
    // Starts every module of the subsystem whose config is null or the selected one.
    bool startSubsystem(const char* subsystem);
    // Selects a config for a known subsystem; unknown names are ignored.
    void selectConfig(const char* subsystem, const char* config);
    // The selected config, or null after reporting "Subsystem '%s' not found" or
    // "No config selected for subsystem '%s'".
    const char* config(const char* subsystem);

    void startUnaffiliatedModules();
    void shutdownUnaffiliatedModules();
    bool startSubsystemModules();
    void shutdownSubsystemModules();

    KXModule* first() const { return m_head; }
    KXModule* find(const char* name) const;
    int subsystemCount() const { return m_subsystemCount; }

private:
    bool startMatching(const char* subsystem);
    bool exists(const KXModule* m) const;

    struct Subsystem {
        const char* name;
        std::string* config;
    };
    KXModule* m_head { nullptr };
    Subsystem m_subsystems[MaxSubsystems] {};
    int m_subsystemCount { 0 };
};
