#include "events/form_ev_cmd_list.h"

#include <QFontMetrics>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>

#include "core/stream.h"
#include "events/form_ev_cmd_base.h"
#include "events/last_used.h"
#include "framework/controls/button_list.h"
#include "framework/controls/window_placement.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"

namespace {

constexpr int ButtonWidth = 181;
constexpr int ButtonHeight = 24;
constexpr int ButtonColumns = 2;
constexpr int ListBorder = 2;
constexpr const char* CaptionEventCommands = "Event Commands";

} // namespace

TEvCmdPalette::TEvCmdPalette(QWidget* owner, std::span<const TPaletteCommand> commands,
                             TPaletteMemory& memory)
    : TFormXelBase(owner), commands_(commands), memory_(memory) {}

TButtonList* TEvCmdPalette::AddButtonList(TFormBuilder& b, const char* name, int page) {
  auto* list = b.Add<TButtonList>(name);
  QStringList captions;
  int widest = 0;
  const auto pageCommands = commands_.subspan(page * PaletteButtonsPerPage, PaletteButtonsPerPage);
  for (const TPaletteCommand& command : pageCommands)
    captions << QStringLiteral(" ") + QString::fromLatin1(command.Caption);
  // Every page has the same buttons: the given width, or wider where the desktop's font
  // needs it for any caption of the palette.
  for (const TPaletteCommand& command : commands_)
    widest = std::max(widest, list->fontMetrics().horizontalAdvance(
                                  QStringLiteral(" ") + QString::fromLatin1(command.Caption)));
  list->SetItems(captions);
  const int width = std::max(ButtonWidth, widest + 8);
  list->SetButtonWidth(width);
  list->SetButtonHeight(ButtonHeight);
  const int rows = PaletteButtonsPerPage / ButtonColumns;
  list->setFixedSize(ButtonColumns * width + 2 * ListBorder, rows * ButtonHeight + 2 * ListBorder);
  On(list, &TButtonList::ButtonClick,
     [this, page](int button) { PressButton(page * PaletteButtonsPerPage + button); });
  lists_.push_back(list);
  return list;
}

void TEvCmdPalette::FormShow() {
  const int page = std::min(memory_.Page(), static_cast<int>(lists_.size()) - 1);
  ShowPage(page);
  lists_[page]->SetFocusedButton(memory_.Button());
  lists_[page]->setFocus();
}

void TEvCmdPalette::PressButton(int index) {
  const int32_t code = commands_[index].Code;
  if (!FindRegisteredForm(TFormGroup::Command, code)) return;
  memory_.Remember(index, static_cast<int>(commands_.size()));
  if (RunCommand(code, this)) done(mrOk);
}

bool TEvCmdPalette::EditByCode() {
  const TXelEventScriptLine* head = ScriptList.GetItem(0);
  if (!head || !PaletteIndexOf(commands_, head->Code)) return false;
  // The palette itself stays hidden.
  return RunCommand(head->Code, parentWidget());
}

bool TEvCmdPalette::RunCommand(int32_t code, const QWidget* reference) {
  auto dialog = CreateRegisteredForm<TFormEvCmdBase>(TFormGroup::Command, code, this);
  if (!dialog) return false;
  CenterFormOver(dialog.get(), reference);
  dialog->ScriptList = &ScriptList;
  HandOver(*dialog);
  const bool ok = OpenModal(*dialog);
  if (dialog->DataChanged) DataChanged = true;
  return ok;
}

std::vector<uint8_t> TEvCmdPalette::CallerData() const {
  TMemoryStream stream;
  ScriptList.SaveToStream(stream);
  return stream.TakeBytes();
}

TFormEvCmdList::TFormEvCmdList(QWidget* owner)
    : TEvCmdPalette(owner, MapEventCommands, LastUsedRecord<TMapPaletteMemory>()) {
  static const char* const pages[][2] = {
      {"TabSheet1", "ButtonList1"}, {"TabSheet2", "ButtonList2"}, {"TabSheet3", "ButtonList3"}};
  TFormBuilder b(this, "FormEvCmdList", QString::fromLatin1(CaptionEventCommands), 401, 449);
  PageControl1 = b.Tabs("PageControl1", [&] {
    for (int page = 0; page < 3; ++page)
      b.Tab(pages[page][0], QString::number(page + 1),
            [&] { AddButtonList(b, pages[page][1], page); });
  });
  b.Row([&] {
    b.Stretch();
    b.CancelButton();
  });
  // Changing the page leaves the focus on the tabs, not on the new page's buttons.
  On(PageControl1, &QTabWidget::currentChanged, [this] { PageControl1->setFocus(); });
}

void TFormEvCmdList::ShowPage(int page) {
  PageControl1->setCurrentIndex(page);
}

void TFormEvCmdList::HandOver(TFormEvCmdBase& dialog) const {
  dialog.EventId = EventId;
  dialog.Event = Event;
  dialog.MapTree = MapTree;
  dialog.Map = Map;
}

TFormEvCmdList2::TFormEvCmdList2(QWidget* owner)
    : TEvCmdPalette(owner, BattleEventCommands, LastUsedRecord<TBattlePaletteMemory>()) {
  TFormBuilder b(this, "FormEvCmdList2", QString::fromLatin1(CaptionEventCommands), 401, 433);
  // A frame around the one button list: a tab control without tabs.
  QTabWidget* frame = b.Tabs(
      "TabControl1", [&] { b.Tab("", QString(), [&] { AddButtonList(b, "ButtonList1", 0); }); });
  frame->setTabBarAutoHide(true);
  b.Row([&] {
    b.Stretch();
    b.CancelButton();
  });
}

void TFormEvCmdList2::HandOver(TFormEvCmdBase& dialog) const {
  dialog.MonsterGroup = MonsterGroup;
}

VELMORA_REGISTER_FORM(TFormEvCmdList, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormEvCmdList2, TFormGroup::Dialog, 0);
