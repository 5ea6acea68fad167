#include "shell/process_wait.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "framework/harness/widget_harness.h"
#include "shell/common/start_pos_mark.h"

TEST(ProcessWait, ClosesWhenTheRuntimeEndsAndRefusesEveryOtherWay) {
  QWidget owner;
  ShowAndActivate(&owner);
  QTemporaryDir folder;
  bool acted = false, stillOpen = false;
  // Acts once the wait window shows, however long the start takes; the stand-in runtime
  // runs until the file "stop" appears, so the window cannot close before that.
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* wait = qobject_cast<TFormProcessWait*>(QApplication::activeModalWidget());
    if (!wait || acted) return;
    acted = true;
    EXPECT_EQ(wait->windowTitle(), QStringLiteral("Test Play - Close"));
    QTest::keyClick(wait, Qt::Key_Escape);
    wait->close();
    QTest::keyClick(wait, Qt::Key_F4, Qt::AltModifier);
    stillOpen = wait->isVisible();
    QFile stop(folder.filePath("stop"));
    ASSERT_TRUE(stop.open(QIODevice::WriteOnly));
  });
  poll.start(5);
  EXPECT_TRUE(RunProcessAndWait(&owner, "Test Play - Close", "sh",
                                {"-c", "while [ ! -e stop ]; do sleep 0.01; done"}, folder.path()));
  EXPECT_TRUE(stillOpen);
}

TEST(ProcessWait, NoProcessOrOneThatNeverStartedEndsTheWaitAtOnce) {
  TFormProcessWait wait;
  EXPECT_EQ(wait.size(), QSize(180, 48));
  wait.show();
  wait.Timer1Timer();
  EXPECT_EQ(wait.result(), mrOk);
  EXPECT_FALSE(wait.isVisible());

  EXPECT_FALSE(RunProcessAndWait(nullptr, "x", "/nonexistent/KOVAX", {}, QDir::tempPath()));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ProcessWait, TheRuntimeRunsInTheGivenFolderWithItsArguments) {
  QTemporaryDir folder;
  EXPECT_TRUE(RunProcessAndWait(nullptr, "x", "sh",
                                {"-c", "pwd > out.txt; echo \"$1\" >> out.txt", "sh", "a b"},
                                folder.path()));
  QFile out(folder.filePath("out.txt"));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(out.readAll(), (QDir(folder.path()).canonicalPath() + "\na b\n").toUtf8());
}

TEST(StartPosMark, DrawsTheMarkOfItsScaleAndNothingAtOtherSizes) {
  TStartPosMark marks;
  const int sizes[] = {32, 16, 8, 4};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(marks.Sheet(i).Width(), sizes[i - 1] * 5);
    EXPECT_EQ(marks.Sheet(i).Height(), sizes[i - 1]);
    EXPECT_TRUE(marks.Sheet(i).Transparent);
  }
  TGlimraBoard board;
  board.SetSize(64, 64);
  const uint16_t background = 0x1234;
  auto fill = [&] {
    for (int y = 0; y < 64; ++y)
      std::fill_n(board.GetRow(y), 64, background);
  };
  auto untouched = [&] {
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        if (board.GetRow(y)[x] != background) return false;
    return true;
  };
  fill();
  marks.Draw(board, 8, 8, 24, TStartPosMark::smBoat, false);
  EXPECT_TRUE(untouched());

  // The boat's mark at 8 x 8 is its own colour inside a black frame, only within the cell.
  marks.Draw(board, 10, 20, 8, TStartPosMark::smBoat, false);
  const TGlimraSheet& sheet = marks.Sheet(3);
  EXPECT_EQ(board.GetRow(20)[10], sheet.ColorTable()[sheet.Pixels()[8]]);
  EXPECT_EQ(board.GetRow(23)[13], sheet.ColorTable()[sheet.Pixels()[3 * 40 + 8 + 3]]);
  EXPECT_NE(board.GetRow(23)[13], board.GetRow(20)[10]);
  EXPECT_EQ(board.GetRow(19)[10], background);
  EXPECT_EQ(board.GetRow(20)[18], background);
  const uint16_t full = board.GetRow(23)[13];

  fill();
  marks.Draw(board, 10, 20, 8, TStartPosMark::smBoat, true);
  EXPECT_NE(board.GetRow(23)[13], full);
  EXPECT_NE(board.GetRow(23)[13], background);
}
