#include "framework/controls/script_selection.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/event_script.h"

namespace {

// A message with a continuation line, a conditional branch with an else part, a picture
// command and the script's last line, as code and depth of each script line.
struct TSampleLine {
  int32_t Code;
  int32_t Indent;
};
const std::vector<TSampleLine> SampleLines = {
    {10110, 0}, // 0 "<>Message: Hi"
    {20110, 0}, // 1 ":       : more"
    {12010, 0}, // 2 "<>Branch if Switch"
    {11550, 1}, // 3 "  <>Play Sound"
    {11410, 1}, // 4 "  <>Wait"
    {10, 1},    // 5 "  <>", the end of the branch's body
    {22010, 0}, // 6 ":Else"
    {10, 1},    // 7 "  <>"
    {22011, 0}, // 8 ":End"
    {11110, 0}, // 9 "<>Show Picture"
    {0, 0},     // 10 "<>", the script's last line
};

// The line Broken, when given, becomes a move command whose route is cut, so that its
// text cannot be made.
std::vector<TScriptLineFacts> FactsOf(const std::vector<TSampleLine>& lines, int broken = -1) {
  std::vector<TScriptLineFacts> facts;
  for (size_t i = 0; i < lines.size(); ++i) {
    TXelEventScriptLine line;
    line.Code = lines[i].Code;
    line.Indent = lines[i].Indent;
    if (static_cast<int>(i) == broken) {
      line.Code = 11330;
      line.Params = {1, 0, 0, 0, 0x80};
    }
    facts.push_back(ScriptLineFacts(line));
  }
  return facts;
}

std::vector<TScriptLineFacts> SampleFacts() {
  return FactsOf(SampleLines);
}

TScriptSelection Select(int itemIndex, int anchor) {
  return SelectWholeCommands(SampleFacts(), itemIndex, anchor);
}

} // namespace

TEST(ScriptLineFacts, HeadsComeFromTheCodesAndABrokenLineIsNone) {
  const std::vector<TScriptLineFacts> facts = SampleFacts();
  const std::vector<TScriptLineFacts> expected = {{0, true},  {0, false}, {0, true},  {1, true},
                                                  {1, true},  {1, true},  {0, false}, {1, true},
                                                  {0, false}, {0, true},  {0, true}};
  EXPECT_EQ(facts, expected);
  EXPECT_EQ(LineFactsAt(facts, 11), TScriptLineFacts{});
  EXPECT_FALSE(LineFactsAt(facts, -1).Command);
  // The wait whose text could not be made belongs to the sound above it; a broken branch
  // head leaves its else and end lines to the message.
  EXPECT_EQ(SelectWholeCommands(FactsOf(SampleLines, 4), 3, 3), (TScriptSelection{3, 4}));
  EXPECT_EQ(SelectWholeCommands(FactsOf(SampleLines, 4), 4, 4), (TScriptSelection{-1, -1}));
  EXPECT_EQ(SelectWholeCommands(FactsOf(SampleLines, 2), 0, 0), (TScriptSelection{0, 8}));
}

TEST(ScriptSelection, ACommandTakesItsContinuationAndItsBlocks) {
  EXPECT_EQ(Select(0, 0), (TScriptSelection{0, 1}));
  // The branch runs to the line before the next command of its own level.
  EXPECT_EQ(Select(2, 2), (TScriptSelection{2, 8}));
  EXPECT_EQ(Select(3, 3), (TScriptSelection{3, 3}));
  // The body's closing line stops at the branch line below it.
  EXPECT_EQ(Select(5, 5), (TScriptSelection{5, 5}));
}

TEST(ScriptSelection, LinesThatStartNoCommandSelectNothing) {
  EXPECT_EQ(Select(1, 1), (TScriptSelection{-1, -1}));
  EXPECT_EQ(Select(6, 6), (TScriptSelection{-1, -1}));
  EXPECT_EQ(Select(8, 8), (TScriptSelection{-1, -1}));
}

TEST(ScriptSelection, ARangeIsWidenedToTheCommandsOfItsLowestIndent) {
  // From inside the branch up to the message: both indent-0 commands, whole.
  EXPECT_EQ(Select(0, 4), (TScriptSelection{0, 8}));
  // From inside the branch down to the picture: only the picture is of indent 0.
  EXPECT_EQ(Select(9, 4), (TScriptSelection{9, 9}));
  EXPECT_EQ(Select(3, 4), (TScriptSelection{3, 4}));
}

TEST(ScriptSelection, TheLastLineIsSelectedOnlyAlone) {
  EXPECT_EQ(Select(10, 10), (TScriptSelection{10, 10}));
  // Shift+Down onto it, or a range that reaches it from above, stops before it.
  EXPECT_EQ(Select(10, 9), (TScriptSelection{9, 9}));
  EXPECT_EQ(Select(9, 10), (TScriptSelection{9, 9}));
  EXPECT_EQ(Select(10, 0), (TScriptSelection{0, 9}));
}

TEST(ScriptSelection, KeyboardWalkStepsFromCommandToCommand) {
  const auto facts = SampleFacts();
  EXPECT_EQ(NextCommandLine(facts, 0), 2);
  EXPECT_EQ(NextCommandLine(facts, 5), 7);
  EXPECT_EQ(NextCommandLine(facts, 10), -1);
  EXPECT_EQ(NextCommandLine(facts, -1), 0);
  EXPECT_EQ(PrevCommandLine(facts, 2), 0);
  EXPECT_EQ(PrevCommandLine(facts, 9), 7);
  EXPECT_EQ(PrevCommandLine(facts, 0), -1);
  EXPECT_EQ(PrevCommandLine(facts, 50), 10);
  EXPECT_EQ(NextCommandLine({}, 0), -1);
}

TEST(ScriptSelection, ScrollLimitsAndDragSteps) {
  EXPECT_EQ(ClampTopLine(100, 11, 4), 7);
  EXPECT_EQ(ClampTopLine(-3, 11, 4), 0);
  EXPECT_EQ(ClampTopLine(2, 3, 4), 0);

  // Line height 13, five whole lines visible (0..64).
  EXPECT_EQ(DragScrollLines(-1, 13, 5), -1);
  EXPECT_EQ(DragScrollLines(-13, 13, 5), -1);
  EXPECT_EQ(DragScrollLines(-14, 13, 5), -2);
  EXPECT_EQ(DragScrollLines(0, 13, 5), 0);
  EXPECT_EQ(DragScrollLines(64, 13, 5), 0);
  EXPECT_EQ(DragScrollLines(65, 13, 5), 1);
  EXPECT_EQ(DragScrollLines(77, 13, 5), 1);
  EXPECT_EQ(DragScrollLines(78, 13, 5), 2);
}
