#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "core/raw_inflate.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Deflate(const Bytes& data, int level, int strategy) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
  Bytes out(deflateBound(&z, uLong(data.size())));
  z.next_in = const_cast<uint8_t*>(data.data());
  z.avail_in = uInt(data.size());
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

struct TOutcome {
  bool complete = false;
  size_t inUsed = 0;
  Bytes out;
  bool operator==(const TOutcome&) const = default;
};

// What zlib's raw inflater makes of In with OutSize bytes of room: complete when it
// reaches the end of the stream.
TOutcome Zlib(const Bytes& in, size_t outSize) {
  z_stream z{};
  inflateInit2(&z, -15);
  TOutcome o;
  o.out.resize(outSize + 1);
  z.next_in = const_cast<uint8_t*>(in.data());
  z.avail_in = uInt(in.size());
  z.next_out = o.out.data();
  z.avail_out = uInt(outSize);
  o.complete = inflate(&z, Z_NO_FLUSH) == Z_STREAM_END;
  o.inUsed = o.complete ? z.total_in : 0;
  o.out.resize(o.complete ? z.total_out : 0);
  inflateEnd(&z);
  return o;
}

TOutcome Ours(const Bytes& in, size_t outSize) {
  Bytes out(outSize + kInflateSlack);
  const TRawInflateResult r = InflateRaw(in.data(), in.size(), out.data(), outSize);
  TOutcome o;
  o.complete = r.complete;
  if (r.complete) {
    o.inUsed = r.inUsed;
    o.out.assign(out.begin(), out.begin() + long(r.outMade));
  }
  return o;
}

Bytes Sample(int kind, size_t size) {
  Bytes b(size);
  uint32_t s = 7u + uint32_t(kind);
  for (size_t i = 0; i < size; ++i) {
    s = s * 1103515245u + 12345u;
    switch (kind) {
    case 0:
      b[i] = uint8_t(s >> 16);
      break; // noise
    case 1:
      b[i] = uint8_t("the quick brown fox "[(s >> 16) % 20]);
      break; // text-like
    case 2:
      b[i] = uint8_t(i / 300);
      break; // long runs
    default:
      b[i] = uint8_t((i % 37) * 7 + ((s >> 28) & 3));
      break; // image-like rows
    }
  }
  return b;
}

// Writes bits low bit first, as deflate packs them.
struct TBitWriter {
  Bytes bytes;
  int used = 8;
  void Put(uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      if (used == 8) bytes.push_back(0), used = 0;
      bytes.back() |= uint8_t(((value >> i) & 1) << used++);
    }
  }
};

// A dynamic block of Letters 'A's, where 'A' and the end take one bit each and the
// distances have the given lengths (each written with a one-bit code: 0 or 1).
Bytes OneBitBlock(const std::vector<int>& distanceLengths, int letters) {
  TBitWriter w;
  w.Put(1, 1); // final
  w.Put(2, 2); // dynamic
  w.Put(0, 5); // 257 literal/length codes
  w.Put(uint32_t(distanceLengths.size() - 1), 5);
  w.Put(14, 4); // 18 code-length lengths, up to the one of symbol 1
  for (int i = 0; i < 18; ++i)
    w.Put(i == 3 || i == 17 ? 1 : 0, 3); // symbols 0 and 1 get one-bit codes
  for (int i = 0; i < 257; ++i)
    w.Put(i == 'A' || i == 256 ? 1 : 0, 1);
  for (int length : distanceLengths)
    w.Put(uint32_t(length), 1);
  for (int i = 0; i < letters; ++i)
    w.Put(0, 1);
  w.Put(1, 1); // end
  return w.bytes;
}

} // namespace

TEST(RawInflate, MakesWhatZlibMakesOfEveryKindOfBlock) {
  const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_HUFFMAN_ONLY, Z_RLE, Z_FIXED};
  for (int kind = 0; kind < 4; ++kind)
    for (size_t size : {size_t(0), size_t(1), size_t(70000)})
      for (int level : {0, 1, 6, 9})
        for (int strategy : strategies) {
          const Bytes data = Sample(kind, size);
          Bytes packed = Deflate(data, level, strategy);
          const size_t streamSize = packed.size();
          packed.insert(packed.end(), {0xDE, 0xAD, 0xBE, 0xEF}); // what follows the stream
          const TOutcome ours = Ours(packed, data.size());
          ASSERT_TRUE(ours.complete) << kind << " " << size << " " << level << " " << strategy;
          EXPECT_EQ(ours.out, data);
          EXPECT_EQ(ours.inUsed, streamSize);
          if (size > 0) {
            EXPECT_FALSE(Ours(packed, data.size() - 1).complete); // no room
          }
        }
}

TEST(RawInflate, AgreesWithZlibOnCutAndDamagedStreams) {
  const Bytes data = Sample(3, 3000);
  int refused = 0, accepted = 0;
  for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED}) {
    const Bytes packed = Deflate(data, 6, strategy);
    for (size_t cut = 0; cut < packed.size(); ++cut)
      ASSERT_FALSE(Ours(Bytes(packed.begin(), packed.begin() + long(cut)), data.size()).complete)
          << cut;
    for (size_t i = 0; i < packed.size(); ++i)
      for (uint8_t flip : {0x01, 0x10, 0x80, 0xFF}) {
        Bytes damaged = packed;
        damaged[i] ^= flip;
        const TOutcome zlib = Zlib(damaged, data.size() + 64);
        ASSERT_EQ(Ours(damaged, data.size() + 64), zlib) << i << " " << int(flip);
        ++(zlib.complete ? accepted : refused);
      }
  }
  EXPECT_GT(refused, 1000);
  EXPECT_GT(accepted, 100);
}

TEST(RawInflate, OneBitCodesAreTakenAsZlibTakesThem) {
  // A single one-bit distance code, no distance code at all, and a code-length set that
  // claims too much.
  struct TCase {
    Bytes stream;
    bool zlibTakesIt;
  };
  Bytes overSubscribed = OneBitBlock({1}, 1);
  overSubscribed[2] |= 0x10; // a third one-bit code-length code
  const TCase cases[] = {{OneBitBlock({1}, 1), true},
                         {OneBitBlock({0}, 2), true},
                         {OneBitBlock({1, 1}, 3), true},
                         {overSubscribed, false}};
  for (const TCase& c : cases) {
    const TOutcome zlib = Zlib(c.stream, 16);
    EXPECT_EQ(zlib.complete, c.zlibTakesIt);
    EXPECT_EQ(Ours(c.stream, 16), zlib);
  }
}
