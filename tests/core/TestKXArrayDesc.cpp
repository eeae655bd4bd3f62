// Global arrays and vectors: dimensioning, releasing what elements hold, bounds errors.
#include "core/ArrayCommands.h"
#include "core/KXString.h"
#include "core/ObjectCommands.h"
#include "tests/support/KXTestSupport.h"

namespace {
template<int N>
struct TestArray {
    KXArrayDesc desc;
    int32_t sizes[N];
};
}

TEST(Arrays, DimensioningTurnsBoundsIntoCumulativeCounts)
{
    TestArray<1> one { { nullptr, 1, 1 }, { 255 } };
    kxDimArray(&one.desc);
    ASSERT_NE(one.desc.data, nullptr);
    EXPECT_EQ(one.sizes[0], 256);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(one.desc.data[i], 0u);
    kxUndimArray(&one.desc);
    EXPECT_EQ(one.desc.data, nullptr);
    kxUndimArray(&one.desc); // Undimensioning twice does nothing.

    TestArray<2> two { { nullptr, 2, 2 }, { 2, 3 } };
    kxDimArray(&two.desc);
    EXPECT_EQ(two.sizes[0], 3);
    EXPECT_EQ(two.sizes[1], 12);
    two.desc.data[11] = 7;
    kxUndimArray(&two.desc);

    TestArray<1> empty { { nullptr, 1, 1 }, { -1 } };
    kxDimArray(&empty.desc);
    EXPECT_EQ(empty.sizes[0], 0);
    EXPECT_NE(empty.desc.data, nullptr);
    kxUndimArray(&empty.desc);
}

TEST(Arrays, UndimReleasesStringsAndObjectsWhateverTheCellsHold)
{
    TestArray<1> strings { { nullptr, 3, 1 }, { 3 } };
    kxDimArray(&strings.desc);
    KXString* s = KXString::create("kept");
    s->retain();
    strings.desc.data[3] = reinterpret_cast<KXCell>(s);
    // Compiled code writes the next bounds before re-dimensioning; the old count still rules.
    strings.sizes[0] = 1000;
    kxDimArray(&strings.desc);
    EXPECT_EQ(s->refs(), 1);
    EXPECT_EQ(strings.sizes[0], 1001);
    kxUndimArray(&strings.desc);

    static struct {
        KXObjType type;
        KXTypeDesc* fields[1];
    } t { { 5, {}, {}, 1 }, { &kxIntType } };
    TestArray<1> objects { { nullptr, 5, 1 }, { 0 } };
    kxDimArray(&objects.desc);
    KXObjHeader* o = kxObjNew(&t.type);
    kxObjStore(reinterpret_cast<KXObjHeader**>(&objects.desc.data[0]), o);
    EXPECT_EQ(o->refs, 2);
    kxUndimArray(&objects.desc);
    EXPECT_EQ(o->refs, 1);
    kxObjDelete(o);
    s->release();
}

TEST(Arrays, BadSizesAndBoundsRaiseErrors)
{
    TestArray<2> negative { { nullptr, 1, 2 }, { 4, -2 } };
    EXPECT_RUNTIME_ERROR(kxDimArray(&negative.desc), "Array index out of bounds");
    EXPECT_EQ(negative.desc.data, nullptr);
    EXPECT_EQ(negative.sizes[0], 4) << "a failed Dim leaves the bounds alone";
    TestArray<3> huge { { nullptr, 1, 3 }, { 65535, 65535, 65535 } };
    EXPECT_RUNTIME_ERROR(kxDimArray(&huge.desc), "Out of memory");
    EXPECT_EQ(huge.desc.data, nullptr);
    EXPECT_RUNTIME_ERROR(kxArrayBoundsEx(), "Array index out of bounds");
    EXPECT_RUNTIME_ERROR(kxVecBoundsEx(), "Trova array index out of bounds");
}

TEST(Vectors, ObjectVectorFieldsAreAllocatedAndFreedWithTheirStrings)
{
    static KXVecType vec { 6, 4, &kxStrType };
    static struct {
        KXObjType type;
        KXTypeDesc* fields[2];
    } t { { 5, {}, {}, 2 }, { &kxIntType, reinterpret_cast<KXTypeDesc*>(&vec) } };
    KXObjHeader* o = kxObjNew(&t.type);
    auto* cells = reinterpret_cast<KXCell*>(o->fields[1]);
    ASSERT_NE(cells, nullptr);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cells[i], 0u);
    KXString* s = KXString::create("in a vector");
    s->retain();
    cells[2] = reinterpret_cast<KXCell>(s);
    kxObjDelete(o);
    EXPECT_EQ(s->refs(), 1);

    KXCell* loose = kxVecAlloc(&vec);
    loose[3] = reinterpret_cast<KXCell>(s);
    kxVecFree(loose, &vec);
    kxVecFree(nullptr, &vec);
    static KXVecType bad { 6, -1, &kxIntType };
    EXPECT_RUNTIME_ERROR(kxVecAlloc(&bad), "Out of memory");
}
