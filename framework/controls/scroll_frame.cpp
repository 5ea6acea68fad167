#include "framework/controls/scroll_frame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdint>

#include "framework/controls/opaque_paint_box.h"

namespace {

constexpr int FixedBarSize = 16;

} // namespace

// ---- TScrollFrameBar ----

TScrollFrameBar::TScrollFrameBar(TScrollFrame* frame, Qt::Orientation kind)
    : frame_(frame), kind_(kind) {}

QScrollBar* TScrollFrameBar::Bar() const {
  return kind_ == Qt::Horizontal ? frame_->horizontalScrollBar() : frame_->verticalScrollBar();
}

void TScrollFrameBar::SetIncrement(int value) {
  increment_ = static_cast<int16_t>(value);
  Bar()->setSingleStep(std::max(increment_, 0));
}

void TScrollFrameBar::SetRange(int value) {
  range_ = value;
  Update();
}

void TScrollFrameBar::SetPageSize(int value) {
  pageSize_ = value;
  Update();
}

void TScrollFrameBar::SetPosition(int value) {
  position_ = value;
  Update();
}

void TScrollFrameBar::SetVisible(bool value) {
  visible_ = value;
  Update();
}

void TScrollFrameBar::Update() {
  pageSize_ = std::max(pageSize_, 0);
  range_ = std::max(range_, 0);
  position_ = std::max(std::min(position_, range_ - pageSize_), 0);

  QScrollBar* bar = Bar();
  const bool wasShowing = frame_->showing_;
  frame_->showing_ = true;
  // The bar's own maximum is the last position, so a page never runs past the range.
  bar->setRange(0, std::max(range_ - pageSize_, 0));
  bar->setPageStep(pageSize_);
  bar->setSingleStep(std::max(increment_, 0));
  bar->setValue(position_);
  bar->setEnabled(pageSize_ < range_);
  frame_->showing_ = wasShowing;
  // Setting a policy lays the bars out and repaints them even when it is unchanged.
  const Qt::ScrollBarPolicy policy = visible_ ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (kind_ == Qt::Horizontal) {
    if (frame_->horizontalScrollBarPolicy() != policy) frame_->setHorizontalScrollBarPolicy(policy);
  } else if (frame_->verticalScrollBarPolicy() != policy) {
    frame_->setVerticalScrollBarPolicy(policy);
  }
  emit frame_->Change();
}

// ---- TScrollFrame ----

TScrollFrame::TScrollFrame(QWidget* parent)
    : QAbstractScrollArea(parent), horz_(this, Qt::Horizontal), vert_(this, Qt::Vertical),
      color_(palette().color(QPalette::Window)) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setFocusPolicy(Qt::NoFocus);
  // Every line, page and thumb move of the bars goes through the position setter.
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (!showing_) horz_.SetPosition(value);
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (!showing_) vert_.SetPosition(value);
  });
  ApplyBackground();
  resize(185, 129);
  horz_.Update();
  vert_.Update();
}

TScrollFrame::~TScrollFrame() = default;

void TScrollFrame::ScrollBy(int deltaX, int deltaY) {
  horz_.SetPosition(horz_.Position() + deltaX);
  vert_.SetPosition(vert_.Position() + deltaY);
}

void TScrollFrame::SetBorderStyle(TBorderStyle value) {
  borderStyle_ = value;
  setFrameStyle(value == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void TScrollFrame::SetBarSizeFixed(bool value) {
  barSizeFixed_ = value;
  if (value) {
    horizontalScrollBar()->setFixedHeight(FixedBarSize);
    verticalScrollBar()->setFixedWidth(FixedBarSize);
  } else {
    horizontalScrollBar()->setMinimumHeight(0);
    horizontalScrollBar()->setMaximumHeight(QWIDGETSIZE_MAX);
    verticalScrollBar()->setMinimumWidth(0);
    verticalScrollBar()->setMaximumWidth(QWIDGETSIZE_MAX);
  }
  horz_.Update();
  vert_.Update();
}

void TScrollFrame::SetOpaque(bool value) {
  opaque_ = value;
  ApplyBackground();
}

void TScrollFrame::SetColor(const QColor& value) {
  color_ = value;
  ApplyBackground();
}

void TScrollFrame::SetTabStop(bool value) {
  setFocusPolicy(value ? Qt::TabFocus : Qt::NoFocus);
}

void TScrollFrame::ApplyBackground() {
  ApplyOpaqueBackground(viewport(), opaque_, color_);
}

QSize TScrollFrame::ClientSize() const {
  return viewport()->size();
}

void TScrollFrame::paintEvent(QPaintEvent*) {
  QPainter canvas(viewport());
  canvas.setFont(font());
  canvas.setBrush(color_);
  emit Paint(canvas);
}

void TScrollFrame::resizeEvent(QResizeEvent*) {
  // Only the client area's resizes arrive here.
  emit Resize();
}

void TScrollFrame::scrollContentsBy(int, int) {
  // The owner redraws on Change; nothing is moved behind its back.
}

void TScrollFrame::wheelEvent(QWheelEvent* event) {
  // The forms decide what the wheel does over their views.
  event->ignore();
}

void TScrollFrame::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event);
}

void TScrollFrame::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event);
}

void TScrollFrame::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event);
}

void TScrollFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  emit MouseDown(event);
  if (event->button() == Qt::LeftButton) emit DblClick();
}

void TScrollFrame::keyPressEvent(QKeyEvent* event) {
  emit KeyDown(event);
}

void TScrollFrame::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  emit Enter();
}

void TScrollFrame::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  emit Exit();
}
