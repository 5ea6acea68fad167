#include "framework/button_face.h"

#include <QPainter>
#include <QWidget>
#include <qdrawutil.h>

QRect PaintButtonFace(QPainter& painter, const QWidget& button, bool pressed) {
  const QPalette& palette = button.palette();
  QRect rect = button.rect();
  if (pressed)
    qDrawPlainRect(&painter, rect, palette.color(QPalette::Dark), 1);
  else
    qDrawWinPanel(&painter, rect, palette, false);
  rect.adjust(2, 2, -2, -2);
  painter.fillRect(rect, palette.color(QPalette::Button));
  if (!pressed) rect.translate(-1, -1);
  return rect;
}

QColor GlyphColor(const QWidget& button) {
  return button.isEnabled() ? button.palette().color(QPalette::ButtonText)
                            : button.palette().color(QPalette::Disabled, QPalette::WindowText);
}
