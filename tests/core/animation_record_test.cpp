#include <gtest/gtest.h>

#include <algorithm>

#include "core/animation_record.h"
#include "core/clipboard.h"
#include "core/errors.h"
#include "record_checks.h"
#include "record_chunks.h"

namespace {

Bytes NewAnimationBytes() {
  // 6 Timings: an empty list (01 00); 9 Scope 0 and 10 YLine 2 (Fixed); 12 Frames:
  // count 20, then per frame its id and its record, a Cells field holding an empty
  // list (01 01 00) and the end mark: 1 + 20 x 5 = 101 = 0x65 bytes.
  Bytes b = {0x06, 0x01, 0x00, 0x09, 0x01, 0x00, 0x0A, 0x01, 0x02, 0x0C, 0x65, 0x14};
  for (uint8_t id = 1; id <= 20; ++id)
    b.insert(b.end(), {id, 0x01, 0x01, 0x00, 0x00});
  b.push_back(0x00);
  return b;
}

TEST(AnimationRecord, NewRecordsAndEveryField) {
  TXelAnimationItem a(1);
  EXPECT_EQ(SaveBytes(a), NewAnimationBytes());
  EXPECT_EQ(a.GetFrameCount(), 20);
  TXelAnimationTimingItem timing(1);
  // 2 the sound (name always written), 3 FlashScope 0 (Fixed).
  EXPECT_EQ(SaveBytes(timing),
            (Bytes{0x02, 0x08, 0x01, 0x05, '(', 'O', 'F', 'F', ')', 0x00, 0x03, 0x01, 0x00, 0x00}));
  TXelAnimationCellItem cell(1);
  EXPECT_EQ(SaveBytes(cell), Bytes{0x00});
  TXelAnimationPatternItem frame(1);
  EXPECT_EQ(SaveBytes(frame), (Bytes{0x01, 0x01, 0x00, 0x00}));
  for (TCatalogBaseItem* r : std::initializer_list<TCatalogBaseItem*>{&a, &timing, &cell, &frame})
    ExpectNoFieldAboveLastId(*r);

  timing.Frame = 1001;
  timing.Sound.FileName = "Hit";
  timing.FlashScope = 3;
  timing.FlashRed = 1004;
  timing.FlashGreen = 1005;
  timing.FlashBlue = 1006;
  timing.FlashPower = 1007;
  timing.Reserved8 = 1008;
  const auto timingChunks = ChunksOf(SaveBytes(timing));
  EXPECT_EQ(IdsOf(timingChunks), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  ExpectIdValues(timingChunks, {1, 4, 5, 6, 7, 8}, {3});

  cell.Visible = 0;
  cell.Pattern = 1002;
  cell.X = 1003;
  cell.Y = 1004;
  cell.Magnification = 1005;
  cell.Red = 1006;
  cell.Green = 1007;
  cell.Blue = 1008;
  cell.Chroma = 1009;
  cell.Transparency = 1010;
  const auto cellChunks = ChunksOf(SaveBytes(cell));
  EXPECT_EQ(IdsOf(cellChunks), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  ExpectIdValues(cellChunks, {2, 3, 4, 5, 6, 7, 8, 9, 10}, {});
  EXPECT_EQ(cellChunks.at(1), Bytes{0});

  a.Name = "Slash";
  a.Graphic = "Sword";
  a.Timings.Append()->Assign(timing);
  a.Scope = 9;
  a.YLine = 10;
  a.SetFrameCount(2);
  a.Frames().GetItem(1)->Cells.Append()->Assign(cell);
  const Bytes saved = SaveBytes(a);
  const auto chunks = ChunksOf(saved);
  EXPECT_EQ(IdsOf(chunks), (std::vector<int>{1, 2, 6, 9, 10, 12}));
  ExpectIdValues(chunks, {}, {9, 10});
  EXPECT_EQ(chunks.at(12)[0], 2); // two frames left
  TXelAnimationItem back(1);
  LoadBytes(back, saved);
  EXPECT_EQ(back.NeedsSerialize, 0);
  EXPECT_EQ(Bytes(back.SavedBytes.begin(), back.SavedBytes.end()), saved);
  back.NeedsSerialize = 1; // parsed fields, not the kept bytes
  EXPECT_EQ(SaveBytes(back), saved);
  EXPECT_EQ(back.Frames().GetItem(1)->Cells.GetItem(0)->Chroma, 1009);

  a.SetFrameCount(25);
  EXPECT_EQ(a.GetFrameCount(), 25);
  EXPECT_EQ(a.Frames().GetItem(24)->Id, 25);
  a.SetFrameCount(-1);
  EXPECT_EQ(a.GetFrameCount(), 0);
}

TEST(AnimationRecord, UnchangedAnimationsAreWrittenBackAsLoaded) {
  // Field 500 is unknown and 2 holds a non-shortest length: a parse would drop the
  // one and shorten the other, the kept bytes keep both.
  const Bytes stored = {0x83, 0x74, 0x02, 0xAB, 0xCD, 0x01, 0x01, 'X', 0x00};
  TXelAnimationItem a(1);
  LoadBytes(a, stored);
  EXPECT_EQ(a.Name, "X");
  EXPECT_EQ(a.GetFrameCount(), 20);
  EXPECT_EQ(SaveBytes(a), stored);
  a.NeedsSerialize = 1;
  a.Name = "Y";
  const auto chunks = ChunksOf(SaveBytes(a));
  EXPECT_EQ(StrOf(chunks.at(1)), "Y");
  EXPECT_EQ(chunks.count(500), 0u);
  EXPECT_EQ(a.NeedsSerialize, 0); // the new form is kept for the next save
  EXPECT_EQ(SaveBytes(a), Bytes(a.SavedBytes.begin(), a.SavedBytes.end()));
}

// Two frames of two cells each, every cell field away from its default.
TXelAnimationItem& FilledAnimation(TXelAnimationItem& a) {
  a.Name = "Slash";
  a.SetFrameCount(2);
  for (int f = 0; f < 2; ++f)
    for (int c = 0; c < 2; ++c) {
      TXelAnimationCellItem* cell = a.Frames().GetItem(f)->Cells.Append();
      cell->Visible = 0;
      cell->Pattern = 3 + f;
      cell->X = -200 + c;
      cell->Y = 1000 * f;
      cell->Magnification = 150;
      cell->Red = cell->Green = cell->Blue = cell->Chroma = 40 + c;
      cell->Transparency = 70;
    }
  return a;
}

// The frames a load leaves in the saved bytes for later are those a parse makes at once;
// a load that fails after them keeps them, and a Clear drops them without parsing.
TEST(AnimationRecord, FramesParsedWhenFirstAskedForAreThoseOfTheLoad) {
  TXelAnimationItem source(1);
  const Bytes saved = SaveBytes(FilledAnimation(source));
  TXelAnimationItem a(1);
  LoadBytes(a, saved);
  EXPECT_EQ(a.NeedsSerialize, 0);
  EXPECT_EQ(a.Frames().GetItem(1)->Cells.GetItem(1)->X, -199);
  a.NeedsSerialize = 1; // written from the parsed frames
  EXPECT_EQ(SaveBytes(a), saved);

  TXelAnimationItem cleared(1);
  LoadBytes(cleared, saved);
  cleared.Clear();
  EXPECT_EQ(cleared.GetFrameCount(), 20);
  EXPECT_EQ(SaveBytes(cleared), NewAnimationBytes());

  // Field 13 claims more bytes than follow the frames.
  Bytes damaged = saved;
  damaged.back() = 0x0D;
  damaged.insert(damaged.end(), {0x05, 0x00});
  TXelAnimationItem partial(1);
  EXPECT_THROW(LoadBytes(partial, damaged), EReadError);
  ASSERT_EQ(partial.GetFrameCount(), 2);
  EXPECT_EQ(partial.Frames().GetItem(1)->Cells.GetItem(0)->Y, 1000);
}

bool FramesParse(const Bytes& bytes) {
  TXelAnimationPattern frames;
  TMemoryStream s(bytes);
  try {
    frames.LoadFromStream(s);
    return true;
  } catch (const EReadError&) {
    return false;
  }
}

// The check that lets a load leave frames unparsed accepts exactly the chunks that
// parse: every cut of a chunk, and every byte of it set to each of a few values.
TEST(AnimationRecord, FramesCheckAgreesWithTheParse) {
  TXelAnimationItem source(1);
  const Bytes chunk = ChunksOf(SaveBytes(FilledAnimation(source))).at(12);
  auto expectAgree = [&](const Bytes& bytes) {
    EXPECT_EQ(FramesChunkLoads(bytes.data(), bytes.size()), FramesParse(bytes))
        << ::testing::PrintToString(bytes);
  };
  int refused = 0;
  for (size_t n = 0; n <= chunk.size(); ++n) {
    const Bytes cut(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n));
    expectAgree(cut);
    refused += !FramesParse(cut);
  }
  for (size_t i = 0; i < chunk.size(); ++i)
    for (uint8_t value : {0x00, 0x01, 0x03, 0x7F, 0x80, 0xFF}) {
      Bytes changed = chunk;
      changed[i] = value;
      expectAgree(changed);
      refused += !FramesParse(changed);
    }
  EXPECT_GT(refused, 100); // damage the parse refuses was tried
}

// A list's frames are checked ahead of its load, on several threads: each animation's
// load takes the answer its own check gives, one damaged among many included.
TEST(AnimationList, FramesCheckedAheadAnswerAsEachAnimationsOwnCheck) {
  TXelAnimation source;
  for (int k = 0; k < 40; ++k)
    FilledAnimation(*source.Append());
  const Bytes saved = SaveBytes(source);
  TXelAnimationItem one(1);
  const Bytes chunk = ChunksOf(SaveBytes(FilledAnimation(one))).at(12);
  auto at = saved.begin();
  for (int k = 0; k < 23; ++k) // the 23rd animation's frames
    at = std::search(k ? at + 1 : at, saved.end(), chunk.begin(), chunk.end());
  ASSERT_NE(at, saved.end());
  for (const int value : {-1, 0x00, 0x80, 0xFF}) {
    Bytes damaged = saved, frames = chunk;
    if (value >= 0) {
      damaged[size_t(at - saved.begin()) + chunk.size() / 2] = uint8_t(value);
      frames[chunk.size() / 2] = uint8_t(value);
    }
    TXelAnimation list;
    if (!FramesParse(frames)) {
      EXPECT_THROW(LoadBytes(list, damaged), EReadError) << value;
      continue;
    }
    LoadBytes(list, damaged);
    ASSERT_EQ(list.GetCount(), 40) << value;
    EXPECT_EQ(SaveBytes(list), damaged) << value;
    for (int id = 1; id <= 40; ++id)
      EXPECT_EQ(list.GetItemById(id)->NeedsSerialize, 0) << value << " " << id;
  }
}

Bytes ListBytes(const std::vector<std::string>& names) {
  TXelAnimation list;
  for (const auto& name : names)
    list.Append()->Name = name;
  return SaveBytes(list);
}

TEST(AnimationList, ReloadsInPlaceAndSkipsOnlyIdenticalAnimations) {
  TXelAnimation list;
  LoadBytes(list, ListBytes({"Alpha", "Beta", "Gamma"}));
  ASSERT_EQ(list.GetCount(), 3);
  TXelAnimationItem* alpha = list.GetItemById(1);
  TXelAnimationItem* beta = list.GetItemById(2);

  // An unchanged file: the objects stay, and an animation whose bytes match is not
  // parsed again (a change made without setting the flag shows that it was skipped).
  alpha->Graphic = "kept in memory";
  LoadBytes(list, ListBytes({"Alpha", "Beta", "Gamma"}));
  EXPECT_EQ(list.GetItemById(1), alpha);
  EXPECT_EQ(alpha->Graphic, "kept in memory");

  // A file changed at the same size: the changed animation is parsed again, in its
  // own object; the unchanged ones are still skipped.
  LoadBytes(list, ListBytes({"Alpha", "Bxta", "Gamma"}));
  EXPECT_EQ(list.GetItemById(2), beta);
  EXPECT_EQ(beta->Name, "Bxta");
  EXPECT_EQ(alpha->Graphic, "kept in memory");

  // Fewer animations in the file: those beyond are removed.
  LoadBytes(list, ListBytes({"One"}));
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetItemById(1), alpha);
  EXPECT_EQ(alpha->Name, "One");
  EXPECT_EQ(alpha->Graphic, "");

  // Ids with gaps (1 and 5) reloaded from a file with one animation end with exactly
  // the file's content rather than looping over a missing Id.
  TMemoryStream gaps;
  WriteVarInt(gaps, 2);
  for (int id : {1, 5}) {
    WriteVarInt(gaps, id);
    TXelAnimationItem(id).SaveToStream(gaps);
  }
  gaps.SetPosition(0);
  list.LoadFromStream(gaps);
  EXPECT_EQ(list.GetCount(), 2);
  EXPECT_NE(list.FindById(5), nullptr);
  LoadBytes(list, ListBytes({"Only"}));
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetItemById(1)->Name, "Only");

  // A damaged list is cleared and the error raised.
  EXPECT_THROW(LoadBytes(list, {0x02, 0x01, 0x00, 0x02, 0x01}), EReadError);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST(AnimationList, CopiesCarryTheCurrentFields) {
  TXelAnimation list;
  LoadBytes(list, ListBytes({"Alpha"}));
  TXelAnimationItem* entry = list.GetItemById(1);

  // A tool dialog works on a copy and hands it back with Assign.
  TXelAnimationItem copy(1);
  copy.Assign(*entry);
  EXPECT_EQ(copy.Name, "Alpha");
  copy.Name = "Edited";
  copy.SetFrameCount(3);
  entry->Assign(copy);
  EXPECT_EQ(entry->Name, "Edited");
  TXelAnimationItem reread(1);
  LoadBytes(reread, SaveBytes(*entry));
  EXPECT_EQ(reread.Name, "Edited");
  EXPECT_EQ(reread.GetFrameCount(), 3);

  // The clipboard copies the fields too, not bytes kept from before a change.
  TMemoryClipboard clipboard;
  SetClipboardProvider(&clipboard);
  entry->Name = "Changed without the flag";
  list.CopyToClipboard(579, 0, 1);
  TXelAnimation other;
  EXPECT_EQ(other.PasteFromClipboard(579, 0), 1);
  SetClipboardProvider(nullptr);
  EXPECT_EQ(other.GetItemById(1)->Name, "Changed without the flag");
  EXPECT_EQ(other.GetItemById(1)->NeedsSerialize, 1);
}

} // namespace
