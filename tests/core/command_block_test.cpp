// Block commands as their dialogs split them and write them back. Lines are written as
// "depth:code", a split as its sections, each with its body in brackets.
#include <gtest/gtest.h>
#include <sstream>

#include "core/command_block.h"

namespace {

TXelEventScriptList Lines(const std::string& notation) {
  TXelEventScriptList lines;
  std::istringstream in(notation);
  int32_t indent = 0, code = 0;
  char colon = 0;
  while (in >> indent >> colon >> code)
    lines.Add(code, indent);
  return lines;
}

std::string Notation(const TXelEventScriptList& lines) {
  std::string text;
  for (int i = 0; i < lines.GetCount(); ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(lines.GetItem(i)->Indent) + ':' + std::to_string(lines.GetItem(i)->Code);
  }
  return text;
}

std::string Notation(const std::vector<TBlockSection>& sections) {
  std::string text;
  for (const TBlockSection& section : sections) {
    if (!text.empty()) text += " | ";
    text += std::to_string(section.Line.Indent) + ':' + std::to_string(section.Line.Code);
    if (section.Body.GetCount() > 0) text += " [" + Notation(section.Body) + ']';
  }
  return text;
}

} // namespace

TEST(CommandBlock, SplitsAtTheHeadsDepthAndKeepsEveryBodyWhole) {
  struct TRow {
    const char* block;
    const char* sections;
  };
  const TRow rows[] = {
      {"", ""},
      // A choice edited at depth 2: no body under the head, one under each case, a
      // nested conditional branch kept inside its case.
      {"2:10140 2:20140 3:10110 3:12010 4:10120 4:10 3:22011 3:10 2:20140 3:10 2:20141",
       "2:10140 | 2:20140 [3:10110 3:12010 4:10120 4:10 3:22011 3:10] | 2:20140 [3:10] | 2:20141"},
      // A conditional branch carries a body under its head.
      {"0:12010 1:10110 1:10 0:22010 1:10 0:22011",
       "0:12010 [1:10110 1:10] | 0:22010 [1:10] | 0:22011"},
      // A damaged block: a shallower line leads a section of its own, nothing is lost.
      {"1:10710 2:10 0:20713 1:10", "1:10710 [2:10] | 0:20713 | 1:10"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.block);
    EXPECT_EQ(Notation(SplitCommandBlock(Lines(row.block))), row.sections);
  }
  const auto sections = SplitCommandBlock(Lines("0:10710 0:20711 1:10110 1:10 0:20713"));
  EXPECT_EQ(Notation(*FindBlockBody(sections, 20711)), "1:10110 1:10");
  EXPECT_EQ(FindBlockBody(sections, 20710), nullptr);
}

TEST(CommandBlock, WritesABodyBackOneLevelUnderTheLastLine) {
  struct TRow {
    const char* lines;
    const char* body; // nullptr: no body at all
    const char* written;
  };
  const TRow rows[] = {
      {"0:10140 0:20140", "3:10110 3:12010 4:10120 4:10 3:22011 3:10",
       "0:10140 0:20140 1:10110 1:12010 2:10120 2:10 1:22011 1:10"},
      // A damaged body that starts deeper than it goes on keeps its shape and never
      // climbs above its branch line.
      {"0:10140 0:20140", "5:10110 3:10", "0:10140 0:20140 3:10110 1:10"},
      {"0:10140 0:20140", "", "0:10140 0:20140 1:10"},
      {"0:10710 0:20710", nullptr, "0:10710 0:20710 1:10"},
      {"", nullptr, "1:10"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.lines);
    TXelEventScriptList lines = Lines(row.lines);
    const TXelEventScriptList body = Lines(row.body ? row.body : "");
    AppendBlockBody(lines, row.body ? &body : nullptr);
    EXPECT_EQ(Notation(lines), row.written);
  }
}
