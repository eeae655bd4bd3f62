// Stream commands: the value formats every stream reads and writes (little-endian, unaligned),
// and stream-to-stream copying.
#include "core/StreamCommands.h"

#include "core/KXPath.h"
#include "core/KXStream.h"
#include "core/KXString.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

#include <cstring>
#include <memory>
#include <string>

namespace {
KXStream* streamOf(int handle) { return KXStream::fromHandle(handle); }

// Reads a value; bytes that do not arrive leave the high end zero.
template<class T>
T readValue(int stream)
{
    KXStream* s = streamOf(stream);
    uint8_t bytes[sizeof(T)] = {};
    s->read(bytes, sizeof bytes);
    T v;
    std::memcpy(&v, bytes, sizeof v);
    return v;
}

template<class T>
void writeValue(int stream, T v) { streamOf(stream)->write(&v, sizeof v); }

// A string's body arrives in chunks of this size at most, so a wrong length read from a stream
// costs no more memory than the bytes that really come.
constexpr int StringChunk = 65536;
}

KX_STDCALL int Eof(int stream) { return streamOf(stream)->eof(); }

KX_STDCALL int ReadAvail(int stream) { return streamOf(stream)->avail(); }

KX_STDCALL int ReadByte(int stream) { return readValue<uint8_t>(stream); }
KX_STDCALL int ReadShort(int stream) { return readValue<uint16_t>(stream); }
KX_STDCALL int ReadInt(int stream) { return readValue<int32_t>(stream); }
KX_STDCALL float ReadFloat(int stream) { return readValue<float>(stream); }

// A 4-byte length n, then n bytes. The result holds only the bytes that arrived: the empty
// string when the length cannot be read, is not positive, or no byte of the body comes.
KX_STDCALL KXString* ReadString(int stream)
{
    KXStream* s = streamOf(stream);
    int32_t n = 0;
    if (s->read(&n, 4) != 4 || n <= 0)
        return KXString::create("");
    std::string body;
    while (int(body.size()) < n) {
        int want = std::min(n - int(body.size()), StringChunk);
        size_t old = body.size();
        body.resize(old + size_t(want));
        int got = s->read(body.data() + old, want);
        body.resize(old + size_t(got > 0 ? got : 0));
        if (got < want)
            break;
    }
    return KXString::create(body);
}

// The bytes up to a line feed or the end of the stream, without the line feed and without any
// carriage return.
KX_STDCALL KXString* ReadLine(int stream)
{
    KXStream* s = streamOf(stream);
    std::string line;
    char c;
    while (s->read(&c, 1) == 1 && c != '\n')
        if (c != '\r')
            line += c;
    return KXString::create(line);
}

KX_STDCALL void WriteByte(int stream, int value) { writeValue(stream, uint8_t(value)); }
KX_STDCALL void WriteShort(int stream, int value) { writeValue(stream, uint16_t(value)); }
KX_STDCALL void WriteInt(int stream, int value) { writeValue(stream, int32_t(value)); }
KX_STDCALL void WriteFloat(int stream, float value) { writeValue(stream, value); }

KX_STDCALL void WriteString(int stream, KXString* text)
{
    KXStream* s = streamOf(stream);
    std::string_view v = kxStringView(text);
    int32_t n = int32_t(v.size());
    s->write(&n, 4);
    s->write(v.data(), n);
}

KX_STDCALL void WriteLine(int stream, KXString* text)
{
    KXStream* s = streamOf(stream);
    std::string line(kxStringView(text));
    line += "\r\n";
    s->write(line.data(), int(line.size()));
}

// Copies in chunks of bufferSize bytes until the source ends, a read comes back short, or the
// destination takes fewer bytes than it was given.
KX_STDCALL void CopyStream(int srcStream, int destStream, int bufferSize)
{
    KXStream* src = streamOf(srcStream);
    KXStream* dest = streamOf(destStream);
    if (bufferSize < 1 || bufferSize > 0x100000)
        kxRuntimeError("Illegal CopyStream buffer size");
    auto buffer = std::make_unique_for_overwrite<char[]>(size_t(bufferSize));
    while (!src->eof()) {
        int got = src->read(buffer.get(), bufferSize);
        if (got > 0 && dest->write(buffer.get(), got) < got)
            break;
        if (got < bufferSize)
            break;
    }
}

namespace {
const KXCommandEntry s_commands[] = {
    { "%Eof%stream", KX_FN(Eof) },
    { "%ReadAvail%stream", KX_FN(ReadAvail) },
    { "%ReadByte%stream", KX_FN(ReadByte) },
    { "%ReadShort%stream", KX_FN(ReadShort) },
    { "%ReadInt%stream", KX_FN(ReadInt) },
    { "#ReadFloat%stream", KX_FN(ReadFloat) },
    { "$ReadString%stream", KX_FN(ReadString) },
    { "$ReadLine%stream", KX_FN(ReadLine) },
    { "WriteByte%stream%byte", KX_FN(WriteByte) },
    { "WriteShort%stream%short", KX_FN(WriteShort) },
    { "WriteInt%stream%int", KX_FN(WriteInt) },
    { "WriteFloat%stream#float", KX_FN(WriteFloat) },
    { "WriteString%stream$string", KX_FN(WriteString) },
    { "WriteLine%stream$string", KX_FN(WriteLine) },
    { "CopyStream%src_stream%dest_stream%buffer_size=16384", KX_FN(CopyStream) },
};
KXCommandTable s_table(s_commands);
}
