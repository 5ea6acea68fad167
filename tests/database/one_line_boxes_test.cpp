// The one-line boxes of the pages take only the first line of a paste, however it is
// pasted, so no field ever holds a line break; a paste of which nothing is left changes
// nothing.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
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

} // namespace
