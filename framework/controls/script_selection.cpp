#include "framework/controls/script_selection.h"

#include <algorithm>

#include "core/event_script.h"
#include "core/event_script_edit.h"

TScriptLineFacts ScriptLineFacts(const TXelEventScriptLine& line) {
  return {line.Indent, StartsCommand(line)};
}

TScriptLineFacts LineFactsAt(const std::vector<TScriptLineFacts>& lines, int index) {
  if (index < 0 || index >= static_cast<int>(lines.size())) return {};
  return lines[static_cast<size_t>(index)];
}

TScriptSelection SelectWholeCommands(const std::vector<TScriptLineFacts>& lines, int itemIndex,
                                     int anchor) {
  const int count = static_cast<int>(lines.size());
  const int lo = std::min(itemIndex, anchor);
  const int hi = std::max(itemIndex, anchor);
  int m = LineFactsAt(lines, itemIndex).Indent;
  for (int i = lo; i <= hi; ++i)
    m = std::min(m, LineFactsAt(lines, i).Indent);
  const auto isHead = [&](int i) {
    const TScriptLineFacts facts = LineFactsAt(lines, i);
    return facts.Command && facts.Indent == m;
  };

  TScriptSelection selection;
  for (int i = lo; i <= hi; ++i) {
    if (isHead(i)) {
      selection.Start = i;
      break;
    }
  }
  selection.End = selection.Start;
  for (int j = hi; j >= lo; --j) {
    if (!isHead(j)) continue;
    selection.End = j;
    for (int k = j + 1; k < count; ++k) {
      if (LineFactsAt(lines, k).Indent < m) break;
      if (isHead(k)) {
        selection.End = k - 1;
        break;
      }
    }
    break;
  }

  if (count > 0 && selection.End == count - 1) {
    if (itemIndex < selection.End || selection.Start < selection.End) selection.End = count - 2;
  }
  return selection;
}

int NextCommandLine(const std::vector<TScriptLineFacts>& lines, int from) {
  const int count = static_cast<int>(lines.size());
  for (int i = std::max(from + 1, 0); i < count; ++i)
    if (lines[static_cast<size_t>(i)].Command) return i;
  return -1;
}

int PrevCommandLine(const std::vector<TScriptLineFacts>& lines, int from) {
  const int count = static_cast<int>(lines.size());
  for (int i = std::min(from - 1, count - 1); i >= 0; --i)
    if (lines[static_cast<size_t>(i)].Command) return i;
  return -1;
}

int ClampTopLine(int value, int count, int visibleLines) {
  return std::max(std::min(value, count - visibleLines), 0);
}

int DragScrollLines(int y, int lineHeight, int visibleLines) {
  if (y < 0) return y >= -lineHeight ? -1 : -2;
  if (y >= visibleLines * lineHeight) return y < (visibleLines + 1) * lineHeight ? 1 : 2;
  return 0;
}
