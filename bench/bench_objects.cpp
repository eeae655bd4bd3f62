// Typed-object throughput: creating and deleting objects of a four-field type, against
// malloc/free of blocks of the same size, measured in the same run.
#include "core/ObjectCommands.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
struct BenchType {
    KXObjType type;
    KXTypeDesc* fields[4];
};
BenchType s_type { { 5, {}, {}, 4 }, { &kxIntType, &kxFltType, &kxStrType, &kxIntType } };

using Clock = std::chrono::steady_clock;
double nsSince(Clock::time_point t0, long ops)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / double(ops);
}
}

int main()
{
    constexpr int Batch = 20000, Rounds = 50;
    constexpr long Ops = long(Batch) * Rounds;
    std::vector<KXObjHeader*> objects(Batch);
    std::vector<void*> blocks(Batch);
    volatile KXCell sink = 0;

    // Warm up: the first round allocates the type's blocks, later rounds reuse the free list.
    for (int i = 0; i < Batch; ++i)
        objects[size_t(i)] = kxObjNew(&s_type.type);
    kxObjDeleteEach(&s_type.type);

    auto t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r) {
        for (int i = 0; i < Batch; ++i) {
            objects[size_t(i)] = kxObjNew(&s_type.type);
            objects[size_t(i)]->fields[0] = KXCell(i);
        }
        for (int i = 0; i < Batch; ++i) {
            sink = sink + objects[size_t(i)]->fields[0];
            kxObjDelete(objects[size_t(i)]);
        }
    }
    const double objNs = nsSince(t0, Ops);

    // Same pattern through Each, deleting the current object.
    t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r) {
        for (int i = 0; i < Batch; ++i)
            kxObjNew(&s_type.type);
        KXObjHeader* var = nullptr;
        for (int more = kxObjEachFirst(&var, &s_type.type); more; more = kxObjEachNext(&var))
            kxObjDelete(var);
    }
    const double eachNs = nsSince(t0, Ops);

    const size_t size = sizeof(KXObjHeader) + 4 * sizeof(KXCell);
    t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r) {
        for (int i = 0; i < Batch; ++i) {
            blocks[size_t(i)] = std::calloc(1, size);
            static_cast<KXCell*>(blocks[size_t(i)])[5] = KXCell(i);
        }
        for (int i = 0; i < Batch; ++i) {
            sink = sink + static_cast<KXCell*>(blocks[size_t(i)])[5];
            std::free(blocks[size_t(i)]);
        }
    }
    const double mallocNs = nsSince(t0, Ops);

    std::printf("typed objects (%zu bytes, %ld new+delete): %.1f ns per pair\n", size, Ops, objNs);
    std::printf("typed objects, deleted during Each:           %.1f ns per pair\n", eachNs);
    std::printf("baseline calloc+free of %zu bytes:            %.1f ns per pair (ratio %.2f)\n", size, mallocNs, objNs / mallocNs);
    return sink == 0xFFFFFFFF ? 1 : 0;
}
