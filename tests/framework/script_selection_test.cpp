#include "framework/controls/script_selection.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A message with a continuation line, a conditional branch with an else part, a picture
// command and the script's last line, as the event editor shows them.
const std::vector<std::u16string> SampleTexts = {
    u"<>Message: Hi",      // 0
    u":       : more",     // 1 continuation
    u"<>Branch if Switch", // 2
    u"  <>Play Sound",     // 3
    u"  <>Wait",           // 4
    u"  <>",               // 5 end of the branch's body
    u":Else",              // 6
    u"  <>",               // 7
    u":End",               // 8
    u"<>Show Picture",     // 9
    u"<>",                 // 10 the script's last line
};

std::vector<TScriptLineFacts> SampleFacts() {
  std::vector<TScriptLineFacts> facts;
  for (const auto& text : SampleTexts)
    facts.push_back(ReadScriptLineFacts(text));
  return facts;
}

TScriptSelection Select(int itemIndex, int anchor) {
  return SelectWholeCommands(SampleFacts(), itemIndex, anchor);
}

} // namespace

TEST(ScriptLineFacts, IndentIsCountedInPairsOfBlanksAndACommandStartsWithTheMarks) {
  const auto facts = [](std::u16string_view text) { return ReadScriptLineFacts(text); };
  EXPECT_EQ(facts(u"    <>Wait").Indent, 2);
  EXPECT_TRUE(facts(u"    <>Wait").Command);
  // An odd blank is no indent step, and it hides the marks.
  EXPECT_EQ(facts(u"   <>").Indent, 1);
  EXPECT_FALSE(facts(u"   <>").Command);
  EXPECT_FALSE(facts(u"  :Else").Command);
  EXPECT_FALSE(facts(u"<").Command);
  EXPECT_EQ(facts(u"").Indent, 0);
  EXPECT_EQ(LineFactsAt(SampleFacts(), 11).Indent, 0);
  EXPECT_FALSE(LineFactsAt(SampleFacts(), -1).Command);
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
