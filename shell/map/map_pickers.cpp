#include "shell/map/map_pickers.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "core/busy_cursor.h"
#include "core/map.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "shell/common/shell_pictures.h"
#include "shell/map/map_properties.h"
#include "shell/map/map_tree_view.h"
#include "shell/map/map_view_geometry.h"

VELMORA_REGISTER_FORM(TFormMapSetPlace, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormMapSetArea, TFormGroup::Dialog, 0);

namespace {

const QColor DarkGrey(32, 32, 32);
const QColor PaleYellow(255, 255, 128);

// One-pixel rings from the rectangle's edge inwards: Rings[i] at inset Insets[i].
void DrawRings(QPainter& canvas, const TRect& r,
               std::initializer_list<std::pair<int, QColor>> rings) {
  canvas.setBrush(Qt::NoBrush);
  for (const auto& [inset, colour] : rings) {
    const int w = r.Width() - 2 * inset, h = r.Height() - 2 * inset;
    if (w <= 0 || h <= 0) continue;
    canvas.setPen(colour);
    canvas.drawRect(r.Left + inset, r.Top + inset, w - 1, h - 1);
  }
}

TRect CellRect(const TAreaRect& a) {
  return TRect{a.Left, a.Top, a.Right, a.Bottom};
}

// The bar over a picker's view: the scale buttons, the choice in words, OK and Cancel.
void BuildPickerBar(TFormBuilder& b, TFormXelCommon& form, TMapScaleButtons& scales, QLabel*& label,
                    QPushButton*& ok) {
  b.Row([&] {
    scales.Build(b, form);
    label = b.Label("Label1", QString());
    b.Stretch();
    ok = b.OkButton();
    b.CancelButton();
  });
}

int ScaleOfTag(int tag) {
  return 64 >> tag; // 1: 32, 2: 16, 3: 8
}

} // namespace

// ---- TFormMapPosSetter ----

TFormMapPosSetter::TFormMapPosSetter(QWidget* parent) : TFormMapViewer(parent) {
  PaintBox->setCursor(Qt::ArrowCursor);
  On(PaintBox, &TOpaquePaintBox::DblClick, [this] {
    if (OnDblClick) OnDblClick(this);
  });
}

void TFormMapPosSetter::SetPosition(TPoint position) {
  RepaintPosition();
  position_ = position;
  RepaintPosition();
  if (OnChange) OnChange(this);
}

void TFormMapPosSetter::RepaintPosition() {
  if (position_.X < 0 || position_.Y < 0) return;
  RequestRepaint(CellsToPixels(TRect{position_.X, position_.Y, position_.X + 1, position_.Y + 1},
                               ScrollPos(), Scale()));
}

void TFormMapPosSetter::MapLoaded() {
  TFormMapViewer::MapLoaded();
  SetPosition(TPoint{-1, -1});
}

void TFormMapPosSetter::PaintBoxMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    TFormMapViewer::PaintBoxMouseDown(event);
    return;
  }
  setFocus();
  if (event->button() == Qt::LeftButton) SetPosition(CellAt(event->position().toPoint()));
}

void TFormMapPosSetter::PaintOver(QPainter& canvas) {
  if (position_.X < 0 || position_.Y < 0) return;
  const TRect r = CellsToPixels(TRect{position_.X, position_.Y, position_.X + 1, position_.Y + 1},
                                ScrollPos(), Scale());
  DrawRings(canvas, r, {{0, DarkGrey}, {1, Qt::white}, {2, Qt::white}, {3, DarkGrey}});
}

// ---- TFormAreaMaker ----

TFormAreaMaker::TFormAreaMaker(QWidget* parent) : TFormMapViewer(parent) {
  PaintBox->setCursor(ScreenCursor(1));
}

void TFormAreaMaker::SetAreaRect(const TAreaRect& area) {
  RepaintArea(area_);
  area_ = area;
  if (!HasArea()) area_ = {};
  RepaintArea(area_);
}

void TFormAreaMaker::RepaintArea(const TAreaRect& area) {
  if (area.Right > area.Left && area.Bottom > area.Top)
    RequestRepaint(CellsToPixels(CellRect(area), ScrollPos(), Scale()));
}

void TFormAreaMaker::Changed() {
  if (OnChange) OnChange(this);
}

void TFormAreaMaker::PaintBoxMouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    TFormMapViewer::PaintBoxMouseDown(event);
    return;
  }
  if (dragging_) {
    // Another button cancels the drag.
    StopDrag(true);
    return;
  }
  if (event->button() != Qt::LeftButton || !Map()) return;
  setFocus();
  dragging_ = true;
  SetAreaRect({});
  const TPoint corner = CornerAt(event->position().toPoint());
  anchor_ =
      TPoint{std::clamp(corner.X, 0, Map()->Width()), std::clamp(corner.Y, 0, Map()->Height())};
  AutoScrollTimer->start();
  Changed();
}

void TFormAreaMaker::PaintBoxMouseMove(QMouseEvent* event) {
  if (dragging_ && Map()) DragTo(event->position().toPoint());
}

void TFormAreaMaker::AutoScrollFrom(QPoint pixel) {
  TFormMapViewer::AutoScrollFrom(pixel);
  if (dragging_ && Map()) DragTo(pixel);
}

void TFormAreaMaker::DragTo(QPoint pixel) {
  const TPoint corner = CornerAt(pixel);
  const int x = std::clamp(corner.X, 0, Map()->Width());
  const int y = std::clamp(corner.Y, 0, Map()->Height());
  TAreaRect area{std::min(anchor_.X, x), std::min(anchor_.Y, y), std::max(anchor_.X, x),
                 std::max(anchor_.Y, y)};
  if (area.Right == area.Left || area.Bottom == area.Top) area = {};
  if (CellRect(area) == CellRect(area_)) return;
  SetAreaRect(area);
  Changed();
}

void TFormAreaMaker::PaintBoxMouseUp(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) StopDrag(false);
}

void TFormAreaMaker::StopDrag(bool cancel) {
  dragging_ = false;
  AutoScrollTimer->stop();
  if (cancel) SetAreaRect({});
  Changed();
}

void TFormAreaMaker::PaintOver(QPainter& canvas) {
  if (!HasArea()) return;
  const TRect r = CellsToPixels(CellRect(area_), ScrollPos(), Scale());
  DrawRings(canvas, r, {{0, PaleYellow}, {1, DarkGrey}, {4, PaleYellow}, {5, DarkGrey}});
}

// ---- TMapScaleButtons ----

void TMapScaleButtons::Build(TFormBuilder& b, TFormXelCommon& form) {
  for (int tag = 1; tag <= 3; ++tag) {
    images_.Add(ResourcePicture(("picker_scale_" + std::to_string(tag) + ".png").c_str()),
                Qt::transparent);
    auto* button = b.Add<TMenuButton>(("MenuButton" + std::to_string(tag)).c_str());
    button->SetImages(&images_);
    button->SetImageIndex(tag - 1);
    button->setProperty("Tag", tag);
    button->setFixedSize(25, 25);
    buttons_[size_t(tag - 1)] = button;
    form.On(button, &TMenuButton::Clicked, [this, tag] { Press(tag); });
  }
}

void TMapScaleButtons::Press(int tag) {
  for (TMenuButton* button : buttons_)
    button->SetDown(button->property("Tag").toInt() == tag);
  if (!View) return;
  TBusyCursor busy;
  View->SetScale(ScaleOfTag(tag));
}

// ---- TFormMapSetPlace ----

TFormMapSetPlace::TFormMapSetPlace(QWidget* owner)
    : TFormXelBase(owner), map_(std::make_unique<TXelMap>()) {
  TFormBuilder b(this, "FormMapSetPlace", QStringLiteral("Set Place"), 556, 301);
  b.Row([&] {
    auto* panel = b.Add<QFrame>("Panel4");
    panel->setFixedWidth(160);
    tree_ = new TMapTreeView(panel);
    tree_->setObjectName(QStringLiteral("FormMapTree"));
    (new QVBoxLayout(panel))->addWidget(tree_);
    panel->layout()->setContentsMargins(0, 0, 0, 0);
    b.Column([&] {
      BuildPickerBar(b, *this, scales_, Label1, ButtonOk);
      setter_ = b.Add<TFormMapPosSetter>("FormMapPosSetter");
    });
  });
  scales_.View = setter_;
  EnableWhen({ButtonOk}, [this] {
    const TPoint p = setter_->Position();
    return (p.X >= 0 && p.Y >= 0) || (!RequirePosition && MapId >= 1);
  });
  setter_->OnChange = [this](TFormMapPosSetter*) {
    GuardHandler(this, [this] { PositionChange(); });
  };
  setter_->OnDblClick = [this](TFormMapPosSetter* setter) {
    if (setter->Position().X >= 0) ButtonOk->click();
  };
  tree_->OnMapSelected = [this](TMapTreeDock*) { TreeChange(); };
}

TFormMapSetPlace::~TFormMapSetPlace() {
  // The tree and the view point at the own map; they go before it does.
  delete tree_;
  delete setter_;
}

void TFormMapSetPlace::SetMapLocked(bool locked) {
  MapLocked = locked;
  tree_->setEnabled(!locked);
  QPalette palette = tree_->palette();
  palette.setColor(QPalette::Base, locked ? palette.color(QPalette::Button) : QColor(Qt::white));
  tree_->setPalette(palette);
}

void TFormMapSetPlace::FormShow() {
  if (MapTree) {
    savedActiveId_ = MapTree->ActiveId;
    restoreActive_ = true;
    const TXelMapTreeItem* active = MapTree->FindById(MapTree->ActiveId);
    if (MapId > 0 && MapTree->FindById(MapId))
      MapTree->ActiveId = MapId;
    else if (MapId == 0 && active && active->Kind == mkArea)
      MapTree->ActiveId = active->ParentId;
    setter_->SetMapTree(MapTree);
    setter_->SetMap(map_.get());
    if (TXelMapTreeItem* item = MapTree->FindById(MapTree->ActiveId);
        item && MapTree->ActiveId == MapId && X >= 0) {
      item->ViewX = 32 * X - 40;
      item->ViewY = 32 * Y - 120;
    }
    // A picker never changes the tree: no menus, no reordering.
    tree_->SetMapTree(MapTree);
    tree_->SetMap(map_.get());
    tree_->SetHeldMap(HeldMap);
    tree_->SetLocked(true);
    tree_->ShowMapTree();
  }
  scales_.Press(2);
  setter_->SetPosition(TPoint{X, Y});
}

void TFormMapSetPlace::TreeChange() {
  const TXelMapTreeItem* item = MapTree->FindById(tree_->SelectedId());
  if (item && !AllowAnyNode && item->Kind == mkArea) item = MapTree->FindById(item->ParentId);
  if (item && (AllowAnyNode || item->Kind == mkMap)) {
    MapId = item->Id;
    MapName = item->Name;
  } else {
    MapId = 0;
    MapName.clear();
  }
  setter_->MapLoaded();
}

void TFormMapSetPlace::PositionChange() {
  const TPoint p = setter_->Position();
  char text[64] = "";
  if (p.X >= 0 && p.Y >= 0)
    std::snprintf(text, sizeof text, "%.4d:%s (%.3d,%.3d)", MapId, MapName.c_str(), p.X, p.Y);
  else if (MapId >= 1)
    std::snprintf(text, sizeof text, "%.4d:%s", MapId, MapName.c_str());
  Label1->setText(ToQString(text));
  ApplyEnableRules();
}

void TFormMapSetPlace::ButtonOkClick() {
  X = setter_->Position().X;
  Y = setter_->Position().Y;
  done(mrOk);
}

void TFormMapSetPlace::done(int result) {
  if (restoreActive_ && MapTree) MapTree->ActiveId = savedActiveId_;
  restoreActive_ = false;
  TFormXelBase::done(result);
}

// ---- TFormMapSetArea ----

TFormMapSetArea::TFormMapSetArea(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormMapSetArea", QStringLiteral("Set Area"), 660, 541);
  BuildPickerBar(b, *this, scales_, Label1, ButtonOk);
  maker_ = b.Add<TFormAreaMaker>("FormAreaMaker");
  scales_.View = maker_;
  EnableWhen({ButtonOk}, [this] { return maker_->HasArea(); });
  maker_->OnChange = [this](TFormAreaMaker*) { GuardHandler(this, [this] { AreaChange(); }); };
}

void TFormMapSetArea::FormShow() {
  if (MapTree && Map) {
    maker_->SetMapTree(MapTree);
    maker_->SetMap(Map);
    maker_->MapLoaded();
  }
  scales_.Press(2);
  maker_->SetAreaRect(AreaRect);
  AreaChange();
}

void TFormMapSetArea::AreaChange() {
  Label1->setText(ToQString(AreaRectText(maker_->AreaRect())));
  ApplyEnableRules();
}

void TFormMapSetArea::ButtonOkClick() {
  AreaRect = maker_->AreaRect();
  done(mrOk);
}
