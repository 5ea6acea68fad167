// The editor's private clipboard formats: what each number holds, and the builders and
// parsers of the stream blocks. Record and list blocks are written and read by the
// records and lists themselves (CopyToClipboard, PasteFromClipboard).
//
// Every parser takes the whole block as it stands on the clipboard and gives nothing
// when the block is not exactly a payload of its format, as if the format were absent.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/event_script.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/map_tree.h"
#include "core/move_route.h"

enum : uint32_t {
  cfMapRegion = 562,       // the map editor's chip selection, its own cell block
  cfMapEvent = 563,        // stream: one map event or one start mark
  cfEventPage = 564,       // record: TXelEventPageItem
  cfBattleEventPage = 565, // record: TXelBattleEventPageItem
  cfScriptLines = 566,     // stream: event-script lines
  cfMoveCommand = 567,     // stream: one move-route command
  cfMapTreeMap = 568,      // stream: one map with its tree entry
  cfListRow = 569,         // record: TXelEncountItem or TXelMonsterActItem
  cfAnimationTiming = 570, // record: TXelAnimationTimingItem
  // 571 is not used.
  cfAnimationFrame = 572, // record: TXelAnimationPatternItem
  cfAnimationCell = 573,  // record: TXelAnimationCellItem
  // Database entries: a record block (Copy) or a list block (Multi Copy).
  cfHero = 574,
  cfSkill = 575,
  cfItem = 576,
  cfMonster = 577,
  cfMonGroup = 578,
  cfTerrain = 579,
  cfAttribute = 580,
  cfCondition = 581,
  cfAnimation = 582,
  cfChipSet = 583,
  cfCommonEvent = 584,
};

// Tags of format 563: 0 for an event, or the start mark of the party or a vehicle.
inline constexpr int32_t StartMarkParty = 60001;
inline constexpr int32_t StartMarkBoat = 60002;
inline constexpr int32_t StartMarkShip = 60003;
inline constexpr int32_t StartMarkAirship = 60004;

// 563: the compressed tag, then for tag 0 the event's record.
struct TMapEventClip {
  int32_t Tag = 0;
  std::unique_ptr<TXelEventItem> Event; // with tag 0 only
};
std::vector<uint8_t> BuildEventClip(const TXelEventItem& event);
// Tag is one of the four start marks.
std::vector<uint8_t> BuildStartMarkClip(int32_t tag);
std::optional<TMapEventClip> ParseMapEventClip(const std::vector<uint8_t>& block);

// 566: the line stream of Count lines of Script from index First (those that exist).
std::vector<uint8_t> BuildScriptLinesClip(const TXelEventScriptList& script, int first, int count);
// At least one line, none with a negative indent.
std::unique_ptr<TXelEventScriptList> ParseScriptLinesClip(const std::vector<uint8_t>& block);

// 567: one command of the move-route command stream.
std::vector<uint8_t> BuildMoveCommandClip(const TXelMoveRouteItem& command);
std::optional<TXelMoveRouteItem> ParseMoveCommandClip(const std::vector<uint8_t>& block);

// 568: the entry's name, the map's record, the tree entry's record.
struct TMapTreeMapClip {
  std::string Name;
  std::unique_ptr<TXelMap> Map;
  std::unique_ptr<TXelMapTreeItem> Item;
};
std::vector<uint8_t> BuildMapTreeMapClip(const std::string& name, const TXelMap& map,
                                         const TXelMapTreeItem& item);
std::optional<TMapTreeMapClip> ParseMapTreeMapClip(const std::vector<uint8_t>& block);
