// The rows of the command-dialog tables: lines in a short notation, one per "|":
// indent, code, quoted text, parameters; a dialog opened in a context, a step run on it,
// OK pressed, and the lines written compared; pickers answered as scripted.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

#include "core/converter_scene.h"
#include "core/hero_records.h"
#include "core/map_event.h"
#include "core/switch_records.h"
#include "events/dialog_steps.h"
#include "events/form_ev_cmd_base.h"
#include "events/script_lines.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_switch.h"

// MapView: a map without an edited event (a common event opened on a map).
enum TContextKind { Map, Battle, Common, MapView };

struct TRow {
  TContextKind Context;
  std::string In;  // empty: a new command
  std::string Out; // empty: In again, its head at depth 0
  TStep Step = {};
};

inline TStep Combo(const char* name, int index) {
  return [=](TFormEvCmdBase& form) { FindControl<QComboBox>(&form, name)->setCurrentIndex(index); };
}
inline TStep Then(TStep a, TStep b) {
  return [=](TFormEvCmdBase& form) {
    a(form);
    b(form);
  };
}

// Answers the pickers: a switch or variable picker takes Id (Cancel when 0) and reports
// renamed entries when asked; the face picker takes a fixed face. Other, when set,
// answers every other form.
class TScriptedPickers {
public:
  int Id = 0;
  bool Renamed = false;
  int Opened = 0;
  std::function<bool(TFormXelBase&)> Other;

private:
  TScopedModalOpener opener_{[this](TFormXelBase& form, const auto&) {
    ++Opened;
    if (Other && !dynamic_cast<TFormSelNameBase*>(&form)) return Other(form);
    if (auto* picker = dynamic_cast<TFormSelNameBase*>(&form)) {
      picker->NamesChanged = Renamed ? 1 : 0;
      picker->SelectedId = Id;
      return Id != 0;
    }
    auto& face = dynamic_cast<TFormSelFace&>(form);
    face.FileName = "Face2";
    face.FaceIndex = 5;
    return true;
  }};
};

class CommandDialogs : public ::testing::Test, protected TConverterScene {
protected:
  void SetUp() override {
    ResetLastUsedRecords();
    // Fewer heroes and items than some stored ids.
    database.Players().GetOrCreate(1)->Name = "Alex";
    database.Players().GetOrCreate(2)->Name = "Bea";
    for (int id = 1; id <= 3; ++id)
      database.Items().GetOrCreate(id)->Name = "Item" + std::to_string(id);
    database.Switches().GetOrCreate(1)->Name = "Gate";
    database.Switches().GetOrCreate(2);
    for (int id = 1; id <= 8; ++id)
      database.Variables().GetOrCreate(id);
    database.Variables().GetOrCreate(7)->Name = "Gold";
    database.Monsters().GetOrCreate(1)->Name = "Slime";
    for (int32_t monster : {1, 99, 1})
      group.Members.Append()->MonsterId = monster;
    map.Events.GetOrCreate(1)->Name = "Sign";
    map.Events.GetOrCreate(2)->Name = "Door";
    edited.Name = "Door B";
  }

  // What the caller hands the dialog in that context.
  void Hand(TFormEvCmdBase& form, TContextKind context) {
    if (context == Map || context == MapView) {
      form.Map = &map;
      form.MapTree = &tree;
    }
    if (context == Map) {
      form.EventId = 2;
      form.Event = &edited;
    }
    if (context == Battle) form.MonsterGroup = &group;
  }

  std::unique_ptr<TFormEvCmdBase> Open(int code, TContextKind context, const std::string& in) {
    auto form = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, nullptr);
    if (!form) {
      ADD_FAILURE() << "no dialog for " << code;
      return nullptr;
    }
    Hand(*form, context);
    ParseLines(in, *form->ScriptList);
    ShowAndActivate(form.get());
    return form;
  }

  // The lines after OK.
  std::string Run(int code, const TRow& row) {
    auto form = Open(code, row.Context, row.In);
    if (!form) return {};
    if (row.Step) row.Step(*form);
    Click(*form, "ButtonOk");
    EXPECT_EQ(form->result(), mrOk);
    return FormatLines(*form->ScriptList);
  }

  void RunTable(int code, const std::vector<TRow>& rows) {
    for (const TRow& row : rows) {
      ResetLastUsedRecords();
      std::string expected = row.Out;
      if (expected.empty()) {
        TXelEventScriptList in;
        ParseLines(row.In, in);
        const int depth = in.GetItem(0)->Indent;
        for (int i = 0; i < in.GetCount(); ++i)
          in.GetItem(i)->Indent -= depth;
        expected = FormatLines(in);
      }
      EXPECT_EQ(Run(code, row), expected) << "code " << code << ", in: " << row.In;
    }
  }

  TXelEventItem edited{2};
  TScriptedPickers pickers;
};
