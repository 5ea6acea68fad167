#include "events/form_ed_event.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "core/char_set_graphic.h"
#include "core/chip_set_graphic.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database.h"
#include "core/database_names.h"
#include "core/glimra_board.h"
#include "core/hero_records.h"
#include "core/map.h"
#include "core/material_image.h"
#include "events/event_menus.h"
#include "events/event_page_preview.h"
#include "events/form_ed_move_route.h"
#include "events/form_ev_cmd_list.h"
#include "events/modal_opener.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/script_list_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_music.h"
#include "framework/pickers/sel_switch.h"

namespace {

using TPage = TXelEventPageItem;
using TCondition = TXelEventCondition;

constexpr const char* CaptionEventEditor = "Event Editor";
// The help file's page of the event editor.
constexpr int EventEditorHelp = 180;

const QStringList MoveTypes = {"Stay Still",       "Random Movement",  "Cycle Up-Down",
                               "Cycle Left-Right", "Step Toward Hero", "Step Away from Hero",
                               "By Its Route"};
const QStringList Triggers = {"Push Key", "On Hero Touch", "On Touch (Event,Hero)", "Auto Start",
                              "Parallel Process"};
const QStringList Priorities = {"Below Hero", "Same Level as Hero", "Over Hero"};
const QStringList AnimationTypes = {"Common/Without Stepping", "Common/With Stepping",
                                    "Without Stepping",        "Fixed Direction",
                                    "Fixed Graphic",           "Spin (Turn Right)"};
const QStringList Speeds = {"1: x8 Slower", "2: x4 Slower", "3: x2 Slower",
                            "4: Normal",    "5: x2 Faster", "6: x4 Faster"};
constexpr int RouteMoveType = 6;

QStringList Frequencies() {
  QStringList items;
  for (int i = 1; i <= 8; ++i)
    items << QString::number(i);
  return items;
}

// The names of a database list in id order.
template <class Name> QStringList DatabaseNames(int count, Name name) {
  QStringList names;
  for (int id = 1; id <= count; ++id)
    names << ToQString(name(id));
  return names;
}

// A combo box whose index is the field minus Offset; a value without an item selects none
// and stays as it is until the author picks one.
template <class Field>
QComboBox* OffsetCombo(TFormBuilder& b, const char* name, const QStringList& items, Field field,
                       int offset) {
  auto* combo = b.Add<QComboBox>(name);
  combo->addItems(items);
  return b.Bind(
      combo, &QComboBox::currentIndexChanged, TField<int>(field),
      [offset](QComboBox* c, int v) {
        const int64_t index = int64_t{v} - offset;
        c->setCurrentIndex(index >= 0 && index < c->count() ? static_cast<int>(index) : -1);
      },
      [offset](QComboBox* c) { return c->currentIndex() + offset; });
}

void CopyPageSettings(const TPage& from, TPage& to) {
  to.GraphicName = from.GraphicName;
  to.GraphicIndex = from.GraphicIndex;
  to.Direction = from.Direction;
  to.Pattern = from.Pattern;
  to.Transparent = from.Transparent;
  to.MoveType = from.MoveType;
  to.MoveFrequency = from.MoveFrequency;
  to.Trigger = from.Trigger;
  to.Priority = from.Priority;
  to.ForbidOverlap = from.ForbidOverlap;
  to.AnimationType = from.AnimationType;
  to.MoveSpeed = from.MoveSpeed;
  to.MoveRoute.Assign(from.MoveRoute);
}

} // namespace

TFormEDEvent::TFormEDEvent(QWidget* owner) : TFormXelBase(owner, EventEditorHelp) {
  // The preview's walk graphics are read at their fixed size; a sheet of none shows nothing.
  sheet_.SetSize(CharSetWidth, CharSetHeight);
  TFormBuilder b(this, "FormEDEvent", QString::fromLatin1(CaptionEventEditor), 640, 480);
  TPage* const* page = &page_;
  TCondition* const* condition = &condition_;
  std::vector<std::pair<QWidget*, uint8_t>> conditionRows;
  // A condition flag's check box; the row's controls follow the bit.
  auto flag = [&](const char* name, const char* caption, uint8_t bit) {
    auto* box = b.Add<QCheckBox>(name, QString::fromLatin1(caption));
    b.Bind(
        box, &QCheckBox::toggled, TField<int>(Field(condition, &TCondition::Flags)),
        [bit](QCheckBox* c, int v) { c->setChecked((v & bit) != 0); },
        [this, bit](QCheckBox* c) {
          return c->isChecked() ? condition_->Flags | bit : condition_->Flags & ~bit;
        });
  };
  auto row = [&](uint8_t bit, std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls)
      conditionRows.emplace_back(control, bit);
  };
  b.Row([&] {
    b.Label("Label1", "Name");
    b.Edit("OverEdit1", &Event.Name);
    b.Stretch();
    On(b.Button("ButtonNewPage", "New Page"), &QPushButton::clicked,
       &TFormEDEvent::ButtonNewPageClick);
    On(b.Button("ButtonCopyPage", "Copy Page"), &QPushButton::clicked,
       &TFormEDEvent::ButtonCopyPageClick);
    On(b.Button("ButtonPastePage", "Paste Page"), &QPushButton::clicked,
       &TFormEDEvent::ButtonPastePageClick);
    On(b.Button("ButtonDeletePage", "Delete Page"), &QPushButton::clicked,
       &TFormEDEvent::ButtonDeletePageClick);
  });
  TabControl1 = b.Add<QTabBar>("TabControl1");
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBoxA", "Conditions", [&] {
        b.Grid(3, [&] {
          flag("CheckBoxAA", "Switch", ecSwitchA);
          auto* a = b.ValueBox("DashBoxAA", Field(condition, &TCondition::SwitchAId),
                               [](int id) { return ToQString(SwitchNameById(id)); });
          b.Label("LabelAA", "");
          flag("CheckBoxAB", "Switch", ecSwitchB);
          auto* s = b.ValueBox("DashBoxAB", Field(condition, &TCondition::SwitchBId),
                               [](int id) { return ToQString(SwitchNameById(id)); });
          b.Label("LabelAB", "");
          flag("CheckBoxAC", "Variable", ecVariable);
          auto* v = b.ValueBox("DashBoxAC", Field(condition, &TCondition::VariableId),
                               [](int id) { return ToQString(VariableNameById(id)); });
          auto* value = b.DialEdit("DialEditAC", -999999, 999999999,
                                   Field(condition, &TCondition::VariableValue));
          flag("CheckBoxAD", "Item", ecItem);
          auto* item = b.Add<QComboBox>("ComboBoxAD");
          b.Bind(
              item, &QComboBox::currentIndexChanged,
              TField<int>(Field(condition, &TCondition::ItemId)),
              [](QComboBox* c, int id) {
                c->setCurrentIndex(id - 1 < c->count() ? std::max(id - 1, 0) : -1);
              },
              [](QComboBox* c) { return c->currentIndex() + 1; });
          b.Label("LabelAD", "");
          flag("CheckBoxAE", "Hero", ecHero);
          auto* hero = b.Add<QComboBox>("ComboBoxAE");
          b.Bind(
              hero, &QComboBox::currentIndexChanged,
              TField<int>(Field(condition, &TCondition::HeroId)),
              [](QComboBox* c, int id) {
                c->setCurrentIndex(id >= 1 && id <= c->count() ? id - 1 : -1);
              },
              [](QComboBox* c) { return c->currentIndex() + 1; });
          b.Label("LabelAE", "");
          flag("CheckBoxAF", "Timer", ecTimer);
          TField<int> seconds(Field(condition, &TCondition::TimerSeconds));
          auto* minutes = b.Add<TDialEdit>("DialEditAF1");
          auto* rest = b.Add<TDialEdit>("DialEditAF2");
          minutes->SetMinValue(0);
          minutes->SetMaxValue(99);
          rest->SetMinValue(0);
          rest->SetMaxValue(59);
          b.Bind(
              minutes, &QLineEdit::textChanged, seconds,
              [](TDialEdit* c, int v) { c->SetValue(v / 60); },
              [this](TDialEdit* c) { return c->Value() * 60 + condition_->TimerSeconds % 60; });
          b.Bind(
              rest, &QLineEdit::textChanged, seconds,
              [](TDialEdit* c, int v) { c->SetValue(v % 60); },
              [this](TDialEdit* c) { return condition_->TimerSeconds / 60 * 60 + c->Value(); });
          row(ecSwitchA, {a});
          row(ecSwitchB, {s});
          row(ecVariable, {v, value});
          row(ecItem, {item});
          row(ecHero, {hero});
          row(ecTimer, {minutes, rest});
          On(a, &TDashBox::Clicked, [this] { DashBoxSwitchClick(&TCondition::SwitchAId); });
          On(s, &TDashBox::Clicked, [this] { DashBoxSwitchClick(&TCondition::SwitchBId); });
          On(v, &TDashBox::Clicked, &TFormEDEvent::DashBoxACClick);
        });
      });
      b.Row([&] {
        b.Group("GroupBoxB", "Graphic", [&] {
          ScrollFrameB = b.Add<TScrollFrame>("ScrollFrameB");
          ScrollFrameB->HorzScrollBar()->SetVisible(false);
          ScrollFrameB->VertScrollBar()->SetVisible(false);
          ScrollFrameB->setFixedSize(PreviewWidth + 2 * ScrollFrameB->frameWidth(),
                                     PreviewHeight + 2 * ScrollFrameB->frameWidth());
          On(b.Button("ButtonB", "Set..."), &QPushButton::clicked, &TFormEDEvent::ButtonBClick);
          b.CheckBox("CheckBoxB", "Transp.", Field(page, &TPage::Transparent));
        });
        b.Group("GroupBoxC", "Movement", [&] {
          b.ComboBox("ComboBoxC1", MoveTypes, Field(page, &TPage::MoveType));
          auto* label = b.Label("LabelC1", "Frequency");
          auto* frequency =
              OffsetCombo(b, "ComboBoxC2", Frequencies(), Field(page, &TPage::MoveFrequency), 1);
          auto* route = b.Button("ButtonC", "Edit Route...");
          On(route, &QPushButton::clicked, &TFormEDEvent::ButtonCClick);
          EnableWhen({label, frequency}, [this] { return page_ && page_->MoveType != 0; });
          EnableWhen({route}, [this] { return page_ && page_->MoveType == RouteMoveType; });
        });
      });
    });
    b.Column([&] {
      b.Group("GroupBoxD", "Trigger",
              [&] { b.ComboBox("ComboBoxD", Triggers, Field(page, &TPage::Trigger)); });
      b.Group("GroupBoxE", "Priority", [&] {
        b.ComboBox("ComboBoxE", Priorities, Field(page, &TPage::Priority));
        b.CheckBox("CheckBoxE", "Do Not Allow Event Overlap", Field(page, &TPage::ForbidOverlap));
      });
      b.Group("GroupBoxF", "Animation", [&] {
        auto* animation =
            b.ComboBox("ComboBoxF", AnimationTypes, Field(page, &TPage::AnimationType));
        EnableWhen({animation}, [this] { return page_ && !page_->GraphicName.empty(); });
      });
      b.Group("GroupBoxG", "Speed",
              [&] { OffsetCombo(b, "ComboBoxG", Speeds, Field(page, &TPage::MoveSpeed), 1); });
      b.Group("GroupBoxH", "Script", [&] {
        ListBox1 = b.Add<TScriptListBox>("ListBox1");
        // The script is what the author works on: ten lines show at least.
        ListBox1->setMinimumHeight(10 * ListBox1->LineHeight() + 2 * ListBox1->frameWidth());
      });
    });
  });
  b.Row([&] {
    On(b.Button("MenuButtonMusic", "Music"), &QPushButton::clicked,
       &TFormEDEvent::MenuButtonMusicClick);
    b.Stretch();
    b.OkButton();
    b.CancelButton();
    ButtonApply = b.Button("ButtonApply", "&Apply");
    b.HelpButton();
  });
  for (const auto& [control, bit] : conditionRows)
    EnableWhen({control}, [this, bit = bit] { return condition_ && (condition_->Flags & bit); });
  EnableWhen({ButtonApply}, [this] { return applyEnabled_; });
  On(ButtonApply, &QPushButton::clicked, &TFormEDEvent::ButtonApplyClick);
  On(TabControl1, &QTabBar::currentChanged, &TFormEDEvent::TabControl1Change);
  auto* name = findChild<QWidget*>(QStringLiteral("OverEdit1"));
  On(static_cast<TOverEdit*>(name), &QLineEdit::editingFinished, [this] { RefreshScript(); });

  auto* next = new QAction(this);
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
  auto* previous = new QAction(this);
  previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
  addActions({next, previous});
  On(next, &QAction::triggered, [this] { NextTab(1); });
  On(previous, &QAction::triggered, [this] { NextTab(-1); });

  PopupMenu1 = MakePopupMenu(this, "PopupMenu1");
  MenuInsert =
      AddMenuItem(PopupMenu1, ListBox1, "MenuInsert", "&Insert...", QKeySequence(Qt::Key_Return));
  MenuEdit = AddMenuItem(PopupMenu1, ListBox1, "MenuEdit", "&Edit...", Qt::Key_Space);
  MenuCut = AddMenuItem(PopupMenu1, ListBox1, "MenuCut", "Cu&t", QKeySequence::Cut);
  MenuCopy = AddMenuItem(PopupMenu1, ListBox1, "MenuCopy", "&Copy", QKeySequence::Copy);
  MenuPaste = AddMenuItem(PopupMenu1, ListBox1, "MenuPaste", "&Paste", QKeySequence::Paste);
  MenuDelete = AddMenuItem(PopupMenu1, ListBox1, "MenuDelete", "&Delete", Qt::Key_Delete);
  MenuSelectAll =
      AddMenuItem(PopupMenu1, ListBox1, "MenuSelectAll", "Select &All", QKeySequence::SelectAll);
  On(PopupMenu1, &QMenu::aboutToShow, &TFormEDEvent::PopupMenu1Popup);
  // The keys stay live between popups; each item checks the selection itself.
  connect(PopupMenu1, &QMenu::aboutToHide, this, [this] {
    for (QAction* item : PopupMenu1->actions())
      item->setEnabled(true);
  });
  On(MenuInsert, &QAction::triggered, &TFormEDEvent::MenuInsertClick);
  On(MenuEdit, &QAction::triggered, &TFormEDEvent::MenuEditClick);
  On(MenuCut, &QAction::triggered, &TFormEDEvent::MenuCutClick);
  On(MenuCopy, &QAction::triggered, &TFormEDEvent::MenuCopyClick);
  On(MenuPaste, &QAction::triggered, &TFormEDEvent::MenuPasteClick);
  On(MenuDelete, &QAction::triggered, &TFormEDEvent::MenuDeleteClick);
  On(MenuSelectAll, &QAction::triggered, &TFormEDEvent::MenuSelectAllClick);
  On(ListBox1, &TScriptListBox::DblClick, &TFormEDEvent::MenuInsertClick);
  ListBox1->installEventFilter(this);
  ListBox1->viewport()->installEventFilter(this);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  On(Timer1, &QTimer::timeout, &TFormEDEvent::Timer1Timer);
  // Painting is no handler: it runs also while Updating, and it needs the painter.
  connect(ScrollFrameB, &TScrollFrame::Paint, this, [this](QPainter& canvas) {
    GuardHandler(this, [&] {
      TGlimraBoard board;
      DrawPreview(board);
      canvas.drawImage(QRect(QPoint(0, 0), ScrollFrameB->ClientSize()), BoardToImage(board));
    });
  });
}

TFormEDEvent::~TFormEDEvent() = default;

void TFormEDEvent::SetApplyEnabled(bool enabled) {
  applyEnabled_ = enabled;
  ApplyEnableRules();
}

int TFormEDEvent::PageCount() const {
  int count = 0;
  while (count < MaxEventPages && Event.Pages.FindById(count + 1))
    ++count;
  return count;
}

void TFormEDEvent::FormShow() {
  converter_.EventId = EventId;
  converter_.Event = &Event;
  converter_.MapTree = MapTree;
  converter_.Map = Map;
  setWindowTitle(QString::fromLatin1(CaptionEventEditor) +
                 QString::asprintf(" - ID:%.4d", static_cast<int>(EventId)));
  {
    TUpdatingScope updating(*this);
    auto* item = findChild<QComboBox*>(QStringLiteral("ComboBoxAD"));
    item->addItems(DatabaseNames(ItemList ? ItemList->GetCount() : 0, ItemNameById));
    auto* hero = findChild<QComboBox*>(QStringLiteral("ComboBoxAE"));
    hero->addItems(DatabaseNames(PlayerList ? PlayerList->GetCount() : 0, HeroNameById));
    for (int i = PageCount(); i > 0; --i)
      TabControl1->addTab(QString::number(TabControl1->count() + 1));
  }
  RefreshAll();
  findChild<QWidget*>(QStringLiteral("OverEdit1"))->setFocus();
}

void TFormEDEvent::RefreshAll() {
  page_ = Event.Pages.FindById(std::max(TabControl1->currentIndex(), 0) + 1);
  condition_ = page_ ? &page_->Condition : nullptr;
  if (page_) previousAnimation_ = page_->AnimationType;
  UpdateControls();
  RefreshScript();
  if (page_) Timer1->start(PreviewInterval(page_->AnimationType, page_->MoveSpeed));
  ScrollFrameB->viewport()->update();
}

void TFormEDEvent::UpdateOwnControls() {
  const int pages = PageCount();
  const bool room = pages < MaxEventPages;
  findChild<QWidget*>(QStringLiteral("ButtonNewPage"))->setEnabled(room);
  findChild<QWidget*>(QStringLiteral("ButtonPastePage"))
      ->setEnabled(room && Clipboard().HasFormat(cfEventPage));
  findChild<QWidget*>(QStringLiteral("ButtonDeletePage"))->setEnabled(pages >= 2);
}

void TFormEDEvent::RefreshScript() {
  if (!page_) return;
  TUpdatingScope updating(*this);
  ListBox1->SetScript(Script(), converter_);
}

void TFormEDEvent::BoundValueChanged(QWidget* control) {
  if (page_ && control->objectName() == QStringLiteral("ComboBoxF")) {
    // The spin starts from the direction the page faces.
    if (page_->AnimationType == SpinAnimation && previousAnimation_ != SpinAnimation)
      counter_ = page_->Direction;
    previousAnimation_ = page_->AnimationType;
  }
  if (page_) Timer1->setInterval(PreviewInterval(page_->AnimationType, page_->MoveSpeed));
  ScrollFrameB->viewport()->update();
  Modified();
}

void TFormEDEvent::Modified() {
  applyEnabled_ = true;
}

void TFormEDEvent::TookDatabaseChange(bool changed) {
  if (!changed) return;
  DataChanged = true;
  RefreshAll();
}

void TFormEDEvent::TabControl1Change(int) {
  TabControl1->setFocus();
  RefreshAll();
}

void TFormEDEvent::NextTab(int step) {
  const int count = TabControl1->count();
  if (count > 1) TabControl1->setCurrentIndex((TabControl1->currentIndex() + step + count) % count);
}

TXelEventPageItem* TFormEDEvent::InsertPage(const TXelEventPageItem& source) {
  const int tab = TabControl1->currentIndex();
  TXelEventPageItem* inserted = Event.Pages.InsertAt(tab + 2);
  CopyPageSettings(source, *inserted);
  {
    TUpdatingScope updating(*this);
    TabControl1->addTab(QString::number(TabControl1->count() + 1));
  }
  Modified();
  TabControl1->setCurrentIndex(tab + 1);
  return inserted;
}

void TFormEDEvent::ButtonNewPageClick() {
  if (!page_ || PageCount() >= MaxEventPages) return;
  InsertPage(*page_);
}

void TFormEDEvent::ButtonCopyPageClick() {
  if (page_) page_->CopyToClipboard(cfEventPage);
}

void TFormEDEvent::ButtonPastePageClick() {
  if (PageCount() >= MaxEventPages) return;
  TXelEventPageItem pasted(0);
  if (!pasted.PasteFromClipboard(cfEventPage)) return;
  TXelEventPageItem* inserted = InsertPage(pasted);
  inserted->Assign(pasted);
  RefreshAll();
}

void TFormEDEvent::ButtonDeletePageClick() {
  const int count = PageCount();
  if (count < 2) return;
  const int tab = TabControl1->currentIndex();
  Event.Pages.RemoveAt(tab + 1);
  {
    TUpdatingScope updating(*this);
    TabControl1->removeTab(count - 1);
    TabControl1->setCurrentIndex(std::min(tab, count - 2));
  }
  Modified();
  RefreshAll();
}

// A switch or variable picker for one condition field.
template <class Picker> void TFormEDEvent::PickName(int32_t TXelEventCondition::*field) {
  Picker picker(this);
  picker.SelectedId = condition_->*field;
  if (OpenModal(picker)) {
    condition_->*field = picker.SelectedId;
    Modified();
  }
  TookDatabaseChange(picker.NamesChanged != 0);
  UpdateControls();
}

void TFormEDEvent::DashBoxSwitchClick(int32_t TXelEventCondition::*field) {
  PickName<TFormSelSwitch>(field);
}

void TFormEDEvent::DashBoxACClick() {
  PickName<TFormSelVariable>(&TCondition::VariableId);
}

void TFormEDEvent::ButtonBClick() {
  TFormSelEvChar picker(this);
  picker.ChipSetGraphic = Map ? Map->Graphics().ChipSetGraphic() : nullptr;
  const bool hadName = !page_->GraphicName.empty();
  picker.FileName = page_->GraphicName;
  (hadName ? picker.CharIndex : picker.ChipId) = page_->GraphicIndex;
  picker.Direction = page_->Direction;
  picker.Pattern = page_->Pattern;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(24, 88); })) return;
  page_->GraphicName = picker.FileName;
  const bool hasName = !page_->GraphicName.empty();
  page_->GraphicIndex = hasName ? picker.CharIndex : picker.ChipId;
  page_->Direction = static_cast<uint8_t>(picker.Direction);
  page_->Pattern = picker.Pattern;
  if (!hadName && hasName) {
    if (page_->Priority == 0) page_->Priority = 1;
    page_->AnimationType = 0;
  } else if (hadName && !hasName) {
    if (page_->Priority == 1) page_->Priority = 0;
    page_->AnimationType = 0;
  }
  counter_ = 0;
  Modified();
  RefreshAll();
}

void TFormEDEvent::ButtonCClick() {
  TFormEDMoveRoute editor(this);
  editor.EventMode = true;
  editor.EventId = EventId;
  editor.Event = &Event;
  editor.Map = Map;
  editor.GraphicName = page_->GraphicName;
  editor.GraphicIndex = page_->GraphicName.empty() ? 0 : page_->GraphicIndex;
  editor.Frequency = page_->MoveFrequency;
  editor.Route.Assign(page_->MoveRoute);
  if (OpenModal(editor, [&] { return editor.ExecuteAt(24, 40); })) {
    page_->MoveFrequency = editor.Frequency;
    page_->MoveRoute.Assign(editor.Route);
    Modified();
  }
  TookDatabaseChange(editor.DataChanged);
  UpdateControls();
}

void TFormEDEvent::MenuButtonMusicClick() {
  TFormSelMusic picker(this);
  picker.ListenOnly = 1;
  OpenModal(picker, [&] { return picker.ExecuteAt(8, 176); });
}

void TFormEDEvent::Timer1Timer() {
  ++counter_;
  ScrollFrameB->viewport()->update();
}

void TFormEDEvent::DrawPreview(TGlimraBoard& board) {
  board.SetSize(PreviewWidth, PreviewHeight);
  if (!page_) return;
  auto fill = [&board](uint16_t colour) {
    for (int y = 0; y < board.GetHeight(); ++y)
      std::fill_n(board.GetRow(y), board.GetWidth(), colour);
  };
  if (page_->GraphicName.empty()) {
    TXelChipSetGraphic* chips = Map ? Map->Graphics().ChipSetGraphic() : nullptr;
    if (!chips || !chips->IsLoaded()) return;
    fill(chips->Sheet.ColorTable()[0]);
    chips->SetTransparent(true);
    chips->SetOpacityLevel(page_->Transparent ? 3 : 0);
    chips->DrawChip(board, 12, 16, PreviewTileId(page_->GraphicIndex), 0, false, 32);
    chips->SetOpacityLevel(0);
    return;
  }
  if (sheetName_ != page_->GraphicName) {
    sheetName_ = page_->GraphicName;
    LoadMaterialSheet(sheet_, sheetName_, "CharSet", false);
  }
  DrawCharacterFrame(board, sheet_, Bounds(4, 0, 48, 64),
                     PreviewFrame(page_->GraphicIndex, page_->AnimationType, page_->Pattern,
                                  page_->Direction, counter_),
                     page_->Transparent);
}

TScriptLineRange TFormEDEvent::Selection() const {
  if (ListBox1->SelStart() < 0) return {};
  return {ListBox1->SelStart(), ListBox1->SelEnd()};
}

bool TFormEDEvent::Offered(bool TScriptMenuState::*item) const {
  return page_ &&
         ScriptMenuState(Script(), Selection(), Clipboard().HasFormat(cfScriptLines)).*item;
}

void TFormEDEvent::PopupMenu1Popup() {
  const TScriptMenuState state =
      page_ ? ScriptMenuState(Script(), Selection(), Clipboard().HasFormat(cfScriptLines))
            : TScriptMenuState{};
  MenuInsert->setEnabled(state.Insert);
  MenuEdit->setEnabled(state.Edit);
  MenuCut->setEnabled(state.Cut);
  MenuCopy->setEnabled(state.Copy);
  MenuPaste->setEnabled(state.Paste);
  MenuDelete->setEnabled(state.Delete);
  MenuSelectAll->setEnabled(state.SelectAll);
}

void TFormEDEvent::HandOver(TFormEvCmdList& palette) const {
  palette.EventId = EventId;
  palette.Event = &Event;
  palette.MapTree = MapTree;
  palette.Map = Map;
}

void TFormEDEvent::ShowInserted(int first, int added) {
  RefreshScript();
  ListBox1->SetItemIndex(first + added);
  Modified();
}

void TFormEDEvent::MenuInsertClick() {
  if (!Offered(&TScriptMenuState::Insert)) return;
  TFormEvCmdList palette(this);
  HandOver(palette);
  const TScriptLineRange selection = Selection();
  if (OpenModal(palette, [&] { return palette.ExecuteAt(352, 72); })) {
    const int added = InsertScriptLines(Script(), selection, palette.ScriptList);
    if (added > 0) ShowInserted(selection.First, added);
  }
  TookDatabaseChange(palette.DataChanged);
}

void TFormEDEvent::MenuEditClick() {
  if (!Offered(&TScriptMenuState::Edit)) return;
  TFormEvCmdList palette(this);
  HandOver(palette);
  const TScriptLineRange selection = Selection();
  for (int i = selection.First; i <= selection.Last; ++i)
    palette.ScriptList.Add(std::make_unique<TXelEventScriptLine>())->Assign(*Script().GetItem(i));
  if (palette.EditByCode() && ReplaceScriptLines(Script(), selection, palette.ScriptList) > 0) {
    RefreshScript();
    Modified();
  }
  TookDatabaseChange(palette.DataChanged);
}

void TFormEDEvent::MenuCutClick() {
  if (!Offered(&TScriptMenuState::Cut)) return;
  MenuCopyClick();
  MenuDeleteClick();
}

void TFormEDEvent::MenuCopyClick() {
  if (!page_) return;
  std::vector<uint8_t> block = CopyScriptLines(Script(), Selection());
  if (!block.empty()) Clipboard().SetData(cfScriptLines, std::move(block));
}

void TFormEDEvent::MenuPasteClick() {
  if (!page_) return;
  const TScriptLineRange selection = Selection();
  const int added =
      PasteScriptLines(Script(), selection, ClipboardBytes(cfScriptLines), IsBattleOnlyOrEndCode);
  if (added > 0) ShowInserted(selection.First, added);
}

void TFormEDEvent::MenuDeleteClick() {
  if (!page_) return;
  const TScriptLineRange selection = Selection();
  if (!DeleteScriptLines(Script(), selection)) return;
  RefreshScript();
  ListBox1->SetItemIndex(selection.First);
  Modified();
}

void TFormEDEvent::MenuSelectAllClick() {
  if (!page_) return;
  const TScriptLineRange all = SelectAllLines(Script());
  if (all.First < 0) return;
  ListBox1->SetSelStart(all.First);
  ListBox1->SetSelEnd(all.Last);
}

bool TFormEDEvent::eventFilter(QObject* watched, QEvent* event) {
  if (watched != ListBox1 && watched != ListBox1->viewport())
    return TFormXelBase::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::MouseButtonRelease: {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton &&
        ListBox1->viewport()->rect().contains(mouse->position().toPoint())) {
      PopupMenu1->popup(mouse->globalPosition().toPoint());
      return true;
    }
    break;
  }
  case QEvent::KeyPress:
    // The menu key is ours: the application's context-menu rule follows the mouse.
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Menu) {
      PopupMenu1->popup(ListBox1->mapToGlobal(QPoint(0, 0)));
      return true;
    }
    break;
  case QEvent::ContextMenu:
    // The key opens the menu at the list's corner; the mouse has its own way above.
    if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
      PopupMenu1->popup(ListBox1->mapToGlobal(QPoint(0, 0)));
    return true;
  case QEvent::Wheel: {
    wheelDelta_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
    while (wheelDelta_ >= 120 || wheelDelta_ <= -120) {
      const int step = wheelDelta_ > 0 ? -1 : 1;
      ListBox1->SetTopIndex(ListBox1->TopIndex() + step);
      wheelDelta_ += step * 120;
    }
    return true;
  }
  default:
    break;
  }
  return TFormXelBase::eventFilter(watched, event);
}

void TFormEDEvent::Apply() {
  if (OnApply) OnApply();
  if (DataChanged && GlobalDataBase) {
    GlobalDataBase->SaveProjectDataBase();
    DataChanged = false;
  }
  applyEnabled_ = false;
  ApplyEnableRules();
}

void TFormEDEvent::ButtonApplyClick() {
  Apply();
}

void TFormEDEvent::ButtonOkClick() {
  Apply();
  done(mrOk);
}

void TFormEDEvent::done(int result) {
  Timer1->stop();
  // A dialog's database change that was neither saved nor kept goes: the database is
  // read back as it is on disk.
  if (result != mrOk && DataChanged && GlobalDataBase) {
    DataChanged = false;
    GlobalDataBase->LoadProjectDataBase();
  }
  TFormXelBase::done(result);
}

VELMORA_REGISTER_FORM(TFormEDEvent, TFormGroup::Dialog, 0);
