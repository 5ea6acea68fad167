// The graphic-cell pickers: one character of a walk graphic, one face of a face graphic,
// an event page's graphic (a character with its direction and pattern, or an upper-layer
// chip), and one chip of the current chipset. Values from the data outside their ranges
// are only shown in range; they come back unchanged unless the author picks another.
#pragma once

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "framework/forms/form_xel_base.h"

class QPushButton;
class QRadioButton;
class TFormBuilder;
class TIconListBox;
class TOpaquePaintBox;
class TScrollFrame;
class TWheelMaster;
class TXelChipSetGraphic;

// A list of walk or face graphics beside a preview of the chosen one, whose cells are
// picked by clicking.
class TFormSelCellBase : public TFormXelBase {
  Q_OBJECT
public:
  // In, and out on OK: the graphic's name.
  std::string FileName;

  void FormShow() override;
  void IconListBox1Click();

protected:
  // What the picker shows; the fields of each picker go in and out.
  struct TValues {
    std::string FileName;
    int CharIndex = 0;
    int FaceIndex = 0;
    int Direction = 2;
    int Pattern = 1;
    int ChipId = 0;
  };

  TFormSelCellBase(QWidget* owner, const char* folder, int sheetWidth, int sheetHeight);
  // The list, then beside it Side (the previews) above the buttons.
  void BuildLayout(TFormBuilder& b, const std::function<void()>& side);
  // A preview of Width x Height board pixels; View counts from 0 in the order added.
  TScrollFrame* AddView(TFormBuilder& b, const char* name, int width, int height);

  // The list's entries: the folder's names, after the fixed entries of a picker.
  virtual std::vector<std::string> Entries();
  virtual int EntryToSelect(const std::vector<std::string>& entries);
  // The author, or the showing (ByAuthor false), chose entry Index.
  virtual void EntryChosen(int index, bool byAuthor);
  virtual void DrawView(int view, TGlimraBoard& board) = 0;
  // A click on a view, in board co-ordinates.
  virtual void ViewMouseDown(int view, int x, int y) = 0;

  void Repaint();
  // The board in the sheet's colour 0.
  void FillWithColourZero(TGlimraBoard& board);

  TValues v;
  TGlimraSheet Sheet;
  TIconListBox* IconListBox1 = nullptr;
  QPushButton* ButtonOk = nullptr;

private:
  const char* folder_;
  std::vector<TScrollFrame*> views_;
};

class TFormSelChar : public TFormSelCellBase {
  Q_OBJECT
public:
  explicit TFormSelChar(QWidget* owner = nullptr);
  int CharIndex = 0;

  std::tuple<std::string, int> CallerData() const { return {FileName, CharIndex}; }
  void FormShow() override;
  void ButtonOkClick() override;

protected:
  void DrawView(int view, TGlimraBoard& board) override;
  void ViewMouseDown(int view, int x, int y) override;
};

class TFormSelFace : public TFormSelCellBase {
  Q_OBJECT
public:
  explicit TFormSelFace(QWidget* owner = nullptr);
  int FaceIndex = 0;

  std::tuple<std::string, int> CallerData() const { return {FileName, FaceIndex}; }
  void FormShow() override;
  void ButtonOkClick() override;

protected:
  void DrawView(int view, TGlimraBoard& board) override;
  void ViewMouseDown(int view, int x, int y) override;
};

// An event page's graphic: "*ChipSet 1".."*ChipSet 3" choose a page of upper-layer chips,
// the walk graphics below them a character. FileName is empty for a chip.
class TFormSelEvChar : public TFormSelCellBase {
  Q_OBJECT
public:
  explicit TFormSelEvChar(QWidget* owner = nullptr);

  int CharIndex = 0;
  int Direction = 2;
  int Pattern = 1;
  int ChipId = 0;
  // In only: the current map's chipset graphic, or nothing.
  TXelChipSetGraphic* ChipSetGraphic = nullptr;

  std::tuple<std::string, int, int, int, int> CallerData() const {
    return {FileName, CharIndex, Direction, Pattern, ChipId};
  }
  void FormShow() override;
  void ButtonOkClick() override;
  void RadioButtonClick(int index);

protected:
  std::vector<std::string> Entries() override;
  int EntryToSelect(const std::vector<std::string>& entries) override;
  void EntryChosen(int index, bool byAuthor) override;
  void DrawView(int view, TGlimraBoard& board) override;
  void ViewMouseDown(int view, int x, int y) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  int Page() const;

  QWidget* Panel1;
  QWidget* Panel2;
  QRadioButton* RadioButtons[7];
};

// One chip of the current chipset's lower or upper layer, for the chip replacement.
class TFormSelReplChip : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormSelReplChip(QWidget* owner = nullptr);

  // In only: the chipset graphic that draws the chips (none: an empty board).
  TXelChipSetGraphic* ChipSource = nullptr;
  // In only: 0 the lower layer, 1 the upper.
  int Layer = 0;
  // In, and out on OK.
  int ChipIndex = 0;

  int CallerData() const { return ChipIndex; }
  void FormShow() override;
  void ButtonOkClick() override;
  void PaintBox1MouseDown(QMouseEvent* event);
  const TGlimraBoard& Board() const { return board_; }

private:
  void DrawChip(int index, bool framed);

  int chipIndex_ = 0;
  TGlimraBoard board_;
  TScrollFrame* ScrollFrame1;
  TOpaquePaintBox* PaintBox1;
  TWheelMaster* WheelMaster;
};
