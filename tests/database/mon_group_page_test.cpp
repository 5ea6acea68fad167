// The "Monsters Party" page in the database window: edits reach the file on Apply and go
// on Cancel; members are added, arranged and dragged on the field; battle-event pages and
// their scripts follow the page's rules.
#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/image_file.h"
#include "core/monster_records.h"
#include "database/ed_mon_group.h"
#include "database_window_env.h"
#include "events/script_editor.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/script_list_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"

namespace {

constexpr int MonGroupTab = 4;
constexpr int32_t MessageCode = 10110;
constexpr int32_t TeleportCode = 10810;

class MonGroupPage : public DataBaseWindowTest {
protected:
  // The page on the first group (the list keeps its place from earlier tests).
  TFormEDMonGroup& OpenPage() {
    Open(MonGroupTab);
    TFormEDMonGroup& page = CurrentPage<TFormEDMonGroup>();
    page.SelectRow(0);
    return page;
  }
  template <class Control = QPushButton> Control* Find(const char* name) {
    return FindControl<Control>(window.get(), name);
  }
  TXelMonGroupItem& Group() { return *MonGroupList->FindById(1); }
  std::vector<int32_t> ScriptCodes(int page = 1) {
    std::vector<int32_t> codes;
    const TXelEventScriptList& script = Group().BattlePages.FindById(page)->Script;
    for (int i = 0; i < script.GetCount(); ++i)
      codes.push_back(script.GetItem(i)->Code);
    return codes;
  }
  // Puts script lines of the given codes (each a whole command) on the clipboard.
  static void ClipLines(std::initializer_list<int32_t> codes) {
    TXelEventScriptList lines;
    for (int32_t code : codes)
      lines.Add(code, 0);
    Clipboard().SetData(cfScriptLines, BuildScriptLinesClip(lines, 0, lines.GetCount()));
  }
  // A mouse event on the field, as the author's hand makes it.
  void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
    QWidget* field = Find<TScrollFrame>("MainArea")->viewport();
    QMouseEvent event(type, at, field->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(field, &event);
  }
};

TEST_F(MonGroupPage, EditsReachTheFileOnApplyAndGoOnCancel) {
  const std::string original = FileBytes();
  OpenPage();
  Find<TOverEdit>("OverEdit1")->setText("Dropped");
  EXPECT_TRUE(ApplyEnabled());
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  TFormEDMonGroup& page = OpenPage();
  Find<TOverEdit>("OverEdit1")->setText("Night Party");
  Find("ButtonDeleteAll")->click();
  auto* monsters = Find<QListView>("MonsterList");
  monsters->setCurrentIndex(MonsterModel().index(2, TCatalogModel::NameColumn));
  Find("ButtonAdd")->click();
  Find("ButtonAdd")->click();
  const int flag = Group().GetTerrainFlag(1);
  Find<TMarkListBox>("MarkListBox1")->ChangeMark(0, true);
  page.CurrentPage()->Trigger.Flags = 0;
  OnNextModal<TFormEDMonGroupBattleEventTrigger>([](TFormEDMonGroupBattleEventTrigger* dialog) {
    FindControl<QCheckBox>(dialog, "CheckBoxD")->click();
    FindControl<TDialEdit>(dialog, "DialEditD1")->SetValue(3);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  page.DashBox1Click();
  EXPECT_EQ(Find<TDashBox>("DashBox1")->Text(), "Turn No[3x]");
  ClipLines({MessageCode});
  page.Script()->List()->SetItemIndex(0);
  page.Script()->MenuPasteClick();
  Apply();
  EXPECT_FALSE(ApplyEnabled());
  const std::string applied = FileBytes();
  EXPECT_NE(applied, original);

  Find<TOverEdit>("OverEdit1")->setText("Later");
  Cancel();
  EXPECT_EQ(FileBytes(), applied);
  const TXelMonGroupItem& group = Group();
  EXPECT_EQ(group.Name, "Night Party");
  ASSERT_EQ(group.Members.GetCount(), 2);
  EXPECT_EQ(group.Members.GetItem(1)->MonsterId, 3);
  EXPECT_EQ(group.GetTerrainFlag(1), 1 - flag);
  const TXelBattleEventTrigger& trigger = group.BattlePages.FindById(1)->Trigger;
  EXPECT_EQ(trigger.Flags & btTurn, btTurn);
  EXPECT_EQ(trigger.TurnA, 3);
  EXPECT_EQ(ScriptCodes().front(), MessageCode);
}

TEST_F(MonGroupPage, MembersAreAddedInRowDraggedAndCappedAtTen) {
  TFormEDMonGroup& page = OpenPage();
  Find("ButtonDeleteAll")->click();
  Find("ButtonAdd")->click();
  Find("ButtonAdd")->click();
  TXelMonGroupMonster& members = Group().Members;
  TXelMonGroupMonster before;
  before.Assign(members);
  Find("ButtonDress")->click();
  for (int i = 0; i < 2; ++i) // added members stand in row already
    EXPECT_EQ(members.GetItem(i)->X, before.GetItem(i)->X) << i;
  // A member joining a group in row moves the others to keep the row centred.
  Find("ButtonAdd")->click();
  EXPECT_LT(members.GetItem(0)->X, before.GetItem(0)->X);
  before.Assign(members);

  // A left drag far beyond the right edge ends there.
  const QPoint start(members.GetItem(0)->X, members.GetItem(0)->Y);
  Mouse(QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(page.SelectedMember(), 0);
  Mouse(QEvent::MouseMove, QPoint(100000, start.y()), Qt::NoButton, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, QPoint(100000, start.y()), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(members.GetItem(0)->X, 320);
  EXPECT_TRUE(ApplyEnabled());

  // A hand-placed group keeps its places when a member joins it.
  Find("ButtonAdd")->click();
  EXPECT_EQ(members.GetItem(0)->X, 320);
  EXPECT_EQ(members.GetItem(1)->X, before.GetItem(1)->X);
  while (Find("ButtonAdd")->isEnabled())
    Find("ButtonAdd")->click();
  EXPECT_EQ(members.GetCount(), 10);
  page.ButtonAddClick();
  EXPECT_EQ(members.GetCount(), 10);
}

TEST_F(MonGroupPage, PagesAndScriptsFollowTheBattleEventRules) {
  TFormEDMonGroup& page = OpenPage();
  auto* tabs = Find<QTabBar>("TabControl1");
  while (Group().BattlePages.GetCount() > 1)
    page.ButtonPageDeleteClick();
  EXPECT_FALSE(Find("ButtonPageDelete")->isEnabled());
  EXPECT_EQ(tabs->count(), 1);

  // A map event's lines: the teleport goes, with nothing else.
  ClipLines({MessageCode, TeleportCode});
  page.Script()->List()->SetItemIndex(0);
  const std::vector<int32_t> before = ScriptCodes();
  page.Script()->MenuPasteClick();
  std::vector<int32_t> expected = before;
  expected.insert(expected.begin(), MessageCode);
  EXPECT_EQ(ScriptCodes(), expected);
  Apply();
  ClipLines({TeleportCode});
  page.Script()->List()->SetItemIndex(0);
  page.Script()->MenuPasteClick();
  EXPECT_EQ(ScriptCodes(), expected);
  EXPECT_TRUE(ApplyEnabled());

  // The end line and a second command rule out what the menu must not offer.
  const int last = page.Script()->List()->Count() - 1;
  page.Script()->List()->SetItemIndex(last);
  EXPECT_FALSE(page.Script()->MenuState().Delete);
  page.Script()->List()->SetSelStart(0);
  page.Script()->List()->SetSelEnd(1);
  EXPECT_FALSE(page.Script()->MenuState().Insert);

  // A block that is not a page inserts nothing.
  Clipboard().SetData(cfBattleEventPage, {4, 0, 0, 0});
  page.ButtonPagePasteClick();
  EXPECT_EQ(Group().BattlePages.GetCount(), 1);

  page.ButtonPageCopyClick();
  EXPECT_TRUE(Find("ButtonPagePaste")->isEnabled());
  page.ButtonPagePasteClick();
  ASSERT_EQ(Group().BattlePages.GetCount(), 2);
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_EQ(ScriptCodes(2), expected);
  while (Find("ButtonPageNew")->isEnabled())
    Find("ButtonPageNew")->click();
  EXPECT_EQ(Group().BattlePages.GetCount(), 100);
  EXPECT_EQ(tabs->count(), 100);
  EXPECT_FALSE(Find("ButtonPagePaste")->isEnabled());
}

// A member takes its monster picture's size: a 48 x 32 monster added stands with its feet
// at 148 and shows on the field; a flying one stands in the air.
TEST_F(MonGroupPage, AMemberStandsAsLargeAsItsPicture) {
  Mkdir("Project/Monster");
  SaveBitmapToImageFile(MakeGameBitmap(48, 32, 5), Path("Project/Monster/Blob.png"));
  MonsterList->FindById(1)->Graphic = "Blob";
  TFormEDMonGroup& page = OpenPage();
  Find("ButtonDeleteAll")->click();
  Find<QListView>("MonsterList")->setCurrentIndex(MonsterModel().index(0, 1));
  Find("ButtonAdd")->click();
  const TXelMonGroupMonsterItem& member = *Group().Members.GetItem(0);
  EXPECT_EQ(member.Y, 148 - 16);
  const QImage field = Find<TScrollFrame>("MainArea")->viewport()->grab().toImage();
  const QImage empty = [&] {
    Find("ButtonDeleteAll")->click();
    return Find<TScrollFrame>("MainArea")->viewport()->grab().toImage();
  }();
  int changed = 0;
  for (int y = member.Y - 16; y < member.Y + 16; ++y)
    for (int x = member.X - 24; x < member.X + 24; ++x)
      changed += field.pixel(x, y) != empty.pixel(x, y);
  EXPECT_GT(changed, 48 * 32 / 2);

  // A flyer added to the empty group is put in row: in the middle, in the air; the next
  // member re-centres the row (each takes 48 + 8 pixels).
  MonsterList->FindById(1)->Flying = 1;
  Find("ButtonAdd")->click();
  const TXelMonGroupMonster& members = Group().Members;
  EXPECT_EQ(members.GetItem(0)->X, 160);
  EXPECT_EQ(members.GetItem(0)->Y, 16 / 2 + 48);
  Find("ButtonAdd")->click();
  EXPECT_EQ(members.GetItem(0)->X, 160 - 28);
  EXPECT_EQ(members.GetItem(1)->X, 160 + 28);
  EXPECT_EQ(members.GetItem(1)->Y, 16 / 2 + 48);
  (void)page;
}

} // namespace
