// The message, switch, variable, timer, money, item and party command dialogs, offscreen:
// the lines they write are what the game runtime reads. Lines are written in a short
// notation, one per "|": indent, code, quoted text, parameters.
#include "events/command_rows.h"

#include <set>

#include "framework/controls/opaque_paint_box.h"

namespace {

TEST_F(CommandDialogs, MessageCommands) {
  // NEW, ROUNDTRIP, ACTION
  RunTable(
      10110,
      {
          {Map, "", R"(0 10110 "" [])"},
          {Map, R"(2 10110 "Hello" [] | 2 20110 "" [] | 2 20110 "there" [])", ""},
          {Map, R"(0 10110 "" [])", ""},
          {Map, "0 10110 \"" + std::string(300, 'w') + "\" []", ""}, // longer than the memo
          {Map,
           R"(0 10110 "x" [] | 0 20110 "2" [] | 0 20110 "3" [] | 0 20110 "4" [] | 0 20110 "5" [])",
           R"(0 10110 "x" [] | 0 20110 "2" [] | 0 20110 "3" [] | 0 20110 "4" [])"},
          {Map, "", R"(0 10110 "a" [] | 0 20110 "b" [] | 0 20110 "c" [])",
           [](TFormEvCmdBase& f) {
             auto* memo = FindControl<TFixedMemo>(&f, "FixedMemo1");
             for (const char* line : {"a", "b", "c"}) {
               if (*line != 'a') QTest::keyClick(memo, Qt::Key_Return);
               QTest::keyClicks(memo, line);
             }
           }},
      });
  RunTable(10120, {
                      {Map, "", R"(0 10120 "" [0,2,1,0])"},
                      {Map, R"(1 10120 "" [1,0,0,1])", ""},
                      {Map, R"(0 10120 "" [1,7,0,1])", ""}, // an unknown position stays
                      {Map, "", R"(0 10120 "" [1,1,0,1])",
                       Clicks({"GroupBox1_1", "GroupBox2_1", "CheckBox1", "CheckBox2"})},
                  });
  RunTable(
      10130,
      {
          {Map, "", R"(0 10130 "" [0,0,0])"},
          {Map, R"(2 10130 "Face1" [3,1,1])", ""},
          {Map, R"(0 10130 "Face1" [3,1,1])", R"(0 10130 "" [0,1,1])", Clicks({"ButtonErase"})},
          {Map, R"(0 10130 "Face1" [3,1,0])", R"(0 10130 "Face2" [5,1,0])", Clicks({"ButtonSet"})},
      });
  RunTable(
      10140,
      {
          {Map, "",
           R"(0 10140 "Yes/No" [2] | 0 20140 "Yes" [0] | 1 10 "" [] | 0 20140 "No" [1] | 1 10 "" [] | 0 20141 "" [])"},
          // Nested blocks in the bodies, the head at depth 2.
          {Map,
           R"(2 10140 "A/B" [5] | 2 20140 "A" [0] | 3 10210 "" [0,1,1,0] | 3 10140 "x" [0] | 3 20140 "x" [0] | 4 10 "" [] | 3 20141 "" [] | 3 10 "" [] | )"
           R"(2 20140 "B" [1] | 3 10 "" [] | 2 20140 "" [4] | 3 10120 "" [0,2,1,0] | 3 10 "" [] | 2 20141 "" [])",
           ""},
          {Map,
           R"(0 10140 "A/B" [5] | 0 20140 "A" [0] | 1 10 "" [] | 0 20140 "B" [1] | 1 10 "" [] | 0 20140 "" [4] | 1 10120 "" [0,2,1,0] | 1 10 "" [] | 0 20141 "" [])",
           R"(0 10140 "A/B" [0] | 0 20140 "A" [0] | 1 10 "" [] | 0 20140 "B" [1] | 1 10 "" [] | 0 20141 "" [])",
           Clicks({"GroupBox5_0"})},
          {Map, "",
           R"(0 10140 "A//C" [2] | 0 20140 "A" [0] | 1 10 "" [] | 0 20140 "" [1] | 1 10 "" [] | 0 20140 "C" [2] | 1 10 "" [] | 0 20141 "" [])",
           [](TFormEvCmdBase& f) {
             // Entering a box selects its text.
             FindControl<QLineEdit>(&f, "OverEdit1")->setFocus(Qt::TabFocusReason);
             QTest::keyClicks(FindControl<QLineEdit>(&f, "OverEdit1"), "A");
             FindControl<QLineEdit>(&f, "OverEdit2")->setFocus(Qt::TabFocusReason);
             QTest::keyClick(FindControl<QLineEdit>(&f, "OverEdit2"), Qt::Key_Delete);
             QTest::keyClicks(FindControl<QLineEdit>(&f, "OverEdit3"), "C");
           }},
          // A longer stored choice than the edit takes is written back whole.
          {Map,
           R"(0 10140 "0123456789012345678901234567890123456789" [0] | 0 20140 "0123456789012345678901234567890123456789" [0] | 1 10 "" [] | 0 20141 "" [])",
           ""},
          // Broken blocks: lines before the first branch and unknown branches are dropped.
          {Map,
           R"(0 10140 "A" [0] | 1 10220 "" [] | 0 20140 "A" [0] | 1 10 "" [] | 0 20140 "Z" [7] | 1 10120 "" [] | 1 10 "" [] | 0 20141 "" [])",
           R"(0 10140 "A" [0] | 0 20140 "A" [0] | 1 10 "" [] | 0 20141 "" [])"},
      });
  RunTable(10150, {
                      {Map, "", R"(0 10150 "" [1,1])"},
                      {Map, R"(2 10150 "" [9,4000])", ""}, // out-of-range values come back as read
                  });
}

TEST_F(CommandDialogs, SwitchVariableAndTimerCommands) {
  pickers.Id = 2;
  RunTable(10210,
           {
               {Map, "", R"(0 10210 "" [0,1,1,0])"},
               {Map, R"(2 10210 "" [1,2,9,2])", ""},
               {Map, R"(0 10210 "" [2,7,0,1])", ""},
               {Map, R"(0 10210 "" [4,3,6,9])", ""}, // unknown mode and operation stay as read
               {Map, "", R"(0 10210 "" [0,2,2,1])", Clicks({"GroupBox2_1", "DashBox1"})},
               {Map, R"(0 10210 "" [0,5,5,0])", R"(0 10210 "" [2,2,0,0])",
                Clicks({"RadioButton3", "DashBox2"})},
           });
  RunTable(
      10220,
      {
          {Map, "", R"(0 10220 "" [0,1,1,0,0,0,0])"},
          {Map, R"(2 10220 "" [1,1,4,5,0,-999999,0])", ""},
          {Map, R"(0 10220 "" [2,7,0,1,1,3,0])", ""},
          {Map, R"(0 10220 "" [0,1,1,2,2,4,0])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,3,-5,9])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,4,3,1])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,5,2,14])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,6,2,5])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,6,10005,1])", ""},
          {Map, R"(0 10220 "" [0,1,1,0,7,8,0])", ""},
          {Battle, R"(0 10220 "" [0,1,1,0,8,1,7])", ""},
          {Map, R"(0 10220 "" [0,1,1,9,11,5,6])", ""}, // unknown operation and kind
          // Ids the lists do not hold.
          {Map, R"(0 10220 "" [0,1,1,0,4,9,0])", R"(0 10220 "" [0,1,1,0,4,1,0])"},
          {Map, R"(0 10220 "" [0,1,1,0,5,0,0])", R"(0 10220 "" [0,1,1,0,5,1,0])"},
          {Map, R"(0 10220 "" [0,1,1,0,6,77,0])", R"(0 10220 "" [0,1,1,0,6,10001,0])"},
          {Battle, R"(0 10220 "" [0,1,1,0,8,3,0])", R"(0 10220 "" [0,1,1,0,8,0,0])"},
          // An operand of the other context becomes the constant.
          {Battle, R"(0 10220 "" [0,1,1,0,6,2,1])", R"(0 10220 "" [0,1,1,0,0,0,0])"},
          {Map, R"(0 10220 "" [0,1,1,0,8,2,1])", R"(0 10220 "" [0,1,1,0,0,0,0])"},
          {Common, R"(0 10220 "" [0,1,1,0,6,10005,2])", ""},
          // Item 3 equipped; enemy member 2 agility.
          {Map, "", R"(0 10220 "" [0,1,1,0,4,3,1])",
           Then(Clicks({"RadioButton8"}), Then(Combo("ComboBoxC5A", 2), Combo("ComboBoxC5B", 1)))},
          {Battle, "", R"(0 10220 "" [0,1,1,0,8,1,7])",
           Then(Clicks({"RadioButton12"}), Then(Combo("ComboBoxC7A", 1), Combo("ComboBoxC7B", 7)))},
          {Map, "", R"(0 10220 "" [0,1,1,0,6,2,3])",
           Then(Clicks({"RadioButton10"}), Then(Combo("ComboBoxC7A", 6), Combo("ComboBoxC7B", 3)))},
      });
  RunTable(10230, {
                      {Map, "", R"(0 10230 "" [0,0,0,0,0])"},
                      {Map, R"(2 10230 "" [1,1,5,1,1])", ""},
                      {Map, R"(0 10230 "" [0,0,6000,0,0])", ""},
                      {Map, "", R"(0 10230 "" [0,0,125,0,0])",
                       Then(Dial("DialEdit1", 2), Dial("DialEdit2", 5))},
                      {Map, R"(0 10230 "" [0,0,185,0,0])", R"(0 10230 "" [0,0,245,0,0])",
                       Dial("DialEdit1", 4)},
                  });
}

TEST_F(CommandDialogs, MoneyItemAndPartyCommands) {
  pickers.Id = 7;
  RunTable(10310, {
                      {Map, "", R"(0 10310 "" [0,0,1])"},
                      {Map, R"(2 10310 "" [1,0,999999])", ""},
                      {Map, "", R"(0 10310 "" [1,1,7])",
                       Clicks({"GroupBox1_1", "RadioButton2", "DashBox1"})},
                  });
  RunTable(10320,
           {
               {Map, "", R"(0 10320 "" [0,0,1,0,1])"},
               {Map, R"(2 10320 "" [1,1,4,1,6])", ""},
               {Map, R"(0 10320 "" [0,3,4,1,6])", ""}, // an unknown kind stays
               {Map, "", R"(0 10320 "" [1,0,2,0,5])",
                Then(Clicks({"GroupBox1_1"}), Then(Combo("ComboBox1", 1), Dial("DialEdit1", 5)))},
               {Map, R"(0 10320 "" [0,0,9,0,1])", R"(0 10320 "" [0,0,1,0,1])"},
               {Map, R"(0 10320 "" [0,0,0,0,1])", R"(0 10320 "" [0,0,1,0,1])"},
           });
  RunTable(10330, {
                      {Map, "", R"(0 10330 "" [0,0,1])"},
                      {Battle, R"(2 10330 "" [1,1,3])", ""},
                      {Map, R"(0 10330 "" [0,0,5])", R"(0 10330 "" [0,0,1])"},
                  });
}

// Which controls are enabled after a step, and which show nothing.
TEST_F(CommandDialogs, OnlyTheChosenFormsControlsAreEnabled) {
  struct TCase {
    int Code;
    TContextKind Context;
    std::string In;
    TStep Step;
    std::vector<const char*> Enabled, Disabled;
  };
  const std::vector<TCase> cases = {
      {10210,
       Map,
       R"(0 10210 "" [1,1,2,0])",
       {},
       {"DialEdit1", "DialEdit2"},
       {"DashBox1", "DashBox2"}},
      {10210, Map, "", Clicks({"RadioButton3"}), {"DashBox2"}, {"DashBox1", "DialEdit1"}},
      {10220,
       Map,
       "",
       Clicks({"RadioButton9"}),
       {"ComboBoxC6A", "ComboBoxC6B"},
       {"DialEditC1", "ComboBoxC5A", "ComboBoxC7A"}},
      {10220, Map, "", Clicks({"RadioButton10"}), {"ComboBoxC7A", "ComboBoxC7B"}, {"DialEditC1"}},
      {10230,
       Map,
       "",
       Clicks({"GroupBox1_1"}),
       {"GroupBox3"},
       {"DialEdit1", "DashBox1", "RadioButton1", "RadioButton2"}},
      {10230,
       Map,
       R"(0 10230 "" [0,1,3,0,0])",
       {},
       {"DashBox1", "RadioButton1", "RadioButton2"},
       {"DialEdit1", "GroupBox3"}},
      {10230,
       Map,
       R"(0 10230 "" [2,1,3,0,0])",
       {},
       {"GroupBox1"},
       {"RadioButton1", "RadioButton2", "DashBox1", "GroupBox3"}},
      {10320,
       Map,
       "",
       Clicks({"RadioButton2", "RadioButton4"}),
       {"DashBox1", "DashBox2"},
       {"ComboBox1", "DialEdit1"}},
  };
  for (const TCase& c : cases) {
    auto form = Open(c.Code, c.Context, c.In);
    if (c.Step) c.Step(*form);
    ExpectEnabling(form.get(), c.Enabled, c.Disabled, std::to_string(c.Code));
  }
  // The range ends at the last switch; the blanked fixed value comes back.
  auto form = Open(10210, Map, "");
  EXPECT_EQ(FindControl<TDialEdit>(form.get(), "DialEdit2")->MaxValue(), 2);
  form = Open(10320, Map, "");
  Combo("ComboBox1", 2)(*form);
  Clicks({"RadioButton2"})(*form);
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentIndex(), -1);
  Clicks({"RadioButton1"})(*form);
  EXPECT_EQ(FindControl<QComboBox>(form.get(), "ComboBox1")->currentIndex(), 2);
}

// Ctrl+Return in the memo is OK and Escape is Cancel, Tab and Shift+Tab move between the
// controls; a double click on the face preview opens the face picker.
TEST_F(CommandDialogs, MemoKeysAndFacePreview) {
  {
    auto form = Open(10110, Map, "");
    auto* memo = FindControl<TFixedMemo>(form.get(), "FixedMemo1");
    QTest::keyClicks(memo, "Hi");
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_FALSE(memo->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(memo->hasFocus());
    QTest::keyClicks(memo, "!");
    Click(*form, "ButtonOk");
    EXPECT_EQ(FormatLines(*form->ScriptList), R"(0 10110 "Hi!" [])");
  }
  for (auto [key, modifiers, result] : {std::tuple{Qt::Key_Return, Qt::ControlModifier, mrOk},
                                        std::tuple{Qt::Key_Escape, Qt::NoModifier, mrCancel}}) {
    auto form = Open(10110, Map, "");
    auto* memo = FindControl<TFixedMemo>(form.get(), "FixedMemo1");
    QTest::keyClicks(memo, "Hi");
    QTest::keyClick(memo, key, modifiers);
    EXPECT_EQ(form->result(), result);
    EXPECT_EQ(FormatLines(*form->ScriptList), result == mrOk ? R"(0 10110 "Hi" [])" : "");
  }
  auto form = Open(10130, Map, "");
  emit FindControl<TScrollFrame>(form.get(), "ScrollFrame1")->DblClick();
  EXPECT_EQ(pickers.Opened, 1);
  Click(*form, "ButtonOk");
  EXPECT_EQ(FormatLines(*form->ScriptList), R"(0 10130 "Face2" [5,0,0])");
}

// Each guide line is the button face where the memo shows its window colour, and its own
// colour where something is drawn beneath (here the selected text of a long line).
TEST_F(CommandDialogs, MessageGuideLinesAreDarkOnlyWhereTheTextCrossesThem) {
  auto form = Open(10110, Map, "");
  auto* memo = FindControl<TFixedMemo>(form.get(), "FixedMemo1");
  memo->setPlainText(QString(120, QLatin1Char('W')));
  memo->selectAll();
  const QRgb face = form->palette().color(QPalette::Button).rgb();
  for (auto [name, own] : {std::pair{"Line1", AppWorkSpaceColor().rgb()},
                           std::pair{"Line2", form->palette().color(QPalette::Dark).rgb()}}) {
    auto* line = FindControl<QWidget>(form.get(), name);
    ASSERT_TRUE(line->isVisible()) << name;
    EXPECT_EQ(line->width(), 1);
    const QImage shown = line->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y)
      colours.insert(shown.pixel(0, y));
    EXPECT_EQ(colours, (std::set<QRgb>{face, own})) << name;
    // A press on the line reaches the memo's text beneath it.
    EXPECT_EQ(form->childAt(line->mapTo(form.get(), QPoint(0, 5))), memo->viewport()) << name;
  }
}

TEST_F(CommandDialogs, EventAndEnemyListsFollowTheContext) {
  auto form = Open(10220, Map, "");
  auto* events = FindControl<QComboBox>(form.get(), "ComboBoxC7A");
  QStringList shown;
  for (int i = 0; i < events->count(); ++i)
    shown << events->itemText(i);
  EXPECT_EQ(shown.join(","), "Hero,Boat,Ship,Airship,this Event,Sign,Door B");
  EXPECT_TRUE(FindControl<QRadioButton>(form.get(), "RadioButton10")->isVisibleTo(form.get()));
  form = Open(10220, Battle, "");
  auto* enemies = FindControl<QComboBox>(form.get(), "ComboBoxC7A");
  shown.clear();
  for (int i = 0; i < enemies->count(); ++i)
    shown << enemies->itemText(i);
  EXPECT_EQ(shown.join(","), "1:Slime,2:,3:Slime");
  EXPECT_TRUE(FindControl<QRadioButton>(form.get(), "RadioButton12")->isVisibleTo(form.get()));
  EXPECT_FALSE(FindControl<QRadioButton>(form.get(), "RadioButton10")->isVisibleTo(form.get()));
  form = Open(10210, Map, R"(0 10210 "" [0,1,1,0])");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "0001:Gate");
  form = Open(10210, Map, R"(0 10210 "" [0,2,2,0])");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "0002");
  form = Open(10210, Map, R"(0 10210 "" [0,9,9,0])");
  EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), "?");
  // Input Number shows nothing for a missing variable.
  for (auto [in, shown] :
       {std::pair{R"(0 10150 "" [1,7])", "0007:Gold"}, std::pair{R"(0 10150 "" [1,99])", ""}}) {
    form = Open(10150, Map, in);
    EXPECT_EQ(FindControl<TDashBox>(form.get(), "DashBox1")->Text(), shown) << in;
  }
}

TEST_F(CommandDialogs, LastUsedValuesCancelAndHelp) {
  // OK keeps the values for the next new command; Cancel neither.
  EXPECT_EQ(Run(10310, {Map, R"(0 10310 "" [1,1,7])", ""}), R"(0 10310 "" [1,1,7])");
  EXPECT_EQ(Run(10310, {Map, "", ""}), R"(0 10310 "" [1,1,7])");
  // Editing a variable command keeps the last fixed value for the fixed kind.
  EXPECT_EQ(Run(10320, {Map, R"(0 10320 "" [0,0,3,0,4])", ""}), R"(0 10320 "" [0,0,3,0,4])");
  EXPECT_EQ(
      Run(10320, {Map, R"(0 10320 "" [0,1,6,1,2])", "", Clicks({"RadioButton1", "RadioButton3"})}),
      R"(0 10320 "" [0,0,3,0,4])");
  // The message and choice dialogs keep no record.
  EXPECT_EQ(
      Run(10140, {Map, R"(0 10140 "Q" [0] | 0 20140 "Q" [0] | 1 10 "" [] | 0 20141 "" [])", ""})
          .substr(0, 23),
      R"(0 10140 "Q" [0] | 0 201)");
  EXPECT_EQ(Run(10140, {Map, "", ""}).substr(0, 23), R"(0 10140 "Yes/No" [2] | )");

  // A renaming picker marks the database changed even when both are cancelled.
  pickers.Id = 0;
  pickers.Renamed = true;
  auto form = Open(10150, Map, R"(0 10150 "" [2,3])");
  Clicks({"DashBox1"})(*form);
  EXPECT_EQ(pickers.Opened, 1);
  EXPECT_TRUE(form->DataChanged);
  Click(*form, "ButtonCancel");
  EXPECT_EQ(FormatLines(*form->ScriptList), R"(0 10150 "" [2,3])");

  for (int code : {10110, 10120, 10130, 10140, 10150, 10210, 10220, 10230, 10310, 10320, 10330})
    EXPECT_EQ(Open(code, Common, "")->HelpContext, code);
}

} // namespace
