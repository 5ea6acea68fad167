#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <functional>

#include "framework/controls/raster_target.h"

namespace {

// A painter on an image, set up by Prepare; the target found for a widget of Size.
std::optional<TRasterTarget> TargetOn(QImage& image, QSize size,
                                      const std::function<void(QPainter&)>& prepare) {
  QPainter painter(&image);
  prepare(painter);
  return RasterTargetOf(painter, size);
}

TEST(RasterTarget, FoundOnlyForPlainWholePixelTargets) {
  QImage image(200, 100, QImage::Format_RGB32);
  const auto target = TargetOn(image, QSize(300, 300), [](QPainter& p) { p.translate(5, 7); });
  ASSERT_TRUE(target);
  EXPECT_EQ(target->Rows, reinterpret_cast<const uint32_t*>(image.constBits()));
  EXPECT_EQ(target->Stride, 200);
  EXPECT_EQ(target->Offset, (TPoint{5, 7}));
  // The widget is cut to the image.
  ASSERT_EQ(target->Rects.size(), 1u);
  EXPECT_EQ(target->Rects[0], (TRect{0, 0, 195, 93}));
  const auto small = TargetOn(image, QSize(50, 40), [](QPainter&) {});
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Rects, std::vector<TRect>{(TRect{0, 0, 50, 40})});

  const std::function<void(QPainter&)> refused[] = {
      [](QPainter& p) { p.translate(0.5, 0); },
      [](QPainter& p) { p.scale(2, 2); },
      [](QPainter& p) { p.setClipRect(0, 0, 10, 10); },
  };
  for (size_t i = 0; i < std::size(refused); ++i)
    EXPECT_FALSE(TargetOn(image, QSize(50, 40), refused[i])) << i;
  QImage narrow(200, 100, QImage::Format_RGB16);
  EXPECT_FALSE(TargetOn(narrow, QSize(50, 40), [](QPainter&) {}));
  QImage sharp(200, 100, QImage::Format_RGB32);
  sharp.setDevicePixelRatio(2);
  EXPECT_FALSE(TargetOn(sharp, QSize(50, 40), [](QPainter&) {}));
}

} // namespace
