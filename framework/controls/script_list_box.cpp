#include "framework/controls/script_list_box.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "core/event_script.h"
#include "core/event_script_converter.h"
#include "framework/controls/qt_text.h"

namespace {

constexpr int DragScrollInterval = 50;
constexpr int WheelNotch = 120;

bool ShiftHeld(Qt::KeyboardModifiers modifiers) {
  return modifiers.testFlag(Qt::ShiftModifier);
}

} // namespace

TScriptListBox::TScriptListBox(QWidget* parent)
    : QAbstractScrollArea(parent), timer_(new QTimer(this)) {
  timer_->setInterval(DragScrollInterval);
  connect(timer_, &QTimer::timeout, this, &TScriptListBox::TimerTimer);
  setFocusPolicy(Qt::StrongFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(false);
  verticalScrollBar()->setSingleStep(1);
  resize(121, 97);
  UpdateScrollBar();
}

TScriptListBox::~TScriptListBox() = default;

void TScriptListBox::SetItems(const QStringList& items, std::vector<TScriptLineFacts> facts) {
  // As many lines as before are the same lines with fresh texts (an editor refreshes them
  // when another control is left, and a click that takes the focus does that before it
  // lands): the view stays where it was scrolled, whatever the caret.
  const bool inPlace = items.size() == items_.size();
  const int top = TopIndex();
  items_ = items;
  facts_ = std::move(facts);
  facts_.resize(static_cast<size_t>(items_.size()));
  ItemsChanged();
  if (inPlace) SetTopIndex(top);
}

void TScriptListBox::SetScript(const TXelEventScriptList& script,
                               const TEventScriptConverter& converter) {
  QStringList lines;
  std::vector<TScriptLineFacts> facts;
  lines.reserve(script.GetCount());
  facts.reserve(static_cast<size_t>(script.GetCount()));
  for (int i = 0; i < script.GetCount(); ++i) {
    lines.push_back(ToQString(converter.Convert(*script.GetItem(i))));
    facts.push_back(ScriptLineFacts(*script.GetItem(i)));
  }
  SetItems(lines, std::move(facts));
}

void TScriptListBox::Refill(const TXelEventScriptList& script,
                            const TEventScriptConverter& converter) {
  if (script.GetCount() != Count()) itemIndex_ = anchor_ = -1;
  SetScript(script, converter);
}

void TScriptListBox::ItemsChanged() {
  UpdateScrollBar();
  // The caret line is applied afresh, so a shorter list still gets a selection.
  const int remembered = itemIndex_;
  itemIndex_ = -1;
  ApplyItemIndex(std::max(remembered, 0), false);
  viewport()->update();
}

void TScriptListBox::UpdateScrollBar() {
  QScrollBar* bar = verticalScrollBar();
  const int visible = VisibleLines();
  if (Count() <= visible) {
    bar->setRange(0, 0);
    bar->setEnabled(false);
    SetTopIndex(0);
  } else {
    bar->setEnabled(true);
    bar->setRange(0, Count() - visible);
    bar->setPageStep(visible);
  }
}

void TScriptListBox::SetItemIndex(int value) {
  ApplyItemIndex(value, ShiftHeld(QGuiApplication::keyboardModifiers()));
}

void TScriptListBox::ApplyItemIndex(int value, bool shift) {
  const int count = Count();
  // The anchor stays a line of the list, so the rule never walks past its ends.
  if (!shift || anchor_ < 0) anchor_ = count == 0 ? -1 : std::clamp(value, 0, count - 1);
  if (count == 0) {
    // Nothing to point at: no caret and no selection.
    itemIndex_ = -1;
    selStart_ = selEnd_ = -1;
    viewport()->update();
    return;
  }
  int v = std::max(std::min(value, count - 1), -1);
  if (v == itemIndex_ && itemIndex_ != count - 1) return;
  itemIndex_ = std::max(v, 0);

  const int visible = VisibleLines();
  if (TopIndex() > itemIndex_) SetTopIndex(itemIndex_);
  if (itemIndex_ - visible + 1 > TopIndex()) SetTopIndex(itemIndex_ - visible + 1);

  const TScriptSelection selection = SelectWholeCommands(facts_, itemIndex_, anchor_);
  selStart_ = selection.Start;
  selEnd_ = selection.End;
  viewport()->update();
}

void TScriptListBox::SetSelStart(int value) {
  anchor_ = value;
  selStart_ = value;
  viewport()->update();
}

void TScriptListBox::SetSelEnd(int value) {
  selEnd_ = value;
  viewport()->update();
}

int TScriptListBox::TopIndex() const {
  return verticalScrollBar()->value();
}

void TScriptListBox::SetTopIndex(int value) {
  verticalScrollBar()->setValue(ClampTopLine(value, Count(), VisibleLines()));
}

int TScriptListBox::LineHeight() const {
  return std::max(fontMetrics().height(), 1);
}

int TScriptListBox::VisibleLines() const {
  return viewport()->height() / LineHeight();
}

void TScriptListBox::NextCommand() {
  Walk(Qt::Key_Down, ShiftHeld(QGuiApplication::keyboardModifiers()));
}

void TScriptListBox::PrevCommand() {
  Walk(Qt::Key_Up, ShiftHeld(QGuiApplication::keyboardModifiers()));
}

void TScriptListBox::PageDown() {
  Walk(Qt::Key_PageDown, ShiftHeld(QGuiApplication::keyboardModifiers()));
}

void TScriptListBox::PageUp() {
  Walk(Qt::Key_PageUp, ShiftHeld(QGuiApplication::keyboardModifiers()));
}

void TScriptListBox::Walk(int key, bool shift) {
  const auto moveTo = [&](int line) {
    if (line >= 0) ApplyItemIndex(line, shift);
  };
  switch (key) {
  case Qt::Key_PageUp:
    ApplyItemIndex(itemIndex_ - VisibleLines() / 2, shift);
    moveTo(PrevCommandLine(facts_, itemIndex_));
    break;
  case Qt::Key_PageDown:
    ApplyItemIndex(itemIndex_ + VisibleLines() / 2, shift);
    moveTo(NextCommandLine(facts_, itemIndex_));
    break;
  case Qt::Key_End:
    ApplyItemIndex(Count() - 1, shift);
    break;
  case Qt::Key_Home:
    ApplyItemIndex(0, shift);
    break;
  case Qt::Key_Left:
  case Qt::Key_Up:
    moveTo(PrevCommandLine(facts_, itemIndex_));
    break;
  case Qt::Key_Right:
  case Qt::Key_Down:
    moveTo(NextCommandLine(facts_, itemIndex_));
    break;
  default:
    break;
  }
}

int TScriptListBox::ItemAtPos(QPoint point, bool existing) const {
  if (!viewport()->rect().contains(point)) return -1;
  const int line = TopIndex() + point.y() / LineHeight();
  if (line < Count()) return line;
  if (existing) return -1;
  return TopIndex() >= Count() ? TopIndex() : Count();
}

QRect TScriptListBox::ItemRect(int index) const {
  if (index != 0 && index > Count()) return {};
  return {0, (index - TopIndex()) * LineHeight(), viewport()->width(), LineHeight()};
}

void TScriptListBox::TimerTimer() {
  if (!captured_) return;
  const int visible = VisibleLines();
  const int lines = DragScrollLines(dragY_, LineHeight(), visible);
  if (lines == 0) return;
  SetTopIndex(TopIndex() + lines);
  const bool shift = ShiftHeld(QGuiApplication::keyboardModifiers());
  ApplyItemIndex(lines < 0 ? TopIndex() : TopIndex() + visible - 1, shift);
}

void TScriptListBox::CancelMode() {
  captured_ = false;
  timer_->stop();
}

void TScriptListBox::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
  painter.setFont(font());
  const int visible = VisibleLines();
  for (int k = 0; k <= visible + 1; ++k) {
    const int index = TopIndex() + k;
    if (index < Count()) DrawItem(painter, index);
  }
}

void TScriptListBox::DrawItem(QPainter& painter, int index) {
  const QRect r = ItemRect(index);
  const bool focused = hasFocus();
  // The selection shows only while the list has the focus.
  const bool selected = focused && selStart_ <= index && index <= selEnd_;
  const QPalette& colors = palette();
  painter.fillRect(r, colors.color(selected ? QPalette::Highlight : QPalette::Base));
  painter.setPen(colors.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   ShownText(items_[index]));
  if (focused && index == itemIndex_) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = r;
    focus.backgroundColor = colors.color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

QString TScriptListBox::ShownText(const QString& text) const {
  int blanks = 0;
  while (blanks + 1 < text.size() && text[blanks] == u' ' && text[blanks + 1] == u' ')
    blanks += 2;
  // Depth shows only as far as half the list's width: a line nested deeper than that
  // starts there, in sight, rather than out past the right edge as an empty row.
  const int pair = std::max(1, 2 * fontMetrics().horizontalAdvance(u' '));
  const int shown = std::min(blanks, viewport()->width() / 2 / pair * 2);
  return blanks == shown ? text : text.mid(blanks - shown);
}

void TScriptListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBar();
}

void TScriptListBox::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  dragY_ = at.y();
  if (!captured_) {
    setFocus(Qt::MouseFocusReason);
    const int line = ItemAtPos(at, false);
    const bool right = event->button() == Qt::RightButton;
    // A right click inside the selection keeps it for the context menu.
    const bool keep = right && selStart_ <= line && line <= selEnd_;
    if (line >= 0 && (event->button() == Qt::LeftButton || right) && !keep)
      ApplyItemIndex(line, ShiftHeld(event->modifiers()));
    if (event->button() == Qt::LeftButton) {
      captured_ = true;
      timer_->start();
    }
  }
  emit MouseDown(event->button(), at);
}

void TScriptListBox::mouseMoveEvent(QMouseEvent* event) {
  dragY_ = event->position().toPoint().y();
  if (!captured_) return;
  const int line = ItemAtPos(QPoint(0, dragY_), false);
  if (line >= 0) ApplyItemIndex(line, ShiftHeld(event->modifiers()));
}

void TScriptListBox::mouseReleaseEvent(QMouseEvent*) {
  CancelMode();
}

void TScriptListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    mousePressEvent(event);
    return;
  }
  // The second click of a double click moves nothing.
  CancelMode();
  emit DblClick();
}

void TScriptListBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_End ||
                          key == Qt::Key_Home || key == Qt::Key_Left || key == Qt::Key_Up ||
                          key == Qt::Key_Right || key == Qt::Key_Down;
  if (navigation && !captured_) Walk(key, ShiftHeld(event->modifiers()));
  // The list's own keys are used here; the rest go to the editor and then the dialog.
  if (navigation)
    event->accept();
  else
    event->ignore();
  emit KeyDown(event);
}

void TScriptListBox::wheelEvent(QWheelEvent* event) {
  // The wheel is the keyboard's: it scrolls only the list that has the focus.
  if (!hasFocus()) {
    event->ignore();
    return;
  }
  // One line a notch; the parts of a notch that finer wheels send add up.
  wheelDelta_ += event->angleDelta().y();
  while (wheelDelta_ >= WheelNotch || wheelDelta_ <= -WheelNotch) {
    const int step = wheelDelta_ > 0 ? -1 : 1;
    SetTopIndex(TopIndex() + step);
    wheelDelta_ += step * WheelNotch;
  }
  event->accept();
}

void TScriptListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TScriptListBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void TScriptListBox::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) UpdateScrollBar();
  QAbstractScrollArea::changeEvent(event);
}

void TScriptListBox::scrollContentsBy(int, int) {
  viewport()->update();
}
