// KXModule: a unit of the runtime that is started before use and shut down at the end.
//
// Invariants: state moves 0 -> 1 -> 2 -> 0, or 1 -> -1 for good; the resource set exists only
// once something was created through the module and is released at shutdown.
#pragma once

#include "base/KXPlatform.h"

class KXModuleRegistry;
class KXResource;

class KXModule {
public:
    // Values are part of the module protocol: append-only.
    enum State : int { Failed = -1, Idle = 0, Starting = 1, Started = 2 };

    // Registers the module at the head of the global registry (or of the given one). A module
    // with a platform other than Any exists only when that platform is in force.
    KXModule(const char* name, const char* subsystem = nullptr, const char* config = nullptr,
        KXPlatform platform = KXPlatform::Any, KXModuleRegistry* registry = nullptr);
    KXModule(const KXModule&) = delete;
    KXModule& operator=(const KXModule&) = delete;
    virtual ~KXModule();

    // Slot 0: brings the service up; false means it cannot run.
    virtual bool startup() { return true; }
    // Slot 1: takes the service down.
    virtual void shutdown() { }

    const char* name() const { return m_name; }
    const char* subsystem() const { return m_subsystem; }
    const char* config() const { return m_config; }
    KXPlatform platform() const { return m_platform; }
    int state() const { return m_state; }
    bool isStarted() const { return m_state == Started; }

    // The set that owns resources created through this module; made on first use.
    KXResource* resources();
    // Starts this module (through its registry); see KXModuleRegistry::startModule.
    bool start();

private:
    friend class KXModuleRegistry;
    KXModule* m_next { nullptr };
    const char* m_name;
    const char* m_subsystem;
    const char* m_config;
    int m_state { Idle };
    KXResource* m_resources { nullptr };
    KXPlatform m_platform;
    KXModuleRegistry* m_registry;
};
