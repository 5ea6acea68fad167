#include "events/form_ed_move_route.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/move_route_edit.h"
#include "core/stream.h"
#include "events/event_menus.h"
#include "events/last_used.h"
#include "framework/controls/button_list.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/name_pieces.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_music.h"

namespace {

struct TMoveButton {
  const char* Caption; // code-page bytes: the turns carry the degree sign 0xB0
  int32_t Code;
};

// Down the first column, then down the second.
constexpr std::array<TMoveButton, 42> MoveButtons = {{
    {"Step Up", 0},
    {"Step Right", 1},
    {"Step Down", 2},
    {"Step Left", 3},
    {"Step Right-Up", 4},
    {"Step Right-Down", 5},
    {"Step Left-Down", 6},
    {"Step Left-Up", 7},
    {"Random Step Direction", 8},
    {"Step Toward Hero", 9},
    {"Step Away from Hero", 10},
    {"Step Forward", 11},
    {"Move Speed Up", 28},
    {"Move Speed Down", 29},
    {"Face Up", 12},
    {"Face Right", 13},
    {"Face Down", 14},
    {"Face Left", 15},
    {"Turn Right 90\xB0", 16},
    {"Turn Left 90\xB0", 17},
    {"Turn 180\xB0", 18},
    {"Right-Left Turn 90\xB0", 19},
    {"Random Direction", 20},
    {"Normal Face Hero", 21},
    {"Reverse Face Hero", 22},
    {"Wait a Moment", 23},
    {"Move Frequency Up", 30},
    {"Move Frequency Down", 31},
    {"Start Jump", 24},
    {"End Jump", 25},
    {"Fix Direction", 26},
    {"Cancel Fix Direction", 27},
    {"Start Slip Through", 36},
    {"End Slip Through", 37},
    {"Stop Animation", 38},
    {"Resume Animation", 39},
    {"Transparancy Up", 40},
    {"Transparancy Down", 41},
    {"Switch ON...", 32},
    {"Switch OFF...", 33},
    {"Change Graphic...", 34},
    {"Play Sound Effect...", 35},
}};

constexpr const char* FixedTargets[] = {"Hero", "Boat", "Ship", "Airship", "this Event"};
constexpr int MoveEventHelp = 11330;

} // namespace

TFormEDMoveRoute::TFormEDMoveRoute(QWidget* owner) : TFormXelBase(owner, MoveEventHelp) {
  TFormBuilder b(this, "FormEDMoveRoute", "Creation of the Movement Route", 560, 470);
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", "Object", [&] { ComboBox1 = b.Add<QComboBox>("ComboBox1"); });
      b.Group("GroupBox3", "Route", [&] {
        ListBox1 = b.Add<TSmartListBox>("ListBox1");
        // Route lines such as "<>Move Frequency Down" read whole.
        ListBox1->setMinimumWidth(24 * ListBox1->fontMetrics().averageCharWidth());
      });
    });
    b.Group("GroupBox4", "Commands", [&] {
      ButtonList1 = b.Add<TButtonList>("ButtonList1");
      QStringList captions;
      for (const TMoveButton& button : MoveButtons)
        captions << ToQString(button.Caption);
      ButtonList1->SetItems(captions);
      ButtonList1->SetButtonHeight(20);
      ButtonList1->SetButtonWidth(150);
      ButtonList1->setFixedSize(2 * 150 + 4, 21 * 20 + 4);
    });
    b.Column([&] {
      ButtonList2 = b.Add<TButtonList>("ButtonList2");
      ButtonList2->SetItems({QStringLiteral("Delete"), QStringLiteral("Clear All")});
      ButtonList2->SetButtonHeight(22);
      ButtonList2->SetButtonWidth(110);
      ButtonList2->setFixedSize(110 + 4, 2 * 22 + 4);
      b.Group("GroupBox2", "Movement Frequency", [&] {
        b.Radios(&frequencyIndex_, [&] {
          for (int i = 1; i <= 8; ++i)
            b.Radio(("RadioButton" + std::to_string(i)).c_str(), QString::number(i));
        });
      });
      b.Group("GroupBox5", "Options", [&] {
        b.CheckBox("CheckBox1", "Repeat Action", &route_.Repeat);
        b.CheckBox("CheckBox2", "Ignored if cant be moved", &route_.Skippable);
      });
      b.Stretch();
      ButtonHelp = b.StandardButtons().Help;
    });
  });
  PopupMenu1 = MakePopupMenu(*this, "PopupMenu1", [this] { PopupMenu1Popup(); });
  MenuCut = AddMenuItem(PopupMenu1, ListBox1, "MenuCut", "Cu&t", QKeySequence::Cut);
  MenuCopy = AddMenuItem(PopupMenu1, ListBox1, "MenuCopy", "&Copy", QKeySequence::Copy);
  MenuPaste = AddMenuItem(PopupMenu1, ListBox1, "MenuPaste", "&Paste", QKeySequence::Paste);
  MenuDelete = AddMenuItem(PopupMenu1, ListBox1, "MenuDelete", "&Delete", Qt::Key_Delete);
  ListBox1->SetPopupMenu(PopupMenu1);

  // Switch names applied in the picker are saved with the database, OK or not.
  OnDatabaseChanged = [this] { DataChanged = true; };
  On(ButtonList1, &TButtonList::ButtonClick, &TFormEDMoveRoute::ButtonList1Click);
  On(ButtonList2, &TButtonList::ButtonClick, &TFormEDMoveRoute::ButtonList2Click);
  On(ComboBox1, &QComboBox::currentIndexChanged, &TFormEDMoveRoute::ComboBox1Change);
  On(ListBox1, &QListWidget::currentRowChanged, [this] { ShowRoute(SelectedLine()); });
  On(MenuCut, &QAction::triggered, &TFormEDMoveRoute::MenuCutClick);
  On(MenuCopy, &QAction::triggered, &TFormEDMoveRoute::MenuCopyClick);
  On(MenuPaste, &QAction::triggered, &TFormEDMoveRoute::MenuPasteClick);
  On(MenuDelete, &QAction::triggered, &TFormEDMoveRoute::MenuDeleteClick);
}

std::vector<uint8_t> TFormEDMoveRoute::CallerData() const {
  TMemoryStream stream;
  Route.SaveToStream(stream);
  std::vector<uint8_t> bytes = stream.TakeBytes();
  for (const int32_t value : {TargetId, Frequency})
    for (int shift = 0; shift < 32; shift += 8)
      bytes.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
  return bytes;
}

void TFormEDMoveRoute::FormShow() {
  const TMoveRouteMemory& last = LastUsedRecord<TMoveRouteMemory>();
  route_.Assign(Route);
  targetIds_.assign({10001, 10002, 10003, 10004, MoveTargetThisEvent});
  QStringList names;
  for (const char* name : FixedTargets)
    names << QString::fromLatin1(name);
  targetId_ = TargetId;
  int32_t frequency = Frequency;
  if (EventMode) {
    targetId_ = MoveTargetThisEvent;
  } else {
    if (Map)
      for (int i = 0; i < Map->Events.GetCount(); ++i) {
        const TXelEventItem* event = Map->Events.Items(i);
        targetIds_.push_back(event->Id);
        // The edited event may have been renamed since the map last took it.
        const bool edited = Event && event->Id == EventId;
        names << ToQString(edited ? Event->Name : event->Name);
      }
    if (targetId_ == 0) {
      targetId_ = last.TargetId;
      frequency = last.Frequency;
      GraphicName = last.GraphicName;
      GraphicIndex = last.GraphicIndex;
    }
  }
  HelpContext = EventMode ? 0 : MoveEventHelp;
  ButtonHelp->setVisible(!EventMode);
  // A frequency out of range from a file checks no button and stays unless one is chosen.
  frequencyIndex_ = frequency >= 1 && frequency <= 8 ? frequency - 1 : -1;
  {
    TUpdatingScope updating(*this);
    ComboBox1->clear();
    ComboBox1->addItems(names);
  }
  ComboBox1->setEnabled(!EventMode);
  UpdateControls();
  ShowRoute(0);
}

void TFormEDMoveRoute::ButtonOkClick() {
  TargetId = targetId_;
  if (frequencyIndex_ >= 0) Frequency = frequencyIndex_ + 1;
  if (!EventMode) {
    TMoveRouteMemory& last = LastUsedRecord<TMoveRouteMemory>();
    last.TargetId = TargetId;
    last.Frequency = Frequency;
  }
  Route.Assign(route_);
  done(mrOk);
}

int TFormEDMoveRoute::SelectedLine() const {
  return std::max(ListBox1->currentRow(), 0);
}

void TFormEDMoveRoute::UpdateOwnControls() {
  const auto found = std::find(targetIds_.begin(), targetIds_.end(), targetId_);
  if (found == targetIds_.end()) targetId_ = MoveTargetHero;
  ComboBox1->setCurrentIndex(
      found == targetIds_.end() ? 0 : static_cast<int>(found - targetIds_.begin()));
}

void TFormEDMoveRoute::ShowRoute(int line) {
  TUpdatingScope updating(*this);
  const std::vector<std::string> lines = MoveRouteLines(route_);
  if (ListBox1->count() != static_cast<int>(lines.size())) {
    ListBox1->clear();
    for (const std::string& text : lines)
      ListBox1->addItem(ToQString(text));
  } else {
    for (int i = 0; i < ListBox1->count(); ++i)
      ListBox1->item(i)->setText(ToQString(lines[static_cast<size_t>(i)]));
  }
  line = std::clamp(line, 0, ListBox1->count() - 1);
  ListBox1->setCurrentRow(line);
  const TMoveRouteState state = MoveRouteState(route_, line, false);
  for (int i = 0; i < static_cast<int>(MoveButtons.size()); ++i)
    ButtonList1->EnableButton(i, state.AddCommand);
  ButtonList2->EnableButton(0, state.Delete);
  ButtonList2->EnableButton(1, state.ClearAll);
}

bool TFormEDMoveRoute::PickDetails(TXelMoveRouteItem& command) {
  TMoveRouteMemory& last = LastUsedRecord<TMoveRouteMemory>();
  switch (command.Code) {
  case mcSwitchOn:
  case mcSwitchOff: {
    int32_t id = last.SwitchId;
    if (!PickSwitch(*this, &id)) return false;
    command.SwitchId = last.SwitchId = id;
    return true;
  }
  case mcChangeGraphic: {
    TFormSelChar picker(this);
    picker.setWindowTitle(QStringLiteral("Change Graphic"));
    picker.FileName = GraphicName;
    picker.CharIndex = GraphicIndex;
    if (!OpenModal(picker)) return false;
    command.GraphicName = GraphicName = last.GraphicName = picker.FileName;
    command.GraphicIndex = GraphicIndex = last.GraphicIndex = picker.CharIndex;
    return true;
  }
  case mcPlaySound: {
    TFormSelSound picker(this);
    picker.setWindowTitle(QStringLiteral("Play Sound Effect"));
    picker.Sound.FileName = last.SoundName;
    picker.Sound.Volume = last.Volume;
    picker.Sound.Tempo = last.Tempo;
    picker.Sound.Balance = last.Balance;
    if (!OpenModal(picker)) return false;
    command.SoundName = last.SoundName = picker.Sound.FileName;
    command.Volume = last.Volume = picker.Sound.Volume;
    command.Tempo = last.Tempo = picker.Sound.Tempo;
    command.Balance = last.Balance = picker.Sound.Balance;
    return true;
  }
  default:
    return true;
  }
}

void TFormEDMoveRoute::AddCommand(const TXelMoveRouteItem& command) {
  const int line = SelectedLine();
  if (InsertMoveCommand(route_, line, command)) ShowRoute(line);
}

void TFormEDMoveRoute::ButtonList1Click(int index) {
  if (index < 0 || index >= static_cast<int>(MoveButtons.size())) return;
  if (route_.GetCount() >= MaxMoveCommands) return;
  TXelMoveRouteItem command;
  command.Code = MoveButtons[static_cast<size_t>(index)].Code;
  if (PickDetails(command)) AddCommand(command);
}

void TFormEDMoveRoute::ButtonList2Click(int index) {
  if (index == 0) {
    MenuDeleteClick();
  } else if (index == 1 && route_.GetCount() > 0) {
    ClearMoveCommands(route_);
    ShowRoute(0);
  }
}

void TFormEDMoveRoute::ComboBox1Change(int index) {
  if (index >= 0 && index < static_cast<int>(targetIds_.size()))
    targetId_ = targetIds_[static_cast<size_t>(index)];
}

void TFormEDMoveRoute::PopupMenu1Popup() {
  const TMoveRouteState state =
      MoveRouteState(route_, SelectedLine(), Clipboard().HasFormat(cfMoveCommand));
  MenuCut->setEnabled(state.Cut);
  MenuCopy->setEnabled(state.Copy);
  MenuPaste->setEnabled(state.Paste);
  MenuDelete->setEnabled(state.Delete);
}

void TFormEDMoveRoute::MenuCutClick() {
  MenuCopyClick();
  MenuDeleteClick();
}

void TFormEDMoveRoute::MenuCopyClick() {
  std::vector<uint8_t> block = CopyMoveCommand(route_, SelectedLine());
  if (!block.empty()) Clipboard().SetData(cfMoveCommand, std::move(block));
}

void TFormEDMoveRoute::MenuPasteClick() {
  const int line = SelectedLine();
  if (PasteMoveCommand(route_, line, ClipboardBytes(cfMoveCommand))) ShowRoute(line);
}

void TFormEDMoveRoute::MenuDeleteClick() {
  const int line = SelectedLine();
  if (DeleteMoveCommand(route_, line)) ShowRoute(line);
}

VELMORA_REGISTER_FORM(TFormEDMoveRoute, TFormGroup::Dialog, 0, LastUsedRecord<TMoveRouteMemory>());
