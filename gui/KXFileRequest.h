// KXFileRequest: what a file requester is asked: title, filters, default extension, initial
// name and open or save behaviour, built from RequestFile's arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct KXFileFilter {
    std::string description; // "bmp Files"
    std::string pattern; // "*.bmp"
    bool operator==(const KXFileFilter&) const = default;
};

struct KXFileRequest {
    std::string title;
    std::vector<KXFileFilter> filters;
    // Added by the dialog to a name typed without an extension; empty for none.
    std::string defaultExtension;
    // The name the dialog opens on, with "/" separators.
    std::string initialName;
    // Save: asks before overwriting an existing file. Open: the file must exist.
    bool save { false };

    // exts is a comma-separated list of extensions without dots; each gives a filter
    // "e Files" / "*.e", and the first is the default extension. An empty list gives the one
    // filter "All files" / "*.*". defname (either separator) is the initial name; when it is
    // empty and exts is not, the initial name is "*." and the first extension.
    static KXFileRequest make(std::string_view prompt, std::string_view exts, bool save, std::string_view defname);

    // The name as the dialog completes it: the default extension added when the file part of
    // name has none.
    std::string completeName(std::string_view name) const;
};
