// The -lh5- decoder and the archive reader on arbitrary bytes. The first three bytes give
// the size to unpack (up to 256 KiB); the rest is the packed stream. Also packs the input and
// requires the decoder to give it back, and reads the input as a whole archive.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 131072

#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_seeds.h"
#include "platform/archiver/archiver_error.h"
#include "platform/archiver/lh5_codec.h"
#include "platform/archiver/lha_archive.h"
#include "platform/archiver/lha_crc.h"
#include "platform/archiver/lha_header.h"

namespace {

std::vector<uint8_t> Packed(const std::string& text) {
  std::vector<uint8_t> packed;
  Lh5Encode(reinterpret_cast<const uint8_t*>(text.data()), text.size(), packed);
  return packed;
}

std::string Text(size_t size) {
  std::string s;
  for (size_t i = 0; s.size() < size; ++i)
    s += "event " + std::to_string(i % 97) + " of map " + std::to_string(i % 13) + "\n";
  s.resize(size);
  return s;
}

std::vector<uint8_t> WithSize(size_t size, const std::vector<uint8_t>& packed) {
  std::vector<uint8_t> seed = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16)};
  seed.insert(seed.end(), packed.begin(), packed.end());
  return seed;
}

std::vector<uint8_t> Archive(const std::string& name, const std::string& text) {
  TLhaMember m;
  m.Name = name;
  m.Method = MethodLh5;
  m.OriginalSize = static_cast<uint32_t>(text.size());
  m.Crc = LhaCrc16(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const std::vector<uint8_t> packed = Packed(text);
  m.PackedSize = static_cast<uint32_t>(packed.size());
  std::vector<uint8_t> out = MakeLevel2Header(m);
  out.insert(out.end(), packed.begin(), packed.end());
  TLhaMember folder;
  folder.Name = "Sub";
  folder.Method = MethodFolder;
  const std::vector<uint8_t> h = MakeLevel2Header(folder);
  out.insert(out.end(), h.begin(), h.end());
  out.push_back(0);
  return out;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  const std::string text = Text(3000);
  return {WithSize(text.size(), Packed(text)), WithSize(1000, Packed(std::string(1000, 'q'))),
          WithSize(40000, Packed(Text(40000))), Archive("Map0001.lmu", text),
          Archive("ChipSet/a b.png", std::string(500, 'x')),
          // A large realistic member.
          Archive("Map0002.lmu", Text(120000))};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= 3) {
    // Streamed to a sink that keeps nothing. Up to 256 KiB: the window is handed on
    // several times over, and more would only cost time.
    const size_t outSize = (data[0] | (data[1] << 8) | (data[2] << 16)) & 0x3FFFF;
    (void)Lh5Decode(data + 3, size - 3, outSize, [](const uint8_t*, size_t) {});
  }

  // Packing is checked on the smaller inputs only: its cost grows with the input.
  std::vector<uint8_t> packed;
  if (size <= 16384 && Lh5Encode(data, size, packed)) {
    if (packed.size() >= size) std::abort();
    std::vector<uint8_t> back(size);
    if (!Lh5Decode(packed.data(), packed.size(), back.data(), back.size())) std::abort();
    if (std::memcmp(back.data(), data, size) != 0) std::abort();
  }

  try {
    // Single-symbol tables cost no bits per code, so a few bytes may claim gigabytes:
    // unpacking them streams in bounded memory but would take long, so they are only scanned.
    uint64_t claimed = 0;
    for (const auto& m : ScanArchive(data, size))
      claimed += m.Header.OriginalSize;
    if (claimed > (uint64_t(1) << 24)) return 0;
    const auto members = CheckArchive(data, size);
    for (const auto& m : members)
      if (m.Offset + m.Size > size) std::abort();
  } catch (const EArchiverError&) {
  }
  return 0;
}
