#include "framework/controls/raster_target.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <cmath>

std::optional<TRasterTarget> RasterTargetOf(QPainter& canvas, QSize size) {
  QPaintEngine* engine = canvas.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster || canvas.hasClipping()) return {};
  QPaintDevice* device = engine->paintDevice();
  if (!device || device->devType() != QInternal::Image) return {};
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if ((format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
       format != QImage::Format_ARGB32_Premultiplied) ||
      image->devicePixelRatio() != 1.0 || image->bytesPerLine() % 4 != 0)
    return {};
  const QTransform t = canvas.deviceTransform();
  if (t.type() > QTransform::TxTranslate || t.dx() != std::round(t.dx()) ||
      t.dy() != std::round(t.dy()))
    return {};
  const QPoint offset(int(t.dx()), int(t.dy()));
  // What the paint may touch, on the store: the widget, cut to the store and the clip
  // the paint event set (none: the whole store).
  QRegion region = QRect(offset, size) & image->rect();
  if (const QRegion clip = engine->systemClip(); !clip.isEmpty()) region &= clip;
  TRasterTarget target;
  // The engine holds this very memory; asking for it writable could detach a shared
  // image from under the engine.
  target.Rows = reinterpret_cast<uint32_t*>(const_cast<uchar*>(std::as_const(*image).constBits()));
  target.Stride = image->bytesPerLine() / 4;
  target.Offset = TPoint{offset.x(), offset.y()};
  for (const QRect& r : region)
    target.Rects.push_back(TRect{r.left() - offset.x(), r.top() - offset.y(),
                                 r.right() + 1 - offset.x(), r.bottom() + 1 - offset.y()});
  return target;
}
