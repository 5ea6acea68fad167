// The material list pickers: one file of one material folder, chosen from a list of the
// project's and the run-time package's names, with a preview of images. One form serves
// the nine pickers; each class only names its row of the kinds table.
#pragma once

#include <QSize>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/list_picker_kinds.h"
#include "framework/forms/form_xel_base.h"

class QListWidget;
class QPainter;
class QPushButton;
class TFormBuilder;
class TGlimraSheet;
class TIconListBox;
class TScrollFrame;

// Shows Items in List and selects the entry of Name (Name itself, else Name with the
// package mark; entries before First are not names), else entry Fallback; the selection
// then stands LinesAbove lines below the top. Returns the selected entry (-1 for an
// empty list). The list's change signals fire: callers fill it under Updating.
int ShowMaterialEntries(QListWidget* list, const std::vector<std::string>& items,
                        std::string_view name, int linesAbove, int fallback = 0, int first = 0);
// The selected entry without the package mark; Empty when nothing is selected.
std::string SelectedMaterialName(const QListWidget* list, std::string_view empty = {});
// The sheet drawn into a preview of Client size as the picker of Kind shows it.
void DrawMaterialPreview(QPainter& canvas, const TListPickerKind& kind, TGlimraSheet& sheet,
                         QSize client);

class TFormSelMaterialList : public TFormXelBase {
  Q_OBJECT
public:
  ~TFormSelMaterialList() override;

  // In, and out on OK: the material's name without folder, extension or package mark;
  // empty for none.
  std::string FileName;

  std::string CallerData() const { return FileName; }

  void FormShow() override;
  void ButtonOkClick() override;
  void IconListBox1Click();
  void ScrollFrame1Paint(QPainter& canvas);

protected:
  // What the picker shows; FileName and the fields of TFormSelSystem go in and out.
  struct TValues {
    std::string FileName;
    int WallpaperMode = 0;
    int FontIndex = 0;
  };
  // Side builds a picker's own controls below the preview.
  TFormSelMaterialList(const TListPickerKind& kind, QWidget* owner,
                       const std::function<void(TFormBuilder&)>& side = {});

  TValues v;

private:
  const TListPickerKind& kind_;
  std::unique_ptr<TGlimraSheet> sheet_;
  TIconListBox* IconListBox1;
  TScrollFrame* ScrollFrame1 = nullptr;
  QPushButton* ButtonOk;
};

class TFormSelPanorama : public TFormSelMaterialList {
public:
  explicit TFormSelPanorama(QWidget* owner = nullptr);
};
class TFormSelBackdrop : public TFormSelMaterialList {
public:
  explicit TFormSelBackdrop(QWidget* owner = nullptr);
};
class TFormSelBattle : public TFormSelMaterialList {
public:
  explicit TFormSelBattle(QWidget* owner = nullptr);
};
class TFormSelChipSet : public TFormSelMaterialList {
public:
  explicit TFormSelChipSet(QWidget* owner = nullptr);
};
class TFormSelTitle : public TFormSelMaterialList {
public:
  explicit TFormSelTitle(QWidget* owner = nullptr);
};
class TFormSelGameOver : public TFormSelMaterialList {
public:
  explicit TFormSelGameOver(QWidget* owner = nullptr);
};
class TFormSelPicture : public TFormSelMaterialList {
public:
  explicit TFormSelPicture(QWidget* owner = nullptr);
};
class TFormSelMovie : public TFormSelMaterialList {
public:
  explicit TFormSelMovie(QWidget* owner = nullptr);
};

// The system graphic, with how the game shows its wallpaper and which of its two fonts
// it uses.
class TFormSelSystem : public TFormSelMaterialList {
public:
  explicit TFormSelSystem(QWidget* owner = nullptr);

  // 0 "Enlarge to Display", 1 "Tile Display".
  int WallpaperMode = 0;
  // Which of the game's two fonts (0 or 1).
  int FontIndex = 0;

  std::tuple<std::string, int, int> CallerData() const {
    return {FileName, WallpaperMode, FontIndex};
  }

  void FormShow() override;
  void ButtonOkClick() override;
};
