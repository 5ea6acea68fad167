#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <QRegion>
#include <cstdint>
#include <vector>

// A window just mapped is exposed twice: Qt repaints the whole window as soon as it sees
// the map, and the server's own report of the same exposure, read before that repaint but
// handled after it, would have the whole window sent to the server a second time (and the
// next paint wait until the server has taken it). This tells such a repeat apart from an
// exposure that needs the window shown again.
class TMapExposures {
public:
  // The server mapped Window.
  void Mapped(uint32_t window);
  // A report of the server that part of Window is exposed has been read.
  void ServerExposed(uint32_t window);
  // Qt hands Window (whose whole area is Full) an exposure of Region: true when it only
  // repeats a report read before the window was repainted whole after its map.
  bool Repeats(uint32_t window, const QRegion& region, const QRect& full);
  // The event loop has nothing left to do: a repeat is handed over in the same pass as
  // the repaint it repeats, so whatever comes later is handed on.
  void Idle();

private:
  struct TMapped {
    uint32_t Window = 0;
    bool RepaintedWhole = false;
    bool ReportedBefore = false;
  };
  TMapped* Find(uint32_t window);
  void Forget(uint32_t window);

  std::vector<TMapped> mapped_;
};

// Installed on the application (and as its native event filter): the moment a widget
// starts to paint, the requests Qt has queued for the X server are sent. Qt sizes a
// window's backing store just before the window's first paint and leaves the server's
// share of that work (a whole-window image to clear) in its buffer until the painting
// first waits on the server; sent at once, the server does it while the widgets are drawn
// instead of while the painting waits. A window's repeated exposure after its map is not
// handed on (TMapExposures). Without an X server it does nothing.
class TDisplayFlush : public QObject, public QAbstractNativeEventFilter {
public:
  explicit TDisplayFlush(QObject* parent = nullptr);

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  TMapExposures exposures_;
};
