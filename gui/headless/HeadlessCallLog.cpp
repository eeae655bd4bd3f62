// The headless backend's native call log.
#include "gui/headless/HeadlessCallLog.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

void HeadlessCallLog::record(const char* format, ...)
{
    char text[512];
    va_list ap;
    va_start(ap, format);
    std::vsnprintf(text, sizeof text, format, ap);
    va_end(ap);
    m_calls.emplace_back(text);
}

bool HeadlessCallLog::called(const std::string& prefix) const
{
    return std::any_of(m_calls.begin(), m_calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
}
