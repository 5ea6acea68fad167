#include "core/glimra_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "core/image_file.h"
#include "core/image_messages.h"

namespace {

std::array<double, 256> AngleTable(double (*f)(double)) {
  std::array<double, 256> t{};
  for (int i = 0; i < 256; ++i)
    t[i] = f(i * std::numbers::pi / 128);
  return t;
}

int Clamp(int v, int lo, int hi) {
  return std::clamp(v, lo, hi);
}

// Tone or brightness on one channel: above 100 towards Max, below 100 towards 0.
int Scale(int c, int t, int max) {
  if (t > 100) return Clamp(c + (max - c) * (t - 100) / 100, 0, max);
  if (t < 100) return Clamp(c * t / 100, 0, max);
  return c;
}

void Flash(const TGlimraColorControl& f, int& r, int& g, int& b) {
  const int l = f.FlashLevel();
  if (l <= 0) return;
  r = (f.FlashRed() * l + (32 - l) * r) / 32;
  g = (f.FlashGreen() * 2 * l + (32 - l) * g) / 32;
  b = (f.FlashBlue() * l + (32 - l) * b) / 32;
}

void ToHsv(double r, double g, double b, double& h, double& s, double& v) {
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  v = mx;
  s = mx == 0 ? 0 : d / mx;
  if (d == 0)
    h = 0;
  else if (mx == r)
    h = 60 * ((g - b) / d);
  else if (mx == g)
    h = 60 * ((b - r) / d + 2);
  else
    h = 60 * ((r - g) / d + 4);
  if (h < 0) h += 360;
}

uint8_t Channel(double c) {
  return uint8_t(std::clamp(std::nearbyint(c), 0.0, 255.0));
}

TPaletteEntry FromHsv(double h, double s, double v, uint8_t flags) {
  const double c = v * s, hp = h / 60, x = c * (1 - std::fabs(std::fmod(hp, 2) - 1)), m = v - c;
  double r = 0, g = 0, b = 0;
  switch (int(hp) % 6) {
  case 0:
    r = c, g = x;
    break;
  case 1:
    r = x, g = c;
    break;
  case 2:
    g = c, b = x;
    break;
  case 3:
    g = x, b = c;
    break;
  case 4:
    r = x, b = c;
    break;
  default:
    r = c, b = x;
  }
  return TPaletteEntry{Channel(r + m), Channel(g + m), Channel(b + m), flags};
}

} // namespace

const std::array<double, 256> GlimraSinTable = AngleTable([](double a) { return std::sin(a); });
const std::array<double, 256> GlimraCosTable = AngleTable([](double a) { return std::cos(a); });

void TGlimraColorControl::Store(const std::array<int, 8>& values, bool update) {
  if (values == v_) return;
  v_ = values;
  if (update && owner_) owner_->UpdateColorTable();
}

void TGlimraColorControl::Reset(bool update) {
  Store({100, 100, 100, 100, 0, 0, 0, 0}, update);
}

void TGlimraColorControl::SetTone(int red, int green, int blue, int saturation, bool update) {
  Store({Clamp(red, 0, 200), Clamp(green, 0, 200), Clamp(blue, 0, 200), Clamp(saturation, 0, 200),
         v_[4], v_[5], v_[6], v_[7]},
        update);
}

void TGlimraColorControl::SetFlash(int red, int green, int blue, int level, bool update) {
  Store({v_[0], v_[1], v_[2], v_[3], Clamp(red, 0, 31), Clamp(green, 0, 31), Clamp(blue, 0, 31),
         Clamp(level, 0, 32)},
        update);
}

void TGlimraColorControl::SetAll(int toneRed, int toneGreen, int toneBlue, int saturation,
                                 int flashRed, int flashGreen, int flashBlue, int flashLevel,
                                 bool update) {
  Store({Clamp(toneRed, 0, 200), Clamp(toneGreen, 0, 200), Clamp(toneBlue, 0, 200),
         Clamp(saturation, 0, 200), Clamp(flashRed, 0, 31), Clamp(flashGreen, 0, 31),
         Clamp(flashBlue, 0, 31), Clamp(flashLevel, 0, 32)},
        update);
}

TGlimraSheet::TGlimraSheet() = default;

void TGlimraSheet::SetSize(int width, int height) {
  if (!CheckNewSize(width, height, width_, height_)) return;
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), 0);
  board_colors_.clear();
  board_blocks_.clear();
  ++changes_;
}

void TGlimraSheet::Clear() {
  // One memset: every load clears its sheet first, and in the checked builds a byte loop
  // over a large sheet cost more than the load itself.
  if (!pixels_.empty()) std::memset(pixels_.data(), 0, pixels_.size());
  palette_ = TPalette{};
  color_table_.fill(0);
  colorMemos_[size_t(currentMemo_)].Made = false;
  ++changes_;
}

std::array<int, 17> TGlimraSheet::ColorControls() const {
  std::array<int, 17> controls;
  const auto at = std::copy(Tone1.Values().begin(), Tone1.Values().end(), controls.begin());
  std::copy(Tone2.Values().begin(), Tone2.Values().end(), at);
  controls.back() = Brightness;
  return controls;
}

void TGlimraSheet::UpdateColorTable() {
  ++changes_;
  const std::array<int, 17> controls = ColorControls();
  const auto madeFromThese = [&](const TColorMemo& memo) {
    return memo.Made && memo.Controls == controls && memo.Palette == palette_;
  };
  if (madeFromThese(colorMemos_[size_t(currentMemo_)])) return;
  // The older of the two makes way for the new table.
  currentMemo_ ^= 1;
  TColorMemo& memo = colorMemos_[size_t(currentMemo_)];
  if (madeFromThese(memo)) {
    color_table_ = memo.Table;
    return;
  }
  const int toneR = Clamp(Tone1.ToneRed() + Tone2.ToneRed() - 100, 0, 200);
  const int toneG = Clamp(Tone1.ToneGreen() + Tone2.ToneGreen() - 100, 0, 200);
  const int toneB = Clamp(Tone1.ToneBlue() + Tone2.ToneBlue() - 100, 0, 200);
  const int sat = Clamp(Tone1.Saturation() + Tone2.Saturation() - 100, 0, 200);
  for (int i = 0; i < 256; ++i) {
    int r = palette_[i].Red >> 3, g = palette_[i].Green >> 2, b = palette_[i].Blue >> 3;
    if (sat != 100) {
      const int gray = ((r + g) * 3 + b) / 10;
      if (sat < 100) {
        r = ((100 - sat) * gray + r * sat) / 100;
        g = ((100 - sat) * 2 * gray + g * sat) / 100;
        b = ((100 - sat) * gray + b * sat) / 100;
      } else {
        const int r2 = r + 2 * (r - gray), g2 = g + 2 * (g - 2 * gray), b2 = b + 2 * (b - gray);
        r = Clamp(((200 - sat) * r + (sat - 100) * r2) / 100, 0, 31);
        g = Clamp(((200 - sat) * g + (sat - 100) * g2) / 100, 0, 63);
        b = Clamp(((200 - sat) * b + (sat - 100) * b2) / 100, 0, 31);
      }
    }
    r = Scale(r, toneR, 31);
    g = Scale(g, toneG, 63);
    b = Scale(b, toneB, 31);
    Flash(Tone1, r, g, b);
    Flash(Tone2, r, g, b);
    r = Scale(r, Brightness, 31);
    g = Scale(g, Brightness, 63);
    b = Scale(b, Brightness, 31);
    color_table_[i] = uint16_t(r << 11 | g << 5 | b);
  }
  memo = TColorMemo{true, controls, palette_, color_table_};
}

void TGlimraSheet::RotateHue(int degrees) {
  if (degrees != 0) {
    for (int i = 1; i < 256; ++i) {
      TPaletteEntry& e = palette_[i];
      double h, s, v;
      ToHsv(e.Red, e.Green, e.Blue, h, s, v);
      // A negative turn still lands in 0..359.
      long hue = std::lround(std::nearbyint(degrees + h)) % 360;
      if (hue < 0) hue += 360;
      e = FromHsv(double(hue), s, v, e.Flags);
    }
  }
  UpdateColorTable();
}

uint8_t* TGlimraSheet::GetScanLine(int y) {
  ++changes_;
  return CheckedRow(pixels_.data(), y, height_, width_);
}

const uint8_t* TGlimraSheet::GetScanLine(int y) const {
  return CheckedRow(pixels_.data(), y, height_, width_);
}

const uint16_t* TGlimraSheet::BoardColors(const TRect& rect) {
  constexpr int kBlock = 16;
  const int across = (width_ + kBlock - 1) / kBlock;
  const size_t n = size_t(width_) * size_t(height_);
  if (board_colors_.size() != 2 * n) {
    board_colors_.assign(2 * n, 0);
    board_blocks_.assign(size_t(across) * size_t((height_ + kBlock - 1) / kBlock), 0);
  }
  for (int by = rect.Top / kBlock; by * kBlock < rect.Bottom; ++by)
    for (int bx = rect.Left / kBlock; bx * kBlock < rect.Right; ++bx) {
      uint64_t& block = board_blocks_[size_t(by) * size_t(across) + size_t(bx)];
      if (block == changes_) continue;
      block = changes_;
      const int x0 = bx * kBlock, x1 = std::min(width_, x0 + kBlock);
      for (int y = by * kBlock; y < std::min(height_, (by + 1) * kBlock); ++y) {
        const size_t at = size_t(y) * size_t(width_);
        for (int x = x0; x < x1; ++x) {
          const uint8_t index = pixels_[at + size_t(x)];
          board_colors_[at + size_t(x)] = color_table_[index];
          board_colors_[n + at + size_t(x)] = index ? 0xFFFF : 0;
        }
      }
    }
  return board_colors_.data();
}

void TGlimraSheet::LoadFromBitmap(const TBitmap& bitmap, TPoint origin) {
  if (bitmap.PixelFormat() != TPixelFormat::pf8bit) throw EInvalidGraphic(SIllegalImageFormat);
  if (AutoSize) SetSize(bitmap.Width(), bitmap.Height());
  // Sheet pixel (x, y) takes bitmap pixel (Origin.X + x, Origin.Y + y) where both exist.
  const int x0 = std::max(0, -origin.X), y0 = std::max(0, -origin.Y);
  const int x1 = int(std::min<int64_t>(width_, int64_t(bitmap.Width()) - origin.X));
  const int y1 = int(std::min<int64_t>(height_, int64_t(bitmap.Height()) - origin.Y));
  for (int y = y0; y < y1; ++y)
    if (x1 > x0)
      std::memcpy(GetScanLine(y) + x0, bitmap.ScanLine(origin.Y + y) + origin.X + x0, x1 - x0);
  palette_ = bitmap.Palette();
  UpdateColorTable();
}

void TGlimraSheet::LoadFromFileAt(const std::string& fileName, TPoint origin, bool raiseErrors) {
  Clear();
  if (fileName.empty()) return;
  try {
    TBitmap bitmap;
    LoadBitmapFromImageFile(bitmap, fileName);
    LoadFromBitmap(bitmap, origin);
  } catch (const Exception&) {
    Clear();
    if (raiseErrors) throw;
  }
}

void TGlimraSheet::FlipHorizontal() {
  for (int y = 0; y < height_; ++y)
    std::reverse(GetScanLine(y), GetScanLine(y) + width_);
}

bool TGlimraSheet::SameRects(const TRect& a, const TRect& b) const {
  const TRect bounds = GetBoundsRect();
  if (int64_t(a.Right) - a.Left != int64_t(b.Right) - b.Left ||
      int64_t(a.Bottom) - a.Top != int64_t(b.Bottom) - b.Top)
    return false;
  if (a.IsEmpty()) return true;
  if (Intersect(a, bounds) != a || Intersect(b, bounds) != b) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(GetScanLine(a.Top + y) + a.Left, GetScanLine(b.Top + y) + b.Left, a.Width()) !=
        0)
      return false;
  return true;
}

bool TGlimraSheet::IsRectClear(const TRect& rect) const {
  const TRect r = Intersect(rect, GetBoundsRect());
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* p = GetScanLine(y);
    if (std::any_of(p + r.Left, p + r.Right, [](uint8_t v) { return v != 0; })) return false;
  }
  return true;
}

bool TGlimraSheet::IsRectFilled(const TRect& rect) const {
  const TRect r = Intersect(rect, GetBoundsRect());
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* p = GetScanLine(y);
    if (std::any_of(p + r.Left, p + r.Right, [](uint8_t v) { return v == 0; })) return false;
  }
  return true;
}
