// The running program's command-line split, its configuration selection and its entry sequence.
#pragma once

class KXModuleRegistry;

// The argument text of a process command line: the program's own name split off (quoted or
// not), exactly as the rest stands. Returns a pointer into text.
const char* kxSplitCommandLine(const char* text);

// Selects this platform's configs for "Gui", "Audio", "Screen", "Canvas", "Graphics" and
// "GrDriver2D".
void kxSelectPlatformConfigs(KXModuleRegistry& modules);

// The process entry: links the attached program image and runs it. Never returns.
[[noreturn]] void kxWinMain(int argc, char** argv);
