// Names of database entries by id, for list lines and script texts. A missing entry, or
// a table that does not exist yet, gives "?"; none of these raises.
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* SMissingEntryName = "?";

// Switches and variables give their caption: "0012:Door open", or "0012" without a name.
std::string SwitchNameById(int32_t id);
std::string VariableNameById(int32_t id);
// The others give the bare name.
std::string HeroNameById(int32_t id);
std::string SkillNameById(int32_t id);
std::string ItemNameById(int32_t id);
std::string MonsterNameById(int32_t id);
std::string MonsterGroupNameById(int32_t id);
std::string ConditionNameById(int32_t id);
std::string AnimationNameById(int32_t id);
std::string ChipSetNameById(int32_t id);
std::string CommonEventNameById(int32_t id);
