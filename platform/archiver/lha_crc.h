// The 16-bit CRC that LHA archives keep for each member's data and for level-2 headers
// (reflected polynomial 0xA001, initial value 0).
#pragma once

#include <cstddef>
#include <cstdint>

uint16_t LhaCrc16(const uint8_t* data, size_t size, uint16_t crc = 0);
