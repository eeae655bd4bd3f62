// A scratch directory for file tests, removed with everything in it at the end of the test.
#pragma once

#include "core/KXString.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class KXTempDir {
public:
    KXTempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kxtest-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~KXTempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& path() const { return m_path; }
    // The path of a name inside the directory.
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// A string argument as compiled code lends it; released at the end of the full expression.
struct KXArg {
    explicit KXArg(const std::string& s)
        : p(KXString::create(s))
    {
    }
    ~KXArg() { p->release(); }
    operator KXString*() const { return p; }
    KXString* p;
};

// Takes over a string result (one reference) and answers its text.
inline std::string kxTake(KXString* s)
{
    std::string text = s->str();
    s->release();
    return text;
}

inline void kxWriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string kxReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
