// The interface through which the runtime reports to a debugger, and the default one.
#pragma once

// Slot order is part of the runtime's binary interface: do not reorder or insert.
class KXDebugger {
public:
    virtual void debugRun() { }
    virtual void debugStop() { }
    virtual void debugStmt(void* /*position*/, void* /*file*/) { }
    virtual void debugEnter(void* /*frame*/, void* /*function*/, void* /*source*/) { }
    virtual void debugLeave() { }
    virtual void debugLog(const char* /*message*/) { }
    // Shows the message of a runtime error to the user; returns when the user has seen it.
    virtual void debugError(const char* message);

    // The debugger in force: the default one until execute installs another.
    static KXDebugger* current();
    static void setCurrent(KXDebugger* debugger);
    static KXDebugger* defaultDebugger();

protected:
    ~KXDebugger() = default;
};
