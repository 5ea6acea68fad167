#include <algorithm>
#include <cstdint>

#include "platform/archiver/lh5_codec.h"

using namespace lh5;

namespace {

// Tuning of the match finder: chain depth, the length after which the chain is cut short
// or searched less, and the longest match still worth a lazy look at the next byte.
constexpr int MaxChain = 128;
constexpr int GoodLength = 8;
constexpr int NiceLength = 128;
constexpr int LazyLength = 16;
// A three-byte match this far back costs more bits than three literals.
constexpr size_t TooFar = 4096;
constexpr size_t MaxDistance = WindowSize;
constexpr int HashBits = 15;
// Codes in one block; the block header's count is 16 bits wide.
constexpr size_t BlockCodes = 32768;

class TBitWriter {
public:
  explicit TBitWriter(std::vector<uint8_t>& out) : Out(out) {}
  void Put(int bits, uint32_t value) {
    if (bits == 0) return;
    Acc = (Acc << bits) | (value & ((1u << bits) - 1));
    Count += bits;
    while (Count >= 8) {
      Count -= 8;
      Out.push_back(static_cast<uint8_t>(Acc >> Count));
    }
  }
  void Flush() {
    if (Count > 0) Out.push_back(static_cast<uint8_t>(Acc << (8 - Count)));
    Count = 0;
  }

private:
  std::vector<uint8_t>& Out;
  uint64_t Acc = 0;
  int Count = 0;
};

// Huffman code lengths of the used symbols, none longer than MaxCodeLength. When the
// optimal tree is too deep the counts are flattened and the tree built again. Works in
// fixed arrays: it runs for every table of every block.
void BuildLengths(const uint32_t* freq, int n, uint8_t* len) {
  std::fill(len, len + n, 0);
  int symbols[NC];
  uint64_t counts[NC];
  int m = 0;
  for (int i = 0; i < n; ++i) {
    counts[i] = freq[i];
    if (freq[i]) symbols[m++] = i;
  }
  if (m < 2) return;
  uint64_t weight[2 * NC - 1];
  int parent[2 * NC - 1], depth[2 * NC - 1];
  uint64_t keys[NC];
  for (;;) {
    // By count, ties kept in their present order; counts stay below 2^32, the order
    // below 2^16.
    for (int i = 0; i < m; ++i)
      keys[i] = counts[symbols[i]] << 16 | static_cast<uint64_t>(i);
    std::sort(keys, keys + m);
    int sorted[NC];
    for (int i = 0; i < m; ++i)
      sorted[i] = symbols[keys[i] & 0xFFFF];
    std::copy_n(sorted, m, symbols);
    for (int i = 0; i < m; ++i)
      weight[i] = counts[symbols[i]];
    // Leaves come sorted and merged nodes are made in rising weight: two queues suffice.
    int leaf = 0, node = m;
    for (int k = m; k < 2 * m - 1; ++k) {
      auto pick = [&] {
        return leaf < m && (node >= k || weight[leaf] <= weight[node]) ? leaf++ : node++;
      };
      const int a = pick();
      const int b = pick();
      weight[k] = weight[a] + weight[b];
      parent[a] = parent[b] = k;
    }
    depth[2 * m - 2] = 0;
    int deepest = 0;
    for (int i = 2 * m - 3; i >= 0; --i) {
      depth[i] = depth[parent[i]] + 1;
      deepest = std::max(deepest, depth[i]);
    }
    if (deepest <= MaxCodeLength) {
      for (int i = 0; i < m; ++i)
        len[symbols[i]] = static_cast<uint8_t>(depth[i]);
      return;
    }
    for (int i = 0; i < m; ++i)
      counts[symbols[i]] = (counts[symbols[i]] + 1) / 2;
  }
}

// Canonical codes: shorter codes first, and within one length in symbol order.
void MakeCodes(const uint8_t* len, int n, uint16_t* code) {
  int count[MaxCodeLength + 1] = {};
  for (int i = 0; i < n; ++i)
    count[len[i]]++;
  count[0] = 0;
  uint32_t next[MaxCodeLength + 1] = {};
  uint32_t c = 0;
  for (int bits = 1; bits <= MaxCodeLength; ++bits) {
    c = (c + count[bits - 1]) << 1;
    next[bits] = c;
  }
  for (int i = 0; i < n; ++i)
    code[i] = len[i] ? static_cast<uint16_t>(next[len[i]]++) : 0;
}

int UsedSymbol(const uint32_t* freq, int n, int& used) {
  used = 0;
  int last = 0;
  for (int i = 0; i < n; ++i)
    if (freq[i]) {
      ++used;
      last = i;
    }
  return last;
}

int DistanceClass(uint32_t p) {
  int bits = 0;
  while (p) {
    ++bits;
    p >>= 1;
  }
  return bits;
}

class TBlockWriter {
public:
  explicit TBlockWriter(TBitWriter& bits) : Bits(bits) {}

  void Write(const std::vector<uint16_t>& codes, const std::vector<uint16_t>& positions) {
    uint32_t cFreq[NC] = {}, pFreq[NP] = {};
    size_t m = 0;
    for (uint16_t c : codes) {
      cFreq[c]++;
      if (c >= 256) pFreq[DistanceClass(positions[m++])]++;
    }
    BuildLengths(cFreq, NC, CLen);
    MakeCodes(CLen, NC, CCode);
    int cUsed = 0;
    const int cOnly = UsedSymbol(cFreq, NC, cUsed);

    Bits.Put(16, static_cast<uint32_t>(codes.size()));
    if (cUsed > 1) {
      uint32_t tFreq[NT] = {};
      CountLengthCodes(tFreq);
      BuildLengths(tFreq, NT, TLen);
      MakeCodes(TLen, NT, TCode);
      int tUsed = 0;
      const int tOnly = UsedSymbol(tFreq, NT, tUsed);
      if (tUsed > 1) {
        WritePtLengths(TLen, NT, TBit, 3);
      } else {
        Bits.Put(TBit, 0);
        Bits.Put(TBit, tOnly);
      }
      WriteCLengths();
    } else {
      Bits.Put(TBit, 0);
      Bits.Put(TBit, 0);
      Bits.Put(CBit, 0);
      Bits.Put(CBit, cOnly);
    }

    BuildLengths(pFreq, NP, PLen);
    MakeCodes(PLen, NP, PCode);
    int pUsed = 0;
    const int pOnly = UsedSymbol(pFreq, NP, pUsed);
    if (pUsed > 1) {
      WritePtLengths(PLen, NP, PBit, -1);
    } else {
      Bits.Put(PBit, 0);
      Bits.Put(PBit, pOnly);
    }

    m = 0;
    for (uint16_t c : codes) {
      Bits.Put(CLen[c], CCode[c]);
      if (c < 256) continue;
      const uint32_t p = positions[m++];
      const int cls = DistanceClass(p);
      Bits.Put(PLen[cls], PCode[cls]);
      if (cls > 1) Bits.Put(cls - 1, p);
    }
  }

private:
  int CLengthCount() const {
    int n = NC;
    while (n > 0 && CLen[n - 1] == 0)
      --n;
    return n;
  }

  // Walks the code lengths as WriteCLengths sends them; Emit(symbol, extraBits, extra).
  template <typename F> void ForEachLengthCode(F emit) const {
    const int n = CLengthCount();
    for (int i = 0; i < n;) {
      const int k = CLen[i++];
      if (k != 0) {
        emit(k + 2, 0, 0);
        continue;
      }
      int run = 1;
      while (i < n && CLen[i] == 0) {
        ++i;
        ++run;
      }
      if (run <= 2) {
        for (int j = 0; j < run; ++j)
          emit(0, 0, 0);
      } else if (run <= 18) {
        emit(1, 4, run - 3);
      } else if (run == 19) {
        emit(0, 0, 0);
        emit(1, 4, 15);
      } else {
        emit(2, CBit, run - 20);
      }
    }
  }

  void CountLengthCodes(uint32_t* tFreq) const {
    ForEachLengthCode([&](int symbol, int, int) { tFreq[symbol]++; });
  }

  void WriteCLengths() {
    Bits.Put(CBit, CLengthCount());
    ForEachLengthCode([&](int symbol, int extraBits, int extra) {
      Bits.Put(TLen[symbol], TCode[symbol]);
      Bits.Put(extraBits, extra);
    });
  }

  // Lengths of the small tables: three bits each, lengths from 7 on as 7 plus a run of
  // ones ended by a zero; after the third entry a two-bit count of zeros to skip.
  void WritePtLengths(const uint8_t* len, int n, int countBits, int special) {
    while (n > 0 && len[n - 1] == 0)
      --n;
    Bits.Put(countBits, n);
    for (int i = 0; i < n;) {
      const int k = len[i++];
      if (k <= 6)
        Bits.Put(3, k);
      else
        Bits.Put(k - 3, (1u << (k - 3)) - 2);
      if (i == special) {
        int skip = 0;
        while (i < n && skip < 3 && len[i] == 0) {
          ++i;
          ++skip;
        }
        Bits.Put(2, skip);
      }
    }
  }

  TBitWriter& Bits;
  uint8_t CLen[NC] = {}, TLen[NT] = {}, PLen[NP] = {};
  uint16_t CCode[NC] = {}, TCode[NT] = {}, PCode[NP] = {};
};

class TMatchFinder {
public:
  // The tables are the thread's, kept from call to call, and hold positions offset by a
  // base that moves past every call's data: entries below this call's base are empty.
  // A small file then costs no clearing of the large tables at all.
  TMatchFinder(const uint8_t* data, size_t size)
      : Data(data), Size(size), Head(Tables().Head), Prev(Tables().Prev) {
    TTables& tables = Tables();
    if (size >= UINT32_MAX - tables.Next) {
      std::fill(Head.begin(), Head.end(), 0);
      std::fill(Prev.begin(), Prev.end(), 0);
      tables.Next = 0;
    }
    Base = tables.Next + 1;
    tables.Next = Base + static_cast<uint32_t>(size);
  }

  void Insert(size_t pos) {
    if (pos + MinMatch > Size) return;
    uint32_t& head = Head[Hash(pos)];
    Prev[pos & (WindowSize - 1)] = head;
    head = Base + static_cast<uint32_t>(pos);
  }

  // The longest match at Pos (already inserted) longer than Better; its length or 0.
  int Find(size_t pos, int better, size_t& distance) const {
    const size_t limit = std::min<size_t>(MaxMatch, Size - pos);
    if (limit < size_t(MinMatch)) return 0;
    int chain = better >= GoodLength ? MaxChain / 4 : MaxChain;
    int best = std::max(better, MinMatch - 1);
    if (best >= static_cast<int>(limit)) return 0; // nothing longer fits
    int found = 0;
    const uint8_t* here = Data + pos;
    uint32_t entry = Prev[pos & (WindowSize - 1)];
    size_t cand = 0;
    while (entry >= Base && (cand = entry - Base) < pos && pos - cand <= MaxDistance &&
           chain-- > 0) {
      const uint8_t* there = Data + cand;
      if (there[best] == here[best] && there[0] == here[0] && there[1] == here[1]) {
        size_t len = 2;
        while (len < limit && there[len] == here[len])
          ++len;
        if (static_cast<int>(len) > best) {
          best = static_cast<int>(len);
          found = best;
          distance = pos - cand;
          if (len >= limit || best >= NiceLength) break;
        }
      }
      entry = Prev[cand & (WindowSize - 1)];
    }
    if (found == MinMatch && distance > TooFar) return 0;
    return found;
  }

private:
  uint32_t Hash(size_t pos) const {
    const uint32_t v = Data[pos] | (Data[pos + 1] << 8) | (Data[pos + 2] << 16);
    return (v * 2654435761u) >> (32 - HashBits);
  }

  struct TTables {
    std::vector<uint32_t> Head = std::vector<uint32_t>(size_t(1) << HashBits);
    std::vector<uint32_t> Prev = std::vector<uint32_t>(WindowSize);
    uint32_t Next = 0; // the last base handed out plus its call's size
  };
  static TTables& Tables() {
    thread_local TTables tables;
    return tables;
  }

  const uint8_t* Data;
  size_t Size;
  std::vector<uint32_t>& Head;
  std::vector<uint32_t>& Prev;
  uint32_t Base = 0;
};

} // namespace

bool Lh5Encode(const uint8_t* data, size_t size, std::vector<uint8_t>& packed) {
  packed.clear();
  if (size == 0) return false;
  TBitWriter bits(packed);
  TBlockWriter block(bits);
  TMatchFinder finder(data, size);
  std::vector<uint16_t> codes, positions;
  // A block holds at most one code per input byte.
  codes.reserve(std::min(BlockCodes, size));
  positions.reserve(std::min(BlockCodes, size));

  auto literal = [&](uint8_t b) { codes.push_back(b); };
  auto match = [&](int len, size_t distance) {
    codes.push_back(static_cast<uint16_t>(256 + len - MinMatch));
    positions.push_back(static_cast<uint16_t>(distance - 1));
  };
  auto flushIfFull = [&] {
    if (codes.size() < BlockCodes) return true;
    block.Write(codes, positions);
    codes.clear();
    positions.clear();
    return packed.size() < size;
  };

  // Lazy matching: a match is taken only when the match at the next byte is no longer.
  size_t pos = 0;
  int prevLen = 0;
  size_t prevDistance = 0;
  bool pending = false;
  while (pos < size) {
    finder.Insert(pos);
    size_t distance = 0;
    const int len = prevLen < LazyLength ? finder.Find(pos, prevLen, distance) : 0;
    if (prevLen >= MinMatch && len <= prevLen) {
      match(prevLen, prevDistance);
      const size_t end = pos - 1 + prevLen;
      for (size_t q = pos + 1; q < end; ++q)
        finder.Insert(q);
      pos = end;
      pending = false;
      prevLen = 0;
    } else {
      if (pending) literal(data[pos - 1]);
      pending = true;
      prevLen = len;
      prevDistance = distance;
      ++pos;
    }
    if (!flushIfFull()) return false;
  }
  if (pending) {
    if (prevLen >= MinMatch)
      match(prevLen, prevDistance);
    else
      literal(data[size - 1]);
  }
  if (!codes.empty()) block.Write(codes, positions);
  bits.Flush();
  return packed.size() < size;
}
