// The window and the list frame every list page inherits, driven through a page of the
// test's own over the hero list, and a walk over every registered page.
#include <QAction>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "database_window_env.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/message_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/pickers/sel_music.h"

namespace {

TListPosition TestPagePosition;

class TFormTestPage : public TFormDataBasePage<TXelPlayerItem> {
public:
  explicit TFormTestPage(QWidget* parent)
      : TFormDataBasePage(
            parent, 2,
            {[]() -> TCatalog* { return PlayerList; }, &HeroModel, cfHero, &TestPagePosition}) {
    TFormBuilder b(this, "FormTestPage", "Hero", PageWidth, PageHeight);
    b.Row([&] {
      DataListColumn(b, "Hero");
      Name = b.Edit("EditName", Field(&CurrentEntry, &TXelPlayerItem::Name), 20);
    });
    Start();
  }
  void RefreshEntryControls() override { ++Refreshes; }
  TXelPlayerItem* Bound() const { return CurrentEntry; }
  QLineEdit* Name;
  int Refreshes = 0;
  int Modified = 0;
};

class ListFrame : public DataBaseWindowTest {
protected:
  void SetUp() override {
    DataBaseWindowTest::SetUp();
    TestPagePosition = {};
    Make();
  }
  void Make() {
    page = std::make_unique<TFormTestPage>(nullptr);
    page->OnModified = [this](TFormDataBaseBase&) { ++page->Modified; };
    page->resize(PageWidth, PageHeight);
    ShowAndActivate(page.get());
  }
  void Select(int row) { page->SelectRow(row); }
  QString Line(int row) const { return HeroModel().index(row, 0).data().toString(); }
  QAction* PasteItem() const { return page->findChild<QAction*>("Menu_DataPaste"); }
  QListView* List() const { return FindControl<QListView>(page.get(), "DataList"); }

  std::unique_ptr<TFormTestPage> page;
};

TEST_F(ListFrame, BindsTheSelectedLineAndEditsReachTheEntryAndItsLine) {
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(0));
  Select(4);
  ASSERT_EQ(page->Bound(), PlayerList->GetItem(4));
  page->Name->setText("Ansel");
  EXPECT_EQ(PlayerList->GetItem(4)->Name, "Ansel");
  EXPECT_EQ(Line(4), "0005:Ansel");
  EXPECT_GE(page->Modified, 1);
  // Clicking the bound line again does not refill a half-typed value.
  page->Name->blockSignals(true);
  page->Name->setText("Ans");
  page->Name->blockSignals(false);
  page->DataListClick();
  EXPECT_EQ(page->Name->text(), "Ans");
  // F4/F5 of the window move one line.
  page->SelectNextEntry();
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(5));
  page->SelectPreviousEntry();
  page->SelectPreviousEntry();
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(3));
}

TEST_F(ListFrame, CopyPasteAndClearGoThroughTheHeroFormat) {
  Select(2);
  page->MenuDataCopyClick();
  auto block = GetClipboardBlock(cfHero);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Count, 1u);

  // Another page's format leaves "&Paste" disabled, and its key does nothing.
  const std::string name7 = PlayerList->GetItem(7)->Name;
  PutClipboardBlock(cfSkill, 1, block->Data);
  Select(7);
  page->DataListPopup();
  EXPECT_FALSE(PasteItem()->isEnabled());
  page->MenuDataPasteClick();
  EXPECT_EQ(PlayerList->GetItem(7)->Name, name7);

  // A cut-off block of the right format pastes nothing and changes nothing.
  std::vector<uint8_t> cut(block->Data.begin(), block->Data.end() - 1);
  PutClipboardBlock(cfHero, 1, cut);
  page->Modified = 0;
  page->MenuDataPasteClick();
  EXPECT_EQ(page->Modified, 0);
  EXPECT_EQ(PlayerList->GetItem(7)->Name, name7);

  PutClipboardBlock(cfHero, block->Count, block->Data);
  page->DataListPopup();
  EXPECT_TRUE(PasteItem()->isEnabled());
  page->MenuDataPasteClick();
  EXPECT_EQ(PlayerList->GetItem(7)->Name, PlayerList->GetItem(2)->Name);
  EXPECT_EQ(PlayerList->GetItem(7)->Id, 8);
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(7));
  EXPECT_EQ(page->Name->text().toStdString(), PlayerList->GetItem(2)->Name);
  EXPECT_EQ(page->Modified, 1);

  page->MenuDataClearClick();
  EXPECT_EQ(PlayerList->GetItem(7)->Name, "");
  EXPECT_EQ(PlayerList->GetItem(7)->Id, 8);
  EXPECT_EQ(Line(7), "0008:");
}

TEST_F(ListFrame, APasteStopsAtId5000AndTheListFollowsTheCatalog) {
  PlayerList->GetOrCreate(4999);
  HeroModel().CatalogChanged();
  PlayerList->CopyToClipboard(cfHero, 0, 3);
  Select(PlayerList->IndexOf(PlayerList->FindById(4999)));
  page->MenuDataPasteClick();
  EXPECT_EQ(PlayerList->GetItem(PlayerList->GetCount() - 1)->Id, 5000);
  EXPECT_EQ(HeroModel().rowCount(), PlayerList->GetCount());
  EXPECT_EQ(PlayerList->FindById(5000)->Name, PlayerList->FindById(2)->Name);
  // At id 5000 there is no room left.
  Select(HeroModel().rowCount() - 1);
  page->DataListPopup();
  EXPECT_TRUE(PasteItem()->isEnabled());
  PlayerList->GetOrCreate(5001);
  HeroModel().CatalogChanged();
  Select(HeroModel().rowCount() - 1);
  page->DataListPopup();
  EXPECT_FALSE(PasteItem()->isEnabled());
}

TEST_F(ListFrame, AMaximumBelowTheBoundEntryForgetsItBeforeDeletingIt) {
  Select(200);
  boxes.Answer(IDYES);
  OnNextModal<TFormXelBase>([](TFormXelBase* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(100);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  page->ButtonMaxClick();
  EXPECT_EQ(PlayerList->GetCount(), 100);
  EXPECT_EQ(HeroModel().rowCount(), 100);
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(99));
  page->Name->setText("Last");
  EXPECT_EQ(PlayerList->GetItem(99)->Name, "Last");
  EXPECT_EQ(page->Modified, 2);
}

TEST_F(ListFrame, TheListPositionIsKeptForTheNextPageOfTheClass) {
  Select(150);
  List()->scrollTo(HeroModel().index(140, 0), QAbstractItemView::PositionAtTop);
  page.reset();
  EXPECT_EQ(TestPagePosition.Selected, 150);
  EXPECT_EQ(TestPagePosition.Top, 140);
  Make();
  EXPECT_EQ(page->Bound(), PlayerList->GetItem(150));
  EXPECT_EQ(List()->indexAt(QPoint(1, 1)).row(), 140);
}

using DataBaseWindow = DataBaseWindowTest;

TEST_F(DataBaseWindow, TabKeysWrapAndTheNextOpeningStartsOnTheLastTab) {
  Open(12);
  EXPECT_EQ(window->CurrentTab(), 12);
  EXPECT_EQ(window->HelpContext, 14);
  QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(window->CurrentTab(), 0);
  QTest::keyClick(window.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(window->CurrentTab(), 12);
  window->NextTab(-1);
  window->NextTab(-1);
  EXPECT_EQ(window->CurrentTab(), 10);
  Cancel();
  window.reset();
  EXPECT_EQ(LastDataBaseTab, 10);
  LastDataBaseTab = 10;
  window = std::make_unique<TFormDataBase>(&owner);
  ShowAndActivate(window.get());
  EXPECT_EQ(window->CurrentTab(), 10);
}

TEST_F(DataBaseWindow, ApplySavesCancelDiscardsAndAFailingOkKeepsTheWindow) {
  const std::string original = FileBytes();
  Open(0);
  EXPECT_FALSE(ApplyEnabled());
  PlayerList->FindById(3)->Name = "Applied";
  window->PageModified();
  ASSERT_TRUE(ApplyEnabled());
  Apply();
  EXPECT_FALSE(ApplyEnabled());
  const std::string applied = FileBytes();
  EXPECT_NE(applied, original);
  PlayerList->FindById(3)->Name = "Dropped";
  Cancel();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(PlayerList->FindById(3)->Name, "Applied");
  EXPECT_EQ(FileBytes(), applied);

  // A project folder gone: the save fails, the error shows, nothing is lost.
  Open(0);
  PlayerList->FindById(3)->Name = "Kept";
  const std::string project = ProjectPath;
  ProjectPath = project + "gone/";
  Ok();
  ProjectPath = project;
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(PlayerList->FindById(3)->Name, "Kept");
  ASSERT_FALSE(boxes.Boxes().empty());
  EXPECT_EQ(FileBytes(), applied);
  Ok();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(PlayerList->FindById(3)->Name, "Kept");
}

// Every registered page, bound to every 100th entry without an edit, leaves Apply
// disabled and the file as it was.
TEST_F(DataBaseWindow, WalkingEveryPageChangesNothing) {
  const std::string original = FileBytes();
  int pages = 0;
  for (int tab = 0; tab < DataBaseTabCount; ++tab) {
    if (!FindRegisteredForm(TFormGroup::DataBasePage, tab)) continue;
    Open(tab);
    ++pages;
    ASSERT_TRUE(window->CurrentPage()) << tab;
    if (auto* list = dynamic_cast<TFormDataBaseListPage*>(window->CurrentPage())) {
      const int rows = list->RowCount();
      for (int row = 0; row < rows; row += 100)
        list->SelectRow(row);
      EXPECT_EQ(list->BoundRow(), list->SelectedRow()) << tab;
    }
    EXPECT_FALSE(ApplyEnabled()) << "tab " << tab;
    Cancel();
    EXPECT_EQ(FileBytes(), original) << "tab " << tab;
  }
  EXPECT_TRUE(boxes.Boxes().empty());
  RecordProperty("pages", pages);
}

} // namespace

namespace {

TEST_F(DataBaseWindow, AFailedReloadOnCloseSaysWhyAndTheMusicButtonOnlyListens) {
  Open(0);
  bool listened = false;
  OnNextModal<TFormSelMusic>([&](TFormSelMusic* picker) {
    listened = picker->ListenOnly == 1;
    picker->done(mrCancel);
  });
  window->MenuButtonMusicClick();
  EXPECT_TRUE(listened);

  // The file spoilt behind the window's back: closing cannot read it again.
  Put(std::string("Project/") + DataBaseFileName, "not a database");
  Cancel();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_FALSE(boxes.Boxes()[0].text.isEmpty());
  EXPECT_EQ(boxes.Boxes()[0].text.toStdString(), DataBase().LastLoadError());
}

// A database whose load failed, in the monster table or at damage that shifted what was
// read after it, holds defaults or garbage: OK says why and keeps the window open, and
// the file keeps every byte.
TEST_F(DataBaseWindow, OkOnADatabaseThatDidNotLoadLeavesItsFileAndSaysWhy) {
  const std::string good = FileBytes();
  const struct {
    std::string bytes;
    const char* table;
  } rows[] = {
      {DamageTable(good, 14), "Monsters"},
      {DamageFirstName(good, 19), "Battle Animation"},
      {DamageTableLength(good, 12), "Skills"},
      {DamageTableId(good, 11, 10), "Hero"},
  };
  for (const auto& row : rows) {
    Put(std::string("Project/") + DataBaseFileName, row.bytes);
    ASSERT_FALSE(DataBase().LoadProjectDataBase()) << row.table;
    Open(0);
    const size_t shown = boxes.Boxes().size();
    Ok();
    ASSERT_EQ(boxes.Boxes().size(), shown + 1) << row.table;
    const std::string error = DataBase().LastLoadError();
    EXPECT_EQ(boxes.Boxes().back().text.toStdString(), error);
    EXPECT_NE(error.find(DataBaseFileName), std::string::npos);
    EXPECT_NE(error.find(std::string("The ") + row.table + " table"), std::string::npos) << error;
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(FileBytes() == row.bytes) << row.table;
  }
}

} // namespace
