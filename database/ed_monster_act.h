// The dialog of one action pattern of a monster: what the monster does, when, and which
// switches it turns on or off afterwards.
#pragma once

#include "core/monster_records.h"
#include "framework/forms/form_xel_base.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class TDashBox;
class TDialEdit;

class TFormEDMonsterAct : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDMonsterAct(QWidget* owner = nullptr);
  // Leaves the pattern's values as the next new pattern's.
  ~TFormEDMonsterAct() override;

  // Starts from the last dialog's values; the opener copies an existing pattern over it.
  TXelMonsterActItem Act{1};
  // Set when a switch picker renamed switches.
  bool DatabaseChanged = false;

  void FormShow() override;
  void ButtonOkClick() override;

protected:
  void UpdateOwnControls() override;
  void BoundValueChanged(QWidget* control) override;

private:
  // Labels, ranges and which controls the condition type shows.
  void RefreshConditionControls();
  // Stored ids that the enabled subject list does not hold come back as its first line.
  void RefreshSubjectControls();

  QRadioButton* Radios[3] = {};
  QComboBox* Subjects[3] = {};
  QComboBox* ComboBox4 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  TDialEdit* DialEdit1 = nullptr;
  TDialEdit* DialEdit2 = nullptr;
  TDashBox* DashBox3 = nullptr;
};
