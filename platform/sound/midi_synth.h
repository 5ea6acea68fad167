// FluidSynth rendering MIDI into our mixer: one synthesizer with the General MIDI
// soundfont, kept while MIDI is initialised, and a player per piece of music.
#pragma once

#include <memory>
#include <string>

#include "platform/sound/sound_mixer.h"

struct _fluid_hashtable_t;
struct _fluid_synth_t;

class TMidiSynth {
public:
  // Loads the soundfont named by VELMORA_SOUNDFONT, else the system's General MIDI one.
  explicit TMidiSynth(int rate);
  ~TMidiSynth();
  TMidiSynth(const TMidiSynth&) = delete;
  TMidiSynth& operator=(const TMidiSynth&) = delete;

  // False without a soundfont: MIDI then stays silent.
  bool HasSoundFont() const { return SoundFont >= 0; }
  // A looping player of the file's bytes; null when it has no soundfont or the bytes are
  // refused.
  std::unique_ptr<TMusicSource> Play(const std::string& bytes);

private:
  _fluid_hashtable_t* Settings = nullptr;
  _fluid_synth_t* Synth = nullptr;
  int SoundFont = -1;
};
