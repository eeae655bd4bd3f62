// File requests: filters, default extension and initial name.
#include "gui/KXFileRequest.h"

KXFileRequest KXFileRequest::make(std::string_view prompt, std::string_view exts, bool save, std::string_view defname)
{
    KXFileRequest r;
    r.title = std::string(prompt);
    r.save = save;
    if (exts.empty()) {
        r.filters.push_back({ "All files", "*.*" });
    } else {
        size_t start = 0;
        for (;;) {
            size_t comma = exts.find(',', start);
            std::string ext(exts.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
            r.filters.push_back({ ext + " Files", "*." + ext });
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
        r.defaultExtension = std::string(exts.substr(0, exts.find(',')));
    }
    r.initialName = std::string(defname);
    for (char& c : r.initialName)
        if (c == '\\')
            c = '/';
    if (r.initialName.empty() && !exts.empty())
        r.initialName = "*." + r.defaultExtension;
    return r;
}

std::string KXFileRequest::completeName(std::string_view name) const
{
    std::string s(name);
    if (defaultExtension.empty() || s.empty())
        return s;
    size_t slash = s.find_last_of("/\\");
    size_t dot = s.find_last_of('.');
    bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension)
        s += "." + defaultExtension;
    return s;
}
