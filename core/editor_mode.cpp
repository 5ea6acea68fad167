#include "core/editor_mode.h"

#include <atomic>

namespace {
// Read also by the threads that load files while the editor starts.
std::atomic<int> g_applicationTag = 0;
} // namespace

int ApplicationTag() {
  return g_applicationTag;
}
void SetApplicationTag(int tag) {
  g_applicationTag = tag;
}
bool IsEditorMode() {
  return g_applicationTag == EditorModeTag;
}

TApplicationTagScope::TApplicationTagScope(int tag) : saved_(g_applicationTag.load()) {
  g_applicationTag = tag;
}
TApplicationTagScope::~TApplicationTagScope() {
  g_applicationTag = saved_;
}
