#include "framework/controls/mark_list_box.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "framework/harness/widget_harness.h"

namespace {

class MarkList : public ::testing::Test {
protected:
  void SetUp() override {
    list.addItems({"Sword", "Spear", "Axe", "Bow"});
    list.resize(160, 120);
    ShowAndActivate(&list);
  }

  QPoint MarkCell(int row) const {
    const QRect r = list.visualRect(list.model()->index(row, 0));
    return {r.left() + 6, r.center().y()};
  }

  // The 7 x 7 glyph area of a line's mark box, as drawn.
  QImage GlyphArea(int row) {
    const QImage image = list.viewport()->grab().toImage();
    const QRect r = list.visualRect(list.model()->index(row, 0));
    const int boxTop = r.top() + (r.height() - 11) / 2;
    return image.copy(r.left() + 1 + 2, boxTop + 2, 7, 7).convertToFormat(QImage::Format_RGB32);
  }

  // True when every black pixel of the glyph is black on the screen and the rest is not.
  static bool Shows(const QImage& area, const QImage& glyph) {
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 7; ++x) {
        const bool inked = qAlpha(glyph.pixel(x, y)) != 0;
        if (inked != ((area.pixel(x, y) & 0xFFFFFF) == 0)) return false;
      }
    return true;
  }

  static bool Blank(const QImage& area) {
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 7; ++x)
        if ((area.pixel(x, y) & 0xFFFFFF) == 0) return false;
    return true;
  }

  TMarkListBox list;
};

} // namespace

TEST_F(MarkList, RanksGoRoundWithTheRightButtonForwardAndTheLeftBack) {
  QSignalSpy marks(&list, &TMarkListBox::ClickMark);
  list.SetMarks(0, 4);
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, MarkCell(0));
  EXPECT_EQ(list.Marks(0), 0);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, MarkCell(1));
  EXPECT_EQ(list.Marks(1), 4);
  ASSERT_EQ(marks.count(), 2);
  EXPECT_EQ(marks.at(1).at(0).toInt(), 1);
  // A click on the text changes no mark.
  const QRect text = list.visualRect(list.model()->index(2, 0));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    QPoint(text.left() + 20, text.center().y()));
  EXPECT_EQ(list.Marks(2), 0);
  EXPECT_EQ(list.currentRow(), 2);
  EXPECT_EQ(marks.count(), 2);
}

TEST_F(MarkList, ChecksToggleWithClicksAndSpace) {
  list.SetMode(TMarkListBox::mmCheck);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, MarkCell(3));
  EXPECT_TRUE(list.Checked(3));
  list.setCurrentRow(3);
  QTest::keyClick(&list, Qt::Key_Space);
  EXPECT_FALSE(list.Checked(3));
  list.SetMarks(3, 7);
  EXPECT_TRUE(list.Checked(3));
  list.SetChecked(3, true); // already checked: the stored 7 stays
  EXPECT_EQ(list.Marks(3), 7);
  list.SetChecked(3, false);
  EXPECT_EQ(list.Marks(3), 0);
}

TEST_F(MarkList, MarksOutsideTheListReadAsZeroAndAreNotStored) {
  EXPECT_EQ(list.Marks(10), 0);
  EXPECT_EQ(list.Marks(-1), 0);
  list.SetMarks(10, 3);
  list.ChangeMark(10, true);
  EXPECT_EQ(list.Marks(10), 0);
  list.addItem("Whip");
  EXPECT_EQ(list.Marks(4), 0);
}

TEST_F(MarkList, EachRankShowsItsGlyphAndOtherRanksShowNone) {
  for (int rank = 0; rank < 5; ++rank) {
    list.SetMarks(0, rank);
    EXPECT_TRUE(Shows(GlyphArea(0), MarkGlyph(rank))) << "rank " << rank;
  }
  // The glyphs differ, so the check above tells ranks apart.
  EXPECT_NE(MarkGlyph(0), MarkGlyph(1));
  list.SetMarks(0, 5);
  EXPECT_TRUE(Blank(GlyphArea(0)));
  list.SetMarks(0, -2);
  EXPECT_TRUE(Blank(GlyphArea(0)));

  list.SetMode(TMarkListBox::mmCheck);
  list.SetMarks(1, 0);
  EXPECT_TRUE(Blank(GlyphArea(1)));
  list.SetMarks(1, 9);
  EXPECT_TRUE(Shows(GlyphArea(1), MarkGlyph(CheckMarkGlyph)));
}
