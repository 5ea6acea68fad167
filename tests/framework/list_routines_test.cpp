#include "framework/pickers/list_routines.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/switch_records.h"
#include "framework/controls/dial_edit.h"
#include "framework/harness/widget_harness.h"

namespace {

TXelSwitchItem* AddSwitch(TXelSwitch& list, int id, const std::string& name) {
  TXelSwitchItem* item = list.GetOrCreate(id);
  item->Name = name;
  return item;
}

void FillSwitches(TXelSwitch& list, int count) {
  for (int id = 1; id <= count; ++id)
    AddSwitch(list, id, std::string("S").append(std::to_string(id)));
}

std::vector<int> Ids(const TCatalog& list) {
  std::vector<int> ids;
  for (int k = 0; k < list.GetCount(); ++k)
    ids.push_back(list.GetItem(k)->Id);
  return ids;
}

// Runs Body on the modal dialog that the code under test is about to open.
void WhenModal(std::function<void(QWidget*)> body) {
  QTimer::singleShot(0, [body] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
      WhenModal(body);
      return;
    }
    body(dialog);
  });
}

// A database page: the list on the left inside its owner window.
class ListPage : public ::testing::Test {
protected:
  void SetUp() override {
    owner.resize(640, 480);
    owner.move(40, 20);
    page = new QWidget(&owner);
    page->setGeometry(20, 0, 600, 480);
    DataList = new QListWidget(page);
    DataList->setGeometry(0, 0, 177, 264);
    ShowAndActivate(&owner);
  }

  QWidget owner;
  QWidget* page;
  QListWidget* DataList;
  TXelSwitch switches;
  TScriptedMessageBoxes boxes;
};

} // namespace

TEST(CatalogLines, FourDigitIdsColonAndTheNameFromTheCodePage) {
  TXelSwitch list;
  AddSwitch(list, 7, "Caf\xE9");
  AddSwitch(list, 12345, "");
  EXPECT_EQ(CatalogItemLine(list, 0), QString::fromUtf8("0007:Café"));
  EXPECT_EQ(CatalogItemLine(list, 1), "12345:");
  EXPECT_EQ(CatalogItemLine(list, 2), "");
}

TEST(CatalogLines, NamesByIdGiveAQuestionMarkForWhatIsMissing) {
  TXelSwitch switches;
  AddSwitch(switches, 1, "Door open");
  switches.GetOrCreate(3);
  TXelPlayer heroes;
  heroes.GetOrCreate(2)->Name = "Mira";
  SwitchList = &switches;
  PlayerList = &heroes;
  EXPECT_EQ(SwitchNameById(1), "0001:Door open");
  EXPECT_EQ(SwitchNameById(3), "0003");
  EXPECT_EQ(SwitchNameById(2), "?");
  EXPECT_EQ(HeroNameById(2), "Mira");
  EXPECT_EQ(HeroNameById(0), "?");
  // Outside editor mode too: a name lookup never raises.
  EXPECT_EQ(HeroNameById(9999), "?");
  SwitchList = nullptr;
  PlayerList = nullptr;
  EXPECT_EQ(VariableNameById(1), "?");
  EXPECT_EQ(CommonEventNameById(1), "?");
}

TEST_F(ListPage, RefillKeepsThePositionOrSelectsTheLastLine) {
  FillSwitches(switches, 3);
  RefillCatalogList(DataList, switches);
  ASSERT_EQ(DataList->count(), 3);
  EXPECT_EQ(DataList->item(2)->text(), "0003:S3");
  EXPECT_EQ(DataList->currentRow(), 2);
  DataList->setCurrentRow(2);
  switches.DeleteById(3);
  RefillCatalogList(DataList, switches);
  EXPECT_EQ(DataList->count(), 2);
  EXPECT_EQ(ListTopIndex(DataList), 0);
  EXPECT_EQ(DataList->currentRow(), 1);

  switches.Clear();
  RefillCatalogList(DataList, switches);
  EXPECT_EQ(Ids(switches), std::vector<int>({1}));
  EXPECT_EQ(DataList->item(0)->text(), "0001:");
}

TEST_F(ListPage, RestoreListPositionSetsTheTopLineThenTheSelection) {
  FillSwitches(switches, 100);
  RefillCatalogList(DataList, switches);
  RestoreListPosition(DataList, 40, 45);
  EXPECT_EQ(ListTopIndex(DataList), 40);
  EXPECT_EQ(DataList->currentRow(), 45);
  RestoreListPosition(DataList, 0, 100);
  EXPECT_EQ(DataList->currentRow(), 0);
}

TEST_F(ListPage, RaisingTheMaximumAddsDefaultEntriesWithoutAsking) {
  FillSwitches(switches, 20);
  RefillCatalogList(DataList, switches);
  WhenModal([this](QWidget* dialog) {
    EXPECT_EQ(dialog->objectName(), "FormDataMaxChange");
    EXPECT_EQ(dialog->windowTitle(), "Data Maximum (30,000)");
    // Placed at 14 pixels right of the page's left edge and 410 down in the owner.
    EXPECT_EQ(dialog->frameGeometry().topLeft(), owner.mapToGlobal(QPoint(20 + 14, 410)));
    auto* edit = FindControl<TDialEdit>(dialog, "DialEdit1");
    EXPECT_EQ(edit->Value(), 20);
    EXPECT_EQ(edit->MinValue(), -10);
    EXPECT_EQ(edit->MaxValue(), 30000);
    edit->SetValue(25);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  EXPECT_TRUE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(switches.GetCount(), 25);
  EXPECT_EQ(switches.FindById(21)->Name, "");
  EXPECT_EQ(DataList->count(), 25);
  EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(ListPage, LoweringTheMaximumAsksAndNoKeepsTheDialogOpen) {
  FillSwitches(switches, 20);
  RefillCatalogList(DataList, switches);
  boxes.Answer(IDNO);
  boxes.Answer(IDYES);
  WhenModal([this](QWidget* dialog) {
    auto* edit = FindControl<TDialEdit>(dialog, "DialEdit1");
    auto* ok = FindControl<QPushButton>(dialog, "ButtonOk");
    edit->SetValue(15);
    ok->click();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text,
              "All fields above the Max Field Number will be lost. Continue?");
    EXPECT_EQ(boxes.Boxes()[0].flags, 52);
    EXPECT_EQ(boxes.Boxes()[0].parent, dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(edit->text(), "15");
    EXPECT_EQ(switches.GetCount(), 20);
    ok->click();
  });
  EXPECT_TRUE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(switches.GetCount(), 15);
  EXPECT_EQ(switches.FindById(15)->Name, "S15");
  EXPECT_EQ(DataList->count(), 15);
}

TEST_F(ListPage, MaximumChangesWorkByIdOnListsWithGapsAndCancelChangesNothing) {
  for (int id : {1, 2, 5, 9})
    AddSwitch(switches, id, "x");
  RefillCatalogList(DataList, switches);
  WhenModal([](QWidget* dialog) {
    auto* edit = FindControl<TDialEdit>(dialog, "DialEdit1");
    EXPECT_EQ(edit->Value(), 9);
    edit->SetValue(11);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  EXPECT_TRUE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(Ids(switches), std::vector<int>({1, 2, 5, 9, 10, 11}));

  boxes.Answer(IDYES);
  WhenModal([](QWidget* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(4);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  EXPECT_TRUE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(Ids(switches), std::vector<int>({1, 2}));

  WhenModal([](QWidget* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(300);
    FindControl<QPushButton>(dialog, "ButtonCancel")->click();
  });
  EXPECT_FALSE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(Ids(switches), std::vector<int>({1, 2}));

  // Zero or below deletes everything; the refill brings back a default entry 1.
  boxes.Answer(IDYES);
  WhenModal([](QWidget* dialog) {
    FindControl<TDialEdit>(dialog, "DialEdit1")->SetValue(-10);
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  EXPECT_TRUE(ChangeCatalogMaximum(page, DataList, switches));
  EXPECT_EQ(Ids(switches), std::vector<int>({1}));
  EXPECT_EQ(switches.FindById(1)->Name, "");
}

TEST_F(ListPage, MultiCopyOffersTheEntriesToTheEndAndCopiesThem) {
  TMemoryClipboard clipboard;
  SetClipboardProvider(&clipboard);
  FillSwitches(switches, 20);
  RefillCatalogList(DataList, switches);
  WhenModal([this](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Multi Copy");
    EXPECT_EQ(dialog->frameGeometry().topLeft(), owner.mapToGlobal(QPoint(20 + 14, 32)));
    auto* edit = FindControl<TDialEdit>(dialog, "DialEdit1");
    EXPECT_EQ(edit->MaxValue(), 3);
    EXPECT_EQ(edit->Value(), 3);
    edit->setText("2");
    FindControl<QPushButton>(dialog, "ButtonOk")->click();
  });
  EXPECT_TRUE(MultiCopyCatalog(page, DataList, switches, 573, switches.FindById(18)));
  const auto block = GetClipboardBlock(573);
  ASSERT_TRUE(block);
  EXPECT_EQ(block->Count, 2u);
  // Pasted over 1 and 2 they bring the names of 18 and 19.
  TXelSwitch target;
  FillSwitches(target, 2);
  EXPECT_EQ(target.PasteFromClipboard(573, 0), 2);
  EXPECT_EQ(target.FindById(1)->Name, "S18");
  EXPECT_EQ(target.FindById(2)->Name, "S19");
  SetClipboardProvider(nullptr);
}

TEST_F(ListPage, MultiCopyNeverOffersMoreThanFiveThousand) {
  FillSwitches(switches, 6000);
  RefillCatalogList(DataList, switches);
  WhenModal([](QWidget* dialog) {
    auto* edit = FindControl<TDialEdit>(dialog, "DialEdit1");
    EXPECT_EQ(edit->MaxValue(), 5000);
    FindControl<QPushButton>(dialog, "ButtonCancel")->click();
  });
  EXPECT_FALSE(MultiCopyCatalog(page, DataList, switches, 573, switches.FindById(1)));
  // An entry that is not in the list offers nothing.
  TXelSwitchItem stranger(1);
  EXPECT_FALSE(MultiCopyCatalog(page, DataList, switches, 573, &stranger));
}

TEST_F(ListPage, RedrawListLineRenewsOnlyTheSelectedLine) {
  FillSwitches(switches, 5);
  RefillCatalogList(DataList, switches);
  DataList->setCurrentRow(3);
  switches.FindById(4)->Name = "Bridge";
  switches.FindById(5)->Name = "Gate";
  RedrawListLine(DataList, switches);
  EXPECT_EQ(DataList->item(3)->text(), "0004:Bridge");
  EXPECT_EQ(DataList->item(4)->text(), "0005:S5");
}
