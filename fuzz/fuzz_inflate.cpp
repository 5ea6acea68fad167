// The whole-stream inflater against zlib on arbitrary bytes taken as a raw deflate stream.
// The first two bytes give the room for output (up to 64 KiB): a complete result must be
// zlib's to the byte, with the same input used, and zlib must not finish a stream that the
// inflater refuses.
#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/raw_inflate.h"
#include "fuzz_seeds.h"

namespace {

std::vector<uint8_t> Packed(const std::string& text, int level, int strategy, uint16_t room) {
  std::vector<uint8_t> out{uint8_t(room), uint8_t(room >> 8)};
  z_stream z{};
  deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy);
  std::vector<uint8_t> packed(deflateBound(&z, uLong(text.size())));
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = uInt(text.size());
  z.next_out = packed.data();
  z.avail_out = uInt(packed.size());
  deflate(&z, Z_FINISH);
  out.insert(out.end(), packed.begin(), packed.begin() + long(z.total_out));
  deflateEnd(&z);
  return out;
}

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  std::string text;
  for (int i = 0; text.size() < 3000; ++i)
    text += "row " + std::to_string(i % 41) + " of tiles " + std::to_string(i * 7 % 13) + ";";
  return {Packed(text, 6, Z_DEFAULT_STRATEGY, 3000), Packed(text, 1, Z_FIXED, 4000),
          Packed(text, 0, Z_DEFAULT_STRATEGY, 3000), Packed(text, 9, Z_HUFFMAN_ONLY, 2999)};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const size_t room = size_t(data[0]) | size_t(data[1]) << 8;
  const uint8_t* in = data + 2;
  const size_t inSize = size - 2;

  std::vector<uint8_t> ours(room + kInflateSlack);
  const TRawInflateResult r = InflateRaw(in, inSize, ours.data(), room);

  std::vector<uint8_t> theirs(room + 1);
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = const_cast<uint8_t*>(in);
  z.avail_in = uInt(inSize);
  z.next_out = theirs.data();
  z.avail_out = uInt(room);
  const bool ended = inflate(&z, Z_NO_FLUSH) == Z_STREAM_END;
  const size_t made = z.total_out, used = z.total_in;
  inflateEnd(&z);

  if (r.complete != ended) std::abort();
  if (ended &&
      (r.outMade != made || r.inUsed != used || std::memcmp(ours.data(), theirs.data(), made) != 0))
    std::abort();
  return 0;
}
