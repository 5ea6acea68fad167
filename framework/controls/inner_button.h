// The small buttons inside the editor's controls (the dial and spins of a dial edit, the
// value box's button): they take no focus, keep the arrow cursor, hand the focus to
// their control when pressed, and paint a raised face that goes flat while pressed.
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

class QPainter;

class TInnerButton : public QWidget {
public:
  TInnerButton(QWidget* control, int width, int height);
  bool Pressed() const { return pressed_; }

protected:
  // Repaints when the state changes.
  void SetPressed(bool pressed);
  // The control takes the focus when it can.
  void FocusControl();
  // Paints the face and returns the rectangle left for the glyph (moved up and left by
  // one pixel while not pressed).
  QRect PaintFace(QPainter& painter) const;
  // Button text, grey when the control is disabled.
  QColor GlyphColor() const;

private:
  bool pressed_ = false;
};
