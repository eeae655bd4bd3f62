// KXAudioDriver: the sound service.
#include "runtime/KXModule.h"

namespace {
KXModule s_audioDriver("KXAudioDriver", "Audio", "Native");
}
