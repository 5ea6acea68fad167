#include "framework/controls/dash_box.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace {

constexpr int DashButtonWidth = 15;
constexpr int DashButtonHeight = 16;
// The sunken edge of the box: 8 border pixels above the text height in all.
constexpr int AutoSizeBorderPixels = 8;

} // namespace

// ---- TDashButton ----

TDashButton::TDashButton(QWidget* parent)
    : TInnerButton(parent, DashButtonWidth, DashButtonHeight) {}

void TDashButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  FocusControl();
  SetPressed(true);
}

void TDashButton::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) SetPressed(rect().contains(event->position().toPoint()));
}

void TDashButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !Pressed()) return;
  SetPressed(false);
  // Pressed() is already false when a move took the mouse out; check the release point
  // too in case no move arrived.
  if (rect().contains(event->position().toPoint())) emit Clicked();
}

void TDashButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = PaintFace(painter);
  const QPoint centre(r.left() + r.width() / 2, r.top() + r.height() / 2);
  for (int dx : {-3, 0, 3})
    painter.fillRect(centre.x() + dx, centre.y(), 2, 2, GlyphColor());
}

// ---- TDashBox ----

TDashBox::TDashBox(QWidget* parent) : QWidget(parent), button_(new TDashButton(this)) {
  connect(button_, &TDashButton::Clicked, this, &TDashBox::ButtonClick);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setBackgroundRole(QPalette::Base);
  resize(121, 25);
  ApplyHeightRule();
}

QSize TDashBox::sizeHint() const {
  return minimumSizeHint();
}

QSize TDashBox::minimumSizeHint() const {
  const QFontMetrics fm = fontMetrics();
  const int text = fm.horizontalAdvance(QStringLiteral("0000:")) + 20 * fm.averageCharWidth();
  return {text + DashButtonWidth + 2 * BorderWidth() + 4, fm.height() + AutoSizeBorderPixels};
}

void TDashBox::SetText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  update();
}

void TDashBox::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  ApplyHeightRule();
}

void TDashBox::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  ApplyHeightRule();
  resizeEvent(nullptr);
  update();
}

void TDashBox::ApplyHeightRule() {
  if (autoSize_ && borderStyle_ == bsSingle) {
    setFixedHeight(fontMetrics().height() + AutoSizeBorderPixels);
  } else {
    setMinimumHeight(0);
    setMaximumHeight(QWIDGETSIZE_MAX);
  }
}

void TDashBox::ButtonClick() {
  emit Clicked();
}

void TDashBox::resizeEvent(QResizeEvent*) {
  const QRect client =
      rect().adjusted(BorderWidth(), BorderWidth(), -BorderWidth(), -BorderWidth());
  button_->setGeometry(client.right() + 1 - DashButtonWidth, client.top(), DashButtonWidth,
                       client.height());
}

void TDashBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& palette = this->palette();
  if (borderStyle_ == bsSingle) qDrawWinPanel(&painter, rect(), palette, true);
  QRect r = rect().adjusted(BorderWidth(), BorderWidth(), -BorderWidth(), -BorderWidth());
  r.setRight(r.right() - DashButtonWidth);
  painter.fillRect(r, palette.color(backgroundRole()));
  r.adjust(1, 1, -1, -1);
  QColor textColor = palette.color(QPalette::Text);
  if (hasFocus()) {
    painter.fillRect(r, palette.color(QPalette::Highlight));
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r;
    focus.backgroundColor = palette.color(QPalette::Highlight);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    textColor = palette.color(QPalette::HighlightedText);
  }
  if (!isEnabled()) textColor = palette.color(QPalette::Disabled, QPalette::Text);
  r.adjust(1, 1, -1, -1);
  painter.setPen(textColor);
  // Drawn as it is: an ampersand is no mnemonic here.
  painter.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

void TDashBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
}

void TDashBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
}

void TDashBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !button_->Pressed()) emit Clicked();
  QWidget::keyPressEvent(event);
}

void TDashBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) ApplyHeightRule();
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}

void TDashBox::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TDashBox::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}
