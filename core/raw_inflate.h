#pragma once

#include <cstddef>
#include <cstdint>

// Bytes past the end of the output that InflateRaw may overwrite: matches are copied in
// whole words.
constexpr size_t kInflateSlack = 16;

struct TRawInflateResult {
  // The final block was reached, every code on the way was valid, and the output fitted.
  bool complete = false;
  // Bytes of input up to the end of the final block, and of output made.
  size_t inUsed = 0;
  size_t outMade = 0;
};

// Inflates one raw deflate stream held whole in memory into Out, which has OutSize bytes
// plus kInflateSlack. It refuses everything zlib's inflater refuses, so a complete result
// is what zlib would make of the same bytes; it also gives up on input that ends before
// the final block and on output beyond OutSize. After a refusal the output means nothing:
// callers that need zlib's account of the fault ask zlib.
TRawInflateResult InflateRaw(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize);
