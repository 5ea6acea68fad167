// Binding a control to a field: where its value lives (TField), and the link between the
// two that the form fills and reads (TBinding). The form builder makes both; a form
// binds a control of its own with AddBinding.
//
// A field is a plain pointer to a member of the form's values struct (&v.Count), or,
// for a page whose bound entry changes, the entry pointer and a pointer to member
// (Field(&CurrentEntry, &TXelItem::Price)), read through the entry pointer each time.
#pragma once

#include <QString>
#include <QWidget>
#include <concepts>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

// What a field of type T can hold for a control that works with V: integers of any
// width for int, bool or integers for bool, the same type for texts.
template <class T, class V>
concept TStorableAs = (std::same_as<V, int> && std::integral<T> && !std::same_as<T, bool>) ||
                      (std::same_as<V, bool> && std::integral<T>) ||
                      (std::same_as<V, std::string> && std::same_as<T, std::string>) ||
                      (std::same_as<V, QString> && std::same_as<T, QString>);

// The member Member of the object that *Holder points to when it is used.
template <class Object, class T> struct TMemberField {
  Object* const* Holder;
  T Object::*Member;
};

template <class Object, class T>
TMemberField<Object, T> Field(Object* const* holder, T Object::*member) {
  return {holder, member};
}

template <class V> class TField {
public:
  template <class T>
  requires TStorableAs<T, V>
  TField(T* field) // NOLINT: a pointer to a field is the usual way to name one
      : get_([field] { return static_cast<V>(*field); }),
        set_([field](const V& value) { *field = static_cast<T>(value); }) {}

  template <class Object, class T>
  requires TStorableAs<T, V> TField(TMemberField<Object, T> ref) // NOLINT
      : get_([ref] { return static_cast<V>((*ref.Holder)->*ref.Member); }),
        set_([ref](const V& value) { (*ref.Holder)->*ref.Member = static_cast<T>(value); }),
        present_([ref] { return *ref.Holder != nullptr; }) {}

  // A field reached through an entry pointer is absent while that pointer is null.
  bool Present() const { return !present_ || present_(); }
  V Get() const { return get_(); }
  void Set(const V& value) const { set_(value); }

private:
  std::function<V()> get_;
  std::function<void(const V&)> set_;
  std::function<bool()> present_;
};

// One bound control: Fill shows the field, Read stores the control's value in it.
class TBinding {
public:
  TBinding(QWidget* control, std::function<void()> fill, std::function<void()> read)
      : control_(control), fill_(std::move(fill)), read_(std::move(read)) {}

  QWidget* Control() const { return control_; }
  void Fill() const { fill_(); }
  void Read() const { read_(); }

private:
  QWidget* control_;
  std::function<void()> fill_;
  std::function<void()> read_;
};

// A binding of Control to Field through the two conversions: Show(control, value) and
// Value(control) -> V. Nothing happens while the field is absent.
template <class V, class Control, class Show, class Value>
std::unique_ptr<TBinding> MakeBinding(Control* control, TField<V> field, Show show, Value value) {
  return std::make_unique<TBinding>(
      control,
      [control, field, show] {
        if (field.Present()) show(control, field.Get());
      },
      [control, field, value] {
        if (field.Present()) field.Set(value(control));
      });
}
