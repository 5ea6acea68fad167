// Forms that callers open by a key register here with one line beside their code:
//
//   VELMORA_REGISTER_FORM(TFormEvCmd10230, TFormGroup::Command, 10230, LastTimerValues);
//
// The palettes and EditByCode find command dialogs by head code, the database window its
// pages by tab index, and the contract test builds every registered form. The optional
// names after the key are the process-wide values the form must leave alone unless it
// closes with OK (its last-used record); a form's own CallerData() method, when it has
// one, gives what its caller handed in, which Cancel must leave untouched too.
//
// A program finds the registrations of a library only when it links it whole (the
// CMake function velmora_link_forms).
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

enum class TFormGroup { Dialog, Command, DataBasePage };

// Records what a form's callers own when it is called; Unchanged tells whether it still
// holds that.
using TCallerDataCheck = std::function<bool()>;

struct TRegisteredForm {
  std::string ClassName; // "TFormDataMaxChange"; the form's objectName drops the "T"
  TFormGroup Group;
  int Key;
  std::function<std::unique_ptr<QWidget>(QWidget* owner)> Create;
  // Called on a created form before it is shown; returns the check, or none.
  std::function<TCallerDataCheck(QWidget* form)> RecordCallerData;
};

void RegisterForm(TRegisteredForm form);
// Every registered form in registration order.
const std::vector<TRegisteredForm>& RegisteredForms();
// The form of that group and key, or nothing.
const TRegisteredForm* FindRegisteredForm(TFormGroup group, int key);

// Creates the form of that group and key with Owner as owner; nothing when none is
// registered or it is not a Form.
template <class Form = QWidget>
std::unique_ptr<Form> CreateRegisteredForm(TFormGroup group, int key, QWidget* owner) {
  const TRegisteredForm* entry = FindRegisteredForm(group, key);
  if (!entry) return nullptr;
  std::unique_ptr<QWidget> form = entry->Create(owner);
  auto* typed = dynamic_cast<Form*>(form.get());
  if (!typed) return nullptr;
  form.release();
  return std::unique_ptr<Form>(typed);
}

// The values the pointers point to, as one comparable tuple.
template <class... T> auto ValuesOf(const std::tuple<T*...>& pointers) {
  return std::apply([](T*... p) { return std::make_tuple(*p...); }, pointers);
}

template <class Form> struct TFormRegistration {
  template <class... Globals>
  TFormRegistration(const char* className, TFormGroup group, int key, Globals&... globals) {
    const std::tuple<Globals*...> pointers(&globals...);
    RegisterForm(
        {className, group, key,
         [](QWidget* owner) -> std::unique_ptr<QWidget> { return std::make_unique<Form>(owner); },
         [pointers](QWidget* widget) -> TCallerDataCheck {
           auto* form = static_cast<Form*>(widget);
           auto before = ValuesOf(pointers);
           if constexpr (requires { form->CallerData() == form->CallerData(); }) {
             return [form, pointers, before, own = form->CallerData()] {
               return before == ValuesOf(pointers) && own == form->CallerData();
             };
           } else {
             return [pointers, before] { return before == ValuesOf(pointers); };
           }
         }});
  }
};

#define VELMORA_FORM_CONCAT_(a, b) a##b
#define VELMORA_FORM_CONCAT(a, b) VELMORA_FORM_CONCAT_(a, b)
#define VELMORA_REGISTER_FORM(Form, group, key, ...)                                               \
  static const TFormRegistration<Form> VELMORA_FORM_CONCAT(formRegistration, __LINE__)(            \
      #Form, group, key __VA_OPT__(, ) __VA_ARGS__)
