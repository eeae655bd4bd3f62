// The running program's command line, its configuration selection and its entry sequence.
#pragma once

class KXModuleRegistry;
class KXString;

// The argument text of a process command line: the program's own name split off (quoted or
// not), exactly as the rest stands. Returns a pointer into text.
const char* kxSplitCommandLine(const char* text);

// Builds the program's command-line string from the argument text (null means empty).
void kxSetCommandLine(const char* text);
// The command-line string (no reference added), or null before the program starts.
KXString* kxCommandLine();
// Drops the runtime's reference to the command-line string.
void kxReleaseCommandLine();

// Selects this platform's configs for "Gui", "Audio", "Screen", "Canvas", "Graphics" and
// "GrDriver2D".
void kxSelectPlatformConfigs(KXModuleRegistry& modules);

// The process entry: links the attached program image and runs it. Never returns.
[[noreturn]] void kxWinMain(int argc, char** argv);
