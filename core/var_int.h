// Compressed integers and strings of the chunked record format.
//
// An integer is written as 7-bit groups, most significant first; every byte but the
// last has bit 7 set. Negative values are written as their unsigned 32-bit pattern.
#pragma once

#include <cstdint>
#include <string>

#include "core/stream.h"

// Number of 7-bit groups the value needs (1..5). Inline, like the writers below: a save
// writes several for every field.
inline int VarIntSize(uint32_t value) {
  // Most values written are small: ids, lengths, counts.
  if (value < (1u << 7)) return 1;
  if (value < (1u << 14)) return 2;
  if (value < (1u << 21)) return 3;
  if (value < (1u << 28)) return 4;
  return 5;
}
// Writes the groups into Out (at least 5 bytes); returns their number.
inline int EncodeVarInt(uint32_t value, uint8_t* out) {
  const int n = VarIntSize(value);
  for (int i = 0; i < n; ++i) {
    const int shift = 7 * (n - 1 - i);
    uint8_t group = static_cast<uint8_t>((value >> shift) & 0x7F);
    if (i < n - 1) group |= 0x80;
    out[i] = group;
  }
  return n;
}

// Reads one compressed integer; raises EReadError when the stream ends inside it.
inline uint32_t ReadVarInt(TStream& stream) {
  return stream.ReadVarUInt();
}
// Writes Value; with WithLengthByte, one plain byte holding the group count first.
inline void WriteVarInt(TStream& stream, int32_t value, bool withLengthByte = false) {
  uint8_t buf[6];
  const int n = EncodeVarInt(static_cast<uint32_t>(value), buf + 1);
  if (withLengthByte) {
    buf[0] = static_cast<uint8_t>(n);
    stream.WriteBuffer(buf, size_t(n) + 1);
  } else {
    stream.WriteBuffer(buf + 1, size_t(n));
  }
}

// Reads a compressed count and checks that at least Count * MinBytesEach bytes remain,
// so that a hostile count can never make a reader allocate or loop beyond its input.
inline uint32_t ReadVarCount(TStream& stream, uint32_t minBytesEach = 1) {
  const uint32_t count = ReadVarInt(stream);
  stream.RequireRemaining(static_cast<uint64_t>(count) * minBytesEach);
  return count;
}

std::string ReadVarString(TStream& stream);
inline void WriteVarString(TStream& stream, const std::string& value) {
  WriteVarInt(stream, static_cast<int32_t>(value.size()));
  stream.WriteBuffer(value.data(), value.size());
}

// The width of the length that the last chunk saved in place at each nesting depth
// turned out to need. Siblings are mostly alike in size and a record saved again keeps
// its size, so reserving that width up front mostly spares moving the chunk afterwards.
class TChunkWidthGuess {
public:
  TChunkWidthGuess() : depth_(Depth()++) {}
  ~TChunkWidthGuess() { --Depth(); }
  TChunkWidthGuess(const TChunkWidthGuess&) = delete;
  TChunkWidthGuess& operator=(const TChunkWidthGuess&) = delete;
  size_t Width() const { return depth_ < MaxDepth ? Widths()[depth_] + 1u : 1u; }
  void Keep(size_t width) {
    if (depth_ < MaxDepth) Widths()[depth_] = uint8_t(width - 1);
  }

private:
  static constexpr size_t MaxDepth = 16;
  static size_t& Depth() {
    thread_local size_t depth = 0;
    return depth;
  }
  static uint8_t* Widths() {
    thread_local uint8_t widths[MaxDepth] = {};
    return widths;
  }
  size_t depth_;
};

// Writes the head of chunk Id: its id, then its Length.
void WriteChunkHead(TStream& stream, int id, uint32_t length);

// Writes chunk Id (its id, its length, then what Save (TStream&) writes) straight into
// Stream when Stream is a memory stream being appended to: behind room for its length as
// wide as TChunkWidthGuess expects, corrected afterwards when the guess was wrong, so
// chunks are mostly never copied and otherwise move once within the buffer. Returns the
// width of the length written; 0, with nothing written, otherwise.
template <class Save> int WriteChunkInPlace(TStream& stream, uint32_t id, Save&& save) {
  TMemoryStream* memory = stream.AsMemoryStream();
  if (!memory || memory->GetPosition() != memory->GetSize()) return 0;
  uint8_t head[5] = {};
  memory->WriteBuffer(head, size_t(EncodeVarInt(id, head)));
  TChunkWidthGuess guess;
  const size_t reserved = guess.Width();
  const size_t start = size_t(memory->GetPosition());
  memory->WriteBuffer(head, reserved); // overwritten below
  save(static_cast<TStream&>(*memory));
  const size_t length = size_t(memory->GetSize()) - start - reserved;
  const size_t width = size_t(EncodeVarInt(static_cast<uint32_t>(length), head));
  if (width != reserved) memory->ResizeAt(start, reserved, width);
  guess.Keep(width);
  memory->SetPosition(int64_t(start));
  memory->WriteBuffer(head, width);
  memory->SetPosition(memory->GetSize());
  return int(width);
}
