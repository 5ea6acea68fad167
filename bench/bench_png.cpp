// Decoding game-sized PNGs (8-bit palette chipsets and pictures, 24-bit pictures) with
// our reader and with libpng, on the same bytes in the same run. The images are drawn by
// code and encoded with a per-row filter choice, as image editors do.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstring>

#include "core/png_image.h"
#include "core/stream.h"
#include "tests/core/image_bytes.h"

namespace {

struct TSample {
  const char* name;
  int width, height, bpp;
  ImageBytes png;
};

// Rows of a synthetic picture: smooth gradients with tile structure and a little noise.
std::vector<ImageBytes> Picture(int width, int height, int bpp, bool tiles) {
  std::vector<ImageBytes> rows(size_t(height), ImageBytes(size_t(width) * bpp));
  uint32_t s = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      s = s * 1103515245u + 12345u;
      const int noise = int(s >> 28) - 8;
      for (int c = 0; c < bpp; ++c) {
        int v = tiles ? ((x / 16 * 37 + y / 16 * 11) % 48) * 5 + ((x ^ y) & 3) * 3
                      : (x * (c + 1) + y * (3 - c)) / 4;
        v += noise;
        rows[y][size_t(x) * bpp + c] = uint8_t(bpp == 1 ? (v & 255) : std::clamp(v, 0, 255));
      }
    }
  return rows;
}

// Per row, the filter with the smallest sum of absolute filtered values.
ImageBytes AdaptiveFilter(const std::vector<ImageBytes>& rows, int bpp) {
  ImageBytes out;
  for (size_t y = 0; y < rows.size(); ++y) {
    std::vector<ImageBytes> context;
    if (y > 0) context.push_back(rows[y - 1]);
    context.push_back(rows[y]);
    ImageBytes best;
    long best_sum = -1;
    for (uint8_t f = 0; f < 5; ++f) {
      ImageBytes one =
          FilterRows(context, bpp, y > 0 ? std::vector<uint8_t>{0, f} : std::vector<uint8_t>{f});
      one.erase(one.begin(), one.end() - long(rows[y].size() + 1)); // row y with its filter byte
      long sum = 0;
      for (size_t i = 1; i < one.size(); ++i)
        sum += std::abs(int8_t(one[i]));
      if (best_sum < 0 || sum < best_sum) best_sum = sum, best = one;
    }
    Append(out, best);
  }
  return out;
}

std::vector<TSample> MakeSamples() {
  ImageBytes plte;
  for (int i = 0; i < 256; ++i)
    plte.insert(plte.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)});
  std::vector<TSample> samples = {{"chipset 480x256 8-bit", 480, 256, 1, {}},
                                  {"picture 640x480 8-bit", 640, 480, 1, {}},
                                  {"battle 320x240 24-bit", 320, 240, 3, {}},
                                  {"picture 640x480 24-bit", 640, 480, 3, {}}};
  for (auto& s : samples) {
    const auto rows = Picture(s.width, s.height, s.bpp, s.bpp == 1);
    s.png = SimplePng(s.width, s.height, s.bpp == 1 ? 3 : 2, s.bpp == 1 ? plte : ImageBytes{},
                      AdaptiveFilter(rows, s.bpp));
  }
  return samples;
}

const std::vector<TSample>& Samples() {
  static const std::vector<TSample> samples = MakeSamples();
  return samples;
}

struct TMemoryReader {
  const uint8_t* data;
  size_t size, pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
  auto* r = static_cast<TMemoryReader*>(png_get_io_ptr(png));
  if (r->pos + n > r->size) png_error(png, "short");
  std::memcpy(out, r->data + r->pos, n);
  r->pos += n;
}

// libpng into the same layout our reader produces: palette indexes, or blue-green-red.
void DecodeWithLibpng(const ImageBytes& bytes, std::vector<uint8_t>& pixels) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return;
  }
  TMemoryReader reader{bytes.data(), bytes.size(), 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  if (png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB) png_set_bgr(png);
  png_read_update_info(png, info);
  const size_t row_bytes = png_get_rowbytes(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  pixels.resize(row_bytes * height);
  for (png_uint_32 y = 0; y < height; ++y)
    png_read_row(png, pixels.data() + y * row_bytes, nullptr);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
}

void BM_OurReader(benchmark::State& state) {
  const TSample& s = Samples()[size_t(state.range(0))];
  state.SetLabel(s.name);
  // The file's bytes are lent to the stream, as a load from a file does, not copied; the
  // bitmap is kept across decodes as libpng's output rows are below.
  std::vector<uint8_t> bytes(s.png.begin(), s.png.end());
  TBitmap bitmap;
  for (auto _ : state) {
    TMemoryStream stream(std::move(bytes));
    ReadPng(stream, bitmap);
    bytes = stream.TakeBytes();
    benchmark::DoNotOptimize(bitmap.Pixels().data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * s.width * s.height * s.bpp);
}

void BM_Libpng(benchmark::State& state) {
  const TSample& s = Samples()[size_t(state.range(0))];
  state.SetLabel(s.name);
  std::vector<uint8_t> pixels;
  for (auto _ : state) {
    DecodeWithLibpng(s.png, pixels);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * s.width * s.height * s.bpp);
}

} // namespace

BENCHMARK(BM_OurReader)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Libpng)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);
