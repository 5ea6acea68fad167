// Loads a database table of heroes, skills, items, attributes, conditions, terrain,
// chipsets or battle animations (the first byte picks which) from arbitrary bytes;
// whatever loads must save and reload to the same bytes, and a reload in place must end
// as a fresh load does.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <cstdlib>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "core/hero_records.h"
#include "fuzz_seeds.h"
#include "fuzz_tables.h"
#include "tests/core/sample_records.h"

namespace {

// Checks on First, loaded from Data; its saves must not change it. Settle: with a
// database set, cutting an array to the table's size can leave default entries at its
// end, which the next save drops; one more save is then stable.
template <class List> void CheckRoundTrip(List& first, const Bytes& data, bool settle) {
  if (settle) LoadBytes(first, SaveBytes(first));
  const Bytes saved = SaveBytes(first);
  List second;
  LoadBytes(second, saved);
  if (SaveBytes(second) != saved) std::abort();
  // The same input again over a list that holds other content (the animation list
  // keeps its objects and may skip them).
  LoadBytes(second, data);
  if (settle) LoadBytes(second, SaveBytes(second));
  if (SaveBytes(second) != saved) std::abort();
}

// The heroes, skills and items hold per-id arrays; the database's tables change nothing
// in the other tables.
template <class List> void Check(const Bytes& data, bool perIdArrays) {
  CheckLoadedList<List>(data, perIdArrays,
                        [&](List& first, bool settle) { CheckRoundTrip(first, data, settle); });
}

// In the order of the seeds below.
const TListCheck Checks[] = {
    [](const Bytes& d) { Check<TXelPlayer>(d, true); },
    [](const Bytes& d) { Check<TXelSkill>(d, true); },
    [](const Bytes& d) { Check<TXelItem>(d, true); },
    [](const Bytes& d) { Check<TXelStatus>(d, false); },
    [](const Bytes& d) { Check<TXelAttrib>(d, false); },
    [](const Bytes& d) { Check<TXelGround>(d, false); },
    [](const Bytes& d) { Check<TXelChipSet>(d, false); },
    [](const Bytes& d) { Check<TXelAnimation>(d, false); },
};

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  std::vector<Bytes> seeds;
  TXelPlayer heroes;
  auto* hero = heroes.Append();
  hero->Name = "Hero";
  hero->SetConditionRankCount(3);
  hero->SetConditionRank(2, 4);
  hero->SetAttributeRankCount(2);
  hero->SetAttributeRank(1, 0);
  hero->Learning.Append()->SkillId = 3;
  heroes.Append();
  seeds.push_back(SaveBytes(heroes));
  TXelSkill skills;
  auto* skill = skills.Append();
  skill->SetConditionFlagCount(2);
  skill->SetConditionFlag(2, 1);
  skill->Sound.FileName = "Se";
  seeds.push_back(SaveBytes(skills));
  TXelItem items;
  auto* item = items.Append();
  item->SetHeroFlagCount(2);
  item->SetAttributeFlagCount(1);
  item->SetAttributeFlag(1, 1);
  seeds.push_back(SaveBytes(items));
  TXelStatus conditions;
  conditions.Append()->AlreadyMessage = "x";
  conditions.Append()->AffectedMessage = "y";
  seeds.push_back(SaveBytes(conditions));
  TXelAttrib attributes;
  attributes.Append()->Name = "Fire";
  seeds.push_back(SaveBytes(attributes));
  TXelGround terrain;
  terrain.Append()->BattleBackground = "Bg";
  seeds.push_back(SaveBytes(terrain));
  TXelChipSet chipsets;
  auto* chipset = chipsets.Append();
  chipset->SetChipTerrain(3, 2);
  chipset->SetUpperPassability(5, 0x40);
  seeds.push_back(SaveBytes(chipsets));
  TXelAnimation animations;
  auto* animation = animations.Append();
  animation->Timings.Append()->Frame = 2;
  animation->Frames().GetItem(0)->Cells.Append()->X = -4;
  animation->SetFrameCount(2);
  animations.Append();
  seeds.push_back(SaveBytes(animations));
  return SeedsForChecks(seeds);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunSelectedCheck(Checks, data, size);
  return 0;
}
