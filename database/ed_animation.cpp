#include "database/ed_animation.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <algorithm>

#include "core/bitmap.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/material_image.h"
#include "core/monster_records.h"
#include "core/system_records.h"
#include "database/ed_animation_dialogs.h"
#include "database/report_list.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mobile_hint.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/resource_pictures.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

TListPosition SavedPosition;
TCatalog* AnimationCatalog() {
  return AnimationList;
}
const TListPageKind AnimationPage{&AnimationCatalog, &AnimationModel, cfAnimation, &SavedPosition};

constexpr int StageWidth = 320;
constexpr int StageHeight = 160;
constexpr int PatternCount = AnimationPatternsPerRow * AnimationPatternsPerRow;

// The cell labels: three rows of eight 16 x 16 labels, black transparent.
TGlimraSheet& MarkerSheet() {
  static TGlimraSheet sheet;
  static const bool loaded = [] {
    const QImage image = ResourcePicture("cell_markers.png").convertToFormat(QImage::Format_RGB32);
    TBitmap bitmap;
    bitmap.Reset(TPixelFormat::pf8bit, image.width(), image.height());
    std::vector<QRgb> colours{qRgb(0, 0, 0)};
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y) | 0xFF000000u;
        auto at = std::find(colours.begin(), colours.end(), pixel);
        if (at == colours.end() && colours.size() < 256) at = colours.insert(colours.end(), pixel);
        bitmap.SetIndexAt(x, y, at == colours.end() ? 0 : uint8_t(at - colours.begin()));
      }
    }
    for (size_t k = 0; k < colours.size(); ++k)
      bitmap.Palette()[k] = {uint8_t(qRed(colours[k])), uint8_t(qGreen(colours[k])),
                             uint8_t(qBlue(colours[k])), 0};
    sheet.AutoSize = true;
    sheet.Transparent = true;
    sheet.LoadFromBitmap(bitmap);
    return true;
  }();
  (void)loaded;
  return sheet;
}

void FrameRect(TGlimraBoard& board, const TRect& r, uint32_t colour) {
  const TSurface16 surface = board.Surface();
  const uint16_t value = ColorToRgb565(colour);
  FillRect(surface, TRect{r.Left, r.Top, r.Right, r.Top + 1}, value);
  FillRect(surface, TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom}, value);
  FillRect(surface, TRect{r.Left, r.Top, r.Left + 1, r.Bottom}, value);
  FillRect(surface, TRect{r.Right - 1, r.Top, r.Right, r.Bottom}, value);
}

TRect Offset(TRect r, TPoint by) {
  return TRect{r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y};
}

void DrawLabel(TGlimraBoard& board, TPoint at, int cell, int row) {
  board.DrawSheet(at.X, at.Y, MarkerSheet(), Bounds(cell * 16, row * 16, 16, 16));
}

// Eats the mouse and key input that reaches the program while a playback runs.
class TInputEater : public QObject {
protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return false;
    }
  }
};

} // namespace

TFormEDAnimation::TFormEDAnimation(QWidget* parent)
    : TFormDataBasePage(parent, 9, AnimationPage),
      Player(std::make_unique<TXelAnimationGraphic>()) {
  PlaybackClock.Now = [] {
    static QElapsedTimer timer = [] {
      QElapsedTimer t;
      t.start();
      return t;
    }();
    return static_cast<int64_t>(timer.elapsed());
  };
  PlaybackClock.Sleep = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
  VictimSheet.AutoSize = true;
  VictimSheet.Transparent = true;

  QStringList victims;
  for (int i = 0; MonsterList && i < MonsterList->GetCount(); ++i)
    victims << ToQString(MonsterList->Items(i)->Name);

  TFormBuilder b(this, "FormEDAnimation", "Battle Animation", PageWidth, PageHeight);
  b.Row([&] {
    DataListColumn(b, "Battle Animation", 150);
    b.Column([&] {
      b.Row([&] {
        b.Group("GroupBox1", "Name", [&] {
          b.Edit("OverEdit1", Field(&CurrentEntry, &TXelAnimationItem::Name), 20)
              ->setMinimumWidth(130);
        });
        b.Group("GroupBox2", "Select Battle Animation", [&] {
          DashBox1 = b.ValueBox("DashBox1", Field(&CurrentEntry, &TXelAnimationItem::Graphic));
        });
        b.Group("GroupBox3", "Max Frame", [&] { DashBox2 = b.Add<TDashBox>("DashBox2"); });
      });
      b.Row([&] {
        b.Group("GroupBox5", "Apply Scope", [&] {
          ComboBox2 = b.ComboBox("ComboBox2", {"Single", "All"}, &scope_);
        });
        b.Group("GroupBox6", "Y coord. line", [&] {
          ComboBox3 = b.ComboBox("ComboBox3", {"Head", "Center", "Feet"}, &yLine_);
        });
        b.Group("GroupBox4", "Test Victim",
                [&] { ComboBox1 = b.ComboBox("ComboBox1", victims, &victim_); });
        CheckBox1 = b.CheckBox("CheckBox1", "Snap To", &snap_);
      });
      b.Row([&] {
        AnimationArea = b.Add<TScrollFrame>("AnimationArea");
        b.Group("GroupBox7", "Frame", [&] {
          ListBox1 = b.Add<QListWidget>("ListBox1");
          ListBox1->setFixedWidth(80);
          for (auto [name, caption] :
               {std::pair{"SpeedButton1", "&Back"}, {"SpeedButton2", "&Next"}}) {
            QPushButton* button = b.Button(name, caption);
            button->setFixedWidth(80);
            On(button, &QPushButton::clicked, [this, next = caption[1] == 'N'] {
              next ? SpeedButton2Click() : SpeedButton1Click();
            });
          }
        });
        b.Column([&] {
          Button1 = b.Button("Button1", "Get Prev.");
          On(static_cast<QPushButton*>(Button1), &QPushButton::clicked,
             &TFormEDAnimation::Button1Click);
          On(b.Button("Button2", "Edit..."), &QPushButton::clicked,
             &TFormEDAnimation::Button2Click);
          On(b.Button("Button3", "Complete..."), &QPushButton::clicked,
             &TFormEDAnimation::Button3Click);
          On(b.Button("Button4", "Create All..."), &QPushButton::clicked,
             &TFormEDAnimation::Button4Click);
          On(b.Button("Button5", "Playback"), &QPushButton::clicked,
             &TFormEDAnimation::Button5Click);
          b.Stretch();
        });
      });
      b.Row([&] {
        PatternArea = b.Add<TScrollFrame>("PatternArea");
        b.Group("GroupBox8", "Sound Effect and Flash Timing", [&] {
          ListView1 =
              b.Add<TReportList>("ListView1", QStringList{"Frame", "Select Sound Effect", "Flash"},
                                 std::vector<int>{60, 108, 136});
        });
      });
    });
  });

  // The stage: a 320 x 160 view of a 960 x 800 area, scrolled to its middle.
  AnimationArea->SetBarSizeFixed(true);
  AnimationArea->HorzScrollBar()->SetRange(960);
  AnimationArea->HorzScrollBar()->SetPageSize(StageWidth);
  AnimationArea->HorzScrollBar()->SetPosition(320);
  AnimationArea->VertScrollBar()->SetRange(800);
  AnimationArea->VertScrollBar()->SetPageSize(StageHeight);
  AnimationArea->VertScrollBar()->SetPosition(320);
  // The frame's width is the style's, known once the frame is polished.
  AnimationArea->ensurePolished();
  PatternArea->ensurePolished();
  // The view keeps room for the bars as the style sizes them.
  const int frame = 2 * AnimationArea->frameWidth();
  AnimationArea->setFixedSize(
      StageWidth + frame + AnimationArea->verticalScrollBar()->sizeHint().width(),
      StageHeight + frame + AnimationArea->horizontalScrollBar()->sizeHint().height());
  AnimationArea->SetTabStop(true);
  AnimationArea->SetOpaque(true);
  PatternArea->SetBarSizeFixed(true);
  PatternArea->HorzScrollBar()->SetRange(PatternCount * AnimationPatternSize);
  PatternArea->HorzScrollBar()->SetIncrement(AnimationPatternSize);
  PatternArea->VertScrollBar()->SetVisible(false);
  PatternArea->setFixedHeight(AnimationPatternSize + 2 * PatternArea->frameWidth() +
                              PatternArea->horizontalScrollBar()->sizeHint().height());
  PatternArea->setMinimumWidth(2 * AnimationPatternSize);
  PatternArea->SetTabStop(true);
  PatternArea->SetOpaque(true);
  // The frame (three digits) and flash columns read whole at their widest; the list keeps
  // room for them.
  TXelAnimationTimingItem widest(1);
  QStringList flashes;
  for (const uint8_t scope : {uint8_t(1), uint8_t(2)}) {
    widest.FlashScope = scope;
    flashes << QString::fromStdString(TimingFlashText(widest));
  }
  ListView1->FitColumnTo(0, {QString::fromStdString(FrameLineText(100))});
  ListView1->FitColumnTo(2, flashes);
  ComboBox1->setMaxVisibleItems(12);
  ListView1->setFixedHeight(PatternArea->height() - 20);

  WheelMaster1 = new TWheelMaster(this);
  WheelMaster1->setObjectName("WheelMaster1");
  WheelMaster2 = new TWheelMaster(this);
  WheelMaster2->setObjectName("WheelMaster2");
  Hint = new TMobileHint(this);

  OnPaint(AnimationArea, [this](QPainter& canvas) {
    if (playing_) {
      canvas.drawImage(0, 0, playbackImage_);
      return;
    }
    DrawStage(stageBoard_);
    canvas.drawImage(0, 0, BoardToImage(stageBoard_));
  });
  OnPaint(PatternArea, [this](QPainter& canvas) { DrawPalette(canvas); });
  On(AnimationArea, &TScrollFrame::Change, [this] { RefreshEntryControls(); });
  On(AnimationArea, &TScrollFrame::Enter, [this] { AnimationArea->viewport()->update(); });
  On(AnimationArea, &TScrollFrame::Exit, [this] { AnimationArea->viewport()->update(); });
  On(AnimationArea, &TScrollFrame::MouseDown, &TFormEDAnimation::AnimationAreaMouseDown);
  On(AnimationArea, &TScrollFrame::MouseMove, &TFormEDAnimation::AnimationAreaMouseMove);
  On(AnimationArea, &TScrollFrame::MouseUp, &TFormEDAnimation::AnimationAreaMouseUp);
  On(AnimationArea, &TScrollFrame::DblClick, &TFormEDAnimation::AnimationAreaDblClick);
  On(AnimationArea, &TScrollFrame::KeyDown,
     [this] { Stage.PastePos = StagePoint(QPoint(StageWidth / 2, StageHeight / 2)); });
  On(PatternArea, &TScrollFrame::Change, [this] { PatternArea->viewport()->update(); });
  On(PatternArea, &TScrollFrame::MouseDown, &TFormEDAnimation::PatternAreaMouseDown);
  On(WheelMaster1, &TWheelMaster::Scrolled, [this] { PatternArea->setFocus(); });
  On(WheelMaster2, &TWheelMaster::Scrolled, [this] { AnimationArea->setFocus(); });
  On(DashBox1, &TDashBox::Clicked, &TFormEDAnimation::DashBox1Click);
  On(DashBox2, &TDashBox::Clicked, &TFormEDAnimation::DashBox2Click);
  On(ListBox1, &QListWidget::currentRowChanged, &TFormEDAnimation::ListBox1Click);
  EnableWhen({ComboBox3}, [this] { return CurrentEntry && CurrentEntry->Scope == 0; });

  // The frame list's menu and keys; its shortcuts work only while the list has the focus.
  FrameListPopupMenu = new QMenu(this);
  FrameListPopupMenu->setObjectName("FrameListPopupMenu");
  On(AddAction(ListBox1, FrameListPopupMenu, "Menu_FrameCopy", "&Copy", QKeySequence::Copy),
     &QAction::triggered, &TFormEDAnimation::Menu_FrameCopyClick);
  Menu_FramePaste =
      AddAction(ListBox1, FrameListPopupMenu, "Menu_FramePaste", "&Paste", QKeySequence::Paste);
  On(Menu_FramePaste, &QAction::triggered, &TFormEDAnimation::Menu_FramePasteClick);
  On(AddAction(ListBox1, FrameListPopupMenu, "Menu_FrameClear", "C&lear", Qt::Key_Delete),
     &QAction::triggered, &TFormEDAnimation::Menu_FrameClearClick);
  QAction* cut =
      AddAction(ListBox1, FrameListPopupMenu, "Menu_FrameCut", "Cu&t", QKeySequence::Cut);
  cut->setVisible(false);
  On(cut, &QAction::triggered, &TFormEDAnimation::Menu_FrameCutClick);
  Menu_FrameInsert =
      AddAction(ListBox1, FrameListPopupMenu, "Menu_FrameInsert", "&Insert", Qt::Key_Insert);
  On(Menu_FrameInsert, &QAction::triggered, &TFormEDAnimation::Menu_FrameInsertClick);
  Menu_FrameDelete = AddAction(ListBox1, FrameListPopupMenu, "Menu_FrameDelete", "&Delete",
                               Qt::SHIFT | Qt::Key_Delete);
  On(Menu_FrameDelete, &QAction::triggered, &TFormEDAnimation::Menu_FrameDeleteClick);
  // B and N step through the frames (not with Alt, which reaches the buttons).
  On(AddAction(ListBox1, nullptr, "Action_FrameBack", "", Qt::Key_B), &QAction::triggered,
     &TFormEDAnimation::SpeedButton1Click);
  On(AddAction(ListBox1, nullptr, "Action_FrameNext", "", Qt::Key_N), &QAction::triggered,
     &TFormEDAnimation::SpeedButton2Click);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  On(ListBox1, &QWidget::customContextMenuRequested, [this](const QPoint& at) {
    FrameListPopupMenuPopup();
    FrameListPopupMenu->exec(ListBox1->viewport()->mapToGlobal(at));
  });

  // The timing list's menu; the list turns its keys and clicks into requests.
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  Menu_TimingItemEdit =
      AddAction(nullptr, PopupMenu1, "Menu_TimingItemEdit", "&Edit...", Qt::Key_Return);
  PopupMenu1->setDefaultAction(Menu_TimingItemEdit);
  Menu_TimingItemCut =
      AddAction(nullptr, PopupMenu1, "Menu_TimingItemCut", "Cu&t", QKeySequence::Cut);
  Menu_TimingItemCopy =
      AddAction(nullptr, PopupMenu1, "Menu_TimingItemCopy", "&Copy", QKeySequence::Copy);
  Menu_TimingItemPaste =
      AddAction(nullptr, PopupMenu1, "Menu_TimingItemPaste", "&Paste", QKeySequence::Paste);
  Menu_TimingItemDelete =
      AddAction(nullptr, PopupMenu1, "Menu_TimingItemDelete", "&Delete", Qt::Key_Delete);
  ListView1->PopupMenu = PopupMenu1;
  On(Menu_TimingItemEdit, &QAction::triggered, &TFormEDAnimation::Menu_TimingItemEditClick);
  On(Menu_TimingItemCut, &QAction::triggered, &TFormEDAnimation::Menu_TimingItemCutClick);
  On(Menu_TimingItemCopy, &QAction::triggered, &TFormEDAnimation::Menu_TimingItemCopyClick);
  On(Menu_TimingItemPaste, &QAction::triggered, &TFormEDAnimation::Menu_TimingItemPasteClick);
  On(Menu_TimingItemDelete, &QAction::triggered, &TFormEDAnimation::Menu_TimingItemDeleteClick);
  On(ListView1, &TReportList::EditRequested, &TFormEDAnimation::Menu_TimingItemEditClick);
  On(ListView1, &TReportList::CutRequested, &TFormEDAnimation::Menu_TimingItemCutClick);
  On(ListView1, &TReportList::CopyRequested, &TFormEDAnimation::Menu_TimingItemCopyClick);
  On(ListView1, &TReportList::PasteRequested, &TFormEDAnimation::Menu_TimingItemPasteClick);
  On(ListView1, &TReportList::DeleteRequested, &TFormEDAnimation::Menu_TimingItemDeleteClick);
  On(ListView1, &TReportList::PopupOpening, &TFormEDAnimation::PopupMenu1Popup);

  // The cell menu and the stage's keys, which work only while the stage has the focus, so
  // that the lists and edits keep their arrows and clipboard keys.
  CellPopupMenu = new QMenu(this);
  CellPopupMenu->setObjectName("CellPopupMenu");
  Menu_CellItemProperty =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemProperty", "&Property...", {});
  CellPopupMenu->setDefaultAction(Menu_CellItemProperty);
  Menu_CellItemCut =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemCut", "Cu&t", QKeySequence::Cut);
  Menu_CellItemCopy =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemCopy", "&Copy", QKeySequence::Copy);
  Menu_CellItemPaste =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemPaste", "&Paste", QKeySequence::Paste);
  Menu_CellItemDelete =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemDelete", "&Delete", Qt::Key_Delete);
  CellPopupMenu->addSeparator();
  Menu_CellItemUp =
      AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemUp", "Priority Up", Qt::Key_PageUp);
  Menu_CellItemDown = AddAction(AnimationArea, CellPopupMenu, "Menu_CellItemDown", "Priority Down",
                                Qt::Key_PageDown);
  On(Menu_CellItemProperty, &QAction::triggered, &TFormEDAnimation::Menu_CellItemPropertyClick);
  On(Menu_CellItemCut, &QAction::triggered, &TFormEDAnimation::Menu_CellItemCutClick);
  On(Menu_CellItemCopy, &QAction::triggered, &TFormEDAnimation::Menu_CellItemCopyClick);
  On(Menu_CellItemPaste, &QAction::triggered, &TFormEDAnimation::Menu_CellItemPasteClick);
  On(Menu_CellItemDelete, &QAction::triggered, &TFormEDAnimation::Menu_CellItemDeleteClick);
  On(Menu_CellItemUp, &QAction::triggered, &TFormEDAnimation::Menu_CellItemUpClick);
  On(Menu_CellItemDown, &QAction::triggered, &TFormEDAnimation::Menu_CellItemDownClick);
  const char* keys[] = {"Down", "Left", "Right", "Up"};
  const Qt::Key arrows[] = {Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up};
  for (int d = 0; d < 4; ++d) {
    const QByteArray name = QByteArray("Menu_Key_") + keys[d];
    On(AddAction(AnimationArea, nullptr, name.constData(), "", arrows[d]), &QAction::triggered,
       [this, d] { Menu_ArrowKeyClick(d); });
    const QByteArray shifted = QByteArray("Menu_ShiftKey_") + keys[d];
    On(AddAction(AnimationArea, nullptr, shifted.constData(), "", Qt::SHIFT | arrows[d]),
       &QAction::triggered, [this, d] { Menu_ShiftArrowKeyClick(d); });
  }

  Start();
}

TFormEDAnimation::~TFormEDAnimation() = default;

QAction* TFormEDAnimation::AddAction(QWidget* owner, QMenu* menu, const char* name,
                                     const QString& caption, const QKeySequence& key) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setShortcut(key);
  action->setShortcutContext(Qt::WidgetShortcut);
  if (owner) owner->addAction(action);
  if (menu) menu->addAction(action);
  return action;
}

// ---- binding and refreshing ----

void TFormEDAnimation::BindEntry(TCatalogItem* entry) {
  CurrentEntry = static_cast<TXelAnimationItem*>(entry);
  Stage.SelectedCell = -1;
  Stage.Dragging = false;
  if (CurrentEntry) {
    scope_ = CurrentEntry->Scope;
    yLine_ = CurrentEntry->YLine;
  }
  if (SystemData) {
    if (ComboBox1->count() < SystemData->AnimationTestTarget) SystemData->AnimationTestTarget = 1;
    victim_ = SystemData->AnimationTestTarget - 1;
    snap_ = SystemData->AnimationSnapToGrid != 0;
  }
  {
    TUpdatingScope updating(*this);
    RefreshFrameList();
    ListBox1->setCurrentRow(0);
    FillTimings(true);
  }
  ReloadImages();
  UpdateControls();
  RefreshEntryControls();
}

void TFormEDAnimation::DataModified() {
  if (CurrentEntry) CurrentEntry->NeedsSerialize = 1;
  TFormDataBasePage::DataModified();
}

void TFormEDAnimation::WillEdit() {
  if (CurrentEntry) CurrentEntry->NeedsSerialize = 1;
}

void TFormEDAnimation::RefreshEntryControls() {
  DashBox2->SetText(CurrentEntry ? QString::number(CurrentEntry->GetFrameCount()) : QString());
  if (CurrentEntry) DashBox1->SetText(ToQString(CurrentEntry->Graphic));
  ApplyEnableRules();
  const int scope = CurrentEntry ? CurrentEntry->Scope : 0;
  const int line = CurrentEntry ? CurrentEntry->YLine : 1;
  geometry_ = StageGeometry(AnimationArea->HorzScrollBar()->Position(),
                            AnimationArea->VertScrollBar()->Position(), VictimSheet.Width(),
                            VictimSheet.Height(), scope, line);
  Button1->setEnabled(CurrentFrame() > 0);
  AnimationArea->viewport()->update();
}

void TFormEDAnimation::BoundValueChanged(QWidget* control) {
  if (!CurrentEntry) return;
  const int hv = VictimSheet.Height();
  if (control == ComboBox2) {
    ShiftAllCells(*CurrentEntry, ScopeShift(CurrentEntry->Scope, scope_, CurrentEntry->YLine, hv));
    CurrentEntry->Scope = static_cast<uint8_t>(scope_);
    yLine_ = CurrentEntry->YLine;
    UpdateControls();
  } else if (control == ComboBox3) {
    ShiftAllCells(*CurrentEntry, YLineShift(CurrentEntry->YLine, yLine_, hv));
    CurrentEntry->YLine = static_cast<uint8_t>(yLine_);
  } else if (control == ComboBox1 && SystemData) {
    SystemData->AnimationTestTarget = victim_ + 1;
    ReloadVictim();
  } else if (control == CheckBox1 && SystemData) {
    SystemData->AnimationSnapToGrid = snap_ ? 1 : 0;
  } else if (control == DashBox1) {
    ReloadImages();
  }
  TFormDataBasePage::BoundValueChanged(control);
}

int TFormEDAnimation::CurrentFrame() const {
  if (!CurrentEntry) return -1;
  const int row = ListBox1->currentRow();
  return row >= 0 && row < CurrentEntry->GetFrameCount() ? row : -1;
}

TXelAnimationCell* TFormEDAnimation::CurrentCells() const {
  const int frame = CurrentFrame();
  return frame < 0 ? nullptr : &CurrentEntry->Frames().GetItem(frame)->Cells;
}

void TFormEDAnimation::RefreshFrameList() {
  const int count = CurrentEntry ? CurrentEntry->GetFrameCount() : 0;
  if (ListBox1->count() == count) return;
  TUpdatingScope updating(*this);
  const int row = ListBox1->currentRow();
  ListBox1->setUpdatesEnabled(false);
  ListBox1->clear();
  for (int f = 0; f < count; ++f)
    ListBox1->addItem(QString::fromStdString(FrameLineText(f + 1)));
  ListBox1->setCurrentRow(std::min(std::max(row, 0), count - 1));
  ListBox1->setUpdatesEnabled(true);
}

void TFormEDAnimation::FillTimings(bool reset) {
  std::vector<QStringList> rows;
  if (CurrentEntry) {
    const TXelAnimationTiming& timings = CurrentEntry->Timings;
    rows.reserve(static_cast<size_t>(timings.GetCount()));
    for (int i = 0; i < timings.GetCount(); ++i) {
      const TXelAnimationTimingItem& t = *timings.GetItem(i);
      rows.push_back({QString::fromStdString(FrameLineText(t.Frame)), ToQString(TimingSoundText(t)),
                      QString::fromStdString(TimingFlashText(t))});
    }
  }
  ListView1->Fill(rows, reset);
}

void TFormEDAnimation::SelectTiming(const TXelAnimationTimingItem* timing) {
  const int row = CurrentEntry->Timings.IndexOf(timing);
  ListView1->SetCurrentRow(row);
  ListView1->setFocus();
  if (QTreeWidgetItem* next = ListView1->topLevelItem(row + 1)) ListView1->scrollToItem(next);
}

void TFormEDAnimation::ReloadImages() {
  Player->SetAnimation(CurrentEntry, false);
  ReloadVictim();
  PatternArea->viewport()->update();
}

void TFormEDAnimation::ReloadVictim() {
  VictimSheet.Clear();
  VictimSheet.SetSize(0, 0);
  const TXelMonsterItem* monster =
      MonsterList && SystemData ? MonsterList->FindById(SystemData->AnimationTestTarget) : nullptr;
  if (monster && LoadMaterialSheet(VictimSheet, monster->Graphic, "Monster", false))
    VictimSheet.RotateHue(monster->Hue);
  RefreshEntryControls();
}

// ---- controls ----

void TFormEDAnimation::DashBox1Click() {
  if (!CurrentEntry) return;
  TFormSelBattle picker(this);
  picker.FileName = CurrentEntry->Graphic;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(212, 44); })) return;
  WillEdit();
  CurrentEntry->Graphic = picker.FileName;
  ControlValueChosen(DashBox1);
}

void TFormEDAnimation::DashBox2Click() {
  if (!CurrentEntry) return;
  TFormEDAnimationFrameMax dialog(this);
  dialog.FrameCount = CurrentEntry->GetFrameCount();
  if (!OpenModal(dialog, [&] { return dialog.ExecuteAt(212, 44); })) return;
  CurrentEntry->SetFrameCount(dialog.FrameCount);
  RefreshFrameList();
  DataModified();
}

void TFormEDAnimation::ListBox1Click() {
  RefreshEntryControls();
}

void TFormEDAnimation::SpeedButton1Click() {
  ListBox1->setCurrentRow(std::max(ListBox1->currentRow() - 1, 0));
}

void TFormEDAnimation::SpeedButton2Click() {
  ListBox1->setCurrentRow(std::min(ListBox1->currentRow() + 1, ListBox1->count() - 1));
}

void TFormEDAnimation::Button1Click() {
  const int frame = CurrentFrame();
  if (frame <= 0) return;
  CopyFrame(*CurrentEntry, frame, frame - 1);
  DataModified();
}

template <class Tool> void TFormEDAnimation::RunTool(int x, int y) {
  if (!CurrentEntry) return;
  WillEdit();
  Tool dialog(this);
  dialog.Work.Assign(*CurrentEntry);
  if (!OpenModal(dialog, [&] { return dialog.ExecuteAt(x, y); })) return;
  CurrentEntry->Assign(dialog.Work);
  CurrentEntry->NeedsSerialize = 1;
  // The timing rows stand for the new timings by their index.
  FillTimings(false);
  RefreshFrameList();
  DataModified();
}

void TFormEDAnimation::Button2Click() {
  RunTool<TFormEDAnimationFrameTool>(544, 180);
}
void TFormEDAnimation::Button3Click() {
  RunTool<TFormEDAnimationComplement>(440, 190);
}
void TFormEDAnimation::Button4Click() {
  RunTool<TFormEDAnimationManyCell>(232, 110);
}

void TFormEDAnimation::Button5Click() {
  if (!CurrentEntry) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TInputEater eater;
  qApp->installEventFilter(&eater);
  TGlimraBoard board;
  board.SetSize(StageWidth, StageHeight);
  TGlimraSheet screen;
  screen.SetSize(StageWidth, StageHeight);
  screen.UpdateColorTable();
  Player->BuildFlashTables(false);
  const int count = CurrentEntry->GetFrameCount();
  const TPoint origin = geometry_.Origin;
  const TPoint victim{origin.X + geometry_.VictimOffset.X, origin.Y + geometry_.VictimOffset.Y};
  playing_ = true;
  RunPlayback(
      count, PlaybackClock,
      [&](int f) {
        Player->ApplyScreenFlash(screen, f);
        board.DrawSheet(0, 0, screen, screen.GetBoundsRect());
        VictimSheet.Tone1.Reset(false);
        VictimSheet.Tone2.Reset(false);
        Player->ApplyTargetFlash(VictimSheet, f);
        Player->ApplyScreenFlash(VictimSheet, f);
        board.DrawSheet(victim.X, victim.Y, VictimSheet, VictimSheet.GetBoundsRect());
        if (f >= 0 && f < count) {
          Player->PlayFrameSounds(f);
          Player->DrawFrame(board, origin.X, origin.Y, f);
        }
      },
      [&](int) {
        playbackImage_ = BoardToImage(board);
        AnimationArea->viewport()->repaint();
      });
  playing_ = false;
  // What the author clicked or typed meanwhile is dropped, not run afterwards.
  QCoreApplication::processEvents();
  qApp->removeEventFilter(&eater);
  VictimSheet.Tone1.Reset();
  VictimSheet.Tone2.Reset();
  AnimationArea->viewport()->update();
  QApplication::restoreOverrideCursor();
}

// ---- timings ----

void TFormEDAnimation::PopupMenu1Popup() {
  const bool entry = ListView1->OnEntryRow();
  const bool room = CurrentEntry && CurrentEntry->Timings.GetCount() < MaxAnimationTimings;
  Menu_TimingItemEdit->setEnabled(ListView1->CurrentRow() >= 0 && (entry || room));
  Menu_TimingItemCut->setEnabled(entry);
  Menu_TimingItemCopy->setEnabled(entry);
  Menu_TimingItemPaste->setEnabled(ListView1->CurrentRow() >= 0 && room &&
                                   Clipboard().HasFormat(cfAnimationTiming));
  Menu_TimingItemDelete->setEnabled(entry);
}

void TFormEDAnimation::Menu_TimingItemEditClick() {
  PopupMenu1Popup();
  if (!Menu_TimingItemEdit->isEnabled()) return;
  TXelAnimationTiming& timings = CurrentEntry->Timings;
  const int row = ListView1->CurrentRow();
  WillEdit();
  TFormEDAnimationTiming dialog(this);
  dialog.FrameCount = CurrentEntry->GetFrameCount();
  if (row < timings.GetCount()) dialog.Work.Assign(*timings.GetItem(row));
  if (!OpenModal(dialog, [&] { return dialog.ExecuteAt(304, 80); })) return;
  TXelAnimationTimingItem* timing =
      row < timings.GetCount() ? timings.GetItem(row) : timings.Append();
  timing->Assign(dialog.Work);
  SortTimings(timings);
  FillTimings(false);
  SelectTiming(timing);
  DataModified();
}

void TFormEDAnimation::Menu_TimingItemCutClick() {
  PopupMenu1Popup();
  if (!Menu_TimingItemCut->isEnabled()) return;
  Menu_TimingItemCopyClick();
  Menu_TimingItemDeleteClick();
}

void TFormEDAnimation::Menu_TimingItemCopyClick() {
  PopupMenu1Popup();
  if (!Menu_TimingItemCopy->isEnabled()) return;
  CurrentEntry->Timings.GetItem(ListView1->CurrentRow())->CopyToClipboard(cfAnimationTiming);
}

void TFormEDAnimation::Menu_TimingItemPasteClick() {
  PopupMenu1Popup();
  if (!Menu_TimingItemPaste->isEnabled()) return;
  TXelAnimationTimingItem pasted(0);
  if (!pasted.PasteFromClipboard(cfAnimationTiming)) return;
  WillEdit();
  TXelAnimationTimingItem* timing = CurrentEntry->Timings.Append();
  timing->Assign(pasted);
  SortTimings(CurrentEntry->Timings);
  FillTimings(false);
  SelectTiming(timing);
  DataModified();
}

void TFormEDAnimation::Menu_TimingItemDeleteClick() {
  PopupMenu1Popup();
  if (!Menu_TimingItemDelete->isEnabled()) return;
  const int row = ListView1->CurrentRow();
  WillEdit();
  // The row's own timing, as Edit and Copy take it: stored ids need not run 1..n.
  TXelAnimationTiming& timings = CurrentEntry->Timings;
  timings.RemoveAt(timings.GetItem(row)->Id);
  FillTimings(false);
  ListView1->SetCurrentRow(row);
  DataModified();
}

// ---- frames ----

void TFormEDAnimation::FrameListPopupMenuPopup() {
  const int count = CurrentEntry ? CurrentEntry->GetFrameCount() : 0;
  Menu_FramePaste->setEnabled(Clipboard().HasFormat(cfAnimationFrame));
  Menu_FrameInsert->setEnabled(count < MaxInsertFrames);
  Menu_FrameDelete->setEnabled(count > 1);
}

void TFormEDAnimation::Menu_FrameCopyClick() {
  const int frame = CurrentFrame();
  if (frame >= 0) CurrentEntry->Frames().GetItem(frame)->CopyToClipboard(cfAnimationFrame);
}

void TFormEDAnimation::Menu_FramePasteClick() {
  const int frame = CurrentFrame();
  if (frame < 0) return;
  WillEdit();
  if (!CurrentEntry->Frames().GetItem(frame)->PasteFromClipboard(cfAnimationFrame)) return;
  DataModified();
}

void TFormEDAnimation::Menu_FrameClearClick() {
  const int frame = CurrentFrame();
  if (frame < 0) return;
  WillEdit();
  CurrentEntry->Frames().GetItem(frame)->Clear();
  DataModified();
}

void TFormEDAnimation::Menu_FrameCutClick() {
  Menu_FrameCopyClick();
  Menu_FrameClearClick();
}

void TFormEDAnimation::Menu_FrameInsertClick() {
  const int frame = CurrentFrame();
  if (frame < 0 || CurrentEntry->GetFrameCount() >= MaxInsertFrames) return;
  WillEdit();
  InsertFrame(*CurrentEntry, frame);
  RefreshFrameList();
  FillTimings(false);
  DataModified();
}

void TFormEDAnimation::Menu_FrameDeleteClick() {
  const int frame = CurrentFrame();
  if (frame < 0 || CurrentEntry->GetFrameCount() <= 1) return;
  WillEdit();
  DeleteFrame(*CurrentEntry, frame);
  RefreshFrameList();
  FillTimings(false);
  DataModified();
}

// ---- the stage ----

int TFormEDAnimation::SnapStep() const {
  return SystemData && SystemData->AnimationSnapToGrid ? 8 : 1;
}

TPoint TFormEDAnimation::StagePoint(QPoint client) const {
  return {client.x() - geometry_.Origin.X, client.y() - geometry_.Origin.Y};
}

void TFormEDAnimation::DrawStage(TGlimraBoard& board) {
  board.SetSize(StageWidth, StageHeight);
  const TPoint o = geometry_.Origin;
  const TPoint c = geometry_.Centre;
  FrameRect(board, Bounds(c.X - 160, c.Y - 80, 320, 160), 0x808080);
  constexpr uint32_t green = 0x008000;
  if (CurrentEntry && CurrentEntry->Scope == 0)
    FillRect(board.Surface(), Bounds(o.X - 320, o.Y, 640, 1), ColorToRgb565(green));
  FrameRect(board, Bounds(o.X - 320, o.Y - 320, 640, 640), green);
  FrameRect(board, Bounds(o.X - 320, o.Y - 160, 640, 320), green);
  FillRect(board.Surface(), Bounds(o.X, o.Y - 320, 1, 640), ColorToRgb565(green));

  VictimSheet.Tone2.Reset(false);
  VictimSheet.Tone1.SetAll(40, 40, 40, 100, 0, 0, 0, 0);
  board.DrawSheet(o.X + geometry_.VictimOffset.X, o.Y + geometry_.VictimOffset.Y, VictimSheet,
                  VictimSheet.GetBoundsRect());
  VictimSheet.Tone1.Reset();

  const int frame = CurrentFrame();
  if (frame < 0) return;
  if (frame > 0) {
    const TXelAnimationCell& before = CurrentEntry->Frames().GetItem(frame - 1)->Cells;
    for (int i = 0; i < before.GetCount() && i < MaxAnimationCells; ++i) {
      if (!before.GetItem(i)->Visible) continue;
      TRect r = Offset(CellRect(*before.GetItem(i)), o);
      r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      FrameRect(board, r, 0x0000FF);
      DrawLabel(board, {r.Left, r.Top}, i, 2);
    }
  }
  const TXelAnimationCell& cells = CurrentEntry->Frames().GetItem(frame)->Cells;
  const bool focused = AnimationArea->hasFocus();
  for (int i = 0; i < cells.GetCount() && i < MaxAnimationCells; ++i) {
    if (!cells.GetItem(i)->Visible) continue;
    Player->DrawCell(board, o.X, o.Y, false, i, frame);
    const TRect r = Offset(CellRect(*cells.GetItem(i)), o);
    const bool selected = focused && i == Stage.SelectedCell;
    FrameRect(board, r, selected ? 0xFFFFFF : 0xFF0000);
    DrawLabel(board, {r.Left, r.Top}, i, selected ? 1 : 0);
  }
}

void TFormEDAnimation::DrawPalette(QPainter& canvas) {
  const int width = std::max(PatternArea->ClientSize().width(), 1);
  paletteBoard_.SetSize(width, AnimationPatternSize);
  const TSurface16 surface = paletteBoard_.Surface();
  FillRect(surface, Bounds(0, 0, width, AnimationPatternSize),
           ColorToRgb565(Player->GetBackgroundColor()));
  const int scroll = PatternArea->HorzScrollBar()->Position();
  for (int i = 0; i < PatternCount; ++i) {
    const int x = i * AnimationPatternSize - scroll;
    if (x >= width || x + AnimationPatternSize <= 0) continue;
    if (CurrentEntry) Player->DrawPattern(paletteBoard_, x, 0, i);
    FillRect(surface, Bounds(x, AnimationPatternSize - 1, AnimationPatternSize, 1), 0);
    FillRect(surface, Bounds(x + AnimationPatternSize - 1, 0, 1, AnimationPatternSize), 0);
  }
  const int x = SelectedPattern * AnimationPatternSize - scroll;
  DrawSelectionFrame(paletteBoard_, Qt::white,
                     Bounds(x - 1, -1, AnimationPatternSize + 1, AnimationPatternSize + 1));
  canvas.drawImage(0, 0, BoardToImage(paletteBoard_));
}

void TFormEDAnimation::PatternAreaMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    WheelMaster1->Start(PatternArea);
    return;
  }
  PatternArea->setFocus();
  const int pattern = (PatternArea->HorzScrollBar()->Position() + event->position().toPoint().x()) /
                      AnimationPatternSize;
  SelectedPattern = std::clamp(pattern, 0, PatternCount - 1);
  PatternArea->viewport()->update();
}

void TFormEDAnimation::CellsChanged() {
  AnimationArea->viewport()->update();
  DataModified();
}

void TFormEDAnimation::AnimationAreaMouseDown(QMouseEvent* event) {
  TXelAnimationCell* cells = CurrentCells();
  if (event->button() == Qt::MiddleButton) {
    WheelMaster2->Start(AnimationArea);
    return;
  }
  Hint->Hide();
  if (!cells) return;
  // A right press while dragging takes the drag back.
  if (Stage.Dragging) {
    if (event->button() == Qt::RightButton) {
      Stage.UndoDrag(*cells);
      Stage.Dragging = false;
      CellsChanged();
    }
    return;
  }
  AnimationArea->setFocus();
  Stage.Press(*cells, StagePoint(event->position().toPoint()),
              {int(event->globalPosition().x()), int(event->globalPosition().y())},
              event->button() == Qt::LeftButton, event->modifiers() & Qt::ControlModifier,
              SelectedPattern);
  AnimationArea->viewport()->update();
  // A placed cell is an edit; a selection alone is not.
  if (Stage.Placed) DataModified();
}

void TFormEDAnimation::AnimationAreaMouseMove(QMouseEvent* event) {
  TXelAnimationCell* cells = CurrentCells();
  if (!cells || !Stage.Dragging || !(event->buttons() & Qt::LeftButton)) return;
  const bool moved = Stage.Drag(*cells, StagePoint(event->position().toPoint()),
                                event->modifiers() & Qt::ShiftModifier, SnapStep());
  if (Stage.SelectedCell < 0 || Stage.SelectedCell >= cells->GetCount()) return;
  const TXelAnimationCellItem& cell = *cells->GetItem(Stage.SelectedCell);
  Hint->ShowAt(QPoint(Stage.DragScreenPos.X, Stage.DragScreenPos.Y),
               QString::asprintf("%d, %d", cell.X, cell.Y));
  if (moved) {
    AnimationArea->viewport()->repaint();
    DataModified();
  }
}

void TFormEDAnimation::AnimationAreaMouseUp(QMouseEvent* event) {
  Hint->Hide();
  const bool dragged = Stage.Dragging;
  Stage.Dragging = false;
  TXelAnimationCell* cells = CurrentCells();
  if (dragged || event->button() != Qt::RightButton || !cells) return;
  const QPoint client = event->position().toPoint();
  if (!QRect(0, 0, StageWidth, StageHeight).contains(client)) return;
  const TPoint p = StagePoint(client);
  const int s = Stage.SelectedCell;
  const bool onCell =
      s >= 0 && s < cells->GetCount() && CellRect(*cells->GetItem(s)).Contains(p.X, p.Y);
  const bool inSquare = p.X >= -320 && p.X < 320 && p.Y >= -320 && p.Y < 320;
  if (!(onCell || (s < 0 && inSquare))) return;
  Stage.PastePos = p;
  ShowCellMenu();
}

void TFormEDAnimation::AnimationAreaDblClick() {
  // The press of the double-click started a drag that the dialog would leave open.
  Stage.Dragging = false;
  Hint->Hide();
  CellPopupMenuPopup();
  if (Menu_CellItemProperty->isEnabled()) Menu_CellItemPropertyClick();
}

void TFormEDAnimation::ShowCellMenu() {
  CellPopupMenuPopup();
  pasteAtMenu_ = true;
  CellPopupMenu->exec(QCursor::pos());
  pasteAtMenu_ = false;
}

void TFormEDAnimation::CellPopupMenuPopup() {
  const int s = Stage.SelectedCell;
  const TXelAnimationCell* cells = CurrentCells();
  const bool any = s >= 0 && cells;
  Menu_CellItemProperty->setEnabled(any);
  Menu_CellItemCut->setEnabled(any);
  Menu_CellItemCopy->setEnabled(any);
  Menu_CellItemDelete->setEnabled(any);
  Menu_CellItemPaste->setEnabled(cells && Clipboard().HasFormat(cfAnimationCell) &&
                                 FrameHasRoom(*cells));
  Menu_CellItemUp->setEnabled(any && s < MaxAnimationCells - 1);
  Menu_CellItemDown->setEnabled(any && s >= 1);
}

void TFormEDAnimation::Menu_CellItemPropertyClick() {
  CellPopupMenuPopup();
  TXelAnimationCell* cells = CurrentCells();
  const int s = Stage.SelectedCell;
  if (!Menu_CellItemProperty->isEnabled() || s >= cells->GetCount() || !cells->GetItem(s)->Visible)
    return;
  WillEdit();
  TFormEDAnimationCell dialog(this);
  dialog.Work.Assign(*cells->GetItem(s));
  if (!OpenModal(dialog, [&] { return dialog.ExecuteAt(240, 100); })) return;
  cells->GetItem(s)->Assign(dialog.Work);
  CellsChanged();
}

void TFormEDAnimation::Menu_CellItemCutClick() {
  CellPopupMenuPopup();
  if (!Menu_CellItemCut->isEnabled()) return;
  Menu_CellItemCopyClick();
  Menu_CellItemDeleteClick();
}

void TFormEDAnimation::Menu_CellItemCopyClick() {
  CellPopupMenuPopup();
  TXelAnimationCell* cells = CurrentCells();
  if (!Menu_CellItemCopy->isEnabled() || Stage.SelectedCell >= cells->GetCount()) return;
  cells->GetItem(Stage.SelectedCell)->CopyToClipboard(cfAnimationCell);
}

void TFormEDAnimation::Menu_CellItemPasteClick() {
  CellPopupMenuPopup();
  if (!Menu_CellItemPaste->isEnabled()) return;
  TXelAnimationCellItem pasted(0);
  if (!pasted.PasteFromClipboard(cfAnimationCell)) return;
  // From the keyboard the cell lands under the middle of the stage.
  if (!pasteAtMenu_) Stage.PastePos = StagePoint(QPoint(StageWidth / 2, StageHeight / 2));
  WillEdit();
  if (Stage.Paste(*CurrentCells(), pasted, SnapStep())) CellsChanged();
}

void TFormEDAnimation::Menu_CellItemDeleteClick() {
  CellPopupMenuPopup();
  if (!Menu_CellItemDelete->isEnabled()) return;
  WillEdit();
  if (Stage.Delete(*CurrentCells())) CellsChanged();
}

void TFormEDAnimation::Menu_CellItemUpClick() {
  CellPopupMenuPopup();
  if (!Menu_CellItemUp->isEnabled()) return;
  WillEdit();
  if (Stage.PriorityUp(*CurrentCells())) CellsChanged();
}

void TFormEDAnimation::Menu_CellItemDownClick() {
  CellPopupMenuPopup();
  if (!Menu_CellItemDown->isEnabled()) return;
  WillEdit();
  if (Stage.PriorityDown(*CurrentCells())) CellsChanged();
}

void TFormEDAnimation::Menu_ArrowKeyClick(int direction) {
  TXelAnimationCell* cells = CurrentCells();
  if (!cells) return;
  WillEdit();
  if (Stage.Nudge(*cells, direction, SnapStep())) CellsChanged();
}

void TFormEDAnimation::Menu_ShiftArrowKeyClick(int direction) {
  TXelAnimationCell* cells = CurrentCells();
  if (!cells) return;
  WillEdit();
  TAnimationStage::NudgeAll(*cells, direction, SnapStep());
  CellsChanged();
}

VELMORA_REGISTER_DATABASE_PAGE(TFormEDAnimation, 7);
