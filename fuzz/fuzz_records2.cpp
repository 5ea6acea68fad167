// Loads the system or vocabulary record or a switch, variable, common-event, monster or
// monster-group table (the first byte picks which) from arbitrary bytes; whatever loads must save
// and reload to the same bytes.

// Real inputs of this kind run larger than libFuzzer's default cap.
#define FUZZ_MAX_LEN 65536

#include <cstdlib>

#include "core/attribute_records.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "core/monster_records.h"
#include "core/switch_records.h"
#include "core/system_records.h"
#include "core/vocabulary_record.h"
#include "fuzz_seeds.h"
#include "fuzz_tables.h"
#include "tests/core/sample_records.h"

namespace {

// Every save of the system record counts itself; take the count back to what was
// loaded before saving again.
template <class T> void UndoSaveCount(T&) {}
void UndoSaveCount(TXelSystem& system) {
  system.SaveCount = static_cast<int32_t>(static_cast<uint32_t>(system.SaveCount) - 1);
}

// Checks on First, loaded from the input. Settle: with a database set, cutting an array to the
// table's size can leave default entries at its end, which the next save drops; one more save is
// then stable.
template <class T> void CheckRoundTrip(T& first, bool settle) {
  if (settle) LoadBytes(first, SaveBytes(first));
  const Bytes saved = SaveBytes(first);
  T second;
  LoadBytes(second, saved);
  UndoSaveCount(second);
  if (SaveBytes(second) != saved) std::abort();
}

// The monsters and monster groups hold per-id arrays; the database's tables change
// nothing in the other records.
template <class T> void Check(const Bytes& data, bool perIdArrays) {
  CheckLoadedList<T>(data, perIdArrays,
                     [](T& first, bool settle) { CheckRoundTrip(first, settle); });
}

// In the order of the seeds below; the switch seed serves the variables too.
const TListCheck Checks[] = {
    [](const Bytes& d) { Check<TXelSystem>(d, false); },
    [](const Bytes& d) { Check<TXelVocabulary>(d, false); },
    [](const Bytes& d) { Check<TXelSwitch>(d, false); },
    [](const Bytes& d) { Check<TXelVariable>(d, false); },
    [](const Bytes& d) { Check<TXelCommonEvent>(d, false); },
    [](const Bytes& d) { Check<TXelMonster>(d, true); },
    [](const Bytes& d) { Check<TXelMonGroup>(d, true); },
};

} // namespace

FuzzSeeds MakeFuzzSeeds() {
  std::vector<Bytes> seeds;
  TXelSystem system;
  system.SetPartyCount(2);
  system.SetPartyMember(1, 3);
  system.TitleMusic.FileName = "Title";
  TXelTestPlayerItem* hero = system.TestParty.Append();
  hero->SetEquipment(0, 4);
  hero->SetEquipment(4, 9);
  seeds.push_back(SaveBytes(system));
  TXelVocabulary vocabulary;
  *vocabulary.Text(1) = "Go";
  vocabulary.GetInn(1)->Texts[2] = "Rest";
  seeds.push_back(SaveBytes(vocabulary));
  TXelSwitch switches;
  switches.Append()->Name = "Door";
  switches.Append();
  seeds.push_back(SaveBytes(switches));
  seeds.push_back(seeds.back());
  TXelCommonEvent events;
  TXelCommonEventItem* event = events.Append();
  event->Name = "Heal";
  event->Script.Add(10110, 0, "Hi");
  seeds.push_back(SaveBytes(events));
  TXelMonster monsters;
  TXelMonsterItem* monster = monsters.Append();
  monster->SetConditionRankCount(3);
  monster->SetConditionRank(2, 4);
  monster->SetAttributeRankCount(2);
  monster->SetAttributeRank(1, 0);
  monster->Actions.Append()->Priority = 10;
  seeds.push_back(SaveBytes(monsters));
  TXelMonGroup groups;
  TXelMonGroupItem* group = groups.Append();
  group->Members.Append()->X = 120;
  group->SetTerrainFlagCount(3);
  group->SetTerrainFlag(2, 0);
  group->BattlePages.Append()->Trigger.Flags = btTurn;
  seeds.push_back(SaveBytes(groups));
  return SeedsForChecks(seeds);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RunSelectedCheck(Checks, data, size);
  return 0;
}
