// Member headers of LHA archives. We write level 2 only; we read levels 0, 1 and 2 so
// that members of an existing archive can be kept when files are added to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* MethodStored = "-lh0-";
inline constexpr const char* MethodLh5 = "-lh5-";
inline constexpr const char* MethodFolder = "-lhd-";

struct TLhaMember {
  std::string Method;
  // Code-page bytes with '/' between folders; for a folder its own path.
  std::string Name;
  uint32_t PackedSize = 0;
  uint32_t OriginalSize = 0;
  // Seconds since 1970 (level 2) or the packed DOS date and time (levels 0 and 1).
  uint32_t Time = 0;
  uint16_t Crc = 0;
  uint8_t Level = 2;
  // Bytes from the start of the header to the start of the packed data.
  size_t HeaderSize = 0;

  bool IsFolder() const { return Method == MethodFolder; }
};

// The level-2 header of Member (Method, Name, sizes, Time and Crc are used), with its
// own CRC filled in.
std::vector<uint8_t> MakeLevel2Header(const TLhaMember& member);

enum class THeaderRead { Member, End, Bad };

// Reads the header at Data, with Avail bytes of the archive left from there. End for the
// end mark (a zero byte or nothing left); Bad for a header that is malformed, of an
// unknown level, fails its checksum or CRC, or whose packed data runs past Avail.
THeaderRead ReadLhaHeader(const uint8_t* data, size_t avail, TLhaMember& member);
