// The X error trap.
#include "gui/qt/X11ErrorTrap.h"

#include <X11/Xlib.h>

namespace {
int s_errors = 0;
int s_depth = 0;

int countError(Display*, XErrorEvent*)
{
    ++s_errors;
    return 0;
}
}

X11ErrorTrap::X11ErrorTrap(Display* display)
    : m_display(display)
    , m_errorsBefore(s_errors)
    , m_previous(nullptr)
{
    if (s_depth++ == 0)
        m_previous = reinterpret_cast<void*>(XSetErrorHandler(countError));
}

X11ErrorTrap::~X11ErrorTrap()
{
    if (--s_depth == 0)
        XSetErrorHandler(reinterpret_cast<XErrorHandler>(m_previous));
}

bool X11ErrorTrap::failed() const { return s_errors != m_errorsBefore; }
