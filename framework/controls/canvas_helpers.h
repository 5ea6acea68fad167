// Drawing and dialog helpers shared by the map editor, the tile palette, the pickers
// and the dialogs.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <vector>

#include "core/geometry.h"

class QPainter;
class QWidget;
class TGlimraBoard;

// The frame of a selection on a board, four one-pixel outlines from the rectangle's edge
// inwards: black, the given colour, white, black.
void DrawSelectionFrame(TGlimraBoard& board, const QColor& color, const TRect& rect);

// Every co-ordinate multiplied by factor (cells to pixels).
TRect ScaleRect(const TRect& rect, int factor);
// The cells from one corner cell to the other, both included.
TRect CellRectFromCorners(TPoint a, TPoint b);
// Where an image goes in a preview: its own size when it fits, else scaled down to fill
// the limiting side; centred in the bounds either way.
TRect FitRectKeepingAspect(int boundsWidth, int boundsHeight, int imageWidth, int imageHeight);

// How far a drag auto-scrolls for a distance past a view edge: half of it, at most 20.
int AutoScrollStep(int distance);
// A drag's auto-scroll along one axis for the mouse at Position of a view Size pixels
// long: AutoScrollStep of how far the mouse is within 16 pixels of an edge or beyond it,
// negative towards the start, 0 in between.
int EdgeAutoScrollStep(int position, int size);

// "a" when both ends are equal, else "a-b".
QString FormatIntRange(int a, int b);

// Enables or disables a group of dialog controls together. Combo boxes, dial edits,
// over edits, value boxes and list boxes take the window colour when enabled and the
// button colour when disabled; disabling blanks them (a combo box shows no item, the
// edits and value boxes no text), so the inactive alternative of a dialog shows nothing
// while the dialog keeps its values.
void EnableControls(const std::vector<QWidget*>& controls, bool enabled);
void EnableControls(std::initializer_list<QWidget*> controls, bool enabled);
// The same without blanking: disabled controls are greyed and keep showing their values.
void GreyControls(const std::vector<QWidget*>& controls, bool enabled);
// What a disabled value control shows: nothing (a combo box, dial edit, text edit or
// value box is emptied; other controls are left as they are).
void ShowNothing(QWidget* control);

// Fills the painter's clip box (the whole device without clipping) with the hatched
// background of empty view areas: diagonal cross lines every 8 pixels in the button
// colour on the shadow colour. (x, y) is the view's scroll offset; the pattern scrolls
// with it.
void FillHatchedBackground(QPainter& painter, int x, int y);

// The outline of rect in a styled pen whose pattern runs around the rectangle as time
// grows (speed is in 1/1024 pixels per time unit); gaps are drawn in brushColor.
void DrawMarchingAntsRect(QPainter& painter, int time, int speed, const QColor& brushColor,
                          const QColor& penColor, Qt::PenStyle penStyle, const QRect& rect);
