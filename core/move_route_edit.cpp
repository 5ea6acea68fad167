#include "core/move_route_edit.h"

#include <cinttypes>
#include <cstdio>
#include <memory>

#include "core/clipboard_formats.h"

namespace {

bool IsCommandLine(const TXelMoveRoute& route, int line) {
  return line >= 0 && line < route.GetCount();
}

} // namespace

std::string MoveCommandLineText(const TXelMoveRouteItem& command) {
  char text[48];
  switch (command.Code) {
  case mcSwitchOn:
    std::snprintf(text, sizeof text, "<>Switch [%.4d]-ON", static_cast<int>(command.SwitchId));
    return text;
  case mcSwitchOff:
    std::snprintf(text, sizeof text, "<>Switch [%.4d]-OFF", static_cast<int>(command.SwitchId));
    return text;
  case mcChangeGraphic:
    // Index + 1 in 64 bits: an index of 2147483647 from a file shows 2147483648.
    std::snprintf(text, sizeof text, "-%" PRId64, int64_t{command.GraphicIndex} + 1);
    return "<>Change " + command.GraphicName + text;
  case mcPlaySound:
    return "<>Sound Effect " + command.SoundName;
  default: {
    std::string name;
    MoveCommandName(command.Code, name);
    return "<>" + name;
  }
  }
}

std::vector<std::string> MoveRouteLines(const TXelMoveRoute& route) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<size_t>(route.GetCount()) + 1);
  for (int i = 0; i < route.GetCount(); ++i)
    lines.push_back(MoveCommandLineText(*route.GetItem(i)));
  lines.emplace_back("<>");
  return lines;
}

TMoveRouteState MoveRouteState(const TXelMoveRoute& route, int selectedLine,
                               bool clipboardHasCommand) {
  TMoveRouteState state;
  state.AddCommand = route.GetCount() < MaxMoveCommands;
  state.Delete = state.Cut = state.Copy = IsCommandLine(route, selectedLine);
  state.ClearAll = route.GetCount() > 0;
  // A route holds at most 200 commands, pasted ones too.
  state.Paste = clipboardHasCommand && state.AddCommand;
  return state;
}

bool InsertMoveCommand(TXelMoveRoute& route, int selectedLine, const TXelMoveRouteItem& command) {
  if (route.GetCount() >= MaxMoveCommands) return false;
  route.Insert(selectedLine, std::make_unique<TXelMoveRouteItem>(command));
  return true;
}

bool DeleteMoveCommand(TXelMoveRoute& route, int selectedLine) {
  if (!IsCommandLine(route, selectedLine)) return false;
  route.Delete(selectedLine);
  return true;
}

void ClearMoveCommands(TXelMoveRoute& route) {
  while (route.GetCount() > 0)
    route.Delete(route.GetCount() - 1);
}

std::vector<uint8_t> CopyMoveCommand(const TXelMoveRoute& route, int selectedLine) {
  if (!IsCommandLine(route, selectedLine)) return {};
  return BuildMoveCommandClip(*route.GetItem(selectedLine));
}

bool PasteMoveCommand(TXelMoveRoute& route, int selectedLine, const std::vector<uint8_t>& block) {
  const std::optional<TXelMoveRouteItem> command = ParseMoveCommandClip(block);
  return command && InsertMoveCommand(route, selectedLine, *command);
}
