#include "framework/controls/mobile_hint.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

namespace {

// The platform's cursor height when the shape cannot be looked at.
constexpr int DefaultCursorHeight = 32;

const QCursor* CurrentCursor(QCursor& holder) {
  if (const QCursor* cursor = QApplication::overrideCursor()) return cursor;
  if (QWidget* widget = QApplication::widgetAt(QCursor::pos())) {
    holder = widget->cursor();
    return &holder;
  }
  return nullptr;
}

int CursorHeightBelowHotSpot() {
  QCursor holder;
  const QCursor* cursor = CurrentCursor(holder);
  if (!cursor) return DefaultCursorHeight;
  if (!cursor->pixmap().isNull())
    return VisibleCursorHeight(cursor->pixmap().toImage(), cursor->hotSpot().y());
  if (cursor->shape() == Qt::BitmapCursor && !cursor->mask().isNull())
    return VisibleCursorHeight(cursor->mask().toImage(), cursor->hotSpot().y());
  return DefaultCursorHeight;
}

} // namespace

int VisibleCursorHeight(const QImage& cursorImage, int hotSpotY) {
  const QImage image = cursorImage.convertToFormat(QImage::Format_ARGB32);
  int rows = 0;
  for (int y = image.height() - 1; y >= 0 && rows == 0; --y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      // A mono mask converts to opaque black for its set bits and white for the rest.
      const bool visible = cursorImage.depth() == 1 ? qGray(line[x]) < 128 : qAlpha(line[x]) > 0;
      if (visible) {
        rows = y + 1;
        break;
      }
    }
  }
  return rows == 0 ? 0 : rows - hotSpotY;
}

TMobileHint::TMobileHint(QObject* owner) : QObject(owner) {
  window_ = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
  window_->setObjectName(QStringLiteral("MobileHintWindow"));
  window_->setTextFormat(Qt::PlainText);
  window_->setMargin(2);
  window_->setFrameStyle(QFrame::Box | QFrame::Plain);
  window_->setAutoFillBackground(true);
  window_->setPalette(QToolTip::palette());
  window_->setFont(QToolTip::font());
}

TMobileHint::~TMobileHint() {
  Hide();
  delete window_.data();
}

QFont TMobileHint::Font() const {
  return window_->font();
}

void TMobileHint::SetFont(const QFont& font) {
  window_->setFont(font);
}

void TMobileHint::ShowAt(QPoint screenPoint, const QString& text) {
  if (!hooked_) {
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
              if (state != Qt::ApplicationActive) Hide();
            });
    hooked_ = true;
  }
  const QPoint topLeft = screenPoint + QPoint(0, CursorHeightBelowHotSpot());
  const QScreen* screen = QGuiApplication::screenAt(screenPoint);
  if (!screen) screen = QGuiApplication::primaryScreen();
  window_->setPalette(QToolTip::palette());
  window_->setText(text);
  QSize size = window_->sizeHint();
  if (screen) size.setWidth(std::min(size.width(), screen->geometry().width()));
  window_->setGeometry(QRect(topLeft, size));
  window_->show();
  window_->raise();
}

void TMobileHint::Hide() {
  if (hooked_) {
    disconnect(qApp, &QGuiApplication::applicationStateChanged, this, nullptr);
    hooked_ = false;
  }
  if (window_) window_->hide();
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}
