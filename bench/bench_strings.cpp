// Throughput of string concatenation, the temporary-string stack and float text, each beside a
// baseline of the standard library doing the same work in the same run.
#include "core/KXString.h"
#include "core/KXStringConversions.h"
#include "core/KXStringHelpers.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

template<class Fn>
double nsPerOp(long ops, Fn fn)
{
    auto t0 = Clock::now();
    fn();
    return std::chrono::duration<double, std::nano>(Clock::now() - t0).count() / double(ops);
}

void report(const char* what, double ns, double base)
{
    std::printf("%-44s %9.1f ns/op   baseline %9.1f ns/op   ratio %5.2f\n", what, ns, base, ns / base);
}

volatile size_t g_sink;

// One statement `s = a + b`: concatenate, store, free the temporary.
void concatStatement(size_t size, long rounds)
{
    KXRef<KXString> a(KXString::create(std::string(size, 'a'))), b(KXString::create(std::string(size, 'b')));
    KXString* var = nullptr;
    double ns = nsPerOp(rounds, [&] {
        for (long i = 0; i < rounds; ++i) {
            kxStrStore(&var, kxStrConcat(a.get(), b.get()));
            kxStrTmpFree(1);
        }
    });
    g_sink = size_t(var->length());
    kxStrStore(&var, nullptr);
    const std::string x(size, 'a'), y(size, 'b');
    std::string s;
    double base = nsPerOp(rounds, [&] {
        for (long i = 0; i < rounds; ++i) {
            std::string t;
            t.reserve(x.size() + y.size());
            t.append(x).append(y);
            s = std::move(t);
        }
    });
    g_sink = s.size();
    char what[64];
    std::snprintf(what, sizeof what, "s = a + b, %zu + %zu bytes", size, size);
    report(what, ns, base);
}

// `s = s + c` repeated: the growing text is copied every time, in both versions.
void appendLoop(long rounds)
{
    KXRef<KXString> c(KXString::create("c"));
    KXString* var = nullptr;
    double ns = nsPerOp(rounds, [&] {
        for (long i = 0; i < rounds; ++i) {
            kxStrStore(&var, kxStrConcat(kxStrLoad(&var), c.get()));
            kxStrTmpFree(1);
        }
    });
    g_sink = size_t(var->length());
    kxStrStore(&var, nullptr);
    std::string s;
    double base = nsPerOp(rounds, [&] {
        for (long i = 0; i < rounds; ++i) {
            std::string t;
            t.reserve(s.size() + 1);
            t.append(s).push_back('c');
            s = std::move(t);
        }
    });
    g_sink = s.size();
    char what[64];
    std::snprintf(what, sizeof what, "s = s + c, %ld times (copying)", rounds);
    report(what, ns, base);
}

__attribute__((noinline)) KX_STDCALL KXString* vectorRetain(KXString* s)
{
    s->retain();
    return s;
}

__attribute__((noinline)) KX_STDCALL void vectorPush(std::vector<KXString*>& v, KXString* s) { v.push_back(s); }

__attribute__((noinline)) KX_STDCALL void vectorPop(std::vector<KXString*>& v, int n)
{
    while (n-- > 0) {
        v.back()->release();
        v.pop_back();
    }
}

// Pushing depth temporaries and freeing them at once, as a deep expression does.
void tmpStack(int depth, long rounds)
{
    KXRef<KXString> s(KXString::create("t"));
    double ns = nsPerOp(rounds * depth, [&] {
        for (long i = 0; i < rounds; ++i) {
            for (int k = 0; k < depth; ++k)
                kxStrTmp(kxStrRetain(s.get()));
            kxStrTmpFree(depth);
        }
    });
    // Baselines: a std::vector doing the same, inline and behind out-of-line calls as compiled
    // code makes them (calls weigh heavily where the i386 code runs under an emulator).
    std::vector<KXString*> v;
    double inlined = nsPerOp(rounds * depth, [&] {
        for (long i = 0; i < rounds; ++i) {
            for (int k = 0; k < depth; ++k) {
                s->retain();
                v.push_back(s.get());
            }
            while (!v.empty()) {
                v.back()->release();
                v.pop_back();
            }
        }
    });
    double called = nsPerOp(rounds * depth, [&] {
        for (long i = 0; i < rounds; ++i) {
            for (int k = 0; k < depth; ++k)
                vectorPush(v, vectorRetain(s.get()));
            vectorPop(v, depth);
        }
    });
    char what[64];
    std::snprintf(what, sizeof what, "temporary push + free, depth %d", depth);
    report(what, ns, inlined);
    std::snprintf(what, sizeof what, "  (same, vector behind calls)");
    report(what, ns, called);
}

void floatText(long rounds)
{
    double ns = nsPerOp(rounds, [&] {
        for (long i = 0; i < rounds; ++i) {
            kxStrFromFloat(float(i) * 0.37f);
            kxStrTmpFree(1);
        }
    });
    double base = nsPerOp(rounds, [&] {
        char buf[32];
        for (long i = 0; i < rounds; ++i)
            g_sink = size_t(std::snprintf(buf, sizeof buf, "%g", double(float(i) * 0.37f)));
    });
    report("float to text", ns, base);
}
}

int main()
{
    for (size_t size : { 8, 64, 1024 })
        concatStatement(size, 200000);
    appendLoop(20000);
    for (int depth : { 4, 3000 })
        tmpStack(depth, 3000000 / depth);
    floatText(100000);
}
