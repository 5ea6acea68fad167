// Builds a form's controls in code (docs/forms.md): each control is declared with its
// name, caption and range in one line, placed in the current row, column, grid, group or
// tab page, and gets its objectName. Containers take the code of their content, so
// nesting cannot go wrong. A control given a field is bound to it: it shows the field,
// and every change by the author goes into the field (not while the form is Updating).
//
//   TFormBuilder b(this, "FormDataMaxChange", "Data Maximum (30,000)", 217, 73);
//   b.Row([&] {
//     b.Group("GroupBox1", "Max Data Num.",
//             [&] { b.DialEdit("DialEdit1", -10, 30000, &v.Count); });
//     b.ButtonColumn(false);
//   });
#pragma once

#include <QBoxLayout>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/forms/form_binding.h"
#include "framework/forms/form_xel_base.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TDashBox;
class TDialEdit;
class TFixedMemo;
class TFormXelCommon;
class TOverEdit;
class TSlider;

// The client size a form was declared with (the builder's arguments); invalid for a
// widget the builder did not make.
QSize DesignClientSize(const QWidget* form);

// The standard buttons a builder made; Help is none when it was not asked for.
struct TStandardButtons {
  QPushButton* Ok = nullptr;
  QPushButton* Cancel = nullptr;
  QPushButton* Help = nullptr;
};

class TFormBuilder {
public:
  using TContent = std::function<void()>;

  // Names and captions the form; the controls go into a column filling the form. The
  // given client size is the initial size; the layout still grows the form when the
  // texts need more room.
  TFormBuilder(QWidget* form, const char* name, const QString& caption, int clientWidth,
               int clientHeight);

  // Containers: Content declares what goes inside.
  void Row(const TContent& content);
  void Column(const TContent& content);
  // Controls in Columns columns, filled row by row: label/control pairs with 2.
  void Grid(int columns, const TContent& content);
  QGroupBox* Group(const char* name, const QString& caption, const TContent& content);
  // A tab control whose content is its Tab pages.
  QTabWidget* Tabs(const char* name, const TContent& content);
  QWidget* Tab(const char* name, const QString& caption, const TContent& content);
  // Pushes the following controls of the current row or column to its far end.
  void Stretch();

  QLabel* Label(const char* name, const QString& caption);
  QPushButton* Button(const char* name, const QString& caption);
  TDialEdit* DialEdit(const char* name, int minValue, int maxValue, TField<int> value);
  QCheckBox* CheckBox(const char* name, const QString& caption, TField<bool> checked);
  // Radio buttons bound to one field hold the index of the checked one: Radios groups
  // the Radio buttons declared in Content (anywhere inside it, among other controls);
  // each takes the next index from 0 on. No button is checked for an index of none.
  void Radios(TField<int> index, const TContent& content);
  QRadioButton* Radio(const char* name, const QString& caption);
  // A button whose Tag (the field's value while it is checked) is given, not the next.
  QRadioButton* Radio(const char* name, const QString& caption, int tag);
  // A framed group of radio buttons named Name_0, Name_1 ... in Columns columns.
  QGroupBox* RadioGroup(const char* name, const QString& caption, const QStringList& items,
                        TField<int> index, int columns = 1);
  QComboBox* ComboBox(const char* name, const QStringList& items, TField<int> index);
  QListWidget* ListBox(const char* name, const QStringList& items, TField<int> index);
  TSlider* Slider(const char* name, int minValue, int maxValue, TField<int> position);
  // Texts: code-page bytes (std::string) or Qt texts (QString, e.g. file names).
  TOverEdit* Edit(const char* name, TField<std::string> text, int maxLength = 0);
  TOverEdit* Edit(const char* name, TField<QString> text, int maxLength = 0);
  TFixedMemo* Memo(const char* name, TField<std::string> text);
  // The value box with its picker button: it shows Text(id); the form's handler of its
  // Clicked opens the picker, stores the result in the field and calls UpdateControls.
  TDashBox* ValueBox(const char* name, TField<int> id, std::function<QString(int)> text);
  TDashBox* ValueBox(const char* name, TField<std::string> text);
  TDashBox* ValueBox(const char* name, TField<QString> text);

  // The standard buttons: "&Ok" (the default button; it runs the form's ButtonOkClick),
  // "Cancel" (Escape and the title-bar close press it; it closes with mrCancel), "&Help"
  // (F1 presses it; it opens the form's help context).
  QPushButton* OkButton();
  QPushButton* CancelButton();
  QPushButton* HelpButton();
  // OK, Cancel and, with WithHelp, Help in the current container.
  TStandardButtons StandardButtons(bool withHelp = true);
  // The standard buttons in a column of their own, at its top: the right-hand column of
  // most dialogs.
  TStandardButtons ButtonColumn(bool withHelp = true);

  // Any other control: created inside the current container, named and placed.
  template <class Control, class... Args> Control* Add(const char* name, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., Container());
    PlaceControl(control, name);
    return control;
  }
  // Binds a control made with Add: Show(control, value) shows the field, Value(control)
  // gives the control's value, and the control's Changed signal stores it.
  template <class V, class Control, class Signal, class Show, class Value>
  Control* Bind(Control* control, Signal changed, TField<V> field, Show show, Value value) {
    Connect(control, changed, MakeBinding(control, std::move(field), show, value));
    return control;
  }

private:
  struct TLevel {
    QLayout* layout;
    QWidget* container;
    QTabWidget* tabs = nullptr;
    int gridColumns = 0;
    int placed = 0;
  };

  QWidget* Container() const { return levels_.back().container; }
  void Place(QWidget* control, const char* name);
  // Place for a control without content of its own.
  void PlaceControl(QWidget* control, const char* name);
  void Nest(TLevel level, const TContent& content);
  TFormXelCommon& Form() const;
  template <class V, class Text> TDashBox* ShowInBox(TDashBox* box, TField<V> field, Text text);
  // Adds the binding to the form and stores the control's value on every Changed.
  template <class Control, class Signal>
  void Connect(Control* control, Signal changed, std::unique_ptr<TBinding> binding);

  QWidget* form_;
  std::vector<TLevel> levels_;
  QButtonGroup* radios_ = nullptr;
};

template <class Control, class Signal>
void TFormBuilder::Connect(Control* control, Signal changed, std::unique_ptr<TBinding> binding) {
  TFormXelCommon& form = Form();
  TBinding& added = form.AddBinding(std::move(binding));
  QObject::connect(control, changed, form.Connections(),
                   [&form, &added] { form.TakeControlValue(added); });
}
