// The map appearance, place and menu commands: one line each.
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "core/chip_set_graphic.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/map_graphics.h"
#include "core/map_tree.h"
#include "core/material_image.h"

#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/error_guard.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_material_list.h"

namespace {

// ---- 11710 ----

using TChipSetValues = TOneParamValues<11710, 1>;

class TFormEvCmd11710 : public TFormEvCmd<TChipSetValues> {
public:
  explicit TFormEvCmd11710(QWidget* owner) : TFormEvCmd(owner, 11710) {
    TFormBuilder b(this, "FormEvCmd11710", "Change ChipSet", 260, 80);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "ChipSet",
              [&] { CatalogCombo(b, "ComboBox1", ChipSetModel(), &v.Value); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd11710, TFormGroup::Command, 11710,
                      LastUsedRecord<TChipSetValues>());

// ---- 11720 ----

struct TPanoramaValues {
  std::string FileName;
  bool HorizontalPan = false;
  bool VerticalPan = false;
  bool HorizontalAuto = false;
  int HorizontalSpeed = 0;
  bool VerticalAuto = false;
  int VerticalSpeed = 0;
  bool operator==(const TPanoramaValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TPanoramaValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.FileName = head.Text;
  v.HorizontalPan = head.GetParam(0) != 0;
  v.VerticalPan = head.GetParam(1) != 0;
  v.HorizontalAuto = head.GetParam(2) != 0;
  v.HorizontalSpeed = head.GetParam(3);
  v.VerticalAuto = head.GetParam(4) != 0;
  v.VerticalSpeed = head.GetParam(5);
}

void WriteCommand(const TPanoramaValues& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(11720, 0);
  head->Text = v.FileName;
  head->Params = {v.HorizontalPan,   v.VerticalPan,  v.HorizontalAuto,
                  v.HorizontalSpeed, v.VerticalAuto, v.VerticalSpeed};
}

class TFormEvCmd11720 : public TFormEvCmd<TPanoramaValues> {
public:
  explicit TFormEvCmd11720(QWidget* owner) : TFormEvCmd(owner, 11720) {
    TFormBuilder b(this, "FormEvCmd11720", "Change Panorama", 420, 200);
    sheet_.AutoSize = true;
    std::vector<QWidget*> hAuto, hSpeed, vAuto, vSpeed;
    const TStandardButtons buttons = CommandLayout(b, [&] {
      b.Row([&] {
        b.Group("GroupBox1", "Graphic", [&] {
          ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
          ScrollFrame1->HorzScrollBar()->SetVisible(false);
          ScrollFrame1->VertScrollBar()->SetVisible(false);
          ScrollFrame1->setFixedSize(160, 120);
          auto* set = b.Button("Button1", "Set...");
          On(set, &QPushButton::clicked, &TFormEvCmd11720::Button1Click);
          On(ScrollFrame1, &TScrollFrame::DblClick, &TFormEvCmd11720::Button1Click);
        });
        b.Group("GroupBox2", "Options", [&] {
          b.CheckBox("CheckBox1", "Horizontal Pan", &v.HorizontalPan);
          hAuto = {b.CheckBox("CheckBox2", "Auto Scroll", &v.HorizontalAuto)};
          b.Row([&] {
            hSpeed = {b.Label("Label1", "Speed"),
                      b.DialEdit("DialEdit1", -20, 20, &v.HorizontalSpeed)};
          });
          b.CheckBox("CheckBox3", "Vertical Pan", &v.VerticalPan);
          vAuto = {b.CheckBox("CheckBox4", "Auto Scroll", &v.VerticalAuto)};
          b.Row([&] {
            vSpeed = {b.Label("Label2", "Speed"),
                      b.DialEdit("DialEdit2", -20, 20, &v.VerticalSpeed)};
          });
        });
      });
    });
    EnableWhen(hAuto, [this] { return v.HorizontalPan; });
    EnableWhen(hSpeed, [this] { return v.HorizontalPan && v.HorizontalAuto; });
    EnableWhen(vAuto, [this] { return v.VerticalPan; });
    EnableWhen(vSpeed, [this] { return v.VerticalPan && v.VerticalAuto; });
    EnableWhen({buttons.Ok}, [this] { return !v.FileName.empty(); });
    OnPaint(ScrollFrame1, [this](QPainter& canvas) { Paint(canvas); });
  }

  void FormShow() override {
    TFormEvCmd::FormShow();
    LoadPreview();
  }

  void Button1Click() {
    TFormSelPanorama picker(this);
    picker.FileName = v.FileName;
    if (!OpenModal(picker)) return;
    v.FileName = picker.FileName;
    LoadPreview();
    UpdateControls();
  }

private:
  // A missing or unreadable image leaves the preview empty.
  void LoadPreview() {
    LoadMaterialSheet(sheet_, v.FileName, "Panorama", false);
    // The picture is painted on the frame's viewport, which must redraw.
    ScrollFrame1->viewport()->update();
  }
  void Paint(QPainter& canvas) {
    const QSize client = ScrollFrame1->ClientSize();
    if (sheet_.Width() <= 0 || sheet_.Height() <= 0 || client.isEmpty()) return;
    const TRect target =
        FitRectKeepingAspect(client.width(), client.height(), sheet_.Width(), sheet_.Height());
    TGlimraBoard board;
    board.SetSize(client.width(), client.height());
    board.StretchDrawSheet(target, sheet_, TRect{0, 0, sheet_.Width(), sheet_.Height()});
    canvas.drawImage(0, 0, BoardToImage(board));
  }

  TGlimraSheet sheet_;
  TScrollFrame* ScrollFrame1;
};
VELMORA_REGISTER_FORM(TFormEvCmd11720, TFormGroup::Command, 11720,
                      LastUsedRecord<TPanoramaValues>());

// ---- 11740 ----

class TFormEvCmd11740 : public TFormEvCmdOneDial<11740, 25> {
public:
  explicit TFormEvCmd11740(QWidget* owner)
      : TFormEvCmdOneDial(owner, "Change Enemy Encounter", "# of Steps", 999, "") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11740, TFormGroup::Command, 11740,
                      LastUsedRecord<TFormEvCmd11740::TValues>());

// ---- 11750 ----

struct TChipChangeValues {
  int Layer = 0; // 0 lower, 1 upper
  int From = 0;
  int To = 0;
  bool operator==(const TChipChangeValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, TChipChangeValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Layer = head.GetParam(0);
  v.From = head.GetParam(1);
  v.To = head.GetParam(2);
}

void WriteCommand(const TChipChangeValues& v, TXelEventScriptList& lines) {
  lines.Add(11750, 0)->Params = {v.Layer, v.From, v.To};
}

// The chip's tile id: lower chips from 5000, upper ones from 10000.
int ChipTileId(int layer, int chip) {
  return chip + (layer == 1 ? 10000 : 5000);
}

class TFormEvCmd11750 : public TFormEvCmd<TChipChangeValues> {
public:
  static constexpr int PreviewWidth = 240;
  static constexpr int PreviewHeight = 128;

  explicit TFormEvCmd11750(QWidget* owner) : TFormEvCmd(owner, 11750) {
    TFormBuilder b(this, "FormEvCmd11750", "Change Chip", 560, 220);
    CommandLayout(b, [&] {
      b.Radios(&v.Layer, [&] {
        b.Row([&] {
          b.Radio("RadioButtonA1", "Lower Chip");
          b.Radio("RadioButtonA2", "Upper Chip");
        });
      });
      b.Row([&] {
        Preview(b, "GroupBox1", "Change These", "ScrollFrame1", "Button1", v.From);
        Preview(b, "GroupBox2", "To These", "ScrollFrame2", "Button2", v.To);
      });
    });
  }

  // The handed map's chipset graphic, none without a map or a loaded chipset.
  TXelChipSetGraphic* ChipSource() const {
    if (!Map) return nullptr;
    TXelChipSetGraphic* graphic = const_cast<TXelMap*>(Map)->Graphics().ChipSetGraphic();
    return graphic && graphic->IsLoaded() ? graphic : nullptr;
  }
  // The preview of Chip as the frames show it; empty without a chipset graphic.
  void DrawPreview(TGlimraBoard& board, int chip) const {
    board.SetSize(PreviewWidth, PreviewHeight);
    if (TXelChipSetGraphic* graphic = ChipSource()) {
      graphic->SetTransparent(false);
      graphic->DrawChip(board, (PreviewWidth - 32) / 2, (PreviewHeight - 32) / 2,
                        ChipTileId(v.Layer, chip), 0, false, 32);
      graphic->SetTransparent(true);
    }
  }

protected:
  void BoundValueChanged(QWidget*) override { Repaint(); }
  void UpdateOwnControls() override { Repaint(); }

private:
  void Preview(TFormBuilder& b, const char* group, const QString& caption, const char* frame,
               const char* button, int& chip) {
    b.Group(group, caption, [&] {
      auto* view = b.Add<TScrollFrame>(frame);
      view->HorzScrollBar()->SetVisible(false);
      view->VertScrollBar()->SetVisible(false);
      view->setFixedSize(PreviewWidth + 2 * view->frameWidth(),
                         PreviewHeight + 2 * view->frameWidth());
      views_.push_back(view);
      auto* set = b.Button(button, "Set...");
      const auto pick = [this, caption, &chip] { PickChip(caption, chip); };
      On(set, &QPushButton::clicked, pick);
      On(view, &TScrollFrame::DblClick, pick);
      OnPaint(view, [this, &chip](QPainter& canvas) {
        TGlimraBoard board;
        DrawPreview(board, chip);
        canvas.drawImage(0, 0, BoardToImage(board));
      });
    });
  }
  // Without a chipset graphic the picker would have nothing to draw from.
  void PickChip(const QString& caption, int& chip) {
    TXelChipSetGraphic* source = ChipSource();
    if (!source) return;
    TFormSelReplChip picker(this);
    picker.setWindowTitle(caption);
    picker.ChipSource = source;
    picker.Layer = v.Layer;
    picker.ChipIndex = chip;
    if (!OpenModal(picker)) return;
    v.Layer = picker.Layer;
    chip = picker.ChipIndex;
    UpdateControls();
  }
  void Repaint() {
    for (QWidget* view : views_)
      if (auto* area = qobject_cast<QAbstractScrollArea*>(view))
        area->viewport()->update();
      else
        view->update();
  }

  std::vector<QWidget*> views_;
};
VELMORA_REGISTER_FORM(TFormEvCmd11750, TFormGroup::Command, 11750,
                      LastUsedRecord<TChipChangeValues>());

// ---- 11810, 11830 ----

// A place on a map; the map and the cell are not remembered between openings.
struct TPlaceValues {
  int Mode = 0; // 11810: 0 add, 1 delete
  int MapId = 0;
  int X = 0;
  int Y = 0;
  bool WithSwitch = false;
  int SwitchId = 1;
  bool operator==(const TPlaceValues&) const = default;
};
struct TTeleportPlaceValues : TPlaceValues {};
struct TEscapePlaceValues : TPlaceValues {};

void ReadCommand(const TXelEventScriptList& lines, TTeleportPlaceValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Mode = head.GetParam(0);
  v.MapId = head.GetParam(1);
  v.X = head.GetParam(2);
  v.Y = head.GetParam(3);
  if (v.Mode != 0) return;
  v.WithSwitch = head.GetParam(4) != 0;
  if (v.WithSwitch) v.SwitchId = head.GetParam(5);
}

void WriteCommand(const TTeleportPlaceValues& v, TXelEventScriptList& lines) {
  lines.Add(11810, 0)->Params = {v.Mode, v.MapId, v.X, v.Y, v.WithSwitch, v.SwitchId};
}

void ReadCommand(const TXelEventScriptList& lines, TEscapePlaceValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.MapId = head.GetParam(0);
  v.X = head.GetParam(1);
  v.Y = head.GetParam(2);
  v.WithSwitch = head.GetParam(3) != 0;
  if (v.WithSwitch) v.SwitchId = head.GetParam(4);
}

void WriteCommand(const TEscapePlaceValues& v, TXelEventScriptList& lines) {
  lines.Add(11830, 0)->Params = {v.MapId, v.X, v.Y, v.WithSwitch, v.SwitchId};
}

// "%.4d:%s (%.3d,%.3d)", or "%.4d:%s" without the cell; "?" for a map not in the tree.
QString PlaceText(const TXelMapTree* tree, const TPlaceValues& v, bool withCell) {
  const TXelMapTreeItem* item = tree && v.MapId > 0 ? tree->FindById(v.MapId) : nullptr;
  QString text = QString::asprintf("%.4d:", v.MapId) + (item ? ToQString(item->Name) : "?");
  if (withCell) text += QString::asprintf(" (%.3d,%.3d)", v.X, v.Y);
  return text;
}

template <class Values> class TFormEvCmdPlace : public TFormEvCmd<Values> {
protected:
  TFormEvCmdPlace(QWidget* owner, int32_t code, const QString& caption, const QString& place,
                  const QString& switchCaption, bool withModes)
      : TFormEvCmd<Values>(owner, code), placeCaption_(place) {
    Values& v = this->v;
    TFormBuilder b(this, qPrintable("FormEvCmd" + QString::number(code)), caption, 340, 170);
    CommandLayout(b, [&] {
      if (withModes)
        b.RadioGroup("GroupBox3", "Operation", {"Add Teleport Place", "Delete Teleport Place"},
                     &v.Mode, 2);
      b.Group("GroupBox1", place, [&] {
        DashBox1 = b.ValueBox("DashBox1", &text_);
        this->On(DashBox1, &TDashBox::Clicked, &TFormEvCmdPlace::DashBox1Click);
      });
      switchGroup_ = b.Group("GroupBox2", switchCaption, [&] {
        b.Row([&] {
          b.CheckBox("CheckBox1", " Set", &v.WithSwitch);
          switchBox_ = SwitchBox(*this, b, "DashBox2", &v.SwitchId);
        });
      });
    });
    this->EnableWhen({switchGroup_}, [this] { return this->v.Mode == 0; });
    this->EnableWhen({switchBox_}, [this] { return this->v.WithSwitch; });
  }

  // The active map and the centre of its view, or the handed event's cell.
  void LoadLastUsed() override {
    TFormEvCmd<Values>::LoadLastUsed();
    Values& v = this->v;
    const TXelMapTreeItem* item =
        this->MapTree ? this->MapTree->FindById(this->MapTree->ActiveId) : nullptr;
    v.MapId = this->MapTree ? this->MapTree->ActiveId : 0;
    const int width = this->Map ? this->Map->Width() : 1;
    const int height = this->Map ? this->Map->Height() : 1;
    v.X = std::max(0, std::min(width - 1, (item ? item->ViewX / 32 : 0) + 9));
    v.Y = std::max(0, std::min(height - 1, (item ? item->ViewY / 32 : 0) + 7));
    if (this->Event) {
      v.X = this->Event->X;
      v.Y = this->Event->Y;
    }
  }
  // The mode decides whether the box shows the cell.
  void BoundValueChanged(QWidget*) override { ShowPlace(); }
  void UpdateOwnControls() override { ShowPlace(); }
  void ShowPlace() {
    text_ = PlaceText(this->MapTree, this->v, this->v.Mode == 0);
    DashBox1->SetText(text_);
  }

  // The map view's scroll position is put back, and a map not in the tree is offered
  // without a cell, as in the teleport commands.
  void DashBox1Click() {
    Values& v = this->v;
    const bool add = v.Mode == 0;
    TMapPlace place{v.MapId, add ? v.X : -1, add ? v.Y : -1};
    if (!PickPlace(*this, {placeCaption_, false, 1, uint8_t(add ? 1 : 0)}, place)) return;
    v.MapId = place.MapId;
    v.X = add ? place.X : 0;
    v.Y = add ? place.Y : 0;
    this->UpdateControls();
  }

private:
  QString placeCaption_;
  QString text_;
  TDashBox* DashBox1;
  QWidget* switchGroup_;
  QWidget* switchBox_;
};

class TFormEvCmd11810 : public TFormEvCmdPlace<TTeleportPlaceValues> {
public:
  explicit TFormEvCmd11810(QWidget* owner)
      : TFormEvCmdPlace(owner, 11810, "Place of Teleport", "Place Teleport", "Turn Switch ON After",
                        true) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11810, TFormGroup::Command, 11810,
                      LastUsedRecord<TTeleportPlaceValues>());

class TFormEvCmd11830 : public TFormEvCmdPlace<TEscapePlaceValues> {
public:
  explicit TFormEvCmd11830(QWidget* owner)
      : TFormEvCmdPlace(owner, 11830, "Place Escape Area", "Escape Place", "Turn Switch On After",
                        false) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11830, TFormGroup::Command, 11830,
                      LastUsedRecord<TEscapePlaceValues>());

// ---- the two-choice commands ----

class TFormEvCmd11820 : public TFormEvCmdTwoChoice<11820> {
public:
  explicit TFormEvCmd11820(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Disable Teleport", "Disable Teleport", "Enable Teleport") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11820, TFormGroup::Command, 11820,
                      LastUsedRecord<TFormEvCmd11820::TValues>());

class TFormEvCmd11840 : public TFormEvCmdTwoChoice<11840> {
public:
  explicit TFormEvCmd11840(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Enable/Disable Escape", "Disable Escape", "Enable Escape") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11840, TFormGroup::Command, 11840,
                      LastUsedRecord<TFormEvCmd11840::TValues>());

class TFormEvCmd11930 : public TFormEvCmdTwoChoice<11930> {
public:
  explicit TFormEvCmd11930(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Enable/Disable Save", "Disable Saving", "Enable Saving") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11930, TFormGroup::Command, 11930,
                      LastUsedRecord<TFormEvCmd11930::TValues>());

class TFormEvCmd11960 : public TFormEvCmdTwoChoice<11960> {
public:
  explicit TFormEvCmd11960(QWidget* owner)
      : TFormEvCmdTwoChoice(owner, "Disable Menu", "Disable Menu", "Enable Menu") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11960, TFormGroup::Command, 11960,
                      LastUsedRecord<TFormEvCmd11960::TValues>());

} // namespace
