#include "framework/controls/group_frames.h"

#include <QEvent>
#include <QPainter>
#include <array>

void DrawFrame3D(QPainter& painter, QRect r, const QColor& topLeft, const QColor& bottomRight,
                 int width) {
  for (int i = 0; i < width && r.width() > 0 && r.height() > 0; ++i) {
    painter.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    r.adjust(1, 1, -1, -1);
  }
}

namespace {

constexpr std::array<QRgb, 5> CaptionLevels = {qRgb(0, 0, 0), qRgb(128, 128, 128),
                                               qRgb(160, 160, 164), qRgb(192, 192, 192),
                                               qRgb(255, 255, 255)};

} // namespace

// ---- TFakeGroupBox ----

TFakeGroupBox::TFakeGroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {}

void TFakeGroupBox::SetBevelWidth(int value) {
  bevelWidth_ = value;
  update();
}

void TFakeGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  // The system colours of the frame stay the same when the frame is disabled.
  const QColor color = colors.color(QPalette::Active, QPalette::Window);
  const QColor shadow = colors.color(QPalette::Active, QPalette::Dark);
  const QColor highlight = colors.color(QPalette::Active, QPalette::Light);
  painter.setFont(font());
  const int half = (fontMetrics().height() - 1) / 2;

  painter.fillRect(0, 0, width(), half, color);
  QRect frame = rect();
  frame.setTop(half);
  DrawFrame3D(painter, frame, shadow, highlight, bevelWidth_);
  frame.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
  DrawFrame3D(painter, frame, highlight, shadow, bevelWidth_);
  frame.adjust(bevelWidth_, bevelWidth_, -bevelWidth_, -bevelWidth_);
  painter.fillRect(frame, color);

  if (title().isEmpty()) return;
  const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic | Qt::TextSingleLine;
  const QRect bounds = fontMetrics().boundingRect(QRect(8, 0, width(), height()), flags, title());
  // The caption's own background breaks the frame line behind it.
  painter.fillRect(bounds, color);
  if (isEnabled()) {
    painter.setPen(colors.color(QPalette::Active, QPalette::WindowText));
    painter.drawText(bounds, flags, title());
  } else {
    painter.setPen(highlight);
    painter.drawText(bounds.translated(1, 1), flags, title());
    painter.setPen(shadow);
    painter.drawText(bounds, flags, title());
  }
}

void TFakeGroupBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QGroupBox::changeEvent(event);
}

// ---- TDeluxeLabel ----

QImage ReduceByLitQuarters(const QImage& large) {
  const QImage source = large.convertToFormat(QImage::Format_RGB32);
  QImage small(source.width() / 2, source.height() / 2, QImage::Format_RGB32);
  for (int y = 0; y < small.height(); ++y) {
    const auto* top = reinterpret_cast<const QRgb*>(source.constScanLine(2 * y));
    const auto* bottom = reinterpret_cast<const QRgb*>(source.constScanLine(2 * y + 1));
    auto* out = reinterpret_cast<QRgb*>(small.scanLine(y));
    for (int x = 0; x < small.width(); ++x) {
      int lit = 0;
      for (const QRgb pixel : {top[2 * x], top[2 * x + 1], bottom[2 * x], bottom[2 * x + 1]})
        if ((pixel & 0xFFFFFF) != 0) ++lit;
      out[x] = CaptionLevels[static_cast<size_t>(lit)];
    }
  }
  return small;
}

QImage DeluxeCaptionImage(const QString& caption, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  QImage large(2 * width, 2 * height, QImage::Format_RGB32);
  large.fill(Qt::black);
  if (!caption.isEmpty() && height > 0) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleStrategy(QFont::NoAntialias);
    // The cell height (ascent and descent) is twice the label's inner height.
    font.setPixelSize(2 * height);
    const int cell = QFontMetrics(font).height();
    if (cell > 0) font.setPixelSize(std::max(1, 2 * height * 2 * height / cell));
    QPainter painter(&large);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(font);
    const int x = (2 * width - metrics.horizontalAdvance(caption)) / 2;
    painter.drawText(x, metrics.ascent(), caption);
  }
  return ReduceByLitQuarters(large);
}

TDeluxeLabel::TDeluxeLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
  resize(121, 21);
}

void TDeluxeLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  // A sunken outer edge, one pixel wide.
  DrawFrame3D(painter, rect(), colors.color(QPalette::Dark), colors.color(QPalette::Light), 1);
  const QRect inner = rect().adjusted(1, 1, -1, -1);
  painter.drawImage(inner.topLeft(), DeluxeCaptionImage(text(), inner.width(), inner.height()));
}

// ---- TSpeedDivider ----

TSpeedDivider::TSpeedDivider(QWidget* parent) : QWidget(parent) {
  resize(8, 50);
}

void TSpeedDivider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int x = width() / 2;
  painter.fillRect(x - 1, 0, 1, height(), palette().color(QPalette::Dark));
  painter.fillRect(x, 0, 1, height(), palette().color(QPalette::Light));
}
