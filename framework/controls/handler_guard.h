// Exceptions never unwind through Qt. Every slot, event handler and timer tick that can
// throw runs its body inside GuardHandler, which shows the error box and carries on.
#pragma once

#include <functional>

class QWidget;

// Shows the exception being handled in the error box. Call it only inside a catch block.
// A failed allocation, once a handler is installed, shows "It is short of memory" and
// then calls the handler, which ends the run in order.
void ShowCurrentException(QWidget* parent) noexcept;
// Installs the handler (an empty one removes it).
void SetOutOfMemoryHandler(std::function<void()> handler);

// Runs body; an exception from it is shown in the error box over parent.
template <class Body> void GuardHandler(QWidget* parent, Body&& body) noexcept {
  try {
    body();
  } catch (...) {
    ShowCurrentException(parent);
  }
}
