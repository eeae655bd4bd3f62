// Reference counts, the live-object set and the referenced-delete check.
#include "core/KXObject.h"
#include "tests/support/KXTestSupport.h"

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
