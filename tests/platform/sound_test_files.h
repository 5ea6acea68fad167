// Sound files and folders made by the tests themselves.
#pragma once

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "../wait_until.h"
#include "platform/rtp_generator/rtp_materials.h"

// A fresh private folder, removed with its contents afterwards.
class TTempDir {
public:
  TTempDir() {
    std::string base = std::filesystem::temp_directory_path() / "velmora-sound-XXXXXX";
    std::vector<char> name(base.begin(), base.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) ADD_FAILURE() << "mkdtemp failed";
    Path = name.data();
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
  std::string operator/(const std::string& name) const { return Path + "/" + name; }
  std::string Path;
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A mono 16-bit wave of a sine at half of full scale.
inline std::string SineWave(double frequency, double seconds, uint32_t rate = 22050) {
  std::vector<int16_t> samples(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] =
        static_cast<int16_t>(0.5 * std::sin(2 * 3.14159265358979 * frequency * i / rate) * 32767);
  return MonoPcmWave(samples, rate);
}

// Format 0, 96 ticks a quarter at the default 120 bpm: a piano middle C held for one
// quarter (0.5 s), then the end of the track.
inline std::string OneNoteMidi() {
  const std::string track = {'\x00', '\xC0', '\x00',          // program 0
                             '\x00', '\x90', '\x3C', '\x64',  // note on, velocity 100
                             '\x60', '\x80', '\x3C', '\x40',  // 96 ticks later, note off
                             '\x00', '\xFF', '\x2F', '\x00'}; // end of track
  std::string out = "MThd";
  out += std::string("\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60", 10);
  out += "MTrk";
  out += std::string("\x00\x00\x00", 3) + static_cast<char>(track.size());
  return out + track;
}
