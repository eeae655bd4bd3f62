// What compiled code reaches through the registry: the basic descriptors by address and the
// helpers as stdcall entries.
#include "core/KXTypeDesc.h"
#include "base/KXCallConv.h"
#include "base/KXCommandRegistry.h"
#include "tests/support/KXTestSupport.h"

TEST(TypeDescriptors, BasicDescriptorsAreRegisteredByAddress)
{
    const struct {
        const char* spec;
        int kind;
    } basics[] = { { "_kxIntType", 1 }, { "_kxFltType", 2 }, { "_kxStrType", 3 }, { "_kxCStrType", 4 } };
    for (const auto& b : basics) {
        auto* t = static_cast<const KXTypeDesc*>(kxImplementation(b.spec));
        ASSERT_NE(t, nullptr) << b.spec;
        EXPECT_EQ(t->kind, b.kind) << b.spec;
    }
}

TEST(TypeDescriptors, HelpersAndCommandsAreStdcallEntries)
{
    using IntInt = int(KX_STDCALL*)(int, int);
    using FloatFloat = float(KX_STDCALL*)(float);
    auto mod = reinterpret_cast<IntInt>(kxImplementation("_kxMod"));
    auto sine = reinterpret_cast<FloatFloat>(kxImplementation("#Sin#degrees"));
    auto rand = reinterpret_cast<IntInt>(kxImplementation("%Rand%from%to=1"));
    ASSERT_TRUE(mod && sine && rand);
    EXPECT_EQ(mod(-7, 3), -1);
    EXPECT_EQ(sine(90), 1.0f);
    EXPECT_EQ(rand(4, 4), 4);
    for (const char* spec : { "_kxObjNew", "_kxDimArray", "_kxReadStr", "%QueryObject%object%query_id", "%RndSeed" })
        EXPECT_NE(kxImplementation(spec), nullptr) << spec;
}
