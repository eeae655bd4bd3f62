// Bank commands: creation, size, copying, peeks and pokes, and transfers between banks and
// streams. Every bank handle is checked, and every offset and count must lie inside its bank.
#include "core/BankCommands.h"

#include "core/KXBank.h"
#include "core/KXCoreLib.h"
#include "core/KXStream.h"
#include "base/KXCommandTable.h"
#include "base/KXError.h"

#include <cstring>

namespace {
KXBank* bankOf(int handle) { return KXBank::fromHandle(handle); }

// The address of width bytes at offset, or "Offset out of range".
uint8_t* at(int handle, int offset, int width)
{
    KXBank* bank = bankOf(handle);
    if (!bank->contains(offset, width))
        kxRuntimeError("Offset out of range");
    return bank->data() + offset;
}

// Checks that count bytes from offset lie inside the bank (count > 0).
void checkRange(const KXBank* bank, int offset, int count)
{
    if (offset < 0 || offset > bank->size())
        kxRuntimeError("Offset out of range");
    if (!bank->contains(offset, count))
        kxRuntimeError("Count out of range");
}

template<class T>
T peek(int bank, int offset)
{
    T v;
    std::memcpy(&v, at(bank, offset, sizeof v), sizeof v);
    return v;
}

template<class T>
void poke(int bank, int offset, T v) { std::memcpy(at(bank, offset, sizeof v), &v, sizeof v); }
}

KX_STDCALL int CreateBank(int size) { return KXCoreLib::adopt(KXBank::create(size)); }

KX_STDCALL void FreeBank(int bank)
{
    if (bank)
        bankOf(bank)->releaseFromOwner();
}

KX_STDCALL int BankSize(int bank) { return bankOf(bank)->size(); }

KX_STDCALL void ResizeBank(int bank, int size) { bankOf(bank)->resize(size); }

// Overlapping ranges, also within one bank, copy as if through a temporary buffer.
KX_STDCALL void CopyBank(int srcBank, int srcOffset, int destBank, int destOffset, int count)
{
    KXBank* src = bankOf(srcBank);
    KXBank* dest = bankOf(destBank);
    if (count <= 0)
        return;
    checkRange(src, srcOffset, count);
    checkRange(dest, destOffset, count);
    std::memmove(dest->data() + destOffset, src->data() + srcOffset, size_t(count));
}

KX_STDCALL int PeekByte(int bank, int offset) { return peek<uint8_t>(bank, offset); }
KX_STDCALL int PeekShort(int bank, int offset) { return peek<uint16_t>(bank, offset); }
KX_STDCALL int PeekInt(int bank, int offset) { return peek<int32_t>(bank, offset); }
KX_STDCALL float PeekFloat(int bank, int offset) { return peek<float>(bank, offset); }

KX_STDCALL void PokeByte(int bank, int offset, int value) { poke(bank, offset, uint8_t(value)); }
KX_STDCALL void PokeShort(int bank, int offset, int value) { poke(bank, offset, uint16_t(value)); }
KX_STDCALL void PokeInt(int bank, int offset, int value) { poke(bank, offset, int32_t(value)); }
KX_STDCALL void PokeFloat(int bank, int offset, float value) { poke(bank, offset, value); }

// Reads count bytes from the stream into the bank at offset; answers the bytes read.
KX_STDCALL int ReadBytes(int bank, int stream, int offset, int count)
{
    KXBank* b = bankOf(bank);
    KXStream* s = KXStream::fromHandle(stream);
    if (count <= 0)
        return 0;
    checkRange(b, offset, count);
    return s->read(b->data() + offset, count);
}

// Writes count bytes from the bank at offset to the stream; answers the bytes written.
KX_STDCALL int WriteBytes(int bank, int stream, int offset, int count)
{
    KXBank* b = bankOf(bank);
    KXStream* s = KXStream::fromHandle(stream);
    if (count <= 0)
        return 0;
    checkRange(b, offset, count);
    return s->write(b->data() + offset, count);
}

namespace {
const KXCommandEntry s_commands[] = {
    { "%CreateBank%size=0", KX_FN(CreateBank) },
    { "FreeBank%bank", KX_FN(FreeBank) },
    { "%BankSize%bank", KX_FN(BankSize) },
    { "ResizeBank%bank%size", KX_FN(ResizeBank) },
    { "CopyBank%src_bank%src_offset%dest_bank%dest_offset%count", KX_FN(CopyBank) },
    { "%PeekByte%bank%offset", KX_FN(PeekByte) },
    { "%PeekShort%bank%offset", KX_FN(PeekShort) },
    { "%PeekInt%bank%offset", KX_FN(PeekInt) },
    { "#PeekFloat%bank%offset", KX_FN(PeekFloat) },
    { "PokeByte%bank%offset%value", KX_FN(PokeByte) },
    { "PokeShort%bank%offset%value", KX_FN(PokeShort) },
    { "PokeInt%bank%offset%value", KX_FN(PokeInt) },
    { "PokeFloat%bank%offset#value", KX_FN(PokeFloat) },
    { "%ReadBytes%bank%file%offset%count", KX_FN(ReadBytes) },
    { "%WriteBytes%bank%file%offset%count", KX_FN(WriteBytes) },
};
KXCommandTable s_table(s_commands);
}
