// Directory listings over the system's directory streams.
#define _FILE_OFFSET_BITS 64
#include "core/KXDir.h"

KXDir* KXDir::open(const std::string& path)
{
    DIR* d = opendir(path.empty() ? "." : path.c_str());
    if (!d)
        return nullptr;
    auto* dir = new KXDir(d);
    dir->fetch();
    return dir;
}

KXDir::~KXDir() { closedir(m_dir); }

void KXDir::fetch()
{
    dirent* e = readdir(m_dir);
    m_hasEntry = e != nullptr;
    m_name = e ? e->d_name : "";
}

std::string KXDir::next()
{
    if (!m_hasEntry)
        return {};
    std::string name = std::move(m_name);
    fetch();
    return name;
}
