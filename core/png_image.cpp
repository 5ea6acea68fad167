#include "core/png_image.h"

#include <zlib.h>

#include <cstring>
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
struct TInflater {
  z_stream z{};
  TInflater() {
    // The zlib header is checked by hand and the Adler-32 trailer is not needed, so the
    // data goes to a raw inflater: that saves computing the checksum of every byte.
    if (inflateInit2(&z, -15) != Z_OK) throw EZlibError();
  }
  ~TInflater() { inflateEnd(&z); }
};

struct TDeflater {
  z_stream z{};
  TDeflater() {
    if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK) throw EZlibError();
  }
  ~TDeflater() { deflateEnd(&z); }
};

inline uint8_t Paeth(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return uint8_t(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes the filter of one row in place. Prev is the previous unfiltered row (zeros for
// the first row); Bpp the bytes of one pixel.
template <int Bpp> void Unfilter(uint8_t filter, uint8_t* row, const uint8_t* prev, size_t n) {
  switch (filter) {
  case 0:
    return;
  case 1:
    for (size_t i = Bpp; i < n; ++i)
      row[i] = uint8_t(row[i] + row[i - Bpp]);
    return;
  case 2:
    for (size_t i = 0; i < n; ++i)
      row[i] = uint8_t(row[i] + prev[i]);
    return;
  case 3:
    for (size_t i = 0; i < Bpp; ++i)
      row[i] = uint8_t(row[i] + (prev[i] >> 1));
    for (size_t i = Bpp; i < n; ++i)
      row[i] = uint8_t(row[i] + ((row[i - Bpp] + prev[i]) >> 1));
    return;
  case 4:
    for (size_t i = 0; i < Bpp; ++i)
      row[i] = uint8_t(row[i] + prev[i]);
    for (size_t i = Bpp; i < n; ++i)
      row[i] = uint8_t(row[i] + Paeth(row[i - Bpp], prev[i], prev[i - Bpp]));
    return;
  default:
    Invalid();
  }
}

class TPngDecoder {
public:
  TPngDecoder(TStream& stream, TBitmap& bitmap) : stream_(stream), bitmap_(bitmap) {}
  ~TPngDecoder() {
    // A huge image's buffers are not kept.
    constexpr size_t kKeep = size_t(16) << 20;
    for (std::vector<uint8_t>* b : {&raw_, &chunk_})
      if (b->capacity() > kKeep) std::vector<uint8_t>().swap(*b);
  }
  TPngDecoder(const TPngDecoder&) = delete;
  TPngDecoder& operator=(const TPngDecoder&) = delete;

  void Run() {
    uint8_t signature[8];
    stream_.ReadBuffer(signature, 8);
    if (std::memcmp(signature, kSignature, 8) != 0) Invalid();
    TInflater inflater;
    z_ = &inflater.z;
    for (bool done = false; !done;) {
      uint8_t head[8];
      stream_.ReadBuffer(head, 8);
      const uint32_t length = GetBE32(head), type = GetBE32(head + 4);
      if (length > 0x7FFFFFFFu) Invalid();
      if (!have_header_ && type != kIHDR) Invalid();
      // Once image data has begun, only IDAT may follow until every row is in.
      if (type != kIDAT && data_started_ && !Complete()) Invalid();
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
        stream_.RequireRemaining(length);
        stream_.Seek(length);
      }
      uint8_t crc[4];
      stream_.ReadBuffer(crc, 4);
    }
  }

private:
  bool Complete() const { return rows_done_ == height_; }

  void ReadHeader(uint32_t length) {
    if (have_header_ || length != 13) Invalid();
    uint8_t b[13];
    stream_.ReadBuffer(b, 13);
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
    raw_.resize((row_size_ + 1) * size_t(height_));
    zero_row_.assign(row_size_, 0);
    z_->next_out = raw_.data();
    z_->avail_out = uInt(raw_.size());
  }

  void ReadPalette(uint32_t length) {
    if (have_palette_ || data_started_ || length == 0 || length > 768 || length % 3 != 0) Invalid();
    uint8_t b[768];
    stream_.ReadBuffer(b, length);
    TPalette palette{};
    for (uint32_t i = 0; i < length / 3; ++i)
      palette[i] = TPaletteEntry{b[3 * i], b[3 * i + 1], b[3 * i + 2], 0};
    bitmap_.Palette() = palette;
    have_palette_ = true;
  }

  void ReadData(uint32_t length) {
    if (palette_image_ && !have_palette_) Invalid();
    data_started_ = true;
    if (Complete()) { // trailing data after the last row is not needed
      stream_.RequireRemaining(length);
      stream_.Seek(length);
      return;
    }
    stream_.RequireRemaining(length); // before the buffer grows to a length read from the file
    // Inflated where it lies when the stream holds it in memory.
    const uint8_t* in = stream_.PeekMemory(length);
    if (in) {
      stream_.Seek(length);
    } else {
      chunk_.resize(length);
      stream_.ReadBuffer(chunk_.data(), length);
      in = chunk_.data();
    }
    size_t left = length;
    while (zlib_header_got_ < 2 && left > 0) {
      zlib_header_[zlib_header_got_++] = *in++;
      --left;
      if (zlib_header_got_ == 2) {
        const uint8_t cmf = zlib_header_[0], flg = zlib_header_[1];
        if ((cmf & 0x0F) != 8 || (cmf >> 4) > 7 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20))
          Invalid();
      }
    }
    if (left == 0) return;
    z_->next_in = const_cast<uint8_t*>(in);
    z_->avail_in = uInt(left);
    while (z_->avail_in > 0 && z_->avail_out > 0) {
      const int rc = inflate(z_, Z_NO_FLUSH);
      if (rc == Z_STREAM_END) {
        if (z_->avail_out > 0) Invalid(); // the stream ended before the last row
        break;
      }
      if (rc != Z_OK) Invalid();
    }
    FinishRows(size_t(z_->total_out) / (row_size_ + 1));
  }

  // Unfilters the rows that have fully arrived and moves them into the bitmap.
  void FinishRows(size_t complete) {
    for (; rows_done_ < int(complete); ++rows_done_) {
      uint8_t* row = raw_.data() + size_t(rows_done_) * (row_size_ + 1);
      const uint8_t* prev = rows_done_ == 0 ? zero_row_.data() : row - row_size_;
      if (bpp_ == 1)
        Unfilter<1>(row[0], row + 1, prev, row_size_);
      else
        Unfilter<3>(row[0], row + 1, prev, row_size_);
      uint8_t* out = bitmap_.ScanLine(rows_done_);
      if (bpp_ == 1) {
        std::memcpy(out, row + 1, row_size_);
      } else {
        const uint8_t* p = row + 1;
        for (int x = 0; x < width_; ++x, p += 3, out += 3)
          out[0] = p[2], out[1] = p[1], out[2] = p[0];
      }
    }
  }

  TStream& stream_;
  TBitmap& bitmap_;
  z_stream* z_ = nullptr;
  bool have_header_ = false, have_palette_ = false, data_started_ = false;
  bool palette_image_ = false;
  int bpp_ = 1, width_ = 0, height_ = 0, rows_done_ = 0;
  size_t row_size_ = 0;
  uint8_t zlib_header_[2] = {0, 0};
  int zlib_header_got_ = 0;
  // Kept per thread from one image to the next: a fresh buffer of a whole image's rows
  // costs more in page faults than the decoding itself.
  struct TBuffers {
    std::vector<uint8_t> raw, zero_row, chunk;
  };
  static TBuffers& Buffers() {
    thread_local TBuffers buffers;
    return buffers;
  }
  std::vector<uint8_t>& raw_ = Buffers().raw;
  std::vector<uint8_t>& zero_row_ = Buffers().zero_row;
  std::vector<uint8_t>& chunk_ = Buffers().chunk;
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
