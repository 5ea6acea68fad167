// The monster-group page's plain rules: where members stand on the 320 x 160 battle
// field (paint order, hit test, the "In Row" arrangement, the place of a new member, the
// drag steps), the automatic group name, the summary of a battle-event trigger, which
// commands a battle event may hold, and the battle test's party and command line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/geometry.h"
#include "core/monster_records.h"

class TXelItem;
class TXelPlayer;
class TXelPlayerItem;

inline constexpr int BattleFieldWidth = 320;
inline constexpr int BattleFieldHeight = 160;
inline constexpr int MaxGroupMembers = 10;
inline constexpr int MaxBattlePages = 100;

// The image size of each member, in member order.
using TMemberSizes = std::vector<TPoint>; // x = width, y = height

// A member's place in the paint order: its index, X and bottom edge.
struct TMonsterOrder {
  int Index = 0;
  int X = 0;
  int Bottom = 0;
};

// Member indexes in the order they are painted: by bottom edge upwards; of two with the
// same bottom the lower index comes last, so it lies on top.
std::vector<int> MemberDrawOrder(const TXelMonGroupMonster& members, const TMemberSizes& sizes);
// The member whose image holds Point, the topmost first; -1 for none.
int MemberAt(const TXelMonGroupMonster& members, const TMemberSizes& sizes, TPoint point);
// The image rectangle of member Index.
TRect MemberRect(const TXelMonGroupMonsterItem& member, TPoint size);

// Puts the members side by side across the field (squeezed when they do not fit),
// walking ones on the ground and flying ones in the air; only with Apply do they move.
// True when every member already stands where it would be put.
bool ArrangeInRow(TXelMonGroupMonster& members, const TMemberSizes& sizes,
                  const TXelMonster& monsters, bool apply);
// Where a member just added stands: on the ground, 32 pixels right of the member before
// it (in the middle for the first), inside the field.
TPoint NewMemberPlace(const TXelMonGroupMonster& members, int index, TPoint size);

// One mouse move of a drag: the tracked point follows Pointer in steps of Step pixels,
// the member's X and Y with it, each axis bounded on its own; then both snap to the
// step's grid. Returns whether the member moved.
bool DragMemberStep(TPoint& tracked, TPoint pointer, int step, int32_t& x, int32_t& y);

// "Slime x3,Bat" without blanks: each monster once with its count, in member order; a
// name longer than MaxLength bytes is cut to MaxLength - 1 and ends with "-".
std::string AutoGroupName(const TXelMonGroupItem& group, const TXelMonster& monsters,
                          size_t maxLength = 20);

// What DashBox1 shows for a trigger: the conditions in use joined by "; ", or "(None)".
// Names come from the process-wide tables.
std::string TriggerSummary(const TXelBattleEventTrigger& trigger, const TXelMonGroupItem& group);
// "a-b", or "a" when both ends are equal.
std::string RangeText(int a, int b);
// The line of member Index in the trigger dialog's combo: "3:Bat" (nothing after the
// colon for a missing monster).
std::string MemberLine(const TXelMonGroupItem& group, int index);

// The paste filter of battle events: true for every code a battle event may not hold.
bool IsNotBattleEventCode(int32_t code);

// The hero a new party slot takes: the first id from 1 that no earlier slot holds.
int FirstFreeHero(const std::vector<int>& earlierHeroes);
// The heroes a slot may choose, in id order: every hero no other slot holds.
std::vector<int> HeroChoices(int heroCount, const std::vector<int>& otherHeroes);
// Max HP, max MP, attack, defense, mind and agility of Hero at Level with Equipment.
std::array<int, 6> TestAbilities(const TXelPlayerItem& hero, int level,
                                 const std::array<int, 5>& equipment, const TXelItem& items);

// The runtime's command line for a battle test of group GroupId: the quoted program in
// ProjectFolder, then "BattleTest HideTitle", "FullScreen" or "Window", and the id.
std::string BattleTestCommandLine(const std::string& projectFolder, bool fullScreen, int groupId);
// The words after the quoted program of such a line.
std::vector<std::string> CommandLineArguments(const std::string& commandLine);
