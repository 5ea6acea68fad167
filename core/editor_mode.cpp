#include "core/editor_mode.h"

namespace {
int g_applicationTag = 0;
}

int ApplicationTag() {
  return g_applicationTag;
}
void SetApplicationTag(int tag) {
  g_applicationTag = tag;
}
bool IsEditorMode() {
  return g_applicationTag == EditorModeTag;
}

TApplicationTagScope::TApplicationTagScope(int tag) : saved_(g_applicationTag) {
  g_applicationTag = tag;
}
TApplicationTagScope::~TApplicationTagScope() {
  g_applicationTag = saved_;
}
