// Module start-up order, failure, config selection and shutdown order.
#include "base/KXModuleRegistry.h"
#include "tests/support/KXTestSupport.h"

#include <string>
#include <vector>

namespace {
std::vector<std::string> g_log;

class Probe : public KXModule {
public:
    Probe(KXModuleRegistry& r, const char* name, const char* subsystem = nullptr, const char* config = nullptr)
        : KXModule(name, subsystem, config, KXPlatform::Any, &r)
        , m_r(r)
    {
    }
    bool startup() override
    {
        g_log.push_back(std::string("start ") + name());
        for (KXModule* dep : deps)
            m_r.startModule(dep);
        if (startSelf)
            m_r.startModule(this);
        return ok;
    }
    void shutdown() override { g_log.push_back(std::string("stop ") + name()); }

    std::vector<KXModule*> deps;
    bool ok { true };
    bool startSelf { false };
    KXModuleRegistry& m_r;
};

struct ModuleRegistry : testing::Test {
    void SetUp() override { g_log.clear(); }
    KXModuleRegistry r;
};
}

TEST_F(ModuleRegistry, StartingFromOwnStartupSucceedsWithoutRecursing)
{
    Probe a(r, "A"), b(r, "B");
    a.startSelf = true;
    b.deps = { &a };
    a.deps = { &b }; // a cycle through another module
    EXPECT_TRUE(r.startModule(&a));
    EXPECT_EQ(g_log, (std::vector<std::string> { "start A", "start B" }));
    EXPECT_EQ(a.state(), KXModule::Started);
    EXPECT_EQ(b.state(), KXModule::Started);
    // B completed first, so A (completed last) is at the head.
    EXPECT_EQ(r.first(), &a);
}

TEST_F(ModuleRegistry, FailedModuleReportsOnceAndNeverRestarts)
{
    Probe a(r, "Broken");
    a.ok = false;
    EXPECT_RUNTIME_ERROR(r.startModule(&a), "Error starting module 'Broken'");
    EXPECT_EQ(a.state(), KXModule::Failed);
    g_log.clear();
    EXPECT_RUNTIME_ERROR(EXPECT_FALSE(r.startModule(&a)), "<no error>");
    EXPECT_TRUE(g_log.empty());
}

TEST_F(ModuleRegistry, ConfigFiltersSubsystemModules)
{
    Probe dd(r, "DD", "Screen", "DirectDraw"), gl(r, "GL", "Screen", "OpenGL"), any(r, "Any", "Screen");
    r.selectConfig("Screen", "DirectDraw");
    EXPECT_TRUE(r.startSubsystemModules());
    EXPECT_TRUE(dd.isStarted());
    EXPECT_TRUE(any.isStarted());
    EXPECT_EQ(gl.state(), KXModule::Idle);
}

TEST_F(ModuleRegistry, ShutdownRunsInReverseOfStartCompletion)
{
    Probe u1(r, "U1"), u2(r, "U2"), s1(r, "S1", "Gui", "Native"), s2(r, "S2", "Audio");
    s1.deps = { &s2 }; // S2 completes before S1
    r.selectConfig("Gui", "Native");
    r.selectConfig("Audio", "Native");
    r.startUnaffiliatedModules();
    r.startSubsystemModules();
    g_log.clear();
    r.shutdownSubsystemModules();
    r.shutdownUnaffiliatedModules();
    // U2 was registered last, so it is visited (and started) first.
    EXPECT_EQ(g_log, (std::vector<std::string> { "stop S1", "stop S2", "stop U1", "stop U2" }));
    EXPECT_EQ(s1.state(), KXModule::Idle);
}

TEST_F(ModuleRegistry, LookupFailuresAreReported)
{
    Probe a(r, "A", "Gui", "Native");
    EXPECT_RUNTIME_ERROR(r.startModuleByName("Nope"), "Module 'Nope' not found");
    EXPECT_RUNTIME_ERROR(r.config("Sound"), "Subsystem 'Sound' not found");
    EXPECT_RUNTIME_ERROR(r.config("Gui"), "No config selected for subsystem 'Gui'");
    r.selectConfig("Unknown", "X"); // ignored
    r.selectConfig("Gui", "Native");
    EXPECT_STREQ(r.config("Gui"), "Native");
    EXPECT_TRUE(r.startModuleByName("A"));
}

TEST_F(ModuleRegistry, SubsystemTableHoldsEachNameOnce)
{
    Probe a(r, "A", "Gui"), b(r, "B", "Gui"), c(r, "C", "Screen"), d(r, "D");
    EXPECT_EQ(r.subsystemCount(), 2);
}
