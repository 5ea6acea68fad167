// Two small files that declare huge contents, for the tests that refuse them and the
// benchmark that times the refusal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/stream.h"
#include "core/var_int.h"
#include "tests/core/image_bytes.h"

// Signature, the header of a 4096 x 4096 colour image, the end: 45 bytes.
inline std::vector<uint8_t> HostilePng() {
  ImageBytes png = PngSignature();
  Append(png, PngChunk("IHDR", IhdrData(4096, 4096, 2)));
  Append(png, PngChunk("IEND", {}));
  return png;
}

// A map file of 111 bytes declaring 16257 x 107 cells (1.7 M, under the cap), with 21
// cells in each layer.
inline std::vector<uint8_t> HostileMap() {
  TMemoryStream s;
  WriteVarString(s, "XelMapUnit");
  WriteVarInt(s, 2);
  WriteVarInt(s, 16257, true);
  WriteVarInt(s, 3);
  WriteVarInt(s, 107, true);
  for (int id : {71, 72}) {
    WriteVarInt(s, id);
    WriteVarInt(s, 21 * 2);
    const uint8_t cell[2] = {uint8_t(id == 71 ? 7 : 0x11), uint8_t(id == 71 ? 0 : 0x27)};
    for (int i = 0; i < 21; ++i)
      s.WriteBuffer(cell, 2);
  }
  WriteVarInt(s, 91);
  WriteVarInt(s, 300, true);
  s.WriteByte(0);
  return s.TakeBytes();
}
