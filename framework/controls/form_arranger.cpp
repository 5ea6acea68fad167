#include "framework/controls/form_arranger.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <vector>

#include "core/settings.h"

namespace {

constexpr int StateNormal = 1;
constexpr int StateMinimised = 2;
constexpr int StateMaximised = 3;
// Larger windows than this exist on no screen; such a record is not ours.
constexpr int MaxWindowExtent = 100000;

// The screen the rectangle lies on most; the primary screen when it lies on none.
const QScreen* ScreenFor(const QRect& rect) {
  const QScreen* best = QGuiApplication::primaryScreen();
  long long bestArea = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect overlap = screen->availableGeometry().intersected(rect);
    const long long area = static_cast<long long>(overlap.width()) * overlap.height();
    if (area > bestArea) {
      best = screen;
      bestArea = area;
    }
  }
  return best;
}

QRect PullOntoScreen(QRect rect) {
  const QScreen* screen = ScreenFor(rect);
  if (!screen) return rect;
  const QRect area = screen->availableGeometry();
  rect.setSize(rect.size().boundedTo(area.size()));
  const int x = std::clamp(rect.x(), area.x(), area.x() + area.width() - rect.width());
  const int y = std::clamp(rect.y(), area.y(), area.y() + area.height() - rect.height());
  rect.moveTo(x, y);
  return rect;
}

// The frame around the form's client area, as far as the window system has told it yet
// (nothing before the window exists or without a window manager).
QMargins FrameMargins(const QWidget* form) {
  const QRect frame = form->frameGeometry();
  const QRect client = form->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

} // namespace

std::string FormatPlacement(const TPlacement& placement) {
  const QRect& r = placement.NormalRect;
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + "," + std::to_string(r.width()) +
         "," + std::to_string(r.height()) + "," + std::to_string(placement.ShowState);
}

std::optional<TPlacement> ParsePlacement(const std::string& value) {
  std::vector<int> fields;
  const char* p = value.data();
  const char* end = p + value.size();
  while (fields.size() < 5) {
    int field = 0;
    const auto [next, error] = std::from_chars(p, end, field);
    if (error != std::errc()) return std::nullopt;
    fields.push_back(field);
    p = next;
    if (fields.size() < 5) {
      if (p == end || *p != ',') return std::nullopt;
      ++p;
    }
  }
  if (p != end) return std::nullopt;
  const int width = fields[2];
  const int height = fields[3];
  const int state = fields[4];
  if (width <= 0 || height <= 0 || width > MaxWindowExtent || height > MaxWindowExtent)
    return std::nullopt;
  if (std::abs(fields[0]) > MaxWindowExtent || std::abs(fields[1]) > MaxWindowExtent)
    return std::nullopt;
  if (state < StateNormal || state > StateMaximised) return std::nullopt;
  return TPlacement{QRect(fields[0], fields[1], width, height), state};
}

TFormArranger::TFormArranger(QWidget* form) : QObject(form), form_(form) {}

std::string TFormArranger::ValueName() const {
  return form_->objectName().toStdString() + "_Placement";
}

void TFormArranger::Restore(bool useShowCommand) {
  if (KeyName.empty() || !Settings().ValueExists(ValueName())) return;
  const std::optional<TPlacement> placement =
      ParsePlacement(Settings().ReadString(ValueName(), ""));
  if (!placement) return;
  // The record holds the frame's corner, so the whole frame, title bar included, is
  // pulled onto the screen; a move places the frame, not the client area.
  const QMargins margins = FrameMargins(form_);
  const QRect& stored = placement->NormalRect;
  const QRect frame = PullOntoScreen(QRect(stored.topLeft(), stored.size().grownBy(margins)));
  form_->resize(frame.size().shrunkBy(margins));
  form_->move(frame.topLeft());
  if (!useShowCommand) return;
  switch (placement->ShowState) {
  case StateMinimised:
    form_->setWindowState(Qt::WindowMinimized);
    break;
  case StateMaximised:
    form_->setWindowState(Qt::WindowMaximized);
    break;
  default:
    form_->setWindowState(Qt::WindowNoState);
    break;
  }
}

void TFormArranger::Save() {
  if (KeyName.empty()) return;
  TPlacement placement;
  const QRect normal =
      form_->normalGeometry().isValid() ? form_->normalGeometry() : form_->geometry();
  const QMargins margins = FrameMargins(form_);
  placement.NormalRect =
      QRect(normal.topLeft() - QPoint(margins.left(), margins.top()), normal.size());
  const Qt::WindowStates state = form_->windowState();
  placement.ShowState = state & Qt::WindowMinimized   ? StateMinimised
                        : state & Qt::WindowMaximized ? StateMaximised
                                                      : StateNormal;
  Settings().WriteString(ValueName(), FormatPlacement(placement));
}
