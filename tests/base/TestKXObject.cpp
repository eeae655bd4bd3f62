// Reference counts, the live-object set and the referenced-delete check.
#include "base/KXObject.h"
#include "base/KXPointerSet.h"
#include "tests/support/KXTestSupport.h"

#include <cstdint>
#include <random>
#include <set>

TEST(KXObject, CountsFromOneAndFreesAtZero)
{
    const size_t before = KXObject::liveCount();
    auto* o = new KXObject;
    EXPECT_EQ(o->refs(), 1);
    EXPECT_TRUE(KXObject::isLive(o));
    EXPECT_EQ(KXObject::liveCount(), before + 1);
    o->retain();
    o->release();
    EXPECT_TRUE(KXObject::isLive(o));
    kxRelease(o);
    EXPECT_FALSE(KXObject::isLive(o));
    EXPECT_EQ(KXObject::liveCount(), before);
    kxRelease(nullptr);
    KXRef<KXObject> r(new KXObject);
    EXPECT_EQ(r->query(7), 0);
}

TEST(KXObject, WalkToleratesObjectsFreedDuringIt)
{
    KXRef<KXObject> a(new KXObject), b(new KXObject);
    KXObject* pa = a.get();
    KXObject* pb = b.get();
    int seen = 0;
    KXObject::forEachLive([&](KXObject* o) {
        if (o == pa || o == pb) {
            ++seen;
            a = KXRef<KXObject>();
            b = KXRef<KXObject>();
        }
    });
    EXPECT_EQ(seen, 1);
}

TEST(KXObjectDeathTest, DeletingAReferencedObjectIsAnInternalError)
{
    EXPECT_EXIT(
        {
            auto* o = new KXObject;
            delete o;
        },
        testing::ExitedWithCode(0), "Attempt to delete referenced object");
}

// The live set's probing and backward-shift deletion against a reference set, with colliding
// and growing contents.
TEST(KXPointerSet, AgreesWithAReferenceSet)
{
    KXPointerSet set;
    std::set<uintptr_t> reference;
    std::mt19937 rng(7);
    for (int i = 0; i < 20000; ++i) {
        const uintptr_t p = 8 + 8 * (rng() % 3000);
        const void* q = reinterpret_cast<const void*>(p);
        if (rng() % 3)
            EXPECT_EQ(set.insert(q), reference.insert(p).second);
        else
            EXPECT_EQ(set.erase(q), reference.erase(p) == 1);
    }
    EXPECT_EQ(set.size(), reference.size());
    size_t seen = 0;
    set.forEach([&](const void* q) { seen += reference.count(reinterpret_cast<uintptr_t>(q)); });
    EXPECT_EQ(seen, reference.size());
    for (uintptr_t p = 8; p < 8 + 8 * 3000; p += 8)
        EXPECT_EQ(set.contains(reinterpret_cast<const void*>(p)), reference.count(p) == 1);
    EXPECT_FALSE(set.contains(nullptr));
}
