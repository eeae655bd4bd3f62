// KXDir: a directory listing walked one entry at a time, in the order the system keeps them
// ("." and ".." included).
//
// Invariants: m_dir is open for the object's whole life; m_hasEntry tells whether m_name holds
// a current entry.
#pragma once

#include "base/KXResource.h"

#include <dirent.h>
#include <string>

class KXDir : public KXResource {
public:
    // Starts listing the directory at a system path, so that its first entry is current.
    // Answers null when the directory cannot be opened.
    static KXDir* open(const std::string& path);
    ~KXDir() override;

    bool hasEntry() const { return m_hasEntry; }
    // The current entry's name (without directory), or empty when none is left; then moves on.
    std::string next();

    const char* typeName() const override { return "Directory"; }

private:
    explicit KXDir(DIR* dir)
        : m_dir(dir)
    {
    }
    void fetch();

    DIR* m_dir;
    std::string m_name;
    bool m_hasEntry { false };
};
