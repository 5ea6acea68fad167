// Real mixing, heard through SDL's disk driver: the device writes what the library
// mixes (float stereo) into a file, at the pace of a real device.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "core/sound_library.h"
#include "sound_test_files.h"

namespace {

using namespace std::chrono_literals;

constexpr int Rate = 44100; // the rate the library asks for; the disk driver grants it

struct TStereo {
  std::vector<float> Left, Right;
  size_t Frames() const { return Left.size(); }
};

double Rms(const std::vector<float>& s) {
  double sum = 0;
  for (float v : s)
    sum += double(v) * v;
  return s.empty() ? 0 : std::sqrt(sum / double(s.size()));
}

// Frames from the first to the last one that is not silent.
size_t AudibleSpan(const std::vector<float>& s) {
  size_t first = s.size(), last = 0;
  for (size_t i = 0; i < s.size(); ++i)
    if (std::fabs(s[i]) > 1e-3f) {
      first = std::min(first, i);
      last = i;
    }
  return first < s.size() ? last - first + 1 : 0;
}

// Cycles a second, from upward zero crossings.
double Frequency(const std::vector<float>& s) {
  size_t crossings = 0, first = 0, last = 0;
  for (size_t i = 1; i < s.size(); ++i)
    if (s[i - 1] < 0 && s[i] >= 0) {
      if (crossings++ == 0) first = i;
      last = i;
    }
  return crossings > 1 ? double(crossings - 1) * Rate / double(last - first) : 0;
}

class SoundMixing : public ::testing::Test {
protected:
  void SetUp() override {
    unsetenv("VELMORA_SOUND");
    unsetenv("VELMORA_SOUND_LOG");
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", Output.c_str(), 1);
    ASSERT_TRUE(LoadSoundLibrary(TUNARA_BUILD_DIR));
    ASSERT_EQ(Tunara.TunaraCreate(), 1);
    ASSERT_EQ(Tunara.TunaraInitWave(), 1);
    // Nothing plays at start-up: the device opens with the first call that needs it.
    ASSERT_FALSE(std::filesystem::exists(Output));
    ASSERT_EQ(Tunara.TunaraCheckValidWave(), 1);
    ASSERT_TRUE(WaitUntil([&] { return FramesWritten() > 0; })) << "the disk driver wrote nothing";
  }
  void TearDown() override {
    Tunara.TunaraRelease();
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
  }

  size_t FramesWritten() const {
    std::error_code error;
    auto size = std::filesystem::file_size(Output, error);
    return error ? 0 : size / (2 * sizeof(float));
  }

  // Runs `act`, then returns the output from the moment before it to `seconds` after it.
  // The device may write late on a busy machine; what it wrote while `act` ran is added,
  // so the window always holds `seconds` of what followed.
  TStereo Capture(double seconds, const std::function<void()>& act) {
    size_t from = FramesWritten();
    act();
    size_t count = FramesWritten() - from + static_cast<size_t>(seconds * Rate);
    return Read(from, count);
  }

  // Count frames of the output from frame From on, once the device has written them.
  TStereo Read(size_t from, size_t count) {
    EXPECT_TRUE(WaitUntil([&] { return FramesWritten() >= from + count; })) << "output stalled";
    std::ifstream in(Output, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from * 2 * sizeof(float)));
    std::vector<float> raw(2 * count);
    in.read(reinterpret_cast<char*>(raw.data()), std::streamsize(raw.size() * sizeof(float)));
    TStereo out;
    for (size_t i = 0; i + 1 < raw.size(); i += 2) {
      out.Left.push_back(raw[i]);
      out.Right.push_back(raw[i + 1]);
    }
    return out;
  }

  std::string Wave(double frequency, double seconds) {
    std::string path = Dir / ("tone" + std::to_string(Files++) + ".wav");
    WriteFileBytes(path, SineWave(frequency, seconds));
    return path;
  }

  TTempDir Dir;
  std::string Output = Dir / "device.raw";
  int Files = 0;
};

TEST_F(SoundMixing, SoundVolumeBalanceAndTempo) {
  std::string tone = Wave(440, 0.5);
  auto& t = Tunara;
  // Half of full scale is an RMS of 0.35 while it sounds.
  TStereo full = Capture(0.8, [&] { t.TunaraPlaySoundEx(tone.c_str(), 100, 100, 50); });
  EXPECT_GT(Rms(full.Left), 0.15);
  EXPECT_GT(Rms(full.Right), 0.15);
  EXPECT_NEAR(Frequency(full.Left), 440, 5);
  size_t normal = AudibleSpan(full.Left);
  EXPECT_NEAR(double(normal), 0.5 * Rate, 0.02 * Rate);

  TStereo mute = Capture(0.8, [&] { t.TunaraPlaySoundEx(tone.c_str(), 0, 100, 50); });
  EXPECT_EQ(Rms(mute.Left), 0);
  EXPECT_EQ(Rms(mute.Right), 0);

  TStereo left = Capture(0.8, [&] { t.TunaraPlaySoundEx(tone.c_str(), 100, 100, 0); });
  EXPECT_GT(Rms(left.Left), 0.15);
  EXPECT_EQ(Rms(left.Right), 0);

  TStereo fast = Capture(0.8, [&] { t.TunaraPlaySoundEx(tone.c_str(), 100, 200, 50); });
  EXPECT_NEAR(double(AudibleSpan(fast.Left)) / double(normal), 0.5, 0.03);
  EXPECT_NEAR(Frequency(fast.Left), 880, 10);
}

TEST_F(SoundMixing, SeveralSoundsAtOnceAndStop) {
  std::string low = Wave(300, 1.5), high = Wave(500, 1.5);
  auto& t = Tunara;
  TStereo both = Capture(0.4, [&] {
    t.TunaraPlaySoundEx(low.c_str(), 100, 100, 0);    // left only
    t.TunaraPlaySoundEx(high.c_str(), 100, 100, 100); // right only
  });
  EXPECT_NEAR(Frequency(both.Left), 300, 5);
  EXPECT_NEAR(Frequency(both.Right), 500, 5);
  t.TunaraStopSound();
  TStereo after = Capture(0.2, [] {});
  EXPECT_EQ(Rms(after.Left) + Rms(after.Right), 0);
}

TEST_F(SoundMixing, WaveMusicLoopsAndTakesVolumeTempoAndBalanceAtOnce) {
  std::string tone = Wave(440, 0.2);
  auto& t = Tunara;
  int midiReady = t.TunaraInitMidi();
  EXPECT_EQ(t.TunaraCheckValidMidi(), midiReady);
  TStereo plain = Capture(0.6, [&] { ASSERT_EQ(t.TunaraPlayMusic(tone.c_str()), 1); });
  EXPECT_GE(t.TunaraGetMusicLooping(), 2);
  double loud = Rms({plain.Left.end() - Rate / 4, plain.Left.end()});
  EXPECT_GT(loud, 0.3); // still sounding well after the file's own 0.2 s

  TStereo changed = Capture(0.4, [&] {
    t.TunaraSetMusicVolume(50);
    t.TunaraSetMusicSpeed(200);
    t.TunaraSetMusicPanpot(100);
  });
  std::vector<float> right(changed.Right.end() - Rate / 4, changed.Right.end());
  EXPECT_NEAR(Rms(right) / loud, 0.5, 0.05);
  EXPECT_NEAR(Frequency(right), 880, 10);
  EXPECT_EQ(Rms({changed.Left.end() - Rate / 4, changed.Left.end()}), 0);
}

TEST_F(SoundMixing, FadesInAndOutThenStops) {
  std::string tone = Wave(440, 1.0);
  auto& t = Tunara;
  TStereo rising = Capture(0.6, [&] {
    t.TunaraPlayMusic(tone.c_str());
    t.TunaraFadeInMusic(400);
  });
  // Quiet at first, full once the fade is over. The mixer may play a moment of the music
  // at its own volume before the fade is asked for (a busy machine lets it in between the
  // two calls), so the quietest 20 ms of the first 300 ms heard is what counts.
  const size_t start = rising.Frames() - static_cast<size_t>(AudibleSpan(rising.Left));
  double quietest = 1;
  for (size_t at = start; at + Rate / 50 <= std::min(start + Rate * 3 / 10, rising.Frames());
       at += Rate / 100)
    quietest =
        std::min(quietest,
                 Rms({rising.Left.begin() + long(at), rising.Left.begin() + long(at + Rate / 50)}));
  std::vector<float> late(rising.Left.end() - Rate / 10, rising.Left.end());
  EXPECT_LT(quietest, 0.1);
  EXPECT_GT(Rms(late), 0.3);

  // The fade takes its time: the music stops, but not before 300 ms have passed.
  auto begun = std::chrono::steady_clock::now();
  t.TunaraFadeOutMusic(300);
  ASSERT_TRUE(WaitUntil([&] { return t.TunaraGetMusicPlaying() == 0; }));
  EXPECT_GE(std::chrono::steady_clock::now() - begun, 250ms);
  TStereo after = Capture(0.2, [] {});
  EXPECT_EQ(Rms(after.Left) + Rms(after.Right), 0);
}

TEST_F(SoundMixing, MidiMusicSoundsWithTheSoundFont) {
  if (!std::filesystem::exists("/usr/share/sounds/sf2/TimGM6mb.sf2"))
    GTEST_SKIP() << "no General MIDI soundfont installed";
  std::string midi = Dir / "note.mid";
  WriteFileBytes(midi, OneNoteMidi());
  auto& t = Tunara;
  ASSERT_EQ(t.TunaraInitMidi(), 1);
  EXPECT_EQ(t.TunaraCheckValidMidi(), 1);
  TStereo out = Capture(0.5, [&] { ASSERT_EQ(t.TunaraPlayMusic(midi.c_str()), 1); });
  EXPECT_GT(Rms(out.Left), 0.002);
  EXPECT_GT(Rms(out.Right), 0.002);
  EXPECT_GT(t.TunaraGetMidiTick(), 0);
  // Stopping ends the note at once.
  t.TunaraStopMusic();
  TStereo after = Capture(0.2, [] {});
  EXPECT_LT(Rms(after.Left), 1e-4);
}

TEST_F(SoundMixing, MidiWithoutASoundFontIsSilentButWaveStillPlays) {
  setenv("VELMORA_SOUNDFONT", (Dir / "none.sf2").c_str(), 1);
  std::string midi = Dir / "note.mid";
  WriteFileBytes(midi, OneNoteMidi());
  std::string tone = Wave(440, 0.5);
  auto& t = Tunara;
  EXPECT_EQ(t.TunaraInitMidi(), 0);
  EXPECT_EQ(t.TunaraCheckValidMidi(), 0);
  TStereo out = Capture(0.4, [&] { EXPECT_EQ(t.TunaraPlayMusic(midi.c_str()), 1); });
  EXPECT_EQ(Rms(out.Left), 0);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 1);
  TStereo sound = Capture(0.4, [&] { t.TunaraPlaySoundEx(tone.c_str(), 100, 100, 50); });
  EXPECT_GT(Rms(sound.Left), 0.15);
  unsetenv("VELMORA_SOUNDFONT");
}

TEST_F(SoundMixing, ReleaseGivesTheDeviceBackAndCreateTakesItAgain) {
  std::string tone = Wave(440, 0.3);
  auto& t = Tunara;
  t.TunaraRelease();
  size_t written = FramesWritten();
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(FramesWritten(), written); // nobody writes to the device any more
  ASSERT_EQ(t.TunaraCreate(), 1);
  ASSERT_EQ(t.TunaraInitWave(), 1);
  EXPECT_EQ(FramesWritten(), written); // not open again until something plays
  // The first play opens it afresh (the file starts over) and is heard whole.
  ASSERT_EQ(t.TunaraPlaySoundEx(tone.c_str(), 100, 100, 50), 1);
  TStereo out = Read(0, Rate / 2);
  EXPECT_GT(Rms(out.Left), 0.15);
  EXPECT_NEAR(Frequency(out.Left), 440, 5);
  EXPECT_NEAR(double(AudibleSpan(out.Left)), 0.3 * Rate, 0.02 * Rate);
}

} // namespace
