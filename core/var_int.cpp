#include "core/var_int.h"

#include "core/errors.h"
#include "core/stream.h"

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
