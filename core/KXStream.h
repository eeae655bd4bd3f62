// KXStream: a byte channel with one read/write interface (files, child processes, sockets).
//
// The six operations follow the object slots in this order; it is part of the runtime's binary
// interface. Byte counts are never negative; a short transfer is not an error.
#pragma once

#include "base/KXResource.h"

#include <cstdint>

class KXStream : public KXResource {
public:
    ~KXStream() override;

    // The stream a program's handle designates, or the runtime error "Invalid Stream handle".
    // The last stream that passed is remembered until it is destroyed.
    static KXStream* fromHandle(int handle)
    {
        auto* stream = reinterpret_cast<KXStream*>(intptr_t(handle));
        return stream && stream == s_lastChecked ? stream : checkHandle(handle);
    }

    // Reads up to n bytes into buffer; answers the bytes actually read (0 at the end).
    virtual int read(void* buffer, int n) = 0;
    // Writes up to n bytes from buffer; answers the bytes actually written.
    virtual int write(const void* buffer, int n) = 0;
    // Bytes that can be read at once without waiting.
    virtual int avail() = 0;
    // Non-zero when no more data can be read.
    virtual int eof() = 0;
    // The current position (0 for streams without one).
    virtual int pos() = 0;
    // Moves to an absolute position; answers the position reached.
    virtual int seek(int position) = 0;

    const char* typeName() const override { return "Stream"; }

private:
    static KXStream* checkHandle(int handle);

    static inline KXStream* s_lastChecked = nullptr;
};
