// The sound service: OpenAL output (or the silent loopback fallback), channels and samples.
#include "audio/KXAudioDriver.h"

#include "audio/KXSound.h"
#include "audio/KXSoundDecoder.h"
#include "core/KXFpuScope.h"
#include "base/KXResource.h"
#include "base/KXError.h"
#include "base/KXPlatform.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
KXAudioDriver s_driver;

constexpr int SilentRate = 22050;

bool hasMusicExtension(const std::string& path)
{
    static const char* const kinds[] = { ".mod", ".s3m", ".xm", ".it", ".mid", ".rmi", ".sgt" };
    std::string lower = path;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    for (const char* k : kinds) {
        size_t n = std::strlen(k);
        if (lower.size() >= n && lower.compare(lower.size() - n, n, k) == 0)
            return true;
    }
    return false;
}
}

KXAudioDriver::KXAudioDriver()
    : KXModule("KXAudioDriver", "Audio", "Native")
{
}

KXAudioDriver::~KXAudioDriver()
{
    m_rendering = false;
    if (m_renderer.joinable())
        m_renderer.join();
}

KXAudioDriver& KXAudioDriver::instance()
{
    if (!s_driver.isStarted() && !s_driver.start())
        kxRuntimeError("Audio is not available");
    return s_driver;
}

bool KXAudioDriver::startup()
{
    // A machine without sound still runs programs: sounds then load and play silently.
    m_available = openOutput();
    if (!m_available)
        kxDebugLog("Audio engine could not start; sounds are unavailable");
    m_streams.assign(StreamSlots, nullptr);
    return true;
}

void KXAudioDriver::shutdown()
{
    for (KXSound*& s : m_streams)
        if (KXSound* sound = s) {
            s = nullptr;
            sound->release();
        }
    closeOutput();
    m_available = false;
}

// The headless platform and TROVA_AUDIO=silent never touch a real device: runs there are
// tests. TROVA_AUDIO=device tries the device on any platform.
static bool wantsSilence()
{
    const char* audio = std::getenv("TROVA_AUDIO");
    if (audio && std::strcmp(audio, "device") == 0)
        return false;
    return kxPlatform() == KXPlatform::Headless || (audio && std::strcmp(audio, "silent") == 0);
}

namespace {
// Standard error goes to the null device while it lives. The sound libraries under OpenAL
// report every backend they probe and fail to open there (a machine without a sound card gets
// a dozen lines); a missing device is no error for us, the silent output takes over.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        m_saved = dup(2);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            dup2(null, 2);
        if (null >= 0)
            close(null);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (m_saved >= 0) {
            dup2(m_saved, 2);
            close(m_saved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved { -1 };
};
}

bool KXAudioDriver::openOutput()
{
    if (!wantsSilence()) {
        QuietStandardError quiet;
        m_device = alcOpenDevice(nullptr);
        if (m_device) {
            m_context = alcCreateContext(m_device, nullptr);
            if (m_context && alcMakeContextCurrent(m_context))
                return true;
            if (m_context)
                alcDestroyContext(m_context);
            alcCloseDevice(m_device);
            m_context = nullptr;
            m_device = nullptr;
        }
    }
    // No device: a loopback device that a thread of ours renders in real time into nothing.
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    if (!openLoopback)
        return false;
    m_device = openLoopback(nullptr);
    if (!m_device)
        return false;
    const ALCint attributes[] = { ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
        ALC_FREQUENCY, SilentRate, 0 };
    m_context = alcCreateContext(m_device, attributes);
    if (!m_context || !alcMakeContextCurrent(m_context)) {
        if (m_context)
            alcDestroyContext(m_context);
        alcCloseDevice(m_device);
        m_context = nullptr;
        m_device = nullptr;
        return false;
    }
    m_silent = true;
    m_rendering = true;
    m_renderer = std::thread([this] { renderLoop(); });
    return true;
}

// Renders the loopback device at the pace of a real output, so that plays finish in time.
void KXAudioDriver::renderLoop()
{
    auto render = reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(m_device, "alcRenderSamplesSOFT"));
    if (!render)
        return;
    std::vector<int16_t> scratch(2 * 1024);
    auto last = std::chrono::steady_clock::now();
    double owed = 0;
    while (m_rendering) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        auto now = std::chrono::steady_clock::now();
        owed += std::chrono::duration<double>(now - last).count() * SilentRate;
        last = now;
        owed = std::min(owed, double(SilentRate)); // never catch up more than a second
        while (owed >= 1024) {
            render(m_device, scratch.data(), 1024);
            owed -= 1024;
        }
    }
}

void KXAudioDriver::closeOutput()
{
    if (m_rendering) {
        m_rendering = false;
        if (m_renderer.joinable())
            m_renderer.join();
    }
    if (m_context) {
        for (Channel& c : m_channels)
            alDeleteSources(1, &c.source);
        m_channels.clear();
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(m_context);
        m_context = nullptr;
    }
    if (m_device) {
        alcCloseDevice(m_device);
        m_device = nullptr;
    }
    m_silent = false;
}

KXSound* KXAudioDriver::loadSound(const std::string& path)
{
    KXFpuScope libraryFpu;
    if (!m_available)
        return nullptr;
    KXPcm pcm;
    if (!KXSoundDecoder::decode(path, pcm))
        return nullptr;
    ALuint buffer = 0;
    alGetError();
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR)
        return nullptr;
    alBufferData(buffer, pcm.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pcm.samples.data(),
        ALsizei(pcm.samples.size() * 2), pcm.rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        return nullptr;
    }
    KXSound* sound = KXSound::create(buffer, pcm.rate, pcm.channels);
    resources()->adopt(sound);
    return sound;
}

void KXAudioDriver::releaseSound(KXSound* sound)
{
    if (sound->owner())
        sound->owner()->orphan(sound);
    sound->release();
}

void KXAudioDriver::freeSample(unsigned sample)
{
    KXAudioDriver& d = s_driver;
    if (!d.m_context)
        return;
    for (Channel& c : d.m_channels) {
        ALint bound = 0;
        alGetSourcei(c.source, AL_BUFFER, &bound);
        if (ALuint(bound) == sample) {
            alSourceStop(c.source);
            alSourcei(c.source, AL_BUFFER, 0);
        }
    }
    ALuint b = sample;
    alDeleteBuffers(1, &b);
}

// The index of a source neither playing nor paused, making one if the pool has room; −1
// when every channel is busy.
int KXAudioDriver::freeSource()
{
    for (size_t i = 0; i < m_channels.size(); ++i) {
        ALint state = 0;
        alGetSourcei(m_channels[i].source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING && state != AL_PAUSED)
            return int(i);
    }
    if (int(m_channels.size()) >= MaxChannels)
        return -1;
    ALuint source = 0;
    alGetError();
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR)
        return -1;
    m_channels.push_back({ source, 0, 0 });
    return int(m_channels.size()) - 1;
}

KXAudioDriver::Channel* KXAudioDriver::find(int channel)
{
    if (channel <= 0)
        return nullptr;
    const int index = (channel & 0xFFF) - 1;
    if (index < 0 || index >= int(m_channels.size()) || m_channels[size_t(index)].number != channel)
        return nullptr;
    return &m_channels[size_t(index)];
}

void KXAudioDriver::applyPan(unsigned source, float pan, int sampleChannels)
{
    // Mono samples are placed on a half circle in front of the listener; stereo plays as is.
    if (sampleChannels != 1)
        return;
    pan = std::clamp(pan, -1.0f, 1.0f);
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, pan, 0.0f, -std::sqrt(1.0f - pan * pan));
}

int KXAudioDriver::play(KXSound* sound, int flags)
{
    KXFpuScope libraryFpu;
    if (!m_available || !sound)
        return 0;
    const int index = freeSource();
    if (index < 0)
        return 0;
    Channel& c = m_channels[size_t(index)];
    const ALuint src = c.source;
    alSourceStop(src);
    alSourcei(src, AL_BUFFER, ALint(sound->sample()));
    alSourcei(src, AL_LOOPING, (sound->loops() || (flags & 1)) ? AL_TRUE : AL_FALSE);
    alSourcef(src, AL_GAIN, std::max(sound->volume(), 0.0f));
    alSourcef(src, AL_PITCH, sound->frequency() > 0 ? float(sound->frequency()) / float(sound->rate()) : 1.0f);
    alSourcei(src, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(src, AL_POSITION, 0, 0, 0);
    applyPan(src, sound->pan(), sound->channels());
    alGetError();
    alSourcePlay(src);
    if (flags & 2)
        alSourcePause(src);
    if (alGetError() != AL_NO_ERROR)
        return 0;
    m_generation = m_generation >= 0x7FFFF ? 1 : m_generation + 1;
    c.number = (m_generation << 12) | (index + 1);
    c.rate = sound->rate();
    // The slot's earlier stream, if any, has ended: its source was free.
    if (KXSound* old = m_streams[size_t(c.number & 0xFFF)]) {
        m_streams[size_t(c.number & 0xFFF)] = nullptr;
        old->release();
    }
    return c.number;
}

int KXAudioDriver::playMusic(const std::string& path, int flags)
{
    KXFpuScope libraryFpu;
    if (!m_available || hasMusicExtension(path))
        return 0;
    KXSound* sound = loadSound(path);
    if (!sound)
        return 0;
    resources()->orphan(sound); // the stream slot holds it
    int channel = play(sound, flags);
    if (!channel) {
        sound->release();
        return 0;
    }
    m_streams[size_t(channel & 0xFFF)] = sound;
    return channel;
}

void KXAudioDriver::stop(int channel)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel))
        alSourceStop(c->source);
}

void KXAudioDriver::pause(int channel)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel)) {
        ALint state = 0;
        alGetSourcei(c->source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING)
            alSourcePause(c->source);
    }
}

void KXAudioDriver::resume(int channel)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel)) {
        ALint state = 0;
        alGetSourcei(c->source, AL_SOURCE_STATE, &state);
        if (state == AL_PAUSED)
            alSourcePlay(c->source);
    }
}

void KXAudioDriver::setPitch(int channel, int hz)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel); c && hz > 0 && c->rate > 0)
        alSourcef(c->source, AL_PITCH, std::clamp(float(hz) / float(c->rate), 0.01f, 100.0f));
}

void KXAudioDriver::setVolume(int channel, float volume)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel))
        alSourcef(c->source, AL_GAIN, std::max(volume, 0.0f));
}

void KXAudioDriver::setPan(int channel, float pan)
{
    KXFpuScope libraryFpu;
    if (Channel* c = find(channel)) {
        ALint buffer = 0, channels = 0;
        alGetSourcei(c->source, AL_BUFFER, &buffer);
        if (buffer)
            alGetBufferi(ALuint(buffer), AL_CHANNELS, &channels);
        applyPan(c->source, pan, channels);
    }
}

bool KXAudioDriver::isPlaying(int channel)
{
    KXFpuScope libraryFpu;
    Channel* c = find(channel);
    if (!c)
        return false;
    ALint state = 0;
    alGetSourcei(c->source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}
