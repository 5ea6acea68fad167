// Our own mixer: one music track and any number of sound voices, rendered as interleaved
// float stereo at the output rate. It knows nothing of devices: the engine either renders
// it into the device or, with no device, lets time pass over it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Decoded audio: interleaved float stereo frames at the mixer's rate.
struct TPcm {
  std::vector<float> Samples;
  size_t Frames() const { return Samples.size() / 2; }
};

// Where the music comes from: a looping wave or a MIDI player.
class TMusicSource {
public:
  virtual ~TMusicSource() = default;
  // Writes `frames` frames to out, overwriting it.
  virtual void Render(float* out, int frames) = 0;
  // Lets `frames` frames pass without producing them (no device).
  virtual void Skip(int64_t frames) = 0;
  virtual void SetSpeed(int percent) = 0;
  // False once the source has nothing more to give.
  virtual bool Playing() const { return true; }
  // How many times the music has started over.
  virtual int Loops() const = 0;
  virtual int Tick() const { return 0; }
};

// A wave played over and over; tempo changes its rate (and so its pitch).
class TWaveMusic : public TMusicSource {
public:
  explicit TWaveMusic(std::shared_ptr<const TPcm> pcm) : Pcm(std::move(pcm)) {}
  void Render(float* out, int frames) override;
  void Skip(int64_t frames) override;
  void SetSpeed(int percent) override { Step = percent / 100.0; }
  int Loops() const override { return LoopCount; }

private:
  std::shared_ptr<const TPcm> Pcm;
  double Position = 0;
  double Step = 1;
  int LoopCount = 0;
};

// Music that keeps its playing state but makes no sound (no device, or MIDI without a
// soundfont).
class TSilentMusic : public TMusicSource {
public:
  void Render(float* out, int frames) override;
  void Skip(int64_t) override {}
  void SetSpeed(int) override {}
  int Loops() const override { return 0; }
};

class TSoundMixer {
public:
  // At most this many sounds sound together; the oldest gives way.
  static constexpr size_t MaxVoices = 32;

  explicit TSoundMixer(int rate) : Rate(rate) {}
  int SampleRate() const { return Rate; }

  void PlayMusic(std::unique_ptr<TMusicSource> source);
  void StopMusic();
  bool MusicPlaying() const { return Music != nullptr; }
  const TMusicSource* CurrentMusic() const { return Music.get(); }
  void FadeInMusic(int milliseconds);
  void FadeOutMusic(int milliseconds);
  void SetMusicVolume(int percent);
  void SetMusicSpeed(int percent);
  void SetMusicBalance(int balance);

  void PlaySound(std::shared_ptr<const TPcm> pcm, int volume, int tempo, int balance);
  void StopSounds() { Voices.clear(); }
  size_t SoundsPlaying() const { return Voices.size(); }

  // Mixes `frames` frames into out (overwriting it), clipped to -1..1.
  void Render(float* out, int frames);
  // Lets time pass without output: sounds run out, fades advance, waves loop.
  void Skip(int64_t frames);

private:
  struct TVoice {
    std::shared_ptr<const TPcm> Pcm;
    double Position;
    double Step;
    float Left, Right;
  };

  // Moves the fade by `frames` frames; stops the music when a fade-out reaches silence.
  void AdvanceFade(int64_t frames);
  int64_t FramesFor(int milliseconds) const;

  int Rate;
  std::unique_ptr<TMusicSource> Music;
  int MusicSpeed = 100;
  float MusicVolume = 1, MusicLeft = 1, MusicRight = 1;
  double Fade = 1, FadeStep = 0; // FadeStep per frame; negative while fading out
  std::vector<TVoice> Voices;
  std::vector<float> Scratch;
};

// Clamps a caller's value into range.
int ClampInt(int value, int low, int high);
// Channel gains of a balance 0 (left) .. 50 (centre) .. 100 (right).
void BalanceGains(int balance, float& left, float& right);
