#include <gtest/gtest.h>

#include <vector>

#include "core/vocabulary_record.h"
#include "record_checks.h"
#include "sample_records.h"

namespace {

// The ids of the vocabulary: the record's own, the three shop styles (eleven texts
// each), the two inn styles (five each), and the record's own again.
std::vector<int> VocabularyIds() {
  std::vector<int> ids;
  auto run = [&ids](int first, int last) {
    for (int id = first; id <= last; ++id)
      ids.push_back(id);
  };
  run(1, 37);
  run(41, 51);
  run(54, 64);
  run(67, 77);
  run(80, 89);
  for (int id : {92, 93, 95})
    ids.push_back(id);
  run(101, 108);
  for (int id : {110, 112, 114, 115, 117})
    ids.push_back(id);
  run(123, 140);
  for (int id : {146, 147, 148, 151, 152, 153})
    ids.push_back(id);
  return ids;
}

// A compressed id: one byte below 128, else 0x81 and the rest (ids stay below 256).
void PushId(Bytes& out, int id) {
  if (id >= 128) out.push_back(0x81);
  out.push_back(static_cast<uint8_t>(id % 128));
}

TEST(VocabularyRecord, EveryKnownIdIsWrittenEvenWhenEmpty) {
  const std::vector<int> ids = VocabularyIds();
  ASSERT_EQ(ids.size(), 120u);
  TXelVocabulary vocabulary;
  Bytes expected;
  for (int id : ids) {
    PushId(expected, id);
    expected.push_back(0x00);
  }
  expected.push_back(0x00);
  EXPECT_EQ(SaveBytes(vocabulary), expected);
  ExpectNoFieldAboveLastId(vocabulary);
}

TEST(VocabularyRecord, ShopAndInnSetsHoldTheirIds) {
  TXelVocabulary vocabulary;
  ASSERT_NE(vocabulary.GetShop(2), nullptr);
  EXPECT_EQ(vocabulary.GetShop(3), nullptr);
  EXPECT_EQ(vocabulary.GetShop(-1), nullptr);
  ASSERT_NE(vocabulary.GetInn(1), nullptr);
  EXPECT_EQ(vocabulary.GetInn(2), nullptr);
  // Ids between the sets and after the last are unknown.
  for (int id : {0, 38, 40, 52, 53, 65, 66, 78, 79, 90, 94, 109, 141, 150, 154})
    EXPECT_EQ(vocabulary.Text(id), nullptr) << id;

  vocabulary.GetShop(0)->Texts[0] = "A";  // 41
  vocabulary.GetShop(1)->Texts[10] = "B"; // 64
  vocabulary.GetShop(2)->Texts[0] = "C";  // 67
  vocabulary.GetInn(0)->Texts[4] = "D";   // 84
  vocabulary.GetInn(1)->Texts[0] = "E";   // 85
  *vocabulary.Text(153) = "No";
  *vocabulary.Text(1) = "Start";
  EXPECT_EQ(*vocabulary.Text(41), "A");
  EXPECT_EQ(*vocabulary.Text(64), "B");
  EXPECT_EQ(*vocabulary.Text(67), "C");
  EXPECT_EQ(*vocabulary.Text(84), "D");
  EXPECT_EQ(*vocabulary.Text(85), "E");

  const Bytes saved = SaveBytes(vocabulary);
  // Field 153 (81 19) is the last chunk before the end.
  const Bytes tail = {0x81, 0x19, 0x02, 'N', 'o', 0x00};
  ASSERT_GT(saved.size(), tail.size());
  EXPECT_TRUE(std::equal(tail.begin(), tail.end(), saved.end() - tail.size()));

  TXelVocabulary back;
  // An unknown chunk (id 52, two bytes) in the way is skipped.
  Bytes withUnknown = {0x34, 0x02, 'x', 'y'};
  withUnknown.insert(withUnknown.end(), saved.begin(), saved.end());
  LoadBytes(back, withUnknown);
  EXPECT_EQ(SaveBytes(back), saved);
  EXPECT_EQ(back.GetInn(1)->Texts[0], "E");
  EXPECT_EQ(*back.Text(1), "Start");

  back.Clear();
  EXPECT_EQ(SaveBytes(back), SaveBytes(TXelVocabulary()));
}

} // namespace
