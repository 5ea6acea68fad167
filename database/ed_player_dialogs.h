// The hero page's dialogs: the six parameter curves with their generator, one learned
// skill, and the experience curve.
#pragma once

#include <QColor>
#include <array>
#include <cstdint>
#include <tuple>
#include <vector>

#include "core/hero_curves.h"
#include "core/hero_page.h"
#include "framework/forms/form_xel_base.h"

class QComboBox;
class QGroupBox;
class QMouseEvent;
class QPainter;
class QPushButton;
class QTabBar;
class TDialEdit;
class TScrollFrame;

// A hero's six curves, entry parameter x 50 + level - 1, as the record keeps them.
using THeroCurveTable = std::array<uint16_t, HeroParameterCount * HeroMaxLevel>;

// "Curve of Abilities": the curves by value, by drawing with the mouse, by presets and
// by the generator.
class TFormEDPlayerParameter : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDPlayerParameter(QWidget* owner = nullptr);

  // In, and out on OK.
  THeroCurveTable Curves{};
  THeroCurveTable CallerData() const { return Curves; }
  // The presets' dice (Random(n): 0..n - 1); tests hand a seeded one.
  TRandomSource Random;

  // The curves being edited: 0 outside parameters 0..5 and levels 1..50; writes outside
  // are ignored.
  int GetCurveValue(int parameter, int level) const;
  void SetCurveValue(int parameter, int level, int value);
  // The parameter on show (the tab).
  void SetCurrentTab(int parameter);
  int CurrentTab() const;

  void FormShow() override;
  void ButtonOkClick() override;
  void RefreshValueDisplay();
  void GraphAreaPaint(QPainter& canvas);
  void GraphAreaMouseDown(QMouseEvent* event);
  void GraphAreaMouseMove(QMouseEvent* event);
  void Button1Click();
  void PresetClick(int preset);

private:
  TCurveValues Curve();
  void CurveChanged();
  void Stroke(int x, int y);

  THeroCurveTable values_{};
  TCurveStroke stroke_;
  bool drawing_ = false;
  QTabBar* TabControl;
  TScrollFrame* GraphArea;
  QGroupBox* GroupBox2;
  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
};

// "Create Curve": the level-1 and level-50 values and the growth style for the generator.
class TFormEDPlayerParamGen : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDPlayerParamGen(QWidget* owner = nullptr);

  // In: the range of both values.
  int MinValue = 0;
  int MaxValue = 50;
  // In, and out on OK.
  int FirstValue = 0;
  int LastValue = 0;
  // Out on OK: -2 early .. 8 late growth.
  int GrowthStyle = 3;
  std::tuple<int, int, int> CallerData() const { return {FirstValue, LastValue, GrowthStyle}; }

  void FormShow() override;
  void ButtonOkClick() override;

private:
  struct TValues {
    int First = 0;
    int Style = 3;
    int Last = 0;
  } v;
  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
};

// "Skills": the level and skill of one learned-skill entry. Skills that other entries of
// the hero already learn are not offered.
class TFormEDPlayerLearning : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDPlayerLearning(QWidget* owner = nullptr);
  // Remembers the dialog's level and skill for the next new entry.
  ~TFormEDPlayerLearning() override;

  // In (the last used ones unless the opener sets them), and out on OK; skill 0 when no
  // skill is offered.
  int Level;
  int SkillId;
  std::tuple<int, int> CallerData() const { return {Level, SkillId}; }

  // Another entry learns SkillId; ids outside the skill list are ignored.
  void MarkSkillTaken(int skillId);

  void FormShow() override;
  void ButtonOkClick() override;

private:
  TLearnedSkillOffer offer_;
  std::vector<int> offered_;
  TDialEdit* DialEdit1;
  QComboBox* ComboBox1;
  QPushButton* ButtonOk;
};

// "Curve of Experience": the three numbers of the experience curve with a table and a
// graph of the totals they give.
class TFormEDPlayerExp : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDPlayerExp(QWidget* owner = nullptr);

  // In, and out on OK.
  int Standard = 30;
  int Additional = 30;
  int Corrected = 30;
  std::tuple<int, int, int> CallerData() const { return {Standard, Additional, Corrected}; }

  void FormShow() override;
  void ButtonOkClick() override;
  void ExpListPaint(QPainter& canvas);
  void ExpGraphPaint(QPainter& canvas);

private:
  int Total(int level) const;
  void Redraw();

  struct TValues {
    int Standard = 30;
    int Additional = 30;
    int Corrected = 30;
  } v;
  QTabBar* TabControl2;
  TScrollFrame* ExpList;
  TScrollFrame* ExpGraph;
};

// The colour of a parameter's bars.
QColor ParameterColor(int parameter);
