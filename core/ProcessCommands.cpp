// CreateProcess: a stream connected to a child process's standard input and output.
#include "core/KXCoreLib.h"
#include "core/KXPath.h"
#include "core/KXProcess.h"
#include "base/KXCommandTable.h"

// Starts the command (no shell involved); answers its stream, or 0 when it cannot be started.
KX_STDCALL int CreateProcess(KXString* command) { return KXCoreLib::adopt(KXProcess::start(kxStringView(command))); }

namespace {
const KXCommandEntry s_commands[] = {
    { "%CreateProcess$command", KX_FN(CreateProcess) },
};
KXCommandTable s_table(s_commands);
}
