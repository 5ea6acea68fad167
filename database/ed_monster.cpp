// The "Monsters" page: a monster's graphic, parameters, rewards, condition and attribute
// ranks, and its action patterns.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "core/monster_page.h"
#include "database/database_page.h"
#include "database/ed_monster_act.h"
#include "database/page_lists.h"
#include "database/report_list.h"
#include "database/sel_monster.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"

namespace {

TListPosition MonsterPosition;
TCatalog* MonsterCatalog() {
  return MonsterList;
}
const TListPageKind MonsterPage{&MonsterCatalog, &MonsterModel, cfMonster, &MonsterPosition};

// The preview's opacity for a monster drawn see-through.
constexpr int TransparentOpacity = 160;

class TFormEDMonster : public TFormDataBasePage<TXelMonsterItem> {
  using M = TXelMonsterItem;

public:
  explicit TFormEDMonster(QWidget* parent)
      : TFormDataBasePage(parent, 5, MonsterPage), sheet_(std::make_unique<TGlimraSheet>()) {
    sheet_->Transparent = true;
    sheet_->AutoSize = true;
    TFormBuilder b(this, "FormEDMonster", "Monsters", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Monsters Editor");
      b.Column([&] {
        b.Row([&] {
          b.Column([&] {
            b.Group("GroupBox1", "Name", [&] { b.Edit("OverEdit1", f(&M::Name), 20); });
            b.Group("GroupBox2", "Select Monsters Graphic", [&] {
              MonsterArea = b.Add<TScrollFrame>("MonsterArea");
              MonsterArea->HorzScrollBar()->SetVisible(false);
              MonsterArea->VertScrollBar()->SetVisible(false);
              MonsterArea->setFixedSize(172, 128);
              b.Row([&] {
                BitBtn1 = b.Button("BitBtn1", "Set...");
                CheckBox3 = b.CheckBox("CheckBox3", "Transp.", f(&M::Transparent));
              });
            });
          });
          b.Group("GroupBox3", "Parameters", [&] {
            b.Grid(2, [&] {
              b.Label("Label1", "Max HP");
              b.DialEdit("DialEdit1", 1, 9999, f(&M::MaxHp));
              b.Label("Label2", "Max MP");
              b.DialEdit("DialEdit2", 0, 9999, f(&M::MaxMp));
              b.Label("Label3", "Attack");
              b.DialEdit("DialEdit3", 1, 999, f(&M::Attack));
              b.Label("Label4", "Defense");
              b.DialEdit("DialEdit4", 1, 999, f(&M::Defense));
              b.Label("Label5", "Mind");
              b.DialEdit("DialEdit5", 1, 999, f(&M::Mind));
              b.Label("Label7", "Agility");
              b.DialEdit("DialEdit6", 1, 999, f(&M::Agility));
            });
          });
          b.Column([&] {
            b.Group("GroupBox4", "Gain", [&] {
              b.Grid(2, [&] {
                b.Label("Label8", "EXP");
                b.DialEdit("DialEdit7", 0, 999999, f(&M::Experience));
                b.Label("Label9", "Money");
                b.DialEdit("DialEdit8", 0, 999999, f(&M::Money));
                b.Label("Label10", "Item");
                TIdChoices items;
                items.Names << QStringLiteral("(None)") << ModelNames(ItemModel());
                items.First = 0;
                items.Fallback = 0;
                IdCombo(b, "ComboBox1", items, f(&M::ItemId));
                ChanceLabel = b.Label("Label11", "Chance to get");
                b.Row([&] {
                  DialEdit9 = b.DialEdit("DialEdit9", 0, 100, f(&M::ItemChance));
                  PercentLabel = b.Label("Label12", "%");
                });
              });
            });
            b.Group("GroupBox5", "Critical Hit Chance - Every", [&] {
              b.Row([&] {
                b.CheckBox("CheckBox1", QString(), f(&M::CriticalEnabled));
                DialEdit10 = b.DialEdit("DialEdit10", 1, 100, f(&M::CriticalChance));
                Label6 = b.Label("Label6", "times");
              });
            });
            b.Group("GroupBox6", "Options", [&] {
              b.Row([&] {
                b.CheckBox("CheckBox2", "Usually Miss", f(&M::UsuallyMiss));
                b.CheckBox("CheckBox4", "Air", f(&M::Flying));
              });
            });
          });
          b.Stretch();
        });
        b.Row([&] {
          // The rank lists give the action patterns the room for their three columns.
          b.Group("GroupBox7", "Condition Effect", [&] {
             MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1");
           })->setMaximumWidth(150);
          b.Group("GroupBox8", "Attribute Effect", [&] {
             MarkListBox2 = b.Add<TMarkListBox>("MarkListBox2");
           })->setMaximumWidth(150);
          b.Group("GroupBox9", "Actions Patterns", [&] {
            ListView1 =
                b.Add<TReportList>("ListView1", QStringList{"Subject", "Conditions", "Priority"},
                                   std::vector<int>{84, 116, 40});
          });
        });
      });
    });
    FillMarkList(MarkListBox1, TMarkListBox::mmRank, ModelNames(ConditionModel()));
    FillMarkList(MarkListBox2, TMarkListBox::mmRank, ModelNames(AttributeModel()));
    On(MarkListBox1, &TMarkListBox::ClickMark, [this] {
      if (!CurrentEntry) return;
      StoreIdMarks(MarkListBox1, CurrentEntry->ConditionRanks);
      DataModified();
    });
    On(MarkListBox2, &TMarkListBox::ClickMark, [this] {
      if (!CurrentEntry) return;
      StoreIdMarks(MarkListBox2, CurrentEntry->AttributeRanks);
      DataModified();
    });
    EnableWhen({DialEdit9, ChanceLabel, PercentLabel},
               [this] { return CurrentEntry && CurrentEntry->ItemId > 0; });
    EnableWhen({DialEdit10, Label6},
               [this] { return CurrentEntry && CurrentEntry->CriticalEnabled != 0; });
    OnPaint(MonsterArea, [this](QPainter& canvas) { MonsterAreaPaint(canvas); });
    On(BitBtn1, &QPushButton::clicked, &TFormEDMonster::BitBtn1Click);
    On(MonsterArea, &TScrollFrame::DblClick, &TFormEDMonster::BitBtn1Click);
    ActionMenu();
    Start();
  }

  void RefreshEntryControls() override { ApplyEnableRules(); }

  void BitBtn1Click() {
    if (!CurrentEntry) return;
    TFormSelMonster picker(window());
    picker.FileName = CurrentEntry->Graphic;
    picker.Hue = CurrentEntry->Hue;
    if (!picker.ExecuteAt(296, 44)) return;
    CurrentEntry->Graphic = picker.FileName;
    CurrentEntry->Hue = picker.Hue;
    LoadPreview();
    DataModified();
  }

  // ---- action patterns ----

  void MenuActItemEditClick() {
    if (!CurrentEntry || !ListView1->currentItem()) return;
    TXelMonsterAct& acts = CurrentEntry->Actions;
    const int row = ListView1->CurrentRow();
    TXelMonsterActItem* act = acts.GetItem(row);
    if (!act && acts.GetCount() >= MaxActionPatterns) return;
    bool ok = false;
    bool changedNames = false;
    {
      TFormEDMonsterAct dialog(window());
      if (act) dialog.Act.Assign(*act);
      ok = dialog.ExecuteAt(260, 96);
      changedNames = dialog.DatabaseChanged;
      if (ok) {
        if (!act) act = acts.Append();
        act->Assign(dialog.Act);
      }
    }
    if (ok) {
      ShowActions(act->Id - 1);
      ListView1->setFocus();
      DataModified();
    } else if (changedNames) {
      DataModified();
    }
  }

  void MenuActItemCopyClick() {
    if (TXelMonsterActItem* act = SelectedAct()) act->CopyToClipboard(cfListRow);
  }

  void MenuActItemCutClick() {
    if (!SelectedAct()) return;
    MenuActItemCopyClick();
    MenuActItemDeleteClick();
  }

  void MenuActItemPasteClick() {
    if (!CanPasteAct()) return;
    // An encounter row shares the format; only a pattern's block is taken.
    TXelMonsterActItem pasted(1);
    if (!pasted.PasteFromClipboard(cfListRow)) return;
    const int row = ListView1->CurrentRow();
    CurrentEntry->Actions.InsertAt(row + 1)->Assign(pasted);
    ShowActions(row);
    ListView1->setFocus();
    DataModified();
  }

  void MenuActItemDeleteClick() {
    const TXelMonsterActItem* act = SelectedAct();
    if (!act) return;
    const int row = ListView1->CurrentRow();
    CurrentEntry->Actions.RemoveAt(act->Id);
    ShowActions(row);
    DataModified();
  }

protected:
  void UpdateOwnControls() override {
    if (!CurrentEntry) return;
    ShowIdMarks(MarkListBox1, CurrentEntry->ConditionRanks);
    ShowIdMarks(MarkListBox2, CurrentEntry->AttributeRanks);
    if (shownEntry_ != CurrentEntry) {
      shownEntry_ = CurrentEntry;
      ShowActions(0);
    } else {
      ShowActions(ListView1->CurrentRow());
    }
    LoadPreview();
  }

  void BoundValueChanged(QWidget* control) override {
    TFormDataBasePage::BoundValueChanged(control);
    if (control == CheckBox3) MonsterArea->viewport()->update();
  }

private:
  template <class T> TMemberField<M, T> f(T M::*member) { return Field(&CurrentEntry, member); }

  void ActionMenu() {
    auto* menu = new QMenu(ListView1);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [&](const char* name, const char* caption, void (TFormEDMonster::*click)()) {
      QAction* action = menu->addAction(QString::fromLatin1(caption));
      action->setObjectName(QString::fromLatin1(name));
      On(action, &QAction::triggered, click);
      return action;
    };
    Menu_ActItemEdit = item("Menu_ActItemEdit", "&Edit...", &TFormEDMonster::MenuActItemEditClick);
    Menu_ActItemCut = item("Menu_ActItemCut", "Cu&t", &TFormEDMonster::MenuActItemCutClick);
    Menu_ActItemCopy = item("Menu_ActItemCopy", "&Copy", &TFormEDMonster::MenuActItemCopyClick);
    Menu_ActItemPaste = item("Menu_ActItemPaste", "&Paste", &TFormEDMonster::MenuActItemPasteClick);
    Menu_ActItemDelete =
        item("Menu_ActItemDelete", "&Delete", &TFormEDMonster::MenuActItemDeleteClick);
    ListView1->PopupMenu = menu;
    On(ListView1, &TReportList::PopupOpening, &TFormEDMonster::ActionMenuPopup);
    On(ListView1, &TReportList::EditRequested, &TFormEDMonster::MenuActItemEditClick);
    On(ListView1, &TReportList::DeleteRequested, &TFormEDMonster::MenuActItemDeleteClick);
    On(ListView1, &TReportList::CutRequested, &TFormEDMonster::MenuActItemCutClick);
    On(ListView1, &TReportList::CopyRequested, &TFormEDMonster::MenuActItemCopyClick);
    On(ListView1, &TReportList::PasteRequested, &TFormEDMonster::MenuActItemPasteClick);
  }

  void ActionMenuPopup() {
    const bool selected = CurrentEntry && ListView1->currentItem();
    const bool room = CurrentEntry && CurrentEntry->Actions.GetCount() < MaxActionPatterns;
    const bool onAct = SelectedAct() != nullptr;
    Menu_ActItemEdit->setEnabled(selected && (onAct || room));
    Menu_ActItemCut->setEnabled(onAct);
    Menu_ActItemCopy->setEnabled(onAct);
    Menu_ActItemDelete->setEnabled(onAct);
    Menu_ActItemPaste->setEnabled(CanPasteAct());
  }

  TXelMonsterActItem* SelectedAct() const {
    if (!CurrentEntry || !ListView1->OnEntryRow()) return nullptr;
    return CurrentEntry->Actions.GetItem(ListView1->CurrentRow());
  }

  bool CanPasteAct() const {
    return CurrentEntry && ListView1->currentItem() &&
           CurrentEntry->Actions.GetCount() < MaxActionPatterns && Clipboard().HasFormat(cfListRow);
  }

  // The rows again, Row selected and the one after it in view.
  void ShowActions(int row) {
    std::vector<QStringList> rows;
    const TXelMonsterAct& acts = CurrentEntry->Actions;
    rows.reserve(size_t(acts.GetCount()));
    for (int i = 0; i < acts.GetCount(); ++i) {
      const TActionRow text = ActionRow(*acts.GetItem(i));
      rows.push_back(
          {ToQString(text.Subject), ToQString(text.Conditions), ToQString(text.Priority)});
    }
    ListView1->Fill(rows, true);
    ListView1->SetCurrentRow(std::clamp(row, 0, ListView1->Rows()));
    if (QTreeWidgetItem* next = ListView1->topLevelItem(ListView1->CurrentRow() + 1))
      ListView1->scrollToItem(next);
  }

  void LoadPreview() {
    if (!CurrentEntry) return;
    if (loadedName_ != CurrentEntry->Graphic || loadedHue_ != CurrentEntry->Hue) {
      loadedName_ = CurrentEntry->Graphic;
      loadedHue_ = CurrentEntry->Hue;
      LoadMaterialSheet(*sheet_, loadedName_, "Monster", false);
      sheet_->RotateHue(loadedHue_);
    }
    MonsterArea->viewport()->update();
  }

  void MonsterAreaPaint(QPainter& canvas) {
    const bool transparent = CurrentEntry && CurrentEntry->Transparent;
    DrawMonsterPreview(canvas, *sheet_, MonsterArea->ClientSize(),
                       transparent ? TransparentOpacity : 255);
  }

  std::unique_ptr<TGlimraSheet> sheet_;
  std::string loadedName_;
  int loadedHue_ = 0;
  TScrollFrame* MonsterArea = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  TDialEdit* DialEdit9 = nullptr;
  QLabel* ChanceLabel = nullptr;
  QLabel* PercentLabel = nullptr;
  TDialEdit* DialEdit10 = nullptr;
  QLabel* Label6 = nullptr;
  TMarkListBox* MarkListBox1 = nullptr;
  TMarkListBox* MarkListBox2 = nullptr;
  TReportList* ListView1 = nullptr;
  QAction* Menu_ActItemEdit = nullptr;
  QAction* Menu_ActItemCut = nullptr;
  QAction* Menu_ActItemCopy = nullptr;
  QAction* Menu_ActItemPaste = nullptr;
  QAction* Menu_ActItemDelete = nullptr;
  const TXelMonsterItem* shownEntry_ = nullptr;
};

} // namespace

VELMORA_REGISTER_DATABASE_PAGE(TFormEDMonster, 3);
