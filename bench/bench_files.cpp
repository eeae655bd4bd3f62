// File throughput of WriteBytes and ReadBytes against a plain fwrite/fread loop moving the same
// chunks, measured in the same run (best of three rounds each, to damp a busy machine).
#include "core/BankCommands.h"
#include "core/FileCommands.h"
#include "core/KXString.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

struct Arg {
    explicit Arg(const std::string& s)
        : p(KXString::create(s))
    {
    }
    ~Arg() { p->release(); }
    KXString* p;
};
}

int main()
{
    char dirTemplate[] = "/tmp/kxbench-XXXXXX";
    std::string dir = mkdtemp(dirTemplate);
    std::string kxPath = dir + "/kx.bin", plainPath = dir + "/plain.bin";
    constexpr long Total = 32L << 20;
    std::printf("%9s %12s %12s %7s %12s %12s %7s\n", "chunk", "WriteBytes", "fwrite", "ratio", "ReadBytes", "fread", "ratio");
    for (int chunk : { 64, 4096, 65536, 1 << 20 }) {
        long count = Total / chunk;
        int bank = CreateBank(chunk);
        std::vector<char> buffer(size_t(chunk), 1);
        double mb = double(Total) / (1 << 20);

        double kxWrite = 1e9, plainWrite = 1e9, kxRead = 1e9, plainRead = 1e9;
        long got = 0, plainGot = 0;
        for (int round = 0; round < 3; ++round) {
            auto t0 = Clock::now();
            int f = WriteFile(Arg(kxPath).p);
            for (long i = 0; i < count; ++i)
                WriteBytes(bank, f, 0, chunk);
            CloseFile(f);
            kxWrite = std::min(kxWrite, seconds(t0));

            t0 = Clock::now();
            FILE* pf = std::fopen(plainPath.c_str(), "wb");
            for (long i = 0; i < count; ++i)
                std::fwrite(buffer.data(), 1, size_t(chunk), pf);
            std::fclose(pf);
            plainWrite = std::min(plainWrite, seconds(t0));

            t0 = Clock::now();
            f = ReadFile(Arg(kxPath).p);
            got = 0;
            for (long i = 0; i < count; ++i)
                got += ReadBytes(bank, f, 0, chunk);
            CloseFile(f);
            kxRead = std::min(kxRead, seconds(t0));

            t0 = Clock::now();
            pf = std::fopen(plainPath.c_str(), "rb");
            plainGot = 0;
            for (long i = 0; i < count; ++i)
                plainGot += long(std::fread(buffer.data(), 1, size_t(chunk), pf));
            std::fclose(pf);
            plainRead = std::min(plainRead, seconds(t0));
        }

        if (got != Total || plainGot != Total)
            std::printf("short transfer: %ld %ld\n", got, plainGot);
        std::printf("%9d %8.0f MB/s %8.0f MB/s %7.2f %8.0f MB/s %8.0f MB/s %7.2f\n", chunk, mb / kxWrite, mb / plainWrite,
            kxWrite / plainWrite, mb / kxRead, mb / plainRead, kxRead / plainRead);
        FreeBank(bank);
    }
    unlink(kxPath.c_str());
    unlink(plainPath.c_str());
    rmdir(dir.c_str());
}
