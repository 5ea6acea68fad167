// The -lh5- method: LZSS over an 8 KiB window whose literals, match lengths and match
// distances are coded in blocks, each with its own static Huffman tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace lh5 {

inline constexpr size_t WindowSize = 8192;
inline constexpr int MinMatch = 3;
inline constexpr int MaxMatch = 256;
// Symbols of the three code tables: literals and lengths, the lengths of that table's
// code, and distance classes; and the bit widths of their counts.
inline constexpr int NC = 256 + MaxMatch - MinMatch + 1;
inline constexpr int NT = 19;
inline constexpr int NP = 14;
inline constexpr int CBit = 9;
inline constexpr int TBit = 5;
inline constexpr int PBit = 4;
inline constexpr int MaxCodeLength = 16;

} // namespace lh5

// Packs Size bytes. Stops early and returns false when the packed form would not be
// smaller than the data, which is then better stored as it is.
bool Lh5Encode(const uint8_t* data, size_t size, std::vector<uint8_t>& packed);

using TByteSink = std::function<void(const uint8_t* bytes, size_t size)>;

// Unpacks exactly Size bytes, handing them to Sink piece by piece in order, so that the
// memory used does not grow with Size. False for any malformed stream: a bad table, a
// distance before the start, a match past the end, or bits beyond the packed data.
bool Lh5Decode(const uint8_t* packed, size_t packedSize, uint64_t size, const TByteSink& sink);

// Unpacks exactly Size bytes into Out. False for any malformed stream: a bad table, a
// distance before the start, a match past the end, or bits beyond the packed data.
bool Lh5Decode(const uint8_t* packed, size_t packedSize, uint8_t* out, size_t size);
