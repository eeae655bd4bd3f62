// Private heaps.
#include "winapi/KXPrivateHeap.h"

#include <cstdlib>

KXPrivateHeap::~KXPrivateHeap()
{
    for (auto& [block, size] : m_blocks)
        std::free(block);
}

void* KXPrivateHeap::allocate(size_t size, bool zero)
{
    if (m_maximum && (size > m_maximum || m_used > m_maximum - size))
        return nullptr;
    void* block = zero ? std::calloc(1, size ? size : 1) : std::malloc(size ? size : 1);
    if (!block)
        return nullptr;
    m_blocks[block] = size;
    m_used += size;
    return block;
}

bool KXPrivateHeap::release(void* block)
{
    auto it = m_blocks.find(block);
    if (it == m_blocks.end())
        return false;
    m_used -= it->second;
    m_blocks.erase(it);
    std::free(block);
    return true;
}
