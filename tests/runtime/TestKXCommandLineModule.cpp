// The command-line module: the string it holds, its replacement and its release at shutdown.
#include "base/KXModuleRegistry.h"
#include "base/KXObject.h"
#include "core/KXString.h"
#include "runtime/KXCommandLineModule.h"
#include "tests/support/KXTestSupport.h"

TEST(CommandLineModule, HoldsOneStringUntilShutdown)
{
    KXCommandLineModule& line = KXCommandLineModule::instance();
    EXPECT_EQ(KXModuleRegistry::global().find("KXCommandLineModule"), &line);
    KXModuleRegistry::global().shutdownModule(&line);
    EXPECT_FALSE(line.hasText());

    const size_t before = KXObject::liveCount();
    line.set("-a \"b c\"");
    EXPECT_TRUE(line.isStarted());
    EXPECT_EQ(line.text()->str(), "-a \"b c\"");
    // Replacing the text releases the old string: still one string alive.
    line.set(nullptr);
    EXPECT_EQ(line.text()->str(), "");
    EXPECT_EQ(KXObject::liveCount(), before + 1);

    KXModuleRegistry::global().shutdownModule(&line);
    EXPECT_FALSE(line.hasText());
    EXPECT_EQ(KXObject::liveCount(), before);
}

TEST(CommandLineModule, AskingBeforeAnySetGivesTheEmptyStringAndStartsTheModule)
{
    KXCommandLineModule& line = KXCommandLineModule::instance();
    KXModuleRegistry::global().shutdownModule(&line);
    EXPECT_EQ(line.state(), KXModule::Idle);
    KXString* s = line.text();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->str(), "");
    EXPECT_TRUE(line.isStarted());
    // The same string until something replaces it.
    EXPECT_EQ(line.text(), s);
    KXModuleRegistry::global().shutdownModule(&line);
}
