#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/image_file.h"
#include "core/png_image.h"
#include "core/stream.h"
#include "tests/core/allocation_probe.h"
#include "tests/core/hostile_files.h"
#include "tests/core/image_bytes.h"

namespace {

TBitmap ReadPngBytes(const ImageBytes& bytes) {
  TMemoryStream s(bytes);
  TBitmap b;
  ReadPng(s, b);
  return b;
}

ImageBytes WritePngBytes(const TBitmap& bitmap) {
  TMemoryStream s;
  WritePng(s, bitmap);
  return s.Bytes();
}

std::string PngError(const ImageBytes& bytes) {
  try {
    ReadPngBytes(bytes);
  } catch (const Exception& e) {
    return e.what();
  }
  return "loaded";
}

// The chunks of a PNG as (type, data) pairs; stops at the first malformed length.
std::vector<std::pair<std::string, ImageBytes>> Chunks(const ImageBytes& png) {
  std::vector<std::pair<std::string, ImageBytes>> out;
  size_t p = 8;
  while (p + 12 <= png.size()) {
    const uint32_t n = uint32_t(png[p]) << 24 | png[p + 1] << 16 | png[p + 2] << 8 | png[p + 3];
    if (p + 12 + n > png.size()) break;
    out.emplace_back(std::string(png.begin() + p + 4, png.begin() + p + 8),
                     ImageBytes(png.begin() + p + 8, png.begin() + p + 8 + n));
    p += 12 + n;
  }
  return out;
}

const ImageBytes kPlte16 = [] {
  ImageBytes p;
  for (int i = 0; i < 16; ++i)
    p.insert(p.end(), {uint8_t(i * 16), uint8_t(255 - i), uint8_t(i)});
  return p;
}();

} // namespace

TEST(PngReader, PaletteImageWithEveryFilterSplitDataAndAncillaryChunks) {
  const auto rows = PatternRows(16, 16, 1, 7);
  const ImageBytes packed = Deflate(FilterRows(rows, 1, {0, 1, 2, 3, 4}));
  ImageBytes png = PngSignature();
  Append(png, PngChunk("IHDR", IhdrData(16, 16, 3)));
  Append(png, PngChunk("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'}, /*badCrc=*/true));
  Append(png, PngChunk("PLTE", kPlte16));
  // The data arrives one byte a chunk, with empty chunks in between.
  for (uint8_t b : packed) {
    Append(png, PngChunk("IDAT", {b}));
    Append(png, PngChunk("IDAT", {}));
  }
  Append(png, PngChunk("IEND", {}));

  const TBitmap b = ReadPngBytes(png);
  ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
  ASSERT_EQ(b.Width(), 16);
  ASSERT_EQ(b.Height(), 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(b.IndexAt(x, y), rows[y][x]) << x << "," << y;
  EXPECT_EQ(b.Palette()[15], (TPaletteEntry{240, 240, 15, 0}));
  for (int i = 16; i < 256; ++i)
    EXPECT_EQ(b.Palette()[i], TPaletteEntry{}) << i;
}

TEST(PngReader, RgbImageBecomesBlueGreenRed) {
  // Narrow and wide rows: the channels are swapped several pixels a step, the last few
  // one by one.
  for (int width : {1, 5, 6, 7, 37}) {
    const auto rows = PatternRows(width, 7, 3, 99);
    const TBitmap b =
        ReadPngBytes(SimplePng(uint32_t(width), 7, 2, {}, FilterRows(rows, 3, {4, 3, 2, 1, 0})));
    ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = b.ScanLine(y) + 3 * x;
        ASSERT_EQ(p[0], rows[y][3 * x + 2]) << width;
        ASSERT_EQ(p[1], rows[y][3 * x + 1]) << width;
        ASSERT_EQ(p[2], rows[y][3 * x]) << width;
      }
  }
}

TEST(PngReader, RefusesMalformedAndUnsupportedFiles) {
  const ImageBytes row2 = {0, 1, 2, 0, 3, 4}; // two rows of two palette pixels
  const ImageBytes plte = {1, 2, 3, 4, 5, 6};
  const ImageBytes good = SimplePng(2, 2, 3, plte, row2);
  ASSERT_EQ(PngError(good), "loaded");

  auto with = [&](std::initializer_list<ImageBytes> chunks) {
    ImageBytes png = PngSignature();
    for (const auto& c : chunks)
      Append(png, c);
    return png;
  };
  const ImageBytes ihdr = PngChunk("IHDR", IhdrData(2, 2, 3));
  const ImageBytes pal = PngChunk("PLTE", plte);
  const ImageBytes idat = PngChunk("IDAT", Deflate(row2));
  const ImageBytes iend = PngChunk("IEND", {});
  ImageBytes long_ihdr = IhdrData(2, 2, 3);
  long_ihdr.push_back(0);
  ImageBytes short_ihdr = IhdrData(2, 2, 3);
  short_ihdr.pop_back();
  ImageBytes bad_signature = good;
  bad_signature[1] = 'Q';
  ImageBytes corrupt = Deflate(row2);
  corrupt[2] ^= 0xFF; // the first block's header: no valid deflate data
  const ImageBytes half = Deflate({0, 1, 2});

  const std::string invalid = "Invalid PNG Image", unsupported = "Unsupported PNG Image";
  EXPECT_EQ(PngError(bad_signature), invalid);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", long_ihdr), pal, idat, iend})), invalid);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", short_ihdr), pal, idat, iend})), invalid);
  EXPECT_EQ(PngError(with({pal, ihdr, idat, iend})), invalid); // IHDR not first
  EXPECT_EQ(PngError(with({ihdr, ihdr, pal, idat, iend})), invalid);
  EXPECT_EQ(PngError(with({ihdr, PngChunk("PLTE", ImageBytes(771, 0)), idat, iend})), invalid);
  EXPECT_EQ(PngError(with({ihdr, PngChunk("PLTE", {1, 2, 3, 4}), idat, iend})), invalid);
  EXPECT_EQ(PngError(with({ihdr, idat, pal, iend})), invalid); // no PLTE before the data
  EXPECT_EQ(PngError(with({ihdr, pal, PngChunk("IDAT", Deflate({0, 1, 2, 5, 3, 4})), iend})),
            invalid); // filter type 5
  EXPECT_EQ(PngError(with({ihdr, pal, iend})), invalid);
  EXPECT_EQ(PngError(with({ihdr, pal, PngChunk("IDAT", half), iend})),
            invalid + ": the image data ends before the last row");
  // A stream that inflates to more than the rows loads, as it always has: the rest is
  // dropped once its checksum is found right.
  const ImageBytes extraRow = {0, 1, 2, 0, 3, 4, 0, 9, 9};
  EXPECT_EQ(PngError(with({ihdr, pal, PngChunk("IDAT", Deflate(extraRow)), iend})), "loaded");
  EXPECT_EQ(PngError(with({ihdr, pal, PngChunk("IDAT", corrupt), iend}))
                .rfind(invalid + ": damaged image data: ", 0),
            0u);
  EXPECT_EQ(PngError(with({ihdr, pal, PngChunk("IDAT", {idat.begin() + 8, idat.begin() + 12}),
                           PngChunk("tEXt", {'a', 0}), idat, iend})),
            invalid); // another chunk where image data is still needed
  EXPECT_EQ(PngError(with({ihdr, pal, idat, PngChunk("IEND", {0})})), invalid);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(0, 2, 3)), pal, idat, iend})), invalid);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(2, 0x7FFFFFFF, 3)), pal, idat, iend})),
            invalid);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(2, 2, 3, 8, 1)), pal, idat, iend})),
            unsupported);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(2, 2, 6)), idat, iend})), unsupported);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(2, 2, 2, 16)), idat, iend})), unsupported);
  EXPECT_EQ(PngError(with({PngChunk("IHDR", IhdrData(2, 2, 3, 4)), pal, idat, iend})), unsupported);
  // A file that simply ends raises the stream's read error, also when a chunk claims
  // more bytes than remain.
  ImageBytes claim = with({ihdr, pal});
  AppendBE32(claim, 0x7FFFFFF0);
  claim.insert(claim.end(), {'I', 'D', 'A', 'T', 1, 2, 3});
  EXPECT_EQ(PngError(claim), "A reading error from the stream");
  EXPECT_EQ(PngError(ImageBytes(good.begin(), good.end() - 6)), "A reading error from the stream");
}

// One flipped byte anywhere the image is read from is refused, and the message says what
// is wrong: the chunk whose CRC fails, or the image data that does not inflate to its
// Adler-32. The CRC of a chunk the image does not need is not checked (see above).
TEST(PngReader, DamagedFilesAreRefusedNamingTheFault) {
  const auto rows = PatternRows(8, 4, 1, 3);
  const ImageBytes filtered = FilterRows(rows, 1, {0, 1});
  const ImageBytes ihdr = PngChunk("IHDR", IhdrData(8, 4, 3));
  auto png = [&](const ImageBytes& plte, const ImageBytes& packed) {
    ImageBytes out = PngSignature();
    for (const ImageBytes& chunk :
         {ihdr, PngChunk("PLTE", plte), PngChunk("IDAT", packed), PngChunk("IEND", {})})
      Append(out, chunk);
    return out;
  };
  const ImageBytes stored = Deflate(filtered, 0); // the rows lie in the stream as they are
  const ImageBytes good = png(kPlte16, stored);
  ASSERT_EQ(PngError(good), "loaded");
  const size_t plteData = 8 + 25 + 8, idatData = plteData + kPlte16.size() + 4 + 8;

  struct TCase {
    const char* what;
    ImageBytes file;
    std::string error;
  };
  ImageBytes flippedHeader = good, flippedPalette = good, flippedData = good;
  flippedHeader[8 + 8 + 3] ^= 1;
  flippedPalette[plteData + 5] ^= 0x10;
  flippedData[idatData + 20] ^= 0x40;
  ImageBytes packedRow = stored;
  packedRow[12] ^= 0x02; // a pixel of the first row, the chunk's CRC made to match
  ImageBytes checksum = stored;
  checksum.back() ^= 0x80;
  const ImageBytes noChecksum(stored.begin(), stored.end() - 4);
  const std::string prefix = "Invalid PNG Image: ";
  const std::vector<TCase> cases = {
      {"IHDR data", flippedHeader, prefix + "CRC error in chunk IHDR"},
      {"PLTE data", flippedPalette, prefix + "CRC error in chunk PLTE"},
      {"IDAT data", flippedData, prefix + "CRC error in chunk IDAT"},
      {"compressed row", png(kPlte16, packedRow),
       prefix + "the Adler-32 checksum of the image data does not match"},
      {"Adler-32", png(kPlte16, checksum),
       prefix + "the Adler-32 checksum of the image data does not match"},
      {"stream cut before its Adler-32", png(kPlte16, noChecksum),
       prefix + "the image data ends before its checksum"},
  };
  for (const TCase& c : cases)
    EXPECT_EQ(PngError(c.file), c.error) << c.what;

  // In a compressed stream a flipped byte most often breaks the deflate codes first; the
  // message then carries zlib's account of it.
  ImageBytes packed = Deflate(filtered, 9);
  packed[4] ^= 0x55;
  const std::string error = PngError(png(kPlte16, packed));
  EXPECT_EQ(error.rfind(prefix, 0), 0u) << error;
  EXPECT_GT(error.size(), prefix.size() + 10) << error;
}

// Signature, the header of a 4096 x 4096 colour image, the end: 45 bytes that once cost
// about 96 MB of zero-filled bitmap and inflate buffer before the missing data showed.
TEST(PngReader, AHugeHeaderWithoutDataIsRefusedBeforeAnythingIsSized) {
  const ImageBytes hostile = HostilePng();
  ASSERT_EQ(hostile.size(), 45u);
  std::string error;
  const auto allocated = BytesAllocatedBy([&] { error = PngError(hostile); });
  EXPECT_EQ(error, "Invalid PNG Image");
  EXPECT_LT(allocated.value_or(0), 64u * 1024); // nothing to count without the sanitizer

  // The most a deflate stream can pack still loads: 1 MB of zero rows in about 1 KB.
  const ImageBytes zeros(size_t(1024 + 1) * 1024, 0);
  ImageBytes dense = SimplePng(1024, 1024, 3, {9, 9, 9}, zeros);
  EXPECT_EQ(PngError(dense), "loaded");
}

TEST(PngWriter, PaletteImageChunksAndRows) {
  TBitmap b;
  b.Reset(TPixelFormat::pf4bit, 3, 2);
  for (int i = 0; i < 16; ++i)
    b.Palette()[i] = TPaletteEntry{uint8_t(i), uint8_t(2 * i), 7, 0};
  const uint8_t idx[2][3] = {{1, 15, 0}, {9, 3, 12}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      b.SetIndexAt(x, y, idx[y][x]);

  const ImageBytes png = WritePngBytes(b);
  ASSERT_EQ(ImageBytes(png.begin(), png.begin() + 8), PngSignature());
  const auto chunks = Chunks(png);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].first, "IHDR");
  EXPECT_EQ(chunks[0].second, IhdrData(3, 2, 3));
  EXPECT_EQ(chunks[1].first, "PLTE");
  ASSERT_EQ(chunks[1].second.size(), 768u);
  EXPECT_EQ(chunks[1].second[3 * 15 + 1], 30);
  EXPECT_EQ(chunks[2].first, "IDAT");
  EXPECT_EQ(Inflate(chunks[2].second, 8), (ImageBytes{0, 1, 15, 0, 0, 9, 3, 12}));
  EXPECT_EQ(chunks[3].first, "IEND");
  EXPECT_TRUE(chunks[3].second.empty());
  // Every chunk carries the CRC of its type and data.
  EXPECT_EQ(PngChunk("IHDR", chunks[0].second), ImageBytes(png.begin() + 8, png.begin() + 33));
}

TEST(PngWriter, LargeColourImageSplitsDataIntoFullChunks) {
  TBitmap b;
  b.Reset(TPixelFormat::pf32bit, 200, 150);
  const auto rows = PatternRows(200 * 4, 150, 1, 5); // noise: barely compressible
  for (int y = 0; y < 150; ++y)
    std::copy(rows[y].begin(), rows[y].end(), b.ScanLine(y));
  const ImageBytes png = WritePngBytes(b);
  const auto chunks = Chunks(png);
  ASSERT_GE(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].second, IhdrData(200, 150, 2));
  ImageBytes data;
  for (size_t i = 1; i + 1 < chunks.size(); ++i) {
    ASSERT_EQ(chunks[i].first, "IDAT");
    if (i + 2 < chunks.size()) {
      EXPECT_EQ(chunks[i].second.size(), 65536u) << i;
    }
    Append(data, chunks[i].second);
  }
  const ImageBytes plain = Inflate(data, 150 * 601);
  ASSERT_EQ(plain.size(), 150u * 601);
  for (int y = 0; y < 150; ++y) {
    ASSERT_EQ(plain[y * 601], 0);
    for (int x = 0; x < 200; ++x) { // red, green, blue from blue, green, red, unused
      ASSERT_EQ(plain[y * 601 + 1 + 3 * x], rows[y][4 * x + 2]);
      ASSERT_EQ(plain[y * 601 + 3 + 3 * x], rows[y][4 * x]);
    }
  }
  const TBitmap back = ReadPngBytes(png);
  EXPECT_EQ(back.ColorAt(17, 33), b.ColorAt(17, 33));
}

TEST(PngWriter, OutputPassesPngfixAndEmptyBitmapIsRefused) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("velmora-png-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  TBitmap palette, colour;
  palette.Reset(TPixelFormat::pf8bit, 480, 256);
  colour.Reset(TPixelFormat::pf24bit, 320, 240);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 480; ++x)
      palette.SetIndexAt(x, y, uint8_t((x / 16) ^ (y / 16)));
  const auto rows = PatternRows(320 * 3, 240, 1, 3);
  for (int y = 0; y < 240; ++y)
    std::copy(rows[y].begin(), rows[y].end(), colour.ScanLine(y));
  int n = 0;
  for (const TBitmap* b : {&palette, &colour}) {
    const auto path = dir / ("out" + std::to_string(n++) + ".png");
    SaveBitmapToImageFile(*b, path.string());
    const std::string command = "pngfix -q '" + path.string() + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "pngfix rejects " << path;
  }
  std::filesystem::remove_all(dir);
  TBitmap empty;
  EXPECT_THROW(WritePngBytes(empty), EInvalidGraphic);
}
