// The x87 control word around library code.
#include "core/KXFpuScope.h"

#if !defined(__i386__)
#    error "KXFpuScope is written for i386"
#endif

namespace {
// Read before any program code runs: static initialisation happens before the runtime loads a
// program image.
const uint16_t s_startWord = KXFpuScope::controlWord();
}

uint16_t KXFpuScope::controlWord()
{
    uint16_t word;
    asm volatile("fnstcw %0"
                 : "=m"(word));
    return word;
}

void KXFpuScope::setControlWord(uint16_t word) { asm volatile("fldcw %0"
                                                              :
                                                              : "m"(word)); }

uint16_t KXFpuScope::platformDefault() { return s_startWord ? s_startWord : uint16_t(0x037F); }

KXFpuScope::KXFpuScope()
    : m_saved(controlWord())
{
    if (m_saved != platformDefault())
        setControlWord(platformDefault());
}

KXFpuScope::~KXFpuScope()
{
    if (controlWord() != m_saved)
        setControlWord(m_saved);
}
