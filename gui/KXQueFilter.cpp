// KXQueFilter: the last filter of the event chain, which queues what reaches it.
#include "runtime/KXModule.h"

namespace {
KXModule s_queFilter("KXQueFilter");
}
