// The library's 25 entry points. Each is recorded when a log is asked for, then handed
// to the engine; nothing ever raises out of the library.
#include <type_traits>

#include "platform/sound/call_log.h"
#include "platform/sound/sound_engine.h"

#define TUNARA_API extern "C" __attribute__((visibility("default")))

namespace {

constexpr int TunaraVersion = 100;

template <typename F> auto Guarded(F f) -> decltype(f()) {
  try {
    return f();
  } catch (...) {
    if constexpr (!std::is_void_v<decltype(f())>) return {};
  }
}

// The engine with the output that TunaraCreate asked for open.
TSoundEngine& Engine() {
  TSoundEngine& engine = TSoundEngine::Instance();
  engine.Settle();
  return engine;
}

// Records the call, then runs it.
template <typename F> auto Call(TCallLine line, F f) -> decltype(f()) {
  Guarded([&] { line.Write(); });
  return Guarded(f);
}

} // namespace

TUNARA_API int TunaraGetVersion() {
  return Call(TCallLine("TunaraGetVersion"), [] { return TunaraVersion; });
}
TUNARA_API int TunaraCreate() {
  return Call(TCallLine("TunaraCreate"), [] { return TSoundEngine::Instance().Create(); });
}
TUNARA_API void TunaraRelease() {
  Call(TCallLine("TunaraRelease"), [] { TSoundEngine::Instance().Release(); });
}
TUNARA_API int TunaraInitMidi() {
  return Call(TCallLine("TunaraInitMidi"), [] { return Engine().InitMidi(); });
}
TUNARA_API int TunaraInitWave() {
  return Call(TCallLine("TunaraInitWave"), [] { return TSoundEngine::Instance().InitWave(); });
}
TUNARA_API void TunaraTermMidi() {
  Call(TCallLine("TunaraTermMidi"), [] { Engine().TermMidi(); });
}
TUNARA_API void TunaraTermWave() {
  Call(TCallLine("TunaraTermWave"), [] { Engine().TermWave(); });
}
TUNARA_API int TunaraCheckValidMidi() {
  return Call(TCallLine("TunaraCheckValidMidi"), [] { return Engine().CheckValidMidi(); });
}
TUNARA_API int TunaraCheckValidWave() {
  return Call(TCallLine("TunaraCheckValidWave"), [] { return Engine().CheckValidWave(); });
}
TUNARA_API void TunaraFadeInMusic(int milliseconds) {
  Call(TCallLine("TunaraFadeInMusic").Int(milliseconds),
       [=] { Engine().FadeInMusic(milliseconds); });
}
TUNARA_API void TunaraFadeOutMusic(int milliseconds) {
  Call(TCallLine("TunaraFadeOutMusic").Int(milliseconds),
       [=] { Engine().FadeOutMusic(milliseconds); });
}
TUNARA_API void TunaraSetMusicVolume(int percent) {
  Call(TCallLine("TunaraSetMusicVolume").Int(percent), [=] { Engine().SetMusicVolume(percent); });
}
TUNARA_API void TunaraSetMusicSpeed(int percent) {
  Call(TCallLine("TunaraSetMusicSpeed").Int(percent), [=] { Engine().SetMusicSpeed(percent); });
}
TUNARA_API void TunaraSetMusicPanpot(int balance) {
  Call(TCallLine("TunaraSetMusicPanpot").Int(balance), [=] { Engine().SetMusicPanpot(balance); });
}
TUNARA_API int TunaraPlayMusic(const char* path) {
  return Call(TCallLine("TunaraPlayMusic").Str(path), [=] { return Engine().PlayMusic(path); });
}
TUNARA_API void TunaraStopMusic() {
  Call(TCallLine("TunaraStopMusic"), [] { Engine().StopMusic(); });
}
TUNARA_API int TunaraGetMusicPlaying() {
  return Call(TCallLine("TunaraGetMusicPlaying"), [] { return Engine().GetMusicPlaying(); });
}
TUNARA_API int TunaraGetMusicLooping() {
  return Call(TCallLine("TunaraGetMusicLooping"), [] { return Engine().GetMusicLooping(); });
}
TUNARA_API int TunaraPlaySound(const char* path) {
  return Call(TCallLine("TunaraPlaySound").Str(path),
              [=] { return Engine().PlaySoundEx(path, 100, 100, 50); });
}
TUNARA_API int TunaraPlaySoundEx(const char* path, int volume, int tempo, int balance) {
  return Call(TCallLine("TunaraPlaySoundEx").Str(path).Int(volume).Int(tempo).Int(balance),
              [=] { return Engine().PlaySoundEx(path, volume, tempo, balance); });
}
TUNARA_API void TunaraStopSound() {
  Call(TCallLine("TunaraStopSound"), [] { Engine().StopSound(); });
}
TUNARA_API int TunaraCacheSound(const char* path) {
  return Call(TCallLine("TunaraCacheSound").Str(path),
              [=] { return Engine().CacheSound(path, false); });
}
TUNARA_API int TunaraReserveSound(const char* path) {
  return Call(TCallLine("TunaraReserveSound").Str(path),
              [=] { return Engine().CacheSound(path, true); });
}
TUNARA_API int TunaraCancelSound(const char* path) {
  return Call(TCallLine("TunaraCancelSound").Str(path), [=] { return Engine().CancelSound(path); });
}
TUNARA_API int TunaraGetMidiTick() {
  return Call(TCallLine("TunaraGetMidiTick"), [] { return Engine().GetMidiTick(); });
}
