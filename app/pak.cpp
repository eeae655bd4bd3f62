// Data pack reader: the scrambled pack of Pictorra's assets (logo, camera sound, window icon),
// stand-alone or appended to an executable.
//
// Pack layout, from the pack's start (exeoffset in its file), integers 4-byte little-endian:
// a header word (count position + 1) XOR headerkey; the entries' data blocks; at the count
// position the entry count; from there to the end of the file the directory text, three fields
// per entry each ended by byte 13: name, data offset from the pack start, data size. A pack
// appended to an .exe or .scr ends with a 10-byte trailer whose first int is exeoffset + 1 +
// headerkey. Directory and data blocks are scrambled: each 32-bit word XOR key, a final partial
// word as if padded with zeros.
//
// Entry names are file names in the working directory: a name that is empty, holds a path
// separator or "..", is refused (never extracted or deleted), as is a pack of more than
// MaxEntries entries, so a pack cannot reach outside the working directory; so is an entry whose
// size or position could not lie inside the pack file, or a field longer than MaxField bytes
// (which also keeps the directory's reading linear in its size, however it is damaged).
// Clean-up deletes only the files this run extracted: whatever else the directory names (the
// program's own files, say) is left alone.
#include "pictorra.h"

namespace {

constexpr int MaxEntries = 1000;
constexpr int MaxField = 260; // longer than any file name or number the pack writer makes

// XORs the words of a bank at offsets 0, 4, ... below count with key; the bank holds count + 4
// bytes so that a final partial word reads and writes inside it.
void unscramble(int bank, int count, int withKey)
{
    if (withKey == 0)
        return;
    for (int offset = 0; offset < count; offset += 4)
        PokeInt(bank, offset, PeekInt(bank, offset) ^ withKey);
}

// The directory field of length bytes at offset in the bank, as text; the empty string for a
// field longer than MaxField.
kx_str fieldtext(int bank, int offset, int length)
{
    kx_localstr text;
    if (length > MaxField)
        return kxStrRetain(text);
    for (int i = 0; i < length; ++i) {
        kx_temps t;
        text = t.made(kxStrConcat(text, t(Chr(PeekByte(bank, offset + i)))));
    }
    return kxStrRetain(text);
}

// True when the entry name names a plain file in the working directory.
bool safeentryname(kx_str name)
{
    return Len(name) > 0 && Instr(name, txSlash) == 0 && Instr(name, txBackslash) == 0 && Instr(name, txDotDot) == 0;
}

}

int pakinit(kx_str name, int withKey, int headerkey)
{
    key = withKey;
    packname = FileType(name) != 0 ? name : static_cast<kx_str>(txDefaultPack);
    exeoffset = 0;
    packcount = 0;

    bool appended;
    {
        kx_temps t;
        kx_str ending = t(Lower(t(Right(packname, 4))));
        appended = kxeq(ending, txExe) || kxeq(ending, txScr);
    }
    if (appended) {
        int file = ReadFile(packname);
        if (!file)
            return 0;
        SeekFile(file, FileSize(packname) - 10);
        exeoffset = int(unsigned(ReadInt(file)) - 1u - unsigned(headerkey));
        CloseFile(file);
    }

    int file = ReadFile(packname);
    if (!file)
        return 0;
    SeekFile(file, exeoffset);
    int countPosition = int((unsigned(ReadInt(file)) ^ unsigned(headerkey)) - 1u);
    SeekFile(file, int(unsigned(countPosition) + unsigned(exeoffset)));
    int count = ReadInt(file);
    if (count < 0 || count > MaxEntries)
        count = 0;

    int fileSize = FileSize(packname);
    int n = fileSize - FilePos(file);
    if (n < 0)
        n = 0;
    int bank = CreateBank(n + 4);
    ReadBytes(bank, file, 0, n);
    unscramble(bank, n, key);

    int index = 1;
    int field = 0;
    bool overlong = false; // a field of this entry was longer than MaxField
    for (int i = 0, start = 0; i < n && index <= count; ++i) {
        if (PeekByte(bank, i) != 13)
            continue;
        kx_temps t;
        kx_str text = t(fieldtext(bank, start, i - start));
        overlong = overlong || i - start > MaxField;
        start = i + 1;
        if (field == 0) {
            pakfiles.set(index, safeentryname(text) ? t(Lower(text)) : kx_empty());
            pakextracted(index) = 0;
        } else if (field == 1) {
            paklocate(index) = int(unsigned(kxStrToInt(text)) + unsigned(exeoffset));
        } else {
            paksize(index) = kxStrToInt(text);
            if (overlong || paksize(index) < 0 || paksize(index) > fileSize || paklocate(index) < 0)
                pakfiles.set(index, kx_empty());
            overlong = false;
            ++index;
        }
        field = (field + 1) % 3;
    }
    packcount = count;
    FreeBank(bank);
    CloseFile(file);
    return 0;
}

// Extracts the entry called name (any case) to a file of the entry's name in the working
// directory. Returns name (a new reference), whether or not the pack holds it.
kx_str pak(kx_str name)
{
    int index = 0;
    {
        kx_temps t;
        kx_str wanted = t(Lower(name));
        for (int i = 1; i <= packcount; ++i) {
            if (Len(pakfiles(i)) > 0 && kxeq(pakfiles(i), wanted)) {
                index = i;
                break;
            }
        }
    }
    if (index == 0)
        return kxStrRetain(name);

    int in = ReadFile(packname);
    if (!in)
        return kxStrRetain(name);
    SeekFile(in, paklocate(index));
    int out = WriteFile(pakfiles(index));
    if (out) {
        int size = paksize(index);
        int bank = CreateBank(size + 4);
        ReadBytes(bank, in, 0, size);
        unscramble(bank, size, key);
        WriteBytes(bank, out, 0, size);
        CloseFile(out);
        FreeBank(bank);
        pakextracted(index) = 1;
    }
    CloseFile(in);
    return kxStrRetain(name);
}

// Deletes the files pak extracted from the working directory, and only those: an entry that was
// not extracted in this run may name a file that is not the pack's.
int pakclean()
{
    for (int i = 1; i <= packcount; ++i) {
        if (pakextracted(i) != 0 && Len(pakfiles(i)) > 0)
            DeleteFile(pakfiles(i));
        pakextracted(i) = 0;
    }
    return 0;
}
