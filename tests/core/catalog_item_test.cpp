#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/errors.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

TEST(RecordSave, AllDefaultFieldsSaveAsTheEndMarkOnly) {
  TSampleLeaf leaf;
  EXPECT_EQ(SaveBytes(leaf), (Bytes{0x00}));
}

TEST(RecordSave, IntFieldsCarryTheirGroupCountAsChunkLength) {
  TSampleLeaf leaf;
  leaf.Value = 300;
  EXPECT_EQ(SaveBytes(leaf), (Bytes{0x02, 0x02, 0x82, 0x2C, 0x00}));
  leaf.Value = -1;
  EXPECT_EQ(SaveBytes(leaf), (Bytes{0x02, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}));
  leaf.Value = 127;
  EXPECT_EQ(SaveBytes(leaf), (Bytes{0x02, 0x01, 0x7F, 0x00}));
}

TEST(RecordSave, StringsWithoutSkipEmptyAndFixedFieldsAreAlwaysWritten) {
  TSampleRecord r;
  r.WithNote = true;
  r.WithFixed = true;
  r.Pair[0] = 0xAB;
  // Derived by hand: 05 len 2 AB 00 | 07 len 0 | 0A nested empty list (count 0) |
  // 0B nested default leaf (end mark only) | end.
  EXPECT_EQ(SaveBytes(r),
            (Bytes{0x05, 0x02, 0xAB, 0x00, 0x07, 0x00, 0x0A, 0x01, 0x00, 0x0B, 0x01, 0x00, 0x00}));
}

TEST(RecordSave, EveryKindRoundTripsThroughTheStreamForm) {
  TSampleRecord r;
  r.Name = "Ab";
  r.Number = 7; // default: not written
  r.Flag = false;
  r.Small = 200;
  r.Ratio = -0.25;
  r.BlobSize = 3;
  r.BlobBytes = {9, 8, 7};
  r.Children.GetOrCreate(1)->Value = 1;
  r.Child.Name = "c";
  // Derived by hand from the chunk layout, fields in ascending id order.
  const Bytes expected = {
      0x01, 0x02, 'A',  'b',                                      // 1 Name
      0x03, 0x01, 0x00,                                           // 3 Flag false
      0x04, 0x01, 0xC8,                                           // 4 Small 200
      0x06, 0x08, 0,    0,    0,    0,    0,    0,    0xD0, 0xBF, // 6 Ratio -0.25 (IEEE LE)
      0x08, 0x01, 0x03,                                           // 8 blob size 3
      0x09, 0x03, 9,    8,    7,                                  // 9 blob bytes
      0x0A, 0x06, 0x01, 0x01, 0x02, 0x01, 0x01, 0x00,             // 10 list: count 1, id 1, Value 1
      0x0B, 0x04, 0x01, 0x01, 'c',  0x00,                         // 11 record: Name "c"
      0x00};
  EXPECT_EQ(SaveBytes(r), expected);

  TSampleRecord copy(5);
  LoadBytes(copy, expected);
  EXPECT_EQ(copy.Name, "Ab");
  EXPECT_EQ(copy.Number, 7);
  EXPECT_FALSE(copy.Flag);
  EXPECT_EQ(copy.Small, 200);
  EXPECT_EQ(copy.Ratio, -0.25);
  EXPECT_EQ(copy.BlobBytes, (Bytes{9, 8, 7}));
  ASSERT_EQ(copy.Children.GetCount(), 1);
  EXPECT_EQ(copy.Children.Items(0)->Value, 1);
  EXPECT_EQ(copy.Child.Name, "c");
  EXPECT_EQ(SaveBytes(copy), expected);
}

TEST(RecordSave, SampleRecordsStateTheirLastFieldIdTruthfully) {
  TSampleRecord r;
  r.WithFixed = r.WithNote = true;
  r.BlobSize = 1;
  ExpectNoFieldAboveLastId(r);
  TSampleLeaf leaf;
  ExpectNoFieldAboveLastId(leaf);
}

TEST(RecordLoad, SkipsUnknownIdsByTheirLengthAndIgnoresWrongLengths) {
  TSampleRecord r;
  r.WithFixed = true;
  // id 500 (83 74) with 3 bytes, then a Fixed field with 1 byte where 2 are expected,
  // a Byte field with 2 bytes, id 1000 (87 68) with 1 byte, then Number 5.
  LoadBytes(r, {0x83, 0x74, 0x03, 0xAA, 0xBB, 0xCC, 0x05, 0x01, 0x11, 0x04, 0x02,
                0x01, 0x02, 0x87, 0x68, 0x01, 0x00, 0x02, 0x01, 0x05, 0x00});
  EXPECT_EQ(r.Number, 5);
  EXPECT_EQ(r.Small, 3);
  EXPECT_EQ(r.Pair[0], 0);
}

TEST(RecordLoad, StartsFromDefaultsAndReadsAnyNonZeroByteAsTrue) {
  TSampleRecord r;
  r.Number = 99;
  r.Name = "old";
  LoadBytes(r, {0x03, 0x01, 0x02, 0x00});
  EXPECT_EQ(r.Number, 7);
  EXPECT_EQ(r.Name, "");
  EXPECT_TRUE(r.Flag);
}

TEST(RecordLoad, EveryTruncationRaisesTheReadError) {
  TSampleRecord r;
  r.Name = "Name";
  r.Number = -5;
  r.BlobSize = 2;
  r.BlobBytes = {1, 2};
  r.Children.Append()->Name = "x";
  const Bytes full = SaveBytes(r);
  for (size_t n = 0; n < full.size(); ++n) {
    Bytes cut(full.begin(), full.begin() + n);
    TSampleRecord target;
    EXPECT_THROW(LoadBytes(target, cut), EReadError) << "prefix " << n;
  }
}

TEST(RecordLoad, HostileLengthsFailWithoutAllocating) {
  TSampleRecord r;
  // A string chunk that claims 2^31 bytes.
  EXPECT_THROW(LoadBytes(r, {0x01, 0x88, 0x80, 0x80, 0x80, 0x00, 'a'}), EReadError);
  // A blob chunk that runs past the end.
  EXPECT_THROW(LoadBytes(r, {0x09, 0x10, 1, 2, 3}), EReadError);
  // An unknown chunk that runs past the end.
  EXPECT_THROW(LoadBytes(r, {0x20, 0x05, 1, 2}), EReadError);
  // A nested list whose count cannot fit.
  EXPECT_THROW(LoadBytes(r, {0x0A, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}), EReadError);
}

TEST(RecordLoad, ANestedRecordCannotReadPastItsChunk) {
  TSampleRecord r;
  // The child's chunk holds Value 5 but not the child's end mark; without the limit it
  // would take the parent's end mark as its own and succeed.
  EXPECT_THROW(LoadBytes(r, {0x0B, 0x03, 0x02, 0x01, 0x05, 0x00}), EReadError);
  // A child that ends early: the parent resumes at the chunk's end.
  LoadBytes(r, {0x0B, 0x03, 0x00, 0xFF, 0xFF, 0x02, 0x01, 0x09, 0x00});
  EXPECT_EQ(r.Child.Value, 0);
  EXPECT_EQ(r.Number, 9);
}

TEST(RecordSave, ABlobNeverWritesMoreThanItHolds) {
  TSampleRecord r;
  r.BlobSize = 1000000; // a damaged size field
  r.BlobBytes = {1, 2, 3};
  const Bytes bytes = SaveBytes(r);
  TSampleRecord back;
  LoadBytes(back, bytes);
  EXPECT_EQ(back.BlobBytes, (Bytes{1, 2, 3}));
}

TEST(RecordAssign, CopiesThroughTheStreamFormAndKeepsTheTargetId) {
  TSampleRecord source(3);
  source.Name = "src";
  source.Children.Append();
  TSampleRecord target(9);
  target.Number = 42;
  target.Small = 1;
  target.Children.Append();
  target.Children.Append();
  target.Assign(source);
  EXPECT_EQ(target.Id, 9);
  EXPECT_EQ(target.Name, "src");
  EXPECT_EQ(target.Number, 7);
  EXPECT_EQ(target.Small, 3);
  EXPECT_EQ(target.Children.GetCount(), 1);
  target.Assign(target); // self-assignment keeps everything
  EXPECT_EQ(target.Name, "src");
}

class RecordClipboard : public ::testing::Test {
protected:
  void SetUp() override { SetClipboardProvider(&clipboard); }
  void TearDown() override { SetClipboardProvider(nullptr); }
  TMemoryClipboard clipboard;
};

TEST_F(RecordClipboard, CopyPutsSizeCountAndRecordUnderTheFormat) {
  TSampleLeaf leaf;
  leaf.Value = 300;
  leaf.CopyToClipboard(570);
  auto block = clipboard.GetData(570);
  ASSERT_TRUE(block);
  EXPECT_EQ(*block, (Bytes{5, 0, 0, 0, 1, 0, 0, 0, 0x02, 0x02, 0x82, 0x2C, 0x00}));

  TSampleLeaf pasted;
  EXPECT_TRUE(pasted.PasteFromClipboard(570));
  EXPECT_EQ(pasted.Value, 300);
  EXPECT_FALSE(pasted.PasteFromClipboard(571));
}

TEST_F(RecordClipboard, MalformedBlocksAreTreatedAsAbsent) {
  TSampleLeaf leaf;
  leaf.Name = "keep";
  // Size field larger than the data present.
  clipboard.SetData(570, {9, 0, 0, 0, 1, 0, 0, 0, 0x00});
  EXPECT_FALSE(leaf.PasteFromClipboard(570));
  // A record that does not parse: the target stays as it was.
  clipboard.SetData(570, {3, 0, 0, 0, 1, 0, 0, 0, 0x02, 0x05, 0x8F});
  EXPECT_FALSE(leaf.PasteFromClipboard(570));
  EXPECT_EQ(leaf.Name, "keep");
  // Shorter than the header.
  clipboard.SetData(570, {1, 0, 0});
  EXPECT_FALSE(leaf.PasteFromClipboard(570));
}

TEST_F(RecordClipboard, OnlyTheLow16BitsOfTheFormatCount) {
  TSampleLeaf leaf;
  leaf.Value = 4;
  leaf.CopyToClipboard(0x10000 + 575);
  EXPECT_TRUE(clipboard.HasFormat(575));
  // A new copy replaces the whole clipboard content.
  leaf.CopyToClipboard(576);
  EXPECT_FALSE(clipboard.HasFormat(575));
}

} // namespace
