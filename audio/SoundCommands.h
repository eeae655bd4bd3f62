// Declarations of the sound and channel commands, for C++ callers (tests, other runtime areas).
// Programs reach them through the command registry.
#pragma once

#include "base/KXCallConv.h"

class KXString;

// Sounds and channels.
KX_STDCALL int LoadSound(KXString* filename);
KX_STDCALL void FreeSound(int sound);
KX_STDCALL void LoopSound(int sound);
KX_STDCALL void SoundPitch(int sound, int pitch);
KX_STDCALL void SoundVolume(int sound, float volume);
KX_STDCALL void SoundPan(int sound, float pan);
KX_STDCALL int PlaySound(int sound, int flags);
KX_STDCALL int PlayMusic(KXString* file, int flags);
KX_STDCALL void StopChannel(int channel);
KX_STDCALL void PauseChannel(int channel);
KX_STDCALL void ResumeChannel(int channel);
KX_STDCALL void ChannelPitch(int channel, int pitch);
KX_STDCALL void ChannelVolume(int channel, float volume);
KX_STDCALL void ChannelPan(int channel, float pan);
KX_STDCALL int ChannelPlaying(int channel);
