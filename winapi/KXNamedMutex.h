// KXNamedMutex: a named mutex shared between processes, over a lock file.
//
// Every process that has the mutex open holds a shared flock on the file "mutex-NAME" in the
// mutex folder; whoever opens it and can take the exclusive lock first knows that no other live
// process has it open, and then keeps a shared lock like everybody else. The kernel drops the
// locks of a process that ends, however it ends, so a crashed holder never blocks the next start.
//
// Folder: TROVA_MUTEX_DIR, else $XDG_RUNTIME_DIR/trova, else /tmp/trova-UID (made with mode
// 0700 when missing; a folder of another user or a link is refused).
//
// Invariant: one object per name in a process; m_handles counts the program's open handles.
#pragma once

#include <string>

class KXNamedMutex {
public:
    // Opens the mutex called name, creating it when no other handle exists. existed is set when
    // it was already open here or in another live process. Null (errno set) when its lock file
    // cannot be made.
    static KXNamedMutex* open(const std::string& name, bool& existed);
    // The lock file of the mutex called name (its folder made when missing), or empty (errno set)
    // when the folder is unusable. Other files a program keeps beside its lock start with it.
    static std::string lockPath(const std::string& name);
    // Drops one handle; the last one releases the lock and the object.
    void close();

    const std::string& name() const { return m_name; }

private:
    KXNamedMutex(std::string name, int fd)
        : m_name(std::move(name))
        , m_fd(fd)
    {
    }
    ~KXNamedMutex();

    std::string m_name;
    int m_fd { -1 };
    int m_handles { 1 };
};
