#include "platform/sound/sound_mixer.h"

#include <algorithm>
#include <cmath>

namespace {

// Linear interpolation of frame `position` of a stereo buffer.
void Sample(const TPcm& pcm, double position, float& left, float& right) {
  size_t frames = pcm.Frames();
  size_t i = static_cast<size_t>(position);
  if (i >= frames) {
    left = right = 0;
    return;
  }
  float t = static_cast<float>(position - static_cast<double>(i));
  size_t j = i + 1 < frames ? i + 1 : i;
  const float* s = pcm.Samples.data();
  left = s[2 * i] + (s[2 * j] - s[2 * i]) * t;
  right = s[2 * i + 1] + (s[2 * j + 1] - s[2 * i + 1]) * t;
}

} // namespace

int ClampInt(int value, int low, int high) {
  return std::min(std::max(value, low), high);
}

void BalanceGains(int balance, float& left, float& right) {
  balance = ClampInt(balance, 0, 100);
  left = std::min(1.0f, (100 - balance) / 50.0f);
  right = std::min(1.0f, balance / 50.0f);
}

void TWaveMusic::Render(float* out, int frames) {
  double length = static_cast<double>(Pcm->Frames());
  for (int f = 0; f < frames; ++f) {
    if (length == 0) {
      out[2 * f] = out[2 * f + 1] = 0;
      continue;
    }
    Sample(*Pcm, Position, out[2 * f], out[2 * f + 1]);
    Position += Step;
    if (Position >= length) {
      Position = std::fmod(Position, length);
      ++LoopCount;
    }
  }
}

void TWaveMusic::Skip(int64_t frames) {
  double length = static_cast<double>(Pcm->Frames());
  if (length == 0) return;
  double end = Position + Step * static_cast<double>(frames);
  double loops = std::floor(end / length);
  LoopCount += static_cast<int>(std::min(loops, 1e9));
  Position = end - loops * length;
}

void TSilentMusic::Render(float* out, int frames) {
  std::fill(out, out + 2 * frames, 0.0f);
}

int64_t TSoundMixer::FramesFor(int milliseconds) const {
  return static_cast<int64_t>(milliseconds) * Rate / 1000;
}

void TSoundMixer::PlayMusic(std::unique_ptr<TMusicSource> source) {
  // A new piece starts at full volume, normal tempo and centred; callers adjust after.
  Music = std::move(source);
  MusicSpeed = 100;
  MusicVolume = MusicLeft = MusicRight = 1;
  Music->SetSpeed(MusicSpeed);
  Fade = 1;
  FadeStep = 0;
}

void TSoundMixer::StopMusic() {
  Music.reset();
  Fade = 1;
  FadeStep = 0;
}

void TSoundMixer::FadeInMusic(int milliseconds) {
  if (!Music) return;
  int64_t frames = FramesFor(ClampInt(milliseconds, 0, 600000));
  if (frames <= 0) {
    Fade = 1;
    FadeStep = 0;
    return;
  }
  Fade = 0;
  FadeStep = 1.0 / static_cast<double>(frames);
}

void TSoundMixer::FadeOutMusic(int milliseconds) {
  if (!Music) return;
  int64_t frames = FramesFor(ClampInt(milliseconds, 0, 600000));
  if (frames <= 0 || Fade <= 0) {
    StopMusic();
    return;
  }
  FadeStep = -Fade / static_cast<double>(frames);
}

void TSoundMixer::SetMusicVolume(int percent) {
  MusicVolume = static_cast<float>(ClampInt(percent, 0, 100)) / 100.0f;
}

void TSoundMixer::SetMusicSpeed(int percent) {
  MusicSpeed = ClampInt(percent, 10, 400);
  if (Music) Music->SetSpeed(MusicSpeed);
}

void TSoundMixer::SetMusicBalance(int balance) {
  BalanceGains(balance, MusicLeft, MusicRight);
}

void TSoundMixer::PlaySound(std::shared_ptr<const TPcm> pcm, int volume, int tempo, int balance) {
  if (!pcm || pcm->Frames() == 0) return;
  if (Voices.size() >= MaxVoices) Voices.erase(Voices.begin());
  TVoice voice{std::move(pcm), 0, ClampInt(tempo, 10, 400) / 100.0, 1, 1};
  BalanceGains(balance, voice.Left, voice.Right);
  float gain = static_cast<float>(ClampInt(volume, 0, 100)) / 100.0f;
  voice.Left *= gain;
  voice.Right *= gain;
  Voices.push_back(std::move(voice));
}

void TSoundMixer::AdvanceFade(int64_t frames) {
  if (FadeStep == 0) return;
  Fade += FadeStep * static_cast<double>(frames);
  if (FadeStep > 0 && Fade >= 1) {
    Fade = 1;
    FadeStep = 0;
  } else if (FadeStep < 0 && Fade <= 0) {
    StopMusic();
  }
}

void TSoundMixer::Render(float* out, int frames) {
  std::fill(out, out + 2 * frames, 0.0f);
  if (Music) {
    Scratch.resize(2 * static_cast<size_t>(frames));
    Music->Render(Scratch.data(), frames);
    for (int f = 0; f < frames; ++f) {
      double fade = std::clamp(Fade + FadeStep * f, 0.0, 1.0);
      float gain = MusicVolume * static_cast<float>(fade);
      out[2 * f] = Scratch[2 * f] * gain * MusicLeft;
      out[2 * f + 1] = Scratch[2 * f + 1] * gain * MusicRight;
    }
    AdvanceFade(frames);
    if (Music && !Music->Playing()) StopMusic();
  }
  for (TVoice& v : Voices) {
    double length = static_cast<double>(v.Pcm->Frames());
    for (int f = 0; f < frames && v.Position < length; ++f) {
      float l, r;
      Sample(*v.Pcm, v.Position, l, r);
      out[2 * f] += l * v.Left;
      out[2 * f + 1] += r * v.Right;
      v.Position += v.Step;
    }
  }
  std::erase_if(Voices,
                [](const TVoice& v) { return v.Position >= static_cast<double>(v.Pcm->Frames()); });
  for (int i = 0; i < 2 * frames; ++i)
    out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void TSoundMixer::Skip(int64_t frames) {
  if (frames <= 0) return;
  if (Music) {
    Music->Skip(frames);
    AdvanceFade(frames);
  }
  for (TVoice& v : Voices)
    v.Position += v.Step * static_cast<double>(frames);
  std::erase_if(Voices,
                [](const TVoice& v) { return v.Position >= static_cast<double>(v.Pcm->Frames()); });
}
