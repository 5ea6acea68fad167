#include "framework/controls/display_flush.h"

#include <QEvent>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

bool TDisplayFlush::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  // Other platforms may answer for X too, without a connection (offscreen does).
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
    if (xcb_connection_t* connection = x11->connection()) xcb_flush(connection);
  return false;
}
