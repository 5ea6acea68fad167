#include "framework/forms/modal_opener.h"

#include <utility>

#include "framework/forms/form_xel_base.h"

namespace {

TModalOpener& Installed() {
  static TModalOpener opener;
  return opener;
}

} // namespace

bool OpenModal(TFormXelBase& form) {
  return OpenModal(form, [&form] { return form.Execute(); });
}

bool OpenModal(TFormXelBase& form, const std::function<bool()>& show) {
  const TModalOpener& opener = Installed();
  return opener ? opener(form, show) : show();
}

TScopedModalOpener::TScopedModalOpener(TModalOpener opener)
    : previous_(std::exchange(Installed(), std::move(opener))) {}

TScopedModalOpener::~TScopedModalOpener() {
  Installed() = std::move(previous_);
}
