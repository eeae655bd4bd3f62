// The Runtime singleton: registry enumeration and the program's run.
#include "runtime/Runtime.h"

#include "base/KXCommandRegistry.h"
#include "base/KXDebugger.h"
#include "base/KXError.h"
#include "base/KXModuleRegistry.h"
#include "base/KXRunState.h"
#include "runtime/KXCommandLineModule.h"
#include "runtime/KXProgram.h"

#include <algorithm>
#include <cstring>

namespace {
class RuntimeImpl final : public Runtime { };

std::vector<std::pair<const char*, void*>>* s_filling = nullptr;

void collect(const char* spec, void* address) { s_filling->emplace_back(spec, address); }

bool specLess(const char* a, const char* b) { return std::strcmp(a, b) < 0; }

// The x87 control word: precision in bits 8-9 (0 single, 2 double), rounding in bits 10-11
// (0 nearest), exception masks in bits 0-5.
constexpr unsigned short FpuSingle = 0x003F;
constexpr unsigned short FpuDouble = 0x023F;

void setFpuControl(unsigned short cw) { asm volatile("fldcw %0"
                                                     :
                                                     : "m"(cw)); }

// What kxEnd takes down: the command line first, then the modules in reverse start order.
void endRun()
{
    KXModuleRegistry& modules = KXModuleRegistry::global();
    modules.shutdownModule(&KXCommandLineModule::instance());
    modules.shutdownSubsystemModules();
    modules.shutdownUnaffiliatedModules();
}

// Installed before main, so that every process linking the host (tests included) ends this way.
const bool s_endHandlerInstalled = (kxSetEndHandler(endRun), true);
}

Runtime& Runtime::instance()
{
    static RuntimeImpl runtime;
    return runtime;
}

extern "C" __attribute__((visibility("default"))) Runtime* runtimeGetRuntime() { return &Runtime::instance(); }

int Runtime::version() { return Version; }

void Runtime::fill()
{
    std::vector<std::pair<const char*, void*>> entries;
    entries.reserve(512);
    s_filling = &entries;
    kxRegisterCoreHelpers(collect);
    kxRegisterSystemCommands(collect);
    kxRegisterGuiCommands(collect);
    kxRegisterGraphicsCommands(collect);
    s_filling = nullptr;
    m_table.clear();
    for (auto& [spec, address] : entries)
        m_table.push_back({ spec, address });
    m_sorted = m_table;
    std::sort(m_sorted.begin(), m_sorted.end(), [](const Entry& a, const Entry& b) { return specLess(a.spec, b.spec); });
    m_cursor = 0;
}

const char* Runtime::nextSym()
{
    if (m_table.empty())
        fill();
    if (m_cursor >= m_table.size()) {
        shutdown();
        return nullptr;
    }
    return m_table[m_cursor++].spec;
}

int Runtime::symValue(const char* spec)
{
    if (m_sorted.empty())
        fill();
    auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), spec,
        [](const Entry& e, const char* s) { return specLess(e.spec, s); });
    if (it == m_sorted.end() || std::strcmp(it->spec, spec) != 0)
        return -1;
    return int(reinterpret_cast<intptr_t>(it->address));
}

void Runtime::startup(void*) { }

void Runtime::shutdown()
{
    m_table.clear();
    m_table.shrink_to_fit();
    m_sorted.clear();
    m_sorted.shrink_to_fit();
    m_cursor = 0;
}

void Runtime::hook5() { }
void Runtime::hook6() { }
void Runtime::hook7() { }
void Runtime::hook8(void*) { }

void Runtime::execute(void (*entry)(), const char* text, KXDebugger* debugger)
{
    setFpuControl(FpuSingle);
    kxGuardUncaughtExceptions();
    kxSetRunState(KXRunState::Starting);
    if (debugger)
        KXDebugger::setCurrent(debugger);
    KXModuleRegistry& modules = KXModuleRegistry::global();
    kxSelectPlatformConfigs(modules);
    modules.startUnaffiliatedModules();
    modules.startSubsystemModules();
    KXCommandLineModule::instance().set(text);
    kxSetRunState(KXRunState::Running);
    entry();
    kxEnd();
    setFpuControl(FpuDouble);
}
