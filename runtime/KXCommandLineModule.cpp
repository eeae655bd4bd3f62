// The command-line module: the string CommandLine answers, released when the run ends.
#include "runtime/KXCommandLineModule.h"

#include "core/KXString.h"

namespace {
KXCommandLineModule s_module;
}

KXCommandLineModule::KXCommandLineModule()
    : KXModule("KXCommandLineModule")
{
}

KXCommandLineModule& KXCommandLineModule::instance() { return s_module; }

void KXCommandLineModule::set(const char* text)
{
    KXString* old = m_text;
    m_text = KXString::create(text ? text : "");
    kxRelease(old);
    start();
}

KXString* KXCommandLineModule::text()
{
    if (!m_text)
        set("");
    return m_text;
}

void KXCommandLineModule::shutdown()
{
    KXString* s = m_text;
    m_text = nullptr;
    kxRelease(s);
}
