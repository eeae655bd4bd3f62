// The system commands' pieces that other code and tests use directly.
#pragma once

#include "base/KXCallConv.h"

#include <ctime>
#include <string>
#include <vector>

class KXString;

// The commands (registered in KXSystemCommands.cpp). String arguments are lent; string results
// carry one reference.
[[noreturn]] KX_STDCALL void End();
[[noreturn]] KX_STDCALL void RuntimeError(KXString* error);
KX_STDCALL void AppTitle(KXString* str);
KX_STDCALL KXString* CommandLine();
KX_STDCALL void Write(KXString* text);
KX_STDCALL void Print(KXString* text);
KX_STDCALL KXString* Input(KXString* prompt);
KX_STDCALL KXString* SystemProperty(KXString* property);
KX_STDCALL KXString* GetEnv(KXString* var);
KX_STDCALL void SetEnv(KXString* var, KXString* value);
KX_STDCALL int ExecFile(KXString* file);
KX_STDCALL int MilliSecs();
KX_STDCALL void Delay(int millisecs);
KX_STDCALL KXString* CurrentDate();
KX_STDCALL KXString* CurrentTime();
KX_STDCALL void Stop();
KX_STDCALL void DebugLog(KXString* message);
KX_STDCALL void RuntimeStats();
KX_STDCALL void DebugObjects();
KX_STDCALL int ActiveObjects();
KX_STDCALL void kxDebugStmt(void* position, void* file);
KX_STDCALL void kxDebugEnter(void* frame, void* function, void* source);
KX_STDCALL void kxDebugLeave();

// How ExecFile reads its text: the file part (quoted or up to the first blank) and the
// parameter text after the blanks that follow it.
struct KXExecRequest {
    std::string file;
    std::string parameters;
};

// Splits ExecFile's text. False for unusable text: empty or blank, an unterminated quote, or a
// file part that is empty or longer than 255 characters.
bool kxParseExecFile(const char* text, KXExecRequest& out);

// Starts the request without waiting for it: an executable file runs as a process with the
// parameters as its arguments (split by KXCommandLine, backslashes plain); anything else is handed to the desktop's opener. Never goes
// through a shell. True when the launch was made.
bool kxLaunch(const KXExecRequest& request);

// "06 Dec 2026" and "09:05:03" for a broken-down local time, whatever the locale.
std::string kxFormatDate(const std::tm& t);
std::string kxFormatTime(const std::tm& t);

// The text of SystemProperty for a property name (any case); empty for unknown names.
std::string kxSystemProperty(const std::string& name);

// The system's name for an operating-system version, as SystemProperty("os") reports it.
std::string kxOsName(unsigned major, unsigned minor);
