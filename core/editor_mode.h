// The process-wide application tag. The main window sets it to 666 ("editor mode"):
// while it holds that value the shared data code is lenient (checked list accessors
// return nothing, file loads keep what they read) instead of raising.
#pragma once

inline constexpr int EditorModeTag = 666;

int ApplicationTag();
void SetApplicationTag(int tag);
bool IsEditorMode();

// Sets the tag for a scope and restores the previous one; for tests and tools.
class TApplicationTagScope {
public:
  explicit TApplicationTagScope(int tag);
  ~TApplicationTagScope();
  TApplicationTagScope(const TApplicationTagScope&) = delete;
  TApplicationTagScope& operator=(const TApplicationTagScope&) = delete;

private:
  int saved_;
};
