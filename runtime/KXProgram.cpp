// The entry sequence, the command-line split and the configuration selection.
#include "runtime/KXProgram.h"

#include "base/KXError.h"
#include "base/KXModuleRegistry.h"
#include "core/KXCommandLine.h"
#include "runtime/KXImageLinker.h"
#include "runtime/Runtime.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {
// Quotes an argument the way a shell command line would show it when it holds blanks.
void appendArgument(std::string& line, const char* arg)
{
    if (!line.empty())
        line += ' ';
    if (std::strpbrk(arg, " \t") || !*arg) {
        line += '"';
        line += arg;
        line += '"';
    } else {
        line += arg;
    }
}
}

const char* kxSplitCommandLine(const char* text)
{
    std::optional<KXCommandLine::Head> head = KXCommandLine::head(text ? text : "");
    if (!head)
        return "";
    // A quoted name keeps the blanks after it; an unquoted one loses the blank that ended it.
    if (head->quoted)
        return head->rest.data();
    return head->rest.empty() ? "" : head->rest.data() + 1;
}

void kxSelectPlatformConfigs(KXModuleRegistry& modules)
{
    // Our single 2D backend per platform plays the role of the DirectDraw configuration.
    modules.selectConfig("Gui", "Native");
    modules.selectConfig("Audio", "Native");
    modules.selectConfig("Screen", "DirectDraw");
    modules.selectConfig("Canvas", "DirectDraw");
    modules.selectConfig("Graphics", "DirectDraw");
    modules.selectConfig("GrDriver2D", "DirectDraw");
}

void kxWinMain(int argc, char** argv)
{
    Runtime& runtime = *runtimeGetRuntime();
    runtime.startup(nullptr);
    void (*entry)() = kxLoadAndLinkImage();

    // The process command line as the system would hand it over: the program name, then each
    // argument separated by one blank.
    std::string line;
    for (int i = 0; i < argc; ++i)
        appendArgument(line, argv[i]);
    runtime.execute(entry, kxSplitCommandLine(line.c_str()), nullptr);
    runtime.shutdown();
    std::exit(0);
}
