#include "framework/pickers/sel_cell.h"

#include <QEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include "core/cell_picker.h"
#include "core/chip_set_graphic.h"
#include "core/list_picker_kinds.h"
#include "core/material.h"
#include "core/material_image.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/picker_messages.h"
#include "framework/pickers/sel_material_list.h"

VELMORA_REGISTER_FORM(TFormSelChar, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelFace, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelEvChar, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelReplChip, TFormGroup::Dialog, 0);

namespace {

constexpr int ListWidth = 177;
constexpr int CharSheetWidth = 288;
constexpr int CharSheetHeight = 256;
constexpr int FixedEntries = 3; // the chip pages of the event graphic picker
const QColor FrameColor = Qt::white;

// The eight characters at twice their size, each in the given pattern and direction,
// with the selected one framed.
void DrawCharacters(TGlimraBoard& board, TGlimraSheet& sheet, int pattern, int direction,
                    int selected) {
  for (int c = 0; c < CharCount; ++c)
    board.StretchDrawSheet(CharViewRect(c), sheet, CharCellRect(c, pattern, direction));
  DrawSelectionFrame(board, FrameColor, CharViewRect(ShownIndex(selected, CharCount)));
}

} // namespace

// ---- TFormSelCellBase ----

TFormSelCellBase::TFormSelCellBase(QWidget* owner, const char* folder, int sheetWidth,
                                   int sheetHeight)
    : TFormXelBase(owner), folder_(folder) {
  Sheet.SetSize(sheetWidth, sheetHeight);
}

void TFormSelCellBase::BuildLayout(TFormBuilder& b, const std::function<void()>& side) {
  b.Row([&] {
    IconListBox1 = b.Add<TIconListBox>("IconListBox1");
    IconListBox1->setFixedWidth(ListWidth);
    b.Column([&] {
      side();
      b.Stretch();
      b.Row([&] {
        b.Stretch();
        ButtonOk = b.OkButton();
        b.CancelButton();
      });
    });
  });
  On(IconListBox1, &QListWidget::currentRowChanged, &TFormSelCellBase::IconListBox1Click);
}

TScrollFrame* TFormSelCellBase::AddView(TFormBuilder& b, const char* name, int width, int height) {
  const int index = static_cast<int>(views_.size());
  auto* view = b.Add<TScrollFrame>(name);
  views_.push_back(view);
  view->HorzScrollBar()->SetVisible(false);
  view->VertScrollBar()->SetVisible(false);
  view->setFixedSize(width + 2 * view->frameWidth(), height + 2 * view->frameWidth());
  OnPaint(view, [=, this](QPainter& canvas) {
    TGlimraBoard board;
    board.SetSize(width, height);
    DrawView(index, board);
    canvas.drawImage(QRect(QPoint(0, 0), view->ClientSize()), BoardToImage(board));
  });
  On(view, &TScrollFrame::MouseDown, [=, this](QMouseEvent* event) {
    view->setFocus();
    // The board is stretched over the client area.
    const QSize client = view->ClientSize();
    if (client.isEmpty()) return;
    const QPoint at = event->position().toPoint();
    ViewMouseDown(index, at.x() * width / client.width(), at.y() * height / client.height());
  });
  On(view, &TScrollFrame::DblClick, [this] { ButtonOk->click(); });
  return view;
}

std::vector<std::string> TFormSelCellBase::Entries() {
  std::vector<std::string> items;
  ListMaterialFiles(items, folder_, ImageExtensions);
  return items;
}

int TFormSelCellBase::EntryToSelect(const std::vector<std::string>& entries) {
  return MaterialEntryToSelect(entries, v.FileName);
}

void TFormSelCellBase::FormShow() {
  v.FileName = FileName;
  const std::vector<std::string> entries = Entries();
  {
    TUpdatingScope updating(*this);
    ShowMaterialEntries(IconListBox1, entries, "", DefaultLinesAboveSelection,
                        EntryToSelect(entries));
  }
  EntryChosen(IconListBox1->currentRow(), false);
  UpdateControls();
}

void TFormSelCellBase::IconListBox1Click() {
  EntryChosen(IconListBox1->currentRow(), true);
}

void TFormSelCellBase::EntryChosen(int, bool) {
  v.FileName = SelectedMaterialName(IconListBox1);
  // A missing or unreadable file shows an empty sheet, without a message.
  LoadMaterialSheet(Sheet, v.FileName, folder_, false);
  Repaint();
}

void TFormSelCellBase::Repaint() {
  for (TScrollFrame* view : views_)
    view->viewport()->update();
}

void TFormSelCellBase::FillWithColourZero(TGlimraBoard& board) {
  const uint16_t colour = Sheet.ColorTable()[0];
  for (int y = 0; y < board.GetHeight(); ++y)
    std::fill_n(board.GetRow(y), board.GetWidth(), colour);
}

// ---- TFormSelChar ----

TFormSelChar::TFormSelChar(QWidget* owner)
    : TFormSelCellBase(owner, "CharSet", CharSheetWidth, CharSheetHeight) {
  Sheet.Transparent = true;
  TFormBuilder b(this, "FormSelChar", QStringLiteral("Select Walk Graphic"), 401, 265);
  BuildLayout(b, [&] { AddView(b, "ScrollFrame1", CharViewWidth, CharViewHeight); });
}

void TFormSelChar::FormShow() {
  v.CharIndex = CharIndex;
  TFormSelCellBase::FormShow();
}

void TFormSelChar::ButtonOkClick() {
  FileName = v.FileName;
  CharIndex = v.CharIndex;
  done(mrOk);
}

void TFormSelChar::DrawView(int, TGlimraBoard& board) {
  FillWithColourZero(board);
  DrawCharacters(board, Sheet, DefaultPattern, DefaultDirection, v.CharIndex);
}

void TFormSelChar::ViewMouseDown(int, int x, int y) {
  const int hit = CharIndexAt(x, y);
  if (hit < 0 || hit == v.CharIndex) return;
  v.CharIndex = hit;
  Repaint();
}

// ---- TFormSelFace ----

TFormSelFace::TFormSelFace(QWidget* owner)
    : TFormSelCellBase(owner, "FaceSet", FaceViewSize, FaceViewSize) {
  TFormBuilder b(this, "FormSelFace", QStringLiteral("Select Face Graphic"), 401, 265);
  BuildLayout(b, [&] { AddView(b, "ScrollFrame1", FaceViewSize, FaceViewSize); });
}

void TFormSelFace::FormShow() {
  v.FaceIndex = FaceIndex;
  TFormSelCellBase::FormShow();
}

void TFormSelFace::ButtonOkClick() {
  FileName = v.FileName;
  FaceIndex = v.FaceIndex;
  done(mrOk);
}

void TFormSelFace::DrawView(int, TGlimraBoard& board) {
  board.DrawSheet(0, 0, Sheet, Sheet.GetBoundsRect());
  DrawSelectionFrame(board, FrameColor, FaceRect(ShownIndex(v.FaceIndex, FaceCount)));
}

void TFormSelFace::ViewMouseDown(int, int x, int y) {
  const int hit = FaceIndexAt(x, y);
  if (hit < 0 || hit == v.FaceIndex) return;
  v.FaceIndex = hit;
  Repaint();
}

// ---- TFormSelEvChar ----

TFormSelEvChar::TFormSelEvChar(QWidget* owner)
    : TFormSelCellBase(owner, "CharSet", CharSheetWidth, CharSheetHeight) {
  Sheet.Transparent = true;
  const char* captions[7] = {"Up", "Right", "Down", "Left", "LEFT", "MIDDLE", "RIGHT"};
  auto radios = [&](TFormBuilder& b, const char* group, int first, int count) {
    b.Group(group, QString(), [&] {
      for (int i = first; i < first + count; ++i) {
        RadioButtons[i] = b.Add<QRadioButton>(("RadioButton" + std::to_string(i + 1)).c_str(),
                                              QString::fromLatin1(captions[i]));
        RadioButtons[i]->installEventFilter(this);
        On(RadioButtons[i], &QRadioButton::clicked, [this, i] { RadioButtonClick(i); });
      }
    });
  };
  TFormBuilder b(this, "FormSelEvChar", QStringLiteral("Select Graphic"), 401, 345);
  BuildLayout(b, [&] {
    Panel1 = b.Group("Panel1", QString(), [&] {
      AddView(b, "ScrollFrame1", CharViewWidth, CharViewHeight);
      b.Row([&] {
        radios(b, "GroupBoxDirection", 0, DirectionCount);
        radios(b, "GroupBoxPattern", DirectionCount, PatternCount);
      });
    });
    Panel2 = b.Group("Panel2", QString(),
                     [&] { AddView(b, "ScrollFrame2", ChipPageWidth, ChipPageHeight); });
  });
  // The two panels take turns in one place: the form is laid out for the larger, so it
  // neither grows nor leaves empty room when the author switches between them.
  const QSize both = Panel1->sizeHint().expandedTo(Panel2->sizeHint());
  Panel1->setMinimumSize(both);
  Panel2->setMinimumSize(both);
  Panel2->hide();
}

std::vector<std::string> TFormSelEvChar::Entries() {
  std::vector<std::string> entries(std::begin(SChipSetPages), std::end(SChipSetPages));
  const std::vector<std::string> names = TFormSelCellBase::Entries();
  entries.insert(entries.end(), names.begin(), names.end());
  return entries;
}

int TFormSelEvChar::EntryToSelect(const std::vector<std::string>& entries) {
  if (v.FileName.empty()) return ChipPageOf(v.ChipId);
  // A walk graphic found nowhere opens the first chip page.
  return std::max(FindMaterialEntry(entries, v.FileName, FixedEntries), 0);
}

void TFormSelEvChar::FormShow() {
  v.CharIndex = CharIndex;
  v.Direction = Direction;
  v.Pattern = Pattern;
  v.ChipId = ChipId;
  TFormSelCellBase::FormShow();
  TUpdatingScope updating(*this);
  RadioButtons[ShownIndex(v.Direction, DirectionCount)]->setChecked(true);
  RadioButtons[DirectionCount + ShownIndex(v.Pattern, PatternCount)]->setChecked(true);
}

void TFormSelEvChar::ButtonOkClick() {
  FileName = v.FileName;
  CharIndex = v.CharIndex;
  Direction = v.Direction;
  Pattern = v.Pattern;
  ChipId = v.ChipId;
  done(mrOk);
}

int TFormSelEvChar::Page() const {
  return std::clamp(IconListBox1->currentRow(), 0, ChipPageCount - 1);
}

void TFormSelEvChar::EntryChosen(int index, bool byAuthor) {
  const bool character = index >= FixedEntries;
  Panel1->setVisible(character);
  Panel2->setVisible(!character);
  if (character) {
    TFormSelCellBase::EntryChosen(index, byAuthor);
    return;
  }
  v.FileName.clear();
  // The chip keeps its place on the new page; showing moves nothing.
  if (byAuthor) v.ChipId = ChipIdOnPage(index, v.ChipId);
  Repaint();
}

void TFormSelEvChar::DrawView(int view, TGlimraBoard& board) {
  if (view == 0) {
    FillWithColourZero(board);
    DrawCharacters(board, Sheet, v.Pattern, v.Direction, v.CharIndex);
    return;
  }
  const int page = Page();
  // Without a chipset the page stays empty; the frame still shows the place chosen.
  if (ChipSetGraphic) {
    ChipSetGraphic->SetTransparent(false);
    for (int row = 0; row < ChipsPerPage / ChipColumns; ++row)
      for (int column = 0; column < ChipColumns; ++column)
        ChipSetGraphic->DrawChip(board, ChipSize * column, ChipSize * row,
                                 PageChipTileId(page, column, row), 0, false, ChipSize);
  }
  if (ChipPageOf(v.ChipId) == page)
    DrawSelectionFrame(board, FrameColor, ChipRectOnPage(ShownChipId(v.ChipId), page));
}

void TFormSelEvChar::ViewMouseDown(int view, int x, int y) {
  const int hit = view == 0 ? CharIndexAt(x, y) : ChipIdAt(Page(), x, y);
  if (hit < 0) return;
  (view == 0 ? v.CharIndex : v.ChipId) = hit;
  Repaint();
}

void TFormSelEvChar::RadioButtonClick(int index) {
  if (index < DirectionCount)
    v.Direction = index;
  else
    v.Pattern = index - DirectionCount;
  Repaint();
}

bool TFormSelEvChar::eventFilter(QObject* watched, QEvent* event) {
  // A double-click on a direction or pattern confirms, as one on the preview does.
  if (event->type() == QEvent::MouseButtonDblClick &&
      std::find(std::begin(RadioButtons), std::end(RadioButtons), watched) !=
          std::end(RadioButtons)) {
    ButtonOk->click();
    return true;
  }
  return TFormSelCellBase::eventFilter(watched, event);
}

// ---- TFormSelReplChip ----

TFormSelReplChip::TFormSelReplChip(QWidget* owner) : TFormXelBase(owner) {
  board_.SetSize(ChipPageWidth, ChipPaletteHeight);
  TFormBuilder b(this, "FormSelReplChip", QStringLiteral("Select Chip"), 320, 290);
  b.Row([&] {
    ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
    b.ButtonColumn(false);
  });
  ScrollFrame1->HorzScrollBar()->SetVisible(false);
  ScrollFrame1->SetBarSizeFixed(true);
  const int edge = 2 * ScrollFrame1->frameWidth();
  ScrollFrame1->setFixedSize(ChipPageWidth + 16 + edge, ChipPageHeight + edge);
  PaintBox1 = new TOpaquePaintBox(ScrollFrame1->viewport());
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setGeometry(0, 0, ChipPageWidth, ChipPaletteHeight);
  WheelMaster = new TWheelMaster(this);
  TScrollFrameBar* bar = ScrollFrame1->VertScrollBar();
  bar->SetIncrement(ChipSize);
  bar->SetRange(ChipPaletteHeight);
  bar->SetPageSize(ChipPageHeight);

  On(ScrollFrame1, &TScrollFrame::Change,
     [this] { PaintBox1->move(0, -ScrollFrame1->VertScrollBar()->Position()); });
  OnPaint(PaintBox1, [this](QPainter& canvas) { canvas.drawImage(0, 0, BoardToImage(board_)); });
  On(PaintBox1, &TOpaquePaintBox::MouseDown, &TFormSelReplChip::PaintBox1MouseDown);
  On(PaintBox1, &TOpaquePaintBox::DblClick, [this] { ButtonOkClick(); });
}

void TFormSelReplChip::DrawChip(int index, bool framed) {
  const TRect cell = ChipRectOnPage(index, -1);
  for (int y = cell.Top; y < cell.Bottom; ++y)
    std::fill_n(board_.GetRow(y) + cell.Left, cell.Width(), uint16_t{0});
  if (ChipSource)
    ChipSource->DrawChip(board_, cell.Left, cell.Top, PaletteChipTileId(Layer, index), 0, false,
                         ChipSize);
  if (framed) DrawSelectionFrame(board_, FrameColor, cell);
}

void TFormSelReplChip::FormShow() {
  chipIndex_ = ChipIndex;
  if (ChipSource) ChipSource->SetTransparent(false);
  const int shown = ShownIndex(chipIndex_, ChipCount);
  for (int i = 0; i < ChipCount; ++i)
    DrawChip(i, i == shown);
  TScrollFrameBar* bar = ScrollFrame1->VertScrollBar();
  bar->SetPageSize(ScrollFrame1->ClientSize().height());
  bar->SetPosition(PaletteScrollFor(chipIndex_, bar->PageSize()));
  bar->Update();
  PaintBox1->update();
}

void TFormSelReplChip::ButtonOkClick() {
  ChipIndex = chipIndex_;
  done(mrOk);
}

void TFormSelReplChip::PaintBox1MouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    WheelMaster->Start(ScrollFrame1);
    return;
  }
  const QPoint at = event->position().toPoint();
  const int hit = ChipIdAt(-1, at.x(), at.y());
  if (hit < 0) return;
  DrawChip(ShownIndex(chipIndex_, ChipCount), false);
  chipIndex_ = hit;
  DrawChip(chipIndex_, true);
  PaintBox1->update();
}
