// The platform-neutral service modules that hold no state of their own yet: networking and the
// 2D input filter. Their commands report themselves unavailable on this platform.
#include "base/KXModule.h"

namespace {
KXModule s_tcpIp("KXTcpIp");
KXModule s_eventFilter2D("K2DEventFilter");
}
