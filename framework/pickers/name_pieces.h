// The value boxes of switches and variables with their pickers, and the groups built
// from them (a fixed-or-variable value, the target of the switch and variable commands),
// shared by every page and dialog. They bind to a TField<int> on any form; a picker that
// renamed entries or changed their number calls the form's OnDatabaseChanged.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "framework/forms/form_binding.h"

class QLabel;
class QRadioButton;
class QWidget;
class TDashBox;
class TDialEdit;
class TFormBuilder;
class TFormXelCommon;

// "%.4d:%s" of a switch or variable, "?" when it does not exist: the value boxes' text.
QString SwitchBoxText(int id);
QString VariableBoxText(int id);
// The number of switches or variables, at least 1: the range maximum.
int SwitchCount();
int VariableCount();

// Opens the picker through the modal opener, on the id last confirmed in it during the run
// (not on Id); on OK Id takes the choice and true comes back.
bool PickSwitch(TFormXelCommon& form, TField<int> id);
bool PickVariable(TFormXelCommon& form, TField<int> id);

// A value box showing a switch or variable (Text of its id); a click opens its picker. A
// choice made there reaches the form as a change of the box.
TDashBox* SwitchBox(TFormXelCommon& form, TFormBuilder& b, const char* name, TField<int> id);
TDashBox* VariableBox(TFormXelCommon& form, TFormBuilder& b, const char* name, TField<int> id,
                      QString (*text)(int) = &VariableBoxText);

// A value taken either from a constant or from a variable: Kind 0 fixed, 1 variable.
// Each kind keeps its own slot, so switching back shows the value it had.
struct TFixedOrVariable {
  int Kind = 0;
  int Fixed = 1;
  int Variable = 1;
  // The value of a kind this editor does not know, written back as read.
  int Unknown = 0;
  bool operator==(const TFixedOrVariable&) const = default;
};

// The radio pair of a fixed-or-variable value: FixedRadio with the controls FixedControls
// declares, VariableRadio with a variable box. Only the chosen kind's controls are
// enabled, and only while Enabled holds.
struct TFixedOrVariableNames {
  const char* FixedRadio;
  QString FixedCaption;
  const char* VariableRadio;
  QString VariableCaption;
  const char* VariableBox;
  // A label before the variable box, enabled with it; none when not named.
  const char* VariableLabel = nullptr;
  QString VariableLabelCaption = {};
};
struct TFixedOrVariableControls {
  QRadioButton* FixedRadio = nullptr;
  std::vector<QWidget*> Fixed;
  QRadioButton* VariableRadio = nullptr;
  QLabel* VariableLabel = nullptr;
  TDashBox* VariableBox = nullptr;
};
TFixedOrVariableControls
FixedOrVariableGroup(TFormXelCommon& form, TFormBuilder& b, const TFixedOrVariableNames& names,
                     TFixedOrVariable& v,
                     const std::function<std::vector<QWidget*>()>& fixedControls,
                     std::function<bool()> enabled = {});

// The target of the switch and variable commands: Mode 0 one, 1 a range, 2 the id held
// in a variable.
struct TTargetValues {
  int Mode = 0;
  int Single = 1;
  int From = 1;
  int To = 1;
  int Variable = 1;
  bool operator==(const TTargetValues&) const = default;
};
struct TTargetControls {
  QRadioButton* SingleRadio = nullptr;
  TDashBox* Single = nullptr;
  QRadioButton* RangeRadio = nullptr;
  TDialEdit* From = nullptr;
  TDialEdit* To = nullptr;
  QRadioButton* VariableRadio = nullptr;
  TDashBox* Variable = nullptr;
};
// The "One" / "Range" / "Variable" group over switches (Switches) or variables.
TTargetControls TargetGroup(TFormXelCommon& form, TFormBuilder& b, const QString& caption,
                            TTargetValues& t, bool switches);
