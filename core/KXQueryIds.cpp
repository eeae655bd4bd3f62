// The query-identifier table.
#include "core/KXQueryIds.h"

#include "base/KXError.h"

#include <string>
#include <utility>
#include <vector>

namespace {
std::vector<std::pair<std::string, int>>& table()
{
    static std::vector<std::pair<std::string, int>> entries;
    return entries;
}
}

int KXQueryIds::idOf(const char* name)
{
    std::string key(name ? name : "");
    auto& entries = table();
    for (const auto& [text, id] : entries)
        if (text == key)
            return id;
    if (int(entries.size()) >= MaxIds)
        kxRuntimeError("Out of QIDS!");
    entries.emplace_back(std::move(key), FirstId + int(entries.size()));
    return entries.back().second;
}
