// The character set, the face set and the monster of the run-time package. Index 0 is
// the transparent background of the character set and the monster.
#include "platform/rtp_generator/indexed_painter.h"
#include "platform/rtp_generator/rtp_materials.h"

namespace {

constexpr uint32_t KeyColor = 0x208060;

// Shared by the character set and the face set.
constexpr int Outline = 1;
constexpr int Skin = 2; // 4 shades
constexpr int Eye = 6;
constexpr int White = 7;
constexpr int Hair = 8;      // 8 colours of 3 shades
constexpr int Cloth = 32;    // 8 colours of 4 shades
constexpr int Wood = 64;     // 8 shades
constexpr int Sail = 72;     // 4 shades
constexpr int Balloon = 76;  // 8 shades
constexpr int Backdrop = 96; // 4 pastel colours of 4 shades

constexpr uint32_t HairColors[8] = {0x5A3214, 0xE6C850, 0x282828, 0xB43C1E,
                                    0x7882C8, 0xDCDCDC, 0x3C8C3C, 0xC864A0};
constexpr uint32_t ClothColors[8] = {0x3264C8, 0xC83232, 0x32A050, 0x8C3CB4,
                                     0xDCA028, 0x287878, 0x646464, 0xE67850};

uint32_t Darken(uint32_t rgb, int percent) {
  uint32_t out = 0;
  for (int shift : {16, 8, 0})
    out |= (((rgb >> shift) & 0xFF) * percent / 100) << shift;
  return out;
}

void SetFigurePalette(TIndexedPainter& p) {
  p.SetColor(0, KeyColor);
  p.SetColor(Outline, 0x181820);
  p.SetRamp(Skin, 4, 0xC08860, 0xFFE0C8);
  p.SetColor(Eye, 0x141428);
  p.SetColor(White, 0xFAFAFA);
  for (int c = 0; c < 8; ++c) {
    p.SetRamp(Hair + 3 * c, 3, Darken(HairColors[c], 55), HairColors[c]);
    p.SetRamp(Cloth + 4 * c, 4, Darken(ClothColors[c], 45), ClothColors[c]);
  }
  p.SetRamp(Wood, 8, 0x4A2C10, 0xC8965A);
  p.SetRamp(Sail, 4, 0xB4B4A0, 0xFFFFF0);
  p.SetRamp(Balloon, 8, 0x6E0A0A, 0xFA7860);
  const uint32_t pastels[4] = {0xB4D2F0, 0xF0D2B4, 0xC8F0C8, 0xE6C8F0};
  for (int c = 0; c < 4; ++c)
    p.SetRamp(Backdrop + 4 * c, 4, Darken(pastels[c], 80), pastels[c]);
}

// One walking person in a 24 x 32 cell. Direction 0 up, 1 right, 2 down, 3 left;
// pattern 0 and 2 are the two steps, 1 standing.
void DrawPerson(TIndexedPainter& p, int x0, int y0, int look, int direction, int pattern) {
  const int cloth = Cloth + 4 * look, hair = Hair + 3 * look;
  const int step = pattern == 1 ? 0 : pattern == 0 ? -1 : 1;
  const bool side = direction % 2 == 1;
  // Legs.
  if (side) {
    p.FillRect(x0 + 9 + step, y0 + 24, 3, 7, cloth);
    p.FillRect(x0 + 12 - step, y0 + 24, 3, 7, cloth + 1);
  } else {
    p.FillRect(x0 + 8, y0 + 24 + step, 3, 7 - step, cloth);
    p.FillRect(x0 + 13, y0 + 24 - step, 3, 7 + step, cloth);
  }
  // Body and arms.
  p.FillRect(x0 + 6, y0 + 14, 12, 11, cloth + 2);
  p.FrameRect(x0 + 6, y0 + 14, 12, 11, cloth);
  p.FillRect(x0 + 7, y0 + 21, 10, 1, cloth);
  if (side) {
    p.FillRect(x0 + 11 + step, y0 + 15, 3, 8, cloth + 3);
  } else {
    p.FillRect(x0 + 4, y0 + 15 + step, 2, 8, cloth + 3);
    p.FillRect(x0 + 18, y0 + 15 - step, 2, 8, cloth + 3);
  }
  // Head: outline, hair, then the face turned the way the person looks.
  p.FillEllipse(x0 + 4, y0 + 1, 16, 15, Outline);
  p.FillEllipse(x0 + 5, y0 + 2, 14, 13, hair + 1);
  p.FillRect(x0 + 8, y0 + 3, 4, 2, hair + 2);
  if (direction == 0) return;
  const int faceX = direction == 1 ? 9 : direction == 3 ? 5 : 6;
  const int faceW = side ? 10 : 12;
  p.FillEllipse(x0 + faceX, y0 + 6, faceW, 9, Skin + 2);
  if (direction == 2) {
    p.FillRect(x0 + 9, y0 + 9, 1, 2, Eye);
    p.FillRect(x0 + 14, y0 + 9, 1, 2, Eye);
  } else {
    p.FillRect(x0 + (direction == 1 ? 15 : 8), y0 + 9, 1, 2, Eye);
  }
}

// Vehicles keep their shape in every direction; the steps rock them on the waves or turn
// the airship's propeller.
void DrawBoat(TIndexedPainter& p, int x0, int y0, int direction, int pattern) {
  const int bob = pattern == 1 ? 0 : 1;
  if (direction % 2) {
    p.FillEllipse(x0 + 1, y0 + 15 + bob, 22, 11, Wood);
    p.FillEllipse(x0 + 2, y0 + 16 + bob, 20, 8, Wood + 4);
    p.FillRect(x0 + 4, y0 + 19 + bob, 16, 1, Wood + 2);
  } else {
    p.FillEllipse(x0 + 6, y0 + 6 + bob, 12, 24, Wood);
    p.FillEllipse(x0 + 7, y0 + 7 + bob, 10, 21, Wood + 4);
    p.FillRect(x0 + 8, y0 + 17 + bob, 8, 1, Wood + 2);
  }
}

void DrawShip(TIndexedPainter& p, int x0, int y0, int direction, int pattern) {
  const int bob = pattern == 1 ? 0 : 1;
  p.FillEllipse(x0 + 1, y0 + 17 + bob, 22, 13, Wood);
  p.FillEllipse(x0 + 2, y0 + 18 + bob, 20, 10, Wood + 5);
  p.FillRect(x0 + 11, y0 + 2 + bob, 2, 18, Wood + 1);
  const int sailW = direction % 2 ? 6 : 14;
  p.FillRect(x0 + 12 - sailW / 2, y0 + 4 + bob, sailW, 11, Sail + 2);
  p.FrameRect(x0 + 12 - sailW / 2, y0 + 4 + bob, sailW, 11, Sail);
}

void DrawAirship(TIndexedPainter& p, int x0, int y0, int direction, int pattern) {
  p.FillEllipse(x0 + 1, y0 + 1, 22, 16, Balloon);
  p.FillEllipse(x0 + 2, y0 + 2, 20, 14, Balloon + 4);
  p.FillRect(x0 + 2, y0 + 8, 20, 1, Balloon + 2);
  p.FillRect(x0 + 7, y0 + 17, 1, 3, Outline);
  p.FillRect(x0 + 16, y0 + 17, 1, 3, Outline);
  p.FillRect(x0 + 7, y0 + 20, 10, 6, Wood + 3);
  p.FrameRect(x0 + 7, y0 + 20, 10, 6, Wood);
  // The propeller at the back, turning with the pattern.
  const int px = direction == 1 ? 3 : direction == 3 ? 19 : 11;
  if (pattern == 1)
    p.FillRect(x0 + px, y0 + 26, 3, 1, Outline);
  else
    p.FillRect(x0 + px + 1, y0 + 25, 1, 3, Outline);
}

} // namespace

TBitmap DrawCharSet() {
  TIndexedPainter p(288, 256);
  SetFigurePalette(p);
  for (int c = 0; c < 8; ++c)
    for (int direction = 0; direction < 4; ++direction)
      for (int pattern = 0; pattern < 3; ++pattern) {
        const int x = 72 * (c % 4) + 24 * pattern;
        const int y = 128 * (c / 4) + 32 * direction;
        if (c == RtpBoatIndex)
          DrawBoat(p, x, y, direction, pattern);
        else if (c == RtpShipIndex)
          DrawShip(p, x, y, direction, pattern);
        else if (c == RtpAirshipIndex)
          DrawAirship(p, x, y, direction, pattern);
        else
          DrawPerson(p, x, y, c, direction, pattern);
      }
  return p.Bitmap();
}

TBitmap DrawFaceSet() {
  TIndexedPainter p(192, 192);
  SetFigurePalette(p);
  for (int f = 0; f < 16; ++f) {
    const int x = 48 * (f % 4), y = 48 * (f / 4);
    const int look = f % 8, hair = Hair + 3 * look, cloth = Cloth + 4 * ((f + 3) % 8);
    const int skin = Skin + (f / 8 ? 1 : 2);
    p.VerticalGradient(x, y, 48, 48, Backdrop + 4 * (f % 4), 4);
    p.FillEllipse(x + 4, y + 36, 40, 24, cloth + 2);
    p.FillRect(x + 20, y + 32, 8, 6, skin - 1);
    p.FillEllipse(x + 7, y + 2, 34, 30, hair);
    p.FillEllipse(x + 10, y + 6, 28, 32, skin);
    p.FillEllipse(x + 9, y + 3, 30, 12, hair + 1);
    if (f % 2) p.FillRect(x + 9, y + 8, 4, 18, hair + 1); // long hair at the sides
    if (f % 2) p.FillRect(x + 35, y + 8, 4, 18, hair + 1);
    for (int side = 0; side < 2; ++side) {
      const int ex = x + 16 + 11 * side;
      p.FillRect(ex, y + 20, 5, 4, White);
      p.FillRect(ex + 1 + side, y + 20, 2, 4, Eye);
    }
    p.FillRect(x + 20, y + 31, 8, 1, Outline);
    if (f % 3 == 0) p.FillRect(x + 21, y + 32, 6, 1, skin - 1); // a smile
  }
  return p.Bitmap();
}

TBitmap DrawMonster() {
  TIndexedPainter p(64, 64);
  p.SetColor(0, KeyColor);
  p.SetColor(1, 0x0A280A);
  p.SetRamp(2, 6, 0x1E6E28, 0x9AF08C);
  p.SetColor(8, 0xFAFAFA);
  p.SetColor(9, 0x141414);
  p.FillEllipse(5, 17, 54, 44, 1);
  p.FillEllipse(6, 18, 52, 42, 3);
  p.FillEllipse(9, 20, 46, 36, 4);
  p.FillEllipse(14, 24, 14, 10, 7);
  for (int side = 0; side < 2; ++side) {
    p.FillEllipse(20 + 16 * side, 32, 9, 11, 8);
    p.FillEllipse(23 + 16 * side, 36, 4, 6, 9);
  }
  p.FillRect(26, 49, 12, 2, 1);
  return p.Bitmap();
}
