// The face of the small buttons inside the editor's controls (dial, spins, the value
// box's button): a raised edge, flat while pressed, on the button colour.
#pragma once

#include <QColor>
#include <QRect>

class QPainter;
class QWidget;

// Paints the face and returns the rectangle left for the glyph (moved up and left by
// one pixel while the button is not pressed).
QRect PaintButtonFace(QPainter& painter, const QWidget& button, bool pressed);
// The glyph colour: button text, grey when the control is disabled.
QColor GlyphColor(const QWidget& button);
