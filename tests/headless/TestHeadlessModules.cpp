// The headless platform's module list names each of its modules once, and each is registered.
#include "gui/headless/HeadlessModules.h"
#include "base/KXModule.h"
#include "base/KXModuleRegistry.h"
#include "tests/support/KXTestSupport.h"

#include <set>
#include <string>

TEST(HeadlessModules, EveryListedModuleIsRegisteredOnce)
{
    std::set<std::string> seen;
    for (const char* name : HeadlessModules::names()) {
        EXPECT_TRUE(seen.insert(name).second) << name << " listed twice";
        KXModule* m = KXModuleRegistry::global().find(name);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_EQ(m->platform(), KXPlatform::Headless) << name;
    }
    EXPECT_EQ(seen.size(), 11u);
    // A module the list does not hold needs nothing.
    EXPECT_TRUE(HeadlessModules::startDependencies("NoSuchModule"));
}
