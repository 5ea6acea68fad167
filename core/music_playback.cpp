#include "core/music_playback.h"

#include <algorithm>

#include "core/busy_cursor.h"
#include "core/material.h"
#include "core/sound_library.h"
#include "core/sound_record.h"

std::string PlayingMusicName = SoundOffName;
int PlayingMusicFadeIn = 0;
int PlayingMusicVolume = 100;
int PlayingMusicTempo = 100;
int PlayingMusicBalance = 50;

namespace {

constexpr int ShiftStopFadeOut = 5000;

// The library is loaded for the whole run of the editor; without it nothing sounds.
bool LibraryLoaded() {
  return TunaraLibrary != nullptr;
}

int SliderStep(TSoundSlider slider) {
  return slider == TSoundSlider::FadeIn ? 1000 : 10;
}

int SliderBase(TSoundSlider slider) {
  return slider == TSoundSlider::Tempo ? 50 : 0;
}

} // namespace

void ResetPlayingMusic() {
  PlayingMusicName = SoundOffName;
  PlayingMusicFadeIn = 0;
  PlayingMusicVolume = 100;
  PlayingMusicTempo = 100;
  PlayingMusicBalance = 50;
}

int SoundSliderValue(TSoundSlider slider, int position) {
  return position * SliderStep(slider) + SliderBase(slider);
}

int SoundSliderPosition(TSoundSlider slider, int value) {
  return std::clamp((value - SliderBase(slider)) / SliderStep(slider), 0, SoundSliderMax);
}

void ApplyMusicSlider(TXelMusic& music, TSoundSlider slider, int position, bool isPlaying) {
  const int value = SoundSliderValue(slider, position);
  const bool tell = isPlaying && LibraryLoaded();
  switch (slider) {
  case TSoundSlider::FadeIn:
    music.FadeIn = PlayingMusicFadeIn = value;
    break;
  case TSoundSlider::Volume:
    music.Volume = PlayingMusicVolume = value;
    if (tell) Tunara.TunaraSetMusicVolume(value);
    break;
  case TSoundSlider::Tempo:
    music.Tempo = PlayingMusicTempo = value;
    if (tell) Tunara.TunaraSetMusicSpeed(value);
    break;
  case TSoundSlider::Balance:
    music.Balance = PlayingMusicBalance = value;
    if (tell) Tunara.TunaraSetMusicPanpot(value);
    break;
  }
}

void ApplySoundSlider(TXelSound& sound, TSoundSlider slider, int position) {
  const int value = SoundSliderValue(slider, position);
  switch (slider) {
  case TSoundSlider::FadeIn:
    break;
  case TSoundSlider::Volume:
    sound.Volume = value;
    break;
  case TSoundSlider::Tempo:
    sound.Tempo = value;
    break;
  case TSoundSlider::Balance:
    sound.Balance = value;
    break;
  }
}

void PlayMusicSetting(const TXelMusic& music) {
  if (music.FileName == SoundOffName) {
    StopMusicPlayback(false);
    return;
  }
  {
    TBusyCursor busy;
    std::string path;
    if (LibraryLoaded() && FindMaterialFile(music.FileName, "Music", MusicExtensions, path)) {
      Tunara.TunaraInitMidi();
      Tunara.TunaraPlayMusic(path.c_str());
      Tunara.TunaraFadeInMusic(music.FadeIn);
      Tunara.TunaraSetMusicVolume(music.Volume);
      Tunara.TunaraSetMusicSpeed(music.Tempo);
      Tunara.TunaraSetMusicPanpot(music.Balance);
    } else if (LibraryLoaded()) {
      // Nothing to play: what played before ends, as a new music would end it.
      Tunara.TunaraStopMusic();
    }
  }
  PlayingMusicName = music.FileName;
  PlayingMusicFadeIn = music.FadeIn;
  PlayingMusicVolume = music.Volume;
  PlayingMusicTempo = music.Tempo;
  PlayingMusicBalance = music.Balance;
}

void StopMusicPlayback(bool fadeOut) {
  if (fadeOut) {
    if (LibraryLoaded()) Tunara.TunaraFadeOutMusic(ShiftStopFadeOut);
    return;
  }
  if (LibraryLoaded()) {
    Tunara.TunaraStopMusic();
    Tunara.TunaraTermMidi();
  }
  ResetPlayingMusic();
}

void PlaySoundSetting(const TXelSound& sound) {
  if (sound.FileName == SoundOffName) {
    StopSoundPlayback();
    return;
  }
  if (!LibraryLoaded()) return;
  std::string path;
  if (FindMaterialFile(sound.FileName, "Sound", SoundExtensions, path))
    Tunara.TunaraPlaySoundEx(path.c_str(), sound.Volume, sound.Tempo, sound.Balance);
}

void StopSoundPlayback() {
  if (LibraryLoaded()) Tunara.TunaraStopSound();
}
