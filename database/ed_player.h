// The "Hero" page of the database window: names, levels, walk and face graphics with
// their previews, the parameter and experience curves, initial equipment, options, the
// learned skills and the condition and attribute ranks of every hero.
#pragma once

#include <array>
#include <vector>

#include "core/glimra_sheet.h"
#include "core/hero_records.h"
#include "database/database_page.h"

class QComboBox;
class QLabel;
class QMenu;
class QTimer;
class TDialEdit;
class TMarkListBox;
class TReportList;
class TScrollFrame;
class TGlimraBoard;

class TFormEDPlayer : public TFormDataBasePage<TXelPlayerItem> {
  Q_OBJECT
public:
  explicit TFormEDPlayer(QWidget* parent = nullptr);
  ~TFormEDPlayer() override;

  void RefreshEntryControls() override;

  // The walk preview as it stands after the timer ticks so far (56 x 64), and the face
  // preview (96 x 96).
  void DrawWalkPreview(TGlimraBoard& board);
  void DrawFacePreview(TGlimraBoard& board);
  void Timer1Timer();

  void Button1Click();
  void Button2Click();
  void Button3Click();
  void ParameterDblClick(int parameter);
  void EquipmentChange(int slot);
  void PopupMenu1Popup();
  void MenuLearningItemEditClick();
  void MenuLearningItemDeleteClick();

protected:
  void UpdateOwnControls() override;
  void BoundValueChanged(QWidget* control) override;

private:
  QTimer* Timer1 = nullptr;
  TReportList* ListView1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* Menu_LearningItemEdit = nullptr;
  QAction* Menu_LearningItemDelete = nullptr;

  void FillEquipment();
  void FillLearnedSkills(bool reset);
  void LoadPreviews();
  void RedrawGraphs();
  void ParameterPaint(int parameter, QPainter& canvas);
  void LevelChange(bool initial);
  void RankChange(bool conditions);

  TGlimraSheet walkSheet_;
  TGlimraSheet faceSheet_;
  int counter_ = 0;
  // Per equipment slot: the item id of each combo line, line 0 standing for none.
  std::array<std::vector<int>, HeroEquipmentSlots> equipmentIds_;

  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
  TScrollFrame* ScrollFrame1;
  TScrollFrame* ScrollFrame2;
  std::array<TScrollFrame*, HeroParameterCount> Parameters;
  QLabel* Panel2;
  QLabel* Label2;
  std::array<QComboBox*, HeroEquipmentSlots> EquipmentCombos;
  TMarkListBox* MarkListBox1;
  TMarkListBox* MarkListBox2;
};
