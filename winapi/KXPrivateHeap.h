// KXPrivateHeap: a heap of kernel32's HeapCreate: blocks handed out by it are released together
// when it is destroyed. A maximum size of 0 lets it grow as far as memory goes.
#pragma once

#include <cstddef>
#include <unordered_map>

class KXPrivateHeap {
public:
    explicit KXPrivateHeap(size_t maximumSize)
        : m_maximum(maximumSize)
    {
    }
    ~KXPrivateHeap();
    KXPrivateHeap(const KXPrivateHeap&) = delete;
    KXPrivateHeap& operator=(const KXPrivateHeap&) = delete;

    // A block of size bytes (zeroed when asked), or null when the heap's maximum or memory is
    // exhausted.
    void* allocate(size_t size, bool zero);
    // Releases a block of this heap; false when the block is not one of its live blocks.
    bool release(void* block);

private:
    size_t m_maximum;
    size_t m_used { 0 };
    std::unordered_map<void*, size_t> m_blocks;
};
