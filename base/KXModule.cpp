// Module registration and the per-module resource set.
#include "base/KXModule.h"

#include "base/KXResource.h"
#include "base/KXModuleRegistry.h"

KXModule::KXModule(const char* name, const char* subsystem, const char* config, KXPlatform platform,
    KXModuleRegistry* registry)
    : m_name(name ? name : "")
    , m_subsystem(subsystem)
    , m_config(config)
    , m_platform(platform)
    , m_registry(registry ? registry : &KXModuleRegistry::global())
{
    m_registry->add(this);
}

KXModule::~KXModule()
{
    if (m_registry)
        m_registry->remove(this);
}

KXResource* KXModule::resources()
{
    if (!m_resources)
        m_resources = new KXResource;
    return m_resources;
}

bool KXModule::start() { return m_registry->startModule(this); }
