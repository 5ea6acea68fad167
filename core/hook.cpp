#include "core/hook.h"

#include <algorithm>

namespace {

// Made on first use, so hooks that are globals of any unit may list themselves.
std::vector<const THookBase*>& Hooks() {
  static std::vector<const THookBase*> hooks;
  return hooks;
}

} // namespace

THookBase::THookBase(const char* name) : name_(name) {
  Hooks().push_back(this);
}

THookBase::~THookBase() {
  std::vector<const THookBase*>& hooks = Hooks();
  hooks.erase(std::remove(hooks.begin(), hooks.end(), this), hooks.end());
}

std::vector<const THookBase*> DeclaredHooks() {
  return Hooks();
}
