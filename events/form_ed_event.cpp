#include "events/form_ed_event.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
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
#include "events/command_pieces.h"
#include "events/event_page_preview.h"
#include "events/form_ed_move_route.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_editor.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/script_list_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/name_pieces.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_music.h"

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
    OverEdit1 = b.Edit("OverEdit1", &Event.Name);
    b.Stretch();
    ButtonNewPage = b.Button("ButtonNewPage", "New Page");
    On(ButtonNewPage, &QPushButton::clicked, &TFormEDEvent::ButtonNewPageClick);
    On(b.Button("ButtonCopyPage", "Copy Page"), &QPushButton::clicked,
       &TFormEDEvent::ButtonCopyPageClick);
    ButtonPastePage = b.Button("ButtonPastePage", "Paste Page");
    On(ButtonPastePage, &QPushButton::clicked, &TFormEDEvent::ButtonPastePageClick);
    ButtonDeletePage = b.Button("ButtonDeletePage", "Delete Page");
    On(ButtonDeletePage, &QPushButton::clicked, &TFormEDEvent::ButtonDeletePageClick);
  });
  TabControl1 = b.Add<QTabBar>("TabControl1");
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBoxA", "Conditions", [&] {
        b.Grid(3, [&] {
          flag("CheckBoxAA", "Switch", ecSwitchA);
          auto* a = SwitchBox(*this, b, "DashBoxAA", Field(condition, &TCondition::SwitchAId));
          b.Label("LabelAA", "");
          flag("CheckBoxAB", "Switch", ecSwitchB);
          auto* s = SwitchBox(*this, b, "DashBoxAB", Field(condition, &TCondition::SwitchBId));
          b.Label("LabelAB", "");
          flag("CheckBoxAC", "Variable", ecVariable);
          auto* v = VariableBox(*this, b, "DashBoxAC", Field(condition, &TCondition::VariableId));
          auto* value = b.DialEdit("DialEditAC", -999999, 999999999,
                                   Field(condition, &TCondition::VariableValue));
          flag("CheckBoxAD", "Item", ecItem);
          // Over the shared models at a fixed width: opening the editor measures no names.
          // An item id below 1 shows the first item; other unlisted ids select nothing.
          TIdChoices items;
          items.BelowShowsFirst = true;
          auto* item =
              IdCombo(b, "ComboBoxAD", ItemModel(), items, Field(condition, &TCondition::ItemId));
          b.Label("LabelAD", "");
          flag("CheckBoxAE", "Hero", ecHero);
          auto* hero =
              IdCombo(b, "ComboBoxAE", HeroModel(), {}, Field(condition, &TCondition::HeroId));
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
          auto* frequency = IdCombo(b, "ComboBoxC2", OffsetChoices(Frequencies(), 1),
                                    Field(page, &TPage::MoveFrequency), 0);
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
      b.Group("GroupBoxG", "Speed", [&] {
        IdCombo(b, "ComboBoxG", OffsetChoices(Speeds, 1), Field(page, &TPage::MoveSpeed), 0);
      });
      b.Group("GroupBoxH", "Script", [&] {
        Script1 = new TScriptEditor(*this, b, "ListBox1");
        // The script is what the author works on: eight lines show at least.
        TScriptListBox* list = Script1->List();
        list->setMinimumHeight(8 * list->LineHeight() + 2 * list->frameWidth());
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
  On(OverEdit1, &QLineEdit::editingFinished, [this] { RefreshScript(); });
  // "Paste Page" follows what the clipboard holds, whoever changed it.
  On(QGuiApplication::clipboard(), &QClipboard::dataChanged, [this] { UpdateOwnControls(); });
  OnDatabaseChanged = [this] { TookDatabaseChange(true); };

  auto* next = new QAction(this);
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab));
  auto* previous = new QAction(this);
  previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)});
  addActions({next, previous});
  On(next, &QAction::triggered, [this] { NextTab(1); });
  On(previous, &QAction::triggered, [this] { NextTab(-1); });

  Script1->HandOver = [this](TFormEvCmdList& palette) { HandOver(palette); };
  Script1->PalettePosition = QPoint(352, 72);
  Script1->PasteFilter = IsBattleOnlyOrEndCode;
  Script1->OnModified = [this] { Modified(); };

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  On(Timer1, &QTimer::timeout, &TFormEDEvent::Timer1Timer);
  OnPaint(ScrollFrameB, [this](QPainter& canvas) {
    TGlimraBoard board;
    DrawPreview(board);
    canvas.drawImage(QRect(QPoint(0, 0), ScrollFrameB->ClientSize()), BoardToImage(board));
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
    for (int i = PageCount(); i > 0; --i)
      TabControl1->addTab(QString::number(TabControl1->count() + 1));
  }
  RefreshAll();
  OverEdit1->setFocus();
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
  ButtonNewPage->setEnabled(room);
  ButtonPastePage->setEnabled(room && Clipboard().HasFormat(cfEventPage));
  ButtonDeletePage->setEnabled(pages >= 2);
}

void TFormEDEvent::RefreshScript() {
  if (!page_) return;
  Script1->SetScript(&page_->Script, &converter_);
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
  UpdateOwnControls();
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

void TFormEDEvent::HandOver(TFormEvCmdList& palette) const {
  palette.EventId = EventId;
  palette.Event = &Event;
  palette.MapTree = MapTree;
  palette.Map = Map;
}

void TFormEDEvent::Apply() {
  // The database first: when it refuses to be saved (its load failed) the error box
  // shows, and the map must not have taken the event either, so that Cancel leaves it as
  // it was.
  if (DataChanged && GlobalDataBase) {
    GlobalDataBase->SaveProjectDataBase();
    DataChanged = false;
  }
  if (OnApply) OnApply();
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
