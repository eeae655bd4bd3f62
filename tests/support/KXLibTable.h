// A program's library table built in memory, laid out as a program image carries it, for tests
// that bind libraries through the runtime's loader (kxLoadLibs) as programs do.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class KXLibTable {
public:
    KXLibTable& lib(const std::string& name)
    {
        close();
        append(name);
        m_open = true;
        return *this;
    }
    // A function entry whose slot is the given pointer variable.
    template<typename F>
    KXLibTable& fn(const std::string& name, F*& slot)
    {
        append(name);
        uint32_t address = uint32_t(reinterpret_cast<uintptr_t>(&slot));
        const char* p = reinterpret_cast<const char*>(&address);
        m_bytes.insert(m_bytes.end(), p, p + 4);
        return *this;
    }
    std::vector<char> bytes()
    {
        close();
        std::vector<char> b = m_bytes;
        b.push_back(0);
        return b;
    }

private:
    void append(const std::string& s) { m_bytes.insert(m_bytes.end(), s.c_str(), s.c_str() + s.size() + 1); }
    void close()
    {
        if (m_open)
            m_bytes.push_back(0);
        m_open = false;
    }
    std::vector<char> m_bytes;
    bool m_open { false };
};
