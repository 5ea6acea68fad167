#include "framework/forms/modal_opener.h"

#include <utility>

namespace {

TModalOpener& Installed() {
  static TModalOpener opener;
  return opener;
}

// The form the opener is answering for now.
TFormXelBase*& Answering() {
  static TFormXelBase* form = nullptr;
  return form;
}

} // namespace

bool RunModal(TFormXelBase& form, const std::function<bool()>& show) {
  const TModalOpener& opener = Installed();
  if (!opener || Answering() == &form) return show();
  struct TRestore {
    TFormXelBase* previous;
    ~TRestore() { Answering() = previous; }
  } restore{std::exchange(Answering(), &form)};
  return opener(form, show);
}

bool OpenModal(TFormXelBase& form, const std::function<bool()>& show) {
  return RunModal(form, show);
}

TScopedModalOpener::TScopedModalOpener(TModalOpener opener)
    : previous_(std::exchange(Installed(), std::move(opener))) {}

TScopedModalOpener::~TScopedModalOpener() {
  Installed() = std::move(previous_);
}
