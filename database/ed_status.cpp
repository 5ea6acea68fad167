// The "Conditions" page. Condition 1 is the game's own: most of its controls are disabled.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <string>
#include <vector>

#include "core/attribute_records.h"
#include "core/clipboard_formats.h"
#include "core/condition_page.h"
#include "core/database_tables.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "core/system_records.h"
#include "database/database_page.h"
#include "database/page_pictures.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/list_boxes.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"

namespace {

// The page holds many controls: its rows and groups sit closer than a dialog's.
void CompactLayouts(QWidget* page) {
  page->layout()->setContentsMargins(4, 4, 4, 4);
  for (QLayout* layout : page->findChildren<QLayout*>()) {
    layout->setSpacing(2);
    if (qobject_cast<QGroupBox*>(layout->parentWidget())) layout->setContentsMargins(6, 2, 6, 4);
  }
}

TListPosition StatusPosition;

const TListPageKind StatusPage{[]() -> TCatalog* { return StatusList; }, ConditionModel,
                               cfCondition, &StatusPosition};

using TItem = TXelStatusItem;

class TFormEDStatus : public TFormDataBasePage<TItem> {
public:
  explicit TFormEDStatus(QWidget* parent) : TFormDataBasePage(parent, 8, StatusPage) {
    TFormBuilder b(this, "FormEDStatus", "Conditions", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Conditions", 130);
      b.Column([&] { BuildFirstColumn(b); });
      b.Column([&] { BuildSecondColumn(b); });
      b.Column([&] { BuildThirdColumn(b); });
    });
    CompactLayouts(this);
    FillColors();
    // The rules of the special condition and of the kind and check boxes; what does not
    // apply is greyed and still shows its value.
    GreyWhen(common_, [this] { return Enabling().Common; });
    GreyWhen(skillRate_, [this] { return Enabling().SkillRate; });
    GreyWhen(magicRate_, [this] { return Enabling().MagicRate; });
    GreyWhen(mapDecrease_, [this] { return Enabling().MapDecrease; });
    Start();
  }

private:
  TConditionEnabling Enabling() const {
    if (!CurrentEntry) return {};
    return ConditionEnabling(CurrentEntry->Id == 1, CurrentEntry->Kind,
                             CurrentEntry->BlockSkills != 0, CurrentEntry->BlockMagic != 0);
  }

  TDialEdit* Dial(TFormBuilder& b, const char* name, int maxValue, int32_t TItem::*member) {
    return b.DialEdit(name, 0, maxValue, Field(&CurrentEntry, member));
  }

  void BuildFirstColumn(TFormBuilder& b) {
    b.Label("Label1", "Name");
    b.Edit("OverEdit1", Field(&CurrentEntry, &TItem::Name), 8);
    b.Label("Label2", "Classification");
    b.ComboBox("ComboBox1", {"Combat Effect", "Movement Effect"},
               Field(&CurrentEntry, &TItem::Kind));
    b.Label("Label3", "Color");
    ColorPicker1 = b.Add<TColorPicker>("ColorPicker1");
    b.Bind(
        ColorPicker1, &QComboBox::currentIndexChanged,
        TField<int>(Field(&CurrentEntry, &TItem::Color)),
        [](TColorPicker* c, int v) { c->setCurrentIndex(v); },
        [](TColorPicker* c) { return c->currentIndex(); });
    common_.push_back(b.Group("GroupBox1", "Priority", [&] {
      common_.push_back(Dial(b, "DialEdit1", 100, &TItem::Priority));
    }));
    common_.push_back(b.Group("GroupBox2", "Action Limitation", [&] {
      common_.push_back(
          b.ComboBox("ComboBox2",
                     {"Restriction", "Inside Battle", "Common Enemy Attack", "Common Ally Attack"},
                     Field(&CurrentEntry, &TItem::Restriction)));
    }));
    b.Group("GroupBox3", "Effect Chance", [&] {
      int32_t TItem::*const chances[] = {&TItem::ChanceA, &TItem::ChanceB, &TItem::ChanceC,
                                         &TItem::ChanceD, &TItem::ChanceE};
      const char* const edits[] = {"DialEdit2", "DialEdit3", "DialEdit4", "DialEdit5", "DialEdit6"};
      const char* const units[] = {"Label4", "Label5", "Label6", "Label7", "Label8"};
      b.Grid(3, [&] {
        for (int k = 0; k < RankCount; ++k) {
          RankImage(b, k, RankImageNames[k]);
          Dial(b, edits[k], 100, chances[k]);
          b.Label(units[k], "%");
        }
      });
    });
    b.Stretch();
  }

  void BuildSecondColumn(TFormBuilder& b) {
    common_.push_back(b.Group("GroupBox4", "Natural healing", [&] {
      b.Row([&] {
        common_.push_back(b.Label("Label9", "After"));
        common_.push_back(Dial(b, "DialEdit7", 999, &TItem::HealTurns));
        common_.push_back(b.Label("Label10", "turns,"));
      });
      b.Row([&] {
        common_.push_back(Dial(b, "DialEdit8", 100, &TItem::HealChance));
        common_.push_back(b.Label("Label11", "% Heal Probability"));
      });
    }));
    common_.push_back(b.Group("GroupBox5", "Healing by the shock", [&] {
      common_.push_back(b.Label("Label12", "When attacked physically"));
      b.Row([&] {
        common_.push_back(Dial(b, "DialEdit9", 100, &TItem::ShockHealChance));
        common_.push_back(b.Label("Label13", "% Heal Probability"));
      });
    }));
    common_.push_back(b.Group("GroupBox6", "Abilitys Half Cost", [&] {
      uint8_t TItem::*const halves[] = {&TItem::HalveAttack, &TItem::HalveDefense,
                                        &TItem::HalveMind, &TItem::HalveAgility};
      const char* const names[] = {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4"};
      const char* const captions[] = {"Attack", "Defense", "Mind", "Agility"};
      b.Grid(2, [&] {
        for (int k = 0; k < 4; ++k)
          common_.push_back(b.CheckBox(names[k], captions[k], Field(&CurrentEntry, halves[k])));
      });
    }));
    common_.push_back(b.Group("GroupBox7", "Hit rate change", [&] {
      b.Row([&] {
        common_.push_back(Dial(b, "DialEdit20", 100, &TItem::HitRate));
        common_.push_back(b.Label("Label14", "%"));
        b.Stretch();
      });
    }));
    common_.push_back(b.Group("GroupBox8", "Cant use Special Skill ever", [&] {
      common_.push_back(
          b.CheckBox("CheckBox6", "Hit Chance", Field(&CurrentEntry, &TItem::BlockSkills)));
      b.Row([&] {
        skillRate_.push_back(b.Label("Label15", "Above Special Skill"));
        skillRate_.push_back(Dial(b, "DialEdit10", 999, &TItem::BlockSkillRate));
      });
      common_.push_back(
          b.CheckBox("CheckBox7", "Mind Chance", Field(&CurrentEntry, &TItem::BlockMagic)));
      b.Row([&] {
        magicRate_.push_back(b.Label("Label16", "Above Special Skill"));
        magicRate_.push_back(Dial(b, "DialEdit11", 999, &TItem::BlockMagicRate));
      });
    }));
    b.Stretch();
  }

  // A message edit with its caption above it and the "( CharaName )" panel in front.
  void Message(TFormBuilder& b, const char* label, const char* caption, const char* panel,
               const char* edit, std::string TItem::*member, bool common) {
    QLabel* title = b.Label(label, caption);
    title->setWordWrap(true);
    b.Row([&] {
      QLabel* name = b.Label(panel, "( CharaName )");
      QWidget* text = b.Edit(edit, Field(&CurrentEntry, member), 30);
      if (common) common_.insert(common_.end(), {title, name, text});
    });
  }

  // One decrease group: its battle-turn row and its map-movement row.
  void Decrease(TFormBuilder& b, const char* group, const char* caption, int first, int label,
                int32_t TItem::*turnPercent, int32_t TItem::*turnPoints, int32_t TItem::*stepCount,
                int32_t TItem::*stepPoints) {
    const auto name = [](const char* kind, int n) { return kind + std::to_string(n); };
    common_.push_back(b.Group(group, caption, [&] {
      b.Grid(5, [&] {
        common_.push_back(b.Label(name("Label", label).c_str(), "Max"));
        common_.push_back(Dial(b, name("DialEdit", first).c_str(), 100, turnPercent));
        common_.push_back(b.Label(name("Label", label + 1).c_str(), "% +"));
        common_.push_back(Dial(b, name("DialEdit", first + 1).c_str(), 999, turnPoints));
        common_.push_back(b.Label(name("Label", label + 2).c_str(), "P"));
        QLabel* every = b.Label(name("Label", label + 3).c_str(), "Every Step");
        // Two lines, so that the group fits the column.
        every->setWordWrap(true);
        every->setMaximumWidth(every->fontMetrics().horizontalAdvance("Every ") + 4);
        mapDecrease_.push_back(every);
        mapDecrease_.push_back(Dial(b, name("DialEdit", first + 2).c_str(), 100, stepCount));
        mapDecrease_.push_back(b.Label(name("Label", label + 4).c_str(), ""));
        mapDecrease_.push_back(Dial(b, name("DialEdit", first + 3).c_str(), 999, stepPoints));
        mapDecrease_.push_back(b.Label(name("Label", label + 5).c_str(), "P"));
      });
    }));
  }

  void BuildThirdColumn(TFormBuilder& b) {
    Message(b, "Label17", "Ally State Message", "Panel1", "OverEdit2", &TItem::AllyMessage, false);
    Message(b, "Label18", "Enemy State Message", "Panel2", "OverEdit3", &TItem::EnemyMessage,
            false);
    Message(b, "Label19", "Already in This State msg. (Blank for Miss)", "Panel3", "OverEdit4",
            &TItem::AlreadyMessage, true);
    Message(b, "Label20", "State is Regular for One (Blank for Miss)", "Panel4", "OverEdit5",
            &TItem::AffectedMessage, true);
    Message(b, "Label21", "Recovery State Message", "Panel5", "OverEdit6", &TItem::RecoveryMessage,
            false);
    Decrease(b, "GroupBox9", "Decrease HP", 12, 22, &TItem::HpTurnPercent, &TItem::HpTurnPoints,
             &TItem::HpStepCount, &TItem::HpStepPoints);
    Decrease(b, "GroupBox10", "Decrease MP", 16, 28, &TItem::MpTurnPercent, &TItem::MpTurnPoints,
             &TItem::MpStepCount, &TItem::MpStepPoints);
    b.Stretch();
  }

  // The 20 colours of the current system graphic.
  void FillColors() {
    TGlimraSheet sheet;
    sheet.SetSize(160, 80);
    if (SystemData) LoadMaterialSheet(sheet, SystemData->SystemGraphic, "System", false);
    TUpdatingScope updating(*this);
    ColorPicker1->clear();
    for (uint32_t color : ConditionColors(sheet))
      ColorPicker1->addItem(QString::number(color));
  }

  TColorPicker* ColorPicker1;
  std::vector<QWidget*> common_;
  std::vector<QWidget*> skillRate_;
  std::vector<QWidget*> magicRate_;
  std::vector<QWidget*> mapDecrease_;
};
VELMORA_REGISTER_DATABASE_PAGE(TFormEDStatus, 6);

} // namespace
