#pragma once

#include <QObject>

// Installed on the application: the moment a widget starts to paint, the requests Qt has
// queued for the X server are sent. Qt sizes a window's backing store just before the
// window's first paint and leaves the server's share of that work (a whole-window image
// to clear) in its buffer until the painting first waits on the server; sent at once, the
// server does it while the widgets are drawn instead of while the painting waits. Without
// an X server it does nothing.
class TDisplayFlush : public QObject {
public:
  using QObject::QObject;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
