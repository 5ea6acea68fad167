// The vocabulary pages' table: where each of the 120 texts of the vocabulary record is
// edited (tab, group box, caption), the name of its edit (group letter and Tag) and how
// long it may be. Every page and handler of the vocabulary is built from it.
#pragma once

#include <span>

// One group box of edits; its letter names the edits ("OverEdit" + letter + Tag).
struct TVocabularyGroup {
  char Letter;
  int Tab; // 0 = "Terms 1" ... 4 = "Terms 5"
  const char* Caption;
};

// One edit. Terms that share a caption stand side by side in the order of their Tags.
struct TVocabularyTerm {
  int Field; // field id of the vocabulary record
  char Letter;
  int Tag;
  const char* Caption;
  int MaxLength; // code-page bytes
};

inline constexpr int VocabularyTabCount = 5;

// The groups in page order, the terms in group order.
std::span<const TVocabularyGroup> VocabularyGroups();
std::span<const TVocabularyTerm> VocabularyTerms();

// The group of Letter, or none.
const TVocabularyGroup* FindVocabularyGroup(char letter);
// The term that the edit of group Letter with Tag writes, or none.
const TVocabularyTerm* FindVocabularyTerm(char letter, int tag);
