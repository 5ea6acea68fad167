#include <gtest/gtest.h>

#include <random>

#include "core/clipboard_formats.h"
#include "core/event_script_edit.h"
#include "sample_records.h"

namespace {

struct TRow {
  TRow(int32_t code, int32_t indent, std::string text = {})
      : Code(code), Indent(indent), Text(std::move(text)) {}
  int32_t Code;
  int32_t Indent;
  std::string Text;
  friend bool operator==(const TRow&, const TRow&) = default;
};
using TRows = std::vector<TRow>;

void PrintTo(const TRow& row, std::ostream* out) {
  *out << row.Code << "@" << row.Indent << (row.Text.empty() ? "" : " " + row.Text);
}

void Fill(TXelEventScriptList& script, const TRows& rows) {
  script.Clear();
  for (const TRow& row : rows)
    script.Add(row.Code, row.Indent, row.Text);
}

TRows Rows(const TXelEventScriptList& script, int first = 0, int count = -1) {
  if (count < 0) count = script.GetCount() - first;
  TRows rows;
  for (int i = first; i < first + count; ++i) {
    const TXelEventScriptLine& line = *script.GetItem(i);
    rows.push_back({line.Code, line.Indent, line.Text});
  }
  return rows;
}

// Well-formed commands of map and battle events, nested up to three levels. Every line
// gets its own text, so that a test can tell where each line went.
class TScriptGenerator {
public:
  explicit TScriptGenerator(uint32_t seed) : rng_(seed) {}

  // Commands at depth 0, then the terminator.
  TRows Script(int commands) {
    TRows rows;
    while (commands-- > 0)
      Command(rows, 0);
    rows.push_back({ScriptEndCode, 0});
    return rows;
  }
  // One command with its head at depth 0, as a dialog hands it back.
  TRows Command() {
    TRows rows;
    Command(rows, 0);
    return rows;
  }
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

private:
  void Command(TRows& rows, int32_t depth) {
    // Body marks where a block body goes: a few commands one deeper, then a code-10 line.
    constexpr int32_t Body = -1;
    static const std::vector<int32_t> shapes[] = {{10110},
                                                  {10110, 20110, 20110},
                                                  {12010, Body, 22011},
                                                  {13110},
                                                  {12010, Body, 22010, Body, 22011},
                                                  {12210, Body, 22210},
                                                  {12410, 22410},
                                                  {10140, 20140, Body, 20140, Body, 20141},
                                                  {13310, Body, 23310, Body, 23311}};
    for (int32_t code : shapes[Pick(depth < 3 ? 9 : 2)]) {
      if (code != Body) {
        // Appended, not "L" + ...: g++ 12 sees a false overlap there at -O2 (-Wrestrict).
        std::string text(1, 'L');
        rows.push_back({code, depth, text.append(std::to_string(next_++))});
        continue;
      }
      for (int n = Pick(3); n > 0; --n)
        Command(rows, depth + 1);
      rows.push_back({BlockBodyEndCode, depth + 1});
    }
  }

  std::mt19937 rng_;
  int next_ = 0;
};

// A selection as the script list makes one: a command line (the terminator and empty
// body lines too) and, sometimes, the commands of its depth after it.
TScriptLineRange PickSelection(const TXelEventScriptList& script, TScriptGenerator& gen) {
  std::vector<int> heads;
  for (int i = 0; i < script.GetCount(); ++i)
    if (script.GetItem(i)->Code < BranchCodeBase) heads.push_back(i);
  const int first = heads[static_cast<size_t>(gen.Pick(static_cast<int>(heads.size())))];
  int last = CommandLastLine(script, first);
  for (int more = gen.Pick(4) == 0 ? gen.Pick(3) : 0; more > 0; --more) {
    const TXelEventScriptLine* next = script.GetItem(last + 1);
    if (!next || next->Indent != script.GetItem(first)->Indent || next->Code >= BranchCodeBase)
      break;
    last = CommandLastLine(script, last + 1);
  }
  return {first, last};
}

// Rows Lines re-based so that the first one lies at Depth.
TRows Rebased(TRows lines, int32_t depth) {
  const int32_t shift = depth - lines.front().Indent;
  for (TRow& row : lines)
    row.Indent += shift;
  return lines;
}

TEST(ScriptEdit, TheCheckOfWellFormedScriptsRefusesEachBrokenRule) {
  TXelEventScriptList script;
  const TRows good = {{10110, 0}, {20110, 0}, {12010, 0}, {12210, 1}, {10, 2}, {22210, 1},
                      {10, 1},    {22010, 0}, {10, 1},    {22011, 0}, {0, 0}};
  Fill(script, good);
  EXPECT_TRUE(IsWellFormedScript(script));
  struct TCase {
    const char* Broken;
    int Index; // the line changed, or inserted before when Insert is set
    TRow Row;
    bool Insert;
  };
  const TCase cases[] = {
      {"terminator not last", 10, {10110, 0}, false},
      {"terminator inside", 1, {0, 0}, false},
      {"terminator deeper", 10, {0, 1}, false},
      {"body without its end line", 6, {10210, 1}, false},
      {"body two levels deeper", 4, {10, 3}, false},
      {"end line outside a body", 0, {10, 0}, true},
      {"branch of another command", 9, {22210, 0}, false},
      {"branch line first", 0, {20110, 0}, true},
      {"branch line deeper than its head", 1, {20110, 1}, false},
      {"first line deeper", 0, {10110, 1}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Broken);
    TRows rows = good;
    if (c.Insert)
      rows.insert(rows.begin() + c.Index, c.Row);
    else
      rows[static_cast<size_t>(c.Index)] = c.Row;
    Fill(script, rows);
    EXPECT_FALSE(IsWellFormedScript(script));
  }
}

TEST(ScriptEdit, MenuStatesFollowTheSelectedCommands) {
  TXelEventScriptList script;
  // Lines 0 to 6: a command, a branch with one command in its body, another command,
  // the terminator.
  Fill(script, {{10110, 0}, {12010, 0}, {10110, 1}, {10, 1}, {22011, 0}, {11410, 0}, {0, 0}});
  struct TCase {
    TScriptLineRange Selection;
    const char* Expected; // Insert Edit Cut Copy Paste Delete SelectAll, as 0 and 1
  };
  const TCase cases[] = {
      {{-1, -1}, "0000001"}, // nothing selected
      {{0, 0}, "1111111"},   // one command
      {{2, 2}, "1111111"},   // one command in a body
      {{0, 4}, "0011111"},   // two commands
      {{3, 3}, "1000101"},   // an empty-body line
      {{6, 6}, "1000101"},   // the terminator
      {{5, 6}, "0000101"},   // a command and the terminator
      {{1, 2}, "0000001"},   // half a block
      {{4, 4}, "0000001"},   // a branch line
      {{5, 7}, "0000001"},   // beyond the script
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Selection.First);
    SCOPED_TRACE(c.Selection.Last);
    const TScriptMenuState s = ScriptMenuState(script, c.Selection, true);
    const std::string got = {char('0' + s.Insert),   char('0' + s.Edit),  char('0' + s.Cut),
                             char('0' + s.Copy),     char('0' + s.Paste), char('0' + s.Delete),
                             char('0' + s.SelectAll)};
    EXPECT_EQ(got, c.Expected);
  }
  EXPECT_FALSE(ScriptMenuState(script, {0, 0}, false).Paste);
  EXPECT_EQ(SelectAllLines(script).First, 0);
  EXPECT_EQ(SelectAllLines(script).Last, 5);
  Fill(script, {{0, 0}});
  EXPECT_FALSE(ScriptMenuState(script, {0, 0}, true).SelectAll);
  EXPECT_EQ(SelectAllLines(script).First, -1);
}

// Random edits over generated scripts, each checked against the rows it should leave
// and for the shape of the script; an edit the menu does not offer must change nothing.
TEST(ScriptEdit, SeededRandomEditsKeepScriptsWellFormed) {
  TScriptGenerator gen(20240611);
  TXelEventScriptList script, lines;
  std::vector<uint8_t> clip;
  int edits = 0;
  for (int round = 0; round < 20; ++round) {
    Fill(script, gen.Script(1 + gen.Pick(12)));
    ASSERT_TRUE(IsWellFormedScript(script));
    for (int step = 0; step < 60; ++step) {
      const TScriptLineRange sel = PickSelection(script, gen);
      const TScriptMenuState menu = ScriptMenuState(script, sel, !clip.empty());
      const TRows before = Rows(script);
      TRows expected = before;
      const auto at = expected.begin() + sel.First;
      const auto selectedEnd = expected.begin() + sel.Last + 1;
      const int32_t depth = before[static_cast<size_t>(sel.First)].Indent;
      bool done = false;
      const int op = gen.Pick(5);
      switch (op) {
      case 0:
      case 1: {
        // A dialog's command, inserted before the selection or in its place.
        const bool replace = op == 1;
        const TRows command = gen.Command();
        Fill(lines, command);
        const int n = replace ? ReplaceScriptLines(script, sel, lines)
                              : InsertScriptLines(script, sel, lines);
        done = n == static_cast<int>(command.size());
        EXPECT_EQ(done, replace ? menu.Edit : menu.Insert);
        const auto next = replace ? expected.erase(at, selectedEnd) : at;
        const TRows rebased = Rebased(command, depth);
        expected.insert(next, rebased.begin(), rebased.end());
        break;
      }
      case 2:
        done = DeleteScriptLines(script, sel);
        EXPECT_EQ(done, menu.Delete);
        expected.erase(at, selectedEnd);
        break;
      case 3: {
        std::vector<uint8_t> copied = CopyScriptLines(script, sel);
        EXPECT_EQ(!copied.empty(), menu.Copy);
        if (!copied.empty()) clip = std::move(copied);
        continue;
      }
      default: {
        // Without the filter the block goes in unchanged; with it, what goes in holds
        // no battle-only line.
        if (clip.empty()) continue;
        const bool filtered = gen.Pick(2) == 1;
        const int n =
            PasteScriptLines(script, sel, clip, filtered ? IsBattleOnlyOrEndCode : nullptr);
        ASSERT_TRUE(IsWellFormedScript(script));
        if (filtered) {
          for (const TRow& row : Rows(script, sel.First, n))
            EXPECT_FALSE(IsBattleOnlyOrEndCode(row.Code)) << row.Code;
          edits += n > 0;
          continue;
        }
        done = n > 0;
        EXPECT_EQ(done, menu.Paste);
        const auto block = ParseScriptLinesClip(clip);
        const TRows rebased = Rebased(Rows(*block), depth);
        expected.insert(at, rebased.begin(), rebased.end());
        break;
      }
      }
      ASSERT_EQ(Rows(script), done ? expected : before);
      ASSERT_TRUE(IsWellFormedScript(script));
      edits += done;
    }
  }
  // The rounds must really edit, not only be refused.
  EXPECT_GT(edits, 500);
}

// Edit hands the dialog, and replaces, only the command's own lines: a line shown as
// broken data that the selection took with the command stays where it was.
TEST(ScriptEdit, EditKeepsTheBrokenLinesSelectedWithTheCommand) {
  constexpr int32_t Broken = 11330; // with the parameters below, its text cannot be made
  struct TCase {
    TRows Script;
    TScriptLineRange Selection, Own;
    TRows After; // once the selection is replaced by a wait "New"
  };
  const TRow wait{11410, 0, "New"};
  const TCase cases[] = {
      {{{11410, 0, "A"}, {Broken, 0}, {0, 0}}, {0, 1}, {0, 0}, {wait, {Broken, 0}, {0, 0}}},
      // A message with its continuation line, then two broken lines.
      {{{10110, 0}, {20110, 0}, {Broken, 0}, {Broken, 0}, {0, 0}},
       {0, 3},
       {0, 1},
       {wait, {Broken, 0}, {Broken, 0}, {0, 0}}},
      // A broken line inside a branch's body is the body's, which the dialog keeps.
      {{{12010, 0}, {Broken, 1}, {10, 1}, {22011, 0}, {Broken, 0}, {0, 0}},
       {0, 4},
       {0, 3},
       {wait, {Broken, 0}, {0, 0}}},
      {{{12010, 0}, {11410, 1, "A"}, {Broken, 1}, {10, 1}, {22011, 0}, {0, 0}},
       {1, 2},
       {1, 1},
       {{12010, 0}, {11410, 1, "New"}, {Broken, 1}, {10, 1}, {22011, 0}, {0, 0}}},
      // The broken line alone is no command: nothing to edit.
      {{{11410, 0, "A"}, {Broken, 0}, {0, 0}}, {1, 1}, {-1, -1}, {}},
      // A wait opens no body: a deeper line after it, however deep, is not the wait's.
      {{{11410, 0, "A"}, {Broken, 1}, {0, 0}}, {0, 1}, {0, 0}, {wait, {Broken, 1}, {0, 0}}},
      {{{11410, 0, "A"}, {11410, 1001, "B"}, {0, 0}},
       {0, 1},
       {0, 0},
       {wait, {11410, 1001, "B"}, {0, 0}}},
      // Another command's branch line, and a line after the closing one, stay too.
      {{{11410, 0, "A"}, {22010, 0}, {0, 0}}, {0, 1}, {0, 0}, {wait, {22010, 0}, {0, 0}}},
      {{{12210, 0}, {11410, 1, "A"}, {10, 1}, {22210, 0}, {Broken, 1}, {0, 0}},
       {0, 4},
       {0, 3},
       {wait, {Broken, 1}, {0, 0}}},
  };
  TXelEventScriptList script, lines;
  Fill(lines, {wait});
  for (const TCase& c : cases) {
    SCOPED_TRACE(&c - cases);
    Fill(script, c.Script);
    for (int i = 0; i < script.GetCount(); ++i)
      if (script.GetItem(i)->Code == Broken) script.GetItem(i)->Params = {1, 0, 0, 0, 0x80};
    // Delete still takes the whole selection.
    EXPECT_EQ(ScriptMenuState(script, c.Selection, false).Delete, c.Own.First >= 0);
    EXPECT_EQ(EditedCommandLines(script, c.Selection), c.Own);
    EXPECT_EQ(ReplaceScriptLines(script, c.Selection, lines), c.Own.First < 0 ? 0 : 1);
    EXPECT_EQ(Rows(script), c.After.empty() ? c.Script : c.After);
  }
}

TEST(ScriptEdit, PasteFromABattleEventDropsBattleOnlyCommandsWithTheirBodies) {
  // A message, two battle commands (one a branch), a branch holding one, a comment.
  const TRows battleRows = {{10110, 0}, {13110, 0}, {13310, 0}, {10210, 1}, {10, 1},    {23310, 0},
                            {11410, 1}, {10, 1},    {23311, 0}, {12010, 0}, {13410, 1}, {10110, 1},
                            {10, 1},    {22011, 0}, {12410, 0}, {22410, 0}, {0, 0}};
  TXelEventScriptList battle;
  Fill(battle, battleRows);
  const std::vector<uint8_t> block = BuildScriptLinesClip(battle, 0, battle.GetCount());

  // Pasted into the body of a branch: what is left goes in one level deeper.
  TXelEventScriptList script;
  const TRows target = {{12210, 0}, {10, 1}, {22210, 0}, {0, 0}};
  Fill(script, target);
  ASSERT_EQ(PasteScriptLines(script, {1, 1}, block, IsBattleOnlyOrEndCode), 7);
  const TRows left = {{12210, 0}, {10110, 1}, {12010, 1}, {10110, 2}, {10, 2}, {22011, 1},
                      {12410, 1}, {22410, 1}, {10, 1},    {22210, 0}, {0, 0}};
  EXPECT_EQ(Rows(script), left);

  // Nothing left after the filter, a block that does not parse, and lines that are not
  // whole commands: nothing goes in.
  TXelEventScriptList lines;
  Fill(script, target);
  const auto refused = [&](const std::vector<uint8_t>& bytes) {
    EXPECT_EQ(PasteScriptLines(script, {1, 1}, bytes, IsBattleOnlyOrEndCode), 0);
    EXPECT_EQ(Rows(script), target);
  };
  Fill(lines, {{13110, 0}, {13310, 0}, {10, 1}, {23311, 0}, {0, 0}});
  refused(BuildScriptLinesClip(lines, 0, lines.GetCount()));
  refused({});
  refused({9, 0, 0, 0, 0xCE, 0x7E, 0x00});
  Fill(lines, {{10110, 2}, {10110, 0}});
  refused(BuildScriptLinesClip(lines, 0, 2));
  Fill(lines, {{12010, 0}, {10110, 1}, {22011, 0}});
  refused(BuildScriptLinesClip(lines, 0, 3));
}

} // namespace
