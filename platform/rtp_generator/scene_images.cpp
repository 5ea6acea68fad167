// The full-screen pictures (title, game over, battle backdrop, panorama), the system
// graphic and the battle-animation graphic of the run-time package.
#include <cstdlib>

#include "platform/rtp_generator/indexed_painter.h"
#include "platform/rtp_generator/rtp_materials.h"

namespace {

// A zigzag of period Period between 0 and Period / 2, for mountain and hill outlines.
int Zigzag(int x, int period) {
  return std::abs((x % period) - period / 2);
}

// The sky of the outdoor pictures: index First..First+Count-1 from top to bottom.
void Stars(TIndexedPainter& p, int h, int index, uint32_t seed) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < p.Width(); ++x)
      if (PixelHash(x, y, seed) % 300 == 0) p.Pixel(x, y, index);
}

// Draws an ellipse and its copy one picture width to the left, so the picture repeats
// seamlessly from side to side.
void WrappedEllipse(TIndexedPainter& p, int x, int y, int w, int h, int index) {
  p.FillEllipse(x, y, w, h, index);
  p.FillEllipse(x - p.Width(), y, w, h, index);
}

} // namespace

TBitmap DrawSystemGraphic() {
  TIndexedPainter p(160, 80);
  enum { Back = 1, Frame = 17, Cursor = 25, Arrow = 29, Fonts = 32 };
  p.SetColor(0, 0x000000);
  p.SetRamp(Back, 16, 0x101850, 0x3C50A0);
  p.SetRamp(Frame, 8, 0x505064, 0xF0F0FA);
  p.SetRamp(Cursor, 4, 0x8C6E1E, 0xFFF0A0);
  p.SetColor(Arrow, 0xF0F0FA);
  // The twenty text colours, each a short gradient from its colour to a darker one.
  constexpr uint32_t fonts[20] = {0xFAFAFA, 0x96C8FA, 0xFAA050, 0xA0A0A0, 0xFAE650,
                                  0x78DC78, 0xFAA0C8, 0xF05050, 0xB478F0, 0x78F0F0,
                                  0x5078F0, 0xB4F0A0, 0xB47846, 0xE6C83C, 0xD2D2DC,
                                  0x3CA096, 0x8C50C8, 0xBEF03C, 0xE6D2AA, 0x5A5A5A};
  for (int i = 0; i < 20; ++i) {
    const uint32_t c = fonts[i];
    const uint32_t dark =
        ((c >> 16 & 0xFF) * 3 / 5) << 16 | ((c >> 8 & 0xFF) * 3 / 5) << 8 | (c & 0xFF) * 3 / 5;
    p.SetRamp(Fonts + 4 * i, 4, c, dark);
    p.VerticalGradient(16 * (i % 10), 48 + 16 * (i / 10), 16, 16, Fonts + 4 * i, 4);
  }
  // Window background, window frame (hollow), selection cursor (hollow), two arrows.
  p.VerticalGradient(0, 0, 32, 32, Back, 16);
  for (int k = 0; k < 3; ++k)
    p.FrameRect(32 + k, k, 32 - 2 * k, 32 - 2 * k, Frame + 7 - 3 * k);
  for (int k = 0; k < 2; ++k)
    p.FrameRect(64 + k, k, 32 - 2 * k, 32 - 2 * k, Cursor + 3 - 2 * k);
  for (int r = 0; r < 4; ++r) {
    p.FillRect(104 - r, 2 + r, 1 + 2 * r, 1, Arrow);  // up
    p.FillRect(104 - r, 13 - r, 1 + 2 * r, 1, Arrow); // down
  }
  // The shadow behind text and the background tile of the menu.
  p.FillRect(112, 0, 16, 16, Frame);
  p.Speckle(128, 0, 32, 32, Back + 4, 3, 77);
  return p.Bitmap();
}

TBitmap DrawTitle() {
  TIndexedPainter p(320, 240);
  enum { Sky = 1, Far = 40, Near = 48, Sun = 56, Plate = 64, Star = 255 };
  p.SetRamp(Sky, 32, 0x0A0A32, 0xF0A064);
  p.SetRamp(Far, 8, 0x3C2850, 0x8C6E96);
  p.SetRamp(Near, 8, 0x0A2814, 0x326440);
  p.SetRamp(Sun, 8, 0xFAB43C, 0xFFFAC8);
  p.SetRamp(Plate, 16, 0x141E46, 0x46508C);
  p.SetRamp(80, 4, 0x8C6E1E, 0xFFE678);
  p.SetColor(Star, 0xFFFFFF);
  p.VerticalGradient(0, 0, 320, 180, Sky, 32);
  Stars(p, 90, Star, 11);
  for (int k = 0; k < 4; ++k)
    p.FillEllipse(200 - 3 * k, 120 - 3 * k, 48 + 6 * k, 48 + 6 * k, Sun + 7 - 2 * k);
  for (int x = 0; x < 320; ++x) {
    const int far = 120 + Zigzag(x, 90) * 2 / 3 + Zigzag(x + 20, 38) / 3;
    const int near = 170 + Zigzag(x + 45, 70) / 2 + Zigzag(x, 26) / 4;
    p.FillRect(x, far, 1, 240 - far, Far + 2 + x % 3 / 2);
    p.FillRect(x, near, 1, 240 - near, Near + 1 + (x / 3) % 2);
  }
  p.Speckle(0, 210, 320, 30, Near, 3, 12);
  // The plate where a game puts its name.
  p.VerticalGradient(60, 36, 200, 48, Plate, 16);
  p.FrameRect(60, 36, 200, 48, 83);
  p.FrameRect(62, 38, 196, 44, 81);
  return p.Bitmap();
}

TBitmap DrawGameOver() {
  TIndexedPainter p(320, 240);
  enum { Glow = 1, Stone = 40 };
  p.SetRamp(Glow, 32, 0x000000, 0x781414);
  p.SetRamp(Stone, 8, 0x28282D, 0x9696A0);
  // A dim red glow around the middle: the index falls with the squared distance.
  for (int y = 0; y < 240; ++y)
    for (int x = 0; x < 320; ++x) {
      const int dx = x - 160, dy = y - 130;
      const int d2 = dx * dx + dy * dy;
      const int level = 31 - d2 / 1100;
      p.Pixel(x, y, Glow + (level < 0 ? 0 : level));
    }
  // A gravestone with a cross on a strip of ground.
  p.FillRect(0, 196, 320, 44, Stone);
  p.FillEllipse(138, 78, 44, 44, Stone + 2);
  p.FillRect(138, 100, 44, 100, Stone + 2);
  p.FillEllipse(141, 81, 38, 38, Stone + 4);
  p.FillRect(141, 100, 38, 97, Stone + 4);
  p.FillRect(157, 104, 6, 40, Stone + 1);
  p.FillRect(148, 114, 24, 6, Stone + 1);
  return p.Bitmap();
}

TBitmap DrawBackdrop() {
  TIndexedPainter p(320, 160);
  enum { Sky = 1, Cloud = 17, Hill = 24, Grass = 32 };
  p.SetRamp(Sky, 16, 0x3C78DC, 0xB4DCFA);
  p.SetRamp(Cloud, 4, 0xD2DCF0, 0xFFFFFF);
  p.SetRamp(Hill, 8, 0x2D6E3C, 0x64A05A);
  p.SetRamp(Grass, 8, 0x286E1E, 0x8CD264);
  p.VerticalGradient(0, 0, 320, 100, Sky, 16);
  p.FillEllipse(30, 14, 70, 20, Cloud + 2);
  p.FillEllipse(50, 8, 40, 18, Cloud + 3);
  p.FillEllipse(200, 26, 90, 22, Cloud + 1);
  p.FillEllipse(222, 18, 46, 18, Cloud + 3);
  for (int x = 0; x < 320; ++x) {
    const int top = 70 + Zigzag(x + 30, 120) / 3 + Zigzag(x, 46) / 5;
    p.FillRect(x, top, 1, 100 - top, Hill + 2 + (x / 7) % 2);
  }
  p.Speckle(0, 100, 320, 60, Grass + 3, 4, 21);
  for (int y = 104; y < 160; y += 10 + (y - 100) / 6)
    p.FillRect(0, y, 320, 1, Grass + 2);
  return p.Bitmap();
}

TBitmap DrawPanorama() {
  TIndexedPainter p(320, 240);
  enum { Sky = 1, Cloud = 33 };
  p.SetRamp(Sky, 32, 0x1E50B4, 0xC8E6FA);
  p.SetRamp(Cloud, 4, 0xC8D2E6, 0xFFFFFF);
  p.VerticalGradient(0, 0, 320, 240, Sky, 32);
  for (int k = 0; k < 7; ++k) {
    const uint32_t h = PixelHash(k, 0, 31);
    const int x = static_cast<int>(h % 320), y = 20 + static_cast<int>((h >> 9) % 170);
    const int w = 50 + static_cast<int>((h >> 17) % 60);
    WrappedEllipse(p, x, y, w, w / 3, Cloud + 1);
    WrappedEllipse(p, x + w / 5, y - w / 10, w / 2, w / 4, Cloud + 3);
  }
  return p.Bitmap();
}

TBitmap DrawBattleGraphic() {
  // Ten 96 x 96 patterns, five a row: a burst that grows and fades.
  TIndexedPainter p(480, 192);
  enum { Spark = 1 };
  p.SetColor(0, 0x000000);
  p.SetRamp(Spark, 16, 0x5A3C08, 0xFFFAD2);
  for (int n = 0; n < 10; ++n) {
    const int cx = 96 * (n % 5) + 48, cy = 96 * (n / 5) + 48;
    const int r = 6 + 4 * n, brightness = 15 - n;
    for (int y = -47; y < 48; ++y)
      for (int x = -47; x < 48; ++x) {
        const int d2 = x * x + y * y;
        if (d2 <= r * r && d2 >= (r - 4) * (r - 4))
          p.Pixel(cx + x, cy + y, Spark + brightness);
        else if (n < 3 && d2 < (8 - 2 * n) * (8 - 2 * n))
          p.Pixel(cx + x, cy + y, Spark + 15);
      }
    // Sparks flying out in eight directions.
    constexpr int dirs[8][2] = {{2, 0}, {-2, 0}, {0, 2},  {0, -2},
                                {1, 1}, {-1, 1}, {1, -1}, {-1, -1}};
    for (const auto& d : dirs) {
      const int reach = (r + 6) / 2 < 22 ? (r + 6) / 2 : 22; // stays inside the cell
      p.FillRect(cx + d[0] * reach - 1, cy + d[1] * reach - 1, 3, 3, Spark + brightness / 2 + 8);
    }
  }
  return p.Bitmap();
}
