// The vocabulary page in the window: its sub-pages, the edits' fields and lengths, and
// the tab it comes back to.
#include <QTabBar>
#include <gtest/gtest.h>

#include "core/database_tables.h"
#include "core/vocabulary_record.h"
#include "core/vocabulary_terms.h"
#include "database_window_env.h"
#include "framework/controls/dial_edit.h"
#include "wait_until.h"

namespace {

constexpr int VocabularyTab = 10;

class VocabularyPage : public DataBaseWindowTest {
protected:
  QTabBar* Tabs() { return CurrentPage().findChild<QTabBar*>("TabControl"); }
  // The edit Name on the tab Tab, once its sub-page is made (the first comes after the
  // page shows).
  TOverEdit* EditOn(int tab, const QString& name) {
    if (Tabs()->currentIndex() != tab) Tabs()->setCurrentIndex(tab);
    return Find(name);
  }
  TOverEdit* Find(const QString& name) {
    TOverEdit* edit = nullptr;
    EXPECT_TRUE(
        WaitUntil([&] { return (edit = CurrentPage().findChild<TOverEdit*>(name)) != nullptr; },
                  std::chrono::seconds(20), HandleEvents))
        << name.toStdString();
    return edit;
  }
  std::string Text(int field) { return *VocabularyData->Text(field); }
};

TEST_F(VocabularyPage, EditsWriteTheirFieldsWithinTheirLengths) {
  Open(VocabularyTab);
  const struct {
    int tab;
    const char* edit;
    int field;
    const char* typed;
    const char* kept;
  } rows[] = {
      {0, "OverEditA70", 7, "You gained experience points for the long fight!",
       "You gained experience points for the l"}, // 38 of 48
      {1, "OverEditC20", 21, "Ouch", "Ouch"},
      {3, "OverEditH11", 81, "per night", "per night"},
      {4, "OverEditM17", 127, "EXP", "EX"},
      {4, "OverEditM14", 128, "Lv", "Lv"},
      {4, "OverEditM15", 129, "Hp", "Hp"},
      {4, "OverEditM16", 130, "Mp", "Mp"},
      {4, "OverEditN40", 148, "Slot", "Slot"},
      {4, "OverEditN30", 151, "Quit?", "Quit?"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.edit);
    TOverEdit* edit = EditOn(row.tab, row.edit);
    ASSERT_TRUE(edit);
    edit->clear();
    QTest::keyClicks(edit, row.typed);
    EXPECT_EQ(Text(row.field), row.kept);
  }
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(VocabularyPage, ALongTermShowsItsStart) {
  for (const TVocabularyTerm& term : VocabularyTerms())
    *VocabularyData->Text(term.Field) = "Welcome, traveller! What would you like to buy today?";
  Open(VocabularyTab);
  for (const TVocabularyTerm& term : VocabularyTerms()) {
    const QString name = QStringLiteral("OverEdit%1%2").arg(term.Letter).arg(term.Tag);
    SCOPED_TRACE(name.toStdString());
    TOverEdit* edit = EditOn(FindVocabularyGroup(term.Letter)->Tab, name);
    ASSERT_TRUE(edit);
    edit->grab(); // the box scrolls to its caret when it is painted
    EXPECT_EQ(edit->cursorPosition(), 0);
    EXPECT_LT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(), edit->width() / 4);
  }
}

TEST_F(VocabularyPage, ApplySavesEveryTextAndTheWindowComesBackToTheLastTab) {
  const std::string original = FileBytes();
  Open(VocabularyTab);
  EditOn(2, "OverEditE31")->setText("Sell");
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  // Every edit of every tab gets a text of its own, short enough for the shortest edit.
  Open(VocabularyTab);
  for (const TVocabularyTerm& term : VocabularyTerms()) {
    const QString name = QStringLiteral("OverEdit%1%2").arg(term.Letter).arg(term.Tag);
    TOverEdit* edit = EditOn(FindVocabularyGroup(term.Letter)->Tab, name);
    ASSERT_TRUE(edit);
    edit->setText(QString::number(term.Field, 36));
  }
  Apply();
  Cancel(); // on "Terms 5"; the reload reads the file
  for (const TVocabularyTerm& term : VocabularyTerms())
    EXPECT_EQ(Text(term.Field), QString::number(term.Field, 36).toStdString()) << term.Field;

  Open(VocabularyTab);
  EditOn(3, "OverEditG10");
  Open(VocabularyTab);
  EXPECT_TRUE(Find("OverEditG10")) << "reopened on \"Terms 4\"";
  EXPECT_EQ(Tabs()->currentIndex(), 3);
}

} // namespace
