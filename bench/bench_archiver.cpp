// Packing a generated project folder of about 10 MB: the archiver's whole add command
// (list, pack, write, read back and check), the -lh5- packing alone, and zlib's deflate at
// its default level on the same files as the peer. Each reports MB/s of input and the
// ratio of packed to original bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zlib.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/archiver/lh5_codec.h"
#include "platform/archiver/unlha_command.h"

namespace {

namespace fs = std::filesystem;

struct TProject {
  std::string Root;
  std::vector<std::string> Files; // contents, one per file
  size_t Bytes = 0;
};

void Put(TProject& p, const std::string& name, std::string content) {
  fs::create_directories(fs::path(p.Root + "/" + name).parent_path());
  std::ofstream(p.Root + "/" + name, std::ios::binary) << content;
  p.Bytes += content.size();
  p.Files.push_back(std::move(content));
}

void Le16(std::string& s, unsigned v) {
  s += char(v & 0xFF);
  s += char(v >> 8);
}

// Game data much like the real files: maps of tile ids in patches, chunked database
// records with names, already-deflated images, sampled sound and plain text.
TProject MakeProject() {
  TProject p;
  p.Root =
      (fs::temp_directory_path() / ("velmora-bench-archiver-" + std::to_string(getpid()))).string();
  fs::remove_all(p.Root);
  std::mt19937 rng(2024);
  static const char* words[] = {"Stone", "Hero",  "River",   "Sword", "Castle", "Forest",
                                "Cloud", "Tower", "Lantern", "Cave",  "Village"};

  for (int m = 1; m <= 40; ++m) {
    std::string map = "\x0aXelMapUnit";
    const int w = 160, h = 150;
    for (int layer = 0; layer < 2; ++layer)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const unsigned patch = ((x / 12) * 7 + (y / 9) * 13 + m) % 9;
          unsigned id = layer == 0 ? 5000 + patch * 6 : 10000;
          if (layer == 0 && patch < 2) id = 4000 + patch * 50 + ((x + y) % 47);
          if (rng() % 11 == 0) id += rng() % 4;
          if (layer == 1 && rng() % 7 == 0) id = 10000 + rng() % 144;
          Le16(map, id);
        }
    for (int e = 0; e < 60; ++e)
      map += "EV" + std::to_string(e) + std::string(40, char(rng() % 4)) + words[rng() % 11];
    Put(p, "Map" + std::string(4 - std::to_string(m).size(), '0') + std::to_string(m) + ".lmu",
        map);
  }

  std::string db = "\x0bXelDataBase";
  while (db.size() < 2000000) {
    db += char(1 + rng() % 60);
    db += char(rng() % 40);
    db += words[rng() % 11];
    db += std::to_string(rng() % 1000);
    for (int i = 0; i < 12; ++i)
      db += char(rng() % 3 == 0 ? rng() % 256 : i);
  }
  Put(p, "KOVAX.ldb", db);
  Put(p, "KOVAX.ini", "[KOVAX]\r\nGameTitle=Untitled\r\nMapEditMode=1\r\nMapEditZoom=0\r\n");

  // Images are stored deflated already: pixels drawn, then packed as a PNG would be.
  for (int i = 0; i < 12; ++i) {
    std::string pixels;
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 480; ++x)
        pixels += char(((x / 16 + y / 16 + i) % 24) * 8 + ((x ^ y) & 3) + (rng() % 5));
    uLongf size = compressBound(pixels.size());
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
              reinterpret_cast<const Bytef*>(pixels.data()), pixels.size(), 9);
    packed.resize(size);
    Put(p, "ChipSet/chip" + std::to_string(i) + ".png", "\x89PNG\r\n\x1a\n" + packed);
  }

  // 8-bit bitmaps stored raw, and 16-bit sound.
  for (int i = 0; i < 4; ++i) {
    std::string bmp = "BM";
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        bmp += char((x * x + y * y) / (2000 + i * 300) % 16 + ((x / 32 + y / 32) % 2) * 16);
    Put(p, "Picture/pic" + std::to_string(i) + ".bmp", bmp);
  }
  for (int i = 0; i < 5; ++i) {
    std::string wav = "RIFF----WAVEfmt ";
    for (int n = 0; n < 150000; ++n) {
      const double v = std::sin(n * (0.03 + i * 0.01)) * 9000 * std::exp(-n / 90000.0) +
                       double(int(rng() % 600) - 300);
      Le16(wav, unsigned(int(v)) & 0xFFFF);
    }
    Put(p, "Sound/se" + std::to_string(i) + ".wav", wav);
  }
  std::string text;
  while (text.size() < 300000)
    text += std::string(words[rng() % 11]) + " says: \"" + words[rng() % 11] + " is near the " +
            words[rng() % 11] + ".\"\r\n";
  Put(p, "Text/script.txt", text);

  std::ofstream(p.Root + ".lst") << "\"" << p.Root << "/\"\nChipSet\nPicture\nSound\nText\n"
                                 << "KOVAX.ldb\nKOVAX.ini\nMap????.lmu\n";
  return p;
}

// Made once for all benchmarks and removed when the program ends.
struct TProjectFolder {
  TProject Project;
  ~TProjectFolder() {
    std::error_code ignored;
    fs::remove_all(Project.Root, ignored);
    fs::remove(Project.Root + ".lst", ignored);
    fs::remove(Project.Root + ".lzh", ignored);
  }
};

const TProject& Project() {
  static const TProjectFolder folder{MakeProject()};
  return folder.Project;
}

void Report(benchmark::State& state, size_t in, size_t out) {
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in));
  state.counters["MB/s"] = benchmark::Counter(double(in) * double(state.iterations()) / 1e6,
                                              benchmark::Counter::kIsRate);
  state.counters["ratio"] = double(out) / double(in);
  state.counters["input MB"] = double(in) / 1e6;
}

void BM_ArchiverAddCommand(benchmark::State& state) {
  const TProject& p = Project();
  const std::string archive = p.Root + ".lzh";
  const std::string command = "a -+ -r2 -d \"" + archive + "\" @" + p.Root + ".lst";
  for (auto _ : state) {
    fs::remove(archive);
    std::string message;
    if (RunUnlhaCommand(command, message) != 0) state.SkipWithError(message.c_str());
  }
  Report(state, p.Bytes, fs::file_size(archive));
}

void BM_Lh5PackOnly(benchmark::State& state) {
  const TProject& p = Project();
  size_t out = 0;
  std::vector<uint8_t> packed;
  for (auto _ : state) {
    out = 0;
    for (const std::string& f : p.Files) {
      const bool smaller = Lh5Encode(reinterpret_cast<const uint8_t*>(f.data()), f.size(), packed);
      out += smaller ? packed.size() : f.size();
    }
  }
  Report(state, p.Bytes, out);
}

void BM_ZlibDeflateDefault(benchmark::State& state) {
  const TProject& p = Project();
  size_t out = 0;
  std::vector<Bytef> packed;
  for (auto _ : state) {
    out = 0;
    for (const std::string& f : p.Files) {
      uLongf size = compressBound(f.size());
      packed.resize(size);
      compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(f.data()), f.size(),
                Z_DEFAULT_COMPRESSION);
      out += std::min<size_t>(size, f.size()); // stored when it does not shrink, as we do
    }
  }
  Report(state, p.Bytes, out);
}

BENCHMARK(BM_ArchiverAddCommand)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Lh5PackOnly)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ZlibDeflateDefault)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace
