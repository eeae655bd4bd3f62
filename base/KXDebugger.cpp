// The default debugger: runtime errors become a topmost message box captioned with the title.
#include "base/KXDebugger.h"

#include "base/KXMessageBox.h"

namespace {
class DefaultDebugger final : public KXDebugger { };

DefaultDebugger s_default;
KXDebugger* s_current = &s_default;
}

void KXDebugger::debugError(const char* message)
{
    kxMessageBox(kxAppCaption(), message, KXMessageBoxKind::Error);
}

KXDebugger* KXDebugger::current() { return s_current; }

void KXDebugger::setCurrent(KXDebugger* debugger) { s_current = debugger ? debugger : &s_default; }

KXDebugger* KXDebugger::defaultDebugger() { return &s_default; }
