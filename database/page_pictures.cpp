#include "database/page_pictures.h"

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <algorithm>
#include <vector>

#include "core/bitmap.h"
#include "core/glimra_sheet.h"
#include "framework/forms/form_builder.h"
#include "shell/common/shell_pictures.h"

QLabel* RankImage(TFormBuilder& b, int rank, const char* name) {
  static const char* const files[RankCount] = {"rank_a.png", "rank_b.png", "rank_c.png",
                                               "rank_d.png", "rank_e.png"};
  QLabel* label = b.Label(name, QString());
  label->setPixmap(QPixmap::fromImage(ResourcePicture(files[rank])));
  return label;
}

void LoadPictureSheet(TGlimraSheet& sheet, const char* file) {
  const QImage image = ResourcePicture(file).convertToFormat(QImage::Format_ARGB32);
  TBitmap bitmap;
  bitmap.Reset(TPixelFormat::pf8bit, image.width(), image.height());
  std::vector<QRgb> colors;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) < 128) continue; // index 0: transparent
      const QRgb color = row[x] | 0xFF000000u;
      auto at = std::find(colors.begin(), colors.end(), color);
      if (at == colors.end()) {
        if (colors.size() == 255) continue;
        colors.push_back(color);
        at = colors.end() - 1;
        bitmap.Palette()[colors.size()] = {uint8_t(qRed(color)), uint8_t(qGreen(color)),
                                           uint8_t(qBlue(color)), 0};
      }
      bitmap.SetIndexAt(x, y, uint8_t(1 + (at - colors.begin())));
    }
  }
  sheet.SetSize(bitmap.Width(), bitmap.Height());
  sheet.LoadFromBitmap(bitmap);
  sheet.Transparent = true;
}
