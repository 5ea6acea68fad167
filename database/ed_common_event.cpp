// The "Common Events" page: the common events' list, each entry's name, start condition
// and switch, and its script, edited with the command palette and dialogs of map events.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/event_script_converter.h"
#include "core/event_script_edit.h"
#include "core/switch_records.h"
#include "core/system_page.h"
#include "database/database_page.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_editor.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/script_list_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/name_pieces.h"

namespace {

using TItem = TXelCommonEventItem;

TListPosition SavedPosition;
const TListPageKind CommonEventPage{[]() -> TCatalog* { return CommonEventList; },
                                    &CommonEventModel, cfCommonEvent, &SavedPosition};

// The combo lists the start conditions in this order; the record stores other values.
TIdChoices TriggerChoices() {
  TIdChoices choices;
  choices.Add(QStringLiteral("Call"), CommonEventCallTrigger);
  choices.Add(QStringLiteral("Auto Start"), 3);
  choices.Add(QStringLiteral("Parallel Process"), 4);
  return choices;
}

// "%.4d:%s" of an existing switch; a missing one shows nothing.
QString SwitchText(int id) {
  return SwitchList && SwitchList->FindById(id) ? SwitchBoxText(id) : QString();
}

class TFormEDCommonEvent : public TFormDataBasePage<TItem> {
public:
  explicit TFormEDCommonEvent(QWidget* parent) : TFormDataBasePage(parent, 14, CommonEventPage) {
    TFormBuilder b(this, "FormEDCommonEvent", "Common Events", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Common Events", 177);
      b.Column([&] {
        b.Row([&] {
          b.Group("GroupBox1", "Name",
                  [&] { b.Edit("OverEdit1", Field(&CurrentEntry, &TItem::Name), 20); });
          b.Group("GroupBox2", "Event Start Condition", [&] {
            IdCombo(b, "ComboBox1", TriggerChoices(), Field(&CurrentEntry, &TItem::Trigger), 0);
          });
          GroupBox3 = b.Group("GroupBox3", "Appearance Conditions Switch", [&] {
            b.Row([&] {
              CheckBox1 =
                  b.CheckBox("CheckBox1", QString(), Field(&CurrentEntry, &TItem::UseSwitch));
              DashBox1 =
                  b.ValueBox("DashBox1", Field(&CurrentEntry, &TItem::SwitchId), &SwitchText);
            });
          });
        });
        b.Group("GroupBox4", "Events Commands", [&] {
          Script = new TScriptEditor(*this, b, "ListBox1");
          TScriptListBox* list = Script->List();
          list->setMinimumHeight(8 * list->LineHeight() + 2 * list->frameWidth());
        });
      });
    });
    On(DashBox1, &TDashBox::Clicked, &TFormEDCommonEvent::DashBox1Click);
    const auto called = [this] {
      return !CurrentEntry || CurrentEntry->Trigger == CommonEventCallTrigger;
    };
    EnableWhen({GroupBox3, CheckBox1}, [called] { return !called(); });
    EnableWhen({DashBox1}, [this, called] { return !called() && CurrentEntry->UseSwitch; });

    Script->HandOver = [this](TFormEvCmdList& palette) {
      // No event: id 0 marks a common event to the command dialogs.
      palette.MapTree = MapTree;
      palette.Map = Map;
    };
    Script->PalettePosition = QPoint(288, 72);
    Script->PasteFilter = IsBattleOnlyOrEndCode;
    Script->OnModified = [this] { DataModified(); };
    // A command dialog or picker renamed entries: saved with the page, shown at once.
    OnDatabaseChanged = [this] {
      DataModified();
      UpdateControls();
    };
    Start();
  }

  void FormShow() override {
    Converter.MapTree = MapTree;
    Converter.Map = Map;
    shown_ = true;
    TFormDataBasePage::FormShow();
    RefreshEntryControls();
  }

  void RefreshEntryControls() override {
    ApplyEnableRules();
    // The texts need the map tree, which the page has from its first show on.
    if (shown_) Script->SetScript(CurrentEntry ? &CurrentEntry->Script : nullptr, &Converter);
  }

  void DashBox1Click() {
    if (!CurrentEntry) return;
    if (PickSwitch(*this, Field(&CurrentEntry, &TItem::SwitchId))) DataModified();
    UpdateControls();
  }

private:
  TEventScriptConverter Converter;
  bool shown_ = false;
  TScriptEditor* Script;
  QGroupBox* GroupBox3;
  QCheckBox* CheckBox1;
  TDashBox* DashBox1;
};

} // namespace

VELMORA_REGISTER_DATABASE_PAGE(TFormEDCommonEvent, 12);
