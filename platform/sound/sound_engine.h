// The state behind the entry points: the output (an SDL device, or silence that keeps
// time by the clock), the mixer, the MIDI synthesizer and the sound cache.
#pragma once

#include <SDL.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sound/midi_synth.h"
#include "platform/sound/sound_mixer.h"

class TSoundEngine {
public:
  // The one engine of the process; never destroyed, so exit handlers may still call it.
  static TSoundEngine& Instance();

  // Notes that the output is wanted and returns; the first later call other than InitWave
  // and Release opens it (see Settle).
  int Create();
  // Opens the output that Create asked for, when it is not open yet.
  void Settle();
  void Release();
  int InitMidi();
  int InitWave();
  void TermMidi();
  void TermWave();
  int CheckValidMidi();
  int CheckValidWave();
  void FadeInMusic(int milliseconds);
  void FadeOutMusic(int milliseconds);
  void SetMusicVolume(int percent);
  void SetMusicSpeed(int percent);
  void SetMusicPanpot(int balance);
  int PlayMusic(const char* path);
  void StopMusic();
  int GetMusicPlaying();
  int GetMusicLooping();
  int PlaySoundEx(const char* path, int volume, int tempo, int balance);
  void StopSound();
  int CacheSound(const char* path, bool reserve);
  int CancelSound(const char* path);
  int GetMidiTick();

private:
  using TClock = std::chrono::steady_clock;
  struct TCached {
    std::shared_ptr<const TPcm> Pcm;
    bool Reserved;
    uint64_t Used;
  };

  static void AudioCallback(void* engine, Uint8* stream, int length);
  void OpenOutput();
  // Without a device, lets the mixer catch up with the clock. Caller holds Lock.
  void CatchUp();
  // From the cache, else read and decoded (without holding Lock) and cached.
  std::shared_ptr<const TPcm> LoadSound(const char* path, bool reserve);
  void TrimCache();
  // Hands a value to one of the mixer's music settings once the clock has caught up.
  void AdjustMusic(void (TSoundMixer::*adjust)(int), int value);
  bool EnsureSynth();
  void StopMusicLocked();

  std::mutex OpenerLock;
  bool OutputWanted = false; // Create came, the output is not open yet; under OpenerLock
  bool WaveOnOpen = false;   // InitWave came before the output opened; under OpenerLock
  std::mutex Lock;
  bool Created = false;
  bool Silent = true;
  bool MidiReady = false;
  bool WaveReady = false;
  bool MusicIsMidi = false;
  SDL_AudioDeviceID Device = 0;
  std::unique_ptr<TSoundMixer> Mixer;
  std::unique_ptr<TMidiSynth> Synth;
  std::map<std::string, TCached> Cache;
  uint64_t CacheUse = 0;
  TClock::time_point Clock;
  double ClockFraction = 0;
};
