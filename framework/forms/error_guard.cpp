#include "framework/forms/error_guard.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>

#include "framework/controls/window_placement.h"

namespace {

// The control under the mouse as the author sees it: a combo box's inner edit is part
// of the combo box.
QWidget* ControlUnderMouse() {
  QWidget* widget = QApplication::widgetAt(QCursor::pos());
  if (widget && qobject_cast<QComboBox*>(widget->parentWidget())) return widget->parentWidget();
  return widget;
}

} // namespace

TXelApplication::TXelApplication(int& argc, char** argv,
                                 std::function<bool(const QWidget*)> isEditorForm)
    : QApplication(argc, argv), hooker_(new TCBTHooker(this)),
      isEditorForm_(std::move(isEditorForm)) {
  installEventFilter(hooker_);
}

bool TXelApplication::InsideEditorForm(const QWidget* widget) const {
  if (!isEditorForm_) return false;
  for (; widget; widget = widget->parentWidget())
    if (isEditorForm_(widget)) return true;
  return false;
}

TXelApplication::~TXelApplication() {
  removeEventFilter(hooker_);
}

bool TXelApplication::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::ContextMenu && receiver->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(receiver);
    if (InsideEditorForm(widget) && ControlUnderMouse() != widget) return true;
  }
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    QWidget* parent =
        receiver->isWidgetType() ? static_cast<QWidget*>(receiver)->window() : activeWindow();
    ShowCurrentException(parent);
    return false;
  }
}
