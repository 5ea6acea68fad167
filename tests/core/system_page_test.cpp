#include "core/system_page.h"

#include <gtest/gtest.h>

#include <set>

#include "core/vocabulary_record.h"
#include "core/vocabulary_terms.h"

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

TEST(VocabularyTerms, EveryTextOfTheRecordHasExactlyOneEditOfItsOwnName) {
  TXelVocabulary vocabulary;
  std::multiset<int> fields;
  std::set<std::pair<char, int>> names;
  for (const TVocabularyTerm& term : VocabularyTerms()) {
    fields.insert(term.Field);
    names.insert({term.Letter, term.Tag});
    EXPECT_NE(FindVocabularyGroup(term.Letter), nullptr) << term.Letter;
  }
  EXPECT_EQ(names.size(), VocabularyTerms().size());
  for (int id = 0; id <= TXelVocabulary::LastId + 1; ++id)
    EXPECT_EQ(fields.count(id), vocabulary.Text(id) ? 1u : 0u) << id;
}
