#include "core/png_image.h"

#include <libdeflate.h>
#include <zlib.h>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/image_messages.h"
#include "core/stream.h"

namespace {

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr size_t kIdatSize = 65536;
// Deflate never packs more than 1032 bytes into one, so rows that would have to inflate
// further than that from the rest of the file cannot all be there.
constexpr uint64_t kMaxInflateRatio = 1032;

[[noreturn]] void Invalid() {
  throw EInvalidGraphic(SInvalidPngImage);
}
// A damaged file: "Invalid PNG Image" with the fault it shows.
[[noreturn]] void Damaged(const std::string& fault) {
  throw EInvalidGraphic(std::string(SInvalidPngImage) + ": " + fault);
}
[[noreturn]] void Unsupported() {
  throw EInvalidGraphic(SUnsupportedPngImage);
}

uint32_t GetBE32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
void PutBE32(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}
uint32_t ChunkType(const char* name) {
  return GetBE32(reinterpret_cast<const uint8_t*>(name));
}

const uint32_t kIHDR = ChunkType("IHDR"), kPLTE = ChunkType("PLTE"), kIDAT = ChunkType("IDAT"),
               kIEND = ChunkType("IEND");

// Ends the inflation or deflation however the reader or writer leaves.
struct TRawInflater {
  z_stream z{};
  TRawInflater() {
    if (inflateInit2(&z, -15) != Z_OK) throw EZlibError();
  }
  ~TRawInflater() { inflateEnd(&z); }
};

struct TDeflater {
  z_stream z{};
  TDeflater() {
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw EZlibError();
  }
  ~TDeflater() { deflateEnd(&z); }
};

#if defined(__x86_64__)
// CRC-32 of whole 16-byte blocks (at least four) by carry-less multiplication: four lanes
// folded 64 bytes a step, then into one, then reduced to 32 bits (Barrett). Crc is the
// running value without zlib's inversions.
#define VELMORA_CLMUL __attribute__((target("pclmul,sse4.1")))
VELMORA_CLMUL inline __m128i Load128(const uint8_t* q) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
}
VELMORA_CLMUL inline __m128i Fold128(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(
      _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)), next);
}
VELMORA_CLMUL uint32_t Crc32Folded(uint32_t crc, const uint8_t* p, size_t n) {
  const auto load = Load128;
  const auto fold = Fold128;
  const __m128i k1k2 = _mm_set_epi64x(0x1c6e41596, 0x154442bd4);
  const __m128i k3k4 = _mm_set_epi64x(0x0ccaa009e, 0x1751997d0);
  const __m128i k5 = _mm_set_epi64x(0, 0x163cd6124);
  const __m128i poly = _mm_set_epi64x(0x1F7011641, 0x1DB710641);
  const __m128i mask32 = _mm_set_epi32(0, 0, 0, -1);
  __m128i x1 = _mm_xor_si128(load(p), _mm_cvtsi32_si128(int(crc)));
  __m128i x2 = load(p + 16), x3 = load(p + 32), x4 = load(p + 48);
  p += 64;
  n -= 64;
  for (; n >= 64; p += 64, n -= 64) {
    x1 = fold(x1, k1k2, load(p));
    x2 = fold(x2, k1k2, load(p + 16));
    x3 = fold(x3, k1k2, load(p + 32));
    x4 = fold(x4, k1k2, load(p + 48));
  }
  x1 = fold(fold(fold(x1, k3k4, x2), k3k4, x3), k3k4, x4);
  for (; n >= 16; p += 16, n -= 16)
    x1 = fold(x1, k3k4, load(p));
  // 128 bits to 64, then to 32 with 32 zero bits appended, then the reduction.
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 8), _mm_clmulepi64_si128(x1, k3k4, 0x10));
  x1 = _mm_xor_si128(_mm_srli_si128(x1, 4),
                     _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), k5, 0x00));
  __m128i t = _mm_clmulepi64_si128(_mm_and_si128(x1, mask32), poly, 0x10);
  t = _mm_clmulepi64_si128(_mm_and_si128(t, mask32), poly, 0x00);
  return uint32_t(_mm_extract_epi32(_mm_xor_si128(t, x1), 1));
}
#undef VELMORA_CLMUL
#endif

// The CRC-32 of PNG chunks, as zlib's crc32 gives it.
uLong Crc32(uLong crc, const uint8_t* p, size_t n) {
#if defined(__x86_64__)
  // Checked once against zlib on a sample before it is trusted.
  static const bool folded = [] {
    if (!__builtin_cpu_supports("pclmul") || !__builtin_cpu_supports("sse4.1")) return false;
    uint8_t sample[1000];
    for (size_t i = 0; i < sizeof sample; ++i)
      sample[i] = uint8_t(i * 131 + (i >> 3));
    const uLong ours = ~Crc32Folded(~uint32_t(12345), sample, 992) & 0xFFFFFFFFu;
    return ours == crc32(12345, sample, 992);
  }();
  if (folded && n >= 64) {
    const size_t whole = n & ~size_t(15);
    crc = ~Crc32Folded(~uint32_t(crc), p, whole) & 0xFFFFFFFFu;
    p += whole;
    n -= whole;
  }
#endif
  return crc32(crc, p, uInt(n));
}

// Undoes the filter of one row. In holds the filtered bytes, Out receives the row (it may
// be In itself); Prev is the previous unfiltered row (zeros for the first row); Bpp the
// bytes of one pixel.
template <int Bpp>
void Unfilter(uint8_t filter, const uint8_t* in, uint8_t* out, const uint8_t* prev, size_t n) {
  switch (filter) {
  case 0:
    if (in != out) std::memcpy(out, in, n);
    return;
  case 1:
    for (size_t i = 0; i < Bpp; ++i)
      out[i] = in[i];
    for (size_t i = Bpp; i < n; ++i)
      out[i] = uint8_t(in[i] + out[i - Bpp]);
    return;
  case 2:
    for (size_t i = 0; i < n; ++i)
      out[i] = uint8_t(in[i] + prev[i]);
    return;
  case 3:
    for (size_t i = 0; i < Bpp; ++i)
      out[i] = uint8_t(in[i] + (prev[i] >> 1));
    for (size_t i = Bpp; i < n; ++i)
      out[i] = uint8_t(in[i] + ((out[i - Bpp] + prev[i]) >> 1));
    return;
  case 4:
    for (size_t i = 0; i < Bpp; ++i)
      out[i] = uint8_t(in[i] + prev[i]);
    for (size_t i = Bpp; i < n; ++i) {
      // Only the distances to the left neighbour wait for the byte before; the rest is
      // known ahead, which keeps the chain from one byte to the next short.
      const int b = prev[i], c = prev[i - Bpp], a = out[i - Bpp];
      const int pa = std::abs(b - c), d = a - c;
      const int pb = std::abs(d), pc = std::abs(d + b - c);
      const int far = pb <= pc ? b : c;
      out[i] = uint8_t(in[i] + (pa <= pb && pa <= pc ? a : far));
    }
    return;
  default:
    Invalid();
  }
}

// Copies a row of red-green-blue pixels as blue-green-red.
void SwapRedBlue(const uint8_t* in, uint8_t* out, size_t pixels) {
  for (size_t x = 0; x < pixels; ++x, in += 3, out += 3)
    out[0] = in[2], out[1] = in[1], out[2] = in[0];
}

#if defined(__x86_64__)
// Four pixels a step by one byte shuffle; the 16-byte loads and stores reach four bytes
// past the twelve they keep, so the last pixels go the plain way.
__attribute__((target("ssse3"))) void SwapRedBlueSsse3(const uint8_t* in, uint8_t* out,
                                                       size_t pixels) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 12, 13, 14, 15);
  size_t x = 0;
  for (; x + 6 <= pixels; x += 4, in += 12, out += 12) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(v, order));
  }
  SwapRedBlue(in, out, pixels - x);
}
#endif

void MoveRgbRow(const uint8_t* in, uint8_t* out, size_t pixels) {
#if defined(__x86_64__)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) return SwapRedBlueSsse3(in, out, pixels);
#endif
  SwapRedBlue(in, out, pixels);
}

class TPngDecoder {
public:
  TPngDecoder(TStream& stream, TBitmap& bitmap) : stream_(stream), bitmap_(bitmap) {}
  ~TPngDecoder() {
    // A huge image's buffers are not kept.
    constexpr size_t kKeep = size_t(16) << 20;
    for (std::vector<uint8_t>* b : {&raw_, &chunk_, &gather_})
      if (b->capacity() > kKeep) std::vector<uint8_t>().swap(*b);
  }
  TPngDecoder(const TPngDecoder&) = delete;
  TPngDecoder& operator=(const TPngDecoder&) = delete;

  void Run() {
    uint8_t signature[8];
    stream_.ReadBuffer(signature, 8);
    if (std::memcmp(signature, kSignature, 8) != 0) Invalid();
    for (bool done = false; !done;) {
      uint8_t head[8];
      stream_.ReadBuffer(head, 8);
      const uint32_t length = GetBE32(head), type = GetBE32(head + 4);
      if (length > 0x7FFFFFFFu) Invalid();
      crc_ = crc32(0, head + 4, 4);
      std::memcpy(type_name_, head + 4, 4);
      if (!have_header_ && type != kIHDR) Invalid();
      // The image data ends at the first other chunk: it is inflated whole there.
      if (type != kIDAT && data_started_ && !inflated_) InflateData();
      if (type == kIHDR) {
        ReadHeader(length);
      } else if (type == kPLTE) {
        ReadPalette(length);
      } else if (type == kIDAT) {
        ReadData(length);
      } else if (type == kIEND) {
        if (length != 0 || !data_started_) Invalid();
        done = true;
      } else {
        // Chunks the image does not need are skipped unchecked, as other readers only warn
        // about their damage.
        stream_.RequireRemaining(length);
        stream_.Seek(length);
      }
      if (type == kIDAT) continue; // its CRC is checked before the data is inflated
      CheckCrc(type == kIHDR || type == kPLTE || type == kIEND);
    }
  }

private:
  // Reads the chunk's CRC; when Needed, it must match the type and data read.
  void CheckCrc(bool needed) {
    uint8_t crc[4];
    stream_.ReadBuffer(crc, 4);
    if (needed && GetBE32(crc) != uint32_t(crc_))
      Damaged(SPngCrcError + std::string(type_name_, 4));
  }

  void ReadHeader(uint32_t length) {
    if (have_header_ || length != 13) Invalid();
    uint8_t b[13];
    stream_.ReadBuffer(b, 13);
    crc_ = crc32(crc_, b, 13);
    const uint32_t width = GetBE32(b), height = GetBE32(b + 4);
    const uint8_t depth = b[8], colorType = b[9];
    if ((colorType != 2 && colorType != 3) || depth != 8) Unsupported();
    if (b[12] != 0) Unsupported();
    if (b[10] != 0 || b[11] != 0) Invalid(); // no other compression or filter method exists
    if (!ImageSizeAllowed(width, height)) Invalid();
    // Checked before the bitmap and the inflate buffer are sized, so a tiny file that
    // declares a huge image costs nothing.
    const uint64_t rawSize = (uint64_t(width) * (colorType == 3 ? 1 : 3) + 1) * height;
    if (rawSize > uint64_t(stream_.Remaining()) * kMaxInflateRatio) Invalid();
    have_header_ = true;
    palette_image_ = colorType == 3;
    bpp_ = palette_image_ ? 1 : 3;
    width_ = int(width);
    height_ = int(height);
    row_size_ = size_t(width_) * bpp_;
    bitmap_.Reset(palette_image_ ? TPixelFormat::pf8bit : TPixelFormat::pf24bit, width_, height_);
    // Every byte of Raw is inflated before it is read: a buffer kept from an earlier image
    // is only grown, never cleared.
    raw_size_ = (row_size_ + 1) * size_t(height_);
    raw_.resize(raw_size_);
    zero_row_.assign(row_size_, 0);
  }

  void ReadPalette(uint32_t length) {
    if (have_palette_ || data_started_ || length == 0 || length > 768 || length % 3 != 0) Invalid();
    uint8_t b[768];
    stream_.ReadBuffer(b, length);
    crc_ = crc32(crc_, b, length);
    TPalette palette{};
    for (uint32_t i = 0; i < length / 3; ++i)
      palette[i] = TPaletteEntry{b[3 * i], b[3 * i + 1], b[3 * i + 2], 0};
    bitmap_.Palette() = palette;
    have_palette_ = true;
  }

  void ReadData(uint32_t length) {
    if (palette_image_ && !have_palette_) Invalid();
    data_started_ = true;
    stream_.RequireRemaining(length); // before the buffer grows to a length read from the file
    // Checked where it lies when the stream holds it in memory.
    const uint8_t* in = stream_.PeekMemory(length);
    if (in) {
      stream_.Seek(length);
    } else {
      chunk_.resize(length);
      stream_.ReadBuffer(chunk_.data(), length);
      in = chunk_.data();
    }
    crc_ = Crc32(crc_, in, length);
    CheckCrc(true);
    if (inflated_ || length == 0) return; // data after the stream's end is not needed
    // The stream is inflated from where it lies when one chunk in memory holds it all;
    // otherwise its pieces are gathered.
    if (data_size_ == 0 && in != chunk_.data()) {
      data_ = in;
      data_size_ = length;
      return;
    }
    if (!gathered_) gather_.assign(data_, data_ + data_size_), gathered_ = true;
    gather_.insert(gather_.end(), in, in + length);
    data_ = gather_.data();
    data_size_ = gather_.size();
  }

  // The zlib stream, in one go into the rows: libdeflate checks its header, its deflate
  // codes, that it makes exactly the rows and its Adler-32.
  void InflateData() {
    if (data_size_ < 2) Invalid();
    const uint8_t cmf = data_[0], flg = data_[1];
    if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20))
      Invalid();
    if (libdeflate_zlib_decompress(Decompressor(), data_, data_size_, raw_.data(), raw_size_,
                                   nullptr) != LIBDEFLATE_SUCCESS)
      InflateRefused();
    FinishRows();
    inflated_ = true;
  }

  // libdeflate refuses a stream as a whole. zlib, taking it a piece at a time, names the
  // fault; and a stream that holds more than the rows, whole and with its checksum right,
  // is taken as it always was: what follows the last row is inflated into scratch space
  // and dropped.
  void InflateRefused() {
    TRawInflater inflater;
    z_stream& z = inflater.z;
    const uint8_t* in = data_ + 2;
    size_t left = data_size_ - 2, made = 0;
    uint32_t adler = 1;
    int rc = Z_OK;
    while (rc == Z_OK) {
      uint8_t spill[4096];
      uint8_t* const out = made < raw_size_ ? raw_.data() + made : spill;
      const size_t room = made < raw_size_ ? raw_size_ - made : sizeof spill;
      constexpr size_t kMost = size_t(1) << 30; // what one call of zlib takes or gives
      z.next_out = out;
      z.avail_out = uInt(std::min(room, kMost));
      if (z.avail_in == 0) {
        z.next_in = const_cast<uint8_t*>(in);
        z.avail_in = uInt(std::min(left, kMost));
        in += z.avail_in;
        left -= z.avail_in;
      }
      rc = inflate(&z, Z_NO_FLUSH);
      const size_t got = size_t(z.next_out - out);
      adler = libdeflate_adler32(adler, out, got);
      made += got;
    }
    if (rc == Z_BUF_ERROR) {
      // The input ran out inside the stream: with rows still missing, another chunk (or
      // none) stands where more image data is needed.
      if (made < raw_size_) Invalid();
      Damaged(SPngDataWithoutChecksum);
    }
    if (rc != Z_STREAM_END) Damaged(SPngDamagedData + std::string(z.msg ? z.msg : "?"));
    if (made < raw_size_) Damaged(SPngDataEndsEarly);
    // The four bytes after the deflate data are the Adler-32 of what it inflates to.
    const uint8_t* const end = data_ + data_size_;
    const uint8_t* const trailer = in - z.avail_in;
    if (end - trailer < 4) Damaged(SPngDataWithoutChecksum);
    if (GetBE32(trailer) != adler) Damaged(SPngChecksumError);
  }

  // Unfilters the rows and moves them into the bitmap: a palette row straight into it, a
  // colour row in place first, its channels then swapped.
  void FinishRows() {
    for (int y = 0; y < height_; ++y) {
      uint8_t* row = raw_.data() + size_t(y) * (row_size_ + 1);
      uint8_t* out = bitmap_.ScanLine(y);
      if (bpp_ == 1) {
        const uint8_t* prev = y == 0 ? zero_row_.data() : bitmap_.ScanLine(y - 1);
        Unfilter<1>(row[0], row + 1, out, prev, row_size_);
      } else {
        const uint8_t* prev = y == 0 ? zero_row_.data() : row - row_size_;
        Unfilter<3>(row[0], row + 1, row + 1, prev, row_size_);
        MoveRgbRow(row + 1, out, size_t(width_));
      }
    }
  }

  TStream& stream_;
  TBitmap& bitmap_;
  bool have_header_ = false, have_palette_ = false, data_started_ = false;
  bool palette_image_ = false;
  int bpp_ = 1, width_ = 0, height_ = 0;
  size_t row_size_ = 0;
  size_t raw_size_ = 0;
  // The zlib stream of the image data, gathered from its chunks or lent by the stream.
  const uint8_t* data_ = nullptr;
  size_t data_size_ = 0;
  bool gathered_ = false, inflated_ = false;
  uLong crc_ = 0;
  char type_name_[4] = {};
  // Kept per thread from one image to the next: a fresh buffer of a whole image's rows
  // costs more in page faults than the decoding itself.
  struct TBuffers {
    std::vector<uint8_t> raw, zero_row, chunk, gather;
  };
  static TBuffers& Buffers() {
    thread_local TBuffers buffers;
    return buffers;
  }
  // libdeflate's decompressor, one per thread for as long as the thread runs.
  static libdeflate_decompressor* Decompressor() {
    struct TFree {
      void operator()(libdeflate_decompressor* d) const { libdeflate_free_decompressor(d); }
    };
    thread_local std::unique_ptr<libdeflate_decompressor, TFree> decompressor(
        libdeflate_alloc_decompressor());
    if (!decompressor) throw EZlibError();
    return decompressor.get();
  }
  std::vector<uint8_t>& raw_ = Buffers().raw;
  std::vector<uint8_t>& zero_row_ = Buffers().zero_row;
  std::vector<uint8_t>& chunk_ = Buffers().chunk;
  std::vector<uint8_t>& gather_ = Buffers().gather;
};

void WriteChunk(TStream& stream, const char* type, const uint8_t* data, size_t length) {
  uint8_t head[8];
  PutBE32(head, uint32_t(length));
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0, head + 4, 4);
  if (length > 0) crc = crc32(crc, data, uInt(length));
  uint8_t tail[4];
  PutBE32(tail, uint32_t(crc));
  stream.WriteBuffer(head, 8);
  if (length > 0) stream.WriteBuffer(data, length);
  stream.WriteBuffer(tail, 4);
}

} // namespace

void ReadPng(TStream& stream, TBitmap& bitmap) {
  TPngDecoder(stream, bitmap).Run();
}

void WritePng(TStream& stream, const TBitmap& source) {
  if (source.Empty()) throw EInvalidGraphic(SEmptyBitmap);
  TBitmap bitmap = source;
  const bool paletteImage = IsIndexed(bitmap.PixelFormat());
  bitmap.SetPixelFormat(paletteImage ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
  TDeflater deflater;
  z_stream& z = deflater.z;

  stream.WriteBuffer(kSignature, 8);
  uint8_t header[13];
  PutBE32(header, uint32_t(bitmap.Width()));
  PutBE32(header + 4, uint32_t(bitmap.Height()));
  header[8] = 8;
  header[9] = paletteImage ? 3 : 2;
  header[10] = header[11] = header[12] = 0;
  WriteChunk(stream, "IHDR", header, 13);
  if (paletteImage) {
    uint8_t plte[768];
    for (int i = 0; i < 256; ++i) {
      const TPaletteEntry& e = bitmap.Palette()[i];
      plte[3 * i] = e.Red, plte[3 * i + 1] = e.Green, plte[3 * i + 2] = e.Blue;
    }
    WriteChunk(stream, "PLTE", plte, 768);
  }

  std::vector<uint8_t> out(kIdatSize);
  z.next_out = out.data();
  z.avail_out = uInt(out.size());
  auto pump = [&](int flush) {
    for (;;) {
      const int rc = deflate(&z, flush);
      if (rc == Z_STREAM_ERROR) throw EZlibError();
      if (z.avail_out == 0) {
        WriteChunk(stream, "IDAT", out.data(), out.size());
        z.next_out = out.data();
        z.avail_out = uInt(out.size());
        continue;
      }
      if (flush == Z_FINISH ? rc == Z_STREAM_END : z.avail_in == 0) return;
    }
  };
  const size_t rowSize = size_t(bitmap.Width()) * (paletteImage ? 1 : 3);
  std::vector<uint8_t> row(rowSize + 1);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const uint8_t* line = bitmap.ScanLine(y);
    row[0] = 0;
    if (paletteImage) {
      std::memcpy(row.data() + 1, line, rowSize);
    } else {
      for (size_t i = 0; i < rowSize; i += 3)
        row[1 + i] = line[i + 2], row[2 + i] = line[i + 1], row[3 + i] = line[i];
    }
    z.next_in = row.data();
    z.avail_in = uInt(row.size());
    pump(Z_NO_FLUSH);
  }
  pump(Z_FINISH);
  WriteChunk(stream, "IDAT", out.data(), out.size() - z.avail_out);
  WriteChunk(stream, "IEND", nullptr, 0);
}
