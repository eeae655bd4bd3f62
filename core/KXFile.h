// KXFile: a stream over one open buffered file, transferring bytes without translation.
//
// Invariants: m_file is open for the object's whole life and closed by its destruction; the
// stream switches between reading and writing only through a positioning call, as buffered
// files require. Only the main thread touches a file, so transfers skip the stream lock.
#pragma once

#include "core/KXStream.h"

#include <cstdio>
#include <string>

class KXFile : public KXStream {
public:
    // Opens the file at a system path with a binary mode ("rb", "wb", "r+b"). Answers null when
    // the file cannot be opened or names a directory.
    static KXFile* open(const std::string& path, const char* mode);
    ~KXFile() override;

    int read(void* buffer, int n) override;
    int write(const void* buffer, int n) override;
    // Files never answer more than 0: a read of any size returns at once anyway.
    int avail() override { return 0; }
    // Reads one byte ahead and pushes it back; 1 when that read hits the end.
    int eof() override;
    // Offsets are 64-bit inside; answers their low 32 bits.
    int pos() override;
    int seek(int position) override;

    const char* typeName() const override { return "File"; }

private:
    enum class LastOp {
        None,
        Read,
        Write,
    };
    KXFile(FILE* file, bool readable, bool writable)
        : m_file(file)
        , m_readable(readable)
        , m_writable(writable)
    {
    }
    void switchTo(LastOp op);

    FILE* m_file;
    bool m_readable;
    bool m_writable;
    LastOp m_last { LastOp::None };
};
