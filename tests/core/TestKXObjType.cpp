// Objects of program-defined types: reference counting across Delete, iteration while deleting,
// list order, handles, and QueryObject with the runtime-object handle check.
#include "core/KXHandle.h"
#include "core/KXQueryIds.h"
#include "core/KXString.h"
#include "core/ObjectCommands.h"
#include "tests/support/KXTestSupport.h"

#include <cstring>
#include <string>
#include <vector>

namespace {
// A type descriptor laid out as compiled code lays it out; the sentinels start zeroed, as in an
// image whose lists are made valid on first use.
template<int N>
struct TestType {
    KXObjType type;
    KXTypeDesc* fields[N];
};

int& intField(KXObjHeader* o, int i) { return reinterpret_cast<int&>(o->fields[i]); }

std::vector<int> liveValues(KXObjType* t)
{
    std::vector<int> v;
    for (KXObjHeader* o = kxObjFirst(t); o; o = kxObjNext(o))
        v.push_back(intField(o, 0));
    return v;
}

bool onFreeList(KXObjHeader* o)
{
    for (KXObjHeader* p = o->type->freeList.next; p != &o->type->freeList; p = p->next)
        if (p == o)
            return true;
    return false;
}
}

TEST(TypedObjects, DescriptorsAtAnyOffset)
{
    // A descriptor (and with it the list sentinels) one byte into the image's data.
    alignas(8) static unsigned char image[1 + sizeof(KXObjType) + sizeof(KXTypeDesc*)] = {};
    auto* type = reinterpret_cast<KXObjType*>(image + 1);
    const int32_t kind = 5, fieldCount = 1;
    KXTypeDesc* field = &kxIntType;
    std::memcpy(image + 1, &kind, 4);
    std::memcpy(image + 1 + offsetof(KXObjType, fieldCount), &fieldCount, 4);
    std::memcpy(image + 1 + sizeof(KXObjType), &field, sizeof field);
    KXObjHeader* a = kxObjNew(type);
    KXObjHeader* b = kxObjNew(type);
    intField(a, 0) = 1;
    intField(b, 0) = 2;
    EXPECT_EQ(liveValues(type), (std::vector<int> { 1, 2 }));
    kxObjDelete(a);
    EXPECT_EQ(liveValues(type), (std::vector<int> { 2 }));
    kxObjDeleteEach(type);
    EXPECT_EQ(kxObjFirst(type), nullptr);
}

TEST(TypedObjects, NewObjectsAreZeroedAppendedAndCounted)
{
    static TestType<3> t { { 5, {}, {}, 3 }, { &kxIntType, &kxStrType, &kxFltType } };
    const int live = KXObjType::liveCount(), allocated = KXObjType::allocatedCount();
    KXObjHeader* a = kxObjNew(&t.type);
    KXObjHeader* b = kxObjNew(&t.type);
    EXPECT_EQ(a->fields, reinterpret_cast<KXCell*>(a + 1));
    EXPECT_EQ(a->refs, 1);
    EXPECT_EQ(a->type, &t.type);
    EXPECT_EQ(a->fields[0] | a->fields[1] | a->fields[2], 0u);
    EXPECT_EQ(kxObjFirst(&t.type), a);
    EXPECT_EQ(kxObjLast(&t.type), b);
    EXPECT_EQ(KXObjType::liveCount(), live + 2);
    EXPECT_EQ(KXObjType::allocatedCount(), allocated + 2);
    EXPECT_EQ(t.type.used.refs, -1);
    EXPECT_EQ(t.type.used.type, nullptr);
    kxObjDeleteEach(&t.type);
    EXPECT_EQ(kxObjFirst(&t.type), nullptr);
    EXPECT_EQ(KXObjType::liveCount(), live);
}

TEST(TypedObjects, DeletedObjectReturnsToFreeListOnlyWithItsLastReference)
{
    static TestType<2> t { { 5, {}, {}, 2 }, { &kxIntType, &kxStrType } };
    KXObjHeader* o = kxObjNew(&t.type);
    KXString* s = KXString::create("field");
    s->retain();
    o->fields[1] = reinterpret_cast<KXCell>(s);
    KXObjHeader *var1 = nullptr, *var2 = nullptr;
    kxObjStore(&var1, o);
    kxObjStore(&var2, o);
    EXPECT_EQ(o->refs, 3);
    const int allocated = KXObjType::allocatedCount();

    kxObjDelete(o);
    EXPECT_EQ(kxObjCompare(var1, nullptr), 0);
    EXPECT_EQ(kxObjCompare(var2, nullptr), 0);
    EXPECT_EQ(kxObjToHandle(var1), 0);
    EXPECT_EQ(s->refs(), 1) << "the string field is released on Delete";
    EXPECT_EQ(kxObjFirst(&t.type), nullptr) << "iteration skips deleted objects";
    EXPECT_FALSE(onFreeList(o));
    kxObjDelete(o); // Deleting twice does nothing.

    kxObjStore(&var1, nullptr);
    EXPECT_FALSE(onFreeList(o));
    EXPECT_EQ(KXObjType::allocatedCount(), allocated);
    kxObjStore(&var2, nullptr);
    EXPECT_TRUE(onFreeList(o));
    EXPECT_EQ(KXObjType::allocatedCount(), allocated - 1);
    kxObjRelease(o); // A released free object is left alone.
    EXPECT_EQ(o->refs, 0);
    s->release();
}

TEST(TypedObjects, AnUnbalancedReleaseDeletesTheObjectCleanly)
{
    static TestType<1> t { { 5, {}, {}, 1 }, { &kxStrType } };
    KXObjHeader* o = kxObjNew(&t.type);
    KXString* s = KXString::create("x");
    o->fields[0] = reinterpret_cast<KXCell>(s);
    s->retain();
    const int h = kxObjToHandle(o);
    const int live = KXObjType::liveCount();
    kxObjRelease(o);
    EXPECT_TRUE(onFreeList(o));
    EXPECT_EQ(KXObjType::liveCount(), live - 1);
    EXPECT_EQ(kxObjFromHandle(h, &t.type), nullptr);
    EXPECT_EQ(s->refs(), 1);
    s->release();
}

TEST(TypedObjects, ObjectFieldsHoldReferences)
{
    static TestType<1> t { { 5, {}, {}, 1 }, { nullptr } };
    t.fields[0] = reinterpret_cast<KXTypeDesc*>(&t.type);
    KXObjHeader* child = kxObjNew(&t.type);
    KXObjHeader* parent = kxObjNew(&t.type);
    kxObjStore(reinterpret_cast<KXObjHeader**>(&parent->fields[0]), child);
    kxObjDelete(child);
    EXPECT_FALSE(onFreeList(child)) << "the parent's field still refers to it";
    kxObjDelete(parent);
    EXPECT_TRUE(onFreeList(child));
    EXPECT_TRUE(onFreeList(parent));
}

TEST(TypedObjects, EachContinuesPastTheDeletedCurrentObject)
{
    static TestType<1> t { { 5, {}, {}, 1 }, { &kxIntType } };
    for (int i = 1; i <= 6; ++i)
        intField(kxObjNew(&t.type), 0) = i;
    std::vector<int> seen;
    KXObjHeader* var = nullptr;
    for (int more = kxObjEachFirst(&var, &t.type); more; more = kxObjEachNext(&var)) {
        seen.push_back(intField(var, 0));
        if (intField(var, 0) % 2 == 0)
            kxObjDelete(var);
    }
    EXPECT_EQ(seen, (std::vector<int> { 1, 2, 3, 4, 5, 6 }));
    EXPECT_EQ(var, nullptr);
    EXPECT_EQ(liveValues(&t.type), (std::vector<int> { 1, 3, 5 }));

    // The plain variant visits the same objects without counting references.
    seen.clear();
    for (int more = kxObjEachFirst2(&var, &t.type); more; more = kxObjEachNext2(&var))
        seen.push_back(intField(var, 0) * 10 + var->refs);
    EXPECT_EQ(seen, (std::vector<int> { 11, 31, 51 }));
    kxObjDeleteEach(&t.type);
    EXPECT_TRUE(liveValues(&t.type).empty());
}

TEST(TypedObjects, DeleteEachWhileObjectsReferToEachOther)
{
    // Each object refers to the next; deleting one moves nothing it stands on.
    static TestType<2> t { { 5, {}, {}, 2 }, { &kxIntType, nullptr } };
    t.fields[1] = reinterpret_cast<KXTypeDesc*>(&t.type);
    std::vector<KXObjHeader*> all;
    for (int i = 0; i < 5; ++i)
        all.push_back(kxObjNew(&t.type));
    for (int i = 0; i < 4; ++i)
        kxObjStore(reinterpret_cast<KXObjHeader**>(&all[i]->fields[1]), all[i + 1]);
    kxObjDeleteEach(&t.type);
    for (KXObjHeader* o : all)
        EXPECT_TRUE(onFreeList(o));
}

TEST(TypedObjects, InsertMovesWithinTheListAndNavigationSkipsDeleted)
{
    static TestType<1> t { { 5, {}, {}, 1 }, { &kxIntType } };
    KXObjHeader* o[4];
    for (int i = 0; i < 4; ++i)
        intField(o[i] = kxObjNew(&t.type), 0) = i;
    kxObjInsBefore(o[3], o[0]);
    kxObjInsAfter(o[0], o[2]);
    kxObjInsAfter(o[1], o[1]);
    EXPECT_EQ(liveValues(&t.type), (std::vector<int> { 3, 1, 2, 0 }));
    KXObjHeader* hold = nullptr;
    kxObjStore(&hold, o[1]);
    kxObjDelete(o[1]);
    EXPECT_EQ(kxObjNext(o[3]), o[2]);
    EXPECT_EQ(kxObjPrev(o[2]), o[3]);
    EXPECT_EQ(kxObjNext(hold), o[2]) << "a deleted object still knows its place";
    EXPECT_EQ(kxObjPrev(o[3]), nullptr);
    EXPECT_EQ(kxObjNext(o[0]), nullptr);
    EXPECT_RUNTIME_ERROR(kxObjInsBefore(nullptr, o[0]), "Object does not exist");
    EXPECT_RUNTIME_ERROR(kxNullObjEx(), "Object does not exist");
    kxObjStore(&hold, nullptr);
    kxObjDeleteEach(&t.type);
}

TEST(TypedObjects, ObjectsOfAnotherTypeAreNeverMixedIn)
{
    static TestType<1> a { { 5, {}, {}, 1 }, { &kxIntType } };
    static TestType<1> b { { 5, {}, {}, 1 }, { &kxIntType } };
    KXObjHeader* x = kxObjNew(&a.type);
    KXObjHeader* y = kxObjNew(&b.type);
    kxObjInsAfter(x, y);
    kxObjInsBefore(y, x);
    EXPECT_EQ(kxObjFirst(&a.type), x);
    EXPECT_EQ(kxObjNext(x), nullptr);
    EXPECT_EQ(kxObjFirst(&b.type), y);
    EXPECT_EQ(kxObjNext(y), nullptr);
    kxObjDelete(x);
    kxObjDelete(y);
}

TEST(TypedObjects, HandlesAreStableAndNeverReused)
{
    static TestType<1> t { { 5, {}, {}, 1 }, { &kxIntType } };
    static TestType<1> other { { 5, {}, {}, 1 }, { &kxIntType } };
    KXObjHeader* a = kxObjNew(&t.type);
    const int h = kxObjToHandle(a);
    EXPECT_GE(h, 1);
    EXPECT_EQ(kxObjToHandle(a), h);
    EXPECT_EQ(kxObjFromHandle(h, &t.type), a);
    EXPECT_EQ(kxObjFromHandle(h, &other.type), nullptr);
    EXPECT_EQ(kxObjFromHandle(h + 1000, &t.type), nullptr);
    EXPECT_EQ(kxObjToHandle(nullptr), 0);
    kxObjDelete(a);
    EXPECT_EQ(kxObjFromHandle(h, &t.type), nullptr);
    // The next object of the type may take the same memory later; it still gets a new handle.
    for (int i = 0; i < KXObjType::BlockSize + 1; ++i) {
        KXObjHeader* b = kxObjNew(&t.type);
        const int hb = kxObjToHandle(b);
        ASSERT_GT(hb, h);
        kxObjDelete(b);
        EXPECT_EQ(kxObjFromHandle(hb, &t.type), nullptr);
    }
}

TEST(TypedObjects, ToStrCompareAndPreparedDescriptors)
{
    // A descriptor whose sentinels already point to themselves, as an image lays them out.
    static TestType<1> t { { 5, { nullptr, &t.type.used, &t.type.used, nullptr, -1 }, { nullptr, &t.type.freeList, &t.type.freeList, nullptr, -1 }, 1 }, { &kxFltType } };
    KXObjHeader* a = kxObjNew(&t.type);
    KXObjHeader* b = kxObjNew(&t.type);
    EXPECT_EQ(kxObjCompare(a, a), 0);
    EXPECT_EQ(kxObjCompare(a, b), 1);
    EXPECT_EQ(kxObjCompare(nullptr, nullptr), 0);
    KXString* s = kxObjToStr(a);
    EXPECT_EQ(s->view(), "[OBJECT]");
    EXPECT_EQ(s->refs(), 1);
    s->release();
    kxObjDeleteEach(&t.type);
}

namespace {
struct Answering : KXObject {
    int query(int id) override { return id == 1 ? 0x1234 : 0; }
};
struct Stream : KXObject { };
struct FileStream : Stream { };
}

TEST(QueryObject, AnswersLiveObjectsAndRejectsOthers)
{
    KXRef<Answering> obj(new Answering);
    EXPECT_EQ(QueryObject(kxToHandle(obj.get()), 1), 0x1234);
    EXPECT_EQ(QueryObject(kxToHandle(obj.get()), 2), 0);
    EXPECT_EQ(QueryObject(0, 1), 0);
    EXPECT_RUNTIME_ERROR(QueryObject(12345, 1), "Invalid Object handle");
}

TEST(QueryObject, IdentifiersByNameRunOutAfter256)
{
    const int first = KXQueryIds::idOf("test.first");
    EXPECT_GE(first, KXQueryIds::FirstId);
    EXPECT_EQ(KXQueryIds::idOf("test.first"), first);
    EXPECT_EQ(KXQueryIds::idOf("test.second"), first + 1);
    EXPECT_NE(KXQueryIds::idOf("Test.first"), first) << "names are case-sensitive";
    int last = 0;
    std::string error = "<no error>";
    for (int i = 0; i < 300 && error == "<no error>"; ++i)
        error = KX_ERROR_OF(last = KXQueryIds::idOf(("test.more" + std::to_string(i)).c_str()));
    EXPECT_EQ(error, "Out of QIDS!");
    EXPECT_EQ(last, KXQueryIds::FirstId + KXQueryIds::MaxIds - 1);
    EXPECT_EQ(KXQueryIds::idOf("test.first"), first) << "known names still answer";
}

TEST(HandleCheck, NamesTheCommandsClass)
{
    KXRef<Stream> stream(new Stream);
    KXRef<FileStream> file(new FileStream);
    EXPECT_EQ(kxHandle<Stream>(kxToHandle(file.get()), "Stream"), file.get());
    EXPECT_RUNTIME_ERROR(kxHandle<FileStream>(kxToHandle(stream.get()), "File"), "Invalid File handle");
    EXPECT_RUNTIME_ERROR(kxHandle<Stream>(0x7777, "Stream"), "Invalid Stream handle");
    const int gone = kxToHandle(stream.get());
    stream = KXRef<Stream>();
    EXPECT_RUNTIME_ERROR(kxHandle<Stream>(gone, "Stream"), "Invalid Stream handle");
}
