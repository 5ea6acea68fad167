// The dialogs of the battle-animation page: the frame count, one timing, one cell, and
// the three tools that work over many frames of a copy of the animation. Each holds a
// working object the page assigns into before it opens the dialog and takes back after
// OK.
#pragma once

#include <QColor>
#include <array>
#include <cstdint>
#include <vector>

#include "core/animation_edit.h"
#include "framework/forms/form_xel_base.h"

class QLabel;
class QListWidget;
class TDialEdit;
class TMarkListBox;
class TScrollFrame;
class TSlider;

// What the dialogs remember for the rest of the run.
struct TComplementSettings {
  int FromFrame = 0;
  int ToFrame = LastFrameMark;
  int FromCell = 0;
  int ToCell = 7;
  TComplementItems Items;
  bool operator==(const TComplementSettings&) const = default;
};
struct TManyCellSettings {
  // One mark per frame, never fewer than 1000; grows with a longer animation.
  std::vector<uint8_t> FrameMarks = std::vector<uint8_t>(1000);
  TManyCellValues Values;
  bool operator==(const TManyCellSettings&) const = default;
};
struct TFrameToolSettings {
  int FromFrame = 0;
  int ToFrame = LastFrameMark;
  int PasteStart = 0;
  int Operation = 0; // 0 copy, 1 clear
  bool operator==(const TFrameToolSettings&) const = default;
};
extern int LastTimingFrame;
extern TComplementSettings LastComplement;
extern TManyCellSettings LastManyCell;
extern TFrameToolSettings LastFrameTool;

class TFormEDAnimationFrameMax : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDAnimationFrameMax(QWidget* owner = nullptr);
  // In, and out on OK.
  int FrameCount = 1;
  int CallerData() const { return FrameCount; }
  void FormShow() override;
  void ButtonOkClick() override;

private:
  int count_ = 1;
};

class TFormEDAnimationTiming : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDAnimationTiming(QWidget* owner = nullptr);
  ~TFormEDAnimationTiming() override;
  int FrameCount = 1;
  // Starts at the last frame used; the controls write into it at once.
  TXelAnimationTimingItem Work{0};
  void FormShow() override;
  void DashBox1Click();
  // The sample's colour: the flash, or the work-space colour for none.
  QColor SampleColour() const;

protected:
  void UpdateOwnControls() override;
  void BoundValueChanged(QWidget*) override { Recolour(); }

private:
  void Recolour();
  TDialEdit* DialEdit5;
  TScrollFrame* ScrollFrame1;
};

class TFormEDAnimationCell : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormEDAnimationCell(QWidget* owner = nullptr);
  // Every change of a control reaches it at once.
  TXelAnimationCellItem Work{0};
  void FormShow() override;

protected:
  void BoundValueChanged(QWidget*) override { WriteWork(); }

private:
  void WriteWork();
  struct {
    int Pattern = 1; // shown 1-based
    int Magnification = 100;
    int Transparency = 0;
    int Tone[4] = {100, 100, 100, 100};
  } v;
  TScrollFrame* ScrollFrame1;
};

// The base of the three tools: a working copy of the animation.
class TFormEDAnimationTool : public TFormXelBase {
  Q_OBJECT
public:
  TXelAnimationItem Work{0};

protected:
  using TFormXelBase::TFormXelBase;
  int Frames() const { return std::max(Work.GetFrameCount(), 1); }
  // A remembered frame (0-based, 65535 the last) as the edit shows it.
  int Shown(int frame) const { return std::min(frame, Frames() - 1) + 1; }
  int Remembered(int shown) const {
    return shown >= Frames() ? LastFrameMark : std::max(shown - 1, 0);
  }
};

class TFormEDAnimationComplement : public TFormEDAnimationTool {
  Q_OBJECT
public:
  explicit TFormEDAnimationComplement(QWidget* owner = nullptr);
  void FormShow() override;
  void ButtonOkClick() override;

private:
  struct {
    int From = 1, To = 1, FromCell = 1, ToCell = 8;
    bool Pattern = true, Magnification = true, Transparency = true;
  } v;
  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
};

class TFormEDAnimationManyCell : public TFormEDAnimationTool {
  Q_OBJECT
public:
  explicit TFormEDAnimationManyCell(QWidget* owner = nullptr);
  void FormShow() override;
  void ButtonOkClick() override;

protected:
  void BoundValueChanged(QWidget*) override;

private:
  TManyCellValues v;
  int pattern_ = 1; // shown 1-based
  int tone_[4] = {100, 100, 100, 100};
  TMarkListBox* MarkListBox1;
  TScrollFrame* ScrollFrame1;
};

class TFormEDAnimationFrameTool : public TFormEDAnimationTool {
  Q_OBJECT
public:
  explicit TFormEDAnimationFrameTool(QWidget* owner = nullptr);
  void FormShow() override;
  void ButtonOkClick() override;
  void RadioButton1Click();

private:
  struct {
    int From = 1, To = 1, Start = 1, Operation = 0;
  } v;
  TDialEdit* DialEdit1;
  TDialEdit* DialEdit2;
  TDialEdit* DialEdit3;
};
