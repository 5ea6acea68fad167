// The map appearance, place and menu commands: one line each.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"

#include "events/command_families.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "events/modal_opener.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/error_guard.h"
#include "framework/controls/form_builder.h"
#include "framework/controls/form_registry.h"
#include "framework/controls/scroll_frame.h"
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
              [&] { CatalogCombo(b, "ComboBox1", ChipSetNames(), &v.Value); });
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
    CommandLayout(b, [&] {
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
    EnableWhen({findChild<QPushButton*>("ButtonOk")}, [this] { return !v.FileName.empty(); });
    // Painting is no handler: it runs also while Updating.
    QObject::connect(ScrollFrame1, &TScrollFrame::Paint, Connections(),
                     [this](QPainter& canvas) { GuardHandler(this, [&] { Paint(canvas); }); });
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
    ScrollFrame1->update();
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

// ---- no window ----

class TFormEvCmd11910 : public TFormEvCmdNoWindow<11910> {
public:
  explicit TFormEvCmd11910(QWidget* owner) : TFormEvCmdNoWindow(owner) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11910, TFormGroup::Command, 11910);

class TFormEvCmd11950 : public TFormEvCmdNoWindow<11950> {
public:
  explicit TFormEvCmd11950(QWidget* owner) : TFormEvCmdNoWindow(owner) {}
};
VELMORA_REGISTER_FORM(TFormEvCmd11950, TFormGroup::Command, 11950);

} // namespace
