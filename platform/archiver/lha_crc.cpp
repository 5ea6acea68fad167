#include "platform/archiver/lha_crc.h"

#include <array>

namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    unsigned r = i;
    for (int k = 0; k < 8; ++k)
      r = (r & 1) ? (r >> 1) ^ 0xA001 : r >> 1;
    table[i] = static_cast<uint16_t>(r);
  }
  return table;
}

constexpr std::array<uint16_t, 256> Table = MakeTable();

} // namespace

uint16_t LhaCrc16(const uint8_t* data, size_t size, uint16_t crc) {
  for (size_t i = 0; i < size; ++i)
    crc = static_cast<uint16_t>(Table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8));
  return crc;
}
