// The monster-graphic picker: a file of the "Monster" folder and the hue its colours are
// turned by, chosen on a slider over a strip of hues.
#pragma once

#include <QPixmap>
#include <QSize>
#include <memory>
#include <string>
#include <tuple>

#include "core/bitmap.h"
#include "framework/forms/form_xel_base.h"

class QLabel;
class QPainter;
class QPushButton;
class TGlimraSheet;
class TIconListBox;
class TScrollFrame;
class TSlider;

// A board of Client size in the sheet's colour 0 with the sheet centred on it at
// Opacity: how the monster page and the picker show a monster.
void DrawMonsterPreview(QPainter& canvas, TGlimraSheet& sheet, QSize client, int opacity = 255);

class TFormSelMonster : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormSelMonster(QWidget* owner = nullptr);
  ~TFormSelMonster() override;

  // In, and out on OK: the material name and the hue in degrees.
  std::string FileName;
  int Hue = 0;

  std::tuple<std::string, int> CallerData() const { return {FileName, Hue}; }

  void FormShow() override;
  void ButtonOkClick() override;
  void IconListBox1Click();
  void Slider1Change();

private:
  // What the picker shows; the fields take it on OK.
  std::string file_;
  int hue_ = 0;
  std::unique_ptr<TGlimraSheet> sheet_;
  // The palette as loaded: every hue turns it afresh.
  TPalette saved_{};
  bool loading_ = false;
  // The hue strip; the slider moves it under its window.
  QPixmap strip_;
  TIconListBox* IconListBox1 = nullptr;
  TScrollFrame* ScrollFrame1 = nullptr;
  TSlider* Slider1 = nullptr;
  QLabel* Image1 = nullptr;
  QPushButton* ButtonOk = nullptr;
};
