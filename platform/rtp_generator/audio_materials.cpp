// The sound effect and the tune of the run-time package, made sample by sample and event
// by event in integer arithmetic, so every build writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include "platform/rtp_generator/rtp_materials.h"

namespace {

void PutLE(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutBE(std::string& out, uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A decaying sine from the integer "magic circle" recurrence: no per-sample maths
// library, hence the same samples everywhere.
class TPartial {
public:
  TPartial(int frequency, int rate, int amplitude, int decay)
      : k_(std::lround(2 * std::sin(3.14159265358979 * frequency / rate) * 65536)), y_(amplitude),
        decay_(decay) {}
  int64_t Next() {
    x_ += (k_ * y_) >> 16;
    y_ -= (k_ * x_) >> 16;
    envelope_ = (envelope_ * decay_) >> 16;
    return (x_ * envelope_) >> 16;
  }

private:
  int64_t k_;
  int64_t x_ = 0, y_;
  int64_t envelope_ = 65536;
  int64_t decay_;
};

} // namespace

std::string MonoPcmWave(const std::vector<int16_t>& samples, uint32_t rate) {
  const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
  std::string out = "RIFF";
  PutLE(out, 36 + bytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);
  PutLE(out, 1, 2); // PCM
  PutLE(out, 1, 2); // mono
  PutLE(out, rate, 4);
  PutLE(out, rate * 2, 4);
  PutLE(out, 2, 2);
  PutLE(out, 16, 2);
  out += "data";
  PutLE(out, bytes, 4);
  for (int16_t sample : samples)
    PutLE(out, static_cast<uint16_t>(sample), 2);
  return out;
}

std::string SynthesizeChimeWave() {
  constexpr uint32_t rate = 22050, frames = rate / 2;
  TPartial low(880, rate, 9000, 65527), high(1320, rate, 6000, 65518);
  std::vector<int16_t> samples(frames);
  for (uint32_t i = 0; i < frames; ++i) {
    int64_t v = low.Next() + high.Next();
    if (i < 64) v = v * i / 64; // a soft start, so the chime does not click
    samples[i] = static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767));
  }
  return MonoPcmWave(samples, rate);
}

namespace {

// A variable-length quantity of a MIDI file.
void PutVarLength(std::string& out, uint32_t value) {
  char bytes[5];
  int n = 0;
  do {
    bytes[n++] = static_cast<char>(value & 0x7F);
    value >>= 7;
  } while (value);
  while (n > 1)
    out += static_cast<char>(bytes[--n] | 0x80);
  out += bytes[0];
}

struct TMidiEvent {
  uint32_t Tick;
  int Order; // note-offs before note-ons at the same tick
  std::string Bytes;
  bool operator<(const TMidiEvent& o) const {
    return std::tie(Tick, Order) < std::tie(o.Tick, o.Order);
  }
};

void AddNote(std::vector<TMidiEvent>& events, int channel, uint32_t tick, uint32_t length, int note,
             int velocity) {
  const char on = static_cast<char>(0x90 | channel), off = static_cast<char>(0x80 | channel);
  events.push_back({tick, 1, {on, static_cast<char>(note), static_cast<char>(velocity)}});
  events.push_back({tick + length, 0, {off, static_cast<char>(note), 0x40}});
}

} // namespace

std::string ComposeThemeMidi() {
  constexpr uint32_t quarter = 96, eighth = quarter / 2, bar = quarter * 4;
  // Melody in eighths: (note, length).
  constexpr int melody[][2] = {{76, 2}, {79, 2}, {81, 2}, {79, 2}, {76, 2}, {74, 2},
                               {72, 4}, {74, 2}, {76, 2}, {79, 2}, {76, 2}, {74, 8},
                               {76, 2}, {79, 2}, {81, 2}, {84, 2}, {83, 2}, {81, 2},
                               {79, 4}, {81, 2}, {79, 2}, {76, 2}, {74, 2}, {72, 8}};
  // One bass root a bar, played low then an octave up.
  constexpr int roots[8] = {48, 45, 41, 43, 48, 40, 41, 48};

  std::vector<TMidiEvent> events;
  events.push_back({0, 0, {'\xC0', 73}}); // flute
  events.push_back({0, 0, {'\xC1', 32}}); // acoustic bass
  uint32_t tick = 0;
  for (const auto& [note, eighths] : melody) {
    AddNote(events, 0, tick, eighths * eighth - 4, note, 96);
    tick += eighths * eighth;
  }
  for (int b = 0; b < 8; ++b) {
    AddNote(events, 1, b * bar, 2 * quarter - 4, roots[b], 88);
    AddNote(events, 1, b * bar + 2 * quarter, 2 * quarter - 4, roots[b] + 12, 80);
  }
  std::stable_sort(events.begin(), events.end());

  std::string track;
  PutVarLength(track, 0);
  track += std::string("\xFF\x51\x03\x07\xA1\x20", 6); // 120 beats a minute
  uint32_t last = 0;
  for (const TMidiEvent& e : events) {
    PutVarLength(track, e.Tick - last);
    track += e.Bytes;
    last = e.Tick;
  }
  PutVarLength(track, 0);
  track += std::string("\xFF\x2F\x00", 3);

  std::string out = "MThd";
  PutBE(out, 6, 4);
  PutBE(out, 0, 2); // format 0
  PutBE(out, 1, 2); // one track
  PutBE(out, quarter, 2);
  out += "MTrk";
  PutBE(out, static_cast<uint32_t>(track.size()), 4);
  return out + track;
}
