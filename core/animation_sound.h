// Where the battle-animation player sends the sound effects of its timings. The editor
// plays them through the sound library; tests put a recorder in its place.
#pragma once

#include <string>

class TAnimationSoundSink {
public:
  virtual ~TAnimationSoundSink() = default;
  // Path is the sound file found for the timing's name; volume and tempo in %, balance
  // 0 (left) .. 100 (right).
  virtual void PlaySound(const std::string& path, int volume, int tempo, int balance) = 0;
};

// Plays through TunaraPlaySoundEx while the sound library is loaded; silent otherwise.
class TTunaraSoundSink : public TAnimationSoundSink {
public:
  void PlaySound(const std::string& path, int volume, int tempo, int balance) override;
};

// The process-wide sink that new players use.
TAnimationSoundSink& DefaultAnimationSoundSink();
