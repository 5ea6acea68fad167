#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/editor_mode.h"
#include "core/errors.h"
#include "sample_records.h"

namespace {

std::vector<int32_t> Ids(const TCatalog& list) {
  std::vector<int32_t> ids;
  for (int i = 0; i < list.GetCount(); ++i)
    ids.push_back(list.GetItem(i)->Id);
  return ids;
}

void MakeIds(TSampleLeafList& list, std::initializer_list<int32_t> ids) {
  list.Clear();
  for (int32_t id : ids)
    list.GetOrCreate(id)->Value = id * 10;
}

TEST(CatalogEdit, AppendFollowsTheLastIdEvenAcrossGaps) {
  TSampleLeafList list;
  EXPECT_EQ(list.Append()->Id, 1);
  MakeIds(list, {1, 7});
  EXPECT_EQ(list.Append()->Id, 8);
}

TEST(CatalogEdit, InsertAtRenumbersTheTailAndRemoveAtReversesIt) {
  TSampleLeafList list;
  MakeIds(list, {1, 2, 3, 4, 5});
  TSampleLeaf* inserted = list.InsertAt(3);
  inserted->Value = -1;
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(list.FindById(3)->Value, -1);
  EXPECT_EQ(list.FindById(4)->Value, 30); // the old 3
  list.RemoveAt(3);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(list.FindById(3)->Value, 30);
  // Beyond the end: appended, nothing renumbered; a missing Id removes nothing.
  EXPECT_EQ(list.InsertAt(9)->Id, 9);
  list.RemoveAt(7);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3, 4, 5, 9}));
}

TEST(CatalogEdit, GetOrCreateFillsGapsWithoutRenumbering) {
  TSampleLeafList list;
  MakeIds(list, {1, 2, 7});
  TSampleLeaf* made = list.GetOrCreate(4);
  EXPECT_EQ(made->Value, 0);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 4, 7}));
  EXPECT_EQ(list.GetOrCreate(7)->Value, 70); // existing item, not a new one
  list.DeleteById(2);
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 4, 7}));
}

TEST(CatalogEdit, FindByIdUsesThePositionFirstAndScansOtherwise) {
  TSampleLeafList list;
  MakeIds(list, {1, 2, 3, 4, 5});
  EXPECT_EQ(list.FindById(9), nullptr);
  EXPECT_EQ(list.FindById(4), list.Items(3));
  MakeIds(list, {2, 5, 9});
  EXPECT_EQ(list.FindById(9)->Value, 90);
  EXPECT_EQ(list.FindById(2)->Value, 20);
  EXPECT_EQ(list.FindById(3), nullptr);
  EXPECT_EQ(list.FindById(0), nullptr);
}

TEST(CatalogEdit, SortAndRenumberGivesIdsInTheNewOrder) {
  TSampleLeafList list;
  MakeIds(list, {1, 2, 3});
  list.SortAndRenumber([](const TCatalogItem* a, const TCatalogItem* b) {
    return static_cast<const TSampleLeaf*>(b)->Value - static_cast<const TSampleLeaf*>(a)->Value;
  });
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(list.Items(0)->Value, 30);
  EXPECT_EQ(list.Items(2)->Value, 10);
}

TEST(CatalogEdit, AssignCopiesEveryItemUnderItsId) {
  TSampleLeafList source, target;
  MakeIds(source, {2, 5});
  MakeIds(target, {1, 2, 3});
  target.Assign(source);
  EXPECT_EQ(Ids(target), (std::vector<int32_t>{2, 5}));
  EXPECT_EQ(target.FindById(5)->Value, 50);
  EXPECT_NE(target.FindById(5), source.FindById(5));
}

TEST(CatalogAccess, CheckedAccessorsRaiseTheListMessageOutsideEditorMode) {
  TSampleLeafList list;
  MakeIds(list, {1, 2});
  EXPECT_EQ(list.GetItemById(2)->Value, 20);
  try {
    list.GetItemById(3);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Invalid Hero");
  }
  EXPECT_THROW(list.GetItem(2), Exception);
  EXPECT_THROW(list.GetItem(-1), Exception);
  {
    TApplicationTagScope editor(EditorModeTag);
    EXPECT_EQ(list.GetItem(2), nullptr);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    EXPECT_EQ(list.GetItemById(3), nullptr);
  }
  EXPECT_THROW(list.GetItemById(3), Exception);
}

TEST(CatalogStream, SavesCountThenIdAndRecordPerItem) {
  TSampleLeafList list;
  EXPECT_EQ(SaveBytes(list), (Bytes{0x00}));
  MakeIds(list, {1, 200});
  list.FindById(1)->Value = 0;
  // count 2 | id 1, default record | id 200 (81 48), Value 2000 (8F 50)
  const Bytes expected = {0x02, 0x01, 0x00, 0x81, 0x48, 0x02, 0x02, 0x8F, 0x50, 0x00};
  EXPECT_EQ(SaveBytes(list), expected);
  TSampleLeafList back;
  LoadBytes(back, expected);
  EXPECT_EQ(Ids(back), (std::vector<int32_t>{1, 200}));
  EXPECT_EQ(back.FindById(200)->Value, 2000);
}

TEST(CatalogStream, OutOfOrderAndRepeatedIdsLoadAsGetOrCreateWouldBuildThem) {
  TSampleLeafList list;
  // count 4: id 5 (Value 1), id 2 (Value 2), id 5 again (Value 3), id 3 (default).
  LoadBytes(list, {0x04, 0x05, 0x02, 0x01, 0x01, 0x00, 0x02, 0x02, 0x01, 0x02, 0x00, 0x05, 0x02,
                   0x01, 0x03, 0x00, 0x03, 0x00});
  EXPECT_EQ(Ids(list), (std::vector<int32_t>{2, 3, 5}));
  EXPECT_EQ(list.FindById(5)->Value, 3);
  EXPECT_EQ(list.FindById(2)->Value, 2);
}

TEST(CatalogStream, AReadErrorClearsTheListAndIsRaisedAgain) {
  TSampleLeafList list;
  MakeIds(list, {1, 2});
  EXPECT_THROW(LoadBytes(list, {0x02, 0x01, 0x00, 0x02}), EReadError);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_THROW(LoadBytes(list, {0x8F, 0xFF, 0xFF, 0xFF, 0x7F}), EReadError);
  EXPECT_THROW(LoadBytes(list, {}), EReadError);
}

class CatalogClipboard : public ::testing::Test {
protected:
  void SetUp() override { SetClipboardProvider(&clipboard); }
  void TearDown() override { SetClipboardProvider(nullptr); }
  TMemoryClipboard clipboard;
};

TEST_F(CatalogClipboard, CopiesARunOfRecordsWithoutIds) {
  TSampleLeafList list;
  MakeIds(list, {1, 2, 3});
  list.CopyToClipboard(572, 1, 2);
  // size 8 | count 2 | Value 20 (02 01 14 00) | Value 30 (02 01 1E 00)
  EXPECT_EQ(*clipboard.GetData(572),
            (Bytes{8, 0, 0, 0, 2, 0, 0, 0, 0x02, 0x01, 0x14, 0x00, 0x02, 0x01, 0x1E, 0x00}));
  // A run past the end copies what exists.
  list.CopyToClipboard(572, 2, 5);
  EXPECT_EQ(GetLE32(clipboard.GetData(572)->data() + 4), 1u);
}

TEST_F(CatalogClipboard, PasteOverwritesOrCreatesTheIdsAfterIndex) {
  TSampleLeafList source, target;
  MakeIds(source, {1, 2, 3});
  source.CopyToClipboard(572, 0, 3);
  MakeIds(target, {1, 2});
  EXPECT_EQ(target.PasteFromClipboard(572, 1), 3);
  EXPECT_EQ(Ids(target), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(target.FindById(1)->Value, 10);
  EXPECT_EQ(target.FindById(2)->Value, 10);
  EXPECT_EQ(target.FindById(4)->Value, 30);
}

TEST_F(CatalogClipboard, PasteWritesByIdAlsoWhenTheListHasGaps) {
  TSampleLeafList source, target;
  MakeIds(source, {1, 2});
  source.CopyToClipboard(572, 0, 2);
  MakeIds(target, {1, 5, 6});
  target.FindById(5)->Value = -5;
  EXPECT_EQ(target.PasteFromClipboard(572, 1), 2);
  EXPECT_EQ(Ids(target), (std::vector<int32_t>{1, 2, 3, 5, 6}));
  EXPECT_EQ(target.FindById(5)->Value, -5);
  EXPECT_EQ(target.FindById(3)->Value, 20);
}

TEST_F(CatalogClipboard, PasteNeverCreatesAnIdAbove5000) {
  TSampleLeafList source, target;
  MakeIds(source, {1, 2, 3});
  source.CopyToClipboard(572, 0, 3);
  EXPECT_EQ(target.PasteFromClipboard(572, 4999), 1);
  EXPECT_EQ(Ids(target), (std::vector<int32_t>{5000}));
  EXPECT_EQ(target.FindById(5000)->Value, 10);
  EXPECT_EQ(target.PasteFromClipboard(572, 5000), 0);
}

TEST_F(CatalogClipboard, AMalformedBlockChangesNothing) {
  TSampleLeafList target;
  MakeIds(target, {1, 2});
  // Second record truncated: nothing is pasted, not even the first.
  clipboard.SetData(572, {6, 0, 0, 0, 2, 0, 0, 0, 0x02, 0x01, 0x63, 0x00, 0x02, 0x01});
  EXPECT_EQ(target.PasteFromClipboard(572, 0), 0);
  EXPECT_EQ(target.FindById(1)->Value, 10);
  // A size field beyond the data, and a count the data cannot hold.
  clipboard.SetData(572, {50, 0, 0, 0, 1, 0, 0, 0, 0x00});
  EXPECT_EQ(target.PasteFromClipboard(572, 0), 0);
  clipboard.SetData(572, {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
  EXPECT_EQ(target.PasteFromClipboard(572, 0), 0);
  EXPECT_EQ(Ids(target), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(target.PasteFromClipboard(573, 0), 0);
}

} // namespace
