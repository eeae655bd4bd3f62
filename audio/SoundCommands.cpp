// Sound and channel commands.
#include "audio/SoundCommands.h"

#include "audio/KXAudioDriver.h"
#include "audio/KXSound.h"
#include "base/KXCommandTable.h"
#include "core/KXHandle.h"
#include "core/KXPath.h"
#include "core/KXString.h"

namespace {
KXAudioDriver& audio() { return KXAudioDriver::instance(); }
KXSound* sound(int handle) { return kxHandle<KXSound>(handle, "Sound"); }
std::string path(const KXString* s) { return kxSystemPath(s); }
}

KX_STDCALL int LoadSound(KXString* filename)
{
    if (!kxNamesFile(kxStringView(filename)))
        return 0;
    return kxToHandle(audio().loadSound(path(filename)));
}

KX_STDCALL void FreeSound(int handle)
{
    if (handle)
        audio().releaseSound(sound(handle));
}

KX_STDCALL void LoopSound(int handle)
{
    if (handle)
        sound(handle)->setLoop(true);
}

KX_STDCALL void SoundPitch(int handle, int pitch) { sound(handle)->setFrequency(pitch); }
KX_STDCALL void SoundVolume(int handle, float volume) { sound(handle)->setVolume(volume); }
KX_STDCALL void SoundPan(int handle, float pan) { sound(handle)->setPan(pan); }

KX_STDCALL int PlaySound(int handle, int flags)
{
    if (!handle)
        return 0;
    return audio().play(sound(handle), flags);
}

KX_STDCALL int PlayMusic(KXString* file, int flags) { return audio().playMusic(path(file), flags); }
KX_STDCALL void StopChannel(int channel) { audio().stop(channel); }
KX_STDCALL void PauseChannel(int channel) { audio().pause(channel); }
KX_STDCALL void ResumeChannel(int channel) { audio().resume(channel); }
KX_STDCALL void ChannelPitch(int channel, int pitch) { audio().setPitch(channel, pitch); }
KX_STDCALL void ChannelVolume(int channel, float volume) { audio().setVolume(channel, volume); }
KX_STDCALL void ChannelPan(int channel, float pan) { audio().setPan(channel, pan); }
KX_STDCALL int ChannelPlaying(int channel) { return audio().isPlaying(channel) ? 1 : 0; }

static const KXCommandEntry s_commands[] = {
    { "%LoadSound$filename", KX_FN(LoadSound) },
    { "FreeSound%sound", KX_FN(FreeSound) },
    { "LoopSound%sound", KX_FN(LoopSound) },
    { "SoundPitch%sound%pitch", KX_FN(SoundPitch) },
    { "SoundVolume%sound#volume", KX_FN(SoundVolume) },
    { "SoundPan%sound#pan", KX_FN(SoundPan) },
    { "%PlaySound%sound%flags=0", KX_FN(PlaySound) },
    { "%PlayMusic$file%flags=0", KX_FN(PlayMusic) },
    { "StopChannel%channel", KX_FN(StopChannel) },
    { "PauseChannel%channel", KX_FN(PauseChannel) },
    { "ResumeChannel%channel", KX_FN(ResumeChannel) },
    { "ChannelPitch%channel%pitch", KX_FN(ChannelPitch) },
    { "ChannelVolume%channel#volume", KX_FN(ChannelVolume) },
    { "ChannelPan%channel#pan", KX_FN(ChannelPan) },
    { "%ChannelPlaying%channel", KX_FN(ChannelPlaying) },
};
static KXCommandTable s_table(s_commands);
