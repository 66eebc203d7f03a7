#include "audio/audio_output.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "audio_test_support.h"
#include "dictionary/file_io.h"
#include "sound/sound_archive.h"
#include "support/temp_dir.h"

namespace lexmora::platform {
namespace {

using namespace std::chrono_literals;

class AudioOutputTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  // Waits until no channel plays; false after the timeout.
  static bool WaitUntilQuiet(AudioOutput& out, std::chrono::milliseconds timeout = 3000ms) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (out.PlayingChannels() > 0) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::this_thread::sleep_for(5ms);
    }
    return true;
  }
};

TEST_F(AudioOutputTest, PlaysImagesFromMemoryEachOnItsOwnChannel) {
  AudioOutput out;
  ASSERT_TRUE(out.Open());
  EXPECT_TRUE(out.IsOpen());
  const std::string tone = test::ToneWav(1.0);
  EXPECT_TRUE(out.Play(tone));
  EXPECT_TRUE(out.Play(tone));
  EXPECT_TRUE(out.Play(test::ToneWav(1.0, 44100, 660)));
  EXPECT_EQ(out.PlayingChannels(), 3);
  EXPECT_EQ(out.HeldChunks(), 3);
  out.Close();
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(out.HeldChunks(), 0);
  EXPECT_FALSE(out.Play(tone));
}

TEST_F(AudioOutputTest, AFinishedChunkIsFreed) {
  AudioOutput out;
  ASSERT_TRUE(out.Open());
  ASSERT_TRUE(out.Play(test::ToneWav(0.05)));
  ASSERT_TRUE(WaitUntilQuiet(out));
  EXPECT_EQ(out.HeldChunks(), 1);  // freed on the next play or release, not on the audio thread
  out.ReleaseFinished();
  EXPECT_EQ(out.HeldChunks(), 0);
  // A play after many ended ones reuses their channels.
  for (int i = 0; i < 3 * AudioOutput::kMaxChannels; ++i) {
    ASSERT_TRUE(out.Play(test::ToneWav(0.01))) << i;
    if (out.HeldChunks() >= AudioOutput::kMaxChannels - 1) {
      ASSERT_TRUE(WaitUntilQuiet(out));
    }
  }
}

TEST_F(AudioOutputTest, ImagesThatDoNotDecodeAreRefused) {
  AudioOutput out;
  ASSERT_TRUE(out.Open());
  EXPECT_FALSE(out.Play(""));
  EXPECT_FALSE(out.Play("not a sound at all"));
  const std::string tone = test::ToneWav(0.2);
  EXPECT_FALSE(out.Play(tone.substr(0, 30)));  // head cut off
  EXPECT_EQ(out.HeldChunks(), 0);
  EXPECT_TRUE(out.Play(tone));  // still usable
}

TEST_F(AudioOutputTest, WithoutADeviceEveryPlayIsSilent) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  AudioOutput out;
  EXPECT_FALSE(out.Open());
  EXPECT_FALSE(out.IsOpen());
  EXPECT_FALSE(out.Play(test::ToneWav(0.1)));
  EXPECT_EQ(out.PlayingChannels(), 0);
  out.Close();
  // The failed start leaves nothing behind: the next open works.
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_TRUE(out.Open());
}

// Opened beside the start-up: a play waits for the device. Without one the
// first play says so in one line of the program's own, and no library
// writes to stderr.
TEST_F(AudioOutputTest, OpenedInTheBackground) {
  {
    AudioOutput out;
    out.OpenInBackground();
    EXPECT_TRUE(out.Play(test::ToneWav(0.05)));
    EXPECT_TRUE(out.IsOpen());
  }
  // ALSA without a sound card (as on build machines) reports each card it
  // misses on stderr unless told not to.
  setenv("SDL_AUDIODRIVER", "alsa", 1);
  AudioOutput out;
  testing::internal::CaptureStderr();
  out.OpenInBackground();
  const bool played = out.Play(test::ToneWav(0.05));
  const bool again = out.Play(test::ToneWav(0.05));
  const std::string said = testing::internal::GetCapturedStderr();
  if (played) {
    out.Close();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    GTEST_SKIP() << "this machine has an ALSA device";
  }
  EXPECT_FALSE(again);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_NE(said.find("no sound device"), std::string::npos) << said;
  out.Close();
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST_F(AudioOutputTest, OneOutputOpenAtATime) {
  AudioOutput first, second;
  ASSERT_TRUE(first.Open());
  EXPECT_FALSE(second.Open());
  first.Close();
  EXPECT_TRUE(second.Open());
}

// The sample's recorded items (Ogg Vorbis) decode and reach the device:
// the disk driver writes what it is handed, 16-bit stereo at 44100 Hz.
TEST_F(AudioOutputTest, ASampleItemReachesTheDeviceAsSound) {
  const std::string item = LoadSound(SoundArchiveFile(LEXMORA_SAMPLE_DIR, "vcl_ea", 0), 1);
  ASSERT_FALSE(item.empty());
  ASSERT_EQ(item.substr(0, 4), "OggS");
  test::TempDir dir;
  const auto raw = dir.path() / "played.raw";
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
  setenv("SDL_DISKAUDIODELAY", "0", 1);
  AudioOutput out;
  ASSERT_TRUE(out.Open());
  ASSERT_TRUE(out.Play(item));
  ASSERT_TRUE(WaitUntilQuiet(out));
  out.Close();
  const auto bytes = ReadWholeFile(raw);
  ASSERT_TRUE(bytes);
  const auto* samples = reinterpret_cast<const std::int16_t*>(bytes->data());
  const std::size_t count = bytes->size() / 2;
  std::size_t loud = 0;
  for (std::size_t i = 0; i < count; ++i) loud += std::abs(samples[i]) > 1000;
  // A spoken word: at least a tenth of a second of clearly audible samples.
  EXPECT_GT(loud / 2, 4410u);
}

}  // namespace
}  // namespace lexmora::platform
