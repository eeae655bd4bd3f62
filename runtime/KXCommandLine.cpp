// The command-line module: the string CommandLine answers, released when the run ends.
#include "runtime/KXCommandLine.h"

#include "core/KXString.h"

namespace {
KXCommandLine s_module;
}

KXCommandLine::KXCommandLine()
    : KXModule("KXCommandLine")
{
}

KXCommandLine& KXCommandLine::instance() { return s_module; }

void KXCommandLine::set(const char* text)
{
    KXString* old = m_text;
    m_text = KXString::create(text ? text : "");
    kxRelease(old);
    start();
}

KXString* KXCommandLine::text()
{
    if (!m_text)
        set("");
    return m_text;
}

void KXCommandLine::shutdown()
{
    KXString* s = m_text;
    m_text = nullptr;
    kxRelease(s);
}
