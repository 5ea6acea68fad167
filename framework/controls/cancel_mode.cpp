#include "framework/controls/cancel_mode.h"

#include <QEvent>
#include <QWidget>

TCancelModeWatcher::TCancelModeWatcher(QWidget* control, std::function<void()> cancel)
    : control_(control), cancel_(std::move(cancel)) {
  control->installEventFilter(this);
}

bool TCancelModeWatcher::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control_) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Hide || type == QEvent::FocusOut ||
        (type == QEvent::EnabledChange && !control_->isEnabled()))
      cancel_();
  }
  return false;
}
