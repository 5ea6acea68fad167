// The command palettes and the command-dialog base, offscreen, driving real command
// dialogs; the modal opener answers for them.
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <deque>
#include <gtest/gtest.h>

#include "core/map.h"
#include "core/map_event.h"
#include "core/map_tree.h"
#include "core/monster_records.h"
#include "events/form_ev_cmd_base.h"
#include "events/form_ev_cmd_list.h"
#include "framework/controls/button_list.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"

namespace {

// The two command lists, word for word, in the order of their buttons.
const char* const MapPaletteList =
    R"(10110 ("Show Message..."), 10120 ("Message Style..."), 10130 ("Select Message Face..."), 10140 ("Show Choice..."), 10150 ("Input Number..."), 10210 ("Change Switch..."), 10220 ("Change Variable..."), 10230 ("Timer Operations..."), 10310 ("Change Money Held..."), 10320 ("Add/Drop Item..."), 10330 ("Change Party..."), 10410 ("Change EXP..."), 10420 ("Change Level..."), 10430 ("Change Ability..."), 10440 ("Change Skill..."), 10450 ("Change Equipment..."), 10460 ("Change HP..."), 10470 ("Change MP..."), 10480 ("Change Condition..."), 10490 ("Full Recovery..."), 10500 ("Take Damage..."), 10610 ("Change Hero Name..."), 10620 ("Change Hero Degree..."), 10630 ("Set Hero Walk GFX..."), 10640 ("Change Hero Face..."), 10650 ("Change Vehicle GFX..."), 10660 ("Change System BGM..."), 10670 ("Change System Sound Effects..."), 10680 ("Change System Graphic..."), 10690 ("Change Screen Transition...")
10710 ("Start Battle..."), 10720 ("Call Shop..."), 10730 ("Call Inn..."), 10740 ("Enter Hero Name..."), 10810 ("Teleport..."), 10820 ("Memory Place..."), 10830 ("Goto Memorized Place..."), 10840 ("Ride Vehicle / Dismount"), 10850 ("Set Vehicle Place..."), 10860 ("Set Event Place..."), 10870 ("Swap 2 Events..."), 10910 ("Get Terrain ID..."), 10920 ("Get Event ID..."), 11010 ("Erase Screen..."), 11020 ("Show Screen..."), 11030 ("Set Screen Tone..."), 11040 ("Flash Screen..."), 11050 ("Shake Screen..."), 11060 ("Pan Screen..."), 11070 ("Call Weather Effect..."), 11110 ("Show Picture..."), 11120 ("Move Picture..."), 11130 ("Erase Picture..."), 11210 ("Show Battle Animation..."), 11310 ("Set Hero Transperency..."), 11320 ("Flash Event..."), 11330 ("Move Event..."), 11340 ("Wait Until Moved"), 11350 ("Stop All Movement"), 11410 ("Wait...")
11510 ("Play BGM..."), 11520 ("Fade-Out BGM..."), 11530 ("Memorize BGM"), 11540 ("Play Memorized BGM"), 11550 ("Play Sound Effect..."), 11560 ("Play Movie..."), 11610 ("Enter Password..."), 11710 ("Change ChipSet..."), 11720 ("Change Panorama..."), 11740 ("Encounter Rate..."), 11750 ("Change Chip..."), 11810 ("Set Teleport Place..."), 11820 ("Enable/Disable Teleport..."), 11830 ("Set Escape Place..."), 11840 ("Enable/Disable Escape..."), 11910 ("Call Save Menu"), 11930 ("Enable/Disable Save..."), 11950 ("Call Menu"), 11960 ("Enable/Disable Menu..."), 12010 ("Fork Conditions..."), 12110 ("Create Label..."), 12120 ("Goto Label..."), 12210 ("Cycle"), 12220 ("Break Cycle"), 12310 ("Stop Parallel Events"), 12320 ("Delete Event"), 12330 ("Call Event..."), 12410 ("Add Comment..."), 12420 ("Game Over"), 12510 ("Go to Title Screen"))";
const char* const BattlePaletteList =
    R"(10110 ("Show Message..."), 10130 ("Select Face..."), 10210 ("Change Switch..."), 10220 ("Change Variable..."), 10320 ("Add Item..."), 10330 ("Change Party..."), 10440 ("Change Skill..."), 10450 ("Change Equipment..."), 10460 ("Change HP..."), 10470 ("Change MP..."), 10480 ("Change Condition..."), 10490 ("Full Recovery..."), 13110 ("Change Enemy HP"), 13120 ("Change Enemy MP"), 13130 ("Change Enemy Condition..."), 13150 ("Enemy Encounter..."), 13210 ("Change Battle BG..."), 11030 ("Set Screen Tone..."), 11040 ("Flash Screen..."), 11050 ("Shake Screen..."), 13260 ("Show Battle Animation..."), 11410 ("Wait..."), 11510 ("Play BGM..."), 11520 ("Fade-Out BGM..."), 11550 ("Play Sound Effect..."), 13310 ("Fork Conditions..."), 12310 ("Stop Parallel Events"), 12410 ("Comment..."), 12420 ("Game Over"), 13410 ("Stop Battle..."))";

// One "code caption" line per button, as the lists give them.
std::string ListedButtons(const char* list) {
  std::string buttons;
  static const QRegularExpression entry(R"re((\d+) \("([^"]*)"\))re");
  for (const auto& match : entry.globalMatch(QString::fromLatin1(list)))
    buttons += (match.captured(1) + " " + match.captured(2) + "\n").toStdString();
  return buttons;
}

// The same, as the palette shows them: each caption must follow one blank.
std::string ShownButtons(QWidget* palette, std::span<const TPaletteCommand> table,
                         std::initializer_list<const char*> lists) {
  std::string buttons;
  size_t index = 0;
  for (const char* list : lists)
    for (const QString& item : FindControl<TButtonList>(palette, list)->Items()) {
      const int32_t code = index < table.size() ? table[index++].Code : 0;
      buttons +=
          std::to_string(code) + (item.startsWith(' ') ? "" : "!") + item.toStdString() + "\n";
    }
  return buttons;
}

using TContext = std::tuple<int32_t, const TXelEventItem*, const TXelMapTree*, const TXelMap*,
                            const TXelMonGroupItem*>;

// What a dialog saw when a palette opened it.
struct TSeen {
  int32_t Code;
  QWidget* Owner;
  QPoint Centre;
  const TXelEventScriptList* ScriptList;
  TContext Context;
};

// Answers every dialog the palettes open, in order, instead of running its loop: shows
// it, lets Change work on it, and presses OK or Cancel.
class TScriptedDialogs {
public:
  using TChange = std::function<void(TFormEvCmdBase&)>;

  void Answer(bool ok, TChange change = {}) { answers_.push_back({ok, std::move(change)}); }
  const std::vector<TSeen>& Seen() const { return seen_; }

private:
  bool Open(TFormXelBase& form) {
    auto& d = dynamic_cast<TFormEvCmdBase&>(form);
    seen_.push_back({d.Code(),
                     d.parentWidget(),
                     d.frameGeometry().center(),
                     d.ScriptList,
                     {d.EventId, d.Event, d.MapTree, d.Map, d.MonsterGroup}});
    if (answers_.empty()) {
      ADD_FAILURE() << "no answer for the dialog of " << d.Code();
      return false;
    }
    const auto [ok, change] = answers_.front();
    answers_.pop_front();
    ShowAndActivate(&d);
    if (change) change(d);
    QTest::mouseClick(FindControl<QPushButton>(&d, ok ? "ButtonOk" : "ButtonCancel"),
                      Qt::LeftButton);
    return d.result() == mrOk;
  }

  std::deque<std::pair<bool, TChange>> answers_;
  std::vector<TSeen> seen_;
  TScopedModalOpener opener_{[this](TFormXelBase& form, const auto&) { return Open(form); }};
};

void SetNumber(TFormEvCmdBase& form, int value) {
  FindControl<TDialEdit>(&form, "DialEdit1")->SetValue(value);
}

// "Apply to Full Screen" of "Show Battle Animation".
QCheckBox* FullScreen(TFormEvCmdBase& form) {
  return FindControl<QCheckBox>(&form, "CheckBox2");
}

std::vector<int32_t> HeadParams(const TXelEventScriptList& lines) {
  const TXelEventScriptLine* head = lines.GetItem(0);
  return head ? std::vector<int32_t>(head->Params.begin(), head->Params.end())
              : std::vector<int32_t>{};
}

// Presses a palette button with the mouse.
void Press(QWidget* palette, const char* list, int button) {
  auto* buttons = FindControl<TButtonList>(palette, list);
  const QPoint inside = buttons->ButtonRect(button).center() + QPoint(2, 2);
  QTest::mouseClick(buttons, Qt::LeftButton, Qt::NoModifier, inside);
}

// "Show Battle Animation..." on the map palette's second page.
void PressWait(QWidget* palette) {
  FindControl<QTabWidget>(palette, "PageControl1")->setCurrentIndex(1);
  Press(palette, "ButtonList2", 23);
}

class CommandPalette : public ::testing::Test {
protected:
  void SetUp() override {
    ResetLastUsedRecords();
    owner.setGeometry(60, 40, 600, 500);
    ShowAndActivate(&owner);
  }

  QWidget owner;
  TScriptedMessageBoxes boxes;
  TScriptedDialogs dialogs;
};

} // namespace

TEST_F(CommandPalette, ButtonsCarryTheListedCommandsAndCaptionsEachAfterOneBlank) {
  TFormEvCmdList palette(&owner);
  TFormEvCmdList2 battle(&owner);
  EXPECT_EQ(ShownButtons(&palette, MapEventCommands, {"ButtonList1", "ButtonList2", "ButtonList3"}),
            ListedButtons(MapPaletteList));
  EXPECT_EQ(ShownButtons(&battle, BattleEventCommands, {"ButtonList1"}),
            ListedButtons(BattlePaletteList));
  EXPECT_EQ(palette.windowTitle(), "Event Commands");
  EXPECT_EQ(battle.windowTitle(), "Event Commands");
  // Every button has a dialog (or a command that writes itself without one).
  for (std::span<const TPaletteCommand> table :
       {std::span<const TPaletteCommand>(MapEventCommands),
        std::span<const TPaletteCommand>(BattleEventCommands)})
    for (const TPaletteCommand& command : table)
      EXPECT_NE(FindRegisteredForm(TFormGroup::Command, command.Code), nullptr) << command.Code;
  auto* pages = FindControl<QTabWidget>(&palette, "PageControl1");
  ASSERT_EQ(pages->count(), 3);
  for (int page = 0; page < 3; ++page) {
    EXPECT_EQ(pages->tabText(page), QString::number(page + 1));
    EXPECT_EQ(pages->widget(page)->objectName(), QString("TabSheet%1").arg(page + 1));
  }
  // Every page's buttons have one size: 181 x 24, or wider where a caption needs it.
  const auto* first = FindControl<TButtonList>(&palette, "ButtonList1");
  EXPECT_GE(first->ButtonWidth(), 181);
  for (const char* name : {"ButtonList2", "ButtonList3"}) {
    const auto* list = FindControl<TButtonList>(&palette, name);
    EXPECT_EQ(list->ButtonWidth(), first->ButtonWidth()) << name;
    EXPECT_EQ(list->ButtonHeight(), 24) << name;
  }
}

TEST_F(CommandPalette, ACancelledDialogKeepsThePaletteOpenAndItsButtonRemembered) {
  {
    TFormEvCmdList palette(&owner);
    ShowAndActivate(&palette);
    auto* pages = FindControl<QTabWidget>(&palette, "PageControl1");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(palette.focusWidget(), FindControl<TButtonList>(&palette, "ButtonList1"));
    pages->setCurrentIndex(1);
    EXPECT_EQ(palette.focusWidget(), pages->focusProxy());
    dialogs.Answer(false);
    Press(&palette, "ButtonList2", 23); // "Show Battle Animation..."
    ASSERT_EQ(dialogs.Seen().size(), 1u);
    EXPECT_EQ(dialogs.Seen()[0].Code, 11210);
    EXPECT_TRUE(palette.isVisible());
    EXPECT_EQ(palette.ScriptList.GetCount(), 0);
    TFormEvCmdList2 battle(&owner);
    ShowAndActivate(&battle);
    dialogs.Answer(false);
    Press(&battle, "ButtonList1", 12); // "Change Enemy HP"
  }
  TFormEvCmdList again(&owner);
  TFormEvCmdList2 battle(&owner);
  ShowAndActivate(&again);
  ShowAndActivate(&battle);
  EXPECT_EQ(FindControl<QTabWidget>(&again, "PageControl1")->currentIndex(), 1);
  auto* wait = FindControl<TButtonList>(&again, "ButtonList2");
  EXPECT_EQ(wait->FocusedButton(), 23);
  EXPECT_EQ(again.focusWidget(), wait);
  EXPECT_EQ(FindControl<TButtonList>(&battle, "ButtonList1")->FocusedButton(), 12);
  ResetLastUsedRecords();
  TFormEvCmdList fresh(&owner);
  ShowAndActivate(&fresh);
  EXPECT_EQ(FindControl<QTabWidget>(&fresh, "PageControl1")->currentIndex(), 0);
}

TEST_F(CommandPalette, OkClosesThePaletteWithTheLinesAndTheDataChangedFlag) {
  TFormEvCmdList palette(&owner);
  ShowAndActivate(&palette);
  // A cancelled dialog that renamed a database entry still marks the database changed.
  dialogs.Answer(false, [](TFormEvCmdBase& form) {
    FullScreen(form)->click();
    form.DataChanged = true;
  });
  PressWait(&palette);
  EXPECT_TRUE(palette.DataChanged);
  EXPECT_TRUE(palette.isVisible());
  dialogs.Answer(true, [](TFormEvCmdBase& form) {
    EXPECT_FALSE(FullScreen(form)->isChecked()); // the cancelled tick was not kept
    FullScreen(form)->click();
  });
  PressWait(&palette);
  EXPECT_FALSE(palette.isVisible());
  EXPECT_EQ(palette.result(), mrOk);
  EXPECT_TRUE(palette.DataChanged);
  ASSERT_EQ(palette.ScriptList.GetCount(), 1);
  EXPECT_EQ(palette.ScriptList.GetItem(0)->Code, 11210);
  EXPECT_EQ(HeadParams(palette.ScriptList), (std::vector<int32_t>{1, 10001, 1, 1}));

  // A new command starts from the last OK, an edited one from its own line.
  TFormEvCmdList next(&owner);
  ShowAndActivate(&next);
  dialogs.Answer(true, [](TFormEvCmdBase& form) { EXPECT_TRUE(FullScreen(form)->isChecked()); });
  PressWait(&next);
  TFormEvCmdList editor(&owner);
  editor.ScriptList.Add(11210, 2)->Params = {1, 10001, 0, 0};
  dialogs.Answer(true, [](TFormEvCmdBase& form) {
    EXPECT_FALSE(FullScreen(form)->isChecked());
    EXPECT_FALSE(FindControl<QCheckBox>(&form, "CheckBox1")->isChecked());
  });
  EXPECT_TRUE(editor.EditByCode());
  EXPECT_EQ(editor.ScriptList.GetItem(0)->Indent, 0);
  EXPECT_EQ(HeadParams(editor.ScriptList), (std::vector<int32_t>{1, 10001, 0, 0}));
}

TEST_F(CommandPalette, EachPaletteHandsOverItsOwnContext) {
  TXelMapTree tree;
  TXelMap map(3);
  TXelEventItem event(7);
  TXelMonGroupItem group(2);
  TFormEvCmdList palette(&owner);
  palette.EventId = 7;
  palette.Event = &event;
  palette.MapTree = &tree;
  palette.Map = &map;
  TFormEvCmdList2 battle(&owner);
  battle.MonsterGroup = &group;
  for (TEvCmdPalette* p : std::initializer_list<TEvCmdPalette*>{&palette, &battle}) {
    ShowAndActivate(p);
    dialogs.Answer(false);
    if (p == &palette)
      PressWait(p);
    else
      Press(p, "ButtonList1", 21); // "Wait..."
  }
  ASSERT_EQ(dialogs.Seen().size(), 2u);
  EXPECT_EQ(dialogs.Seen()[0].Owner, &palette);
  EXPECT_EQ(dialogs.Seen()[0].ScriptList, &palette.ScriptList);
  EXPECT_EQ(dialogs.Seen()[0].Context, TContext(7, &event, &tree, &map, nullptr));
  EXPECT_EQ(dialogs.Seen()[1].ScriptList, &battle.ScriptList);
  EXPECT_EQ(dialogs.Seen()[1].Context, TContext(0, nullptr, nullptr, nullptr, &group));
}

TEST_F(CommandPalette, EditByCodeOpensOnlyTheDialogsOfThePalettesOwnCodes) {
  TFormEvCmdList palette(&owner);
  TFormEvCmdList2 battle(&owner);
  EXPECT_FALSE(palette.EditByCode()); // an empty list
  EXPECT_FALSE(battle.EditByCode());
  palette.ScriptList.Add(13110, 0)->Params = {0, 0, 0, 5, 0};
  battle.ScriptList.Add(13110, 0)->Params = {0, 0, 0, 5, 0};
  EXPECT_FALSE(palette.EditByCode());
  EXPECT_TRUE(dialogs.Seen().empty());

  dialogs.Answer(true, [](TFormEvCmdBase& form) { SetNumber(form, 6); });
  EXPECT_TRUE(battle.EditByCode());
  EXPECT_FALSE(battle.isVisible());
  ASSERT_EQ(dialogs.Seen().size(), 1u);
  EXPECT_EQ(dialogs.Seen()[0].Code, 13110);
  // Centred over the palette's owner, since the palette itself is not shown.
  const QPoint offset = dialogs.Seen()[0].Centre - owner.frameGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2);
  EXPECT_EQ(HeadParams(battle.ScriptList), (std::vector<int32_t>{0, 0, 0, 6, 0}));

  dialogs.Answer(false, [](TFormEvCmdBase& form) { SetNumber(form, 9); });
  EXPECT_FALSE(battle.EditByCode());
  EXPECT_EQ(HeadParams(battle.ScriptList), (std::vector<int32_t>{0, 0, 0, 6, 0}));
}

TEST_F(CommandPalette, F1OnACommandDialogAsksForItsHeadCode) {
  THelpPages help({11210});
  TFormEvCmdList palette(&owner);
  ShowAndActivate(&palette);
  dialogs.Answer(false, [](TFormEvCmdBase& form) { QTest::keyClick(&form, Qt::Key_F1); });
  PressWait(&palette);
  ASSERT_EQ(help.Opened.size(), 1);
  EXPECT_EQ(help.Opened[0], help.PageUrl(11210));
}
