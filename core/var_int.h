// Compressed integers and strings of the chunked record format.
//
// An integer is written as 7-bit groups, most significant first; every byte but the
// last has bit 7 set. Negative values are written as their unsigned 32-bit pattern.
#pragma once

#include <cstdint>
#include <string>

#include "core/stream.h"

// Number of 7-bit groups the value needs (1..5).
int VarIntSize(uint32_t value);
// Writes the groups into Out (at least 5 bytes); returns their number.
int EncodeVarInt(uint32_t value, uint8_t* out);

// Reads one compressed integer; raises EReadError when the stream ends inside it.
inline uint32_t ReadVarInt(TStream& stream) {
  return stream.ReadVarUInt();
}
// Writes Value; with WithLengthByte, one plain byte holding the group count first.
void WriteVarInt(TStream& stream, int32_t value, bool withLengthByte = false);

// Reads a compressed count and checks that at least Count * MinBytesEach bytes remain,
// so that a hostile count can never make a reader allocate or loop beyond its input.
uint32_t ReadVarCount(TStream& stream, uint32_t minBytesEach = 1);

std::string ReadVarString(TStream& stream);
void WriteVarString(TStream& stream, const std::string& value);
