#include "framework/controls/dial_edit.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPolygon>
#include <QStyle>
#include <QTimer>
#include <algorithm>

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

// The text up to its first control character: what a one-line field takes of a paste.
QString FirstLine(const QString& text) {
  const auto stop = std::find_if(text.begin(), text.end(),
                                 [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; });
  return QString(text.begin(), stop - text.begin());
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

TAutoSelectEdit::TAutoSelectEdit(QWidget* parent) : QLineEdit(parent) {}

void TAutoSelectEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Qt hands the focus over before it delivers the click that caused it.
  focusedByClick_ = event->reason() == Qt::MouseFocusReason;
  if (autoSelect_ && IsEntryReason(event->reason())) selectAll();
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
    selectAll();
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
  if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
    Paste(true);
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void TAutoSelectEdit::PasteText(const QString& text) {
  if (!isReadOnly()) insert(FirstLine(text));
}

void TAutoSelectEdit::Paste(bool selectionClipboard) {
  const QString text = QGuiApplication::clipboard()->text(
      selectionClipboard ? QClipboard::Selection : QClipboard::Clipboard);
  if (!text.isEmpty()) PasteText(text);
}

void TAutoSelectEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    Paste(false);
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void TAutoSelectEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  for (QAction* action : menu->actions()) {
    if (action->objectName() != QLatin1String("edit-paste")) continue;
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, [this] { Paste(false); });
  }
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TAutoSelectEdit::dropEvent(QDropEvent* event) {
  const QString text = event->mimeData()->text();
  const QString line = FirstLine(text);
  if (line.size() == text.size()) {
    QLineEdit::dropEvent(event);
    return;
  }
  // The line edit inserts the dropped text whole, so it is handed the first line instead.
  QMimeData cut;
  cut.setText(line);
  QDropEvent copy(event->position(), event->possibleActions(), &cut, event->buttons(),
                  event->modifiers());
  copy.setDropAction(event->dropAction());
  QLineEdit::dropEvent(&copy);
  event->setDropAction(copy.dropAction());
  event->setAccepted(copy.isAccepted());
}

void TAutoSelectEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString line = FirstLine(event->commitString());
  if (line.size() == event->commitString().size()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent copy(event->preeditString(), event->attributes());
  copy.setCommitString(line, event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&copy);
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
  connect(this, &QLineEdit::textEdited, this, [this] { userEdit_ = true; });
  connect(this, &QLineEdit::textChanged, this, [this] {
    if (!userEdit_ && autoSelect_) selectAll();
    userEdit_ = false;
  });
}
