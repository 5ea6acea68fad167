#include "framework/controls/display_flush.h"

#include <QAbstractEventDispatcher>
#include <QEvent>
#include <QExposeEvent>
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <xcb/xcb.h>

TMapExposures::TMapped* TMapExposures::Find(uint32_t window) {
  const auto it = std::find_if(mapped_.begin(), mapped_.end(),
                               [window](const TMapped& m) { return m.Window == window; });
  return it == mapped_.end() ? nullptr : &*it;
}

void TMapExposures::Forget(uint32_t window) {
  std::erase_if(mapped_, [window](const TMapped& m) { return m.Window == window; });
}

void TMapExposures::Mapped(uint32_t window) {
  Forget(window);
  mapped_.push_back(TMapped{window});
}

void TMapExposures::ServerExposed(uint32_t window) {
  TMapped* m = Find(window);
  if (!m) return;
  // Read after the whole repaint, a report may mean new damage: from then on every
  // exposure is handed on.
  if (m->RepaintedWhole)
    Forget(window);
  else
    m->ReportedBefore = true;
}

bool TMapExposures::Repeats(uint32_t window, const QRegion& region, const QRect& full) {
  TMapped* m = Find(window);
  if (!m) return false;
  if (region.isEmpty()) {
    // Hidden again.
    Forget(window);
    return false;
  }
  if (!m->RepaintedWhole) {
    // The first exposure after the map repaints the window; only a whole one covers the
    // reports read before it.
    if (QRegion(full).subtracted(region).isEmpty())
      m->RepaintedWhole = true;
    else
      Forget(window);
    return false;
  }
  const bool repeat = m->ReportedBefore && full.contains(region.boundingRect());
  Forget(window);
  return repeat;
}

void TMapExposures::Idle() {
  std::erase_if(mapped_, [](const TMapped& m) { return m.RepaintedWhole; });
}

TDisplayFlush::TDisplayFlush(QObject* parent) : QObject(parent) {
  if (auto* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            [this] { exposures_.Idle(); });
}

bool TDisplayFlush::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || !message) return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7F) {
  case XCB_MAP_NOTIFY: {
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event);
    if (map->event == map->window) exposures_.Mapped(map->window);
    break;
  }
  case XCB_EXPOSE:
    exposures_.ServerExposed(reinterpret_cast<const xcb_expose_event_t*>(event)->window);
    break;
  default:
    break;
  }
  return false;
}

bool TDisplayFlush::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Expose) {
    auto* window = qobject_cast<QWindow*>(watched);
    if (!window || !window->handle()) return false;
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    const QRegion& region = static_cast<QExposeEvent*>(event)->region();
    QT_WARNING_POP
    return exposures_.Repeats(uint32_t(window->winId()), region, QRect(QPoint(), window->size()));
  }
  if (event->type() != QEvent::Paint) return false;
  // Other platforms may answer for X too, without a connection (offscreen does).
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
    if (xcb_connection_t* connection = x11->connection()) xcb_flush(connection);
  return false;
}
