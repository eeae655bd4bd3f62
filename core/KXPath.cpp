// Path text conversion between programs and the system.
#include "core/KXPath.h"

#include "core/KXString.h"

#include <algorithm>

std::string kxSystemPath(std::string_view path)
{
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool kxNamesFile(std::string_view path) { return path.find('\0') == std::string_view::npos; }

std::string kxSystemPath(const KXString* path) { return kxSystemPath(kxStringView(path)); }

std::string_view kxStringView(const KXString* s) { return s ? s->view() : std::string_view(); }
