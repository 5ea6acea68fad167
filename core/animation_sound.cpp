#include "core/animation_sound.h"

#include "core/sound_library.h"

void TTunaraSoundSink::PlaySound(const std::string& path, int volume, int tempo, int balance) {
  if (TunaraLibrary && Tunara.TunaraPlaySoundEx)
    Tunara.TunaraPlaySoundEx(path.c_str(), volume, tempo, balance);
}

TAnimationSoundSink& DefaultAnimationSoundSink() {
  static TTunaraSoundSink sink;
  return sink;
}
