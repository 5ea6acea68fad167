#include "framework/controls/button_list.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

QRect TButtonGrid::ButtonRect(int index) const {
  if (Columns * Rows < 1) return {};
  return {(index / Rows) * ButtonWidth, (index % Rows) * ButtonHeight, ButtonWidth, ButtonHeight};
}

int TButtonGrid::ButtonAtPos(QPoint point, QSize clientSize) const {
  if (!QRect(QPoint(0, 0), clientSize).contains(point)) return -1;
  const int column = point.x() / ButtonWidth;
  const int row = point.y() / ButtonHeight;
  if (column >= Columns || row >= Rows) return -1;
  const int index = column * Rows + row;
  return index < Count ? index : -1;
}

int TButtonGrid::Step(int current, int key) const {
  if (Columns * Rows <= 0) return current;
  int column = current / Rows;
  int row = current % Rows;
  switch (key) {
  case Qt::Key_Left:
    if (column > 0) --column;
    break;
  case Qt::Key_Up:
    if (row > 0) --row;
    break;
  case Qt::Key_Right:
    if (column < Columns - 1) ++column;
    break;
  case Qt::Key_Down:
    if (row < Rows - 1) ++row;
    break;
  default:
    break;
  }
  const int index = column * Rows + row;
  return index < Count ? index : current;
}

TButtonList::TButtonList(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  SetItems({"1", "2", "3", "4", "5", "6", "7", "8"});
  resize(164, 100);
  Layout();
}

void TButtonList::SetItems(const QStringList& items) {
  items_ = items;
  states_.resize(static_cast<size_t>(items_.size()), bsNormal);
  grid_.Count = static_cast<int>(items_.size());
  update();
}

void TButtonList::SetButtonWidth(int value) {
  if (value == grid_.ButtonWidth || value < 1) return;
  grid_.ButtonWidth = value;
  Layout();
  update();
}

void TButtonList::SetButtonHeight(int value) {
  if (value == grid_.ButtonHeight || value < 1) return;
  grid_.ButtonHeight = value;
  Layout();
  update();
}

void TButtonList::SetAutoSize(bool value) {
  autoSize_ = value;
  Layout();
}

void TButtonList::SetBorderStyle(TBorderStyle value) {
  if (value == borderStyle_) return;
  borderStyle_ = value;
  Layout();
  update();
}

void TButtonList::Layout() {
  const int border = BorderWidth();
  grid_.Columns = (width() - 2 * border) / grid_.ButtonWidth;
  grid_.Rows = (height() - 2 * border) / grid_.ButtonHeight;
  if (!autoSize_) return;
  grid_.Columns = std::max(grid_.Columns, 1);
  grid_.Rows = std::max(grid_.Rows, 1);
  updateGeometry();
  resize(sizeHint());
}

QSize TButtonList::sizeHint() const {
  const int border = BorderWidth();
  return {grid_.Columns * grid_.ButtonWidth + 2 * border,
          grid_.Rows * grid_.ButtonHeight + 2 * border};
}

QPoint TButtonList::ToClient(QPointF position) const {
  return position.toPoint() - QPoint(BorderWidth(), BorderWidth());
}

QRect TButtonList::ButtonRect(int index) const {
  return grid_.ButtonRect(index);
}

int TButtonList::ButtonAtPos(QPoint point) const {
  const int border = BorderWidth();
  return grid_.ButtonAtPos(point, size() - QSize(2 * border, 2 * border));
}

TButtonList::TButtonState TButtonList::ButtonState(int index) const {
  if (index < 0 || index >= static_cast<int>(states_.size())) return bsNormal;
  return states_[static_cast<size_t>(index)];
}

void TButtonList::SetState(int index, TButtonState state) {
  if (index < 0 || index >= static_cast<int>(states_.size())) return;
  if (states_[static_cast<size_t>(index)] == state) return;
  states_[static_cast<size_t>(index)] = state;
  update();
}

void TButtonList::SetFocusedButton(int index) {
  if (index == current_ || index < 0 || index >= grid_.Count) return;
  current_ = index;
  update();
}

void TButtonList::EnableButton(int index, bool enabled) {
  SetState(index, enabled ? bsNormal : bsDisabled);
}

void TButtonList::Click() {
  emit ButtonClick(current_);
}

void TButtonList::CancelMode() {
  if (!captured_ && !spacePressed_) return;
  captured_ = false;
  spacePressed_ = false;
  if (ButtonState(current_) == bsPressed) SetState(current_, bsNormal);
}

void TButtonList::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colors = palette();
  if (borderStyle_ == bsSingle) qDrawWinPanel(&painter, rect(), colors, true);
  painter.translate(BorderWidth(), BorderWidth());
  const int shown = std::min(grid_.Columns * grid_.Rows, grid_.Count);
  for (int index = 0; index < shown; ++index) {
    QRect r = grid_.ButtonRect(index);
    const QRect focusRect = r.adjusted(4, 4, -4, -4);
    const TButtonState state = ButtonState(index);
    const bool current = hasFocus() && index == current_;
    if (current && state != bsDisabled) {
      painter.setPen(colors.color(QPalette::WindowText));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(r.adjusted(0, 0, -1, -1));
      r.adjust(1, 1, -1, -1);
    }
    QRect textRect = r;
    if (state == bsPressed) {
      qDrawPlainRect(&painter, r, colors.color(QPalette::Dark), 1, &colors.brush(QPalette::Button));
      textRect.translate(1, 1);
    } else {
      qDrawWinButton(&painter, r, colors, false, &colors.brush(QPalette::Button));
    }
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (state == bsDisabled) {
      painter.setPen(colors.color(QPalette::Light));
      painter.drawText(textRect.translated(1, 1), flags, items_[index]);
      painter.setPen(colors.color(QPalette::Dark));
    } else {
      painter.setPen(colors.color(QPalette::ButtonText));
    }
    painter.drawText(textRect, flags, items_[index]);
    if (current) {
      QStyleOptionFocusRect focus;
      focus.initFrom(this);
      focus.rect = focusRect;
      focus.backgroundColor = colors.color(QPalette::Button);
      style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
  }
}

void TButtonList::resizeEvent(QResizeEvent*) {
  Layout();
}

void TButtonList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = ToClient(event->position());
  int index = ButtonAtPos(at);
  if (spacePressed_ && index != current_) {
    // The button held by Space lets go; the mouse takes over the same button.
    SetState(current_, bsNormal);
    index = current_;
  }
  if (index < 0 || ButtonState(index) == bsDisabled) return;
  setFocus(Qt::MouseFocusReason);
  current_ = index;
  captured_ = true;
  if (ButtonAtPos(at) == index) SetState(index, bsPressed);
  update();
}

void TButtonList::mouseMoveEvent(QMouseEvent* event) {
  if (!captured_) return;
  const bool over = ButtonAtPos(ToClient(event->position())) == current_;
  SetState(current_, over ? bsPressed : bsNormal);
}

void TButtonList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !captured_) return;
  captured_ = false;
  if (ButtonState(current_) == bsPressed) {
    spacePressed_ = false;
    SetState(current_, bsNormal);
    Click();
  }
  if (spacePressed_) SetState(current_, bsPressed);
}

void TButtonList::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
      !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier)) && current_ < grid_.Count &&
      ButtonState(current_) != bsDisabled) {
    // Enter chooses the current button, not the dialog's default button.
    Click();
    event->accept();
    return;
  }
  if (captured_ || spacePressed_ || grid_.Columns * grid_.Rows <= 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down) {
    SetFocusedButton(grid_.Step(current_, key));
    event->accept();
    return;
  }
  if (key == Qt::Key_Space && !event->isAutoRepeat() && current_ < grid_.Count &&
      ButtonState(current_) != bsDisabled) {
    spacePressed_ = true;
    SetState(current_, bsPressed);
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TButtonList::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spacePressed_) {
    spacePressed_ = false;
    if (ButtonState(current_) == bsPressed) {
      SetState(current_, bsNormal);
      Click();
    }
    captured_ = false;
    event->accept();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void TButtonList::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  update();
}

void TButtonList::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  update();
}
