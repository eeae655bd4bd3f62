// Sounds: decoding, loading, overlapping plays, paused channels and the channel commands. The
// tests run without a sound device, on the engine's silent output.
#include "audio/KXAudioDriver.h"
#include "audio/KXSoundDecoder.h"
#include "audio/SoundCommands.h"
#include "base/KXModuleRegistry.h"
#include "tests/support/KXTempDir.h"
#include "tests/support/KXTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
// The sound service needs no other subsystem: the audio configuration is chosen as the runtime
// chooses it, and the driver starts on first use.
void kxSelectAudioForTests() { KXModuleRegistry::global().selectConfig("Audio", "Native"); }

struct Sounds : testing::Test {
    void SetUp() override
    {
        kxSelectAudioForTests();
        ASSERT_TRUE(KXAudioDriver::instance().available());
    }
    int load(const char* name) { return LoadSound(KXArg(kxTestInput("sounds", name))); }
};
}

TEST(SoundDecoder, DecodesWaveAndVorbisAndRefusesDamage)
{
    KXPcm pcm;
    ASSERT_TRUE(KXSoundDecoder::decode(kxTestInput("sounds", "beep16.wav"), pcm));
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 22050);
    EXPECT_EQ(pcm.samples.size(), 5512u);
    ASSERT_TRUE(KXSoundDecoder::decode(kxTestInput("sounds", "beep8stereo.wav"), pcm));
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.samples.size(), 2u * 2756u);
    EXPECT_EQ(pcm.samples[0], 0); // unsigned 8-bit silence is 128
    ASSERT_TRUE(KXSoundDecoder::decode(kxTestInput("sounds", "click.ogg"), pcm));
    EXPECT_EQ(pcm.rate, 22050);
    EXPECT_NEAR(double(pcm.samples.size()), 4410.0, 64.0);
    EXPECT_FALSE(KXSoundDecoder::decode(kxTestInput("sounds", "truncated.wav"), pcm));
    EXPECT_FALSE(KXSoundDecoder::decode(kxTestInput("sounds", "cut.ogg"), pcm));
    EXPECT_FALSE(KXSoundDecoder::decode(kxTestInput("images", "rgb4x2.bmp"), pcm));
    EXPECT_FALSE(KXSoundDecoder::decode(kxTestInput("sounds", "missing.ogg"), pcm));
    // A data chunk claiming more than the file holds is cut at the end of the file.
    const uint8_t wave[] = { 'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
        1, 0, 1, 0, 0x44, 0xAC, 0, 0, 0x88, 0x58, 1, 0, 2, 0, 16, 0, 'd', 'a', 't', 'a', 0xFF, 0xFF, 0xFF, 0x7F,
        1, 0, 2, 0, 3 };
    ASSERT_TRUE(KXSoundDecoder::decodeWave(wave, sizeof wave, pcm));
    EXPECT_EQ(pcm.samples, (std::vector<int16_t> { 1, 2 }));
}

TEST(SoundStart, ProbingForADeviceWritesNothing)
{
    // On a machine without a sound card the device's libraries report every backend they try;
    // the start must stay quiet and fall back to the silent output, which still plays. The
    // child is a fresh run of this executable, so the sound service starts there for the first
    // time.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    kxSetEndTrap(nullptr);
    EXPECT_EXIT(
        {
            setenv("TROVA_AUDIO", "device", 1);
            kxSelectAudioForTests();
            KXAudioDriver& audio = KXAudioDriver::instance();
            std::fprintf(stderr, "%s\n", audio.available() ? "available" : "unavailable");
            kxEnd(); // the modules shut down, the device with them
        },
        testing::ExitedWithCode(0), "^available\n$");
    kxInstallTestEndTrap();
    GTEST_FLAG_SET(death_test_style, "fast");
}

TEST_F(Sounds, LoadsOggAndWaveAndFailsQuietly)
{
    int ogg = load("click.ogg"), wav = load("beep16.wav");
    EXPECT_NE(ogg, 0);
    EXPECT_NE(wav, 0);
    EXPECT_EQ(load("missing.ogg"), 0);
    EXPECT_EQ(load("truncated.wav"), 0);
    EXPECT_EQ(PlaySound(0, 0), 0);
    FreeSound(ogg);
    FreeSound(wav);
    FreeSound(0);
    EXPECT_RUNTIME_ERROR(PlaySound(ogg, 0), "Invalid Sound handle");
}

TEST_F(Sounds, OverlappingPlaysGetTheirOwnChannels)
{
    int s = load("beep16.wav");
    ASSERT_NE(s, 0);
    SoundVolume(s, 0.5f);
    SoundPan(s, -0.5f);
    SoundPitch(s, 44100);
    int a = PlaySound(s, 0), b = PlaySound(s, 0);
    EXPECT_GT(a, 0);
    EXPECT_GT(b, 0);
    EXPECT_NE(a, b);
    EXPECT_EQ(ChannelPlaying(a), 1);
    EXPECT_EQ(ChannelPlaying(b), 1);
    StopChannel(a);
    EXPECT_EQ(ChannelPlaying(a), 0);
    EXPECT_EQ(ChannelPlaying(b), 1);
    // A later play may reuse a's source but never answers to a's number.
    int c = PlaySound(s, 0);
    EXPECT_NE(c, a);
    EXPECT_EQ(ChannelPlaying(a), 0);
    ChannelVolume(c, 0.1f);
    ChannelPan(c, 1.0f);
    ChannelPitch(c, 11025);
    FreeSound(s); // stops its channels
    EXPECT_EQ(ChannelPlaying(b), 0);
    EXPECT_EQ(ChannelPlaying(c), 0);
}

TEST_F(Sounds, PausedChannelStaysSilentUntilResumed)
{
    int s = load("click.ogg");
    ASSERT_NE(s, 0);
    int ch = PlaySound(s, 2);
    ASSERT_GT(ch, 0);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // longer than the sound
    ResumeChannel(ch);
    EXPECT_EQ(ChannelPlaying(ch), 1); // it had not run while paused
    PauseChannel(ch);
    EXPECT_EQ(ChannelPlaying(ch), 0);
    StopChannel(ch);
    FreeSound(s);
}

TEST_F(Sounds, PlaysEndAndLoopsDoNot)
{
    int s = load("click.ogg");
    ASSERT_NE(s, 0);
    int once = PlaySound(s, 0);
    int looped = PlaySound(s, 1);
    ASSERT_GT(once, 0);
    for (int i = 0; i < 100 && ChannelPlaying(once); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(ChannelPlaying(once), 0);
    EXPECT_EQ(ChannelPlaying(looped), 1);
    StopChannel(looped);
    // Music plays through a stream slot; module formats are not decoded.
    int music = PlayMusic(KXArg(kxTestInput("sounds", "beep16.wav")), 0);
    EXPECT_GT(music, 0);
    StopChannel(music);
    EXPECT_EQ(PlayMusic(KXArg("tune.mod"), 0), 0);
    FreeSound(s);
}
