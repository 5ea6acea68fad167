// A horizontal track bar with a pointed thumb, tick marks every PageSize and a thumb
// that blinks while the slider has the focus; for volumes, tempos, balances, colour
// tones and similar small ranges.
#pragma once

#include <QRect>
#include <QWidget>

#include "framework/controls/cancel_mode.h"

class QTimer;

// The slider's geometry in client pixels. The thumb's centre runs from 4 to width - 5.
int SliderThumbCentre(int value, int min, int max, int clientWidth);
QRect SliderThumbRect(int value, int min, int max, int clientWidth);
// The value under a dragged thumb whose centre is at X less DragOffset (not yet clamped
// to the range); Min for a slider too narrow to drag in.
int SliderValueAt(int x, int dragOffset, int min, int max, int clientWidth);

class TSlider : public QWidget {
  Q_OBJECT
public:
  explicit TSlider(QWidget* parent = nullptr);

  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Position() const { return position_; }
  // Clamped to Min..Max; Change fires when the position moves.
  void SetPosition(int value);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int value);

  bool Dragging() const { return dragging_; }
  bool BlinkPhase() const { return blinkPhase_; }
  const QTimer* BlinkTimer() const { return blinkTimer_; }
  // Every 200 ms: the focused slider's thumb changes between plain and lit.
  void BlinkTimerTimer();

  // A layout gives the slider its usual width and never less than a track to move on.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

signals:
  void Change();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void StepBy(int steps);
  void SetBlinkPhase(bool value);
  void CancelMode();
  void DrawThumb(QPainter& painter);

  int min_ = 0;
  int max_ = 10;
  int position_ = 0;
  int pageSize_ = 1;
  bool dragging_ = false;
  int dragOffset_ = 0;
  QTimer* blinkTimer_;
  bool blinkPhase_ = false;
  bool captured_ = false;
  TCancelModeWatcher cancelModeWatcher_{this, [this] { CancelMode(); }};
};
