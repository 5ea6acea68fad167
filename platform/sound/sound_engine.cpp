#include "platform/sound/sound_engine.h"

#include <cstdlib>
#include <cstring>

#include "platform/sound/sdl_library.h"
#include "platform/sound/wave_decoder.h"

namespace {

constexpr int PreferredRate = 44100;
constexpr size_t MaxMusicFileBytes = 256u << 20;
constexpr size_t MaxSoundFileBytes = 64u << 20;
constexpr int MaxMusicSeconds = 20 * 60;
constexpr int MaxSoundSeconds = 3 * 60;
constexpr size_t MaxCachedSounds = 32;
constexpr size_t MaxCachedSamples = 32u << 20; // 128 MB of floats

bool SilentRequested() {
  const char* choice = std::getenv("VELMORA_SOUND");
  return choice && std::strcmp(choice, "null") == 0;
}

} // namespace

TSoundEngine& TSoundEngine::Instance() {
  static TSoundEngine* engine = new TSoundEngine;
  return *engine;
}

void TSoundEngine::AudioCallback(void* engine, Uint8* stream, int length) {
  auto* self = static_cast<TSoundEngine*>(engine);
  std::lock_guard<std::mutex> guard(self->Lock);
  int frames = length / static_cast<int>(2 * sizeof(float));
  if (self->Mixer)
    self->Mixer->Render(reinterpret_cast<float*>(stream), frames);
  else
    std::memset(stream, 0, static_cast<size_t>(length));
}

// Opening the device (the sound server, or the probing of every driver when there is
// none) takes longer than the rest of the editor's start, which plays nothing: Create only
// notes that the output is wanted, and the first call that needs it opens it.
int TSoundEngine::Create() {
  std::lock_guard<std::mutex> guard(OpenerLock);
  std::lock_guard<std::mutex> state(Lock);
  if (!Created) OutputWanted = true;
  return 1;
}

void TSoundEngine::Settle() {
  std::lock_guard<std::mutex> guard(OpenerLock);
  if (!OutputWanted) return;
  OutputWanted = false;
  OpenOutput();
  if (WaveOnOpen) {
    WaveOnOpen = false;
    std::lock_guard<std::mutex> state(Lock);
    WaveReady = Created;
  }
}

void TSoundEngine::OpenOutput() {
  std::lock_guard<std::mutex> guard(Lock);
  int rate = PreferredRate;
  Silent = true;
  const TSdl* sdl = SilentRequested() ? nullptr : Sdl();
  if (sdl && sdl->SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    SDL_AudioSpec want{}, have{};
    want.freq = PreferredRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = AudioCallback;
    want.userdata = this;
    Device = sdl->SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (Device != 0) {
      Silent = false;
      rate = have.freq;
    } else {
      sdl->SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
  }
  Mixer = std::make_unique<TSoundMixer>(rate);
  Clock = TClock::now();
  ClockFraction = 0;
  Created = true;
  if (Device) sdl->SDL_PauseAudioDevice(Device, 0);
}

void TSoundEngine::Release() {
  {
    // An output never opened is simply no longer wanted.
    std::lock_guard<std::mutex> guard(OpenerLock);
    if (OutputWanted) {
      OutputWanted = WaveOnOpen = false;
      return;
    }
  }
  SDL_AudioDeviceID device;
  {
    std::lock_guard<std::mutex> guard(Lock);
    if (!Created) return;
    device = Device;
    Device = 0;
  }
  // Closing waits for the callback, which takes Lock: so not while holding it.
  if (device) Sdl()->SDL_CloseAudioDevice(device);
  std::lock_guard<std::mutex> guard(Lock);
  Mixer.reset(); // before the synthesizer its music plays on
  Synth.reset();
  Cache.clear();
  MidiReady = WaveReady = MusicIsMidi = false;
  if (device) Sdl()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Created = false;
}

void TSoundEngine::CatchUp() {
  if (!Created || !Silent) return;
  TClock::time_point now = TClock::now();
  double seconds = std::chrono::duration<double>(now - Clock).count();
  Clock = now;
  double frames = seconds * Mixer->SampleRate() + ClockFraction;
  auto whole = static_cast<int64_t>(frames);
  ClockFraction = frames - static_cast<double>(whole);
  Mixer->Skip(whole);
}

bool TSoundEngine::EnsureSynth() {
  if (!Synth) Synth = std::make_unique<TMidiSynth>(Mixer->SampleRate());
  return Synth->HasSoundFont();
}

int TSoundEngine::InitMidi() {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created) return 0;
  MidiReady = true;
  return Silent || EnsureSynth() ? 1 : 0;
}

int TSoundEngine::InitWave() {
  {
    // Asked for right after Create: noted, and done once the device is open.
    std::lock_guard<std::mutex> guard(OpenerLock);
    if (OutputWanted) {
      WaveOnOpen = true;
      return 1;
    }
  }
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created) return 0;
  WaveReady = true;
  return 1;
}

void TSoundEngine::TermMidi() {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created) return;
  if (MusicIsMidi) StopMusicLocked();
  Synth.reset();
  MidiReady = false;
}

void TSoundEngine::TermWave() {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created) return;
  Mixer->StopSounds();
  Cache.clear();
  WaveReady = false;
}

int TSoundEngine::CheckValidMidi() {
  std::lock_guard<std::mutex> guard(Lock);
  return Created && MidiReady && (Silent || (Synth && Synth->HasSoundFont())) ? 1 : 0;
}

int TSoundEngine::CheckValidWave() {
  std::lock_guard<std::mutex> guard(Lock);
  return Created && WaveReady ? 1 : 0;
}

void TSoundEngine::AdjustMusic(void (TSoundMixer::*adjust)(int), int value) {
  std::lock_guard<std::mutex> guard(Lock);
  CatchUp();
  if (Created) (Mixer.get()->*adjust)(value);
}

void TSoundEngine::FadeInMusic(int milliseconds) {
  AdjustMusic(&TSoundMixer::FadeInMusic, milliseconds);
}
void TSoundEngine::FadeOutMusic(int milliseconds) {
  AdjustMusic(&TSoundMixer::FadeOutMusic, milliseconds);
}
void TSoundEngine::SetMusicVolume(int percent) {
  AdjustMusic(&TSoundMixer::SetMusicVolume, percent);
}
void TSoundEngine::SetMusicSpeed(int percent) {
  AdjustMusic(&TSoundMixer::SetMusicSpeed, percent);
}
void TSoundEngine::SetMusicPanpot(int balance) {
  AdjustMusic(&TSoundMixer::SetMusicBalance, balance);
}

void TSoundEngine::StopMusicLocked() {
  Mixer->StopMusic();
  MusicIsMidi = false;
}

int TSoundEngine::PlayMusic(const char* path) {
  int rate;
  {
    std::lock_guard<std::mutex> guard(Lock);
    CatchUp();
    if (!Created) return 0;
    StopMusicLocked();
    rate = Mixer->SampleRate();
  }
  // Reading and decoding happen outside the lock so sounds keep playing meanwhile.
  std::string bytes;
  if (!ReadWholeFile(path, MaxMusicFileBytes, bytes)) return 0;
  std::shared_ptr<const TPcm> pcm;
  bool midi = IsMidiFile(bytes);
  if (IsWaveFile(bytes)) {
    pcm = DecodeWave(bytes, rate, static_cast<size_t>(MaxMusicSeconds) * rate);
    if (!pcm || pcm->Frames() == 0) return 0;
  } else if (!midi) {
    return 0;
  }
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created || Mixer->SampleRate() != rate) return 0;
  std::unique_ptr<TMusicSource> source;
  if (pcm) {
    source = std::make_unique<TWaveMusic>(std::move(pcm));
  } else {
    MidiReady = true;
    if (Silent || !EnsureSynth())
      source = std::make_unique<TSilentMusic>(); // plays on, unheard
    else
      source = Synth->Play(bytes);
  }
  if (!source) return 0;
  StopMusicLocked();
  Mixer->PlayMusic(std::move(source));
  MusicIsMidi = midi;
  return 1;
}

void TSoundEngine::StopMusic() {
  std::lock_guard<std::mutex> guard(Lock);
  if (Created) StopMusicLocked();
}

int TSoundEngine::GetMusicPlaying() {
  std::lock_guard<std::mutex> guard(Lock);
  CatchUp();
  return Created && Mixer->MusicPlaying() ? 1 : 0;
}

int TSoundEngine::GetMusicLooping() {
  std::lock_guard<std::mutex> guard(Lock);
  CatchUp();
  if (!Created || !Mixer->CurrentMusic()) return 0;
  return Mixer->CurrentMusic()->Loops();
}

int TSoundEngine::GetMidiTick() {
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created || !Mixer->CurrentMusic()) return 0;
  return Mixer->CurrentMusic()->Tick();
}

std::shared_ptr<const TPcm> TSoundEngine::LoadSound(const char* path, bool reserve) {
  if (!path) return nullptr;
  int rate;
  {
    std::lock_guard<std::mutex> guard(Lock);
    if (!Created) return nullptr;
    auto found = Cache.find(path);
    if (found != Cache.end()) {
      found->second.Used = ++CacheUse;
      found->second.Reserved = found->second.Reserved || reserve;
      return found->second.Pcm;
    }
    rate = Mixer->SampleRate();
  }
  std::string bytes;
  if (!ReadWholeFile(path, MaxSoundFileBytes, bytes)) return nullptr;
  auto pcm = DecodeWave(bytes, rate, static_cast<size_t>(MaxSoundSeconds) * rate);
  if (!pcm) return nullptr;
  std::lock_guard<std::mutex> guard(Lock);
  if (!Created || Mixer->SampleRate() != rate) return nullptr;
  Cache[path] = TCached{pcm, reserve, ++CacheUse};
  TrimCache();
  return pcm;
}

// Drops the least recently used sounds that were not reserved until the cache fits.
void TSoundEngine::TrimCache() {
  for (;;) {
    size_t samples = 0;
    auto oldest = Cache.end();
    for (auto it = Cache.begin(); it != Cache.end(); ++it) {
      samples += it->second.Pcm->Samples.size();
      if (!it->second.Reserved && (oldest == Cache.end() || it->second.Used < oldest->second.Used))
        oldest = it;
    }
    if ((Cache.size() <= MaxCachedSounds && samples <= MaxCachedSamples) || oldest == Cache.end())
      return;
    Cache.erase(oldest);
  }
}

int TSoundEngine::PlaySoundEx(const char* path, int volume, int tempo, int balance) {
  auto pcm = LoadSound(path, false);
  std::lock_guard<std::mutex> guard(Lock);
  CatchUp();
  if (!Created || !pcm) return 0;
  Mixer->PlaySound(std::move(pcm), volume, tempo, balance);
  return 1;
}

void TSoundEngine::StopSound() {
  std::lock_guard<std::mutex> guard(Lock);
  if (Created) Mixer->StopSounds();
}

int TSoundEngine::CacheSound(const char* path, bool reserve) {
  return LoadSound(path, reserve) ? 1 : 0;
}

int TSoundEngine::CancelSound(const char* path) {
  std::lock_guard<std::mutex> guard(Lock);
  if (!path || !*path) {
    Cache.clear();
    return 1;
  }
  return Cache.erase(path) > 0 ? 1 : 0;
}
