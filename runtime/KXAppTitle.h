// The application title: the caption of runtime-error boxes and the console title.
#pragma once

class KXString;

// The title's text. Until a program sets one it is the executable's file name without its
// directory and without the text from its last full stop on.
const char* kxAppTitle();

// The title as a string object (no reference is added).
KXString* kxAppTitleString();

// Replaces the title: takes a reference to the new string, drops the old one's.
void kxSetAppTitle(KXString* title);
