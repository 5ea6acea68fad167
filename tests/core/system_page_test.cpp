#include "core/system_page.h"

#include <gtest/gtest.h>

#include <set>

#include "core/vocabulary_record.h"
#include "core/vocabulary_terms.h"

TEST(VehicleFrameCell, StepsEveryTickAndTurnsEverySixteen) {
  const struct {
    int tick;
    TPoint cell;
  } rows[] = {
      {0, {24, 96}}, {1, {0, 96}},   {2, {24, 96}},  {3, {48, 96}}, {16, {24, 0}},
      {33, {0, 32}}, {51, {48, 64}}, {64, {24, 96}}, {-1, {48, 64}}}; // a wrapped counter still
                                                                      // picks a cell of the table
  for (const auto& row : rows)
    EXPECT_EQ(VehicleFrameCell(row.tick), row.cell) << row.tick;
}

TEST(PartyChoices, OffersFreeHeroesUpToTheFirstEmptySlotAndCutsWhatItCannotShow) {
  using Ids = std::vector<int32_t>;
  const struct {
    const char* name;
    Ids party;
    int count;
    std::array<bool, 4> enabled;
    Ids third; // candidates of combo 3
    std::array<int, 4> index;
  } rows[] = {
      {"two members", {2, 4}, 2, {true, true, true, false}, {0, 1, 3, 5}, {2, 3, 0, 0}},
      {"empty party", {}, 0, {true, false, false, false}, {}, {0, 0, 0, 0}},
      {"hero beyond the list", {1, 9, 2}, 1, {true, true, false, false}, {}, {1, 0, 0, 0}},
      {"hero 0", {0, 1}, 0, {true, false, false, false}, {}, {0, 0, 0, 0}},
      {"a hero twice", {3, 1, 3}, 0, {true, false, false, false}, {}, {0, 0, 0, 0}},
      {"full", {5, 4, 3, 2}, 4, {true, true, true, true}, {0, 1, 3}, {2, 2, 2, 2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const TPartyChoices choices = PartyChoices(row.party, 5);
    EXPECT_EQ(choices.PartyCount, row.count);
    for (int k = 0; k < PartyComboCount; ++k) {
      EXPECT_EQ(choices.Combos[k].Enabled, row.enabled[k]) << k;
      EXPECT_EQ(choices.Combos[k].Index, row.index[k]) << k;
    }
    EXPECT_EQ(choices.Combos[2].Candidates, row.third);
  }
  // A member is offered in its own slot and in no other.
  const TPartyChoices one = PartyChoices({2}, 3);
  EXPECT_EQ(one.Combos[0].Candidates, (Ids{0, 1, 2, 3}));
  EXPECT_EQ(one.Combos[1].Candidates, (Ids{0, 1, 3}));
}

TEST(VocabularyTerms, EveryTextOfTheRecordHasOneEditOfAKnownGroup) {
  TXelVocabulary vocabulary;
  std::set<int> fields;
  std::set<std::pair<char, int>> names;
  for (const TVocabularyTerm& term : VocabularyTerms()) {
    EXPECT_NE(vocabulary.Text(term.Field), nullptr) << term.Field;
    EXPECT_NE(FindVocabularyGroup(term.Letter), nullptr) << term.Letter;
    EXPECT_EQ(FindVocabularyTerm(term.Letter, term.Tag), &term);
    EXPECT_GT(term.MaxLength, 0);
    fields.insert(term.Field);
    names.insert({term.Letter, term.Tag});
  }
  EXPECT_EQ(fields.size(), 120u);
  EXPECT_EQ(names.size(), 120u);
  // Every id the record keeps a text for is edited.
  for (int id = 1; id <= TXelVocabulary::LastId; ++id)
    EXPECT_EQ(vocabulary.Text(id) != nullptr, fields.count(id) == 1) << id;
}
