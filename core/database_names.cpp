#include "core/database_names.h"

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/database_tables.h"
#include "core/hero_records.h"
#include "core/monster_records.h"
#include "core/switch_records.h"

namespace {

// The unchecked lookups: a missing id is no error here, in editor mode or not.
template <class List> std::string NameById(const List* list, int32_t id) {
  const auto* item = list ? list->FindById(id) : nullptr;
  return item ? item->Name : std::string(SMissingEntryName);
}

template <class List> std::string CaptionById(const List* list, int32_t id) {
  const auto* item = list ? list->FindById(id) : nullptr;
  return item ? item->GetCaption() : std::string(SMissingEntryName);
}

} // namespace

std::string SwitchNameById(int32_t id) {
  return CaptionById(SwitchList, id);
}
std::string VariableNameById(int32_t id) {
  return CaptionById(VariableList, id);
}
std::string HeroNameById(int32_t id) {
  return NameById(PlayerList, id);
}
std::string SkillNameById(int32_t id) {
  return NameById(SkillList, id);
}
std::string ItemNameById(int32_t id) {
  return NameById(ItemList, id);
}
std::string MonsterNameById(int32_t id) {
  return NameById(MonsterList, id);
}
std::string MonsterGroupNameById(int32_t id) {
  return NameById(MonGroupList, id);
}
std::string ConditionNameById(int32_t id) {
  return NameById(StatusList, id);
}
std::string AnimationNameById(int32_t id) {
  return NameById(AnimationList, id);
}
std::string ChipSetNameById(int32_t id) {
  return NameById(ChipSetList, id);
}
std::string CommonEventNameById(int32_t id) {
  return NameById(CommonEventList, id);
}
