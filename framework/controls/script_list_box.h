// The list in which every event script is shown and selected. Its lines are the display
// texts of a script, already indented; the selection always covers whole commands with
// their continuation lines and nested blocks, which the editors' cut, copy, delete and
// edit rely on. A left-button drag moves the caret and scrolls every 50 ms while the mouse
// is held above or below the list; the wheel scrolls one line a notch while the list has
// the focus.
#pragma once

#include <QAbstractScrollArea>
#include <QStringList>
#include <vector>

#include "framework/controls/cancel_mode.h"
#include "framework/controls/script_selection.h"

class QKeyEvent;
class QTimer;
class TEventScriptConverter;
class TXelEventScriptList;

class TScriptListBox : public QAbstractScrollArea {
  Q_OBJECT
public:
  explicit TScriptListBox(QWidget* parent = nullptr);
  ~TScriptListBox() override;

  const QStringList& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Replaces the lines and their facts (one each) and re-applies the caret line (kept,
  // limited to the new last line). As many lines as before keep the view where it is.
  void SetItems(const QStringList& items, std::vector<TScriptLineFacts> facts);
  // Fills the lines with the display texts of a script, through its owner's converter,
  // and takes their facts from the script lines; the caret is kept, as after an edit.
  void SetScript(const TXelEventScriptList& script, const TEventScriptConverter& converter);
  // Shows the script of another entry, page or event: of the same length the texts are
  // replaced in place (caret, selection and view kept), of another length it starts at
  // its first line.
  void Refill(const TXelEventScriptList& script, const TEventScriptConverter& converter);

  int ItemIndex() const { return itemIndex_; }
  // Moves the caret and recomputes the selection; with Shift held it extends from the
  // anchor.
  void SetItemIndex(int value);
  int SelStart() const { return selStart_; }
  int SelEnd() const { return selEnd_; }
  // Set the selection's ends directly (select all); SetSelStart also moves the anchor.
  void SetSelStart(int value);
  void SetSelEnd(int value);
  int TopIndex() const;
  void SetTopIndex(int value);

  int LineIndent(int index) const { return LineFactsAt(facts_, index).Indent; }
  bool IsCommandLine(int index) const { return LineFactsAt(facts_, index).Command; }
  int LineHeight() const;
  // Whole lines only.
  int VisibleLines() const;

  void NextCommand();
  void PrevCommand();
  void PageDown();
  void PageUp();

  // The line under a viewport point: -1 outside the viewport; below the last line Count,
  // or -1 when Existing.
  int ItemAtPos(QPoint point, bool existing) const;
  QRect ItemRect(int index) const;

  const QTimer* ScrollTimer() const { return timer_; }
  bool MouseCaptured() const { return captured_; }
  // One tick of the drag auto-scroll; the timer calls it every 50 ms while the left
  // button is held.
  void TimerTimer();

signals:
  // The editors bind their own actions to these; each comes after the list's own
  // handling.
  void DblClick();
  // Keys other than the list's own arrive ignored; an editor that uses one accepts it.
  void KeyDown(QKeyEvent* event);
  void MouseDown(Qt::MouseButton button, QPoint position);

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

private:
  // The selection rule; Shift says whether the caret extends the selection.
  void ApplyItemIndex(int value, bool shift);
  // The caret move of a navigation key (arrows, pages, Home, End).
  void Walk(int key, bool shift);
  void ItemsChanged();
  void UpdateScrollBar();
  // Ends a drag: capture released, timer stopped.
  void CancelMode();
  void DrawItem(QPainter& painter, int index);
  // A line's text as drawn, its indentation limited to what the list shows.
  QString ShownText(const QString& text) const;

  QStringList items_;
  std::vector<TScriptLineFacts> facts_;
  int itemIndex_ = -1;
  int anchor_ = -1;
  int selStart_ = 0;
  int selEnd_ = 0;
  QTimer* timer_;
  bool captured_ = false;
  // Where the held mouse was last seen, in viewport co-ordinates.
  int dragY_ = 0;
  // The wheel turned since the last whole notch.
  int wheelDelta_ = 0;
  TCancelModeWatcher cancelModeWatcher_{this, [this] { CancelMode(); }};
};
