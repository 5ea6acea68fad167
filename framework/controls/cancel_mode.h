// A press, drag or auto-repeat that a control holds must end when the control can no
// longer see the button's release: when it is hidden, disabled or loses the focus.
#pragma once

#include <QObject>
#include <functional>

#include <QEvent>

class QWidget;

// Watches Control and calls Cancel on each of those events. Held as a member of the
// control, so it is gone before the control's base class hides it on destruction.
class TCancelModeWatcher : public QObject {
public:
  TCancelModeWatcher(QWidget* control, std::function<void()> cancel);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QWidget* control_;
  std::function<void()> cancel_;
};
