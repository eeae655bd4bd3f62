// Starting and stopping modules in dependency order.
#include "base/KXModuleRegistry.h"

#include "base/KXResource.h"
#include "base/KXError.h"

#include <cstring>

KXModuleRegistry::~KXModuleRegistry()
{
    for (int i = 0; i < m_subsystemCount; ++i)
        delete m_subsystems[i].config;
    for (KXModule* m = m_head; m; m = m->m_next)
        m->m_registry = nullptr;
}

KXModuleRegistry& KXModuleRegistry::global()
{
    // Never destroyed: static modules unregister from it during exit processing.
    static KXModuleRegistry* registry = new KXModuleRegistry;
    return *registry;
}

void KXModuleRegistry::add(KXModule* module)
{
    if (module->m_platform != KXPlatform::Any && module->m_platform != kxPlatform()) {
        module->m_registry = nullptr;
        return;
    }
    module->m_next = m_head;
    m_head = module;
    if (!module->m_subsystem)
        return;
    for (int i = 0; i < m_subsystemCount; ++i)
        if (std::strcmp(m_subsystems[i].name, module->m_subsystem) == 0)
            return;
    if (m_subsystemCount < MaxSubsystems)
        m_subsystems[m_subsystemCount++] = { module->m_subsystem, nullptr };
}

void KXModuleRegistry::remove(KXModule* module)
{
    for (KXModule** p = &m_head; *p; p = &(*p)->m_next) {
        if (*p == module) {
            *p = module->m_next;
            return;
        }
    }
}

bool KXModuleRegistry::exists(const KXModule* m) const
{
    for (KXModule* p = m_head; p; p = p->m_next)
        if (p == m)
            return true;
    return false;
}

bool KXModuleRegistry::startModule(KXModule* module)
{
    if (module->m_state == KXModule::Starting || module->m_state == KXModule::Started)
        return true;
    if (module->m_state != KXModule::Idle)
        return false;
    module->m_state = KXModule::Starting;
    if (!module->startup()) {
        module->m_state = KXModule::Failed;
        kxRuntimeError("Error starting module '%s'", module->m_name);
    }
    if (!exists(module))
        kxRuntimeError("KXModule!");
    remove(module);
    module->m_next = m_head;
    m_head = module;
    module->m_state = KXModule::Started;
    return true;
}

void KXModuleRegistry::shutdownModule(KXModule* module)
{
    if (module->m_state != KXModule::Started)
        return;
    module->m_state = KXModule::Idle;
    if (KXResource* set = module->m_resources) {
        module->m_resources = nullptr;
        set->release();
    }
    module->shutdown();
}

KXModule* KXModuleRegistry::find(const char* name) const
{
    for (KXModule* m = m_head; m; m = m->m_next)
        if (std::strcmp(m->m_name, name) == 0)
            return m;
    return nullptr;
}

bool KXModuleRegistry::startModuleByName(const char* name)
{
    KXModule* m = find(name);
    if (!m)
        kxRuntimeError("Module '%s' not found", name);
    startModule(m);
    return m->m_state != KXModule::Failed;
}

void KXModuleRegistry::selectConfig(const char* subsystem, const char* config)
{
    for (int i = 0; i < m_subsystemCount; ++i) {
        Subsystem& s = m_subsystems[i];
        if (std::strcmp(s.name, subsystem) == 0) {
            delete s.config;
            s.config = config ? new std::string(config) : nullptr;
            return;
        }
    }
}

const char* KXModuleRegistry::config(const char* subsystem)
{
    for (int i = 0; i < m_subsystemCount; ++i) {
        Subsystem& s = m_subsystems[i];
        if (std::strcmp(s.name, subsystem) == 0) {
            if (!s.config)
                kxRuntimeError("No config selected for subsystem '%s'", subsystem);
            return s.config->c_str();
        }
    }
    kxRuntimeError("Subsystem '%s' not found", subsystem);
}

// Walks the list for subsystem modules (of one subsystem, or of all when subsystem is null)
// whose config suits the selection. A module's start moves it to the head, so the walk restarts
// from the head after each start; modules already started or failed are passed over.
bool KXModuleRegistry::startMatching(const char* subsystem)
{
    for (;;) {
        KXModule* next = nullptr;
        for (KXModule* m = m_head; m; m = m->m_next) {
            if (!m->m_subsystem || m->m_state != KXModule::Idle)
                continue;
            if (subsystem && std::strcmp(m->m_subsystem, subsystem) != 0)
                continue;
            if (m->m_config && std::strcmp(m->m_config, config(m->m_subsystem)) != 0)
                continue;
            next = m;
            break;
        }
        if (!next)
            return true;
        startModule(next);
        if (next->m_state == KXModule::Failed)
            return false;
    }
}

bool KXModuleRegistry::startSubsystem(const char* subsystem) { return startMatching(subsystem); }

bool KXModuleRegistry::startSubsystemModules() { return startMatching(nullptr); }

void KXModuleRegistry::startUnaffiliatedModules()
{
    for (;;) {
        KXModule* next = nullptr;
        for (KXModule* m = m_head; m; m = m->m_next) {
            if (!m->m_subsystem && m->m_state == KXModule::Idle) {
                next = m;
                break;
            }
        }
        if (!next)
            return;
        startModule(next);
    }
}

void KXModuleRegistry::shutdownUnaffiliatedModules()
{
    for (KXModule* m = m_head; m;) {
        KXModule* next = m->m_next;
        if (!m->m_subsystem)
            shutdownModule(m);
        m = next;
    }
}

void KXModuleRegistry::shutdownSubsystemModules()
{
    for (KXModule* m = m_head; m;) {
        KXModule* next = m->m_next;
        if (m->m_subsystem)
            shutdownModule(m);
        m = next;
    }
}
