#include "core/sound_library.h"

#include <dlfcn.h>
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "sound_test_files.h"

namespace {

using namespace std::chrono_literals;

const TTunaraEntries NoEntries = {};

bool AllEntriesBound() {
  const void* const* entry = reinterpret_cast<const void* const*>(&Tunara);
  for (size_t i = 0; i < sizeof(Tunara) / sizeof(void*); ++i)
    if (!entry[i]) return false;
  return true;
}

bool NoEntryBound() {
  return std::memcmp(&Tunara, &NoEntries, sizeof Tunara) == 0;
}

TEST(SoundLibraryBinding, LoadsFromAFolderWithOrWithoutTrailingSlashAndFrees) {
  static_assert(sizeof(TTunaraEntries) == 25 * sizeof(void*));
  FreeSoundLibrary();
  for (std::string folder : {std::string(TUNARA_BUILD_DIR), std::string(TUNARA_BUILD_DIR) + "/"}) {
    ASSERT_TRUE(LoadSoundLibrary(folder)) << folder;
    EXPECT_NE(TunaraLibrary, nullptr);
    EXPECT_TRUE(AllEntriesBound());
    EXPECT_EQ(Tunara.TunaraGetVersion(), 100);
    FreeSoundLibrary();
    EXPECT_EQ(TunaraLibrary, nullptr);
    EXPECT_TRUE(NoEntryBound());
  }
  FreeSoundLibrary(); // nothing loaded: harmless
}

TEST(SoundLibraryBinding, LoadsOnlyOnce) {
  FreeSoundLibrary();
  TTempDir empty;
  ASSERT_TRUE(LoadSoundLibrary(TUNARA_BUILD_DIR));
  void* first = TunaraLibrary;
  EXPECT_TRUE(LoadSoundLibrary(empty.Path));
  EXPECT_EQ(TunaraLibrary, first);
  FreeSoundLibrary();
}

TEST(SoundLibraryBinding, FailsCleanlyWithoutTheLibraryOrWithAnIncompleteOne) {
  FreeSoundLibrary();
  TTempDir folder;
  EXPECT_FALSE(LoadSoundLibrary(folder.Path));
  EXPECT_EQ(TunaraLibrary, nullptr);
  EXPECT_TRUE(NoEntryBound());

  // Some other shared library under our name loads but has none of the entry points:
  // it must not be kept, or the first call would jump through a null pointer.
  Dl_info info{};
  ASSERT_TRUE(dladdr(reinterpret_cast<void*>(&zlibVersion), &info) && info.dli_fname);
  std::filesystem::copy_file(info.dli_fname, folder / TunaraFileName);
  EXPECT_FALSE(LoadSoundLibrary(folder.Path + "/"));
  EXPECT_EQ(TunaraLibrary, nullptr);
  EXPECT_TRUE(NoEntryBound());
  EXPECT_STREQ(STunaraNotFound, "Tunara.dll not found");
}

// The library, loaded, in a private folder, silent unless a test asks otherwise.
class SoundLibrary : public ::testing::Test {
protected:
  void SetUp() override {
    setenv("VELMORA_SOUND", "null", 1);
    unsetenv("VELMORA_SOUND_LOG");
    ASSERT_TRUE(LoadSoundLibrary(TUNARA_BUILD_DIR));
    WriteFileBytes(Dir / "tone.wav", SineWave(440, 0.1));
    WriteFileBytes(Dir / "note.mid", OneNoteMidi());
  }
  void TearDown() override {
    Tunara.TunaraRelease();
    unsetenv("VELMORA_SOUND_LOG");
    unsetenv("SDL_AUDIODRIVER");
  }
  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  TTempDir Dir;
};

TEST_F(SoundLibrary, RecordingLogsEveryCallWithItsArgumentsInOrder) {
  std::string log = Dir / "calls.log";
  setenv("VELMORA_SOUND_LOG", log.c_str(), 1);
  std::string music = Dir / "note.mid";
  std::string sound = Dir / "tone.wav";
  std::string odd = "C:\\Music\\a \"b\"\tc.mid";
  auto& t = Tunara;
  t.TunaraCreate();
  t.TunaraInitWave();
  t.TunaraInitMidi();
  t.TunaraPlayMusic(music.c_str());
  t.TunaraFadeInMusic(1500);
  t.TunaraSetMusicVolume(80);
  t.TunaraSetMusicSpeed(150);
  t.TunaraSetMusicPanpot(0);
  t.TunaraGetMusicPlaying();
  t.TunaraPlaySoundEx(sound.c_str(), 90, -5, 120);
  t.TunaraStopSound();
  t.TunaraFadeOutMusic(5000);
  t.TunaraStopMusic();
  t.TunaraTermMidi();
  t.TunaraPlayMusic(odd.c_str());
  t.TunaraPlaySound(nullptr);
  t.TunaraCacheSound(sound.c_str());
  t.TunaraReserveSound(sound.c_str());
  t.TunaraCancelSound("");
  t.TunaraGetMusicLooping();
  t.TunaraGetMidiTick();
  t.TunaraCheckValidMidi();
  t.TunaraCheckValidWave();
  t.TunaraTermWave();
  t.TunaraGetVersion();
  t.TunaraRelease();
  unsetenv("VELMORA_SOUND_LOG");
  t.TunaraCreate(); // no longer recorded
  EXPECT_EQ(ReadText(log), "TunaraCreate()\n"
                           "TunaraInitWave()\n"
                           "TunaraInitMidi()\n"
                           "TunaraPlayMusic(\"" +
                               music +
                               "\")\n"
                               "TunaraFadeInMusic(1500)\n"
                               "TunaraSetMusicVolume(80)\n"
                               "TunaraSetMusicSpeed(150)\n"
                               "TunaraSetMusicPanpot(0)\n"
                               "TunaraGetMusicPlaying()\n"
                               "TunaraPlaySoundEx(\"" +
                               sound +
                               "\", 90, -5, 120)\n"
                               "TunaraStopSound()\n"
                               "TunaraFadeOutMusic(5000)\n"
                               "TunaraStopMusic()\n"
                               "TunaraTermMidi()\n"
                               "TunaraPlayMusic(\"C:\\\\Music\\\\a \\\"b\\\"\\x09c.mid\")\n"
                               "TunaraPlaySound(NULL)\n"
                               "TunaraCacheSound(\"" +
                               sound +
                               "\")\n"
                               "TunaraReserveSound(\"" +
                               sound +
                               "\")\n"
                               "TunaraCancelSound(\"\")\n"
                               "TunaraGetMusicLooping()\n"
                               "TunaraGetMidiTick()\n"
                               "TunaraCheckValidMidi()\n"
                               "TunaraCheckValidWave()\n"
                               "TunaraTermWave()\n"
                               "TunaraGetVersion()\n"
                               "TunaraRelease()\n");
}

TEST_F(SoundLibrary, EveryCallIsSafeInAnyStateAndOrder) {
  std::string wave = Dir / "tone.wav";
  auto& t = Tunara;
  // Before creation nothing plays and nothing breaks.
  t.TunaraRelease();
  EXPECT_EQ(t.TunaraInitMidi(), 0);
  EXPECT_EQ(t.TunaraPlayMusic(wave.c_str()), 0);
  EXPECT_EQ(t.TunaraPlaySoundEx(wave.c_str(), 100, 100, 50), 0);
  t.TunaraFadeOutMusic(100);
  t.TunaraSetMusicVolume(50);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 0);
  t.TunaraStopMusic();
  t.TunaraStopSound();
  t.TunaraTermMidi();
  t.TunaraTermWave();

  EXPECT_EQ(t.TunaraCreate(), 1);
  EXPECT_EQ(t.TunaraCreate(), 1);
  // Music without InitMidi, missing files, files of the wrong kind, null paths.
  EXPECT_EQ(t.TunaraPlayMusic(wave.c_str()), 1);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 1);
  EXPECT_EQ(t.TunaraPlayMusic((Dir / "missing.mid").c_str()), 0);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 0);
  WriteFileBytes(Dir / "text.wav", "RIFF\x04\x00\x00\x00WAVE but not really");
  WriteFileBytes(Dir / "empty.wav", "");
  for (const char* name : {"text.wav", "empty.wav", "missing.wav"}) {
    std::string path = Dir / name;
    EXPECT_EQ(t.TunaraPlayMusic(path.c_str()), 0) << name;
    EXPECT_EQ(t.TunaraPlaySoundEx(path.c_str(), 100, 100, 50), 0) << name;
    EXPECT_EQ(t.TunaraCacheSound(path.c_str()), 0) << name;
  }
  EXPECT_EQ(t.TunaraPlayMusic(nullptr), 0);
  EXPECT_EQ(t.TunaraPlaySound(nullptr), 0);
  EXPECT_EQ(t.TunaraPlayMusic(Dir.Path.c_str()), 0); // a folder
  // Out-of-range values clamp.
  EXPECT_EQ(t.TunaraPlaySoundEx(wave.c_str(), -10, 0, 1000), 1);
  EXPECT_EQ(t.TunaraPlayMusic(wave.c_str()), 1);
  t.TunaraSetMusicVolume(-1);
  t.TunaraSetMusicSpeed(0);
  t.TunaraSetMusicPanpot(-50);
  t.TunaraFadeInMusic(-1);
  t.TunaraFadeOutMusic(-1); // at once
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 0);
  // MIDI without InitMidi, then terminated under the playing music.
  EXPECT_EQ(t.TunaraPlayMusic((Dir / "note.mid").c_str()), 1);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 1);
  t.TunaraTermMidi();
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 0);
  EXPECT_EQ(t.TunaraCheckValidMidi(), 0);
  EXPECT_EQ(t.TunaraInitMidi(), 1);
  EXPECT_EQ(t.TunaraCheckValidMidi(), 1);
  // Cache bookkeeping: a cancelled sound is gone, a second cancel finds nothing.
  EXPECT_EQ(t.TunaraReserveSound(wave.c_str()), 1);
  EXPECT_EQ(t.TunaraCancelSound(wave.c_str()), 1);
  EXPECT_EQ(t.TunaraCancelSound(wave.c_str()), 0);
  t.TunaraRelease();
  t.TunaraRelease();
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 0);
  EXPECT_EQ(t.TunaraCheckValidWave(), 0);
  // And it comes back.
  EXPECT_EQ(t.TunaraCreate(), 1);
  EXPECT_EQ(t.TunaraInitWave(), 1);
  EXPECT_EQ(t.TunaraCheckValidWave(), 1);
  EXPECT_EQ(t.TunaraPlayMusic(wave.c_str()), 1);
}

TEST_F(SoundLibrary, SilenceKeepsTimeLoopsAndFadesOut) {
  std::string wave = Dir / "tone.wav"; // 0.1 s
  auto& t = Tunara;
  ASSERT_EQ(t.TunaraCreate(), 1);
  // Passes of 0.05 s at double speed (0.1 s before the speed is set): 5 of them take at
  // least 250 ms.
  auto begun = std::chrono::steady_clock::now();
  ASSERT_EQ(t.TunaraPlayMusic(wave.c_str()), 1);
  t.TunaraSetMusicSpeed(200);
  ASSERT_TRUE(WaitUntil([&] { return t.TunaraGetMusicLooping() >= 5; }));
  EXPECT_GE(std::chrono::steady_clock::now() - begun, 240ms);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 1);
  begun = std::chrono::steady_clock::now();
  t.TunaraFadeOutMusic(150);
  ASSERT_TRUE(WaitUntil([&] { return t.TunaraGetMusicPlaying() == 0; }));
  EXPECT_GE(std::chrono::steady_clock::now() - begun, 140ms);
}

TEST_F(SoundLibrary, FallsBackToSilenceWhenNoDeviceOpens) {
  unsetenv("VELMORA_SOUND");
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  auto& t = Tunara;
  ASSERT_EQ(t.TunaraCreate(), 1);
  EXPECT_EQ(t.TunaraPlayMusic((Dir / "note.mid").c_str()), 1);
  EXPECT_EQ(t.TunaraGetMusicPlaying(), 1);
  t.TunaraFadeOutMusic(50);
  // Silence runs by the clock: the fade ends though no device ever pulls samples.
  EXPECT_TRUE(WaitUntil([&] { return t.TunaraGetMusicPlaying() == 0; }));
}

} // namespace
