// The rules of the event-script list that need no window: the facts of a line, the
// selection that always covers whole commands, the keyboard walk from command to command,
// and the scrolling limits. A line knows only its depth and whether it starts a command;
// both come from the script line itself, never from its display text.
#pragma once

#include <cstdint>
#include <vector>

class TXelEventScriptLine;

struct TScriptLineFacts {
  int Indent = 0;
  bool Command = false;
  friend bool operator==(const TScriptLineFacts&, const TScriptLineFacts&) = default;
};

// The facts of a script line: its depth, and whether it starts a command by the rule the
// script edits follow (StartsCommand).
TScriptLineFacts ScriptLineFacts(const TXelEventScriptLine& line);

// The facts of line Index; indent 0 and no command outside the list.
TScriptLineFacts LineFactsAt(const std::vector<TScriptLineFacts>& lines, int index);

struct TScriptSelection {
  int Start = -1;
  int End = -1;
  friend bool operator==(const TScriptSelection&, const TScriptSelection&) = default;
};

// The selected lines for the caret line ItemIndex and the Shift anchor (both within the
// list): from the first command of the lowest indent in the range to the end of the last
// one, with its continuation lines and nested blocks up to the next command of its own
// level. The script's last line is selected only when it is the caret line and selected
// alone. -1 and -1 when the range holds no command of its lowest indent.
TScriptSelection SelectWholeCommands(const std::vector<TScriptLineFacts>& lines, int itemIndex,
                                     int anchor);

// The first command line after From, or -1.
int NextCommandLine(const std::vector<TScriptLineFacts>& lines, int from);
// The last command line before From, or -1.
int PrevCommandLine(const std::vector<TScriptLineFacts>& lines, int from);

// The top line limited so that the last page is full: at most Count - VisibleLines, at
// least 0.
int ClampTopLine(int value, int count, int visibleLines);

// How many lines a drag that holds the mouse at client height Y scrolls each tick:
// -1 or -2 above the control (2 when more than a line above), +1 or +2 below the whole
// visible lines, 0 inside.
int DragScrollLines(int y, int lineHeight, int visibleLines);
