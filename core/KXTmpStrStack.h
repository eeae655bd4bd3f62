// KXTmpStrStack: the temporary-string stack. Strings made in the middle of an expression are
// pushed here and released together when the statement that made them ends.
//
// Invariants: 0 <= count <= capacity; capacity is a multiple of Growth and never shrinks
// (except through reset); each entry below count owns one reference (or is null).
#pragma once

class KXString;

class KXTmpStrStack {
public:
    static constexpr int Growth = 1024;

    // The process's stack, used by the string helpers.
    static KXTmpStrStack& instance() { return s_instance; }

    constexpr KXTmpStrStack() = default;
    KXTmpStrStack(const KXTmpStrStack&) = delete;
    KXTmpStrStack& operator=(const KXTmpStrStack&) = delete;
    ~KXTmpStrStack();

    // Takes over the caller's reference to s. A full stack grows into a new array of
    // capacity + Growth entries.
    void push(KXString* s)
    {
        if (m_count == m_capacity)
            grow();
        m_entries[m_count++] = s;
    }
    // Releases the top n entries. More than the stack holds (or a negative n) raises
    // "Illegal TmpStr index" without releasing anything.
    void pop(int n);
    // Releases every entry and frees the storage: empty, capacity 0.
    void reset();

    int count() const { return m_count; }
    int capacity() const { return m_capacity; }

private:
    void grow();
    static KXTmpStrStack s_instance;

    KXString** m_entries { nullptr };
    int m_count { 0 };
    int m_capacity { 0 };
};
