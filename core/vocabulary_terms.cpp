#include "core/vocabulary_terms.h"

#include <array>

namespace {

constexpr std::array<TVocabularyGroup, 13> Groups{{
    {'A', 0, "Battle Messages 1"},
    {'B', 0, "Battle Messages 2"},
    {'C', 1, "Battle Messages 3"},
    {'D', 1, "Battle Messages 4"},
    {'E', 2, "Shop Messages Style A"},
    {'F', 2, "Shop Messages Style B"},
    {'G', 3, "Shop Messages Style C"},
    {'H', 3, "INN Messages Style A"},
    {'I', 3, "INN Messages Style B"},
    {'J', 3, "Tail of Task Shop Parameter"},
    {'L', 4, "Command"},
    {'M', 4, "Abilities, Equipment, etc."},
    {'N', 4, "SAVE - LOAD - END GAME"},
}};

// A shop style's eleven messages, from the group's first field on.
#define VELMORA_SHOP_TERMS(letter, first)                                                          \
  {first, letter, 10, "Choose Business", 50},                                                      \
      {first + 1, letter, 20, "Choose Business (After 2nd watching)", 50},                         \
      {first + 2, letter, 30, "Purchase", 12}, {first + 3, letter, 31, "Sale", 12},                \
      {first + 4, letter, 32, "Leave", 12}, {first + 5, letter, 40, "Buy Chosen Item", 50},        \
      {first + 6, letter, 50, "Input Number of Items for purchasing", 50},                         \
      {first + 7, letter, 60, "Purchasing Complete", 50},                                          \
      {first + 8, letter, 70, "Sell Chosen Item", 50},                                             \
      {first + 9, letter, 80, "Input number of Items for sale", 50}, {                             \
    first + 10, letter, 90, "Sale Complete", 50                                                    \
  }
// An inn style's five messages.
#define VELMORA_INN_TERMS(letter, first)                                                           \
  {first, letter, 10, "Lodging selection", 16}, {first + 1, letter, 11, "Lodging selection", 20},  \
      {first + 2, letter, 12, "Lodging selection", 50}, {first + 3, letter, 20, "Lodge", 12}, {    \
    first + 4, letter, 21, "Stay at 1 night", 12                                                   \
  }

constexpr TVocabularyTerm Terms[] = {
    {1, 'A', 10, "Start Battle", 30},
    {2, 'A', 20, "Headstart Attack Chance", 50},
    {3, 'A', 30, "Escape Success", 50},
    {4, 'A', 40, "Failure Escape", 50},
    {5, 'A', 50, "Victory", 50},
    {6, 'A', 60, "Annihilation", 50},
    {7, 'A', 70, "Got Experience", 38},
    {8, 'A', 80, "Got Money", 10},
    {9, 'A', 81, "Got Money", 24},
    {10, 'A', 90, "Got Item", 30},
    {11, 'B', 10, "Common Attack", 30},
    {12, 'B', 20, "Ally Kill (Congenial Hit)", 50},
    {13, 'B', 30, "Enemy Kill (Regretful Hit)", 50},
    {14, 'B', 40, "Defense", 30},
    {15, 'B', 50, "Watch State (Enemy)", 30},
    {16, 'B', 60, "Strength Save (Enemy)", 30},
    {17, 'B', 70, "Burst Oneself (Enemy)", 30},
    {18, 'B', 80, "Escape (Enemy)", 30},
    {19, 'B', 90, "Transform (Enemy)", 30},
    {20, 'C', 10, "Enemy Damage Give", 24},
    {21, 'C', 20, "Enemy Damage", 32},
    {22, 'C', 30, "Friend Damage", 24},
    {23, 'C', 40, "Friend Damage Accept", 32},
    {24, 'C', 50, "Technical Skill Failure A", 32},
    {25, 'C', 60, "Technical Skill Failure B", 32},
    {26, 'C', 70, "Technical Skill Failure C", 32},
    {27, 'C', 80, "Avoid Physical Attack", 32},
    {28, 'C', 90, "Item Use", 14},
    {29, 'D', 10, "Ability value recovery", 12},
    {30, 'D', 20, "Ability Up", 12},
    {31, 'D', 30, "Ability Down", 12},
    {32, 'D', 40, "Ally Ability Cost Absorption", 12},
    {33, 'D', 50, "Enemy Ability Cost Absorption", 12},
    {34, 'D', 60, "Defense Up", 20},
    {35, 'D', 70, "Defense Down", 20},
    {36, 'D', 80, "Level Up", 16},
    {37, 'D', 90, "Special Skill Learned", 26},
    VELMORA_SHOP_TERMS('E', 41),
    VELMORA_SHOP_TERMS('F', 54),
    VELMORA_SHOP_TERMS('G', 67),
    VELMORA_INN_TERMS('H', 80),
    VELMORA_INN_TERMS('I', 85),
    {92, 'J', 10, "Number of owned Items", 16},
    {93, 'J', 11, "Number of Equipped Items", 16},
    {95, 'J', 12, "Currency Unit (GP)", 6},
    {101, 'L', 10, "Fight", 10},
    {102, 'L', 11, "Auto", 10},
    {103, 'L', 12, "Escape", 10},
    {104, 'L', 13, "Attack", 10},
    {105, 'L', 14, "Defense", 10},
    {106, 'L', 15, "Item", 10},
    {107, 'L', 16, "Skills", 10},
    {108, 'L', 17, "Equipment", 12},
    {110, 'L', 18, "Save", 12},
    {112, 'L', 19, "End Game", 12},
    {114, 'L', 20, "New Game", 16},
    {115, 'L', 21, "Continue", 16},
    {117, 'L', 22, "Shutdown", 16},
    {123, 'M', 10, "Level", 10},
    {124, 'M', 11, "HP", 10},
    {125, 'M', 12, "MP", 10},
    {126, 'M', 13, "Normal", 8},
    {127, 'M', 17, "EXP (Abbr.)", 2},
    {128, 'M', 14, "Level (Abbr.)", 2},
    {129, 'M', 15, "HP (Abbr.)", 2},
    {130, 'M', 16, "MP (Abbr.)", 2},
    {131, 'M', 20, "MP Cost", 10},
    {132, 'M', 21, "Attack", 10},
    {133, 'M', 22, "Defense", 10},
    {134, 'M', 23, "Mind", 10},
    {135, 'M', 24, "Agility", 10},
    {136, 'M', 25, "Arms", 10},
    {137, 'M', 26, "Shield", 10},
    {138, 'M', 27, "Armor", 10},
    {139, 'M', 28, "Helmet", 10},
    {140, 'M', 29, "Other", 10},
    {146, 'N', 10, "Choose file for a Game Save", 50},
    {147, 'N', 20, "Choose file for a Load Game", 50},
    {148, 'N', 40, "File", 10},
    {151, 'N', 30, "Exit Confirmation", 50},
    {152, 'N', 50, "Yes", 10},
    {153, 'N', 60, "No", 10},
};
static_assert(std::size(Terms) == 120);

#undef VELMORA_SHOP_TERMS
#undef VELMORA_INN_TERMS

} // namespace

std::span<const TVocabularyGroup> VocabularyGroups() {
  return Groups;
}

std::span<const TVocabularyTerm> VocabularyTerms() {
  return Terms;
}

const TVocabularyGroup* FindVocabularyGroup(char letter) {
  for (const TVocabularyGroup& group : Groups)
    if (group.Letter == letter) return &group;
  return nullptr;
}

const TVocabularyTerm* FindVocabularyTerm(char letter, int tag) {
  for (const TVocabularyTerm& term : Terms)
    if (term.Letter == letter && term.Tag == tag) return &term;
  return nullptr;
}
