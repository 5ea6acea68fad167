// The hourglass: long operations of the data core mark themselves busy through a hook
// that the application installs (it shows the wait cursor); without one nothing happens.
#pragma once

using TBusyHook = void (*)(bool busy);

// Installs Hook for the whole process; nullptr removes it.
void SetBusyHook(TBusyHook hook);

// Busy for its lifetime. Nested scopes call the hook only at the outermost level, so the
// previous cursor comes back exactly once.
class TBusyCursor {
public:
  TBusyCursor();
  ~TBusyCursor();
  TBusyCursor(const TBusyCursor&) = delete;
  TBusyCursor& operator=(const TBusyCursor&) = delete;
};
