// kx_fuzz: feeds mutated inputs to the runtime's readers and looks for crashes (best built with
// SANITIZE=1, where any memory or undefined-behaviour finding ends the run).
//
//   kx_fuzz picture|image|script RUNS SEED OUTDIR SEEDFILE...
//
// picture: the image loader (by the seed file's extension) and the BMP decoder; image: the
// program-image linker; script: the headless scripted user, run against a window with a menu.
// Before each run the input is written to OUTDIR/last-TARGET.EXT, so a crash leaves the input
// that caused it behind. Exit code 0 when every run ended normally.
#include "core/KXString.h"
#include "graphics/KXBmpDecoder.h"
#include "graphics/KXImageLoader.h"
#include "graphics/KXPixmap.h"
#include "gui/KXEventDriver.h"
#include "gui/headless/HeadlessScript.h"
#include "gui/headless/HeadlessSystem.h"
#include "base/KXError.h"
#include "runtime/KXImageLinker.h"
#include "base/KXModuleRegistry.h"
#include "runtime/KXProgram.h"
#include "tests/fuzz/KXMutator.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

KX_STDCALL int CreateWindow(KXString* text, int x, int y, int width, int height, int group, int style);
KX_STDCALL int CreateMenu(KXString* text, int id, int parent);
KX_STDCALL int WindowMenu(int window);
KX_STDCALL void UpdateWindowMenu(int window);
KX_STDCALL int WaitEvent(int timeout);
KX_STDCALL void FreeGadget(int gadget);

__attribute__((constructor(101))) static void chooseHeadless() { setenv("TROVA_PLATFORM", "headless", 1); }

namespace {
struct ProgramEnded : std::runtime_error {
    using std::runtime_error::runtime_error;
};
void throwEnd(const char* message) { throw ProgramEnded(message ? message : ""); }

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string extensionOf(const std::string& path)
{
    const size_t dot = path.find_last_of('.'), slash = path.find_last_of('/');
    return dot == std::string::npos || (slash != std::string::npos && dot < slash) ? ".bmp" : path.substr(dot);
}

KXString* text(const char* s) { return KXString::create(s); }

// A window with a menu for the scripted user to act on; the headless GUI starts on first use.
void prepareGui()
{
    static bool started = [] {
        kxSelectPlatformConfigs(KXModuleRegistry::global());
        return KXModuleRegistry::global().startModuleByName("HeadlessGuiDriver");
    }();
    if (!started) {
        std::fprintf(stderr, "kx_fuzz: the headless GUI does not start\n");
        std::exit(2);
    }
    HeadlessSystem& sys = HeadlessSystem::instance();
    if (sys.world().windowByTitle("Fuzz"))
        return;
    KXRef<KXString> title(text("Fuzz")), file(text("File")), open(text("Open"));
    int win = CreateWindow(title.get(), 10, 10, 300, 200, 0, 15);
    int menu = CreateMenu(file.get(), 0, WindowMenu(win));
    CreateMenu(open.get(), 5, menu);
    UpdateWindowMenu(win);
}

void runScript(const std::string& script)
{
    prepareGui();
    HeadlessScript& s = HeadlessScript::instance();
    s.clear();
    size_t start = 0;
    while (start <= script.size()) {
        size_t end = script.find('\n', start);
        if (end == std::string::npos)
            end = script.size();
        s.addLine(script.substr(start, end - start));
        start = end + 1;
    }
    // Waits are cut short: only the order of actions matters here.
    for (int i = 0; i < 400 && !s.isFinished(); ++i) {
        try {
            WaitEvent(0);
        } catch (const ProgramEnded&) {
        }
    }
    s.clear();
    HeadlessSystem::messages().clearMessages();
    HeadlessSystem::world().setDesktopSize(1024, 768);
}
}

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: kx_fuzz picture|image|script RUNS SEED OUTDIR SEEDFILE...\n");
        return 2;
    }
    const std::string target = argv[1];
    const long runs = std::atol(argv[2]);
    const std::string out = argv[4];
    KXMutator mutator(std::strtoull(argv[3], nullptr, 10));
    std::vector<std::string> seedPaths(argv + 5, argv + argc);
    std::vector<std::vector<uint8_t>> seeds;
    for (const std::string& p : seedPaths)
        seeds.push_back(readFile(p));
    kxSetEndTrap(throwEnd);
    for (long run = 0; run < runs; ++run) {
        const size_t which = mutator.next(uint32_t(seeds.size()));
        const std::string ext = target == "script" ? ".script" : target == "image" ? ".kxi"
                                                                                   : extensionOf(seedPaths[which]);
        const std::string last = out + "/last-" + target + ext;
        if (target == "script") {
            const std::string script = mutator.mutateText(std::string(seeds[which].begin(), seeds[which].end()));
            writeFile(last, std::vector<uint8_t>(script.begin(), script.end()));
            runScript(script);
        } else {
            const std::vector<uint8_t> input = mutator.mutate(seeds[which]);
            writeFile(last, input);
            try {
                if (target == "picture") {
                    KXRef<KXPixmap> p(KXImageLoader::load(last));
                    KXRef<KXPixmap> b(KXBmpDecoder::decode(input.data(), input.size()));
                } else if (target == "image") {
                    (void)kxLinkImage(input.data(), input.size());
                } else {
                    std::fprintf(stderr, "kx_fuzz: unknown target %s\n", target.c_str());
                    return 2;
                }
            } catch (const ProgramEnded& e) {
                // A runtime error is a clean outcome for bad input.
            }
        }
        if ((run + 1) % 500 == 0)
            std::printf("%s: %ld runs\n", target.c_str(), run + 1);
    }
    std::printf("%s: %ld runs, no crash\n", target.c_str(), runs);
    return 0;
}
