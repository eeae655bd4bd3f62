// KXSound: a sample loaded whole into the audio engine, with the defaults later plays take.
//
// Invariants: the engine's sample (an OpenAL buffer) lives exactly as long as the sound; no
// channel plays the sample after the sound is gone.
#pragma once

#include "base/KXResource.h"

class KXSound : public KXResource {
public:
    // A new sound over an engine sample the sound takes over (one reference).
    static KXSound* create(unsigned sample, int rate, int channels);
    ~KXSound() override;
    const char* typeName() const override { return "Sound"; }

    unsigned sample() const { return m_sample; }
    int rate() const { return m_rate; }
    int channels() const { return m_channels; }

    bool loops() const { return m_loop; }
    void setLoop(bool on) { m_loop = on; }
    // Playback frequency in Hz (0: the sample's own rate).
    int frequency() const { return m_frequency; }
    float volume() const { return m_volume; }
    float pan() const { return m_pan; }
    void setFrequency(int hz) { m_frequency = hz; }
    void setVolume(float v) { m_volume = v; }
    void setPan(float p) { m_pan = p; }

private:
    KXSound(unsigned sample, int rate, int channels)
        : m_sample(sample)
        , m_rate(rate)
        , m_channels(channels)
    {
    }

    unsigned m_sample;
    int m_rate;
    int m_channels;
    bool m_loop { false };
    int m_frequency { 0 };
    float m_volume { 1.0f };
    float m_pan { 0.0f };
};
