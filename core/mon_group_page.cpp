#include "core/mon_group_page.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "core/database_names.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/switch_records.h"

namespace {

TPoint SizeOf(const TMemberSizes& sizes, int index) {
  return index >= 0 && index < static_cast<int>(sizes.size()) ? sizes[static_cast<size_t>(index)]
                                                              : TPoint{64, 64};
}

const TXelMonsterItem* MonsterOf(const TXelMonster& monsters, int32_t id) {
  return monsters.FindById(id);
}

std::string ListText(int32_t id, const std::string& name) {
  char head[16];
  std::snprintf(head, sizeof head, "%.4d:", id);
  return head + name;
}

// The "%.4d:%s" text of a switch or variable, "?" when it does not exist.
template <class List> std::string EntryText(const List* list, int32_t id) {
  const auto* item = list ? list->FindById(id) : nullptr;
  return item ? ListText(id, item->Name) : std::string(SMissingEntryName);
}

// The monster of member Index, or none.
const TXelMonsterItem* MemberMonster(const TXelMonGroupItem& group, int index) {
  const TXelMonGroupMonsterItem* member = group.Members.GetItem(index);
  return member && MonsterList ? MonsterList->FindById(member->MonsterId) : nullptr;
}

} // namespace

TRect MemberRect(const TXelMonGroupMonsterItem& member, TPoint size) {
  return Bounds(member.X - size.X / 2, member.Y - size.Y / 2, size.X, size.Y);
}

std::vector<int> MemberDrawOrder(const TXelMonGroupMonster& members, const TMemberSizes& sizes) {
  std::vector<TMonsterOrder> orders;
  for (int i = 0; i < members.GetCount(); ++i) {
    const TXelMonGroupMonsterItem* member = members.GetItem(i);
    orders.push_back({i, member->X, member->Y + SizeOf(sizes, i).Y / 2});
  }
  std::sort(orders.begin(), orders.end(), [](const TMonsterOrder& a, const TMonsterOrder& b) {
    return a.Bottom != b.Bottom ? a.Bottom < b.Bottom : a.Index > b.Index;
  });
  std::vector<int> indexes;
  for (const TMonsterOrder& order : orders)
    indexes.push_back(order.Index);
  return indexes;
}

int MemberAt(const TXelMonGroupMonster& members, const TMemberSizes& sizes, TPoint point) {
  const std::vector<int> order = MemberDrawOrder(members, sizes);
  for (auto it = order.rbegin(); it != order.rend(); ++it)
    if (MemberRect(*members.GetItem(*it), SizeOf(sizes, *it)).Contains(point.X, point.Y))
      return *it;
  return -1;
}

bool ArrangeInRow(TXelMonGroupMonster& members, const TMemberSizes& sizes,
                  const TXelMonster& monsters, bool apply) {
  const int count = members.GetCount();
  int total = 0;
  for (int i = 0; i < count; ++i)
    total += SizeOf(sizes, i).X + 8;
  int squeeze = 0;
  if (total > BattleFieldWidth && count >= 2) {
    squeeze = (total - BattleFieldWidth) / (count - 1);
    total = BattleFieldWidth;
  }
  int x = BattleFieldWidth / 2 - total / 2;
  bool inRow = true;
  for (int i = 0; i < count; ++i) {
    TXelMonGroupMonsterItem* member = members.GetItem(i);
    const TPoint size = SizeOf(sizes, i);
    const int hw = size.X / 2 + 4;
    const int hh = size.Y / 2;
    // Written out, not std::clamp: an image wider or taller than the field inverts the
    // bounds.
    const int newX = std::max(hw - 4, std::min(x + hw, BattleFieldWidth + 4 - hw));
    const TXelMonsterItem* monster = MonsterOf(monsters, member->MonsterId);
    const int wanted = monster && monster->Flying ? hh / 2 + 48 : 148 - hh;
    const int newY = std::max(hh, std::min(wanted, BattleFieldHeight - hh));
    if (newX != member->X || newY != member->Y) inRow = false;
    if (apply) {
      member->X = newX;
      member->Y = newY;
    }
    x += 2 * hw - squeeze;
  }
  return inRow;
}

TPoint NewMemberPlace(const TXelMonGroupMonster& members, int index, TPoint size) {
  const TXelMonGroupMonsterItem* previous = index > 0 ? members.GetItem(index - 1) : nullptr;
  const int x = previous ? previous->X + 32 : BattleFieldWidth / 2;
  const int y = 148 - size.Y / 2;
  return {std::max(size.X / 2, std::min(x, BattleFieldWidth - size.X / 2)),
          std::max(size.Y / 2, std::min(y, BattleFieldHeight - size.Y / 2))};
}

namespace {

// One axis of a drag step: the tracked co-ordinate moves whole steps towards the
// pointer until it is within half a step; the value follows, bounded by Low and High.
void DragAxis(int& tracked, int pointer, int step, int32_t& value, int low, int high) {
  const int distance = pointer - tracked;
  const int beyond = std::abs(distance) - step / 2;
  if (beyond <= 0) return;
  const int steps = (beyond + step - 1) / step;
  if (distance > 0) {
    tracked += steps * step;
    value = std::min<int64_t>(int64_t{value} + int64_t{steps} * step, high);
  } else {
    tracked -= steps * step;
    value = std::max<int64_t>(int64_t{value} - int64_t{steps} * step, low);
  }
}

int32_t SnapToStep(int32_t value, int step, int high) {
  const int remainder = ((value % step) + step) % step;
  value -= remainder;
  if (remainder > step / 2) value += step;
  return std::clamp(value, 0, high);
}

} // namespace

bool DragMemberStep(TPoint& tracked, TPoint pointer, int step, int32_t& x, int32_t& y) {
  step = std::max(step, 1);
  const int32_t oldX = x;
  const int32_t oldY = y;
  DragAxis(tracked.X, pointer.X, step, x, 1, BattleFieldWidth);
  DragAxis(tracked.Y, pointer.Y, step, y, 1, BattleFieldHeight);
  x = SnapToStep(x, step, BattleFieldWidth);
  y = SnapToStep(y, step, BattleFieldHeight);
  return x != oldX || y != oldY;
}

std::string AutoGroupName(const TXelMonGroupItem& group, const TXelMonster& monsters,
                          size_t maxLength) {
  const TXelMonGroupMonster& members = group.Members;
  std::vector<bool> counted(static_cast<size_t>(members.GetCount()), false);
  std::string name;
  for (int i = 0; i < members.GetCount(); ++i) {
    const int32_t id = members.GetItem(i)->MonsterId;
    const TXelMonsterItem* monster = MonsterOf(monsters, id);
    int n = 0;
    for (int j = 0; j < members.GetCount(); ++j)
      if (!counted[static_cast<size_t>(j)] && members.GetItem(j)->MonsterId == id) {
        counted[static_cast<size_t>(j)] = true;
        ++n;
      }
    if (!monster || monster->Name.empty() || n < 1) continue;
    if (!name.empty()) name += ',';
    name += monster->Name;
    if (n > 1) name += 'x' + std::to_string(n);
  }
  // The code page has single-byte characters only, so any byte may end the cut.
  if (maxLength > 0 && name.size() > maxLength) name = name.substr(0, maxLength - 1) + '-';
  return name;
}

std::string RangeText(int a, int b) {
  return a == b ? std::to_string(a) : std::to_string(a) + '-' + std::to_string(b);
}

std::string MemberLine(const TXelMonGroupItem& group, int index) {
  const TXelMonsterItem* monster = MemberMonster(group, index);
  return std::to_string(index + 1) + ':' + (monster ? monster->Name : std::string());
}

std::string TriggerSummary(const TXelBattleEventTrigger& t, const TXelMonGroupItem& group) {
  std::vector<std::string> parts;
  if (t.Flags & btSwitchA)
    parts.push_back("Switch [" + EntryText(SwitchList, t.SwitchAId) + "]-ON");
  if (t.Flags & btSwitchB)
    parts.push_back("Switch [" + EntryText(SwitchList, t.SwitchBId) + "]-ON");
  if (t.Flags & btVariable)
    parts.push_back("Variable[" + EntryText(VariableList, t.VariableId) + "]>=[" +
                    std::to_string(t.VariableValue) + "]");
  if (t.Flags & btTurn) {
    if (t.TurnA == 0)
      parts.push_back("Turn No[" + std::to_string(t.TurnB) + "]");
    else if (t.TurnB != 0)
      parts.push_back("Turn No[" + std::to_string(t.TurnA) + "x+" + std::to_string(t.TurnB) + "]");
    else
      parts.push_back("Turn No[" + std::to_string(t.TurnA) + "x]");
  }
  if (t.Flags & btExhaustion)
    parts.push_back("Exhaustion%[" + RangeText(t.ExhaustionMin, t.ExhaustionMax) + "]");
  if (t.Flags & btMonsterHp) {
    const TXelMonsterItem* monster = MemberMonster(group, t.MonsterIndex);
    parts.push_back("Enemy[" + std::to_string(t.MonsterIndex + 1) + ":" +
                    (monster ? monster->Name : std::string(SMissingEntryName)) + "] HP%[" +
                    RangeText(t.MonsterHpMin, t.MonsterHpMax) + "]");
  }
  if (t.Flags & btHeroHp)
    parts.push_back("Hero[" + HeroNameById(t.HeroId) + "] HP%[" +
                    RangeText(t.HeroHpMin, t.HeroHpMax) + "]");
  if (parts.empty()) return "(None)";
  std::string text = parts[0];
  for (size_t i = 1; i < parts.size(); ++i)
    text += "; " + parts[i];
  return text;
}

bool IsNotBattleEventCode(int32_t code) {
  static constexpr int32_t allowed[] = {
      10,    10110, 10130, 10210, 10220, 10320, 10330, 10440, 10450, 10460, 10470, 10480,
      10490, 11030, 11040, 11050, 11410, 11510, 11520, 11550, 12310, 12410, 12420, 13110,
      13120, 13130, 13150, 13210, 13260, 13310, 13410, 20110, 22410, 23310, 23311};
  return std::find(std::begin(allowed), std::end(allowed), code) == std::end(allowed);
}

int FirstFreeHero(const std::vector<int>& earlierHeroes) {
  int id = 1;
  while (std::find(earlierHeroes.begin(), earlierHeroes.end(), id) != earlierHeroes.end())
    ++id;
  return id;
}

std::vector<int> HeroChoices(int heroCount, const std::vector<int>& otherHeroes) {
  std::vector<int> ids;
  for (int id = 1; id <= heroCount; ++id)
    if (std::find(otherHeroes.begin(), otherHeroes.end(), id) == otherHeroes.end())
      ids.push_back(id);
  return ids;
}

std::array<int, 6> TestAbilities(const TXelPlayerItem& hero, int level,
                                 const std::array<int, 5>& equipment, const TXelItem& items) {
  std::array<int, 6> values{};
  for (int p = 0; p < HeroParameterCount; ++p)
    values[static_cast<size_t>(p)] = static_cast<int16_t>(hero.GetParameter(p, level));
  for (int id : equipment) {
    const TXelItemItem* item = id > 0 ? items.FindById(id) : nullptr;
    if (!item) continue;
    values[2] += item->AttackBonus;
    values[3] += item->DefenseBonus;
    values[4] += item->MindBonus;
    values[5] += item->AgilityBonus;
  }
  return values;
}

std::string BattleTestCommandLine(const std::string& projectFolder, bool fullScreen, int groupId) {
  return '"' + projectFolder + "KOVAX.exe\" BattleTest HideTitle" +
         (fullScreen ? " FullScreen" : " Window") + ' ' + std::to_string(groupId);
}

std::vector<std::string> CommandLineArguments(const std::string& commandLine) {
  size_t start = 0;
  if (!commandLine.empty() && commandLine[0] == '"') {
    const size_t close = commandLine.find('"', 1);
    start = close == std::string::npos ? commandLine.size() : close + 1;
  } else {
    start = commandLine.find(' ');
    if (start == std::string::npos) start = commandLine.size();
  }
  std::istringstream words(commandLine.substr(start));
  std::vector<std::string> args;
  for (std::string word; words >> word;)
    args.push_back(word);
  return args;
}
