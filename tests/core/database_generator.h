// A seeded generator of a large, realistic database: thousands of entries in every
// table, names, scripts in common events and battle events, animations with many frames.
// Shared by the database tests and benchmark; the same seed gives the same database.
#pragma once

#include <random>
#include <string>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/database.h"
#include "core/hero_records.h"
#include "core/monster_records.h"
#include "core/stream.h"
#include "core/switch_records.h"
#include "core/system_records.h"
#include "core/var_int.h"
#include "core/vocabulary_record.h"

class TDataBaseGenerator {
public:
  explicit TDataBaseGenerator(uint32_t seed) : rng_(seed) {}

  // Count entries per list; with Count 2000 the saved file is about 20 MB. The
  // attributes, conditions and chipsets are short lists unless EveryList asks for Count
  // of them too.
  void Fill(TXelDataBase& db, int count, bool everyList = false) {
    const int shortCount = everyList ? count : 20;
    for (int i = 1; i <= shortCount; ++i)
      db.Attribs().GetOrCreate(i)->Name = Name("Attribute", i);
    for (int i = 1; i <= shortCount; ++i)
      db.Statuses().GetOrCreate(i)->Name = Name("Condition", i);
    for (int i = 1; i <= count; ++i) {
      FillHero(*db.Players().GetOrCreate(i), i);
      FillSkill(*db.Skills().GetOrCreate(i), i);
      FillItem(*db.Items().GetOrCreate(i), i);
      FillMonster(*db.Monsters().GetOrCreate(i), i);
      FillGroup(*db.MonGroups().GetOrCreate(i), i);
      db.Grounds().GetOrCreate(i)->Name = Name("Terrain", i);
      FillAnimation(*db.Animations().GetOrCreate(i), i);
      db.Switches().GetOrCreate(i)->Name = Name("Switch", i);
      db.Variables().GetOrCreate(i)->Name = Name("Variable", i);
      FillCommonEvent(*db.CommonEvents().GetOrCreate(i), i);
    }
    for (int i = 1; i <= (everyList ? count : 50); ++i)
      db.ChipSets().GetOrCreate(i)->Name = Name("Chipset", i);
    for (int id = 1; id <= 153; ++id)
      if (std::string* text = db.Vocabulary().Text(id)) *text = Name("Term", id);
    TXelSystem& system = db.System();
    system.SetPartyCount(4);
    for (int k = 0; k < 4; ++k)
      system.SetPartyMember(k, k + 1);
    system.TitleMusic.FileName = "Title";
    system.BattleMusic.FileName = "Battle";
    system.SystemGraphic = "System";
  }

private:
  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  std::string Name(const char* kind, int i) {
    return std::string(kind) + " " + std::to_string(i) + (Rand(0, 3) == 0 ? " \xE9lite" : "");
  }

  void FillScript(TXelEventScriptList& script, int lines) {
    script.Clear();
    for (int k = 0; k < lines; ++k) {
      TXelEventScriptLine* line = script.Add(10110 + Rand(0, 40) * 10, Rand(0, 3),
                                             Rand(0, 2) == 0 ? "Hello, traveller." : "");
      line->SetParamCount(Rand(0, 6));
      for (int p = 0; p < line->ParamCount(); ++p)
        line->SetParam(p, Rand(-5, 5000));
    }
    script.Add(ScriptEndCode, 0);
  }

  void FillHero(TXelPlayerItem& hero, int i) {
    hero.Name = Name("Hero", i);
    hero.Title = "Warrior";
    hero.WalkGraphic = "Hero" + std::to_string(i % 8);
    hero.FaceGraphic = "Face" + std::to_string(i % 8);
    hero.MaxLevel = Rand(20, 99);
    for (int p = 0; p < HeroParameterCount; ++p)
      for (int level = 1; level <= 50; ++level)
        hero.SetParameter(p, level, Rand(1, 999));
    for (int k = 1; k <= 5; ++k) {
      TXelPlayerLearningItem* learn = hero.Learning.GetOrCreate(k);
      learn->Level = k * 5;
      learn->SkillId = Rand(1, 100);
    }
    hero.SetConditionRankCount(20);
    for (int k = 1; k <= 20; ++k)
      hero.SetConditionRank(k, static_cast<uint8_t>(Rand(0, 4)));
  }

  void FillSkill(TXelSkillItem& skill, int i) {
    skill.Name = Name("Skill", i);
    skill.Description = "A skill of some power.";
    skill.MpCost = Rand(0, 99);
    skill.BaseEffect = Rand(0, 999);
    skill.Sound.FileName = "Sword1";
  }

  void FillItem(TXelItemItem& item, int i) {
    item.Name = Name("Item", i);
    item.Description = "Useful in a pinch.";
    item.Price = Rand(1, 9999);
    item.AttackBonus = Rand(0, 50);
  }

  void FillMonster(TXelMonsterItem& monster, int i) {
    monster.Name = Name("Monster", i);
    monster.Graphic = "Blob";
    monster.MaxHp = Rand(10, 9999);
    monster.Experience = Rand(1, 999);
    for (int k = 1; k <= 4; ++k)
      monster.Actions.GetOrCreate(k)->SkillId = Rand(1, 100);
  }

  void FillGroup(TXelMonGroupItem& group, int i) {
    group.Name = Name("Group", i);
    for (int k = 1; k <= 4; ++k) {
      TXelMonGroupMonsterItem* member = group.Members.GetOrCreate(k);
      member->MonsterId = Rand(1, 100);
      member->X = Rand(0, 320);
      member->Y = Rand(0, 160);
    }
    for (int k = 1; k <= 3; ++k) {
      TXelBattleEventPageItem* page = group.BattlePages.GetOrCreate(k);
      page->Trigger.Flags = btTurn;
      page->Trigger.TurnA = k;
      FillScript(page->Script, 25);
    }
  }

  void FillAnimation(TXelAnimationItem& animation, int i) {
    animation.NeedsSerialize = 1;
    animation.Name = Name("Animation", i);
    animation.Graphic = "Slash";
    animation.SetFrameCount(30);
    for (int f = 0; f < animation.GetFrameCount(); ++f) {
      TXelAnimationPatternItem* frame = animation.Frames().GetItem(f);
      for (int c = 1; c <= 6; ++c) {
        TXelAnimationCellItem* cell = frame->Cells.GetOrCreate(c);
        cell->Pattern = Rand(0, 24);
        cell->X = Rand(-160, 160);
        cell->Y = Rand(-80, 80);
      }
    }
    for (int t = 1; t <= 3; ++t) {
      TXelAnimationTimingItem* timing = animation.Timings.GetOrCreate(t);
      timing->Frame = t * 3;
      timing->Sound.FileName = "Hit";
      timing->FlashScope = 1;
    }
  }

  void FillCommonEvent(TXelCommonEventItem& event, int i) {
    event.Name = Name("Common Event", i);
    FillScript(event.Script, 80);
  }

  std::mt19937 rng_;
};

// Where table Id's chunk lies in a saved database: the offsets of its id, of the last
// byte of its length, and of its data; and its size.
struct TTableChunk {
  size_t At, LengthEnd, DataAt, Size;
};
inline TTableChunk FindTableChunk(const std::string& file, int id) {
  TMemoryStream s(file.data(), file.size());
  ReadVarString(s);
  for (;;) {
    TTableChunk chunk;
    chunk.At = size_t(s.GetPosition());
    const uint32_t found = ReadVarInt(s);
    chunk.Size = ReadVarInt(s);
    chunk.LengthEnd = size_t(s.GetPosition()) - 1;
    chunk.DataAt = size_t(s.GetPosition());
    if (found == uint32_t(id)) return chunk;
    s.SetPosition(s.GetPosition() + int64_t(chunk.Size));
  }
}

// A saved database with one byte damaged: the first byte of table Id's chunk (the list's
// count) set to 0xFF, which makes the count far larger than the chunk can hold, so a load
// stops in that table and the tables after it are not read.
inline std::string DamageTable(std::string file, int id) {
  file[FindTableChunk(file, id).DataAt] = char(0xFF);
  return file;
}

// Damage that leaves every byte readable: table Id's chunk length one larger (its last
// byte below 0x7F), or its id changed to NewId.
inline std::string DamageTableLength(std::string file, int id) {
  ++file[FindTableChunk(file, id).LengthEnd];
  return file;
}
inline std::string DamageTableId(std::string file, int id, int newId) {
  file[FindTableChunk(file, id).At] = char(newId);
  return file;
}

// The length of the first entry's name (field 1, shorter than 127 bytes) in list table Id
// made one larger: the entry's fields after it are read from shifted bytes.
inline std::string DamageFirstName(std::string file, int id) {
  TMemoryStream s(file.data(), file.size());
  s.SetPosition(int64_t(FindTableChunk(file, id).DataAt));
  ReadVarInt(s); // count
  ReadVarInt(s); // the first entry's Id
  ReadVarInt(s); // field 1
  ++file[size_t(s.GetPosition())];
  return file;
}
