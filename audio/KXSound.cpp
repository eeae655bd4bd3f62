// Sounds: the engine sample's lifetime.
#include "audio/KXSound.h"

#include "audio/KXAudioDriver.h"

KXSound* KXSound::create(unsigned sample, int rate, int channels) { return new KXSound(sample, rate, channels); }

KXSound::~KXSound() { KXAudioDriver::freeSample(m_sample); }
