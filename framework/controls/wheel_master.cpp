#include "framework/controls/wheel_master.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/controls/handler_guard.h"
#include "framework/controls/resource_pictures.h"

namespace {

constexpr int PanInterval = 100;
constexpr int DeadZone = 8;
constexpr int ReleaseDistance = 12;
constexpr int OriginSize = 7;
// Far beyond any scroll range; keeps the exponential speed finite.
constexpr double MaxSpeed = 1e9;

// "WHEEL_NSWE" .. "WHEEL_SE", in the order of TWheelCursor; the hot spot is the ring's
// centre.
constexpr const char* CursorFiles[] = {
    "wheel_nswe.png", "wheel_ns.png", "wheel_we.png", "wheel_n.png",  "wheel_s.png", "wheel_w.png",
    "wheel_e.png",    "wheel_nw.png", "wheel_ne.png", "wheel_sw.png", "wheel_se.png"};
constexpr int CursorHotSpot = 16;

// Round half to even, as the panning speed has always been rounded.
double RoundStep(double value) {
  return std::nearbyint(value);
}

bool CanScroll(const QScrollBar* bar) {
  return bar && bar->maximum() > bar->minimum();
}

} // namespace

TWheelPanStep WheelPanStep(int dx, int dy, bool canScrollX, bool canScrollY) {
  TWheelPanStep step;
  const double distance = std::hypot(double(dx), double(dy));
  const double angle = std::atan2(double(dy), double(dx));
  const double speed = std::min(std::pow(1.2, distance - DeadZone), MaxSpeed);
  if (!canScrollX) {
    if (std::abs(dy) > DeadZone) step.Y = RoundStep(std::sin(angle) * speed);
    step.Cursor = step.Y < 0 ? wcN : step.Y > 0 ? wcS : wcNS;
  } else if (!canScrollY) {
    if (std::abs(dx) > DeadZone) step.X = RoundStep(std::cos(angle) * speed);
    step.Cursor = step.X < 0 ? wcW : step.X > 0 ? wcE : wcWE;
  } else if (distance <= DeadZone) {
    step.Cursor = wcNSWE;
  } else {
    constexpr double pi = std::numbers::pi;
    const int sector = static_cast<int>((angle + pi + pi / 8) / (2 * pi) * 8);
    static constexpr TWheelCursor sectors[] = {wcW, wcNW, wcN, wcNE, wcE, wcSE, wcS, wcSW, wcW};
    step.Cursor = sectors[std::clamp(sector, 0, 8)];
    step.X = RoundStep(std::cos(angle) * speed);
    step.Y = RoundStep(std::sin(angle) * speed);
  }
  return step;
}

int WheelPanTarget(int position, double step, int minimum, int maximum) {
  const double target = std::clamp(double(position) + step, double(minimum), double(maximum));
  return static_cast<int>(target);
}

// ---- TWheelMasterWindow ----

TWheelMasterWindow::TWheelMasterWindow(TWheelMaster* master) : master_(master) {
  setFocusPolicy(Qt::StrongFocus);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  hide();
}

void TWheelMasterWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(Qt::black);
  painter.drawRect(0, 0, OriginSize - 1, OriginSize - 1);
}

void TWheelMasterWindow::keyPressEvent(QKeyEvent*) {
  master_->Stop();
}

void TWheelMasterWindow::mousePressEvent(QMouseEvent*) {
  master_->Stop();
}

void TWheelMasterWindow::mouseReleaseEvent(QMouseEvent* event) {
  master_->ReleasedAt(event->globalPosition().toPoint());
}

void TWheelMasterWindow::wheelEvent(QWheelEvent*) {
  master_->Stop();
}

void TWheelMasterWindow::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  // Another window took the keyboard: nothing would end the panning any more.
  master_->Stop();
}

// ---- TWheelMaster ----

TWheelMaster::TWheelMaster(QObject* owner) : QObject(owner), timer_(new QTimer(this)) {
  timer_->setInterval(PanInterval);
  connect(timer_, &QTimer::timeout, this, &TWheelMaster::TimerTimer);
}

const QCursor& TWheelMaster::Cursor(TWheelCursor which) const {
  if (!cursorRead_[which]) {
    cursors_[which] = QCursor(QPixmap::fromImage(ResourceImage(ResourcePath(CursorFiles[which]))),
                              CursorHotSpot, CursorHotSpot);
    cursorRead_[which] = true;
  }
  return cursors_[which];
}

TWheelMaster::~TWheelMaster() {
  if (Panning()) {
    timer_->stop();
    if (cursorSet_) QApplication::restoreOverrideCursor();
  }
  delete origin_.data();
}

bool TWheelMaster::Panning() const {
  return timer_->isActive();
}

void TWheelMaster::Start(QAbstractScrollArea* control) {
  if (!control || Panning()) return;
  control_ = control;
  canScrollX_ = CanScroll(control->horizontalScrollBar());
  canScrollY_ = CanScroll(control->verticalScrollBar());
  if (!canScrollX_ && !canScrollY_) return;

  start_ = QCursor::pos();
  if (!origin_) origin_ = new TWheelMasterWindow(this);
  QWidget* top = control->window();
  origin_->setParent(top);
  origin_->setGeometry(
      QRect(top->mapFromGlobal(start_) - QPoint(3, 3), QSize(OriginSize, OriginSize)));
  origin_->show();
  origin_->raise();
  origin_->setFocus(Qt::OtherFocusReason);
  origin_->grabMouse();
  timer_->start();
  cursor_ = wcNSWE;
  QApplication::setOverrideCursor(Cursor(cursor_));
  cursorSet_ = true;
  TimerTimer();
}

void TWheelMaster::Stop() {
  if (!Panning()) return;
  timer_->stop();
  if (origin_) {
    origin_->releaseMouse();
    origin_->hide();
    origin_->setParent(nullptr);
  }
  if (cursorSet_) {
    QApplication::restoreOverrideCursor();
    cursorSet_ = false;
  }
  emit Scrolled();
}

void TWheelMaster::ShowCursor(TWheelCursor which) {
  cursor_ = which;
  if (cursorSet_) QApplication::changeOverrideCursor(Cursor(which));
}

void TWheelMaster::TimerTimer() {
  GuardHandler(nullptr, [this] {
    if (!Panning()) return;
    // Qt tells no control that it lost the mouse to something else; a view that went
    // away, was hidden or disabled ends the panning here.
    if (!control_ || !control_->isVisible() || !control_->isEnabled()) {
      Stop();
      return;
    }
    if (origin_ && QWidget::mouseGrabber() != origin_) origin_->grabMouse();
    const QPoint d = QCursor::pos() - start_;
    const TWheelPanStep step = WheelPanStep(d.x(), d.y(), canScrollX_, canScrollY_);
    ShowCursor(step.Cursor);
    QScrollBar* bars[] = {control_->horizontalScrollBar(), control_->verticalScrollBar()};
    const double steps[] = {step.X, step.Y};
    for (int k = 0; k < 2; ++k) {
      QScrollBar* bar = bars[k];
      if (!bar || steps[k] == 0) continue;
      bar->setValue(WheelPanTarget(bar->value(), steps[k], bar->minimum(), bar->maximum()));
    }
    if (QGuiApplication::queryKeyboardModifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
      Stop();
  });
}

void TWheelMaster::ReleasedAt(QPoint globalPos) {
  const QPoint d = globalPos - start_;
  // A short click leaves the panning running until the next click.
  if (std::hypot(double(d.x()), double(d.y())) >= ReleaseDistance) Stop();
}
