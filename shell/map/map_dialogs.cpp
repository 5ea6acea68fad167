#include "shell/map/map_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>

#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "core/monster_records.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"
#include "shell/map/map_pickers.h"

int32_t LastEncounterGroup = 1;
int LastShiftDirection = 0;
int LastShiftDistance = 1;

VELMORA_REGISTER_FORM(TFormEDMap, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormEDMapEncount, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormEDArea, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormMapShift, TFormGroup::Dialog, 0, LastShiftDirection, LastShiftDistance);
VELMORA_REGISTER_FORM(TFormMapShipPos, TFormGroup::Dialog, 0);

namespace {

// The keypad digit of each direction button, in button order.
constexpr int ShiftDirections[] = {8, 4, 6, 2};

QString EncounterRowText(int32_t groupId) {
  const TXelMonGroupItem* group = MonGroupList ? MonGroupList->FindById(groupId) : nullptr;
  return group ? ToQString(group->Name) : QString();
}

QString DialogCaption(const char* text, int32_t id) {
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, " - ID:%.4d", id);
  return QString::fromLatin1(text) + QString::fromLatin1(suffix);
}

// A mode group: "Parent Map" and the two other choices, with an optional value box after
// the last one; the "Parent Map" button goes to Parent.
void ModeGroup(TFormBuilder& b, const char* name, const char* caption, const char* prefix,
               TField<int> mode, const char* second, const char* third, QRadioButton*& parent,
               const std::function<void()>& after = {}) {
  b.Group(name, QString::fromLatin1(caption), [&] {
    b.Radios(std::move(mode), [&] {
      const std::string p(prefix);
      const auto buttons = [&] {
        parent = b.Radio((p + "1").c_str(), QStringLiteral("Parent Map"));
        b.Radio((p + "2").c_str(), QString::fromLatin1(second));
        b.Radio((p + "3").c_str(), QString::fromLatin1(third));
      };
      // A group with nothing below its buttons takes them in one row: the five groups
      // stacked would not fit an 800 x 600 screen.
      if (after) {
        buttons();
        after();
      } else {
        b.Row(buttons);
      }
    });
  });
}

} // namespace

// ---- TFormEDMapEncount ----

TFormEDMapEncount::TFormEDMapEncount(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDMapEncount", QStringLiteral("Map Encounter Rate Editor"), 201, 105);
  b.Group("GroupBox1", QStringLiteral("Monsters Party"),
          [&] { ComboBox1 = CatalogCombo(b, "ComboBox1", MonsterGroupModel(), &v.GroupId); });
  QPushButton* ok = nullptr;
  b.Row([&] {
    b.Stretch();
    ok = b.OkButton();
    b.CancelButton();
  });
  // Without any monster group there is nothing to store: group 0 would read back as 1.
  EnableWhen({ok}, [this] { return ComboBox1->count() > 0; });
}

void TFormEDMapEncount::FormShow() {
  // A group that does not exist shows, and becomes, the first.
  v.GroupId = GroupId;
  UpdateControls();
}

void TFormEDMapEncount::ButtonOkClick() {
  GroupId = v.GroupId;
  done(mrOk);
}

void TFormEDMapEncount::done(int result) {
  if (isVisible() && ComboBox1->currentIndex() >= 0) LastEncounterGroup = v.GroupId;
  TFormXelBase::done(result);
}

// ---- TEncounterList ----

TEncounterList::TEncounterList(TFormXelCommon& form, QWidget* parent)
    : QListWidget(parent), form_(form) {
  setContextMenuPolicy(Qt::PreventContextMenu);
  popup_ = new QMenu(this);
  popup_->setObjectName(QStringLiteral("PopupMenu1"));
  edit_ = AddItem("MenuEdit", "&Edit...", QKeySequence(Qt::Key_Return));
  cut_ = AddItem("MenuCut", "Cu&t", QKeySequence(QStringLiteral("Ctrl+X")));
  copy_ = AddItem("MenuCopy", "&Copy", QKeySequence(QStringLiteral("Ctrl+C")));
  paste_ = AddItem("MenuPaste", "&Paste", QKeySequence(QStringLiteral("Ctrl+V")));
  delete_ = AddItem("MenuDelete", "&Delete", QKeySequence(Qt::Key_Delete));
  form.On(edit_, &QAction::triggered, [this] { EditClick(); });
  form.On(cut_, &QAction::triggered, [this] { CutClick(); });
  form.On(copy_, &QAction::triggered, [this] { CopyClick(); });
  form.On(paste_, &QAction::triggered, [this] { PasteClick(); });
  form.On(delete_, &QAction::triggered, [this] { DeleteClick(); });
  form.On(this, &QListWidget::itemDoubleClicked, [this] { EditClick(); });
  form.On(this, &QListWidget::currentRowChanged, [this] { RefreshMenuStates(); });
  form.On(popup_, &QMenu::aboutToShow, [this] { RefreshMenuStates(); });
}

QAction* TEncounterList::AddItem(const char* name, const char* caption, const QKeySequence& key) {
  QAction* item = popup_->addAction(QString::fromLatin1(caption));
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(key);
  item->setShortcutContext(Qt::WidgetShortcut);
  addAction(item);
  return item;
}

void TEncounterList::SetGroups(std::vector<int32_t>* groups) {
  groups_ = groups;
}

void TEncounterList::Refill(int row) {
  clear();
  for (int32_t group : *groups_)
    addItem(EncounterRowText(group));
  addItem(QString());
  setCurrentRow(std::clamp(row, 0, count() - 1));
  setFocus();
  RefreshMenuStates();
}

TEncounterMenuState TEncounterList::MenuState() const {
  if (!groups_) return {};
  return EncounterMenuState(currentRow(), static_cast<int>(groups_->size()),
                            Clipboard().HasFormat(cfListRow));
}

void TEncounterList::RefreshMenuStates() {
  const TEncounterMenuState s = MenuState();
  edit_->setEnabled(s.Edit);
  cut_->setEnabled(s.Cut);
  copy_->setEnabled(s.Copy);
  paste_->setEnabled(s.Paste);
  delete_->setEnabled(s.Delete);
}

void TEncounterList::ShowRow(int row) {
  Refill(row);
  if (QListWidgetItem* next = item(row + 1)) scrollToItem(next);
}

void TEncounterList::EditClick() {
  if (!MenuState().Edit) return;
  const int row = currentRow();
  const bool isNew = row == static_cast<int>(groups_->size());
  TFormEDMapEncount dialog(window());
  dialog.GroupId = isNew ? LastEncounterGroup : (*groups_)[size_t(row)];
  if (!dialog.ExecuteAt(16, 200)) return;
  if (isNew)
    groups_->push_back(dialog.GroupId);
  else
    (*groups_)[size_t(row)] = dialog.GroupId;
  ShowRow(row);
}

void TEncounterList::CutClick() {
  if (!MenuState().Cut) return;
  CopyClick();
  DeleteClick();
}

void TEncounterList::CopyClick() {
  if (!MenuState().Copy) return;
  TXelEncountItem row(1);
  row.MonGroupId = (*groups_)[size_t(currentRow())];
  row.CopyToClipboard(cfListRow);
  RefreshMenuStates();
}

void TEncounterList::PasteClick() {
  if (!MenuState().Paste) return;
  TXelEncountItem row(1);
  if (!row.PasteFromClipboard(cfListRow)) return;
  const int at = currentRow();
  groups_->insert(groups_->begin() + at, row.MonGroupId);
  ShowRow(at);
}

void TEncounterList::DeleteClick() {
  if (!MenuState().Delete) return;
  const int row = currentRow();
  groups_->erase(groups_->begin() + row);
  Refill(row);
}

void TEncounterList::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);
  if (event->button() != Qt::RightButton) return;
  const QListWidgetItem* row = itemAt(event->position().toPoint());
  if (!row || !row->isSelected()) return;
  RefreshMenuStates();
  popup_->popup(event->globalPosition().toPoint());
}

void TEncounterList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier) {
    RefreshMenuStates();
    popup_->popup(mapToGlobal(QPoint(0, 0)));
    event->accept();
    return;
  }
  if (event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return) {
    // Enter edits the row instead of closing the dialog.
    edit_->trigger();
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

// ---- TFormEDMap ----

TFormEDMap::TFormEDMap(QWidget* owner) : TFormXelBase(owner, 171) {
  TFormBuilder b(this, "FormEDMap", QStringLiteral("Map Editor"), 537, 465);
  QRadioButton* parents[5] = {};
  TDashBox* music = nullptr;
  TDashBox* backdrop = nullptr;
  QPushButton* setButton = nullptr;
  QCheckBox *horizontalPan = nullptr, *verticalPan = nullptr;
  QCheckBox *horizontalAuto = nullptr, *verticalAuto = nullptr;
  TDialEdit *horizontalSpeed = nullptr, *verticalSpeed = nullptr;
  QLabel *horizontalLabel = nullptr, *verticalLabel = nullptr;
  b.Row([&] {
    b.Column([&] {
      b.Grid(2, [&] {
        b.Label("Label1", QStringLiteral("Name"));
        b.Edit("OverEdit1", &v.MapName, 24);
        b.Label("Label2", QStringLiteral("ChipSet"));
        // A few chip sets: as wide as their names, like the name above it.
        CatalogCombo(b, "ComboBox1", ChipSetModel(), &v.ChipSetId, 0);
      });
      b.Group("GroupBox1", QStringLiteral("Map Size (Width X Height)"), [&] {
        b.Row([&] {
          b.DialEdit("DialEdit1", 20, 300, &v.MapWidth);
          b.Label("Label3", QStringLiteral("X"));
          b.DialEdit("DialEdit2", 15, 300, &v.MapHeight);
        });
      });
      b.Grid(2, [&] {
        b.Label("Label4", QStringLiteral("Scroll Type"));
        b.ComboBox("ComboBox2",
                   {QStringLiteral("None"), QStringLiteral("Vertical Loop"),
                    QStringLiteral("Horizontal Loop"), QStringLiteral("Both Loop")},
                   &v.ScrollType);
      });
      b.Group("GroupBox2", QStringLiteral("Monsters Party"), [&] {
        ListView1 = b.Add<TEncounterList>("ListView1", *this);
        b.Row([&] {
          b.Label("Label5", QStringLiteral("Encount.Steps:"));
          b.DialEdit("DialEdit3", 0, 999, &v.EncounterSteps);
        });
      });
    });
    b.Column([&] {
      b.Group("GroupBox3", QStringLiteral("Panorama"), [&] {
        b.CheckBox("CheckBox1", QStringLiteral("Use Panorama"), &v.UsePanorama);
        ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
        ScrollFrame1->HorzScrollBar()->SetVisible(false);
        ScrollFrame1->VertScrollBar()->SetVisible(false);
        ScrollFrame1->setFixedSize(164, 124);
        setButton = b.Button("Button1", QStringLiteral("Set..."));
        horizontalPan = b.CheckBox("CheckBox2", QStringLiteral("Horizontal Pan"), &v.HorizontalPan);
        b.Row([&] {
          horizontalAuto =
              b.CheckBox("CheckBox3", QStringLiteral("Auto Scroll"), &v.HorizontalAutoScroll);
          horizontalLabel = b.Label("Label6", QStringLiteral("Speed"));
          horizontalSpeed = b.DialEdit("DialEdit4", -20, 20, &v.HorizontalSpeed);
        });
        verticalPan = b.CheckBox("CheckBox4", QStringLiteral("Vertical Pan"), &v.VerticalPan);
        b.Row([&] {
          verticalAuto =
              b.CheckBox("CheckBox5", QStringLiteral("Auto Scroll"), &v.VerticalAutoScroll);
          verticalLabel = b.Label("Label7", QStringLiteral("Speed"));
          verticalSpeed = b.DialEdit("DialEdit5", -20, 20, &v.VerticalSpeed);
        });
      });
      b.Stretch();
    });
    b.Column([&] {
      ModeGroup(b, "GroupBoxA", "Background Music", "RadioButtonA", &v.BgmMode, "No Change",
                "Set To", parents[0], [&] { music = b.ValueBox("DashBoxA", &v.Music.FileName); });
      ModeGroup(b, "GroupBoxB", "Battle Background", "RadioButtonB", &v.BackdropMode,
                "By Terrain Chip", "Set To", parents[1],
                [&] { backdrop = b.ValueBox("DashBoxB", &v.BackdropName); });
      ModeGroup(b, "GroupBoxC", "Teleport", "RadioButtonC", &v.TeleportMode, "Enable", "Disable",
                parents[2]);
      ModeGroup(b, "GroupBoxD", "Escape", "RadioButtonD", &v.EscapeMode, "Enable", "Disable",
                parents[3]);
      ModeGroup(b, "GroupBoxE", "Save", "RadioButtonE", &v.SaveMode, "Enable", "Disable",
                parents[4]);
      b.Stretch();
      b.Row([&] { b.StandardButtons(); });
    });
  });

  EnableWhen({ScrollFrame1, setButton, horizontalPan, verticalPan},
             [this] { return v.UsePanorama; });
  EnableWhen({horizontalAuto}, [this] { return v.UsePanorama && v.HorizontalPan; });
  EnableWhen({verticalAuto}, [this] { return v.UsePanorama && v.VerticalPan; });
  EnableWhen({horizontalSpeed, horizontalLabel},
             [this] { return v.UsePanorama && v.HorizontalPan && v.HorizontalAutoScroll; });
  EnableWhen({verticalSpeed, verticalLabel},
             [this] { return v.UsePanorama && v.VerticalPan && v.VerticalAutoScroll; });
  EnableWhen({music}, [this] { return v.BgmMode == 2; });
  EnableWhen({backdrop}, [this] { return v.BackdropMode == 2; });
  EnableWhen({parents[0], parents[1], parents[2], parents[3], parents[4]},
             [this] { return !IsTopLevel; });

  sheet_ = std::make_unique<TGlimraSheet>();
  sheet_->AutoSize = true;
  OnPaint(ScrollFrame1, [this](QPainter& canvas) { ScrollFrame1Paint(canvas); });
  On(ScrollFrame1, &TScrollFrame::DblClick, &TFormEDMap::Button1Click);
  On(setButton, &QPushButton::clicked, &TFormEDMap::Button1Click);
  On(music, &TDashBox::Clicked, &TFormEDMap::DashBoxAClick);
  On(backdrop, &TDashBox::Clicked, &TFormEDMap::DashBoxBClick);
}

TFormEDMap::~TFormEDMap() = default;

void TFormEDMap::FormShow() {
  v = Properties;
  setWindowTitle(
      DialogCaption(IsNewMap ? "The preparation of the map" : "The setup of the map", MapId));
  if (IsTopLevel)
    for (int32_t* mode : {&v.BgmMode, &v.BackdropMode, &v.TeleportMode, &v.EscapeMode, &v.SaveMode})
      if (*mode == 0) *mode = 1;
  ListView1->SetGroups(&v.Encounters);
  ListView1->Refill(0);
  LoadPanorama();
  UpdateControls();
}

void TFormEDMap::ButtonOkClick() {
  Properties = v;
  done(mrOk);
}

void TFormEDMap::LoadPanorama() {
  // A missing or unreadable file shows an empty preview, without a message.
  LoadMaterialSheet(*sheet_, v.PanoramaName, "Panorama", false);
  ScrollFrame1->viewport()->update();
}

void TFormEDMap::ScrollFrame1Paint(QPainter& canvas) {
  if (!v.UsePanorama) return;
  DrawMaterialPreview(canvas, PanoramaPickerKind, *sheet_, ScrollFrame1->ClientSize());
}

void TFormEDMap::Button1Click() {
  TFormSelPanorama picker(this);
  picker.FileName = v.PanoramaName;
  if (!picker.Execute()) return;
  v.PanoramaName = picker.FileName;
  LoadPanorama();
}

void TFormEDMap::DashBoxAClick() {
  TFormSelMusic picker(this);
  AssignMusicValues(picker.Music, v.Music);
  if (!picker.Execute()) return;
  v.Music = MusicValuesOf(picker.Music);
  UpdateControls();
}

void TFormEDMap::DashBoxBClick() {
  TFormSelBackdrop picker(this);
  picker.FileName = v.BackdropName;
  if (!picker.Execute()) return;
  v.BackdropName = picker.FileName;
  UpdateControls();
}

// ---- TFormEDArea ----

TFormEDArea::TFormEDArea(QWidget* owner) : TFormXelBase(owner, 190) {
  TFormBuilder b(this, "FormEDArea", QStringLiteral("Create New Area"), 377, 241);
  TDashBox* setArea = nullptr;
  b.Row([&] {
    b.Column([&] {
      b.Grid(2, [&] {
        b.Label("Label1", QStringLiteral("Name"));
        b.Edit("OverEdit1", &v.AreaName, 24);
      });
      setArea = b.Add<TDashBox>("DashBox1");
      setArea->SetText(QStringLiteral("Set Area"));
      Label2 = b.Label("Label2", QString());
      b.Group("GroupBox1", QStringLiteral("Monsters Party"),
              [&] { ListView1 = b.Add<TEncounterList>("ListView1", *this); });
    });
    b.ButtonColumn();
  });
  On(setArea, &TDashBox::Clicked, &TFormEDArea::DashBox1Click);
}

void TFormEDArea::FormShow() {
  v = Properties;
  setWindowTitle(
      DialogCaption(IsNewArea ? "The preparation of the area" : "The setup of the area", AreaId));
  ListView1->SetGroups(&v.Encounters);
  ListView1->Refill(0);
  UpdateControls();
}

void TFormEDArea::UpdateOwnControls() {
  Label2->setText(ToQString(AreaRectText(v.AreaRect)));
}

void TFormEDArea::ButtonOkClick() {
  Properties = v;
  done(mrOk);
}

void TFormEDArea::DashBox1Click() {
  // The picker's view moves the active entry's view position; the map editor keeps its own.
  TXelMapTreeItem* active = MapTree ? MapTree->FindById(MapTree->ActiveId) : nullptr;
  struct TKeepView {
    TXelMapTreeItem* item;
    int32_t x, y;
    ~TKeepView() {
      if (item) {
        item->ViewX = x;
        item->ViewY = y;
      }
    }
  } keep{active, active ? active->ViewX : 0, active ? active->ViewY : 0};
  TFormMapSetArea picker(this);
  picker.MapTree = MapTree;
  picker.Map = Map;
  picker.AreaRect = v.AreaRect;
  if (!picker.Execute()) return;
  v.AreaRect = picker.AreaRect;
  UpdateControls();
}

// ---- TFormMapShift ----

TFormMapShift::TFormMapShift(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormMapShift", QStringLiteral("Map Shift"), 233, 145);
  QRadioButton* buttons[4] = {};
  QPushButton* ok = nullptr;
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", QStringLiteral("Shift Direction"), [&] {
        b.Radios(&v.Direction, [&] {
          buttons[0] = b.Radio("RadioButton1", QStringLiteral("Up"));
          b.Row([&] {
            buttons[1] = b.Radio("RadioButton2", QStringLiteral("Left"));
            buttons[2] = b.Radio("RadioButton3", QStringLiteral("Right"));
          });
          buttons[3] = b.Radio("RadioButton4", QStringLiteral("Down"));
        });
      });
      b.Row([&] {
        b.Label("Label1", QStringLiteral("Shift by"));
        DialEdit1 = b.DialEdit("DialEdit1", 1, 100, &v.Distance);
      });
    });
    ok = b.ButtonColumn(false).Ok;
  });
  for (int i = 0; i < 4; ++i)
    On(buttons[i], &QRadioButton::clicked, [this, i] { DirectionClick(i); });
  // Without a direction OK would shift by nothing yet mark the map changed.
  EnableWhen({ok}, [this] { return v.Direction >= 0; });
}

void TFormMapShift::FormShow() {
  const int* found =
      std::find(std::begin(ShiftDirections), std::end(ShiftDirections), LastShiftDirection);
  v.Direction = found == std::end(ShiftDirections) ? -1 : int(found - std::begin(ShiftDirections));
  const int maximum = MaxShiftDistance(LastShiftDirection, MapWidth, MapHeight);
  DialEdit1->SetMaxValue(maximum);
  v.Distance = std::clamp(LastShiftDistance, 1, std::max(1, maximum));
  UpdateControls();
}

void TFormMapShift::DirectionClick(int index) {
  const int maximum = MaxShiftDistance(ShiftDirections[index], MapWidth, MapHeight);
  DialEdit1->SetMaxValue(maximum);
  v.Distance = std::clamp(v.Distance, 1, std::max(1, maximum));
  UpdateControls();
}

void TFormMapShift::ButtonOkClick() {
  if (v.Direction < 0) return;
  const int direction = ShiftDirections[v.Direction];
  const TMapShift shift = MapShiftOf(direction, v.Distance);
  ShiftX = shift.Dx;
  ShiftY = shift.Dy;
  LastShiftDirection = direction;
  LastShiftDistance = v.Distance;
  done(mrOk);
}

// ---- TFormMapShipPos ----

TFormMapShipPos::TFormMapShipPos(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormMapShipPos", QStringLiteral("Set Vehicle Position"), 233, 105);
  b.Row([&] {
    b.Group("GroupBox1", QStringLiteral("Vehicle"), [&] {
      b.Radios(&v.Index, [&] {
        for (const auto& [name, caption] : {std::pair{"RadioButton1", "Boat"},
                                            {"RadioButton2", "Ship"},
                                            {"RadioButton3", "Airship"}})
          b.Radio(name, QString::fromLatin1(caption))->installEventFilter(this);
      });
    });
    ButtonOk = b.ButtonColumn(false).Ok;
  });
}

void TFormMapShipPos::FormShow() {
  v.Index = std::clamp(Vehicle, 1, 3) - 1;
  UpdateControls();
}

void TFormMapShipPos::ButtonOkClick() {
  Vehicle = v.Index + 1;
  done(mrOk);
}

bool TFormMapShipPos::eventFilter(QObject* watched, QEvent* event) {
  auto* button = qobject_cast<QRadioButton*>(watched);
  if (event->type() == QEvent::MouseButtonDblClick && button) {
    button->click();
    ButtonOk->click();
    return true;
  }
  return TFormXelBase::eventFilter(watched, event);
}
