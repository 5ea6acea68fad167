#include "framework/controls/canvas_helpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPaintDevice>
#include <QPainter>
#include <QWidget>
#include <algorithm>

#include "core/bitmap.h"
#include "core/glimra_board.h"
#include "core/raster.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/framework_messages.h"

namespace {

// Windows' MulDiv: the product in 64 bits, rounded half away from zero.
long long MulDiv(long long a, long long b, long long c) {
  const long long product = a * b;
  return (product + (product >= 0 ? c / 2 : -c / 2)) / c;
}

void SetBaseColor(QWidget* control, bool enabled) {
  const QPalette defaults = QApplication::palette(control);
  QPalette palette = control->palette();
  palette.setColor(QPalette::Base, enabled ? defaults.color(QPalette::Active, QPalette::Base)
                                           : defaults.color(QPalette::Active, QPalette::Button));
  control->setPalette(palette);
}

// A one-pixel outline with a clear inside.
void FrameRect(const TSurface16& surface, const TRect& r, uint16_t value) {
  if (r.IsEmpty()) return;
  FillRect(surface, {r.Left, r.Top, r.Right, r.Top + 1}, value);
  FillRect(surface, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, value);
  FillRect(surface, {r.Left, r.Top, r.Left + 1, r.Bottom}, value);
  FillRect(surface, {r.Right - 1, r.Top, r.Right, r.Bottom}, value);
}

TRect Inflated(const TRect& r, int by) {
  return {r.Left - by, r.Top - by, r.Right + by, r.Bottom + by};
}

} // namespace

void DrawSelectionFrame(TGlimraBoard& board, const QColor& color, const TRect& rect) {
  constexpr uint16_t black = 0x0000;
  constexpr uint16_t white = 0xFFFF;
  const TSurface16 surface = board.Surface();
  FrameRect(surface, rect, black);
  FrameRect(surface, Inflated(rect, -3), black);
  FrameRect(surface, Inflated(rect, -2), white);
  FrameRect(surface, Inflated(rect, -1), ColorToRgb565(color.rgb() & 0xFFFFFF));
}

TRect ScaleRect(const TRect& rect, int factor) {
  return {rect.Left * factor, rect.Top * factor, rect.Right * factor, rect.Bottom * factor};
}

TRect CellRectFromCorners(TPoint a, TPoint b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1, std::max(a.Y, b.Y) + 1};
}

TRect FitRectKeepingAspect(int boundsWidth, int boundsHeight, int imageWidth, int imageHeight) {
  // An empty image has nothing to scale: an empty rectangle at the centre.
  if (imageWidth <= 0 || imageHeight <= 0) return Bounds(boundsWidth / 2, boundsHeight / 2, 0, 0);
  long long width = imageWidth;
  long long height = imageHeight;
  if (imageWidth > boundsWidth || imageHeight > boundsHeight) {
    // bounds width / height < image width / height, without fractions.
    if (static_cast<long long>(boundsWidth) * imageHeight <
        static_cast<long long>(imageWidth) * boundsHeight) {
      width = boundsWidth;
      height = static_cast<long long>(imageHeight) * boundsWidth / imageWidth;
    } else {
      height = boundsHeight;
      width = static_cast<long long>(imageWidth) * boundsHeight / imageHeight;
    }
  }
  const int left = static_cast<int>((boundsWidth - width) / 2);
  const int top = static_cast<int>((boundsHeight - height) / 2);
  return Bounds(left, top, static_cast<int>(width), static_cast<int>(height));
}

int AutoScrollStep(int distance) {
  return std::clamp(distance / 2, 0, 20);
}

int EdgeAutoScrollStep(int position, int size) {
  constexpr int edge = 16;
  if (position < edge) return -AutoScrollStep(edge - position);
  if (position > size - edge) return AutoScrollStep(position - size + edge);
  return 0;
}

QString FormatIntRange(int a, int b) {
  if (a == b) return QString::number(a);
  return QString::number(a) + QString::fromLatin1(SIntRangeSeparator) + QString::number(b);
}

void EnableControls(std::initializer_list<QWidget*> controls, bool enabled) {
  EnableControls(std::vector<QWidget*>(controls), enabled);
}

void EnableControls(const std::vector<QWidget*>& controls, bool enabled) {
  GreyControls(controls, enabled);
  if (!enabled)
    for (QWidget* control : controls)
      ShowNothing(control);
}

void GreyControls(const std::vector<QWidget*>& controls, bool enabled) {
  for (QWidget* control : controls) {
    control->setEnabled(enabled);
    if (qobject_cast<QComboBox*>(control) || qobject_cast<TDialEdit*>(control) ||
        qobject_cast<TOverEdit*>(control) || qobject_cast<TDashBox*>(control) ||
        qobject_cast<QAbstractItemView*>(control))
      SetBaseColor(control, enabled);
  }
}

void ShowNothing(QWidget* control) {
  if (auto* combo = qobject_cast<QComboBox*>(control)) combo->setCurrentIndex(-1);
  if (auto* dialEdit = qobject_cast<TDialEdit*>(control)) dialEdit->clear();
  if (auto* overEdit = qobject_cast<TOverEdit*>(control)) overEdit->clear();
  if (auto* dashBox = qobject_cast<TDashBox*>(control)) dashBox->SetText(QString());
}

void FillHatchedBackground(QPainter& painter, int x, int y) {
  const QRect area = painter.hasClipping()
                         ? painter.clipBoundingRect().toAlignedRect()
                         : QRect(0, 0, painter.device()->width(), painter.device()->height());
  const QPalette& palette = QApplication::palette();
  painter.save();
  painter.fillRect(area, palette.color(QPalette::Dark));
  painter.setBrushOrigin(-x, -y);
  painter.fillRect(area, QBrush(palette.color(QPalette::Button), Qt::DiagCrossPattern));
  painter.restore();
}

void DrawMarchingAntsRect(QPainter& painter, int time, int speed, const QColor& brushColor,
                          const QColor& penColor, Qt::PenStyle penStyle, const QRect& rect) {
  const int phase = static_cast<int>(MulDiv(time, speed, 1024) % 96);
  const int l = rect.left();
  const int t = rect.top();
  const int r = rect.left() + rect.width();
  const int b = rect.top() + rect.height();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(penColor, 0, penStyle, Qt::SquareCap));
  painter.setBackgroundMode(Qt::OpaqueMode);
  painter.setBackground(brushColor);
  painter.setClipRect(rect);
  // Each edge starts phase pixels beyond its corner, so the pattern advances with time.
  painter.drawLine(r - 1 + phase, t, l, t);
  painter.drawLine(r - 1, b - 1 + phase, r - 1, t);
  painter.drawLine(l - phase, b - 1, r - 1, b - 1);
  painter.drawLine(l, t - phase, l, b - 1);
  painter.restore();
}
