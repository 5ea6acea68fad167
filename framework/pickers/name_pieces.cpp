#include "framework/pickers/name_pieces.h"

#include <QLabel>
#include <QRadioButton>
#include <algorithm>

#include "core/database_names.h"
#include "core/database_tables.h"
#include "core/switch_records.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_switch.h"

QString SwitchBoxText(int id) {
  return ToQString(SwitchNameById(id));
}
QString VariableBoxText(int id) {
  return ToQString(VariableNameById(id));
}
int SwitchCount() {
  return std::max(1, SwitchList ? SwitchList->GetCount() : 0);
}
int VariableCount() {
  return std::max(1, VariableList ? VariableList->GetCount() : 0);
}

namespace {

template <class Picker> bool PickName(TFormXelCommon& form, const TField<int>& id) {
  if (!id.Present()) return false;
  // The picker opens on the id last confirmed in it during the run, not on the box's.
  Picker picker(form.FormWidget());
  const bool ok = OpenModal(picker);
  if (ok) id.Set(picker.SelectedId);
  if (picker.NamesChanged && form.OnDatabaseChanged) form.OnDatabaseChanged();
  return ok;
}

template <class Picker>
TDashBox* NameBox(TFormXelCommon& form, TFormBuilder& b, const char* name, TField<int> id,
                  QString (*text)(int)) {
  TDashBox* box = b.ValueBox(name, id, text);
  form.On(box, &TDashBox::Clicked, [&form, id, box] {
    if (PickName<Picker>(form, id)) form.ControlValueChosen(box);
    // Names applied in the picker show even when it was then cancelled.
    form.UpdateControls();
  });
  return box;
}

} // namespace

bool PickSwitch(TFormXelCommon& form, TField<int> id) {
  return PickName<TFormSelSwitch>(form, id);
}
bool PickVariable(TFormXelCommon& form, TField<int> id) {
  return PickName<TFormSelVariable>(form, id);
}

TDashBox* SwitchBox(TFormXelCommon& form, TFormBuilder& b, const char* name, TField<int> id) {
  return NameBox<TFormSelSwitch>(form, b, name, std::move(id), &SwitchBoxText);
}
TDashBox* VariableBox(TFormXelCommon& form, TFormBuilder& b, const char* name, TField<int> id,
                      QString (*text)(int)) {
  return NameBox<TFormSelVariable>(form, b, name, std::move(id), text);
}

TFixedOrVariableControls FixedOrVariableGroup(
    TFormXelCommon& form, TFormBuilder& b, const TFixedOrVariableNames& names, TFixedOrVariable& v,
    const std::function<std::vector<QWidget*>()>& fixedControls, std::function<bool()> enabled) {
  TFixedOrVariableControls made;
  b.Radios(&v.Kind, [&] {
    b.Grid(2, [&] {
      made.FixedRadio = b.Radio(names.FixedRadio, names.FixedCaption);
      made.Fixed = fixedControls();
      made.VariableRadio = b.Radio(names.VariableRadio, names.VariableCaption);
      if (!names.VariableLabel) {
        made.VariableBox = VariableBox(form, b, names.VariableBox, &v.Variable);
        return;
      }
      b.Row([&] {
        made.VariableLabel = b.Label(names.VariableLabel, names.VariableLabelCaption);
        made.VariableBox = VariableBox(form, b, names.VariableBox, &v.Variable);
      });
    });
  });
  std::vector<QWidget*> variable = {made.VariableBox};
  if (made.VariableLabel) variable.insert(variable.begin(), made.VariableLabel);
  if (!enabled) enabled = [] { return true; };
  form.EnableWhen(made.Fixed, [&v, enabled] { return enabled() && v.Kind == 0; });
  form.EnableWhen(variable, [&v, enabled] { return enabled() && v.Kind == 1; });
  return made;
}

TTargetControls TargetGroup(TFormXelCommon& form, TFormBuilder& b, const QString& caption,
                            TTargetValues& t, bool switches) {
  TTargetControls made;
  b.Group("GroupBox1", caption, [&] {
    b.Radios(&t.Mode, [&] {
      b.Grid(2, [&] {
        made.SingleRadio = b.Radio("RadioButton1", QStringLiteral("One"));
        made.Single = switches ? SwitchBox(form, b, "DashBox1", &t.Single)
                               : VariableBox(form, b, "DashBox1", &t.Single);
        made.RangeRadio = b.Radio("RadioButton2", QStringLiteral("Range"));
        b.Row([&] {
          // The range ends at the last entry of the database.
          const int count = switches ? SwitchCount() : VariableCount();
          made.From = b.DialEdit("DialEdit1", 1, count, &t.From);
          b.Label("Label1", QStringLiteral("To"));
          made.To = b.DialEdit("DialEdit2", 1, count, &t.To);
        });
        made.VariableRadio = b.Radio("RadioButton3", QStringLiteral("Variable"));
        made.Variable = VariableBox(form, b, "DashBox2", &t.Variable);
      });
    });
  });
  form.EnableWhen({made.Single}, [&t] { return t.Mode == 0; });
  form.EnableWhen({made.From, made.To}, [&t] { return t.Mode == 1; });
  form.EnableWhen({made.Variable}, [&t] { return t.Mode == 2; });
  return made;
}
