// The one-line boxes of the pages take only the first line of a paste, however it is
// pasted, so no field ever holds a line break; a paste of which nothing is left changes
// nothing.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListView>
#include <functional>
#include <gtest/gtest.h>

#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/vocabulary_record.h"
#include "page_env.h"
#include "wait_until.h"

namespace {

constexpr int HeroTab = 0;
constexpr int SkillTab = 1;
constexpr int VocabularyTab = 10;

using OneLineBoxes = ListPageTest;

TEST_F(OneLineBoxes, APasteStoresItsFirstLineOrLeavesTheText) {
  const struct {
    const char* what;
    int tab;
    const char* edit;
    std::function<std::string()> stored;
  } rows[] = {
      {"hero", HeroTab, "OverEdit1", [] { return PlayerList->GetItem(0)->Name; }},
      {"name", SkillTab, "OverEdit1", [] { return SkillList->GetItem(0)->Name; }},
      {"message", SkillTab, "OverEdit3", [] { return SkillList->GetItem(0)->UsingMessage1; }},
      {"term", VocabularyTab, "OverEditA10", [] { return *VocabularyData->Text(1); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Open(row.tab);
    if (row.tab != VocabularyTab) Select(0);
    // The vocabulary's first sub-page is made once the window has shown.
    auto* tabs = CurrentPage().findChild<QTabBar*>("TabControl");
    if (tabs && tabs->currentIndex() != 0) tabs->setCurrentIndex(0);
    QLineEdit* edit = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (edit = CurrentPage().findChild<QLineEdit*>(row.edit)) != nullptr; },
                  std::chrono::seconds(20), HandleEvents));
    const auto paste = [edit](const QString& text, auto how) {
      edit->setFocus();
      edit->selectAll();
      QGuiApplication::clipboard()->setText(text);
      how();
    };
    const auto keys = [edit] { QTest::keySequence(edit, QKeySequence::Paste); };
    paste("First\nSecond", [edit] { PickFromContextMenu(edit, "Paste"); });
    EXPECT_EQ(row.stored(), "First");
    paste(QStringLiteral("Other\u2028Line"), keys);
    EXPECT_EQ(row.stored(), "Other");
    paste("\nHero", keys);
    EXPECT_EQ(row.stored(), "Other");
    EXPECT_EQ(edit->text(), "Other");
  }
}

// A page's boxes are filled while the tab row or the list has the focus: none of them
// shows a selection then, and the one clicked into selects its whole text.
TEST_F(OneLineBoxes, ABoxShowsASelectionOnlyWhileItHasTheFocus) {
  const auto check = [this](const char* when) {
    SCOPED_TRACE(when);
    auto* name = Find<QLineEdit>("OverEdit1");
    EXPECT_FALSE(name->text().isEmpty());
    for (QLineEdit* box : Page().findChildren<QLineEdit*>()) {
      EXPECT_TRUE(box->hasFocus() || !box->hasSelectedText()) << box->objectName().toStdString();
    }
    return name;
  };
  OpenOn(HeroTab, 0);
  QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
  ASSERT_EQ(window->CurrentTab(), SkillTab);
  check("after a tab change");
  Find<QListView>("DataList")->setFocus(Qt::MouseFocusReason);
  Select(1);
  QLineEdit* name = check("after another entry");
  QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(4, 4));
  EXPECT_TRUE(name->hasFocus());
  EXPECT_EQ(name->selectedText(), name->text());
}

} // namespace
