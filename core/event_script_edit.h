// Edits of an event script over a selection of whole commands, shared by every editor
// that shows a script in a list (map events, common events, battle events): what the
// script menu offers for a selection, insert, replace, delete, copy, paste with its
// filter, and select all. A selection is the list's SelStart..SelEnd.
//
// Every edit checks the menu's rule for the selection itself and does nothing where the
// menu offers nothing, so a script that was well formed stays so: its terminator last,
// every block body ending with a code-10 line, branch lines at their head's depth.
#pragma once

#include <cstdint>
#include <vector>

#include "core/event_script.h"

// Codes from here on are branch and continuation lines; they never start a command.
inline constexpr int32_t BranchCodeBase = 20000;

// The selected lines First..Last; -1 and -1 for none.
struct TScriptLineRange {
  int First = -1;
  int Last = -1;
  bool operator==(const TScriptLineRange&) const = default;
};

struct TScriptMenuState {
  bool Insert = false;
  bool Edit = false;
  bool Cut = false;
  bool Copy = false;
  bool Paste = false;
  bool Delete = false;
  bool SelectAll = false;
};

// Drops a pasted line with its body when it answers true for the line's code.
using TScriptLineFilter = bool (*)(int32_t code);

// The filter of map-event and common-event pastes: the battle-only commands, their
// branch lines, and terminators.
bool IsBattleOnlyOrEndCode(int32_t code);

// A line with this code starts a command; the others continue the command above them.
bool IsCommandHeadCode(int32_t code);

// The one rule of what starts a command, for the script list and for every edit: a head
// code whose display text can be made. A line shown as broken data says nothing certain,
// so it stays with the command above it.
bool StartsCommand(const TXelEventScriptLine& line);

// The last line of the command that starts at Head: the lines after it up to the next
// one at its depth that starts a command, or the first shallower one.
int CommandLastLine(const TXelEventScriptList& script, int head);

// True when the selection lies in the script and covers whole commands that start at the
// depth of its first line.
bool IsWholeCommandSelection(const TXelEventScriptList& script, TScriptLineRange selection);

// The script ends with its terminator (code 0, depth 0) and the lines before it are
// whole commands at depth 0.
bool IsWellFormedScript(const TXelEventScriptList& script);
// Lines holds at least one line, and all of them are whole commands at the depth of the
// first: every body one deeper than its head and ended by a code-10 line, every branch
// line at the depth of the command it belongs to.
bool IsWholeCommandRun(const TXelEventScriptList& lines);

// With no selection only Select All can be offered (for more than the terminator). With
// one, everything but Paste (ClipboardHasLines), then: a terminator or an empty-body line
// among the selected lines at the first line's depth rules out Edit, Cut, Copy and
// Delete; a second command at that depth rules out Insert and Edit.
TScriptMenuState ScriptMenuState(const TXelEventScriptList& script, TScriptLineRange selection,
                                 bool clipboardHasLines);

// Every line but the terminator; none while the script holds only its terminator.
TScriptLineRange SelectAllLines(const TXelEventScriptList& script);

// Inserts a command's lines (as a dialog writes them, the head at depth 0) before the
// selection, at the depth of its first line. Returns how many lines went in (0: none);
// the caret goes after them.
int InsertScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                      const TXelEventScriptList& lines);
// The lines of the selection that are the selected command's own, which Edit hands to the
// command's dialog and replaces: its head, its own branch and continuation lines (by the
// head's codes) up to its closing line, and the deeper lines under the head or a branch
// line that opens a body. The selection also takes what follows the command down to the
// next command at its depth (broken data, a deeper line after a command that opens no
// body, another command's branch line), but that is no part of it and stays where it is.
// None when Edit is not offered.
TScriptLineRange EditedCommandLines(const TXelEventScriptList& script, TScriptLineRange selection);
// Replaces the selected command's own lines (EditedCommandLines) by a dialog's lines, at
// the depth of its first line. Returns how many lines went in (0: the script is unchanged).
int ReplaceScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                       const TXelEventScriptList& lines);
// Removes the selected lines; the caret stays at the selection's first line.
bool DeleteScriptLines(TXelEventScriptList& script, TScriptLineRange selection);
// The clipboard block (566) of the selected lines; empty when Copy is not offered.
std::vector<uint8_t> CopyScriptLines(const TXelEventScriptList& script, TScriptLineRange selection);
// Removes every line Dropped answers for, together with its body: the lines after it up
// to the next one at its depth that starts a command, or the first shallower one.
void DropScriptCommands(TXelEventScriptList& lines, TScriptLineFilter dropped);
// Reads a 566 block, drops what Dropped answers for and inserts what is left before the
// selection. Returns how many lines went in: 0 when the block does not parse, when the
// filter leaves nothing, or when what is left is not whole commands.
int PasteScriptLines(TXelEventScriptList& script, TScriptLineRange selection,
                     const std::vector<uint8_t>& block, TScriptLineFilter dropped);
