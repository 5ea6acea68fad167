#include "framework/controls/inner_button.h"

#include <QPainter>
#include <qdrawutil.h>

TInnerButton::TInnerButton(QWidget* control, int width, int height) : QWidget(control) {
  resize(width, height);
  setCursor(Qt::ArrowCursor);
  setFocusPolicy(Qt::NoFocus);
}

void TInnerButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  update();
}

void TInnerButton::FocusControl() {
  QWidget* control = parentWidget();
  if (control && control->isEnabled() && control->focusPolicy() != Qt::NoFocus &&
      !control->hasFocus())
    control->setFocus(Qt::OtherFocusReason);
}

QRect TInnerButton::PaintFace(QPainter& painter) const {
  QRect r = rect();
  if (pressed_)
    qDrawPlainRect(&painter, r, palette().color(QPalette::Dark), 1);
  else
    qDrawWinPanel(&painter, r, palette(), false);
  r.adjust(2, 2, -2, -2);
  painter.fillRect(r, palette().color(QPalette::Button));
  if (!pressed_) r.translate(-1, -1);
  return r;
}

QColor TInnerButton::GlyphColor() const {
  return isEnabled() ? palette().color(QPalette::ButtonText)
                     : palette().color(QPalette::Disabled, QPalette::WindowText);
}
