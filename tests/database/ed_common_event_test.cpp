// The common-event page in the window: the entry's fields and script through the
// palette, the script menu, the clipboard block of its lines and the paste filter.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/switch_records.h"
#include "database_window_env.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_lines.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/script_list_box.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_switch.h"

namespace {

constexpr int CommonEventTab = 12;

class CommonEventPage : public DataBaseWindowTest {
protected:
  void SetUp() override {
    DataBaseWindowTest::SetUp();
    Clipboard().SetData(cfMapRegion, {});
  }
  template <class T> T* Control(const char* name) {
    return CurrentPage().findChild<T*>(QString::fromLatin1(name));
  }
  TXelCommonEventItem* Entry(int id) { return CommonEventList->GetItemById(id); }
  // Opens the page on entry Id, its script set to Lines first.
  void OpenOn(int id, const std::string& lines = {}) {
    if (window && window->isVisible()) Cancel(); // which reads the file again
    if (!lines.empty()) {
      TXelEventScriptList& script = Entry(id)->Script;
      script.Clear();
      ParseLines(lines, script);
    }
    Open(CommonEventTab);
    auto& page = CurrentPage<TFormDataBaseListPage>();
    page.SelectRow(id - 1);
    list = Control<TScriptListBox>("ListBox1");
  }
  void Select(int first, int last) {
    list->SetSelStart(first);
    list->SetSelEnd(last);
  }
  QAction* Item(const char* name) {
    return Control<QMenu>("PopupMenu1")->findChild<QAction*>(name);
  }
  // The menu's items Insert, Edit, Copy and Select All as it opens.
  std::vector<bool> Offered() {
    QMenu* menu = Control<QMenu>("PopupMenu1");
    emit menu->aboutToShow();
    std::vector<bool> offered;
    for (const char* name : {"MenuInsert", "MenuEdit", "MenuCopy", "MenuSelectAll"})
      offered.push_back(Item(name)->isEnabled());
    emit menu->aboutToHide();
    return offered;
  }

  TScriptListBox* list = nullptr;
};

TEST_F(CommonEventPage, FieldsAndScriptAreSavedAndTheListKeepsItsPlace) {
  const std::string original = FileBytes();
  OpenOn(3);
  Control<QLineEdit>("OverEdit1")->setText("Rename");
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  const struct { int id, line, trigger; } rows[] = {{3, 1, 3}, {4, 2, 4}};
  for (const auto& row : rows) {
    OpenOn(row.id, "0 0 \"\" []");
    Control<QLineEdit>("OverEdit1")->setText("Gate");
    Control<QComboBox>("ComboBox1")->setCurrentIndex(row.line);
    Control<QCheckBox>("CheckBox1")->click();
    {
      TScopedModalOpener opener([](TFormXelBase& form, const std::function<bool()>&) {
        if (auto* picker = dynamic_cast<TFormSelSwitch*>(&form)) picker->SelectedId = 7;
        if (auto* palette = dynamic_cast<TFormEvCmdList*>(&form))
          ParseLines("0 10110 \"Hi\" []", palette->ScriptList);
        return true;
      });
      Control<TDashBox>("DashBox1")->ButtonClick();
      list->SetItemIndex(0);
      Item("MenuInsert")->trigger();
    }
    EXPECT_EQ(list->Count(), 2);
    Apply();
    Cancel();
    const TXelCommonEventItem& saved = *Entry(row.id);
    EXPECT_EQ(saved.Name, "Gate");
    EXPECT_EQ(saved.Trigger, row.trigger);
    EXPECT_EQ(saved.UseSwitch, 1);
    EXPECT_EQ(saved.SwitchId, 7);
    EXPECT_EQ(FormatLines(saved.Script), "0 10110 \"Hi\" [] | 0 0 \"\" []");
  }
  Open(CommonEventTab);
  EXPECT_EQ(CurrentPage<TFormDataBaseListPage>().SelectedRow(), 3);
}

TEST_F(CommonEventPage, CallDisablesTheSwitchAndAMissingSwitchShowsNothing) {
  Entry(2)->Trigger = 3;
  Entry(2)->UseSwitch = 1;
  Entry(2)->SwitchId = SwitchList->GetCount() + 5;
  OpenOn(2);
  EXPECT_TRUE(Control<TDashBox>("DashBox1")->isEnabled());
  EXPECT_EQ(Control<TDashBox>("DashBox1")->Text(), "");
  Control<QComboBox>("ComboBox1")->setCurrentIndex(0); // "Call"
  EXPECT_EQ(Entry(2)->Trigger, 5);
  for (const char* name : {"GroupBox3", "CheckBox1", "DashBox1"})
    EXPECT_FALSE(Control<QWidget>(name)->isEnabled()) << name;
  EXPECT_EQ(Entry(2)->UseSwitch, 1);
}

TEST_F(CommonEventPage, TheMenuKeepsEndLinesEmptyBodiesAndTwoCommandsFromEdits) {
  // A message, a branch with an empty body, the end line.
  OpenOn(1, "0 10110 \"Hi\" [] | 0 12010 \"\" [0,1,0,0,0] | 1 10 \"\" [] | "
            "0 22011 \"\" [] | 0 0 \"\" []");
  const struct {
    int first, last;
    std::vector<bool> offered; // Insert, Edit, Copy, Select All
  } rows[] = {{0, 0, {true, true, true, true}},
              {4, 4, {true, false, false, true}},
              {2, 2, {true, false, false, true}},
              {0, 3, {false, false, true, true}},
              {1, 3, {true, true, true, true}}};
  for (const auto& row : rows) {
    Select(row.first, row.last);
    EXPECT_EQ(Offered(), row.offered) << row.first << ".." << row.last;
  }
  Item("MenuSelectAll")->trigger();
  EXPECT_EQ(std::pair(list->SelStart(), list->SelEnd()), std::pair(0, 3));
  Cancel();
  OpenOn(1, "0 0 \"\" []");
  EXPECT_FALSE(Offered()[3]) << "Select All with the end line alone";
}

TEST_F(CommonEventPage, CopiedLinesGoToTheClipboardAndPastesDropBattleCommands) {
  OpenOn(1, "0 10110 \"Hi\" [5,-1] | 0 0 \"\" []");
  Select(0, 0);
  Item("MenuCopy")->trigger();
  // Size 13; code 10110 as 0xCE 0x7E, indent 0, "Hi", two parameters, -1 in five bytes.
  EXPECT_EQ(ClipboardBytes(cfScriptLines),
            (std::vector<uint8_t>{0x0D, 0, 0, 0, 0xCE, 0x7E, 0x00, 0x02, 0x48, 0x69, 0x02, 0x05,
                                  0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));

  const auto paste = [&](const std::string& lines) {
    TXelEventScriptList block;
    ParseLines(lines, block);
    Clipboard().SetData(cfScriptLines, BuildScriptLinesClip(block, 0, block.GetCount()));
    OpenOn(1, "0 0 \"\" []");
    list->SetItemIndex(0);
    Item("MenuPaste")->trigger();
    return FormatLines(Entry(1)->Script);
  };
  // From a battle page: a condition branch on a battle-only command, with its body.
  EXPECT_EQ(paste("0 10110 \"A\" [] | 0 13310 \"\" [0] | 1 10110 \"X\" [] | 1 10 \"\" [] | "
                  "0 23311 \"\" [] | 0 10110 \"B\" []"),
            "0 10110 \"A\" [] | 0 10110 \"B\" [] | 0 0 \"\" []");
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(paste("0 13410 \"\" []"), "0 0 \"\" []");
  EXPECT_TRUE(ApplyEnabled()) << "a paste the filter emptied still counts";
  // A block whose size word runs past its data is no block at all.
  Clipboard().SetData(cfScriptLines, {0x40, 0, 0, 0, 0xCE, 0x7E, 0x00});
  OpenOn(1, "0 0 \"\" []");
  list->SetItemIndex(0);
  Item("MenuPaste")->trigger();
  EXPECT_EQ(list->Count(), 1);
  EXPECT_FALSE(ApplyEnabled());
}

} // namespace
