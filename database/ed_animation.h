// The "Battle Animation" page: the frames of an animation edited cell by cell on a stage
// around a test victim, its sound-and-flash timings, the tools over many frames and the
// playback.
#pragma once

#include <QImage>
#include <memory>

#include "core/animation_edit.h"
#include "core/animation_graphic.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "database/database_page.h"

class QComboBox;
class QListWidget;
class QMenu;
class QMouseEvent;
class TDashBox;
class TMobileHint;
class TReportList;
class TScrollFrame;
class TWheelMaster;

class TFormEDAnimation : public TFormDataBasePage<TXelAnimationItem> {
  Q_OBJECT
public:
  explicit TFormEDAnimation(QWidget* parent);
  ~TFormEDAnimation() override;

  void DataModified() override;
  void RefreshEntryControls() override;

  // The frame shown on the stage (0-based), -1 when none.
  int CurrentFrame() const;
  TXelAnimationCell* CurrentCells() const;
  const TStageGeometry& Geometry() const { return geometry_; }

  void DashBox1Click();
  void DashBox2Click();
  void ListBox1Click();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void PopupMenu1Popup();
  void Menu_TimingItemEditClick();
  void Menu_TimingItemCutClick();
  void Menu_TimingItemCopyClick();
  void Menu_TimingItemPasteClick();
  void Menu_TimingItemDeleteClick();
  void FrameListPopupMenuPopup();
  void Menu_FrameCopyClick();
  void Menu_FramePasteClick();
  void Menu_FrameClearClick();
  void Menu_FrameCutClick();
  void Menu_FrameInsertClick();
  void Menu_FrameDeleteClick();

  // The stage, in its client co-ordinates.
  void AnimationAreaMouseDown(QMouseEvent* event);
  void AnimationAreaMouseMove(QMouseEvent* event);
  void AnimationAreaMouseUp(QMouseEvent* event);
  void AnimationAreaDblClick();
  void PatternAreaMouseDown(QMouseEvent* event);
  void CellPopupMenuPopup();
  void Menu_CellItemPropertyClick();
  void Menu_CellItemCutClick();
  void Menu_CellItemCopyClick();
  void Menu_CellItemPasteClick();
  void Menu_CellItemDeleteClick();
  void Menu_CellItemUpClick();
  void Menu_CellItemDownClick();
  void Menu_ArrowKeyClick(int direction);
  void Menu_ShiftArrowKeyClick(int direction);

  TAnimationStage Stage;
  int SelectedPattern = 0;
  // The playback's clock; tests put a fake one in.
  TPlaybackClock PlaybackClock;
  std::unique_ptr<TXelAnimationGraphic> Player;
  TGlimraSheet VictimSheet;

protected:
  void BindEntry(TCatalogItem* entry) override;
  void BoundValueChanged(QWidget* control) override;

private:
  void RefreshFrameList();
  void FillTimings(bool reset);
  void SelectTiming(const TXelAnimationTimingItem* timing);
  void ReloadImages();
  void ReloadVictim();
  // Sets NeedsSerialize before an edit that does not pass through DataModified first.
  void WillEdit();
  template <class Tool> void RunTool(int x, int y);
  int SnapStep() const;
  TPoint StagePoint(QPoint client) const;
  void DrawStage(TGlimraBoard& board);
  void DrawPalette(QPainter& canvas);
  void ShowCellMenu();
  void CellsChanged();
  QAction* AddAction(QWidget* owner, QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& key);

  TStageGeometry geometry_;
  int scope_ = 0;
  int yLine_ = 1;
  int victim_ = 0;
  bool snap_ = true;
  bool pasteAtMenu_ = false;
  bool playing_ = false;
  TGlimraBoard stageBoard_;
  TGlimraBoard paletteBoard_;
  QImage playbackImage_;

  QMenu* FrameListPopupMenu = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QMenu* CellPopupMenu = nullptr;
  TDashBox* DashBox1 = nullptr;
  TDashBox* DashBox2 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QComboBox* ComboBox3 = nullptr;
  QWidget* CheckBox1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  TReportList* ListView1 = nullptr;
  QWidget* Button1 = nullptr;
  TScrollFrame* AnimationArea = nullptr;
  TScrollFrame* PatternArea = nullptr;
  TWheelMaster* WheelMaster1 = nullptr;
  TWheelMaster* WheelMaster2 = nullptr;
  TMobileHint* Hint = nullptr;
  QAction* Menu_FramePaste = nullptr;
  QAction* Menu_FrameInsert = nullptr;
  QAction* Menu_FrameDelete = nullptr;
  QAction* Menu_TimingItemEdit = nullptr;
  QAction* Menu_TimingItemCut = nullptr;
  QAction* Menu_TimingItemCopy = nullptr;
  QAction* Menu_TimingItemPaste = nullptr;
  QAction* Menu_TimingItemDelete = nullptr;
  QAction* Menu_CellItemProperty = nullptr;
  QAction* Menu_CellItemCut = nullptr;
  QAction* Menu_CellItemCopy = nullptr;
  QAction* Menu_CellItemPaste = nullptr;
  QAction* Menu_CellItemDelete = nullptr;
  QAction* Menu_CellItemUp = nullptr;
  QAction* Menu_CellItemDown = nullptr;
};
