// Message boxes for the runtime's own reports, routed to whatever the platform can show.
#pragma once

enum class KXMessageBoxKind {
    Error, // a runtime error: OK only, topmost, brought to the foreground
    Internal, // an internal error
    Fatal, // the program image could not be linked
};

// Shows a modal message box with an OK button and returns when it is closed. Before a GUI
// backend installs a handler, and always on the headless backend, it prints one line
// "CAPTION: TEXT" on standard error.
void kxMessageBox(const char* caption, const char* text, KXMessageBoxKind kind);

using KXMessageBoxHandler = void (*)(const char* caption, const char* text, KXMessageBoxKind kind);

// Installs the platform's message box; null restores the standard-error one.
void kxSetMessageBoxHandler(KXMessageBoxHandler handler);

// The caption of the boxes that speak for the program (runtime errors, the requesters): the
// application title, read from the source the host installs; empty until one is installed (or
// after null).
const char* kxAppCaption();

using KXAppCaptionSource = const char* (*)();
void kxSetAppCaptionSource(KXAppCaptionSource source);
