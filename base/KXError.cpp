// Runtime errors, internal errors, the debug log and the end of the program.
#include "base/KXError.h"

#include "base/KXDebugger.h"
#include "base/KXMessageBox.h"
#include "base/KXRunState.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <stdexcept>

namespace {
KXEndTrap s_endTrap = nullptr;
KXEndRelay s_endRelay = nullptr;
KXEndHandler s_endHandler = nullptr;
KXRunState s_runState = KXRunState::BeforeExecute;

// Messages are formatted into a fresh 256-character buffer, cut at its end.
struct Message {
    char text[256];
    Message(const char* format, va_list ap) { std::vsnprintf(text, sizeof text, format, ap); }
};
}

KXRunState kxRunState() { return s_runState; }

void kxSetRunState(KXRunState state) { s_runState = state; }

void kxSetEndTrap(KXEndTrap trap) { s_endTrap = trap; }

void kxSetEndRelay(KXEndRelay relay) { s_endRelay = relay; }

void kxSetEndHandler(KXEndHandler handler) { s_endHandler = handler; }

namespace {
[[noreturn]] void onUncaughtException()
{
    if (std::current_exception()) {
        try {
            throw;
        } catch (const std::bad_alloc&) {
            kxRuntimeError("Out of memory");
        } catch (const std::length_error&) {
            kxRuntimeError("Out of memory");
        } catch (...) {
        }
    }
    std::abort();
}
}

void kxGuardUncaughtExceptions() { std::set_terminate(onUncaughtException); }

void kxRuntimeError(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    Message m(format, ap);
    va_end(ap);
    KXDebugger* d = KXDebugger::current();
    d->debugStop();
    if (s_endTrap)
        s_endTrap(m.text);
    d->debugError(m.text);
    kxEnd();
}

void kxInternalError(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    Message m(format, ap);
    va_end(ap);
    kxMessageBox("***** INTERNAL ERROR *****", m.text, KXMessageBoxKind::Internal);
    std::exit(0);
}

void kxDebugLog(const char* format, ...)
{
    va_list ap;
    va_start(ap, format);
    Message m(format, ap);
    va_end(ap);
    KXDebugger::current()->debugLog(m.text);
}

void kxEnd()
{
    if (s_runState == KXRunState::Ending)
        kxInternalError("Recursive kxEnd");
    if (s_endRelay)
        s_endRelay();
    if (s_endTrap)
        s_endTrap(nullptr);
    s_runState = KXRunState::Ending;
    if (s_endHandler)
        s_endHandler();
    std::fflush(nullptr);
    std::exit(0);
}
