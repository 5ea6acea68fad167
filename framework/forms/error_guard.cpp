#include "framework/forms/error_guard.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <exception>
#include <new>

#include "core/messages.h"
#include "framework/controls/framework_messages.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_xel_base.h"

namespace {

std::function<void()> outOfMemoryHandler;

QString CurrentExceptionText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return QString::fromLatin1(SOutOfMemory);
  } catch (const std::exception& e) {
    return ToQString(e.what());
  } catch (...) {
    return QString::fromLatin1(SUnknownError);
  }
}

bool InsideEditorForm(const QWidget* widget) {
  for (; widget; widget = widget->parentWidget())
    if (dynamic_cast<const TFormXelCommon*>(widget)) return true;
  return false;
}

// The control under the mouse as the author sees it: a combo box's inner edit is part
// of the combo box.
QWidget* ControlUnderMouse() {
  QWidget* widget = QApplication::widgetAt(QCursor::pos());
  if (widget && qobject_cast<QComboBox*>(widget->parentWidget())) return widget->parentWidget();
  return widget;
}

} // namespace

void SetOutOfMemoryHandler(std::function<void()> handler) {
  outOfMemoryHandler = std::move(handler);
}

void ShowCurrentException(QWidget* parent) noexcept {
  try {
    bool outOfMemory = false;
    try {
      throw;
    } catch (const std::bad_alloc&) {
      outOfMemory = true;
    } catch (...) {
    }
    if (outOfMemory && outOfMemoryHandler) {
      ShowErrorBox(QString::fromLatin1(SShortOfMemory), parent);
      outOfMemoryHandler();
      return;
    }
    ShowErrorBox(CurrentExceptionText(), parent);
  } catch (...) {
    // Nothing is left to report with when the error box itself fails.
  }
}

TXelApplication::TXelApplication(int& argc, char** argv)
    : QApplication(argc, argv), hooker_(new TCBTHooker(this)) {
  installEventFilter(hooker_);
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
