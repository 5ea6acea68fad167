// The integer field of the editor's dialogs: an edit box with a drag dial and two spin
// buttons at its right end, and the plain edit that selects its text when entered.
#pragma once

#include <QLineEdit>
#include <QPoint>
#include <memory>
#include <optional>

#include "framework/controls/inner_button.h"

class QTimer;

// The dial: dragging it up or down changes the value by Increment per pixel.
class TDialButton : public TInnerButton {
  Q_OBJECT
public:
  explicit TDialButton(QWidget* parent);

signals:
  void DialStarted();
  void DialMoved(int delta);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  QPoint pressPosition_;
};

// A spin button: one step at once, another after 400 ms, then one every 100 ms.
class TSpinButton : public TInnerButton {
  Q_OBJECT
public:
  enum TDirection { sdUp, sdDown };
  TSpinButton(QWidget* parent, TDirection direction);
  ~TSpinButton() override;
  // The repeat timer exists only while the button is held.
  const QTimer* RepeatTimer() const { return repeatTimer_.get(); }
  void RepeatTimerTimer();

signals:
  void Spin();

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  void Release();
  TDirection direction_;
  std::unique_ptr<QTimer> repeatTimer_;
};

// An edit that selects its whole text when it is entered or clicked into while it has
// no focus (the click then places no caret). Both edits below build on it. Its text is
// one line of the game's code page: whatever the author adds (typed, pasted, dropped,
// composed, inserted) counts only up to its first line break or control character and
// without the characters the code page cannot hold, and when nothing of it remains the
// box stays as it was. Text the program sets is kept as it is and shown from its start.
// A selection shows only while the box has the focus.
class TAutoSelectEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TAutoSelectEdit(QWidget* parent = nullptr);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }

protected:
  bool event(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

  // Selects the whole text with the caret at its start, so a long text shows its start.
  void SelectWhole();

  bool autoSelect_ = true;
  // Whether a text set by the program is selected whole rather than only shown from its start.
  bool selectsProgramText_ = false;

private:
  class TFirstLineCheck;
  // An addition the check cut down: the selection it replaced and what is left of it.
  struct TCutAddition {
    QString before;
    int start;
    int end;
    QString kept;
  };

  void HideSelection();
  // Runs an entry of the author's; an addition cut down on the way is entered again as
  // cut, so that it is one step of the undo history like any other.
  template <class Entry> void AsAuthorEntry(Entry&& entry);
  // Runs an undo or a redo, which brings back an earlier text as it was.
  template <class Step> void AsHistoryStep(Step&& step);

  bool focusedByClick_ = false;
  bool swallowingClick_ = false;
  bool userEdit_ = false;
  // The text and selection before the next change, for the check to find what it adds.
  QString textBefore_;
  int selectionStartBefore_ = 0;
  int selectionEndBefore_ = 0;
  int authorEntries_ = 0;
  bool historyStep_ = false;
  std::optional<TCutAddition> cutAddition_;
  bool enteringCut_ = false;
};

class TDialEdit : public TAutoSelectEdit {
  Q_OBJECT
public:
  explicit TDialEdit(QWidget* parent = nullptr);

  // The text as a number, clamped to the bounds; the last good value when the text is
  // not a number.
  int Value();
  void SetValue(int value);
  int MinValue() const { return minValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value);
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  TDialButton* Dial() const { return dial_; }
  TSpinButton* UpButton() const { return upSpin_; }
  TSpinButton* DownButton() const { return downSpin_; }

  virtual void DialStart();
  virtual void DialMove(int delta);
  virtual void SpinUp();
  virtual void SpinDown();

  // Never narrower than its widest value beside the dial and spin buttons.
  QSize minimumSizeHint() const override;

protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  int ClampValue(long long value);
  void SetBound(int& bound, int value);
  void StepBy(int steps);
  void TextChanged();

  int minValue_ = 0;
  int maxValue_ = 100;
  int increment_ = 1;
  int dialStartValue_ = 0;
  int lastValue_ = 0;
  TDialButton* dial_;
  TSpinButton* upSpin_;
  TSpinButton* downSpin_;
};

// A plain text edit that also selects its whole text when the program changes it.
class TOverEdit : public TAutoSelectEdit {
  Q_OBJECT
public:
  explicit TOverEdit(QWidget* parent = nullptr);
};
