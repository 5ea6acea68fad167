// The route editor's list and its rules, without the window: one line per command and a
// last line "<>", where a new command goes, what Delete, Clear All and the clipboard may
// do, and the bound of 200 commands a route holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/move_route.h"

inline constexpr int MaxMoveCommands = 200;

// The list text of one command ("<>Switch [0012]-ON", "<>Change Chara1-3", "<>Up").
std::string MoveCommandLineText(const TXelMoveRouteItem& command);
// One line per command, then "<>".
std::vector<std::string> MoveRouteLines(const TXelMoveRoute& route);

struct TMoveRouteState {
  bool AddCommand = false; // every command button
  bool Delete = false;     // the button and the menu item
  bool ClearAll = false;
  bool Cut = false;
  bool Copy = false;
  bool Paste = false;
};

// The enabling for the selected line (Count is the last line "<>").
TMoveRouteState MoveRouteState(const TXelMoveRoute& route, int selectedLine,
                               bool clipboardHasCommand);

// Inserts a copy of Command before the selected line (on the last line: appended); the
// selected line then holds the new command. False, and nothing added, at 200 commands.
bool InsertMoveCommand(TXelMoveRoute& route, int selectedLine, const TXelMoveRouteItem& command);
// Removes the command on the selected line; the same line number stays selected. False
// on the last line.
bool DeleteMoveCommand(TXelMoveRoute& route, int selectedLine);
// Clear All: every command goes, the route's flags stay (unlike the record's Clear).
void ClearMoveCommands(TXelMoveRoute& route);
// The clipboard block (567) of the command on the selected line; empty on the last line.
std::vector<uint8_t> CopyMoveCommand(const TXelMoveRoute& route, int selectedLine);
// Inserts the command of a 567 block like a button does. False when the block is not one
// move command or the route is full.
bool PasteMoveCommand(TXelMoveRoute& route, int selectedLine, const std::vector<uint8_t>& block);
