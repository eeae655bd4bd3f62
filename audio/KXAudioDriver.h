// KXAudioDriver: the sound service over OpenAL. Each channel is one OpenAL source; samples
// are OpenAL buffers. When no audio device can be opened (and always on the headless platform
// or with TROVA_AUDIO=silent; TROVA_AUDIO=device tries a device on any platform) the engine
// renders into a silent loopback device paced by a thread of its own, so sounds still load and
// play as usual. Probing for a device writes nothing on standard error.
//
// Channel numbers are (generation << 12) | (source index + 1): the low 12 bits index the
// stream slots, and a number stays tied to one play of one source, so a stale channel never
// reaches a later play.
//
// Invariants: available() is true only between a successful start and shutdown; each stream
// slot holds at most one reference to a sound that PlayMusic started on that source.
#pragma once

#include "base/KXModule.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

class KXSound;
struct ALCdevice_struct;
struct ALCcontext_struct;

class KXAudioDriver final : public KXModule {
public:
    static constexpr int MaxChannels = 32;
    static constexpr int StreamSlots = 4096;

    KXAudioDriver();
    // Stops the silent output's thread if the driver was never shut down.
    ~KXAudioDriver() override;
    static KXAudioDriver& instance();

    bool startup() override;
    void shutdown() override;

    // True when the engine runs (a device, or the silent fallback).
    bool available() const { return m_available; }
    // True when output goes to the silent fallback.
    bool isSilent() const { return m_silent; }

    // Loads a whole Ogg Vorbis or WAVE file as a new sound (one reference) owned by the
    // driver; null when audio is unavailable or the file cannot be read or decoded.
    KXSound* loadSound(const std::string& path);
    // Releases a sound the driver owns, stopping its channels first.
    void releaseSound(KXSound* sound);
    // Plays the sound on a free channel (flags: 1 loop, 2 start paused); 0 when none is free.
    int play(KXSound* sound, int flags);
    // Plays a file as a stream remembered in its channel's slot; 0 when it cannot.
    int playMusic(const std::string& path, int flags);

    void stop(int channel);
    void pause(int channel);
    void resume(int channel);
    void setPitch(int channel, int hz);
    void setVolume(int channel, float volume);
    void setPan(int channel, float pan);
    bool isPlaying(int channel);

    // Stops every channel playing the sample and deletes it (KXSound's destructor).
    static void freeSample(unsigned sample);

private:
    struct Channel {
        unsigned source { 0 };
        int number { 0 };
        int rate { 0 }; // the playing sample's rate, for pitch changes
    };
    bool openOutput();
    void closeOutput();
    int freeSource();
    Channel* find(int channel);
    void applyPan(unsigned source, float pan, int sampleChannels);
    void renderLoop();

    ALCdevice_struct* m_device { nullptr };
    ALCcontext_struct* m_context { nullptr };
    bool m_available { false };
    bool m_silent { false };
    std::vector<Channel> m_channels;
    std::vector<KXSound*> m_streams; // StreamSlots entries
    int m_generation { 0 };
    std::thread m_renderer;
    std::atomic<bool> m_rendering { false };
};
