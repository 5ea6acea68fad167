#include "database/ed_chipset.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "database/page_pictures.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/sel_material_list.h"

namespace {

TListPosition ChipSetPosition;
// The tab shown when the page was last closed, for the run.
int LastChipTab = ctLower;

const TListPageKind ChipSetPage{[]() -> TCatalog* { return ChipSetList; }, ChipSetModel, cfChipSet,
                                &ChipSetPosition};

using TItem = TXelChipSetItem;

constexpr int HoverInterval = 100;
constexpr int SeaInterval = 200;
constexpr int SeaCounterStep = 12;
constexpr TPoint NoHover{-1, -1};

// The board's pixels as an image, without a copy.
QImage BoardView(TGlimraBoard& board) {
  return QImage(board.Bits(), board.GetWidth(), board.GetHeight(), board.RowStride(),
                QImage::Format_RGB16);
}

} // namespace

TFormEDChipSet::TFormEDChipSet(QWidget* parent) : TFormDataBasePage(parent, 11, ChipSetPage) {
  LoadPictureSheet(LabelSheet, "chip_labels.png");
  LabelSheet.Opacity = LabelOpacity;
  LoadPictureSheet(HighlightSheet, "chip_highlight.png");
  ChipBoard_.SetSize(ChipGridWidth, ChipGridHeight);
  SeaBoard_.SetSize(ChipCellSize, ChipCellSize);

  TFormBuilder b(this, "FormEDChipSet", "ChipSets", PageWidth, PageHeight);
  std::array<QRadioButton*, 4> sea{};
  b.Row([&] {
    DataListColumn(b, "ChipSets Editor", 130);
    PageControl1 = b.Tabs("PageControl1", [&] {
      const char* const tabNames[] = {"TabSheet1", "TabSheet2"};
      const char* const tabCaptions[] = {"Lower Chip", "Upper Chip"};
      const char* const frames[] = {"ScrollFrame1", "ScrollFrame2"};
      const char* const boxes[] = {"PaintBox1", "PaintBox2"};
      const char* const groups[] = {"GroupBox1", "GroupBox2"};
      const char* const buttons[2][3] = {{"SpeedButton1", "SpeedButton2", "SpeedButton3"},
                                         {"SpeedButton4", "SpeedButton5", "SpeedButton6"}};
      const QString captions[2][3] = {{"Terrain Type", "Passing, Block", "Pass 4 Dir."},
                                      {"Passing, Block", "Pass 4 Dir.", "Counter attribute"}};
      for (int tab : {ctLower, ctUpper}) {
        b.Tab(tabNames[tab], tabCaptions[tab], [&] {
          b.Row([&] {
            auto* frame = b.Add<TScrollFrame>(frames[tab]);
            frame->SetOpaque(true);
            frame->HorzScrollBar()->SetVisible(false);
            frame->VertScrollBar()->SetRange(ChipGridRows(tab) * ChipCellSize);
            frame->VertScrollBar()->SetIncrement(ChipCellSize);
            frame->setFixedWidth(ChipGridWidth + 2 * frame->frameWidth() +
                                 frame->verticalScrollBar()->sizeHint().width());
            frame->setMinimumHeight(4 * ChipCellSize);
            frame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
            auto* box = new TOpaquePaintBox(frame->viewport());
            box->setObjectName(boxes[tab]);
            box->setGeometry(0, 0, ChipGridWidth, ChipGridRows(tab) * ChipCellSize);
            box->setMouseTracking(true);
            box->installEventFilter(this);
            ScrollFrames[size_t(tab)] = frame;
            PaintBoxes[size_t(tab)] = box;
            b.Group(groups[tab], "Edit Mode", [&] {
              auto* exclusive = new QButtonGroup(this);
              for (int k = 0; k < 3; ++k) {
                auto* button = b.Add<QToolButton>(buttons[tab][k]);
                button->setText(captions[tab][k]);
                button->setCheckable(true);
                button->setToolButtonStyle(Qt::ToolButtonTextOnly);
                button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
                exclusive->addButton(button);
                SpeedButtons[size_t(tab)][size_t(k)] = button;
              }
              b.Stretch();
            });
          });
        });
      }
    });
    b.Column([&] {
      b.Label("Label1", "Name");
      b.Edit("OverEdit1", Field(&CurrentEntry, &TItem::Name), 20);
      b.Label("Label2", "Select ChipSet Graphic");
      DashBox1 = b.ValueBox("DashBox1", Field(&CurrentEntry, &TItem::Graphic));
      b.Group("GroupBox3", "Terrain", [&] {
        ListBox1 = b.Add<QListView>("ListBox1");
        ListBox1->setModel(&TerrainModel());
        ListBox1->setModelColumn(TCatalogModel::LineColumn);
        ListBox1->setUniformItemSizes(true);
        ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Button1 = b.Button("Button1", "Set to All...");
      });
      b.Group("GroupBox4", "Sea Chips Animation", [&] {
        b.Row([&] {
          ScrollFrame3 = b.Add<TScrollFrame>("ScrollFrame3");
          ScrollFrame3->HorzScrollBar()->SetVisible(false);
          ScrollFrame3->VertScrollBar()->SetVisible(false);
          const int edge = 2 * ScrollFrame3->frameWidth();
          ScrollFrame3->setFixedSize(ChipCellSize + edge, ChipCellSize + edge);
          PaintBox3 = new TOpaquePaintBox(ScrollFrame3->viewport());
          PaintBox3->setObjectName("PaintBox3");
          PaintBox3->setGeometry(0, 0, ChipCellSize, ChipCellSize);
          b.Column([&] {
            b.Group("GroupBox5", "Sequence", [&] {
              b.Radios(Field(&CurrentEntry, &TItem::SeaAnimationType), [&] {
                sea[0] = b.Radio("RadioButtonA1", "1-2-3-2", 0);
                sea[1] = b.Radio("RadioButtonA2", "1-2-3", 1);
              });
            });
            b.Group("GroupBox6", "Speed", [&] {
              b.Radios(Field(&CurrentEntry, &TItem::SeaAnimationSpeed), [&] {
                sea[2] = b.Radio("RadioButtonB1", "Slow Speed", 0);
                sea[3] = b.Radio("RadioButtonB2", "High Speed", 1);
              });
            });
          });
        });
      });
    });
  });
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(HoverInterval);
  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setInterval(SeaInterval);
  WheelMaster1 = new TWheelMaster(this);
  WheelMaster1->setObjectName("WheelMaster1");

  for (int tab : {ctLower, ctUpper}) {
    TScrollFrame* frame = ScrollFrames[size_t(tab)];
    On(frame, &TScrollFrame::Change, [this, tab] { ScrollFrameChange(tab); });
    On(frame, &TScrollFrame::Resize, [this, tab] { ScrollFrameResize(tab); });
    TOpaquePaintBox* box = PaintBoxes[size_t(tab)];
    OnPaint(box, [this](QPainter& canvas) { PaintGrid(canvas); });
    On(box, &TOpaquePaintBox::MouseDown,
       [this, tab](QMouseEvent* event) { PaintBoxMouseDown(tab, event); });
    On(box, &TOpaquePaintBox::MouseMove,
       [this, tab](QMouseEvent* event) { PaintBoxMouseMove(tab, event); });
    On(box, &TOpaquePaintBox::MouseUp, &TFormEDChipSet::PaintBoxMouseUp);
    for (int k = 0; k < 3; ++k) {
      const TChipEditMode mode = tab == ctLower ? TChipEditMode(k) : TChipEditMode(k + 1);
      On(SpeedButtons[size_t(tab)][size_t(k)], &QToolButton::clicked,
         [this, tab, mode] { SpeedButtonClick(tab, mode); });
    }
    SpeedButtons[size_t(tab)][0]->setChecked(true);
  }
  OnPaint(PaintBox3, [this](QPainter& canvas) { PaintSea(canvas); });
  On(PageControl1, &QTabWidget::currentChanged, &TFormEDChipSet::PageControl1Change);
  On(DashBox1, &TDashBox::Clicked, &TFormEDChipSet::DashBox1Click);
  On(Button1, &QPushButton::clicked, &TFormEDChipSet::Button1Click);
  for (QRadioButton* radio : sea)
    On(radio, &QRadioButton::clicked, &TFormEDChipSet::SeaRadioClick);
  On(Timer1, &QTimer::timeout, &TFormEDChipSet::Timer1Timer);
  On(Timer2, &QTimer::timeout, &TFormEDChipSet::Timer2Timer);
  On(WheelMaster1, &TWheelMaster::Scrolled,
     [this] { ScrollFrames[size_t(ActiveTab())]->setFocus(); });

  {
    TUpdatingScope updating(*this);
    PageControl1->setCurrentIndex(LastChipTab);
  }
  SelectTerrain(0);
  ApplyModeControls();
  Start();
  Timer2->start();
}

TFormEDChipSet::~TFormEDChipSet() {
  LastChipTab = ActiveTab();
}

int TFormEDChipSet::ActiveTab() const {
  return PageControl1->currentIndex() == ctUpper ? ctUpper : ctLower;
}

void TFormEDChipSet::BindEntry(TCatalogItem* entry) {
  TFormDataBasePage::BindEntry(entry);
  ChipGraphic_.SetChipSet(CurrentEntry);
  RedrawGrid();
}

void TFormEDChipSet::DashBox1Click() {
  if (!CurrentEntry) return;
  TFormSelChipSet picker(this);
  picker.FileName = CurrentEntry->Graphic;
  if (!picker.ExecuteAt(212, 44)) return;
  CurrentEntry->Graphic = picker.FileName;
  ChipGraphic_.SetChipSet(CurrentEntry);
  UpdateControls();
  RedrawGrid();
  ControlValueChosen(DashBox1);
}

void TFormEDChipSet::SeaRadioClick() {
  SeaFrame_ = 0;
  PaintBox3->update();
  Timer2->start();
}

void TFormEDChipSet::PageControl1Change() {
  PageControl1->setFocus();
  SetHover(NoHover);
  ApplyModeControls();
  RedrawGrid();
}

void TFormEDChipSet::SpeedButtonClick(int tab, TChipEditMode mode) {
  modes_[size_t(tab)] = mode;
  ApplyModeControls();
  RedrawGrid();
  ScrollFrames[size_t(ActiveTab())]->setFocus();
}

void TFormEDChipSet::ApplyModeControls() {
  const bool terrain = Mode(ActiveTab()) == TChipEditMode::Terrain;
  if (terrain == ListBox1->isEnabledTo(this)) {
    // Nothing changes: a selection made meanwhile stays.
  } else if (terrain) {
    EnableControls({ListBox1}, true);
    if (SavedTerrainIndex != -1) SelectTerrain(SavedTerrainIndex);
  } else {
    if (TerrainIndex() != -1) SavedTerrainIndex = TerrainIndex();
    SelectTerrain(-1);
    EnableControls({ListBox1}, false);
  }
  Button1->setEnabled(terrain);
}

int TFormEDChipSet::TerrainIndex() const {
  return ListBox1->selectionModel()->hasSelection() ? ListBox1->currentIndex().row() : -1;
}

void TFormEDChipSet::SelectTerrain(int index) {
  const QModelIndex line = ListBox1->model()->index(index, TCatalogModel::LineColumn);
  if (line.isValid()) {
    ListBox1->setCurrentIndex(line);
    ListBox1->scrollTo(line);
  } else {
    ListBox1->selectionModel()->clear();
  }
}

void TFormEDChipSet::RedrawGrid() {
  const int tab = ActiveTab();
  ChipBoard_.ClearBoard();
  if (CurrentEntry)
    for (int i = 0; i < ChipGridRows(tab) * ChipGridColumns; ++i)
      DrawChipCell(ChipBoard_, ChipGraphic_, *CurrentEntry, tab, Mode(tab), i, HoverPos_,
                   LabelSheet, HighlightSheet);
  for (TOpaquePaintBox* box : PaintBoxes)
    box->update();
}

void TFormEDChipSet::RedrawChip(int index) {
  if (index < 0 || !CurrentEntry) return;
  const int tab = ActiveTab();
  DrawChipCell(ChipBoard_, ChipGraphic_, *CurrentEntry, tab, Mode(tab), index, HoverPos_,
               LabelSheet, HighlightSheet);
  const QRect cell((index % ChipGridColumns) * ChipCellSize,
                   (index / ChipGridColumns) * ChipCellSize, ChipCellSize, ChipCellSize);
  for (TOpaquePaintBox* box : PaintBoxes)
    box->update(cell);
}

void TFormEDChipSet::SetHover(TPoint pos) {
  const int tab = ActiveTab();
  pos = ChipHoverPos(tab, pos);
  if (pos == HoverPos_) return;
  const int old = ChipAtPixel(tab, HoverPos_.X, HoverPos_.Y);
  HoverPos_ = pos;
  const int now = ChipAtPixel(tab, pos.X, pos.Y);
  if (old == now) {
    // Only "Pass 4 Dir." marks a part of the cell: the triangle may have changed.
    if (Mode(tab) == TChipEditMode::FourDirections) RedrawChip(now);
    return;
  }
  RedrawChip(old);
  RedrawChip(now);
}

void TFormEDChipSet::PaintBoxMouseDown(int tab, QMouseEvent* event) {
  if (tab != ActiveTab()) return;
  if (event->button() == Qt::MiddleButton) {
    WheelMaster1->Start(ScrollFrames[size_t(tab)]);
    return;
  }
  const bool left = event->button() == Qt::LeftButton;
  if (!left && event->button() != Qt::RightButton) return;
  ScrollFrames[size_t(tab)]->setFocus();
  // The chip under the press, whatever the last hover was.
  const TPoint at{event->position().toPoint().x(), event->position().toPoint().y()};
  SetHover(at);
  const int index = ChipAtPixel(tab, at.X, at.Y);
  if (index < 0 || !CurrentEntry || (tab == ctUpper && index == 0)) return;
  ChangeChip(tab, index, TPoint{at.X % ChipCellSize, at.Y % ChipCellSize}, left);
}

void TFormEDChipSet::ChangeChip(int tab, int index, TPoint inCell, bool left) {
  TItem& item = *CurrentEntry;
  const auto flags = [&] {
    return tab == ctLower ? item.GetLowerPassability(index) : item.GetUpperPassability(index);
  };
  const auto setFlags = [&](uint8_t value) {
    if (tab == ctLower)
      item.SetLowerPassability(index, value);
    else
      item.SetUpperPassability(index, value);
  };
  switch (Mode(tab)) {
  case TChipEditMode::Terrain:
    if (!left) {
      // Picks the chip's terrain up; the chip stays as it is.
      SelectTerrain(item.GetChipTerrain(index) - 1);
      return;
    }
    if (TerrainIndex() < 0) return;
    item.SetChipTerrain(index, TerrainIndex() + 1);
    painting_ = true;
    break;
  case TChipEditMode::Passing:
    setFlags(NextPassability(flags(), left, SquareAllowed(tab, index)));
    break;
  case TChipEditMode::FourDirections:
    setFlags(uint8_t(flags() ^ TriangleBit(inCell.X, inCell.Y)));
    break;
  case TChipEditMode::Counter:
    setFlags(uint8_t(flags() ^ PassCounter));
    break;
  }
  RedrawChip(index);
  DataModified();
}

void TFormEDChipSet::PaintBoxMouseMove(int tab, QMouseEvent* event) {
  if (tab != ActiveTab()) return;
  const QPoint at = event->position().toPoint();
  SetHover(TPoint{at.x(), at.y()});
  if (!painting_) {
    if (!Timer1->isActive()) Timer1->start();
    return;
  }
  const int index = ChipAtPixel(tab, at.x(), at.y());
  const int terrain = TerrainIndex() + 1;
  if (index < 0 || !CurrentEntry || terrain < 1 || CurrentEntry->GetChipTerrain(index) == terrain)
    return;
  CurrentEntry->SetChipTerrain(index, terrain);
  RedrawChip(index);
  DataModified();
}

void TFormEDChipSet::PaintBoxMouseUp(QMouseEvent*) {
  painting_ = false;
}

bool TFormEDChipSet::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Leave && !painting_ && watched == PaintBoxes[size_t(ActiveTab())]) {
    Timer1->stop();
    GuardHandler(this, [this] { SetHover(NoHover); });
  }
  return TFormDataBasePage::eventFilter(watched, event);
}

void TFormEDChipSet::Timer1Timer() {
  // Catches what no mouse event tells: the grid scrolled under a still mouse, or the
  // mouse left while a drag held it.
  const int tab = ActiveTab();
  TOpaquePaintBox* box = PaintBoxes[size_t(tab)];
  QWidget* viewport = ScrollFrames[size_t(tab)]->viewport();
  const bool over = viewport->rect().contains(viewport->mapFromGlobal(QCursor::pos()));
  if (!over && !painting_) {
    Timer1->stop();
    SetHover(NoHover);
    return;
  }
  const QPoint at = box->mapFromGlobal(QCursor::pos());
  SetHover(TPoint{at.x(), at.y()});
}

void TFormEDChipSet::Timer2Timer() {
  ++SeaFrame_;
  PaintBox3->update();
}

void TFormEDChipSet::PaintSea(QPainter& canvas) {
  SeaBoard_.ClearBoard();
  ChipGraphic_.SetTransparent(false);
  ChipGraphic_.DrawChip(SeaBoard_, 0, 0, 0, SeaFrame_ * SeaCounterStep, false, ChipCellSize);
  canvas.drawImage(0, 0, BoardView(SeaBoard_));
}

void TFormEDChipSet::PaintGrid(QPainter& canvas) {
  canvas.drawImage(0, 0, BoardView(ChipBoard_));
}

void TFormEDChipSet::ScrollFrameChange(int tab) {
  PaintBoxes[size_t(tab)]->move(0, -ScrollFrames[size_t(tab)]->VertScrollBar()->Position());
}

void TFormEDChipSet::ScrollFrameResize(int tab) {
  TScrollFrame* frame = ScrollFrames[size_t(tab)];
  frame->VertScrollBar()->SetPageSize(frame->ClientSize().height());
  ScrollFrameChange(tab);
}

void TFormEDChipSet::Button1Click() {
  if (!CurrentEntry) return;
  TFormEDChipSetGroundAll dialog(this);
  dialog.Terrain = TerrainIndex() + 1;
  if (!dialog.ExecuteAt(212, 220) || dialog.Terrain < 1) return;
  for (int i = 0; i < LowerChipCount; ++i)
    CurrentEntry->SetChipTerrain(i, dialog.Terrain);
  RedrawGrid();
  DataModified();
}

VELMORA_REGISTER_DATABASE_PAGE(TFormEDChipSet, 9);

TFormEDChipSetGroundAll::TFormEDChipSetGroundAll(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDChipSetGroundAll", "Set All Chips to...", 249, 97);
  b.Row([&] {
    b.Column([&] {
      b.Label("Label1", "Terrain");
      CatalogCombo(b, "ComboBox1", TerrainModel(), &v_)->setModelColumn(TCatalogModel::LineColumn);
      b.Stretch();
    });
    b.ButtonColumn(false);
  });
}

void TFormEDChipSetGroundAll::FormShow() {
  v_ = Terrain;
  UpdateControls();
}

void TFormEDChipSetGroundAll::ButtonOkClick() {
  Terrain = v_;
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormEDChipSetGroundAll, TFormGroup::Dialog, 0);
