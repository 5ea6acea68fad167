// Placing windows: dialogs relative to their owner, kept within the screen's work area,
// and standard boxes centred over their owner when they first show.
#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>

class QScreen;
class QWidget;

// The main form, the owner of last resort for boxes that have none.
QWidget* MainForm();
void SetMainForm(QWidget* form);

// The top-left corner at which a window frame of the given size lies within the work
// area of the screen (right and bottom edges first, then left and top).
QPoint ClampToWorkArea(QPoint topLeft, QSize frameSize, const QScreen* screen);

// Pulls the form back inside its screen's work area.
void KeepFormOnScreen(QWidget* form);
// Puts the form at (dx, dy) from the client origin of its owner window.
void PlaceFormRelativeToOwner(QWidget* form, int dx, int dy);
// Centres the form over its owner window.
void CenterFormOverOwner(QWidget* form);
// Centres the form over Reference's window; a form without a reference stays put.
void CenterFormOver(QWidget* form, const QWidget* reference);
// Sends a fresh mouse move to the widget under the cursor, so it can update its cursor.
void RefreshMouseCursor();

// Application event filter that centres message boxes and the other standard dialogs
// over their owner (the main form when they have none) when they are shown.
class TCBTHooker : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
