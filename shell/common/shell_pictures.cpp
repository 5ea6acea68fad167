#include "shell/common/shell_pictures.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

#include "core/bitmap.h"

namespace {

const QColor Ink(40, 40, 48);
const QColor Mask(255, 0, 255);

// The emblem of the program: a map sheet with a path over it, in a 32-unit square.
void DrawEmblem(QPainter& p, const QRectF& r) {
  const double u = r.width() / 32.0;
  p.save();
  p.translate(r.topLeft());
  p.scale(u, u);
  p.setPen(QPen(Ink, 1.5));
  p.setBrush(QColor(236, 208, 140));
  p.drawRoundedRect(QRectF(3, 5, 26, 22), 3, 3);
  p.setBrush(QColor(96, 160, 88));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(6, 8, 9, 7));
  p.setBrush(QColor(72, 120, 200));
  p.drawEllipse(QRectF(17, 16, 10, 8));
  p.setPen(QPen(QColor(176, 40, 40), 2, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  QPainterPath path(QPointF(7, 23));
  path.cubicTo(QPointF(12, 14), QPointF(19, 20), QPointF(25, 9));
  p.drawPath(path);
  p.restore();
}

QCursor MakeCursor(int slot) {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Every tool cursor has its hot spot at a cross-hair point with a white halo.
  auto cross = [&p](int x, int y, int arm) {
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 3}, {QColor(Qt::black), 1}}) {
      p.setPen(QPen(color, width));
      p.drawLine(x - arm, y, x + arm, y);
      p.drawLine(x, y - arm, x, y + arm);
    }
  };
  auto outline = [&p] {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
  };
  QPoint hot(8, 8);
  switch (slot) {
  case 1: // select
    cross(8, 8, 6);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(14, 14, 12, 10);
    break;
  case 2: // zoom
    outline();
    p.drawEllipse(2, 2, 14, 14);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(15, 15, 22, 22);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(6, 9, 12, 9);
    p.drawLine(9, 6, 9, 12);
    hot = QPoint(9, 9);
    break;
  case 3: // fill
    cross(8, 8, 6);
    outline();
    p.drawPolygon(QPolygon({QPoint(16, 18), QPoint(24, 12), QPoint(30, 20), QPoint(22, 27)}));
    p.setBrush(Qt::black);
    p.drawEllipse(13, 22, 4, 5);
    break;
  case 4: // pen
    cross(8, 8, 6);
    outline();
    p.drawPolygon(
        QPolygon({QPoint(13, 13), QPoint(16, 12), QPoint(28, 24), QPoint(25, 27), QPoint(12, 16)}));
    break;
  case 6: // pick
    outline();
    p.drawPolygon(
        QPolygon({QPoint(1, 1), QPoint(4, 1), QPoint(14, 11), QPoint(11, 14), QPoint(1, 4)}));
    p.setBrush(Qt::black);
    p.drawRect(12, 12, 6, 6);
    hot = QPoint(1, 1);
    break;
  case 8: // rectangle
    cross(8, 8, 6);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(14, 14, 14, 10);
    break;
  case 9: // ellipse
    cross(8, 8, 6);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(14, 14, 14, 10);
    break;
  default: // the spare slots hold a plain cross-hair
    cross(8, 8, 7);
    break;
  }
  return QCursor(pixmap, hot.x(), hot.y());
}

std::array<QCursor, ScreenCursorSlots + 1>& Cursors() {
  static std::array<QCursor, ScreenCursorSlots + 1> cursors;
  return cursors;
}

void DrawGlyph(QPainter& p, int glyph) {
  p.setPen(QPen(Ink, 1));
  const QColor paper(250, 250, 240), blue(56, 104, 200), green(56, 150, 72), red(200, 56, 48),
      yellow(232, 196, 64);
  auto page = [&](QColor fill) {
    p.setBrush(fill);
    p.drawRect(3, 1, 10, 13);
  };
  auto folder = [&] {
    p.setBrush(yellow);
    p.drawRect(1, 4, 13, 9);
    p.drawRect(1, 2, 5, 2);
  };
  auto letter = [&](const char* text, QColor color) {
    QFont font;
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(QRect(0, 3, 16, 11), Qt::AlignCenter, QString::fromLatin1(text));
  };
  auto scale = [&](int cells) {
    p.setBrush(paper);
    p.drawRect(1, 1, 13, 13);
    const int step = 12 / cells;
    p.setPen(QColor(128, 128, 128));
    for (int i = 1; i < cells; ++i) {
      p.drawLine(1 + i * step, 2, 1 + i * step, 13);
      p.drawLine(2, 1 + i * step, 13, 1 + i * step);
    }
  };
  switch (glyph) {
  case tgProjectNew:
    page(paper);
    p.setPen(green);
    p.drawLine(10, 3, 10, 7);
    p.drawLine(8, 5, 12, 5);
    break;
  case tgProjectOpen:
    folder();
    p.setBrush(paper);
    p.drawLine(3, 13, 6, 7);
    break;
  case tgProjectClose:
    folder();
    p.setPen(QPen(red, 2));
    p.drawLine(5, 6, 11, 12);
    p.drawLine(11, 6, 5, 12);
    break;
  case tgProjectPack:
    p.setBrush(QColor(180, 140, 96));
    p.drawRect(2, 5, 12, 9);
    p.drawLine(2, 5, 5, 2);
    p.drawLine(14, 5, 11, 2);
    p.drawLine(5, 2, 11, 2);
    break;
  case tgExit:
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(4, 1, 8, 14);
    p.setPen(Ink);
    p.drawPoint(10, 8);
    break;
  case tgMapSave:
    p.setBrush(blue);
    p.drawRect(1, 1, 13, 13);
    p.setBrush(paper);
    p.drawRect(4, 1, 7, 5);
    p.drawRect(3, 9, 9, 5);
    break;
  case tgMapRevert:
    p.setPen(QPen(blue, 2));
    p.drawArc(3, 3, 10, 10, 90 * 16, 270 * 16);
    p.drawLine(8, 3, 5, 1);
    p.drawLine(8, 3, 5, 5);
    break;
  case tgModeLower:
    p.setBrush(green);
    p.drawRect(1, 8, 13, 6);
    p.setBrush(Qt::NoBrush);
    p.drawRect(3, 2, 9, 5);
    break;
  case tgModeUpper:
    p.setBrush(Qt::NoBrush);
    p.drawRect(1, 8, 13, 6);
    p.setBrush(green);
    p.drawRect(3, 2, 9, 5);
    break;
  case tgModeEvent:
    p.setBrush(paper);
    p.drawRect(1, 1, 13, 13);
    letter("E", red);
    break;
  case tgScale1:
    scale(1);
    break;
  case tgScale2:
    scale(2);
    break;
  case tgScale4:
    scale(4);
    break;
  case tgScale8:
    scale(6);
    break;
  case tgDataBase:
    p.setBrush(QColor(140, 160, 190));
    p.drawRect(2, 3, 11, 10);
    p.drawEllipse(2, 1, 11, 4);
    p.drawEllipse(2, 11, 11, 4);
    break;
  case tgMaterial:
    p.setBrush(paper);
    p.drawRect(1, 2, 13, 11);
    p.setBrush(green);
    p.drawEllipse(3, 5, 4, 4);
    p.setBrush(blue);
    p.drawRect(8, 7, 5, 5);
    break;
  case tgSelectMusic:
    p.setBrush(Ink);
    p.drawEllipse(2, 10, 4, 3);
    p.drawEllipse(9, 8, 4, 3);
    p.drawLine(6, 11, 6, 2);
    p.drawLine(13, 9, 13, 1);
    p.drawLine(6, 2, 13, 1);
    break;
  case tgTestPlay:
    p.setBrush(green);
    p.drawPolygon(QPolygon({QPoint(4, 2), QPoint(13, 8), QPoint(4, 14)}));
    break;
  case tgFullScreen:
    p.setBrush(paper);
    p.drawRect(1, 2, 13, 10);
    p.setBrush(blue);
    p.drawRect(3, 4, 9, 6);
    p.drawLine(5, 14, 10, 14);
    break;
  case tgShowTitle:
    p.setBrush(paper);
    p.drawRect(1, 2, 13, 10);
    letter("T", blue);
    break;
  case tgHelpContents:
    p.setBrush(blue);
    p.drawRect(2, 1, 11, 13);
    letter("?", Qt::white);
    break;
  case tgHelpAbout:
    p.setBrush(paper);
    p.drawEllipse(1, 1, 13, 13);
    letter("i", blue);
    break;
  case tgUndo:
    p.setPen(QPen(blue, 2));
    p.drawArc(3, 4, 10, 9, 0, 180 * 16);
    p.drawLine(3, 9, 1, 6);
    p.drawLine(3, 9, 6, 7);
    break;
  case tgToolSelect:
    p.setPen(QPen(Ink, 1, Qt::DotLine));
    p.drawRect(2, 2, 11, 11);
    break;
  case tgToolZoom:
    p.setBrush(paper);
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(Ink, 2));
    p.drawLine(9, 9, 14, 14);
    break;
  case tgToolPen:
    p.setBrush(yellow);
    p.drawPolygon(
        QPolygon({QPoint(2, 14), QPoint(3, 10), QPoint(11, 2), QPoint(14, 5), QPoint(6, 13)}));
    break;
  case tgToolRectangle:
    p.setBrush(Qt::NoBrush);
    p.drawRect(2, 3, 11, 9);
    break;
  case tgToolEllipse:
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(1, 3, 13, 9);
    break;
  case tgToolFill:
    p.setBrush(paper);
    p.drawPolygon(QPolygon({QPoint(2, 7), QPoint(8, 2), QPoint(14, 8), QPoint(8, 14)}));
    p.setBrush(blue);
    p.drawEllipse(1, 10, 3, 4);
    break;
  default:
    break;
  }
}

// The 5 x 5 letters on the larger start marks: P(arty), B(oat), S(hip), A(irship), E(vent).
constexpr std::array<std::array<uint8_t, 5>, 5> MarkLetters = {{
    {0x1E, 0x11, 0x1E, 0x10, 0x10},
    {0x1E, 0x11, 0x1E, 0x11, 0x1E},
    {0x0F, 0x10, 0x0E, 0x01, 0x1E},
    {0x0E, 0x11, 0x1F, 0x11, 0x11},
    {0x1F, 0x10, 0x1E, 0x10, 0x1F},
}};

} // namespace

QFont FitFontToBox(QFont font, const QString& text, QSize box, int largestPixelSize) {
  // The installed fonts differ from machine to machine: shrink until the text fits.
  for (int size = largestPixelSize; size > 6; --size) {
    font.setPixelSize(size);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height())
      return font;
  }
  font.setPixelSize(6);
  return font;
}
QImage SplashPicture() {
  QImage image(512, 256, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 256);
  sky.setColorAt(0, QColor(32, 48, 96));
  sky.setColorAt(1, QColor(120, 88, 140));
  p.fillRect(image.rect(), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(56, 96, 72));
  p.drawEllipse(QRectF(-80, 180, 400, 160));
  p.setBrush(QColor(40, 76, 60));
  p.drawEllipse(QRectF(220, 196, 420, 150));
  DrawEmblem(p, QRectF(32, 40, 128, 128));
  QFont title;
  title.setBold(true);
  const QRect titleBox(176, 72, 320, 56);
  const QString titleText = QStringLiteral("Velmora Studio");
  p.setFont(FitFontToBox(title, titleText, titleBox.size(), 40));
  p.setPen(QColor(248, 240, 220));
  p.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, titleText);
  const QRect subBox(180, 126, 320, 24);
  const QString subText = QStringLiteral("Role-playing game editor");
  p.setFont(FitFontToBox(QFont(), subText, subBox.size(), 16));
  p.drawText(subBox, Qt::AlignLeft | Qt::AlignVCenter, subText);
  return image;
}

QPixmap ProgramIconPixmap() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  DrawEmblem(p, QRectF(0, 0, 32, 32));
  return pixmap;
}

QIcon ProgramIcon() {
  return QIcon(ProgramIconPixmap());
}

QPixmap FolderIconPixmap() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Ink);
  p.setBrush(QColor(232, 196, 64));
  p.drawRect(1, 4, 13, 9);
  p.drawRect(1, 2, 5, 2);
  return pixmap;
}

void LoadScreenCursors() {
  for (int slot = 1; slot <= ScreenCursorSlots; ++slot)
    Cursors()[size_t(slot)] = MakeCursor(slot);
}

QCursor ScreenCursor(int slot) {
  if (slot < 1 || slot > ScreenCursorSlots) return QCursor(Qt::ArrowCursor);
  return Cursors()[size_t(slot)];
}

QImage ToolGlyphStrip(bool disabled) {
  QImage strip(ToolGlyphSize, ToolGlyphSize * ToolGlyphCount, QImage::Format_RGB32);
  strip.fill(Mask);
  QPainter p(&strip);
  for (int glyph = 0; glyph < ToolGlyphCount; ++glyph) {
    p.save();
    p.setClipRect(0, glyph * ToolGlyphSize, ToolGlyphSize, ToolGlyphSize - 1);
    p.translate(0, glyph * ToolGlyphSize);
    DrawGlyph(p, glyph);
    p.restore();
  }
  p.end();
  if (!disabled) return strip;
  // Disabled glyphs: every drawn pixel a flat grey, the darker ones darker.
  for (int y = 0; y < strip.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(strip.scanLine(y));
    for (int x = 0; x < strip.width(); ++x) {
      if (QColor(row[x]) == Mask) continue;
      const int grey = 112 + qGray(row[x]) / 3;
      row[x] = qRgb(grey, grey, grey);
    }
  }
  return strip;
}

TBitmap StartPosBitmap(int index) {
  static constexpr int Sizes[] = {32, 16, 8, 4};
  static constexpr uint32_t Fills[] = {0xD03828, 0x3868D0, 0x28A0A0, 0x9048C0, 0x808080};
  const int cell = Sizes[std::clamp(index, 1, 4) - 1];
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf8bit, cell * 5, cell);
  TPalette& palette = bitmap.Palette();
  palette[1] = {0, 0, 0, 0};
  palette[2] = {255, 255, 255, 0};
  for (int m = 0; m < 5; ++m)
    palette[size_t(3 + m)] = {uint8_t(Fills[m] >> 16), uint8_t(Fills[m] >> 8), uint8_t(Fills[m]),
                              0};
  const int scale = cell / 8;
  const int inset = (cell - 5 * scale) / 2;
  for (int m = 0; m < 5; ++m) {
    for (int y = 0; y < cell; ++y) {
      for (int x = 0; x < cell; ++x) {
        const bool border = cell >= 8 && (x == 0 || y == 0 || x == cell - 1 || y == cell - 1);
        uint8_t index8 = border ? 1 : uint8_t(3 + m);
        if (scale >= 2 && x >= inset && y >= inset && x < inset + 5 * scale &&
            y < inset + 5 * scale) {
          const int lx = (x - inset) / scale, ly = (y - inset) / scale;
          if (MarkLetters[size_t(m)][size_t(ly)] & (0x10 >> lx)) index8 = 2;
        }
        bitmap.SetIndexAt(m * cell + x, y, index8);
      }
    }
  }
  return bitmap;
}
