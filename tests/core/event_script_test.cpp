#include <gtest/gtest.h>

#include <limits>

#include "core/errors.h"
#include "core/event_script.h"
#include "sample_records.h"

namespace {

Bytes StreamBytes(const TXelEventScriptList& list) {
  TMemoryStream s;
  list.SaveToStream(s);
  return s.Bytes();
}

std::vector<int32_t> Indents(const TXelEventScriptList& list) {
  std::vector<int32_t> out;
  for (int i = 0; i < list.GetCount(); ++i)
    out.push_back(list.GetItem(i)->Indent);
  return out;
}

std::vector<int32_t> Codes(const TXelEventScriptList& list) {
  std::vector<int32_t> out;
  for (int i = 0; i < list.GetCount(); ++i)
    out.push_back(list.GetItem(i)->Code);
  return out;
}

// A page-like record carrying only a script, in fields 11/12.
class TScriptOnlyPage : public TXelBaseEventPageItem {
public:
  explicit TScriptOnlyPage(int32_t id = 1) : TXelBaseEventPageItem(id, 11) {}
  void GetVarData(int id, TCatalogVarData& d, bool) override { ScriptVarData(id, d); }
  int LastFieldId() const override { return 12; }
};

TEST(ScriptLine, StreamsAsCompressedFieldsAndParsesBack) {
  TXelEventScriptList list;
  TXelEventScriptLine* line = list.Add(10110, 1, "Hi");
  line->SetParamCount(2);
  line->SetParam(0, 5);
  line->SetParam(1, -1);
  // 10110 = 78*128 + 126: CE 7E | indent 01 | text 02 'H' 'i' | count 02 | 05 | -1 in 5 groups.
  const Bytes expected = {0xCE, 0x7E, 0x01, 0x02, 'H',  'i', 0x02,
                          0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F};
  EXPECT_EQ(StreamBytes(list), expected);

  // Negative code and indent and the extreme parameters all come back unchanged.
  line->Code = -20;
  line->Indent = -3;
  line->Params = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), 0};
  list.Add(0, 0);
  const Bytes saved = StreamBytes(list);
  TXelEventScriptList back;
  TMemoryStream in(saved);
  back.LoadFromStream(in);
  ASSERT_EQ(back.GetCount(), 2);
  EXPECT_EQ(back.GetItem(0)->Code, -20);
  EXPECT_EQ(back.GetItem(0)->Indent, -3);
  EXPECT_EQ(back.GetItem(0)->Text, "Hi");
  EXPECT_EQ(back.GetItem(0)->Params, line->Params);
  EXPECT_EQ(back.GetItem(1)->ParamCount(), 0);
  EXPECT_EQ(StreamBytes(back), saved);
}

TEST(ScriptLine, ParametersBeyondTheCountReadAsZeroAndIgnoreWrites) {
  TXelEventScriptLine line;
  line.SetParamCount(3);
  line.SetParam(2, 9);
  EXPECT_EQ(line.GetParam(2), 9);
  EXPECT_EQ(line.GetParam(7), 0);
  EXPECT_EQ(line.GetParam(-1), 0);
  line.SetParam(7, 42);
  line.SetParam(-1, 42);
  EXPECT_EQ(line.Params, (TParamList{0, 0, 9}));
  // Growing adds zeros, shrinking drops the tail.
  line.SetParamCount(5);
  EXPECT_EQ(line.Params, (TParamList{0, 0, 9, 0, 0}));
  line.SetParamCount(1);
  EXPECT_EQ(line.ParamCount(), 1);
  EXPECT_EQ(line.GetParam(2), 0);
}

TEST(ScriptInsert, BlockStartsAtTheDepthOfTheLineItGoesBefore) {
  TXelEventScriptList block;
  block.Add(10110, 2);
  block.Add(10, 3);
  block.Add(20110, 2);

  TXelEventScriptList target;
  target.Add(10210, 0);
  target.Add(0, 0);
  target.InsertLines(0, block, 0); // 2 levels up
  EXPECT_EQ(Indents(target), (std::vector<int32_t>{0, 1, 0, 0, 0}));
  EXPECT_EQ(Codes(target), (std::vector<int32_t>{10110, 10, 20110, 10210, 0}));

  TXelEventScriptList deeper;
  deeper.Add(0, 0);
  deeper.InsertLines(0, block, 1); // one level deeper than the line it goes before
  EXPECT_EQ(Indents(deeper), (std::vector<int32_t>{1, 2, 1, 0}));

  // The base is the line at At, not the one before it.
  TXelEventScriptList nested;
  nested.Add(10710, 0);
  nested.Add(10110, 3);
  nested.Add(0, 0);
  nested.InsertLines(1, block, 0);
  EXPECT_EQ(Indents(nested), (std::vector<int32_t>{0, 3, 4, 3, 3, 0}));

  // At = Count takes the last line's depth.
  TXelEventScriptList tail;
  tail.Add(10110, 0);
  tail.Add(10, 2);
  tail.InsertLines(2, block, 0);
  EXPECT_EQ(Indents(tail), (std::vector<int32_t>{0, 2, 2, 3, 2}));

  // An empty list has no line to take a depth from: base 0.
  TXelEventScriptList empty;
  empty.InsertLines(0, block, 1);
  EXPECT_EQ(Indents(empty), (std::vector<int32_t>{1, 2, 1}));
}

TEST(ScriptInsert, InsertsCopiesEvenOfItself) {
  TXelEventScriptList list;
  list.Add(10110, 0, "a")->SetParamCount(1);
  list.Add(0, 0);
  list.InsertLines(1, list, 0);
  EXPECT_EQ(Codes(list), (std::vector<int32_t>{10110, 10110, 0, 0}));
  list.GetItem(1)->Text = "b";
  list.GetItem(1)->SetParam(0, 5);
  EXPECT_EQ(list.GetItem(0)->Text, "a");
  EXPECT_EQ(list.GetItem(0)->GetParam(0), 0);
}

TEST(ScriptInsert, BadPositionOrEmptySourceIsAnAssertionNamingUnitAndLine) {
  TXelEventScriptList target;
  target.Add(0, 0);
  TXelEventScriptList source;
  source.Add(10110, 0);
  TXelEventScriptList none;

  auto messageOf = [&](int at, const TXelEventScriptList& from) -> std::string {
    try {
      target.InsertLines(at, from, 0);
    } catch (const EAssertionFailed& e) {
      return e.what();
    }
    return "no assertion";
  };
  EXPECT_EQ(messageOf(2, source), "Assertion failure (LD_Event, line 393)");
  EXPECT_EQ(messageOf(-1, source), "Assertion failure (LD_Event, line 393)");
  EXPECT_EQ(messageOf(0, none), "Assertion failure (LD_Event, line 394)");
  EXPECT_EQ(target.GetCount(), 1);
}

TEST(ScriptParse, HostileStreamsRaiseTheReadErrorWithoutLargeAllocations) {
  auto parse = [](const Bytes& bytes) {
    TXelEventScriptList list;
    TMemoryStream s(bytes);
    list.LoadFromStream(s);
    return list.GetCount();
  };
  EXPECT_EQ(parse({}), 0);
  // Text claims 5 bytes, 2 are left.
  EXPECT_THROW(parse({0x00, 0x00, 0x05, 'a', 'b'}), EReadError);
  // ParamCount 0x7FFFFFFF with 3 bytes left is refused before allocating.
  EXPECT_THROW(parse({0x00, 0x00, 0x00, 0x87, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x02, 0x03}),
               EReadError);
  // A line cut inside a parameter.
  EXPECT_THROW(parse({0x00, 0x00, 0x00, 0x01, 0x81}), EReadError);

  // Inside a read limit the list stops at the limit, not at the end of the stream.
  TMemoryStream s(Bytes{0x0A, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00});
  TXelEventScriptList list;
  {
    TReadLimit limit(s, 4);
    list.LoadFromStream(s);
  }
  EXPECT_EQ(Codes(list), (std::vector<int32_t>{10}));
  EXPECT_EQ(s.GetPosition(), 4);
}

TEST(ScriptPage, NewPageHoldsOneEndLineAndSavesTheFourZeroBlob) {
  TScriptOnlyPage page;
  ASSERT_EQ(page.Script.GetCount(), 1);
  EXPECT_EQ(page.Script.GetItem(0)->Code, 0);
  EXPECT_EQ(page.Script.GetItem(0)->Indent, 0);
  EXPECT_TRUE(page.Script.GetItem(0)->Text.empty());
  EXPECT_EQ(page.Script.GetItem(0)->ParamCount(), 0);
  // 0B 01 04: size 4 | 0C 04 00 00 00 00: the blob | end.
  EXPECT_EQ(SaveBytes(page), (Bytes{0x0B, 0x01, 0x04, 0x0C, 0x04, 0, 0, 0, 0, 0x00}));
}

TEST(ScriptPage, SaveRebuildsTheBlobAndAssignCarriesTheCurrentScript) {
  TScriptOnlyPage page;
  TXelEventScriptList one;
  one.Add(10110, 0, "A");
  page.Script.InsertLines(0, one, 0);
  // Blob: CE 7E 00 01 'A' 00 | 00 00 00 00 = 10 bytes.
  const Bytes expected = {0x0B, 0x01, 0x0A, 0x0C, 0x0A, 0xCE, 0x7E, 0x00,
                          0x01, 'A',  0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(SaveBytes(page), expected);
  EXPECT_EQ(page.ScriptSize, 10);

  TScriptOnlyPage copy(4);
  page.Script.GetItem(0)->Text = "B";
  copy.Assign(page);
  EXPECT_EQ(copy.Id, 4);
  ASSERT_EQ(copy.Script.GetCount(), 2);
  EXPECT_EQ(copy.Script.GetItem(0)->Text, "B");
}

TEST(ScriptPage, BlobIsParsedFromItsOwnBytesWhateverTheSizeFieldSays) {
  TScriptOnlyPage page;
  // Size field says 200, the blob holds one end line: the bytes win, and the save
  // writes the true size.
  LoadBytes(page, {0x0B, 0x02, 0x81, 0x48, 0x0C, 0x04, 0, 0, 0, 0, 0x00});
  EXPECT_EQ(page.Script.GetCount(), 1);
  EXPECT_EQ(SaveBytes(page), (Bytes{0x0B, 0x01, 0x04, 0x0C, 0x04, 0, 0, 0, 0, 0x00}));

  // An empty blob still gives the end line.
  LoadBytes(page, {0x0B, 0x01, 0x00, 0x0C, 0x00, 0x00});
  EXPECT_EQ(Codes(page.Script), (std::vector<int32_t>{0}));

  // A cut blob fails the load but leaves a usable script.
  EXPECT_THROW(LoadBytes(page, {0x0C, 0x03, 0x00, 0x00, 0x05, 0x00}), EReadError);
  EXPECT_EQ(Codes(page.Script), (std::vector<int32_t>{0}));
  // The lines before the cut stay.
  EXPECT_THROW(LoadBytes(page, {0x0C, 0x07, 0x0A, 0x01, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00}),
               EReadError);
  EXPECT_EQ(Codes(page.Script), (std::vector<int32_t>{10}));
}

TEST(ScriptPage, LoadedBlobIsParsedWhenAskedForAndSavesAsAParseWould) {
  const std::vector<Bytes> blobs = {
      // 10110 "Hi" (7, -1) | end: in the form a save writes, kept as it is.
      {0xCE, 0x7E, 0x00, 0x02, 'H', 'i', 0x02, 0x07, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0},
      // A code with a leading empty group, and one with bits beyond 32: a save rewrites them.
      {0x80, 0x0A, 0x01, 0x00, 0x00, 0, 0, 0, 0},
      {0x9F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x00, 0, 0, 0, 0},
  };
  for (const Bytes& blob : blobs) {
    TXelEventScriptList parsed;
    LoadBytes(parsed, blob);
    const Bytes expected = StreamBytes(parsed);
    Bytes page = {0x0C, uint8_t(blob.size())};
    page.insert(page.end(), blob.begin(), blob.end());
    page.push_back(0x00);
    TScriptOnlyPage loaded;
    LoadBytes(loaded, page);
    // Saved before and after its lines are first asked for.
    EXPECT_EQ(StreamBytes(loaded.Script), expected);
    EXPECT_EQ(Codes(loaded.Script), Codes(parsed));
    EXPECT_EQ(Indents(loaded.Script), Indents(parsed));
    EXPECT_EQ(loaded.Script.GetItem(0)->Text, parsed.GetItem(0)->Text);
    EXPECT_EQ(loaded.Script.GetItem(0)->Params, parsed.GetItem(0)->Params);
    EXPECT_EQ(StreamBytes(loaded.Script), expected);
  }
  // An edit after the load reaches the save.
  TScriptOnlyPage page;
  LoadBytes(page, {0x0C, 0x04, 0x0A, 0x01, 0x00, 0x00, 0x00});
  page.Script.GetItem(0)->Indent = 2;
  EXPECT_EQ(SaveBytes(page), (Bytes{0x0B, 0x01, 0x04, 0x0C, 0x04, 0x0A, 0x02, 0x00, 0x00, 0x00}));
}

} // namespace
