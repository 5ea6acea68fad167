// The report list of learned skills, action patterns and timings: an empty row to add
// at its end, the current row kept over a refill, and the author's keys as requests.
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "database/report_list.h"
#include "framework/harness/widget_harness.h"

namespace {

std::vector<QStringList> RowsOf(int count) {
  std::vector<QStringList> rows;
  for (int i = 0; i < count; ++i)
    rows.push_back({QString("L %1").arg(i), QString("Entry %1").arg(i)});
  return rows;
}

TEST(ReportList, EndsWithAnEmptyRowAndKeepsTheCurrentRowOverARefill) {
  TReportList list({"Level", "Name"}, {60, 120});
  EXPECT_EQ(list.Rows(), 0);
  EXPECT_EQ(list.CurrentRow(), 0); // the empty row
  list.Fill(RowsOf(3), true);
  ASSERT_EQ(list.topLevelItemCount(), 4);
  EXPECT_EQ(list.topLevelItem(1)->text(1), "Entry 1");
  EXPECT_EQ(list.topLevelItem(3)->text(0), "");
  list.SetCurrentRow(2);
  list.Fill(RowsOf(5));
  EXPECT_EQ(list.CurrentRow(), 2);
  list.SetCurrentRow(5);
  EXPECT_FALSE(list.OnEntryRow());
  list.Fill(RowsOf(1)); // shorter: the last row
  EXPECT_EQ(list.CurrentRow(), 1);
  list.Fill(RowsOf(4), true);
  EXPECT_EQ(list.CurrentRow(), 0);
}

TEST(ReportList, KeysAndDoubleClicksBecomeRequests) {
  TReportList list({"Level", "Name"}, {60, 120});
  list.Fill(RowsOf(2), true);
  ShowAndActivate(&list);
  const std::vector<std::pair<QKeySequence, const char*>> keys = {
      {QKeySequence(Qt::Key_Return), SIGNAL(EditRequested())},
      {QKeySequence(Qt::Key_Delete), SIGNAL(DeleteRequested())},
      {QKeySequence(Qt::CTRL | Qt::Key_X), SIGNAL(CutRequested())},
      {QKeySequence(Qt::CTRL | Qt::Key_C), SIGNAL(CopyRequested())},
      {QKeySequence(Qt::CTRL | Qt::Key_V), SIGNAL(PasteRequested())}};
  for (const auto& [key, signal] : keys) {
    QSignalSpy spy(&list, signal);
    QTest::keySequence(&list, key);
    EXPECT_EQ(spy.count(), 1) << key.toString().toStdString();
  }
  QSignalSpy edits(&list, &TReportList::EditRequested);
  const QRect second = list.visualItemRect(list.topLevelItem(1));
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(edits.count(), 1);
  EXPECT_EQ(list.CurrentRow(), 1);
  // Arrow keys still move.
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.CurrentRow(), 2);
}

} // namespace
