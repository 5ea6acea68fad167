// The script editor on its own, in a bare form: what its menu offers, what a paste lets
// in, the whole-command selection over a line whose text cannot be made, and its keys.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/event_script.h"
#include "core/event_script_converter.h"
#include "events/form_ev_cmd_base.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_editor.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/script_list_box.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "script_lines.h"

namespace {

constexpr int32_t WaitCode = 11410;
constexpr int32_t BattleOnlyCode = 13110;

class THost : public TFormXelWidget {
public:
  THost() {
    TFormBuilder b(this, "FormHost", "Host", 300, 300);
    Editor = new TScriptEditor(*this, b, "ListBox1");
    Editor->OnModified = [this] { ++Modified; };
  }
  TScriptEditor* Editor;
  int Modified = 0;
};

class ScriptEditor : public ::testing::Test {
protected:
  void SetUp() override {
    Clipboard().SetData(cfMapRegion, {});
    ShowAndActivate(&host);
    list = host.Editor->List();
  }

  // Waits (or the given codes) and the terminator, shown in the editor.
  void Show(std::initializer_list<int32_t> codes) {
    script.Clear();
    for (int32_t code : codes)
      script.Add(code, 0);
    script.Add(ScriptEndCode, 0);
    host.Editor->SetScript(&script, &converter);
  }

  // What the menu offers, item by item, as it opens.
  std::vector<bool> Offered() {
    emit host.Editor->Menu()->aboutToShow();
    std::vector<bool> offered;
    for (QAction* item : host.Editor->Menu()->actions())
      offered.push_back(item->isEnabled());
    emit host.Editor->Menu()->aboutToHide();
    return offered;
  }

  THost host;
  TScriptListBox* list = nullptr;
  TXelEventScriptList script;
  TEventScriptConverter converter;
};

TEST_F(ScriptEditor, TheMenuFollowsTheSelection) {
  // Insert, Edit, Cut, Copy, Paste, Delete, Select All.
  EXPECT_EQ(Offered(), std::vector<bool>(7, false)); // no script
  Show({WaitCode, WaitCode});
  list->SetItemIndex(0);
  EXPECT_EQ(Offered(), (std::vector<bool>{true, true, true, true, false, true, true}));
  list->SetSelStart(0);
  list->SetSelEnd(1);
  EXPECT_EQ(Offered(), (std::vector<bool>{false, false, true, true, false, true, true}));
  host.Editor->MenuCopyClick();
  list->SetItemIndex(2);
  EXPECT_EQ(Offered(), (std::vector<bool>{true, false, false, false, true, false, true}));
  // Closed, every item is live again for its key.
  for (QAction* item : host.Editor->Menu()->actions())
    EXPECT_TRUE(item->isEnabled());
}

bool AllowOnlyWaits(int32_t code) {
  return code != WaitCode;
}

TEST_F(ScriptEditor, APasteLetsInWhatTheFilterAllows) {
  Show({WaitCode, BattleOnlyCode});
  list->SetSelStart(0);
  list->SetSelEnd(1);
  host.Editor->MenuCopyClick();
  struct TRow {
    TScriptLineFilter filter;
    std::vector<int32_t> codes;
  };
  const TRow rows[] = {
      {IsBattleOnlyOrEndCode, {WaitCode, WaitCode, BattleOnlyCode, ScriptEndCode}},
      {AllowOnlyWaits, {WaitCode, WaitCode, BattleOnlyCode, ScriptEndCode}},
      {[](int32_t) { return false; },
       {WaitCode, BattleOnlyCode, WaitCode, BattleOnlyCode, ScriptEndCode}},
  };
  for (const TRow& row : rows) {
    Show({WaitCode, BattleOnlyCode});
    host.Editor->PasteFilter = row.filter;
    list->SetItemIndex(0);
    host.Modified = 0;
    host.Editor->MenuPasteClick();
    std::vector<int32_t> codes;
    for (int i = 0; i < script.GetCount(); ++i)
      codes.push_back(script.GetItem(i)->Code);
    EXPECT_EQ(codes, row.codes);
    EXPECT_EQ(list->Count(), script.GetCount());
    EXPECT_EQ(host.Modified, 1);
  }
}

TEST_F(ScriptEditor, ABrokenLineGoesWithTheCommandAboveIt) {
  script.Add(WaitCode, 0);
  // Command heads whose parameters their text cannot be made from, one a level deeper
  // than the wait, and another command's branch line.
  script.Add(11330, 1)->Params = {1, 0, 0, 0, 0x80};
  script.Add(22010, 0);
  script.Add(11330, 0)->Params = {1, 0, 0, 0, 0x80};
  script.Add(ScriptEndCode, 0);
  host.Editor->SetScript(&script, &converter);
  ASSERT_EQ(list->Items()[3], QString::fromLatin1(SDataBroken));
  list->SetItemIndex(0);
  EXPECT_EQ(host.Editor->Selection(), (TScriptLineRange{0, 3}));
  // One command is selected, so it can be edited and inserted before.
  EXPECT_EQ(Offered(), (std::vector<bool>{true, true, true, true, false, true, true}));
  list->SetItemIndex(3);
  EXPECT_EQ(host.Editor->Selection(), (TScriptLineRange{}));
  list->SetItemIndex(0);
  list->setFocus();
  // Edit: the wait's dialog gets the wait alone, and OK keeps the broken line after it.
  int handed = 0;
  TScopedModalOpener opener([&handed](TFormXelBase& form, const auto&) {
    auto& dialog = dynamic_cast<TFormEvCmdBase&>(form);
    handed = dialog.ScriptList->GetCount();
    ShowAndActivate(&dialog);
    auto* edit = FindControl<TDialEdit>(&dialog, "DialEdit1");
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "7");
    QTest::mouseClick(FindControl<QPushButton>(&dialog, "ButtonOk"), Qt::LeftButton);
    return dialog.result() == mrOk;
  });
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(handed, 1);
  EXPECT_EQ(FormatLines(script), R"(0 11410 "" [7] | 1 11330 "" [1,0,0,0,128] | 0 22010 "" [] | )"
                                 R"(0 11330 "" [1,0,0,0,128] | 0 0 "" [])");
  EXPECT_EQ(list->Items()[3], QString::fromLatin1(SDataBroken));
  EXPECT_EQ(host.Modified, 1);
  // Delete takes what the author selected: the command and the lines after it.
  list->SetItemIndex(0);
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(script.GetCount(), 1);
}

TEST_F(ScriptEditor, KeysActOnTheList) {
  Show({WaitCode, WaitCode, WaitCode});
  list->setFocus();
  QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(host.Editor->Selection(), (TScriptLineRange{0, 2}));
  QTest::keyClick(list, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(script.GetCount(), 1);
  EXPECT_TRUE(Clipboard().HasFormat(cfScriptLines));
  QTest::keyClick(list, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(script.GetCount(), 4);
  // Return, Insert and the keypad's Enter open the palette, whose command goes in.
  int opened = 0;
  TScopedModalOpener opener([&opened](TFormXelBase& form, const auto&) {
    ++opened;
    dynamic_cast<TFormEvCmdList&>(form).ScriptList.Add(WaitCode, 0);
    return true;
  });
  list->SetItemIndex(3);
  QTest::keyClick(list, Qt::Key_Return);
  QTest::keyClick(list, Qt::Key_Insert);
  QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(opened, 3);
  EXPECT_EQ(script.GetCount(), 7);
  QTest::keyClick(list, Qt::Key_Menu);
  EXPECT_TRUE(host.Editor->Menu()->isVisible());
  host.Editor->Menu()->hide();
}

} // namespace
