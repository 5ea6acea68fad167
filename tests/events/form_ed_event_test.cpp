// The event editor offscreen; its pickers and the palette are answered through the modal
// opener.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database.h"
#include "core/database_generator.h"
#include "core/database_names.h"
#include "core/editor_mode.h"
#include "core/file_test_env.h"
#include "core/game_sheets.h"
#include "core/glimra_board.h"
#include "core/hero_records.h"
#include "core/image_file.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/stream.h"
#include "core/switch_records.h"
#include "events/event_page_preview.h"
#include "events/form_ed_event.h"
#include "events/form_ed_move_route.h"
#include "events/form_ev_cmd_base.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_editor.h"
#include "events/script_lines.h"
#include "events/xel_event_manager.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/qt_clipboard.h"
#include "framework/controls/script_list_box.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_switch.h"

namespace {

constexpr int32_t WaitCode = 11410;

TEST(EventPagePreview, FramesAndIntervalsFollowAnimationAndSpeed) {
  struct TRow {
    int32_t index;
    int animation, pattern, direction, counter;
    TRect frame;
  };
  const TRow rows[] = {
      {0, 0, 1, 2, 3, Bounds(24, 64, 24, 32)},  // pattern and direction
      {5, 1, 0, 0, 0, Bounds(96, 128, 24, 32)}, // stepping: 24, 0, 24, 48
      {5, 3, 0, 0, 3, Bounds(120, 128, 24, 32)},
      {2, 5, 2, 0, 2, Bounds(192, 64, 24, 32)},     // the spin walks the rows
      {99, 8, 9, -3, -1, Bounds(264, 128, 24, 32)}, // out of range: clamped
  };
  for (const TRow& r : rows)
    EXPECT_EQ(PreviewFrame(r.index, r.animation, r.pattern, r.direction, r.counter), r.frame)
        << r.index << " " << r.animation;
  EXPECT_EQ(PreviewInterval(5, 1), 400);
  EXPECT_EQ(PreviewInterval(5, 6), 66);
  EXPECT_EQ(PreviewInterval(0, 3), 166);
  EXPECT_EQ(PreviewInterval(0, 0), 266);
  EXPECT_EQ(PreviewTileId(2147483647), 20000);
}

class EventEditor : public FileTestEnv {
protected:
  void SetUp() override {
    FileTestEnv::SetUp();
    GlobalDataBase = &database_;
    Clipboard().SetData(cfMapRegion, {});
  }

  std::unique_ptr<TFormEDEvent> Open(const TXelEventItem& event) {
    auto form = std::make_unique<TFormEDEvent>();
    form->Map = &map_;
    form->EventId = 7;
    form->Event.Assign(event);
    form->OnApply = [this, f = form.get()] { stored_.Assign(f->Event); };
    ShowAndActivate(form.get());
    return form;
  }

  static bool Enabled(QWidget* form, const char* name) {
    return FindControl<QWidget>(form, name)->isEnabled();
  }

  void TearDown() override {
    GlobalDataBase = nullptr;
    FileTestEnv::TearDown();
  }

  TXelDataBase database_;
  TXelMap map_;
  TXelEventItem stored_{0};
};

TEST_F(EventEditor, PageButtonsStopAtOneHundredAndAtOnePage) {
  TXelEventItem event(7);
  event.Pages.Items(0)->GraphicName = "Walker";
  event.Pages.Items(0)->Script.Add(WaitCode, 0);
  auto form = Open(event);
  EXPECT_FALSE(Enabled(form.get(), "ButtonDeletePage"));
  EXPECT_FALSE(Enabled(form.get(), "ButtonApply"));
  FindControl<QPushButton>(form.get(), "ButtonNewPage")->click();
  auto* tabs = FindControl<QTabBar>(form.get(), "TabControl1");
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_TRUE(Enabled(form.get(), "ButtonDeletePage"));
  EXPECT_TRUE(Enabled(form.get(), "ButtonApply"));
  // The new page takes the settings, not the script.
  EXPECT_EQ(form->Event.Pages.FindById(2)->GraphicName, "Walker");
  EXPECT_EQ(form->Event.Pages.FindById(2)->Script.GetCount(), 1);

  for (int id = 2; id <= MaxEventPages; ++id)
    event.Pages.GetOrCreate(id);
  event.Pages.Items(0)->CopyToClipboard(cfEventPage);
  auto full = Open(event);
  EXPECT_FALSE(Enabled(full.get(), "ButtonNewPage"));
  EXPECT_FALSE(Enabled(full.get(), "ButtonPastePage"));
  EXPECT_TRUE(Enabled(full.get(), "ButtonCopyPage"));
  // Shift+Ctrl+Tab wraps round to the last page.
  QTest::keyClick(full.get(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(FindControl<QTabBar>(full.get(), "TabControl1")->currentIndex(), 99);
}

TEST_F(EventEditor, TwoSelectedCommandsCanBeCutButNotEditedOrInsertedInto) {
  TXelEventItem event(7);
  TXelEventScriptList& script = event.Pages.Items(0)->Script;
  script.Clear();
  script.Add(WaitCode, 0);
  script.Add(WaitCode, 0);
  script.Add(ScriptEndCode, 0);
  auto form = Open(event);
  auto* list = FindControl<TScriptListBox>(form.get(), "ListBox1");
  ASSERT_EQ(list->Count(), 3);
  list->SetSelStart(0);
  list->SetSelEnd(1);
  emit FindControl<QMenu>(form.get(), "PopupMenu1")->aboutToShow();
  const std::pair<const char*, bool> expected[] = {
      {"MenuInsert", false}, {"MenuEdit", false},  {"MenuCut", true},      {"MenuCopy", true},
      {"MenuPaste", false},  {"MenuDelete", true}, {"MenuSelectAll", true}};
  for (const auto& [item, enabled] : expected)
    EXPECT_EQ(FindControl<QAction>(form.get(), item)->isEnabled(), enabled) << item;
  emit FindControl<QMenu>(form.get(), "PopupMenu1")->aboutToHide();

  FindControl<QAction>(form.get(), "MenuCut")->trigger();
  EXPECT_EQ(list->Count(), 1);
  EXPECT_TRUE(Clipboard().HasFormat(cfScriptLines));
  // Insert: the palette's lines go in before the caret, which moves after them.
  TScopedModalOpener opener([](TFormXelBase& form, const auto&) {
    dynamic_cast<TFormEvCmdList&>(form).ScriptList.Add(WaitCode, 0);
    return true;
  });
  FindControl<QAction>(form.get(), "MenuInsert")->trigger();
  EXPECT_EQ(list->Count(), 2);
  EXPECT_EQ(list->ItemIndex(), 1);
  FindControl<QPushButton>(form.get(), "ButtonOk")->click();
  EXPECT_EQ(stored_.Pages.Items(0)->Script.GetCount(), 2);
}

TEST_F(EventEditor, TheScriptEditorGetsTheMapPaletteAndFilter) {
  auto form = Open(TXelEventItem(7));
  auto* editor = form->findChild<TScriptEditor*>();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->PasteFilter, &IsBattleOnlyOrEndCode);
  EXPECT_EQ(editor->PalettePosition, QPoint(352, 72));
  TFormEvCmdList palette(form.get());
  editor->HandOver(palette);
  EXPECT_EQ(std::tuple(palette.EventId, palette.Event, palette.Map),
            std::tuple(7, static_cast<const TXelEventItem*>(&form->Event),
                       static_cast<const TXelMap*>(&map_)));
}

// Freshly opened, the name box has the focus; leaving it refreshes the script's texts.
TEST_F(EventEditor, AClickAfterScrollingTakesTheLineUnderTheMouseAndKeysWorkTheList) {
  TXelEventItem event(7);
  TXelEventScriptList& script = event.Pages.Items(0)->Script;
  script.Clear();
  for (int i = 0; i < 200; ++i)
    script.Add(WaitCode, 0)->Params = {i};
  script.Add(ScriptEndCode, 0);
  auto form = Open(event);
  auto* list = FindControl<TScriptListBox>(form.get(), "ListBox1");
  auto wheel = [list](int delta) {
    const QPointF at(10, 10);
    QWheelEvent turn(at, list->viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {},
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &turn);
  };
  QTest::keyClicks(FindControl<QWidget>(form.get(), "OverEdit1"), "x");
  wheel(-120); // the wheel belongs to the name box
  EXPECT_EQ(list->TopIndex(), 0);
  list->SetTopIndex(40);
  ASSERT_EQ(list->TopIndex(), 40);
  const auto click = [list](int row, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(list->viewport(), button, {},
                      QPoint(20, row * list->LineHeight() + list->LineHeight() / 2));
  };
  click(2);
  EXPECT_EQ(list->ItemIndex(), 42);
  EXPECT_EQ(list->TopIndex(), 40);
  wheel(-360);
  click(1);
  EXPECT_EQ(list->ItemIndex(), 44);

  // The keypad's Enter inserts before the caret as Return does; OK is not pressed.
  int inserts = 0;
  TScopedModalOpener opener([&](TFormXelBase& palette, const auto&) {
    ++inserts;
    dynamic_cast<TFormEvCmdList&>(palette).ScriptList.Add(WaitCode, 0)->Params = {-1};
    return true;
  });
  QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(inserts, 2);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(form->Event.Pages.Items(0)->Script.GetItem(44)->GetParam(0), -1);
  EXPECT_EQ(form->Event.Pages.Items(0)->Script.GetItem(45)->GetParam(0), -1);
  EXPECT_EQ(form->Event.Pages.Items(0)->Script.GetCount(), 203);

  // The right button's release opens the menu where the mouse is; the key, at the corner.
  auto* menu = FindControl<QMenu>(form.get(), "PopupMenu1");
  form->move(0, 0); // high enough on the screen that the menu needs no shift to fit
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, QPoint(20, 5));
  EXPECT_FALSE(menu->isVisible());
  QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, QPoint(20, 5));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), list->viewport()->mapToGlobal(QPoint(20, 5)));
  menu->hide();
  QTest::keyClick(list, Qt::Key_Menu);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->pos(), list->mapToGlobal(QPoint(0, 0)));
  menu->hide();
}

TEST_F(EventEditor, APickersRenameIsUndoneByCancelAndSavedByOk) {
  Mkdir("project");
  ProjectPath = Path("project/");
  database_.Switches().GetOrCreate(1)->Name = "Door Open";
  database_.SaveProjectDataBase();
  const std::string onDisk = Get("project/KOVAX.ldb");
  TXelEventItem event(7);
  event.Pages.Items(0)->Condition.Flags = ecSwitchA;
  TScopedModalOpener opener([](TFormXelBase& form, const auto&) {
    auto& picker = dynamic_cast<TFormSelSwitch&>(form);
    GlobalDataBase->Switches().GetItemById(1)->Name = "Renamed";
    picker.NamesChanged = 1;
    return false;
  });
  for (const bool ok : {false, true}) {
    auto form = Open(event);
    emit FindControl<TDashBox>(form.get(), "DashBoxAA")->Clicked();
    EXPECT_TRUE(form->DataChanged);
    FindControl<QPushButton>(form.get(), ok ? "ButtonOk" : "ButtonCancel")->click();
    EXPECT_EQ(SwitchNameById(1), ok ? "0001:Renamed" : "0001:Door Open");
    EXPECT_EQ(Get("project/KOVAX.ldb") == onDisk, !ok);
  }
}

TEST_F(EventEditor, EditReplacesTheSelectedCommandAndPickersOpenOnTheLastId) {
  TXelEventItem event(7);
  TXelEventScriptList& script = event.Pages.Items(0)->Script;
  script.Clear();
  script.Add(WaitCode, 0)->Params = {1};
  script.Add(WaitCode, 0)->Params = {2};
  script.Add(ScriptEndCode, 0);
  event.Pages.Items(0)->Condition.Flags = ecSwitchA;
  event.Pages.Items(0)->Condition.SwitchAId = 3;
  auto form = Open(event);
  auto* list = FindControl<TScriptListBox>(form.get(), "ListBox1");
  list->setFocus();
  list->SetItemIndex(1);
  std::string handed;
  TScopedModalOpener opener([&](TFormXelBase& dialog, const auto&) {
    if (auto* picker = dynamic_cast<TFormSelSwitch*>(&dialog)) {
      ShowAndActivate(picker);
      handed = FindControl<QLabel>(picker, "Label1")->text().toStdString();
      return false;
    }
    auto& command = dynamic_cast<TFormEvCmdBase&>(dialog);
    handed = std::to_string(command.EventId) + " " + FormatLines(*command.ScriptList);
    command.ScriptList->Clear();
    command.ScriptList->Add(WaitCode, 0)->Params = {9};
    return true;
  });
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_EQ(handed, R"(7 0 11410 "" [2])");
  EXPECT_EQ(FormatLines(form->Event.Pages.Items(0)->Script),
            R"(0 11410 "" [1] | 0 11410 "" [9] | 0 0 "" [])");
  EXPECT_EQ(list->Count(), 3);
  EXPECT_TRUE(Enabled(form.get(), "ButtonApply"));

  // The switch picker opens on the switch last chosen in it, not on the condition's.
  for (int id = 1; id <= 30; ++id)
    database_.Switches().GetOrCreate(id);
  LastSwitchId = 25;
  emit FindControl<TDashBox>(form.get(), "DashBoxAA")->Clicked();
  LastSwitchId = 1;
  EXPECT_EQ(handed, "0025:");
  EXPECT_EQ(form->Event.Pages.Items(0)->Condition.SwitchAId, 3);
}

TEST_F(EventEditor, TheGraphicPickerMovesThePriorityBetweenTilesAndCharacters) {
  struct TRow {
    std::string Name;
    uint8_t Priority;
    std::string Chosen;
    uint8_t Expected;
    uint8_t Animation;
  };
  const TRow rows[] = {
      {"", 0, "Walker", 1, 0}, {"", 2, "Walker", 2, 0},      {"Walker", 1, "", 0, 0},
      {"Walker", 2, "", 2, 0}, {"Walker", 0, "Other", 0, 4},
  };
  for (const TRow& row : rows) {
    TXelEventItem event(7);
    TXelEventPageItem& page = *event.Pages.Items(0);
    page.GraphicName = row.Name;
    page.GraphicIndex = 2;
    page.Priority = row.Priority;
    page.AnimationType = 4;
    auto form = Open(event);
    TScopedModalOpener opener([&](TFormXelBase& dialog, const auto&) {
      auto& picker = dynamic_cast<TFormSelEvChar&>(dialog);
      EXPECT_EQ(row.Name.empty() ? picker.ChipId : picker.CharIndex, 2) << row.Name;
      picker.FileName = row.Chosen;
      picker.CharIndex = 5;
      picker.ChipId = 9;
      return true;
    });
    FindControl<QPushButton>(form.get(), "ButtonB")->click();
    const TXelEventPageItem& shown = *form->Event.Pages.Items(0);
    EXPECT_EQ(
        std::tuple(shown.GraphicName, shown.GraphicIndex, shown.Priority, shown.AnimationType),
        std::tuple(row.Chosen, row.Chosen.empty() ? 9 : 5, row.Expected, row.Animation))
        << row.Name << " to " << row.Chosen;
    EXPECT_TRUE(Enabled(form.get(), "ButtonApply"));
  }
}

TEST_F(EventEditor, TheRouteEditorGetsThePageAndOnlyItsOkBringsTheRouteBack) {
  TXelEventItem event(7);
  TXelEventPageItem& page = *event.Pages.Items(0);
  page.MoveType = 6;
  page.GraphicName = "Walker";
  page.GraphicIndex = 3;
  page.MoveFrequency = 5;
  page.MoveRoute.Add(std::make_unique<TXelMoveRouteItem>())->Code = 2;
  auto form = Open(event);
  for (const bool ok : {false, true}) {
    TScopedModalOpener opener([&](TFormXelBase& dialog, const auto&) {
      auto& editor = dynamic_cast<TFormEDMoveRoute&>(dialog);
      EXPECT_TRUE(editor.EventMode);
      EXPECT_EQ(std::tuple(editor.EventId, editor.Event, editor.Map, editor.GraphicName,
                           editor.GraphicIndex, editor.Frequency, editor.Route.GetCount()),
                std::tuple(7, &form->Event, &map_, std::string("Walker"), 3, 5, 1));
      editor.Frequency = 2;
      editor.Route.Clear();
      return ok;
    });
    FindControl<QPushButton>(form.get(), "ButtonC")->click();
    const TXelEventPageItem& shown = *form->Event.Pages.Items(0);
    EXPECT_EQ(shown.MoveFrequency, ok ? 2 : 5);
    EXPECT_EQ(shown.MoveRoute.GetCount(), ok ? 0 : 1);
    EXPECT_EQ(Enabled(form.get(), "ButtonApply"), ok);
  }
}

// Another window may change the clipboard: the button follows the system clipboard.
TEST_F(EventEditor, PastePageFollowsTheClipboardAndInsertsAfterTheCurrentPage) {
  TQtClipboard system;
  SetClipboardProvider(&system);
  QGuiApplication::clipboard()->clear();
  TXelEventItem event(7);
  event.Pages.Items(0)->GraphicName = "First";
  event.Pages.GetOrCreate(2)->GraphicName = "Second";
  auto form = Open(event);
  EXPECT_FALSE(Enabled(form.get(), "ButtonPastePage"));
  FindControl<QPushButton>(form.get(), "ButtonCopyPage")->click();
  EXPECT_TRUE(Enabled(form.get(), "ButtonPastePage"));
  QGuiApplication::clipboard()->setText(QStringLiteral("words"));
  EXPECT_FALSE(Enabled(form.get(), "ButtonPastePage"));
  TXelEventPageItem copied(1);
  copied.GraphicName = "Copied";
  copied.Script.Add(WaitCode, 0);
  copied.CopyToClipboard(cfEventPage);
  EXPECT_TRUE(Enabled(form.get(), "ButtonPastePage"));

  FindControl<QPushButton>(form.get(), "ButtonPastePage")->click();
  EXPECT_EQ(FindControl<QTabBar>(form.get(), "TabControl1")->count(), 3);
  EXPECT_EQ(FindControl<QTabBar>(form.get(), "TabControl1")->currentIndex(), 1);
  EXPECT_EQ(form->Event.Pages.FindById(2)->GraphicName, "Copied");
  EXPECT_EQ(form->Event.Pages.FindById(2)->Script.GetCount(), 2);
  EXPECT_EQ(form->Event.Pages.FindById(3)->GraphicName, "Second");
  EXPECT_EQ(FindControl<TScriptListBox>(form.get(), "ListBox1")->Count(), 2);
  EXPECT_TRUE(Enabled(form.get(), "ButtonApply"));
  QGuiApplication::clipboard()->clear();
  SetClipboardProvider(nullptr);
}

TEST_F(EventEditor, ThePreviewDrawsThePagesCharacter) {
  Mkdir("proj/CharSet");
  ProjectPath = Path("proj/");
  SaveBitmapToImageFile(MakeGameBitmap(288, 256, 1), Path("proj/CharSet/Walker.png"));
  TXelEventItem event(7);
  TXelEventPageItem& page = *event.Pages.Items(0);
  page.GraphicName = "Walker";
  page.GraphicIndex = 6;
  page.Direction = 1;
  page.Pattern = 2;
  auto form = Open(event);
  TGlimraBoard board;
  form->DrawPreview(board);
  // Character 6 is the third block of the second row; its cell (2, 1) is drawn doubled.
  EXPECT_EQ(board.GetRow(1)[5], GameColor(HashedIndex(2 * 72 + 48, 128 + 32, 1)));
}

TEST_F(EventEditor, FieldsOutOfRangeSelectNothingAndStayOnOk) {
  TXelEventItem event(7);
  TXelEventPageItem& page = *event.Pages.Items(0);
  page.GraphicName = "Missing";
  page.MoveSpeed = 9;
  page.MoveFrequency = 0;
  page.MoveType = 12;
  page.Trigger = 9;
  page.Priority = 7;
  page.AnimationType = 8;
  page.Direction = 7;
  page.Pattern = -4;
  auto form = Open(event);
  for (const char* combo :
       {"ComboBoxC1", "ComboBoxC2", "ComboBoxD", "ComboBoxE", "ComboBoxF", "ComboBoxG"})
    EXPECT_EQ(FindControl<QComboBox>(form.get(), combo)->currentIndex(), -1) << combo;
  EXPECT_EQ(form->Timer()->interval(), 100);
  form->Timer1Timer();
  TGlimraBoard board;
  form->DrawPreview(board);
  EXPECT_EQ(board.GetWidth(), 56);
  FindControl<QPushButton>(form.get(), "ButtonOk")->click();
  const TXelEventPageItem& kept = *stored_.Pages.Items(0);
  EXPECT_EQ(std::tuple(kept.MoveSpeed, kept.MoveFrequency, kept.MoveType, kept.Trigger,
                       kept.Priority, kept.AnimationType, kept.Direction, kept.Pattern),
            std::tuple(9, 0, uint8_t{12}, uint8_t{9}, uint8_t{7}, uint8_t{8}, uint8_t{7}, -4));
}

// The item and hero conditions over three of each: an item id below 1 shows the first
// item, other unlisted ids select nothing; OK keeps every id as stored.
TEST_F(EventEditor, ConditionCombosShowTheCatalogsAndKeepUnlistedIds) {
  for (int id = 1; id <= 3; ++id) {
    database_.Items().GetOrCreate(id)->Name = "Item" + std::to_string(id);
    database_.Players().GetOrCreate(id)->Name = "Hero" + std::to_string(id);
  }
  CatalogsChanged();
  struct TRow {
    int32_t itemId, heroId;
    int item, hero; // the lines shown
  } const rows[] = {{2, 3, 1, 2}, {0, -5, 0, -1}, {-5, 4, 0, -1}, {4, 9, -1, -1}};
  for (const TRow& r : rows) {
    TXelEventItem event(7);
    TXelEventCondition& condition = event.Pages.Items(0)->Condition;
    condition.Flags = ecItem | ecHero;
    condition.ItemId = r.itemId;
    condition.HeroId = r.heroId;
    auto form = Open(event);
    auto* item = FindControl<QComboBox>(form.get(), "ComboBoxAD");
    auto* hero = FindControl<QComboBox>(form.get(), "ComboBoxAE");
    EXPECT_EQ(std::pair(item->currentIndex(), hero->currentIndex()), std::pair(r.item, r.hero))
        << r.itemId;
    EXPECT_EQ(item->currentText(), r.item < 0 ? "" : QString("Item%1").arg(r.item + 1));
    FindControl<QPushButton>(form.get(), "ButtonOk")->click();
    const TXelEventCondition& kept = stored_.Pages.Items(0)->Condition;
    EXPECT_EQ(std::pair(kept.ItemId, kept.HeroId), std::pair(r.itemId, r.heroId)) << r.itemId;
  }
  // A pick stores the line's id.
  TXelEventItem event(7);
  event.Pages.Items(0)->Condition.Flags = ecItem;
  auto form = Open(event);
  FindControl<QComboBox>(form.get(), "ComboBoxAD")->setCurrentIndex(2);
  FindControl<QPushButton>(form.get(), "ButtonOk")->click();
  EXPECT_EQ(stored_.Pages.Items(0)->Condition.ItemId, 3);
}

// A database whose load failed refuses OK's save with an error box; the map must not have
// taken the event then, so Cancel leaves the map's event as it was.
TEST_F(EventEditor, OkRefusedByTheDatabaseStoresNothingAndCancelKeepsTheMapsEvent) {
  TApplicationTagScope editorMode(EditorModeTag);
  Mkdir("project");
  ProjectPath = Path("project/");
  database_.SaveProjectDataBase();
  const std::string damaged = DamageTable(Get("project/KOVAX.ldb"), 14);
  Put("project/KOVAX.ldb", damaged);
  ASSERT_FALSE(database_.LoadProjectDataBase());
  const std::string why = database_.LastLoadError();
  TXelEventItem& event = *map_.Events.GetOrCreate(1);
  event.X = 2;
  event.Y = 3;
  event.Pages.Items(0)->Condition.Flags = ecSwitchA;
  auto saved = [&event] {
    TMemoryStream stream;
    event.SaveToStream(stream);
    return stream.Bytes();
  };
  const std::vector<uint8_t> before = saved();
  TXelMapTree tree;
  TXelEventManager manager(nullptr);
  manager.SetMap(&tree, &map_);
  TScriptedMessageBoxes boxes;
  bool stayed = false;
  TScopedModalOpener opener([&](TFormXelBase& form, const auto&) {
    if (auto* picker = dynamic_cast<TFormSelSwitch*>(&form)) {
      picker->NamesChanged = 1;
      return false;
    }
    auto& editor = dynamic_cast<TFormEDEvent&>(form);
    ShowAndActivate(&editor);
    emit FindControl<TDashBox>(&editor, "DashBoxAA")->Clicked();
    FindControl<QPushButton>(&editor, "ButtonNewPage")->click();
    FindControl<QPushButton>(&editor, "ButtonOk")->click();
    stayed = editor.isVisible();
    FindControl<QPushButton>(&editor, "ButtonCancel")->click();
    return editor.result() == mrOk;
  });
  manager.EditAt(2, 3, 0);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text.toStdString(), why);
  EXPECT_TRUE(stayed);
  EXPECT_EQ(saved(), before);
  EXPECT_EQ(Get("project/KOVAX.ldb"), damaged);
}

} // namespace
