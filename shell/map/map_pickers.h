// Choosing a place or an area on a map: two map views (one cell by a click, a rectangle
// by a drag) and the dialogs built on them, "Set Place" with the map tree beside the view
// and "Set Area" over the map being edited.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <tuple>

#include "core/geometry.h"
#include "core/map_tree.h"
#include "framework/controls/image_buttons.h"
#include "framework/forms/form_xel_base.h"
#include "shell/map/map_viewer.h"

class QLabel;
class TFormBuilder;
class QPushButton;
class TMapTreeView;
class TMenuButton;
class TXelMap;

// A map view in which one cell is chosen by a left click.
class TFormMapPosSetter : public TFormMapViewer {
  Q_OBJECT
public:
  explicit TFormMapPosSetter(QWidget* parent = nullptr);

  // The chosen cell; (-1, -1) for none.
  TPoint Position() const { return position_; }
  // Shows the new cell framed and fires OnChange.
  void SetPosition(TPoint position);

  std::function<void(TFormMapPosSetter*)> OnChange;
  // A double-click on the map.
  std::function<void(TFormMapPosSetter*)> OnDblClick;

  // Another map: no cell is chosen.
  void MapLoaded() override;

protected:
  void PaintBoxMouseDown(QMouseEvent* event) override;
  void PaintOver(QPainter& canvas) override;

private:
  void RepaintPosition();

  TPoint position_{-1, -1};
};

// A map view in which a rectangle of cells is dragged out from a grid corner.
class TFormAreaMaker : public TFormMapViewer {
  Q_OBJECT
public:
  explicit TFormAreaMaker(QWidget* parent = nullptr);

  // Right and bottom exclusive; all 0 for none.
  TAreaRect AreaRect() const { return area_; }
  void SetAreaRect(const TAreaRect& area);
  bool HasArea() const { return area_.Right > area_.Left && area_.Bottom > area_.Top; }
  bool Dragging() const { return dragging_; }

  std::function<void(TFormAreaMaker*)> OnChange;

  // The view scrolls, and an area being dragged follows the corner under the mouse.
  void AutoScrollFrom(QPoint pixel) override;

protected:
  void PaintBoxMouseDown(QMouseEvent* event) override;
  void PaintBoxMouseMove(QMouseEvent* event) override;
  void PaintBoxMouseUp(QMouseEvent* event) override;
  void PaintOver(QPainter& canvas) override;

private:
  // Ends a drag; Cancel also drops the area.
  void StopDrag(bool cancel);
  // The area spans the anchor and the corner nearest Pixel.
  void DragTo(QPoint pixel);
  void RepaintArea(const TAreaRect& area);
  void Changed();

  TAreaRect area_;
  TPoint anchor_;
  bool dragging_ = false;
};

// The three scale buttons of the map pickers (Tags 1, 2, 3: 32, 16, 8 pixels a cell).
class TMapScaleButtons {
public:
  // Builds them in the builder's current container.
  void Build(TFormBuilder& b, TFormXelCommon& form);
  // The button of Tag stays down, the others go up, and View takes its scale.
  void Press(int tag);

  TFormMapViewer* View = nullptr;

private:
  TImageListEx images_;
  std::array<TMenuButton*, 3> buttons_{};
};

class TFormMapSetPlace : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMapSetPlace(QWidget* owner = nullptr);
  ~TFormMapSetPlace() override;

  // In, and out on OK: the map (0 for none) and the cell (-1 for none).
  int32_t MapId = 0;
  int32_t X = -1;
  int32_t Y = -1;
  std::string MapName;
  // Any node may be chosen, the root and areas as themselves.
  uint8_t AllowAnyNode = 0;
  // OK needs a cell.
  uint8_t RequirePosition = 1;
  uint8_t MapLocked = 0;
  // The tree of the caller; its active entry is the same after the dialog as before.
  TXelMapTree* MapTree = nullptr;
  // The map being edited: shown as it is, not as last saved, when its node is chosen.
  const TXelMap* HeldMap = nullptr;

  std::tuple<int32_t, int32_t, int32_t> CallerData() const { return {MapId, X, Y}; }

  // Only the map of the caller's choice may be used: the tree is disabled.
  void SetMapLocked(bool locked);

  void FormShow() override;
  void ButtonOkClick() override;
  void done(int result) override;

private:
  void TreeChange();
  void PositionChange();

  std::unique_ptr<TXelMap> map_;
  TMapTreeView* tree_;
  TFormMapPosSetter* setter_;
  TMapScaleButtons scales_;
  QLabel* Label1;
  QPushButton* ButtonOk;
  int32_t savedActiveId_ = 0;
  bool restoreActive_ = false;
};

class TFormMapSetArea : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMapSetArea(QWidget* owner = nullptr);

  // In, and out on OK.
  TAreaRect AreaRect;
  TXelMapTree* MapTree = nullptr;
  TXelMap* Map = nullptr;

  std::tuple<int32_t, int32_t, int32_t, int32_t> CallerData() const {
    return {AreaRect.Left, AreaRect.Top, AreaRect.Right, AreaRect.Bottom};
  }

  void FormShow() override;
  void ButtonOkClick() override;

private:
  void AreaChange();

  TFormAreaMaker* maker_;
  TMapScaleButtons scales_;
  QLabel* Label1;
  QPushButton* ButtonOk;
};
