// BMP and XYZ files, the 24- to 8-bit reduction, and the format-choosing load and save.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/bmp_image.h"
#include "core/image_file.h"
#include "core/png_image.h"
#include "core/stream.h"
#include "core/xyz_image.h"
#include "tests/core/allocation_probe.h"
#include "tests/core/image_bytes.h"

namespace {

template <void (*Reader)(TStream&, TBitmap&)> TBitmap ReadBytes(const ImageBytes& bytes) {
  TMemoryStream s(bytes);
  TBitmap b;
  Reader(s, b);
  return b;
}

template <void (*Reader)(TStream&, TBitmap&)> std::string ReadError(const ImageBytes& bytes) {
  try {
    ReadBytes<Reader>(bytes);
  } catch (const Exception& e) {
    return e.what();
  }
  return "loaded";
}

template <void (*Writer)(TStream&, const TBitmap&)> ImageBytes WriteBytes(const TBitmap& b) {
  TMemoryStream s;
  Writer(s, b);
  return s.Bytes();
}

std::vector<int> Indexes(const TBitmap& b) {
  std::vector<int> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      out.push_back(b.IndexAt(x, y));
  return out;
}

// A 3 x 2 8-bit bottom-up BMP with a 4-colour palette; rows padded to 4 bytes.
ImageBytes Bmp8() {
  ImageBytes b = BmpHead(3, 2, 8, 0, 14 + 40 + 16, 4);
  for (uint8_t i = 0; i < 4; ++i)
    b.insert(b.end(), {uint8_t(10 * i), uint8_t(20 * i), uint8_t(30 * i), 0});
  b.insert(b.end(), {3, 2, 1, 0}); // bottom row
  b.insert(b.end(), {0, 1, 2, 0}); // top row
  return b;
}

} // namespace

TEST(BmpReader, IndexedVariants) {
  const TBitmap b8 = ReadBytes<ReadBmp>(Bmp8());
  EXPECT_EQ(b8.PixelFormat(), TPixelFormat::pf8bit);
  EXPECT_EQ(Indexes(b8), (std::vector<int>{0, 1, 2, 3, 2, 1}));
  EXPECT_EQ(b8.Palette()[3], (TPaletteEntry{90, 60, 30, 0})); // stored blue, green, red
  EXPECT_EQ(b8.Palette()[4], TPaletteEntry{});

  // 1-bit, top-down (negative height), full 2-entry palette.
  ImageBytes b1 = BmpHead(10, -2, 1, 0, 14 + 40 + 8);
  b1.insert(b1.end(), {0, 0, 0, 0, 255, 255, 255, 0});
  b1.insert(b1.end(), {0b10100000, 0b01000000, 0, 0, 0xFF, 0xC0, 0, 0});
  EXPECT_EQ(Indexes(ReadBytes<ReadBmp>(b1)),
            (std::vector<int>{1, 0, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));

  // 4-bit with the old 12-byte core header and 3-byte palette entries.
  ImageBytes b4 = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
  AppendLE32(b4, 14 + 12 + 48);
  AppendLE32(b4, 12);
  AppendLE16(b4, 3), AppendLE16(b4, 2), AppendLE16(b4, 1), AppendLE16(b4, 4);
  for (uint8_t i = 0; i < 16; ++i)
    b4.insert(b4.end(), {i, uint8_t(i + 1), uint8_t(i + 2)});
  b4.insert(b4.end(), {0xAB, 0xC0, 0, 0, 0x12, 0x30, 0, 0});
  const TBitmap c = ReadBytes<ReadBmp>(b4);
  EXPECT_EQ(c.PixelFormat(), TPixelFormat::pf4bit);
  EXPECT_EQ(Indexes(c), (std::vector<int>{1, 2, 3, 10, 11, 12}));
  EXPECT_EQ(c.Palette()[5], (TPaletteEntry{7, 6, 5, 0}));
}

TEST(BmpReader, RunLengthData) {
  // RLE8, 4 x 3: a run, end of line; an absolute run of 3 (padded); end of line; a delta
  // of 2 to the right; a run of one; end of bitmap. Lines count from the bottom.
  ImageBytes r8 = BmpHead(4, 3, 8, 1, 14 + 40 + 32, 8);
  r8.resize(r8.size() + 32, 0);
  r8.insert(r8.end(), {3, 5, 0, 0, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 2, 0, 1, 7, 0, 1});
  EXPECT_EQ(Indexes(ReadBytes<ReadBmp>(r8)),
            (std::vector<int>{0, 0, 7, 0, 1, 2, 3, 0, 5, 5, 5, 0}));

  // RLE4, 6 x 1: a run of 3 alternating nibbles, an absolute run of 3 nibbles.
  ImageBytes r4 = BmpHead(6, 1, 4, 2, 14 + 40 + 64);
  r4.resize(r4.size() + 64, 0);
  r4.insert(r4.end(), {3, 0x9A, 0, 3, 0xBC, 0xD0, 0, 1});
  EXPECT_EQ(Indexes(ReadBytes<ReadBmp>(r4)), (std::vector<int>{9, 10, 9, 11, 12, 13}));

  // Data that stops before the end-of-bitmap mark is a read error.
  r4.resize(r4.size() - 2);
  EXPECT_EQ(ReadError<ReadBmp>(r4), "A reading error from the stream");

  // So is a 4096 x 4096 header over one run, found before the bitmap is sized.
  ImageBytes huge = BmpHead(4096, 4096, 8, 1, 14 + 40 + 8, 2);
  huge.resize(huge.size() + 8, 0);
  huge.insert(huge.end(), {255, 1});
  std::string error;
  const auto allocated = BytesAllocatedBy([&] { error = ReadError<ReadBmp>(huge); });
  EXPECT_EQ(error, "A reading error from the stream");
  EXPECT_LT(allocated.value_or(0), 64u * 1024); // nothing to count without the sanitizer
}

TEST(BmpReader, DirectColourVariants) {
  ImageBytes b555 = BmpHead(2, 1, 16, 0, 54);
  AppendLE16(b555, 0x7C00), AppendLE16(b555, 0x03E1);
  const TBitmap c555 = ReadBytes<ReadBmp>(b555);
  EXPECT_EQ(c555.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(c555.ColorAt(0, 0), 0xFF0000u);
  EXPECT_EQ(c555.ColorAt(1, 0), 0x00FF08u); // blue 1 of 31 widens to 8

  ImageBytes b565 = BmpHead(2, 1, 16, 3, 66);
  AppendLE32(b565, 0xF800), AppendLE32(b565, 0x07E0), AppendLE32(b565, 0x001F);
  AppendLE16(b565, 0xF81F), AppendLE16(b565, 0x07E0);
  const TBitmap c565 = ReadBytes<ReadBmp>(b565);
  EXPECT_EQ(c565.PixelFormat(), TPixelFormat::pf16bit);
  EXPECT_EQ(GetLE16(c565.ScanLine(0)), 0xF81F);
  EXPECT_EQ(c565.ColorAt(1, 0), 0x00FF00u);

  ImageBytes b24 = BmpHead(1, 2, 24, 0, 54);
  b24.insert(b24.end(), {1, 2, 3, 0, 4, 5, 6, 0}); // bottom row first, each padded
  const TBitmap c24 = ReadBytes<ReadBmp>(b24);
  EXPECT_EQ(c24.ColorAt(0, 0), 0x060504u);
  EXPECT_EQ(c24.ColorAt(0, 1), 0x030201u);

  // A 124-byte header carries its masks inside: here red in the low byte.
  ImageBytes v5 = BmpHead(1, 1, 32, 3, 14 + 124);
  PutLE32(&v5[14], 124);
  ImageBytes rest(124 - 40, 0);
  PutLE32(&rest[0], 0x000000FF), PutLE32(&rest[4], 0x0000FF00), PutLE32(&rest[8], 0x00FF0000);
  Append(v5, rest);
  v5.insert(v5.end(), {0x11, 0x22, 0x33, 0x44});
  const TBitmap c32 = ReadBytes<ReadBmp>(v5);
  EXPECT_EQ(c32.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(c32.ColorAt(0, 0), 0x112233u);
}

TEST(BmpReader, RefusesMalformedFiles) {
  const std::string invalid = "Invalid BMP Image", unsupported = "Unsupported BMP Image";
  ImageBytes magic = Bmp8();
  magic[1] = 'X';
  EXPECT_EQ(ReadError<ReadBmp>(magic), invalid);
  ImageBytes header = Bmp8();
  header[14] = 20;
  EXPECT_EQ(ReadError<ReadBmp>(header), invalid);
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(1, 1, 2, 0, 54)), unsupported);
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(1, 1, 24, 4, 54)), unsupported);
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(1, -1, 8, 1, 54)), invalid); // top-down RLE
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(1, 1, 24, 1, 54)), invalid); // RLE8 needs 8 bits
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(0, 1, 24, 0, 54)), invalid);
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(100000, 100000, 24, 0, 54)), invalid);
  EXPECT_EQ(ReadError<ReadBmp>(BmpHead(1, 1, 8, 0, 54, 300)), invalid);
  ImageBytes holes = BmpHead(1, 1, 16, 3, 66);
  AppendLE32(holes, 0xF00F), AppendLE32(holes, 0x0F00), AppendLE32(holes, 0);
  AppendLE32(holes, 0);
  EXPECT_EQ(ReadError<ReadBmp>(holes), invalid); // a channel mask with a gap
  ImageBytes truncated = Bmp8();
  truncated.pop_back();
  EXPECT_EQ(ReadError<ReadBmp>(truncated), "A reading error from the stream");
}

TEST(BmpWriter, EightBitFileBytes) {
  TBitmap b = ReadBytes<ReadBmp>(Bmp8());
  const ImageBytes out = WriteBytes<WriteBmp>(b);
  // 14 + 40 header bytes, 256 x 4 palette bytes, two rows of 3 padded to 4.
  ImageBytes head = {'B', 'M'};
  AppendLE32(head, 1086), AppendLE32(head, 0), AppendLE32(head, 1078);
  AppendLE32(head, 40), AppendLE32(head, 3), AppendLE32(head, 2);
  AppendLE16(head, 1), AppendLE16(head, 8);
  AppendLE32(head, 0), AppendLE32(head, 8);
  head.resize(54, 0);
  ASSERT_EQ(out.size(), 1086u);
  EXPECT_EQ(ImageBytes(out.begin(), out.begin() + 54), head);
  EXPECT_EQ(ImageBytes(out.begin() + 54 + 12, out.begin() + 54 + 16), (ImageBytes{30, 60, 90, 0}));
  EXPECT_EQ(ImageBytes(out.end() - 8, out.end()), (ImageBytes{3, 2, 1, 0, 0, 1, 2, 0}));

  TBitmap hi;
  hi.Reset(TPixelFormat::pf16bit, 1, 1);
  PutLE16(hi.ScanLine(0), 0x1234);
  const ImageBytes out16 = WriteBytes<WriteBmp>(hi);
  EXPECT_EQ(out16[30], 3); // bitfields
  EXPECT_EQ(GetLE32(&out16[54]), 0xF800u);
  EXPECT_EQ(ReadBytes<ReadBmp>(out16).ColorAt(0, 0), hi.ColorAt(0, 0));
}

TEST(XyzFiles, LayoutAndRefusals) {
  TBitmap one;
  one.Reset(TPixelFormat::pf8bit, 1, 1);
  one.Palette()[0] = TPaletteEntry{1, 2, 3, 0};
  one.Palette()[255] = TPaletteEntry{7, 8, 9, 0};
  one.SetIndexAt(0, 0, 255);
  const ImageBytes xyz = WriteBytes<WriteXyz>(one);
  ASSERT_EQ(ImageBytes(xyz.begin(), xyz.begin() + 8), (ImageBytes{'X', 'Y', 'Z', '1', 1, 0, 1, 0}));
  const ImageBytes plain = Inflate(ImageBytes(xyz.begin() + 8, xyz.end()), 769);
  ASSERT_EQ(plain.size(), 769u);
  EXPECT_EQ(ImageBytes(plain.begin(), plain.begin() + 3), (ImageBytes{1, 2, 3}));
  EXPECT_EQ(ImageBytes(plain.end() - 4, plain.end()), (ImageBytes{7, 8, 9, 255}));

  // Crafted 3 x 2 file read back.
  ImageBytes body(768, 0);
  body[3] = 200;
  body.insert(body.end(), {1, 0, 1, 1, 1, 0});
  ImageBytes file = {'X', 'Y', 'Z', '1', 3, 0, 2, 0};
  Append(file, Deflate(body));
  const TBitmap b = ReadBytes<ReadXyz>(file);
  EXPECT_EQ(Indexes(b), (std::vector<int>{1, 0, 1, 1, 1, 0}));
  EXPECT_EQ(b.Palette()[1].Red, 200);

  const std::string invalid = "Invalid XYZ Image", zlib = "Zlib Error";
  ImageBytes wrong = file;
  wrong[3] = '2';
  EXPECT_EQ(ReadError<ReadXyz>(wrong), invalid);
  ImageBytes zero = file;
  zero[4] = 0;
  EXPECT_EQ(ReadError<ReadXyz>(zero), invalid);
  ImageBytes short_data = {'X', 'Y', 'Z', '1', 4, 0, 2, 0}; // needs 8 pixels, gets 6
  Append(short_data, Deflate(body));
  EXPECT_EQ(ReadError<ReadXyz>(short_data), zlib);
  ImageBytes long_data = {'X', 'Y', 'Z', '1', 1, 0, 2, 0}; // needs 2 pixels, gets 6
  Append(long_data, Deflate(body));
  EXPECT_EQ(ReadError<ReadXyz>(long_data), zlib);
  ImageBytes huge = {'X', 'Y', 'Z', '1', 0, 16, 0, 16}; // 4096 x 4096 from 10 bytes
  Append(huge, Deflate({0}));
  EXPECT_EQ(ReadError<ReadXyz>(huge), zlib);
  ImageBytes garbage = {'X', 'Y', 'Z', '1', 3, 0, 2, 0, 1, 2, 3, 4};
  EXPECT_EQ(ReadError<ReadXyz>(garbage), zlib);
  EXPECT_EQ(ReadError<ReadXyz>({'X', 'Y', 'Z', '1', 3}), "A reading error from the stream");
}

TEST(ImageConversion, ReductionToEightBits) {
  TBitmap few;
  few.Reset(TPixelFormat::pf24bit, 3, 2);
  const uint8_t px[6][3] = {{9, 8, 7}, {1, 2, 3}, {9, 8, 7}, {0, 0, 0}, {1, 2, 3}, {4, 4, 4}};
  for (int i = 0; i < 6; ++i)
    std::copy(px[i], px[i] + 3, few.ScanLine(i / 3) + 3 * (i % 3));
  few.SetPixelFormat(TPixelFormat::pf8bit);
  EXPECT_EQ(Indexes(few), (std::vector<int>{0, 1, 0, 2, 1, 3})); // first appearance
  EXPECT_EQ(few.Palette()[0], (TPaletteEntry{7, 8, 9, 0}));
  EXPECT_EQ(few.Palette()[3], (TPaletteEntry{4, 4, 4, 0}));
  EXPECT_EQ(few.Palette()[4], TPaletteEntry{});

  TBitmap many;
  many.Reset(TPixelFormat::pf24bit, 300, 1);
  for (int x = 0; x < 300; ++x)
    many.ScanLine(0)[3 * x] = uint8_t(x); // 256 blues, then repeats
  many.ScanLine(0)[3 * 299 + 1] = 1;      // colour 257
  uint8_t* last = many.ScanLine(0) + 3 * 5;
  last[0] = 0xC0, last[1] = 0x40, last[2] = 0xE0; // red E0, green 40, blue C0
  TBitmap before = many;
  many.SetPixelFormat(TPixelFormat::pf8bit);
  // 257 colours: the palette comes from the image, and no pixel moves far.
  for (int x = 0; x < 300; ++x) {
    const uint32_t a = before.ColorAt(x, 0), b = many.ColorAt(x, 0);
    for (int shift : {0, 8, 16})
      EXPECT_LE(std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)), 1) << x;
  }
  EXPECT_EQ(many.ColorAt(5, 0), 0xE040C0u); // a lone colour keeps an entry of its own
}

TEST(ImageFiles, RoundTripThroughEveryFormatAndDispatch) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("velmora-img-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  TBitmap original = ReadBytes<ReadBmp>(Bmp8());
  TBitmap b = original;
  for (const char* name : {"a.PNG", "b.xyz", "c.bmp"}) {
    const std::string path = (dir / name).string();
    SaveBitmapToImageFile(b, path);
    TBitmap loaded;
    LoadBitmapFromImageFile(loaded, path);
    EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf8bit) << name;
    EXPECT_EQ(Indexes(loaded), Indexes(original)) << name;
    EXPECT_EQ(loaded.Palette(), original.Palette()) << name;
    b = loaded;
  }
  EXPECT_EQ(WriteBytes<WriteBmp>(b), WriteBytes<WriteBmp>(original));
  // The extension picks the writer, the content the reader.
  const auto signature = [&](const char* name) {
    return ReadImageFileBytes((dir / name).string()).at(1);
  };
  EXPECT_EQ(signature("a.PNG"), 'P');
  EXPECT_EQ(signature("b.xyz"), 'Y');
  EXPECT_EQ(signature("c.bmp"), 'M');
  std::filesystem::remove_all(dir);
  TBitmap none;
  EXPECT_THROW(LoadBitmapFromImageFile(none, (dir / "missing.png").string()), EFileError);
  for (const char* name : {"e.png", "e.xyz", "e.bmp"}) { // no format can hold an empty bitmap
    try {
      SaveBitmapToImageFile(none, (dir / name).string());
      ADD_FAILURE() << name;
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), "Empty Bitmap");
    }
  }
}
