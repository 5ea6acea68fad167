#include <algorithm>
#include <cstring>

#include "platform/archiver/lh5_codec.h"

using namespace lh5;

namespace {

// Reads bits from the most significant end. Past the data it reads zeros but keeps count,
// so a stream that needs more bits than it has is caught.
class TBitReader {
public:
  TBitReader(const uint8_t* data, size_t size) : Data(data), Size(size) { Fill(); }

  uint32_t Peek(int n) const { return n == 0 ? 0 : static_cast<uint32_t>(Acc >> (64 - n)); }
  void Skip(int n) {
    Acc <<= n;
    Bits -= n;
    Used += n;
    if (Bits < 32) Fill();
  }
  uint32_t Get(int n) {
    const uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  bool Overrun() const { return Used > static_cast<uint64_t>(Size) * 8; }

private:
  void Fill() {
    while (Bits <= 56) {
      const uint64_t byte = Pos < Size ? Data[Pos] : 0;
      ++Pos;
      Acc |= byte << (56 - Bits);
      Bits += 8;
    }
  }

  const uint8_t* Data;
  size_t Size;
  size_t Pos = 0;
  uint64_t Acc = 0;
  int Bits = 0;
  uint64_t Used = 0;
};

// A canonical Huffman decoding table. Codes up to FastBits long are looked up directly
// by the next FastBits bits; the rare longer ones are found by walking the lengths. A
// table indexed by the full 16 bits would cost far more to fill than most blocks take to
// decode, and every block brings new tables.
class TDecodeTable {
public:
  void Single(int symbol) {
    MaxLen = FastBits = 0;
    FastSymbol[0] = static_cast<uint16_t>(symbol);
    FastLength[0] = 0;
  }

  // Only complete codes are accepted: every bit pattern must decode to a symbol.
  bool Build(const uint8_t* len, int n) {
    int count[MaxCodeLength + 1] = {};
    for (int i = 0; i < n; ++i)
      count[len[i]]++;
    uint32_t total = 0;
    MaxLen = 0;
    for (int l = 1; l <= MaxCodeLength; ++l) {
      total += static_cast<uint32_t>(count[l]) << (MaxCodeLength - l);
      if (count[l]) MaxLen = l;
    }
    if (total != (1u << MaxCodeLength)) return false;
    // Canonical order: shorter codes first, and within one length by symbol.
    uint32_t code = 0;
    int index = 0;
    int next[MaxCodeLength + 1] = {};
    for (int l = 1; l <= MaxLen; ++l) {
      First[l] = code;
      Count[l] = static_cast<uint32_t>(count[l]);
      Offset[l] = next[l] = index;
      code = (code + Count[l]) << 1;
      index += count[l];
    }
    for (int s = 0; s < n; ++s)
      if (len[s]) Sorted[next[len[s]]++] = static_cast<uint16_t>(s);
    FastBits = std::min(MaxLen, MaxFastBits);
    std::fill_n(FastLength, size_t(1) << FastBits, LongCode);
    for (int l = 1; l <= FastBits; ++l) {
      const size_t span = size_t(1) << (FastBits - l);
      for (uint32_t k = 0; k < Count[l]; ++k) {
        const size_t start = static_cast<size_t>(First[l] + k) << (FastBits - l);
        std::fill_n(FastSymbol + start, span, Sorted[Offset[l] + static_cast<int>(k)]);
        std::fill_n(FastLength + start, span, static_cast<uint8_t>(l));
      }
    }
    return true;
  }

  int Decode(TBitReader& bits) const {
    const uint32_t v = bits.Peek(FastBits);
    if (FastLength[v] != LongCode) {
      bits.Skip(FastLength[v]);
      return FastSymbol[v];
    }
    const uint32_t w = bits.Peek(MaxLen);
    for (int l = FastBits + 1; l <= MaxLen; ++l) {
      const uint32_t k = (w >> (MaxLen - l)) - First[l];
      if (k < Count[l]) {
        bits.Skip(l);
        return Sorted[Offset[l] + static_cast<int>(k)];
      }
    }
    return 0; // not reached: a complete code decodes every pattern
  }

private:
  static constexpr int MaxFastBits = 10;
  static constexpr uint8_t LongCode = 0xFF;
  int MaxLen = 0;
  int FastBits = 0;
  uint16_t FastSymbol[1 << MaxFastBits] = {};
  uint8_t FastLength[1 << MaxFastBits] = {};
  // Per code length: the first canonical code, how many codes, and where their symbols
  // start in Sorted.
  uint32_t First[MaxCodeLength + 1] = {};
  uint32_t Count[MaxCodeLength + 1] = {};
  int Offset[MaxCodeLength + 1] = {};
  uint16_t Sorted[NC] = {};
};

class TLh5Decoder {
public:
  TLh5Decoder(const uint8_t* packed, size_t size) : Bits(packed, size) {}

  // Unpacks into a buffer that keeps the window before the newest bytes, handing the
  // older ones to Sink whenever it fills.
  bool Run(uint64_t size, const TByteSink& sink) {
    constexpr size_t Chunk = 65536;
    // The thread's buffer, kept from call to call. It needs no clearing: a match may
    // reach back only over bytes this call has written (the distance check below).
    thread_local std::vector<uint8_t> buffer(WindowSize + Chunk + MaxMatch);
    size_t fill = 0;   // bytes in the buffer
    size_t window = 0; // of them, bytes already handed on and kept only as history
    uint64_t done = 0; // bytes handed on
    uint32_t blockLeft = 0;
    while (done + (fill - window) < size) {
      if (fill >= WindowSize + Chunk) {
        sink(buffer.data() + window, fill - window);
        done += fill - window;
        std::memmove(buffer.data(), buffer.data() + fill - WindowSize, WindowSize);
        fill = window = WindowSize;
      }
      if (blockLeft == 0) {
        blockLeft = Bits.Get(16);
        if (!ReadPtLengths(T, NT, TBit, 3) || !ReadCLengths() || !ReadPtLengths(P, NP, PBit, -1) ||
            Bits.Overrun())
          return false;
        continue;
      }
      --blockLeft;
      const uint64_t written = done + (fill - window);
      const int c = C.Decode(Bits);
      if (c < 256) {
        buffer[fill++] = static_cast<uint8_t>(c);
      } else {
        const size_t len = static_cast<size_t>(c) - 256 + MinMatch;
        uint32_t p = P.Decode(Bits);
        if (p > 1) p = (1u << (p - 1)) + Bits.Get(p - 1);
        const size_t distance = p + 1;
        if (distance > written || len > size - written) return false;
        uint8_t* to = buffer.data() + fill;
        const uint8_t* from = to - distance;
        for (size_t i = 0; i < len; ++i)
          to[i] = from[i];
        fill += len;
      }
      if (Bits.Overrun()) return false;
    }
    if (fill > window) sink(buffer.data() + window, fill - window);
    return true;
  }

private:
  // The count of code lengths that follow. A count of 0 is followed instead by the one
  // symbol the table has, whose code then takes no bits. -1 for a count or symbol out of
  // range.
  int ReadLengthCount(TDecodeTable& table, int nn, int countBits) {
    const int n = static_cast<int>(Bits.Get(countBits));
    if (n == 0) {
      const int c = static_cast<int>(Bits.Get(countBits));
      if (c >= nn) return -1;
      table.Single(c);
    }
    return n > nn ? -1 : n;
  }

  bool ReadPtLengths(TDecodeTable& table, int nn, int countBits, int special) {
    const int n = ReadLengthCount(table, nn, countBits);
    if (n <= 0) return n == 0;
    uint8_t len[NT] = {};
    for (int i = 0; i < n;) {
      int c = static_cast<int>(Bits.Get(3));
      if (c == 7) {
        while (Bits.Get(1) == 1)
          if (++c > MaxCodeLength) return false;
      }
      len[i++] = static_cast<uint8_t>(c);
      if (i == special) {
        for (int skip = static_cast<int>(Bits.Get(2)); skip > 0 && i < nn; --skip)
          len[i++] = 0;
      }
    }
    return table.Build(len, nn);
  }

  bool ReadCLengths() {
    const int n = ReadLengthCount(C, NC, CBit);
    if (n <= 0) return n == 0;
    uint8_t len[NC] = {};
    for (int i = 0; i < n;) {
      const int c = T.Decode(Bits);
      if (c > 2) {
        len[i++] = static_cast<uint8_t>(c - 2);
        continue;
      }
      const int run = c == 0   ? 1
                      : c == 1 ? static_cast<int>(Bits.Get(4)) + 3
                               : static_cast<int>(Bits.Get(CBit)) + 20;
      if (run > n - i) return false;
      i += run;
      if (Bits.Overrun()) return false;
    }
    return C.Build(len, NC);
  }

  TBitReader Bits;
  TDecodeTable T, C, P;
};

} // namespace

bool Lh5Decode(const uint8_t* packed, size_t packedSize, uint64_t size, const TByteSink& sink) {
  return TLh5Decoder(packed, packedSize).Run(size, sink);
}

bool Lh5Decode(const uint8_t* packed, size_t packedSize, uint8_t* out, size_t size) {
  return Lh5Decode(packed, packedSize, size, [&out](const uint8_t* bytes, size_t n) {
    std::memcpy(out, bytes, n);
    out += n;
  });
}
