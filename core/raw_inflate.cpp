#include "core/raw_inflate.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// A decoding table entry: the bits it consumes (0-4), its kind (5-7), the extra bits that
// follow it or a subtable's index bits (8-11), and its value (16-31): the literal, the
// base of a length or distance, or where a subtable starts.
enum TKind : uint32_t { kLiteral, kLength, kEnd, kSubtable, kBad, kDistance };

constexpr uint32_t Entry(uint32_t kind, uint32_t bits, uint32_t extra, uint32_t value) {
  return bits | kind << 5 | extra << 8 | value << 16;
}
constexpr uint32_t Bits(uint32_t e) {
  return e & 31;
}
constexpr uint32_t Kind(uint32_t e) {
  return (e >> 5) & 7;
}
constexpr uint32_t Extra(uint32_t e) {
  return (e >> 8) & 15;
}
constexpr uint32_t Value(uint32_t e) {
  return e >> 16;
}

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                      15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                      67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                      2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                        6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of the code-length code.
constexpr uint8_t kCodeLengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                          11, 4,  12, 3, 13, 2, 14, 1, 15};

uint32_t LiteralLengthEntry(int symbol, uint32_t bits) {
  if (symbol < 256) return Entry(kLiteral, bits, 0, uint32_t(symbol));
  if (symbol == 256) return Entry(kEnd, bits, 0, 0);
  if (symbol < 286) {
    const int i = symbol - 257;
    return Entry(kLength, bits, kLengthExtra[i], kLengthBase[i]);
  }
  return Entry(kBad, bits, 0, 0); // 286 and 287 have codes in fixed blocks but mean nothing
}
uint32_t DistanceEntry(int symbol, uint32_t bits) {
  if (symbol < 30) return Entry(kDistance, bits, kDistanceExtra[symbol], kDistanceBase[symbol]);
  return Entry(kBad, bits, 0, 0);
}
uint32_t CodeLengthEntry(int symbol, uint32_t bits) {
  return Entry(kLiteral, bits, 0, uint32_t(symbol));
}

// A canonical Huffman code as a table of 2^Primary entries indexed by the next bits, with
// subtables of 2^Sub entries for the longer codes.
template <int Primary, int Sub, int Symbols> struct TTable {
  static constexpr uint32_t kMask = (1u << Primary) - 1;
  uint32_t entries[(1 << Primary) + Symbols * (1 << Sub)];

  // False where zlib refuses the lengths: an over-subscribed code, or an incomplete one
  // unless it is a single one-bit code (never for the code-length code). With no code at
  // all every entry is bad, so only its use is refused, as zlib does.
  bool Build(const uint8_t* lengths, int count, uint32_t (*entryOf)(int, uint32_t),
             bool codeLengths) {
    int perLength[16] = {};
    for (int i = 0; i < count; ++i)
      ++perLength[lengths[i]];
    int longest = 15;
    while (longest > 0 && perLength[longest] == 0)
      --longest;
    std::fill(entries, entries + (1 << Primary), Entry(kBad, 1, 0, 0));
    if (longest == 0) return !codeLengths;
    int left = 1;
    for (int length = 1; length <= 15; ++length) {
      left = left * 2 - perLength[length];
      if (left < 0) return false;
    }
    if (left > 0 && (codeLengths || longest != 1)) return false;
    // The first code of each length, as canonical codes are numbered.
    uint32_t next[16] = {};
    for (uint32_t length = 1, code = 0; length <= 15; ++length) {
      code = (code + (length > 1 ? uint32_t(perLength[length - 1]) : 0)) << 1;
      next[length] = code;
    }
    int subtables = 0;
    for (int symbol = 0; symbol < count; ++symbol) {
      const uint32_t length = lengths[symbol];
      if (length == 0) continue;
      const uint32_t code = next[length]++;
      // Codes are read from the low bit up, most significant code bit first.
      const uint32_t reversed = Reverse(code, length);
      if (length <= uint32_t(Primary)) {
        for (uint32_t i = reversed; i < (1u << Primary); i += 1u << length)
          entries[i] = entryOf(symbol, length);
        continue;
      }
      uint32_t& head = entries[reversed & kMask];
      if (Kind(head) != kSubtable) {
        const uint32_t start = (1u << Primary) + uint32_t(subtables++) * (1u << Sub);
        std::fill(entries + start, entries + start + (1u << Sub), Entry(kBad, 1, 0, 0));
        head = Entry(kSubtable, Primary, Sub, start);
      }
      const uint32_t rest = length - Primary;
      for (uint32_t i = reversed >> Primary; i < (1u << Sub); i += 1u << rest)
        entries[Value(head) + i] = entryOf(symbol, rest);
    }
    return true;
  }

  static uint32_t Reverse(uint32_t code, uint32_t length) {
    uint32_t r = 0;
    for (uint32_t i = 0; i < length; ++i, code >>= 1)
      r = r << 1 | (code & 1);
    return r;
  }
};

using TLiteralLengths = TTable<10, 5, 288>;
using TDistances = TTable<8, 7, 32>;
using TCodeLengths = TTable<7, 0, 19>;

struct TFixedTables {
  TLiteralLengths literalLengths;
  TDistances distances;
  TFixedTables() {
    uint8_t lengths[288];
    std::fill(lengths, lengths + 144, 8);
    std::fill(lengths + 144, lengths + 256, 9);
    std::fill(lengths + 256, lengths + 280, 7);
    std::fill(lengths + 280, lengths + 288, 8);
    literalLengths.Build(lengths, 288, &LiteralLengthEntry, false);
    std::fill(lengths, lengths + 32, 5);
    distances.Build(lengths, 32, &DistanceEntry, false);
  }
};

// With eight bytes of input left: as many whole bytes as the buffer holds are added, and
// the bits of the next one that fit too, which the next refill adds again.
inline void RefillWhole(const uint8_t*& in, uint64_t& bits, uint32_t& count) {
  uint64_t word;
  std::memcpy(&word, in, 8);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  bits |= word << count;
  in += (63 - count) >> 3;
  count |= 56;
}

class TInflater {
public:
  TInflater(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize)
      : start_(in), in_(in), end_(in + inSize), outStart_(out), out_(out), outEnd_(out + outSize) {}

  TRawInflateResult Run() {
    TRawInflateResult result;
    for (bool last = false; !last;) {
      Refill();
      if (Overread()) return result;
      last = bits_ & 1;
      const uint32_t type = (bits_ >> 1) & 3;
      Drop(3);
      bool ok = false;
      if (type == 0) {
        ok = Stored();
      } else if (type == 1) {
        static const TFixedTables fixed;
        ok = Codes(fixed.literalLengths, fixed.distances);
      } else if (type == 2) {
        ok = Dynamic() && Codes(literalLengths_, distances_);
      }
      if (!ok) return result;
    }
    // The stream ends on the byte that holds its last bit.
    const size_t held = count_ / 8 - overrun_;
    result.complete = true;
    result.inUsed = size_t(in_ - start_) - held;
    result.outMade = size_t(out_ - outStart_);
    return result;
  }

private:
  // Tops the bit buffer up to at least 56 bits; past the input's end with zero bytes,
  // which are counted so that their use can be told.
  void Refill() {
    if (end_ - in_ >= 8) return RefillWhole(in_, bits_, count_);
    while (count_ <= 56) {
      if (in_ < end_)
        bits_ |= uint64_t(*in_++) << count_;
      else
        ++overrun_;
      count_ += 8;
    }
  }
  // Bits beyond the input were used.
  bool Overread() const { return count_ < 8 * overrun_; }
  void Drop(uint32_t n) {
    bits_ >>= n;
    count_ -= n;
  }
  uint32_t Take(uint32_t n) {
    const uint32_t v = uint32_t(bits_) & ((1u << n) - 1);
    Drop(n);
    return v;
  }

  template <class TTableType> uint32_t Decode(const TTableType& table) {
    uint32_t e = table.entries[bits_ & TTableType::kMask];
    if (Kind(e) == kSubtable) {
      Drop(Bits(e));
      e = table.entries[Value(e) + (bits_ & ((1u << Extra(e)) - 1))];
    }
    Drop(Bits(e));
    return e;
  }

  bool Stored() {
    // The rest of the byte is skipped; whole bytes still in the buffer go back.
    Drop(count_ & 7);
    if (count_ / 8 < overrun_) return false;
    in_ -= count_ / 8 - overrun_;
    bits_ = 0;
    count_ = 0;
    overrun_ = 0;
    if (end_ - in_ < 4) return false;
    const size_t length = size_t(in_[0]) | size_t(in_[1]) << 8;
    const size_t complement = size_t(in_[2]) | size_t(in_[3]) << 8;
    in_ += 4;
    if (length != (~complement & 0xFFFF)) return false;
    if (size_t(end_ - in_) < length || size_t(outEnd_ - out_) < length) return false;
    std::memcpy(out_, in_, length);
    in_ += length;
    out_ += length;
    return true;
  }

  bool Dynamic() {
    Refill();
    const int literals = int(Take(5)) + 257, distances = int(Take(5)) + 1;
    const int lengthCodes = int(Take(4)) + 4;
    if (literals > 286 || distances > 30) return false;
    uint8_t codeLengths[19] = {};
    for (int i = 0; i < lengthCodes; ++i) {
      if (count_ < 3) Refill();
      codeLengths[kCodeLengthOrder[i]] = uint8_t(Take(3));
    }
    if (Overread()) return false;
    if (!codeLengthTable_.Build(codeLengths, 19, &CodeLengthEntry, true)) return false;
    uint8_t lengths[286 + 30];
    const int total = literals + distances;
    for (int i = 0; i < total;) {
      if (count_ < 14) {
        Refill();
        if (Overread()) return false;
      }
      const uint32_t e = Decode(codeLengthTable_);
      if (Kind(e) != kLiteral) return false;
      const uint32_t symbol = Value(e);
      if (symbol < 16) {
        lengths[i++] = uint8_t(symbol);
        continue;
      }
      uint8_t repeated = 0;
      int times;
      if (symbol == 16) {
        if (i == 0) return false;
        repeated = lengths[i - 1];
        times = 3 + int(Take(2));
      } else if (symbol == 17) {
        times = 3 + int(Take(3));
      } else {
        times = 11 + int(Take(7));
      }
      if (times > total - i) return false;
      std::fill(lengths + i, lengths + i + times, repeated);
      i += times;
    }
    if (Overread()) return false;
    if (lengths[256] == 0) return false; // a block without an end
    return literalLengths_.Build(lengths, literals, &LiteralLengthEntry, false) &&
           distances_.Build(lengths + literals, distances, &DistanceEntry, false);
  }

  // The symbols of one block up to its end. After a refill there are at least 56 bits: a
  // length, its extra bits, a distance and its extra bits take at most 48. The state is
  // kept in locals here: every byte stored through the output pointer could otherwise
  // alias it.
  bool Codes(const TLiteralLengths& literalLengths, const TDistances& distances) {
    const uint8_t* in = in_;
    uint64_t bits = bits_;
    uint32_t count = count_;
    uint8_t* out = out_;
    bool ok = false;
    for (;;) {
      if (end_ - in >= 8) {
        RefillWhole(in, bits, count);
      } else {
        in_ = in, bits_ = bits, count_ = count;
        Refill();
        in = in_, bits = bits_, count = count_;
        if (Overread()) break;
      }
      uint32_t e = literalLengths.entries[bits & TLiteralLengths::kMask];
      if (Kind(e) == kSubtable) {
        bits >>= Bits(e), count -= Bits(e);
        e = literalLengths.entries[Value(e) + (bits & ((1u << Extra(e)) - 1))];
      }
      bits >>= Bits(e), count -= Bits(e);
      if (Kind(e) == kLiteral) {
        if (out == outEnd_) break;
        *out++ = uint8_t(Value(e));
        continue;
      }
      if (Kind(e) != kLength) {
        ok = Kind(e) == kEnd;
        break;
      }
      uint32_t length = Value(e) + (uint32_t(bits) & ((1u << Extra(e)) - 1));
      bits >>= Extra(e), count -= Extra(e);
      e = distances.entries[bits & TDistances::kMask];
      if (Kind(e) == kSubtable) {
        bits >>= Bits(e), count -= Bits(e);
        e = distances.entries[Value(e) + (bits & ((1u << Extra(e)) - 1))];
      }
      bits >>= Bits(e), count -= Bits(e);
      if (Kind(e) != kDistance) break;
      const size_t distance = Value(e) + (uint32_t(bits) & ((1u << Extra(e)) - 1));
      bits >>= Extra(e), count -= Extra(e);
      if (distance > size_t(out - outStart_) || length > size_t(outEnd_ - out)) break;
      const uint8_t* from = out - distance;
      if (distance >= 8) {
        // Eight bytes a step may run up to seven past the match: into output still to
        // come, or into the slack.
        uint8_t* to = out;
        out += length;
        do {
          std::memcpy(to, from, 8);
          to += 8;
          from += 8;
        } while (to < out);
      } else if (distance == 1) {
        std::memset(out, *from, length);
        out += length;
      } else {
        for (; length > 0; --length)
          *out++ = *from++;
      }
    }
    in_ = in, bits_ = bits, count_ = count, out_ = out;
    return ok && !Overread();
  }

  const uint8_t* const start_;
  const uint8_t* in_;
  const uint8_t* const end_;
  uint64_t bits_ = 0;
  uint32_t count_ = 0;
  size_t overrun_ = 0;
  uint8_t* const outStart_;
  uint8_t* out_;
  uint8_t* const outEnd_;
  TCodeLengths codeLengthTable_;
  TLiteralLengths literalLengths_;
  TDistances distances_;
};

} // namespace

TRawInflateResult InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
  return TInflater(in, inSize, out, outSize).Run();
}
