#include "framework/forms/form_registry.h"

namespace {

// Filled while the program's static objects are made, before anything reads it.
std::vector<TRegisteredForm>& Registry() {
  static std::vector<TRegisteredForm> forms;
  return forms;
}

} // namespace

void RegisterForm(TRegisteredForm form) {
  Registry().push_back(std::move(form));
}

const std::vector<TRegisteredForm>& RegisteredForms() {
  return Registry();
}

const TRegisteredForm* FindRegisteredForm(TFormGroup group, int key) {
  for (const TRegisteredForm& form : Registry())
    if (form.Group == group && form.Key == key) return &form;
  return nullptr;
}
