// The "ChipSets" page: per chipset its image, the terrain of each lower chip, the
// passability of the lower and upper chips and the sea animation; and the dialog that
// gives every lower chip one terrain.
#pragma once

#include <array>
#include <string>

#include "core/chip_set_graphic.h"
#include "core/chipset_page.h"
#include "core/chipset_record.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "database/database_page.h"

class QListView;
class QMouseEvent;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolButton;
class TDashBox;
class TOpaquePaintBox;
class TScrollFrame;
class TWheelMaster;

class TFormEDChipSet : public TFormDataBasePage<TXelChipSetItem> {
public:
  explicit TFormEDChipSet(QWidget* parent);
  ~TFormEDChipSet() override;

  // The page's handlers; the timers' ticks may be called directly.
  void DashBox1Click();
  void SeaRadioClick();
  void PageControl1Change();
  void SpeedButtonClick(int tab, TChipEditMode mode);
  void PaintBoxMouseDown(int tab, QMouseEvent* event);
  void PaintBoxMouseMove(int tab, QMouseEvent* event);
  void PaintBoxMouseUp(QMouseEvent* event);
  void Timer1Timer();
  void Timer2Timer();
  void Button1Click();

  int ActiveTab() const;
  TChipEditMode Mode(int tab) const { return modes_[size_t(tab)]; }
  TPoint HoverPos() const { return HoverPos_; }
  int SeaFrame() const { return SeaFrame_; }
  const TGlimraBoard& ChipBoard() const { return ChipBoard_; }
  const TGlimraBoard& SeaBoard() const { return SeaBoard_; }
  TXelChipSetGraphic& ChipGraphic() { return ChipGraphic_; }

protected:
  void BindEntry(TCatalogItem* entry) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void RedrawGrid();
  void RedrawChip(int index);
  void SetHover(TPoint pos);
  // The terrain list and "Set to All..." follow the active tab's mode.
  void ApplyModeControls();
  void ScrollFrameChange(int tab);
  void ScrollFrameResize(int tab);
  void PaintGrid(QPainter& canvas);
  void PaintSea(QPainter& canvas);
  int TerrainIndex() const;
  void SelectTerrain(int index);
  void ChangeChip(int tab, int index, TPoint inCell, bool left);

  TXelChipSetGraphic ChipGraphic_;
  TGlimraSheet LabelSheet;
  TGlimraSheet HighlightSheet;
  TGlimraBoard ChipBoard_;
  TGlimraBoard SeaBoard_;
  TPoint HoverPos_{-1, -1};
  int SeaFrame_ = 0;
  int SavedTerrainIndex = -1;
  std::array<TChipEditMode, 2> modes_{TChipEditMode::Terrain, TChipEditMode::Passing};
  // Set from a left press in "Terrain Type" mode until its release.
  bool painting_ = false;

  QTabWidget* PageControl1;
  std::array<TScrollFrame*, 2> ScrollFrames{};
  std::array<TOpaquePaintBox*, 2> PaintBoxes{};
  std::array<std::array<QToolButton*, 3>, 2> SpeedButtons{};
  TDashBox* DashBox1;
  QListView* ListBox1;
  QPushButton* Button1;
  TScrollFrame* ScrollFrame3;
  TOpaquePaintBox* PaintBox3;
  QTimer* Timer1;
  QTimer* Timer2;
  TWheelMaster* WheelMaster1;
};

// "Set All Chips to...": one terrain for every lower chip.
class TFormEDChipSetGroundAll : public TFormXelBase {
public:
  explicit TFormEDChipSetGroundAll(QWidget* owner = nullptr);

  // In, and out on OK: the terrain's id.
  int Terrain = 1;
  int CallerData() const { return Terrain; }

  void FormShow() override;
  void ButtonOkClick() override;

private:
  int v_ = 1;
};
