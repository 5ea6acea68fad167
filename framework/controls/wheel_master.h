// Middle-button panning for any scroll area: a small origin mark is shown where the
// button went down, and every 100 ms the view scrolls towards the mouse with a speed
// that grows exponentially with its distance from the mark.
#pragma once

#include <QCursor>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <array>
#include <memory>

class QAbstractScrollArea;
class QTimer;
class TWheelMaster;

// The panning cursors, by the directions they show.
enum TWheelCursor { wcNSWE, wcNS, wcWE, wcN, wcS, wcW, wcE, wcNW, wcNE, wcSW, wcSE };

struct TWheelPanStep {
  double X = 0; // scroll units this tick, already rounded
  double Y = 0;
  TWheelCursor Cursor = wcNSWE;
};

// The step of one panning tick for the mouse at (dx, dy) screen pixels from the origin,
// for a view that can scroll horizontally and/or vertically. Within 8 pixels nothing
// moves; beyond, the speed is 1.2 to the power (distance - 8).
TWheelPanStep WheelPanStep(int dx, int dy, bool canScrollX, bool canScrollY);
// Position + step, kept within the scroll range.
int WheelPanTarget(int position, double step, int minimum, int maximum);

// The origin mark: a 7 x 7 black frame on white. It holds the mouse and the keyboard
// while panning, so any key, click or wheel turn ends it.
class TWheelMasterWindow : public QWidget {
  Q_OBJECT
public:
  explicit TWheelMasterWindow(TWheelMaster* master);

protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  TWheelMaster* master_;
};

class TWheelMaster : public QObject {
  Q_OBJECT
public:
  explicit TWheelMaster(QObject* owner = nullptr);
  ~TWheelMaster() override;

  // Begins panning of Control from the current mouse position (the owner calls it on a
  // middle-button press). A control that can scroll in neither direction is left alone.
  void Start(QAbstractScrollArea* control);
  void Stop();
  bool Panning() const;

  // One panning step; the timer calls it every 100 ms.
  void TimerTimer();

  QTimer* Timer() const { return timer_; }
  TWheelMasterWindow* OriginWindow() const { return origin_; }
  QPoint StartPoint() const { return start_; }
  TWheelCursor CurrentCursor() const { return cursor_; }
  // Each cursor is read when first shown: most views are never panned.
  const QCursor& Cursor(TWheelCursor which) const;

signals:
  // Panning ended.
  void Scrolled();

private:
  friend class TWheelMasterWindow;
  void ReleasedAt(QPoint globalPos);
  void ShowCursor(TWheelCursor which);

  QPointer<TWheelMasterWindow> origin_;
  QTimer* timer_;
  QPointer<QAbstractScrollArea> control_;
  QPoint start_;
  bool cursorSet_ = false;
  bool canScrollX_ = false;
  bool canScrollY_ = false;
  TWheelCursor cursor_ = wcNSWE;
  mutable std::array<QCursor, 11> cursors_;
  mutable std::array<bool, 11> cursorRead_{};
};
