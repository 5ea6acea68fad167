#include "framework/controls/slider.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <qdrawutil.h>

namespace {

constexpr int ThumbWidth = 9;
constexpr int ThumbHeight = 18;
constexpr int ThumbHalf = ThumbWidth / 2;
constexpr int BlinkInterval = 200;

// Rounds half to even, as the design's arithmetic does, and stays an int.
int RoundToInt(double value) {
  return static_cast<int>(std::nearbyint(std::clamp(value, double(INT_MIN), double(INT_MAX))));
}

} // namespace

int SliderThumbCentre(int value, int min, int max, int clientWidth) {
  if (min >= max) return ThumbHalf;
  return RoundToInt(double(clientWidth - ThumbWidth) * (double(value) - min) / (double(max) - min) +
                    ThumbHalf);
}

QRect SliderThumbRect(int value, int min, int max, int clientWidth) {
  return {SliderThumbCentre(value, min, max, clientWidth) - ThumbHalf, 0, ThumbWidth, ThumbHeight};
}

int SliderValueAt(int x, int dragOffset, int min, int max, int clientWidth) {
  // A slider no wider than its thumb has no track to drag along.
  if (clientWidth <= ThumbWidth) return min;
  return RoundToInt((double(x) - dragOffset - ThumbHalf) * (double(max) - min) /
                        (clientWidth - ThumbWidth) +
                    min);
}

TSlider::TSlider(QWidget* parent) : QWidget(parent), blinkTimer_(new QTimer(this)) {
  setFocusPolicy(Qt::StrongFocus);
  resize(121, 25);
  connect(blinkTimer_, &QTimer::timeout, this, &TSlider::BlinkTimerTimer);
  blinkTimer_->start(BlinkInterval);
}

QSize TSlider::sizeHint() const {
  return {121, 25};
}

QSize TSlider::minimumSizeHint() const {
  return {ThumbWidth + 56, 25};
}

void TSlider::SetMin(int value) {
  min_ = value;
  update();
}

void TSlider::SetMax(int value) {
  max_ = value;
  update();
}

void TSlider::SetPageSize(int value) {
  pageSize_ = std::max(value, 1);
  update();
}

void TSlider::SetPosition(int value) {
  value = std::min(std::max(value, min_), max_);
  if (value == position_) return;
  position_ = value;
  update();
  emit Change();
}

void TSlider::StepBy(int steps) {
  const long long target =
      static_cast<long long>(position_) + static_cast<long long>(steps) * pageSize_;
  SetPosition(static_cast<int>(std::clamp<long long>(target, INT_MIN, INT_MAX)));
}

void TSlider::SetBlinkPhase(bool value) {
  if (value == blinkPhase_) return;
  blinkPhase_ = value;
  update();
}

void TSlider::BlinkTimerTimer() {
  if (hasFocus()) SetBlinkPhase(!blinkPhase_);
}

void TSlider::CancelMode() {
  captured_ = false;
  dragging_ = false;
  update();
}

void TSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  const int w = width();
  const QRect track(0, 2, w, 12);
  qDrawWinPanel(&painter, track, colors, true,
                &colors.brush(isEnabled() ? QPalette::Base : QPalette::Button));

  painter.setPen(Qt::black);
  const auto tick = [&](int value, int bottom) {
    const int x = SliderThumbCentre(value, min_, max_, w);
    painter.drawLine(x, 19, x, bottom - 1);
  };
  tick(min_, 23);
  tick(max_, 23);
  const long long between = (static_cast<long long>(max_) - min_ - 1) / pageSize_;
  if (between > w) {
    // Denser than the pixels: every column between the ends gets its tick, without
    // walking a range of billions.
    const int left = SliderThumbCentre(min_, min_, max_, w);
    const int right = SliderThumbCentre(max_, min_, max_, w);
    for (int x = left + 1; x < right; ++x)
      painter.drawLine(x, 19, x, 21);
  } else {
    for (long long v = static_cast<long long>(min_) + pageSize_; v < max_; v += pageSize_)
      tick(static_cast<int>(v), 22);
  }
  DrawThumb(painter);
}

void TSlider::DrawThumb(QPainter& painter) {
  const QPalette& colors = palette();
  const QRect r = SliderThumbRect(position_, min_, max_, width());
  const int l = r.left();
  const int rt = r.right();
  const int bottom = r.bottom();
  const int cx = l + ThumbHalf;
  const int shoulder = bottom - ThumbHalf;
  const QColor face = colors.color(QPalette::Button);
  const QColor light = colors.color(QPalette::Light);
  const bool lit = captured_ || (hasFocus() && blinkPhase_);
  const QColor fill =
      lit ? QColor((face.red() + light.red()) / 2, (face.green() + light.green()) / 2,
                   (face.blue() + light.blue()) / 2)
          : face;

  const QPolygon outline(
      {QPoint(l, 0), QPoint(rt, 0), QPoint(rt, shoulder), QPoint(cx, bottom), QPoint(l, shoulder)});
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawPolygon(outline);
  painter.setBrush(Qt::NoBrush);
  // Lit from the top left: highlight outside, face inside; shadow inside black on the
  // right and along the right diagonal.
  painter.setPen(light);
  painter.drawLine(l, 0, rt - 1, 0);
  painter.drawLine(l, 0, l, shoulder);
  painter.drawLine(l, shoulder, cx, bottom);
  painter.setPen(face);
  painter.drawLine(l + 1, 1, rt - 2, 1);
  painter.drawLine(l + 1, 1, l + 1, shoulder);
  painter.drawLine(l + 1, shoulder + 1, cx, bottom - 1);
  painter.setPen(Qt::black);
  painter.drawLine(rt, 0, rt, shoulder);
  painter.drawLine(rt, shoulder, cx, bottom);
  painter.setPen(colors.color(QPalette::Dark));
  painter.drawLine(rt - 1, 1, rt - 1, shoulder);
  painter.drawLine(rt - 1, shoulder, cx, bottom - 1);
}

void TSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  captured_ = true;
  const QPoint at = event->position().toPoint();
  const QRect grab = SliderThumbRect(position_, min_, max_, width()).adjusted(-2, -2, 2, 2);
  if (grab.contains(at)) {
    dragging_ = true;
    dragOffset_ = at.x() - SliderThumbCentre(position_, min_, max_, width());
  } else if (at.x() < grab.left()) {
    StepBy(-1);
  } else if (at.x() > grab.right()) {
    StepBy(1);
  }
  update();
}

void TSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!captured_) return;
  SetBlinkPhase(true);
  if (dragging_ && max_ > min_)
    SetPosition(SliderValueAt(event->position().toPoint().x(), dragOffset_, min_, max_, width()));
}

void TSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) CancelMode();
}

void TSlider::keyPressEvent(QKeyEvent* event) {
  if (!captured_) {
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_Left:
    case Qt::Key_Up:
      StepBy(-1);
      event->accept();
      return;
    case Qt::Key_PageDown:
    case Qt::Key_Right:
    case Qt::Key_Down:
      StepBy(1);
      event->accept();
      return;
    default:
      break;
    }
  }
  QWidget::keyPressEvent(event);
}

void TSlider::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  blinkPhase_ = false;
  update();
}

void TSlider::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  blinkPhase_ = false;
  update();
}

void TSlider::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}
