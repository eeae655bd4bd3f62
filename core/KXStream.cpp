// The stream handle check.
#include "core/KXStream.h"

#include "core/KXHandle.h"

KXStream::~KXStream()
{
    if (this == s_lastChecked)
        s_lastChecked = nullptr;
}

KXStream* KXStream::checkHandle(int handle)
{
    s_lastChecked = kxHandle<KXStream>(handle, "Stream");
    return s_lastChecked;
}
