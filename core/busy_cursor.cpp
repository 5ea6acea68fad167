#include "core/busy_cursor.h"

namespace {
TBusyHook g_hook = nullptr;
int g_depth = 0;
} // namespace

void SetBusyHook(TBusyHook hook) {
  g_hook = hook;
}

TBusyCursor::TBusyCursor() {
  if (g_depth++ == 0 && g_hook) g_hook(true);
}

TBusyCursor::~TBusyCursor() {
  if (--g_depth == 0 && g_hook) g_hook(false);
}
