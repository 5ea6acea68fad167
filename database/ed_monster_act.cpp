#include "database/ed_monster_act.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <algorithm>
#include <iterator>

#include "core/monster_page.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/message_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/name_pieces.h"

VELMORA_REGISTER_FORM(TFormEDMonsterAct, TFormGroup::Dialog, 0);

namespace {

// The values the next new pattern starts from: those of the last dialog, for the run.
TXelMonsterActItem& LastAct() {
  static TXelMonsterActItem last(1);
  return last;
}

constexpr const char* SIllegalActionRange = "Illegal range of value of behavior condition";

} // namespace

TFormEDMonsterAct::TFormEDMonsterAct(QWidget* owner) : TFormXelBase(owner) {
  Act.Assign(LastAct());
  TFormBuilder b(this, "FormEDMonsterAct", "Actions Pattern", 420, 330);
  b.Group("GroupBox1", "Subject", [&] {
    b.Radios(&Act.Kind, [&] {
      b.Grid(2, [&] {
        Radios[0] = b.Radio("RadioButton1", "Behavior");
        QStringList behaviors;
        for (const char* name : ActionBehaviors)
          behaviors << QString::fromLatin1(name);
        Subjects[0] = b.ComboBox("ComboBox1", behaviors, &Act.Behavior);
        Radios[1] = b.Radio("RadioButton2", "Skills");
        Subjects[1] = CatalogCombo(b, "ComboBox2", SkillModel(), &Act.SkillId);
        Radios[2] = b.Radio("RadioButton3", "Transform.");
        Subjects[2] = CatalogCombo(b, "ComboBox3", MonsterModel(), &Act.TransformId);
      });
    });
  });
  b.Group("GroupBox2", "Action Conditions", [&] {
    b.Row([&] {
      b.Label("Label3", "Type");
      QStringList types;
      for (int type = 0; type < ActionConditionTypeCount; ++type)
        types << QString::fromLatin1(ActionConditionType(type).Name);
      ComboBox4 = b.ComboBox("ComboBox4", types, &Act.ConditionType);
      b.Stretch();
    });
    GroupBox3 = b.Group("GroupBox3", QString(), [&] {
      b.Row([&] {
        DialEdit1 = b.DialEdit("DialEdit1", 0, 100, &Act.ConditionMin);
        Label1 = b.Label("Label1", QStringLiteral("More than or Equal to"));
        DialEdit2 = b.DialEdit("DialEdit2", 0, 100, &Act.ConditionMax);
        Label2 = b.Label("Label2", QStringLiteral("Less than or Equal to"));
        DashBox3 = SwitchBox(*this, b, "DashBox3", &Act.ConditionSwitchId);
        b.Stretch();
      });
    });
  });
  TDashBox* onBox = nullptr;
  TDashBox* offBox = nullptr;
  b.Row([&] {
    b.Group("GroupBox4", "Turn Switch ON", [&] {
      b.CheckBox("CheckBox1", " ON", &Act.TurnSwitchOn);
      onBox = SwitchBox(*this, b, "DashBox1", &Act.OnSwitchId);
    });
    b.Group("GroupBox5", "Turn Switch OFF", [&] {
      b.CheckBox("CheckBox2", " OFF", &Act.TurnSwitchOff);
      offBox = SwitchBox(*this, b, "DashBox2", &Act.OffSwitchId);
    });
  });
  b.Row([&] {
    b.Group("GroupBox6", "Priority", [&] { b.DialEdit("DialEdit3", 1, 100, &Act.Priority); });
    b.Stretch();
    b.StandardButtons(false);
  });
  for (int kind = 0; kind < 3; ++kind)
    EnableWhen({Subjects[kind]}, [this, kind] { return Act.Kind == kind; });
  EnableWhen({onBox}, [this] { return Act.TurnSwitchOn != 0; });
  EnableWhen({offBox}, [this] { return Act.TurnSwitchOff != 0; });
  OnDatabaseChanged = [this] { DatabaseChanged = true; };
  // Only the condition's own controls take room, from the first layout on: a window
  // grown for all of them would not shrink back when they hide.
  RefreshConditionControls();
}

TFormEDMonsterAct::~TFormEDMonsterAct() {
  LastAct().Assign(Act);
}

void TFormEDMonsterAct::FormShow() {
  RefreshConditionControls();
  RefreshSubjectControls();
  UpdateControls();
  // Typing belongs in the subject list that is in use.
  if (Act.Kind < 3) Subjects[Act.Kind]->setFocus();
}

void TFormEDMonsterAct::RefreshConditionControls() {
  const TActionConditionType& type = ActionConditionType(Act.ConditionType);
  GroupBox3->setTitle(Act.ConditionType == 0 ? QString() : QString::fromLatin1(type.Name));
  Label1->setVisible(type.Label1 != nullptr);
  Label1->setText(type.Label1 ? QString::fromLatin1(type.Label1) : QString());
  Label2->setVisible(type.Label2 != nullptr);
  Label2->setText(type.Label2 ? QString::fromLatin1(type.Label2) : QString());
  for (TDialEdit* edit : {DialEdit1, DialEdit2}) {
    edit->setVisible(type.Values);
    if (!type.Values) continue;
    TUpdatingScope updating(*this);
    edit->SetMinValue(type.Min);
    edit->SetMaxValue(type.Max);
  }
  DashBox3->setVisible(type.Switch);
}

void TFormEDMonsterAct::RefreshSubjectControls() {
  if (Act.Kind == 0 && Act.Behavior >= ActionBehaviorCount) Act.Behavior = 0;
}

void TFormEDMonsterAct::UpdateOwnControls() {
  RefreshConditionControls();
}

void TFormEDMonsterAct::BoundValueChanged(QWidget* control) {
  if (control == ComboBox4) {
    // Another type starts from its own range.
    Act.ConditionMin = ActionConditionDefaultA(Act.ConditionType);
    Act.ConditionMax = ActionConditionDefaultB(Act.ConditionType);
    RefreshConditionControls();
    UpdateControls();
  } else if (std::find(std::begin(Radios), std::end(Radios), control) != std::end(Radios)) {
    RefreshSubjectControls();
    UpdateControls();
  }
}

void TFormEDMonsterAct::ButtonOkClick() {
  if (!ActionConditionLegal(Act.ConditionType, Act.ConditionMin, Act.ConditionMax)) {
    ShowErrorBox(QString::fromLatin1(SIllegalActionRange), this);
    return;
  }
  done(mrOk);
}
