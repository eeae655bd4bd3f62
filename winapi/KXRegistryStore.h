// KXRegistryStore: advapi32's registry, one text file per root key.
//
// Files: the variable TROVA_REGISTRY_HKCR, _HKCU, _HKLM, _HKU or _HKCC names a root's file;
// without it the file is $XDG_DATA_HOME/trova/registry/HKEY_LOCAL_MACHINE.reg and so on (XDG_DATA_HOME
// defaulting to ~/.local/share; that folder is made when missing, a named file's folder is not).
// A root whose file does not exist holds its default keys (HKEY_LOCAL_MACHINE:
// SOFTWARE\Microsoft\DirectDraw; the others none) until the first write makes the file.
//
// Format (UTF-8 text, lines ending in "\n"):
//     TROVA REGISTRY 1
//     [SOFTWARE\Microsoft\DirectDraw]
//     EnablePrintScreen=4:01000000
// The first line is exactly the magic; "[path]" starts a key ("[]" the root itself; a key's
// parents exist with it); "name=type:hex" is a value of the key above it, its type in decimal
// and its bytes in hexadecimal; "@" names the default (unnamed) value; lines starting with ";"
// and empty lines are ignored. In paths and names every byte below 0x21 or above 0x7E and each
// of "%", "=", "[", "]", "@" is written %XX. Key paths and value names match without regard to
// ASCII case. A file that breaks these rules is refused as corrupt, never rewritten.
//
// Writes replace the file atomically (a temporary file in the same folder, flushed, then renamed
// over it), under an exclusive flock of the folder, so a crash at any moment leaves either the
// old or the new file and concurrent writers never lose each other's changes. Who may write is
// the file system's decision. A file behind a symbolic link is replaced where the link leads (the
// link stays); a path naming anything but a regular file (a pipe, a device, a folder) is ignored
// with a message when read and never replaced.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>

struct KXRegistryValue {
    std::string name; // as first written
    uint32_t type { 0 };
    std::string data;
};

struct KXRegistryKey {
    std::string path; // as first written, "\" between parts; empty for the root
    std::map<std::string, KXRegistryValue> values; // by lower-case name
};

// The keys of one root, by lower-case path.
using KXRegistryKeys = std::map<std::string, KXRegistryKey>;

class KXRegistryStore {
public:
    // The file of a predefined root key (0x80000000..0x80000005); empty for any other value.
    static std::string fileOf(uint32_t root);
    // Reads a root's keys. Answers a Win32 error code: 0, ERROR_ACCESS_DENIED when the file
    // cannot be read, ERROR_BADDB when it is corrupt, ERROR_INVALID_HANDLE for an unknown root.
    static uint32_t read(uint32_t root, KXRegistryKeys& keys);
    // Reads the root's keys, lets change edit them (its non-zero result abandons the write and
    // is answered) and writes them back atomically. Answers 0 or the Win32 error of the failing
    // step (ERROR_ACCESS_DENIED, ERROR_DISK_FULL, ERROR_WRITE_FAULT, or read's errors).
    static uint32_t update(uint32_t root, const std::function<uint32_t(KXRegistryKeys&)>& change);
    // True when the file system would let this process replace the root's file.
    static bool isWritable(uint32_t root);

    // The lower-case form of a path or name, as keys and values are indexed.
    static std::string fold(const std::string& text);
};
