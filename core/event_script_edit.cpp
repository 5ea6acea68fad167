#include "core/event_script_edit.h"

#include <memory>

#include "core/clipboard_formats.h"
#include "core/event_script_converter.h"

namespace {

const TXelEventScriptLine& Line(const TXelEventScriptList& script, int index) {
  return *script.GetItem(index);
}

// The head a branch or continuation line belongs to: its code less 10000, last digit 0.
int32_t BranchHeadCode(int32_t code) {
  return (code - 10000) / 10 * 10;
}

// What a line at a command's own depth is to that command, by the command-code table.
enum class TOwnLine {
  No,        // another command's line, or no command's
  Continues, // a continuation line (a message's, a note's), with nothing under it
  Branch,    // a branch line with a body under it
  Closes,    // the line that ends the block
};

TOwnLine OwnLine(int32_t head, int32_t code) {
  if (code < BranchCodeBase || BranchHeadCode(code) != head) return TOwnLine::No;
  switch (code) {
  case 20110:
  case 22410:
    return TOwnLine::Continues;
  case 20140:
  case 20710:
  case 20711:
  case 20712:
  case 20720:
  case 20721:
  case 20730:
  case 20731:
  case 22010:
  case 23310:
    return TOwnLine::Branch;
  case 20141:
  case 20713:
  case 20722:
  case 20732:
  case 22011:
  case 22210:
  case 23311:
    return TOwnLine::Closes;
  default:
    return TOwnLine::No;
  }
}

// A conditional branch, a loop and a battle's condition hold a body right under the head.
bool HeadOpensBody(int32_t head) {
  return head == 12010 || head == 12210 || head == 13310;
}

// Lines First..Last are whole commands at the depth of line First. Checked without
// recursion: a hostile block may nest as deep as it has lines.
bool RunIsWellFormed(const TXelEventScriptList& lines, int first, int last) {
  struct Level {
    int64_t Indent;
    bool Body;    // a block body, which a code-10 line must end
    int32_t Head; // the command being read at this depth; 0 before the first
  };
  std::vector<Level> open{{Line(lines, first).Indent, false, 0}};
  for (int i = first; i <= last; ++i) {
    const TXelEventScriptLine& line = Line(lines, i);
    const int64_t indent = line.Indent;
    if (indent == open.back().Indent + 1) {
      // A body opens only under a command of the depth above.
      if (open.back().Head == 0) return false;
      open.push_back({indent, true, 0});
    } else if (indent != open.back().Indent) {
      return false; // a jump of more than one level, or a body left without its end line
    }
    Level& level = open.back();
    if (line.Code == ScriptEndCode) return false;
    if (line.Code == BlockBodyEndCode) {
      if (!level.Body) return false;
      open.pop_back();
    } else if (!IsCommandHeadCode(line.Code)) {
      if (level.Head == 0 || BranchHeadCode(line.Code) != level.Head) return false;
    } else {
      level.Head = line.Code;
    }
  }
  return open.size() == 1;
}

// Removes lines First..Last, from the back so that each removal moves the fewest lines.
void DeleteLines(TXelEventScriptList& script, int first, int last) {
  for (int i = last; i >= first; --i)
    script.Delete(i);
}

} // namespace

bool IsCommandHeadCode(int32_t code) {
  return code < BranchCodeBase;
}

bool StartsCommand(const TXelEventScriptLine& line) {
  if (!IsCommandHeadCode(line.Code)) return false;
  // No context: names never make a text fail, only the line's own data does.
  bool broken = false;
  TEventScriptConverter().Convert(line, &broken);
  return !broken;
}

bool IsBattleOnlyOrEndCode(int32_t code) {
  switch (code) {
  case ScriptEndCode:
  case 13110:
  case 13120:
  case 13130:
  case 13150:
  case 13210:
  case 13260:
  case 13310:
  case 13410:
  case 23310:
  case 23311:
    return true;
  default:
    return false;
  }
}

int CommandLastLine(const TXelEventScriptList& script, int head) {
  if (head < 0 || head >= script.GetCount()) return -1;
  const int32_t depth = Line(script, head).Indent;
  int next = head + 1;
  for (; next < script.GetCount(); ++next) {
    const TXelEventScriptLine& line = Line(script, next);
    if (line.Indent < depth || (line.Indent == depth && StartsCommand(line))) break;
  }
  return next - 1;
}

bool IsWholeCommandSelection(const TXelEventScriptList& script, TScriptLineRange selection) {
  if (selection.First < 0 || selection.First > selection.Last ||
      selection.Last >= script.GetCount())
    return false;
  const TXelEventScriptLine& first = Line(script, selection.First);
  if (!StartsCommand(first)) return false;
  for (int head = selection.First;;) {
    const int last = CommandLastLine(script, head);
    if (last == selection.Last) return true;
    if (last > selection.Last) return false;
    head = last + 1;
    // The next line starts a command, or lies shallower than the selection.
    if (Line(script, head).Indent != first.Indent) return false;
  }
}

bool IsWellFormedScript(const TXelEventScriptList& script) {
  const int count = script.GetCount();
  if (count == 0) return false;
  const TXelEventScriptLine& end = Line(script, count - 1);
  if (end.Code != ScriptEndCode || end.Indent != 0) return false;
  return count == 1 || (Line(script, 0).Indent == 0 && RunIsWellFormed(script, 0, count - 2));
}

bool IsWholeCommandRun(const TXelEventScriptList& lines) {
  return lines.GetCount() > 0 && RunIsWellFormed(lines, 0, lines.GetCount() - 1);
}

TScriptMenuState ScriptMenuState(const TXelEventScriptList& script, TScriptLineRange selection,
                                 bool clipboardHasLines) {
  TScriptMenuState state;
  state.SelectAll = script.GetCount() > 1;
  if (!IsWholeCommandSelection(script, selection)) return state;
  state.Insert = state.Edit = state.Cut = state.Copy = state.Delete = true;
  state.Paste = clipboardHasLines;
  const int32_t depth = Line(script, selection.First).Indent;
  for (int i = selection.First; i <= selection.Last; ++i) {
    const TXelEventScriptLine& line = Line(script, i);
    if (line.Indent != depth) continue;
    if (line.Code == ScriptEndCode || line.Code == BlockBodyEndCode)
      state.Edit = state.Cut = state.Copy = state.Delete = false;
    if (i > selection.First && StartsCommand(line)) state.Insert = state.Edit = false;
  }
  return state;
}

TScriptLineRange SelectAllLines(const TXelEventScriptList& script) {
  if (script.GetCount() <= 1) return {};
  return {0, script.GetCount() - 2};
}

int InsertScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                      const TXelEventScriptList& lines) {
  if (lines.GetCount() == 0 || !ScriptMenuState(script, selection, false).Insert) return 0;
  script.InsertLines(selection.First, lines, 0);
  return lines.GetCount();
}

TScriptLineRange EditedCommandLines(const TXelEventScriptList& script, TScriptLineRange selection) {
  if (!ScriptMenuState(script, selection, false).Edit) return {};
  const TXelEventScriptLine& head = Line(script, selection.First);
  // Deeper lines are the command's only under a line that opens a body.
  bool inBody = HeadOpensBody(head.Code);
  int last = selection.First;
  while (last < selection.Last) {
    const TXelEventScriptLine& next = Line(script, last + 1);
    if (next.Indent > head.Indent) {
      if (!inBody) break;
    } else {
      const TOwnLine own =
          next.Indent == head.Indent ? OwnLine(head.Code, next.Code) : TOwnLine::No;
      if (own == TOwnLine::No) break;
      if (own == TOwnLine::Closes) return {selection.First, last + 1};
      inBody = own == TOwnLine::Branch;
    }
    ++last;
  }
  return {selection.First, last};
}

int ReplaceScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                       const TXelEventScriptList& lines) {
  const TScriptLineRange own = EditedCommandLines(script, selection);
  if (lines.GetCount() == 0 || own.First < 0) return 0;
  // Inserted before the old command first, so they take the depth of its first line.
  const int added = lines.GetCount();
  script.InsertLines(own.First, lines, 0);
  DeleteLines(script, own.First + added, own.Last + added);
  return added;
}

bool DeleteScriptLines(TXelEventScriptList& script, TScriptLineRange selection) {
  if (!ScriptMenuState(script, selection, false).Delete) return false;
  DeleteLines(script, selection.First, selection.Last);
  return true;
}

std::vector<uint8_t> CopyScriptLines(const TXelEventScriptList& script,
                                     TScriptLineRange selection) {
  if (!ScriptMenuState(script, selection, false).Copy) return {};
  return BuildScriptLinesClip(script, selection.First, selection.Last - selection.First + 1);
}

void DropScriptCommands(TXelEventScriptList& lines, TScriptLineFilter dropped) {
  std::vector<std::unique_ptr<TXelEventScriptLine>> kept;
  bool changed = false;
  for (int i = 0; i < lines.GetCount();) {
    if (dropped(Line(lines, i).Code)) {
      i = CommandLastLine(lines, i) + 1;
      changed = true;
    } else {
      kept.push_back(std::make_unique<TXelEventScriptLine>(Line(lines, i++)));
    }
  }
  if (!changed) return;
  lines.Clear();
  for (auto& line : kept)
    lines.Add(std::move(line));
}

int PasteScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                     const std::vector<uint8_t>& block, TScriptLineFilter dropped) {
  if (!IsWholeCommandSelection(script, selection)) return 0;
  std::unique_ptr<TXelEventScriptList> lines = ParseScriptLinesClip(block);
  if (!lines) return 0;
  if (dropped) DropScriptCommands(*lines, dropped);
  // Lines that are not whole commands would break the blocks around them.
  if (!IsWholeCommandRun(*lines)) return 0;
  script.InsertLines(selection.First, *lines, 0);
  return lines->GetCount();
}
