// The data core's part of the string table: texts shown to the author exactly as here.
#pragma once

inline constexpr const char* SReadError = "A reading error from the stream";
inline constexpr const char* SZlibError = "Zlib Error";
inline constexpr const char* SOutOfMemory = "Out of memory";

// Checked list accessors, one text per list.
inline constexpr const char* SInvalidHero = "Invalid Hero";
inline constexpr const char* SInvalidSkill = "Invalid Tech Skill";
inline constexpr const char* SInvalidItem = "Invalid Item Designed";
inline constexpr const char* SInvalidMonster = "Invalid Enemy Chara";
inline constexpr const char* SInvalidMonGroup = "Invalid Monsters Group";
inline constexpr const char* SInvalidGround = "Invalid Terrain Designed";
inline constexpr const char* SInvalidAttrib = "An invalid attribute was specified";
inline constexpr const char* SInvalidStatus = "Invalid Condition State";
inline constexpr const char* SInvalidAnimation = "An invalid battle animate cartoon was specified";
inline constexpr const char* SInvalidChipSet = "An invalid chip set was specified";
inline constexpr const char* SInvalidCommonEvent = "An invalid common event was specified";
inline constexpr const char* SInvalidSwitch = "Invalid Switch";
inline constexpr const char* SInvalidVariable = "Invalid Variable";
inline constexpr const char* SInvalidEvent = "An invalid event was specified";
inline constexpr const char* SInvalidEventPage = "Invalid Event Page Designed";
inline constexpr const char* SInvalidMap = "Invalid Map Designed";
