// KXFpuScope: runs a stretch of library code with the platform's default x87 control word.
//
// Compiled programs may set the x87 control word as they like (a program's code may ask for
// single precision, or unmask exceptions). The libraries the runtime calls (the GUI toolkit,
// image and sound codecs, the C library) are built for i386 with x87 arithmetic and expect the
// control word the process started with: on Linux i386, 0x037F (64-bit mantissa, so doubles
// round correctly; every exception masked; round to nearest). A scope loads that word on entry
// when the program's differs and puts the program's back on exit, exceptions included.
//
// Where scopes sit: the switch to the message loop's stack (KXEventDriver::poll), and every
// entry from a command into library code that may use x87 arithmetic (image files, sound, and
// each native operation of a GUI backend that calls a toolkit).
#pragma once

#include <cstdint>

class KXFpuScope {
public:
    KXFpuScope();
    ~KXFpuScope();
    KXFpuScope(const KXFpuScope&) = delete;
    KXFpuScope& operator=(const KXFpuScope&) = delete;

    static uint16_t controlWord();
    static void setControlWord(uint16_t word);
    // The control word the process started with.
    static uint16_t platformDefault();

private:
    uint16_t m_saved;
};
