#include "shell/common/shell_pictures.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <array>

#include "core/bitmap.h"

namespace {

const QColor Mask(255, 0, 255);

// In the order of TToolGlyph.
constexpr const char* GlyphFiles[ToolGlyphCount] = {
    "glyph_project_new.png",  "glyph_project_open.png", "glyph_project_close.png",
    "glyph_project_pack.png", "glyph_exit.png",         "glyph_map_save.png",
    "glyph_map_revert.png",   "glyph_mode_lower.png",   "glyph_mode_upper.png",
    "glyph_mode_event.png",   "glyph_scale_1.png",      "glyph_scale_2.png",
    "glyph_scale_4.png",      "glyph_scale_8.png",      "glyph_database.png",
    "glyph_material.png",     "glyph_select_music.png", "glyph_test_play.png",
    "glyph_full_screen.png",  "glyph_show_title.png",   "glyph_help_contents.png",
    "glyph_help_about.png",   "glyph_undo.png",         "glyph_tool_select.png",
    "glyph_tool_zoom.png",    "glyph_tool_pen.png",     "glyph_tool_rectangle.png",
    "glyph_tool_ellipse.png", "glyph_tool_fill.png",    "glyph_play.png",
    "glyph_stop.png",
};

// The hot spot of each cursor slot's picture: the cross-hair's centre, or the tip of the
// zoom glass and the picking arrow.
constexpr std::array<QPoint, ScreenCursorSlots + 1> CursorHotSpots = {
    QPoint(), {8, 8}, {9, 9}, {8, 8}, {8, 8}, {8, 8}, {1, 1}, {8, 8}, {8, 8}, {8, 8}};

// A slot's cursor, read on first use: a start shows only one or two of them.
struct TScreenCursor {
  QCursor Cursor;
  bool Read = false;
};

std::array<TScreenCursor, ScreenCursorSlots + 1>& Cursors() {
  static std::array<TScreenCursor, ScreenCursorSlots + 1> cursors;
  return cursors;
}

// The colours of the start-mark strips, palette indexes 1 on (0 is the transparent one):
// the frame, the letters, then the marks' own colours.
constexpr std::array<QRgb, 7> MarkColors = {0xFF000000, 0xFFFFFFFF, 0xFFD03828, 0xFF3868D0,
                                            0xFF28A0A0, 0xFF9048C0, 0xFF808080};

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

QString ToolGlyphResource(int glyph) {
  return ResourcePath(GlyphFiles[std::clamp(glyph, 0, ToolGlyphCount - 1)]);
}

QString CursorResource(int slot) {
  return ResourcePath(
      ("cursor_" + std::to_string(std::clamp(slot, 1, ScreenCursorSlots)) + ".png").c_str());
}

QImage SplashPicture() {
  QImage image = SplashBackdrop();
  DrawSplashTexts(image);
  return image;
}

QImage SplashBackdrop() {
  return ResourcePicture("splash.png").convertToFormat(QImage::Format_RGB32);
}

QSize SplashPictureSize() {
  QImageReader reader(ResourcePath("splash.png"), "PNG");
  reader.setAutoDetectImageFormat(false);
  return reader.size();
}

void DrawSplashTexts(QImage& image) {
  // The texts are set in the machine's own font, shrunk until they fit.
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
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
}

QPixmap ProgramIconPixmap() {
  return QPixmap::fromImage(ResourcePicture("program_icon.png"));
}

QIcon ProgramIcon() {
  return QIcon(ProgramIconPixmap());
}

QPixmap FolderIconPixmap() {
  return QPixmap::fromImage(ResourcePicture("folder.png"));
}

QCursor ScreenCursor(int slot) {
  if (slot < 1 || slot > ScreenCursorSlots) return QCursor(Qt::ArrowCursor);
  TScreenCursor& entry = Cursors()[size_t(slot)];
  if (!entry.Read) {
    const QPoint hot = CursorHotSpots[size_t(slot)];
    entry.Cursor =
        QCursor(QPixmap::fromImage(ResourceImage(CursorResource(slot))), hot.x(), hot.y());
    entry.Read = true;
  }
  return entry.Cursor;
}

TToolGlyphs DrawToolGlyphs() {
  QImage strip(ToolGlyphSize, ToolGlyphSize * ToolGlyphCount, QImage::Format_RGB32);
  strip.fill(Mask);
  QPainter p(&strip);
  for (int glyph = 0; glyph < ToolGlyphCount; ++glyph)
    p.drawImage(0, glyph * ToolGlyphSize, ResourceImage(ToolGlyphResource(glyph)));
  p.end();
  // Disabled glyphs: every drawn pixel a flat grey, the darker ones darker.
  QImage disabled = strip.copy();
  for (int y = 0; y < disabled.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(disabled.scanLine(y));
    for (int x = 0; x < disabled.width(); ++x) {
      if (QColor(row[x]) == Mask) continue;
      const int grey = 112 + qGray(row[x]) / 3;
      row[x] = qRgb(grey, grey, grey);
    }
  }
  return {strip, disabled};
}

TBitmap StartPosBitmap(int index) {
  const int strip = std::clamp(index, 1, 4);
  const QImage image = ResourcePicture(("startpos_" + std::to_string(strip) + ".png").c_str())
                           .convertToFormat(QImage::Format_RGB32);
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf8bit, image.width(), image.height());
  TPalette& palette = bitmap.Palette();
  for (size_t k = 0; k < MarkColors.size(); ++k)
    palette[k + 1] = {uint8_t(qRed(MarkColors[k])), uint8_t(qGreen(MarkColors[k])),
                      uint8_t(qBlue(MarkColors[k])), 0};
  // Each pixel takes the index of its colour; one the palette lacks stays transparent.
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const auto at = std::find(MarkColors.begin(), MarkColors.end(), row[x] | 0xFF000000u);
      bitmap.SetIndexAt(x, y, at == MarkColors.end() ? 0 : uint8_t(1 + (at - MarkColors.begin())));
    }
  }
  return bitmap;
}
