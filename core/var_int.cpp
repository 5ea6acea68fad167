#include "core/var_int.h"

#include "core/errors.h"
#include "core/stream.h"

int VarIntSize(uint32_t value) {
  // Most values written are small: ids, lengths, counts.
  if (value < (1u << 7)) return 1;
  if (value < (1u << 14)) return 2;
  if (value < (1u << 21)) return 3;
  if (value < (1u << 28)) return 4;
  return 5;
}

int EncodeVarInt(uint32_t value, uint8_t* out) {
  const int n = VarIntSize(value);
  for (int i = 0; i < n; ++i) {
    const int shift = 7 * (n - 1 - i);
    uint8_t group = static_cast<uint8_t>((value >> shift) & 0x7F);
    if (i < n - 1) group |= 0x80;
    out[i] = group;
  }
  return n;
}

void WriteVarInt(TStream& stream, int32_t value, bool withLengthByte) {
  uint8_t buf[6];
  const int n = EncodeVarInt(static_cast<uint32_t>(value), buf + 1);
  if (withLengthByte) {
    buf[0] = static_cast<uint8_t>(n);
    stream.WriteBuffer(buf, n + 1);
  } else {
    stream.WriteBuffer(buf + 1, n);
  }
}

uint32_t ReadVarCount(TStream& stream, uint32_t minBytesEach) {
  const uint32_t count = ReadVarInt(stream);
  stream.RequireRemaining(static_cast<uint64_t>(count) * minBytesEach);
  return count;
}

std::string ReadVarString(TStream& stream) {
  const uint32_t length = ReadVarCount(stream);
  std::string s(length, '\0');
  stream.ReadBuffer(s.data(), length);
  return s;
}

void WriteVarString(TStream& stream, const std::string& value) {
  WriteVarInt(stream, static_cast<int32_t>(value.size()));
  stream.WriteBuffer(value.data(), value.size());
}
