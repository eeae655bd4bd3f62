// Path texts: programs write "\" or "/" as they like; the system gets "/".
#pragma once

#include <string>
#include <string_view>

class KXString;

// The path with every "\" turned into "/", ready for the system.
std::string kxSystemPath(std::string_view path);

// The same for a program's string argument (null reads as the empty path).
std::string kxSystemPath(const KXString* path);

// False for a text that can name no file: one holding a NUL byte, of which the system would see
// only the part before the NUL (another file, or the folder it lies in).
bool kxNamesFile(std::string_view path);

// The text of a borrowed string argument; null reads as empty.
std::string_view kxStringView(const KXString* s);
