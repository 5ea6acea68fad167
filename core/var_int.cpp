#include "core/var_int.h"

#include "core/errors.h"
#include "core/stream.h"

std::string ReadVarString(TStream& stream) {
  const uint32_t length = ReadVarCount(stream);
  std::string s(length, '\0');
  stream.ReadBuffer(s.data(), length);
  return s;
}
