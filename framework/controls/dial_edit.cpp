#include "framework/controls/dial_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QStyle>
#include <QTimer>
#include <QValidator>
#include <algorithm>
#include <utility>

#include "framework/controls/qt_text.h"

namespace {

constexpr int DialWidth = 10;
constexpr int DialHeight = 16;
constexpr int SpinWidth = 16;
constexpr int SpinHeight = 8;
constexpr int SpinFirstDelay = 400;
constexpr int SpinRepeatDelay = 100;

int DecimalLength(int value) {
  return static_cast<int>(QString::number(value).size());
}

// Focus that arrives because a menu closed or the window was activated is no entry into
// the control, so it neither selects nor re-formats.
bool IsEntryReason(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

// Where a line of added text ends: a control character or a Unicode line or paragraph
// break (which the code page cannot hold either).
bool EndsLine(QChar c) {
  const char16_t u = c.unicode();
  return u < 32 || u == 127 || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// What a box takes of an addition: its first line, less what the code page cannot hold.
QString TakenPart(const QString& added) {
  const auto stop = std::find_if(added.begin(), added.end(), EndsLine);
  return CodePageCharacters(added.first(stop - added.begin()));
}

} // namespace

// ---- TDialButton ----

TDialButton::TDialButton(QWidget* parent) : TInnerButton(parent, DialWidth, DialHeight) {}

void TDialButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    SetPressed(false);
    return;
  }
  FocusControl();
  SetPressed(true);
  pressPosition_ = event->globalPosition().toPoint();
  emit DialStarted();
  setCursor(Qt::SplitVCursor);
}

void TDialButton::mouseMoveEvent(QMouseEvent* event) {
  // Always measured from where the drag began, so the value never drifts.
  if (Pressed()) emit DialMoved(pressPosition_.y() - event->globalPosition().toPoint().y());
}

void TDialButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SetPressed(false);
  setCursor(Qt::ArrowCursor);
}

void TDialButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = PaintFace(painter).adjusted(1, 4, -1, -4);
  const int cx = r.left() + r.width() / 2;
  const int cy = r.top() + r.height() / 2;
  painter.setPen(GlyphColor());
  painter.drawPolyline(QPolygon({QPoint(cx, r.top()), QPoint(r.left(), cy), QPoint(cx, r.bottom()),
                                 QPoint(r.right(), cy), QPoint(cx, r.top())}));
}

// ---- TSpinButton ----

TSpinButton::TSpinButton(QWidget* parent, TDirection direction)
    : TInnerButton(parent, SpinWidth, SpinHeight), direction_(direction) {}

TSpinButton::~TSpinButton() = default;

void TSpinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    Release();
    return;
  }
  FocusControl();
  SetPressed(true);
  emit Spin();
  repeatTimer_ = std::make_unique<QTimer>();
  connect(repeatTimer_.get(), &QTimer::timeout, this, &TSpinButton::RepeatTimerTimer);
  repeatTimer_->start(SpinFirstDelay);
}

void TSpinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) Release();
}

void TSpinButton::RepeatTimerTimer() {
  if (repeatTimer_) repeatTimer_->setInterval(SpinRepeatDelay);
  emit Spin();
}

void TSpinButton::Release() {
  SetPressed(false);
  repeatTimer_.reset();
}

void TSpinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect r = PaintFace(painter).adjusted(4, 1, -4, -1);
  const int cx = r.left() + r.width() / 2;
  QPolygon triangle;
  if (direction_ == sdUp)
    triangle << QPoint(cx, r.top()) << r.bottomLeft() << r.bottomRight();
  else
    triangle << QPoint(cx, r.bottom()) << r.topLeft() << r.topRight();
  const QColor color = GlyphColor();
  painter.setPen(color);
  painter.setBrush(color);
  painter.drawPolygon(triangle);
}

// ---- TAutoSelectEdit ----

// The one check every change of a box's text passes, whichever way the text came in
// (keys, paste from keys, menu or middle button, drop, input method, insert()): of what
// was added it keeps what TakenPart keeps. The program's setText clears the modified flag
// before the check runs, so stored texts pass as they are, whatever they hold; an undo or
// a redo brings back a text the box held, and passes too.
class TAutoSelectEdit::TFirstLineCheck : public QValidator {
public:
  explicit TFirstLineCheck(TAutoSelectEdit* edit) : QValidator(edit), edit_(edit) {}

  State validate(QString& text, int& pos) const override {
    TAutoSelectEdit& edit = *edit_;
    if (!edit.isModified() || edit.historyStep_) return Acceptable;
    const QString& before = edit.textBefore_;
    qsizetype start = 0;
    qsizetype tail = 0;
    FindAddition(before, text, pos, start, tail);
    const qsizetype end = text.size() - tail;
    if (end <= start) return Acceptable;
    const QString added = text.sliced(start, end - start);
    const QString kept = TakenPart(added);
    if (kept == added) return Acceptable;
    // Nothing of it remains: the line edit takes the change back whole, selection and all.
    if (kept.isEmpty()) return Invalid;
    if (edit.authorEntries_ > 0) {
      // A text put in here would clear the undo history, so the change is taken back and
      // what is kept of it entered once the author's entry is over.
      edit.cutAddition_ = TCutAddition{before, static_cast<int>(start),
                                       static_cast<int>(before.size() - tail), kept};
      return Invalid;
    }
    text = text.first(start) + kept + text.last(tail);
    pos = static_cast<int>(start + kept.size());
    return Acceptable;
  }

private:
  // Where the added run starts in Text, and how much of the old text's end follows it.
  void FindAddition(const QString& before, const QString& text, int pos, qsizetype& start,
                    qsizetype& tail) const {
    // An entry replaces the selection (or inserts at the caret) that the box had before.
    const qsizetype from = edit_->selectionStartBefore_;
    const qsizetype to = edit_->selectionEndBefore_;
    if (0 <= from && from <= to && to <= before.size()) {
      tail = before.size() - to;
      if (text.size() >= from + tail &&
          QStringView(text).first(from) == QStringView(before).first(from) &&
          QStringView(text).last(tail) == QStringView(before).last(tail)) {
        start = from;
        return;
      }
    }
    // Otherwise the run lies between what is left of the old text's start and end; the
    // caret stands after it.
    const qsizetype caret = std::clamp<qsizetype>(pos, 0, text.size());
    const qsizetype tailLimit = std::min(before.size(), text.size() - caret);
    tail = 0;
    while (tail < tailLimit && before[before.size() - 1 - tail] == text[text.size() - 1 - tail])
      ++tail;
    const qsizetype headLimit = std::min(before.size(), text.size()) - tail;
    start = 0;
    while (start < headLimit && before[start] == text[start])
      ++start;
  }

  TAutoSelectEdit* edit_;
};

TAutoSelectEdit::TAutoSelectEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new TFirstLineCheck(this));
  const auto rememberSelection = [this] {
    const bool selected = hasSelectedText();
    selectionStartBefore_ = selected ? selectionStart() : cursorPosition();
    selectionEndBefore_ = selected ? selectionEnd() : cursorPosition();
  };
  connect(this, &QLineEdit::textChanged, this, [this, rememberSelection](const QString& text) {
    textBefore_ = text;
    rememberSelection();
  });
  connect(this, &QLineEdit::cursorPositionChanged, this, rememberSelection);
  // A box that is not its window's focus has no selection. Its own menu leaves it the
  // focus of its window, and works on the selection.
  connect(this, &QLineEdit::selectionChanged, this, [this, rememberSelection] {
    if (window()->focusWidget() != this) HideSelection();
    rememberSelection();
  });
  // The focus of a window that is not active keeps its selection for when the window
  // comes back, but does not show it.
  QPalette colours = palette();
  colours.setColor(QPalette::Inactive, QPalette::Highlight,
                   colours.color(QPalette::Inactive, QPalette::Base));
  colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   colours.color(QPalette::Inactive, QPalette::Text));
  setPalette(colours);
  // Qt tells an edit of the author's before the change that follows from it.
  connect(this, &QLineEdit::textEdited, this, [this] { userEdit_ = true; });
  connect(this, &QLineEdit::textChanged, this, [this] {
    // Qt leaves the caret after a new text, which would show the end of a long one.
    if (!userEdit_) {
      if (selectsProgramText_ && autoSelect_)
        SelectWhole();
      else
        setCursorPosition(0);
    }
    userEdit_ = false;
  });
}

void TAutoSelectEdit::SelectWhole() {
  const int length = static_cast<int>(text().size());
  setSelection(length, -length);
}

void TAutoSelectEdit::HideSelection() {
  if (hasSelectedText() && !enteringCut_) deselect();
}

template <class Entry> void TAutoSelectEdit::AsAuthorEntry(Entry&& entry) {
  ++authorEntries_;
  entry();
  --authorEntries_;
  if (authorEntries_ > 0 || !cutAddition_) return;
  // The line edit took the change back; enter what the check kept of it instead, with
  // the selection it replaces in place whatever has the focus.
  const TCutAddition cut = std::move(*cutAddition_);
  cutAddition_.reset();
  if (text() != cut.before) return;
  enteringCut_ = true;
  if (cut.end > cut.start)
    setSelection(cut.start, cut.end - cut.start);
  else
    setCursorPosition(cut.start);
  insert(cut.kept);
  enteringCut_ = false;
}

template <class Step> void TAutoSelectEdit::AsHistoryStep(Step&& step) {
  historyStep_ = true;
  step();
  historyStep_ = false;
}

bool TAutoSelectEdit::event(QEvent* event) {
  bool handled = false;
  AsAuthorEntry([&] { handled = QLineEdit::event(event); });
  return handled;
}

void TAutoSelectEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Qt hands the focus over before it delivers the click that caused it.
  focusedByClick_ = event->reason() == Qt::MouseFocusReason;
  if (autoSelect_ && IsEntryReason(event->reason())) SelectWhole();
}

void TAutoSelectEdit::focusOutEvent(QFocusEvent* event) {
  focusedByClick_ = false;
  QLineEdit::focusOutEvent(event);
}

void TAutoSelectEdit::mousePressEvent(QMouseEvent* event) {
  const bool entering = focusedByClick_ || !hasFocus();
  focusedByClick_ = false;
  if (event->button() == Qt::LeftButton && entering && autoSelect_) {
    setFocus(Qt::MouseFocusReason);
    focusedByClick_ = false;
    SelectWhole();
    swallowingClick_ = true;
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void TAutoSelectEdit::mouseMoveEvent(QMouseEvent* event) {
  if (!swallowingClick_) QLineEdit::mouseMoveEvent(event);
}

void TAutoSelectEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (swallowingClick_ && event->button() == Qt::LeftButton) {
    swallowingClick_ = false;
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TAutoSelectEdit::keyPressEvent(QKeyEvent* event) {
  // The line edit would paste an empty text over the selection, so a copied record (which
  // holds no text) would wipe a selected name; the menu's Paste is disabled then anyway.
  if (event->matches(QKeySequence::Paste) && QGuiApplication::clipboard()->text().isEmpty()) {
    event->accept();
    return;
  }
  if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)) {
    AsHistoryStep([&] { QLineEdit::keyPressEvent(event); });
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TAutoSelectEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  // The menu's actions run outside the box's events: its undo and redo are history steps,
  // its paste an entry of the author's.
  for (QAction* action : menu->actions()) {
    if (disconnect(action, SIGNAL(triggered()), this, SLOT(undo())))
      connect(action, &QAction::triggered, this, [this] { AsHistoryStep([this] { undo(); }); });
    else if (disconnect(action, SIGNAL(triggered()), this, SLOT(redo())))
      connect(action, &QAction::triggered, this, [this] { AsHistoryStep([this] { redo(); }); });
    else if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste())))
      connect(action, &QAction::triggered, this, [this] { AsAuthorEntry([this] { paste(); }); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

// ---- TDialEdit ----

TDialEdit::TDialEdit(QWidget* parent)
    : TAutoSelectEdit(parent), dial_(new TDialButton(this)),
      upSpin_(new TSpinButton(this, TSpinButton::sdUp)),
      downSpin_(new TSpinButton(this, TSpinButton::sdDown)) {
  connect(dial_, &TDialButton::DialStarted, this, &TDialEdit::DialStart);
  connect(dial_, &TDialButton::DialMoved, this, &TDialEdit::DialMove);
  connect(upSpin_, &TSpinButton::Spin, this, &TDialEdit::SpinUp);
  connect(downSpin_, &TSpinButton::Spin, this, &TDialEdit::SpinDown);
  // Connected first, so a clamped entry is in place before any form hears of the change.
  connect(this, &QLineEdit::textChanged, this, &TDialEdit::TextChanged);
  setMaxLength(std::max(DecimalLength(maxValue_), DecimalLength(minValue_)));
  setText(QStringLiteral("0"));
  // Typed text never runs under the buttons.
  setTextMargins(0, 0, DialWidth + SpinWidth + 2, 0);
  resize(89, sizeHint().height());
}

int TDialEdit::ClampValue(long long value) {
  if (value < minValue_)
    value = minValue_;
  else if (value > maxValue_)
    value = maxValue_;
  lastValue_ = static_cast<int>(value);
  return lastValue_;
}

int TDialEdit::Value() {
  bool ok = false;
  const int parsed = text().toInt(&ok, 10);
  return ClampValue(ok ? parsed : lastValue_);
}

void TDialEdit::SetValue(int value) {
  const QString formatted = QString::number(ClampValue(value));
  if (formatted != text()) setText(formatted);
  if (hasFocus() && autoSelect_) {
    selectAll();
  } else {
    deselect();
    setCursorPosition(static_cast<int>(text().size()));
  }
}

void TDialEdit::SetMinValue(int value) {
  SetBound(minValue_, value);
}

void TDialEdit::SetMaxValue(int value) {
  SetBound(maxValue_, value);
}

void TDialEdit::SetBound(int& bound, int value) {
  bound = value;
  const int current = Value();
  // A shorter limit must not cut the old text before the clamped value replaces it.
  setMaxLength(32767);
  SetValue(current);
  setMaxLength(std::max(DecimalLength(maxValue_), DecimalLength(minValue_)));
  updateGeometry(); // the widest value changed
}

void TDialEdit::StepBy(int steps) {
  SetValue(
      ClampValue(static_cast<long long>(Value()) + static_cast<long long>(increment_) * steps));
  selectAll();
}

void TDialEdit::DialStart() {
  SetValue(Value());
  dialStartValue_ = Value();
  selectAll();
}

void TDialEdit::DialMove(int delta) {
  SetValue(ClampValue(dialStartValue_ + static_cast<long long>(increment_) * delta));
  selectAll();
}

void TDialEdit::SpinUp() {
  StepBy(1);
}

void TDialEdit::SpinDown() {
  StepBy(-1);
}

void TDialEdit::TextChanged() {
  // A full-length entry is clamped at once, with the caret left at its end.
  if (text().size() < maxLength()) return;
  const bool saved = autoSelect_;
  autoSelect_ = false;
  SetValue(Value());
  autoSelect_ = saved;
}

QSize TDialEdit::minimumSizeHint() const {
  const QFontMetrics fm = fontMetrics();
  const int text = std::max(fm.horizontalAdvance(QString::number(minValue_)),
                            fm.horizontalAdvance(QString::number(maxValue_)));
  const int frame =
      hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
  return {text + DialWidth + SpinWidth + 2 + 2 * frame + 6,
          TAutoSelectEdit::minimumSizeHint().height()};
}

void TDialEdit::resizeEvent(QResizeEvent* event) {
  TAutoSelectEdit::resizeEvent(event);
  const int frame =
      hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
  const QRect client = rect().adjusted(frame, frame, -frame, -frame);
  const int half = client.height() / 2;
  dial_->setGeometry(client.right() + 1 - DialWidth, client.top(), DialWidth, client.height());
  const int spinLeft = client.right() + 1 - DialWidth - SpinWidth;
  upSpin_->setGeometry(spinLeft, client.top(), SpinWidth, half);
  downSpin_->setGeometry(spinLeft, client.top() + half, SpinWidth, client.height() - half);
}

void TDialEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  // Enter, Escape and Alt combinations belong to the dialog (default and cancel buttons,
  // mnemonics).
  if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
      (event->modifiers() & Qt::AltModifier)) {
    event->ignore();
    return;
  }
  if (key == Qt::Key_Up || key == Qt::Key_Down) {
    StepBy(key == Qt::Key_Up ? 1 : -1);
    event->accept();
    return;
  }
  TAutoSelectEdit::keyPressEvent(event);
}

void TDialEdit::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) StepBy(delta > 0 ? 1 : -1);
  // The value took the wheel; the page around it must not scroll as well.
  event->accept();
}

void TDialEdit::focusOutEvent(QFocusEvent* event) {
  TAutoSelectEdit::focusOutEvent(event);
  if (IsEntryReason(event->reason())) SetValue(Value());
}

// ---- TOverEdit ----

TOverEdit::TOverEdit(QWidget* parent) : TAutoSelectEdit(parent) {
  selectsProgramText_ = true;
}
