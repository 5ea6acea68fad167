#include "framework/controls/handler_guard.h"

#include <exception>
#include <new>

#include "core/messages.h"
#include "framework/controls/framework_messages.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"

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
