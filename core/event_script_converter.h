// The display text of event-script lines, as every script list shows them: two blanks
// per indentation level, then "<>" and the command's words for a command's first line or
// ":" for a branch or continuation line. Texts are code-page bytes like the data itself.
//
// Command codes: 10000-19999 start a command (the battle-only ones from 13000), the head
// code plus 10000 is a branch or continuation line of that command, 10 ends a block body
// and 0 ends a script.
#pragma once

#include <cstdint>
#include <string>

class TXelEventScriptLine;
class TXelEventItem;
class TXelMapTree;
class TXelMap;
class TXelMonGroupItem;

inline constexpr const char* SDataBroken = "<>Data Broken. Sorry!";
// What a missing map event is called.
inline constexpr const char* SMissingEventName = "????";

// Deeper lines cannot come from the editor; their text shows at this depth, so that a
// hostile indentation cannot make a line of gigabytes.
inline constexpr int32_t MaxShownIndent = 1000;

// Each owner (event editor, common-event page, monster-group page) keeps one converter
// and sets the context before converting. A conversion keeps no state between lines.
class TEventScriptConverter {
public:
  // Never raises: a line whose conversion fails shows SDataBroken at its own depth, and
  // Broken, when given, tells so.
  std::string Convert(const TXelEventScriptLine& line, bool* broken = nullptr) const;

  // The map-tree entry's name; "?" for Id <= 0, without a map tree or without the entry.
  std::string MapNameById(int32_t id) const;
  // 10001-10005 are the hero, the vehicles and the event itself; a map event by its name
  // (the working copy's for the edited one, so an unsaved rename shows); else "????".
  std::string EventNameById(int32_t id) const;
  // "Whole Group " for a negative index inside the group; the member's number and its
  // monster's name ("2:Slime"); its number and ":?" when anything is missing.
  std::string EnemyNameByIndex(int32_t index) const;

  // The map event being edited (0 for common and battle events) and its working copy.
  int32_t EventId = 0;
  const TXelEventItem* Event = nullptr;
  const TXelMapTree* MapTree = nullptr;
  // The map whose events are named; none outside maps.
  const TXelMap* Map = nullptr;
  // The monster group whose battle events are shown; none outside battle events.
  const TXelMonGroupItem* MonsterGroup = nullptr;
};

// Screen transitions by number, -1 the default one; empty outside -1..20 and -1..19.
std::string EraseTransitionName(int32_t n);
std::string ShowTransitionName(int32_t n);
