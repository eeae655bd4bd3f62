// Bank peek and poke throughput through the commands, against plain memory access of the same
// pattern measured in the same run.
#include "core/BankCommands.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

// The cheapest a command can be: an out-of-line stdcall store with no checks at all.
__attribute__((noinline)) KX_STDCALL void plainPoke(uint8_t* memory, int offset, int value)
{
    std::memcpy(memory + offset, &value, 4);
}

double nsPerOp(Clock::time_point t0, long ops)
{
    return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / double(ops);
}
}

int main()
{
    constexpr int Size = 1 << 16; // bytes: stays in cache, so the figures are per-call costs
    constexpr int Rounds = 40;
    constexpr long Ops = long(Rounds) * (Size / 4);
    int bank = CreateBank(Size);
    std::vector<uint8_t> plain(Size);
    volatile uint8_t* memory = plain.data();

    auto t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; off += 4)
            PokeInt(bank, off, off + r);
    double poke = nsPerOp(t0, Ops);

    t0 = Clock::now();
    int64_t sum = 0;
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; off += 4)
            sum += PeekInt(bank, off);
    double peek = nsPerOp(t0, Ops);

    t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; off += 4) {
            int32_t v = off + r;
            std::memcpy(const_cast<uint8_t*>(memory) + off, &v, 4);
        }
    double pokeBase = nsPerOp(t0, Ops);

    t0 = Clock::now();
    int64_t sumBase = 0;
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; off += 4) {
            int32_t v;
            std::memcpy(&v, const_cast<uint8_t*>(memory) + off, 4);
            sumBase += v;
        }
    double peekBase = nsPerOp(t0, Ops);

    t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; off += 4)
            plainPoke(plain.data(), off, off + r);
    double callBase = nsPerOp(t0, Ops);

    t0 = Clock::now();
    for (int r = 0; r < Rounds; ++r)
        for (int off = 0; off < Size; ++off)
            PokeByte(bank, off, off);
    double pokeByte = nsPerOp(t0, long(Rounds) * Size);

    std::printf("PokeInt  %7.2f ns/op   plain store %6.2f ns/op   ratio %6.1f\n", poke, pokeBase, poke / pokeBase);
    std::printf("PeekInt  %7.2f ns/op   plain load  %6.2f ns/op   ratio %6.1f\n", peek, peekBase, peek / peekBase);
    std::printf("PokeInt against an unchecked out-of-line store %6.2f ns/op: ratio %6.1f\n", callBase, poke / callBase);
    std::printf("PokeByte %7.2f ns/op\n", pokeByte);
    std::printf("(checksums %lld %lld)\n", static_cast<long long>(sum), static_cast<long long>(sumBase));
    FreeBank(bank);
}
