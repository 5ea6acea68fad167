#include "database/ed_player.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "core/attribute_records.h"
#include "core/bitmap.h"
#include "core/clipboard_formats.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "core/glimra_board.h"
#include "core/hero_curves.h"
#include "core/hero_equipment.h"
#include "core/hero_page.h"
#include "core/material_image.h"
#include "database/ed_player_dialogs.h"
#include "database/report_list.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/sel_cell.h"

namespace {

TListPosition HeroPagePosition;

// The walk preview: one 24 x 32 cell at twice its size on a 56 x 64 board; the face
// preview: a 48 x 48 face at twice its size, of which the frame shows the middle.
constexpr int WalkBoardWidth = 56, WalkBoardHeight = 64;
constexpr int FaceBoardSize = 96, FaceInset = 4;
constexpr int WalkSheetWidth = 72, WalkSheetHeight = 128;
constexpr int FaceSize = 48;
// The small parameter graphs: 2 pixels a level over a baseline at 54.
constexpr int GraphWidth = 100, GraphHeight = 58, GraphBaseline = 54;
constexpr int WalkInterval = 200;

const char* const ParameterNames[HeroParameterCount] = {"Parameter1", "Parameter2", "Parameter3",
                                                        "Parameter4", "Parameter5", "Parameter6"};
const char* const ComboNames[HeroEquipmentSlots] = {"ComboBox1", "ComboBox2", "ComboBox3",
                                                    "ComboBox4", "ComboBox5"};
const char* const LabelNames[HeroEquipmentSlots] = {"Label1", "Label2", "Label3", "Label4",
                                                    "Label5"};
const char* const SlotCaptions[HeroEquipmentSlots] = {
    "Weapon:", "Shield:", "Armor:", "Helmet:", "Accessory:"};

TCatalog* Heroes() {
  return PlayerList;
}

// The cell of a material sheet at Origin; a missing or broken file leaves it empty.
void LoadSheetCell(TGlimraSheet& sheet, const std::string& name, const char* folder,
                   TPoint origin) {
  sheet.Clear();
  if (name.empty()) return;
  try {
    TBitmap bitmap;
    LoadMaterialBitmap(bitmap, name, folder);
    sheet.LoadFromBitmap(bitmap, origin);
  } catch (const Exception&) {
    sheet.Clear();
  }
}

// The experience curve's three numbers as the page shows them.
QString ExperienceText(int standard, int additional, int corrected) {
  return QString::asprintf("Standard=%d; Additional=%d; Corrected=%d", standard, additional,
                           corrected);
}

// A frame without scroll bars whose client area is Width x Height.
TScrollFrame* PlainFrame(TFormBuilder& b, const char* name, int width, int height) {
  auto* frame = b.Add<TScrollFrame>(name);
  frame->HorzScrollBar()->SetVisible(false);
  frame->VertScrollBar()->SetVisible(false);
  frame->setFixedSize(width + 2 * frame->frameWidth(), height + 2 * frame->frameWidth());
  return frame;
}

} // namespace

TFormEDPlayer::TFormEDPlayer(QWidget* parent)
    : TFormDataBasePage(parent, 2, {&Heroes, &HeroModel, cfHero, &HeroPagePosition}) {
  using TItem = TXelPlayerItem;
  TFormBuilder b(this, "FormEDPlayer", "Hero", PageWidth, PageHeight);
  walkSheet_.SetSize(WalkSheetWidth, WalkSheetHeight);
  walkSheet_.Transparent = true;
  faceSheet_.SetSize(FaceSize, FaceSize);
  b.Row([&] {
    DataListColumn(b, "Hero Party", 128);
    // Names, levels, critical hits and the two graphics.
    b.Column([&] {
      b.Grid(2, [&] {
        b.Label("LabelName", "Name (12)");
        b.Edit("OverEdit1", Field(&CurrentEntry, &TItem::Name), 50);
        b.Label("LabelDegree", "Degree");
        b.Edit("OverEdit2", Field(&CurrentEntry, &TItem::Title), 12);
        b.Label("LabelInitialLevel", "Initial Level");
        DialEdit1 = b.Add<TDialEdit>("DialEdit1");
        b.Label("LabelMaxLevel", "Max Level");
        DialEdit2 = b.Add<TDialEdit>("DialEdit2");
        b.CheckBox("CheckBox2", "Critical Hits", Field(&CurrentEntry, &TItem::CriticalEnabled));
        b.Label("LabelCritical", "");
        auto* label = b.Label("Label6", "Once every");
        auto* chance =
            b.DialEdit("DialEdit3", 1, 100, Field(&CurrentEntry, &TItem::CriticalChance));
        EnableWhen({label, chance},
                   [this] { return CurrentEntry && CurrentEntry->CriticalEnabled; });
      });
      b.Group("GroupBoxWalk", "Select Walk Graphic", [&] {
        b.Row([&] {
          ScrollFrame1 = PlainFrame(b, "ScrollFrame1", WalkBoardWidth, WalkBoardHeight);
          b.Column([&] {
            On(b.Button("Button1", "Set..."), &QPushButton::clicked, &TFormEDPlayer::Button1Click);
            b.CheckBox("CheckBox1", "Transp.", Field(&CurrentEntry, &TItem::WalkTransparent));
            b.Stretch();
          });
        });
      });
      b.Group("GroupBoxFace", "Select Face Graphic", [&] {
        ScrollFrame2 = PlainFrame(b, "ScrollFrame2", FaceBoardSize - 2 * FaceInset,
                                  FaceBoardSize - 2 * FaceInset);
        On(b.Button("Button2", "Set..."), &QPushButton::clicked, &TFormEDPlayer::Button2Click);
      });
      b.Stretch();
    });
    // Curves and equipment.
    b.Column([&] {
      b.Grid(2, [&] {
        for (int p = 0; p < HeroParameterCount; ++p) {
          // Borderless: the focus shows as a dotted frame inside the graph.
          auto* graph = b.Add<TScrollFrame>(ParameterNames[p]);
          graph->HorzScrollBar()->SetVisible(false);
          graph->VertScrollBar()->SetVisible(false);
          graph->SetBorderStyle(TScrollFrame::bsNone);
          graph->setFixedSize(GraphWidth, GraphHeight);
          graph->SetTabStop(true);
          graph->SetColor(Qt::black);
          graph->SetOpaque(true);
          Parameters[size_t(p)] = graph;
        }
      });
      b.Group("GroupBoxExp", "Experience Curve", [&] {
        b.Row([&] {
          Panel2 = b.Label("Panel2", "");
          Panel2->setWordWrap(true);
          Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
          Panel2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
          // The line breaks between its three numbers: room for the widest of them (and the
          // indent a framed label keeps) in three lines.
          const QFontMetrics fm = Panel2->fontMetrics();
          int widest = 0;
          for (const QString& part : ExperienceText(50, 50, 40).split(' '))
            widest = std::max(widest, fm.horizontalAdvance(part));
          const int frame = 2 * Panel2->frameWidth();
          Panel2->setMinimumSize(widest + fm.horizontalAdvance('x') / 2 + frame,
                                 3 * fm.height() + frame);
          On(b.Button("Button3", "Set..."), &QPushButton::clicked, &TFormEDPlayer::Button3Click);
        });
      });
      QGroupBox* equipment = b.Group("GroupBoxEquipment", "Initial Equipment", [&] {
        b.Grid(2, [&] {
          for (int slot = 0; slot < HeroEquipmentSlots; ++slot) {
            QLabel* label = b.Label(LabelNames[slot], SlotCaptions[slot]);
            if (slot == 1) Label2 = label;
            QComboBox* combo = ListCombo(b, ComboNames[slot], {}, 8);
            // The page has room for short combos only; their lists open wide enough for
            // whole names.
            combo->view()->setMinimumWidth(200);
            EquipmentCombos[size_t(slot)] = combo;
            On(combo, &QComboBox::currentIndexChanged, [this, slot] { EquipmentChange(slot); });
          }
        });
      });
      // The five rows stand a little closer, so that below the graphs every combo keeps the
      // height of its text.
      if (QLayoutItem* grid = equipment->layout()->itemAt(0); grid && grid->layout())
        static_cast<QGridLayout*>(grid->layout())->setVerticalSpacing(4);
      b.Stretch();
    });
    // Battle, skills, options and ranks.
    b.Column([&] {
      b.Group("GroupBoxUnarmed", "Unarmed Battle Animation", [&] {
        CatalogCombo(b, "ComboBox6", AnimationModel(),
                     Field(&CurrentEntry, &TItem::UnarmedAnimation));
      });
      b.Group("GroupBoxSkills", "Skills", [&] {
        ListView1 = b.Add<TReportList>("ListView1", QStringList{"Level", "Learned Tech Skill"},
                                       std::vector<int>{44, 118});
        ListView1->setMinimumHeight(5 * ListView1->fontMetrics().height() + 24);
      });
      b.Grid(2, [&] {
        // The options keep their whole captions; the columns beside give way.
        for (QCheckBox* option :
             {b.CheckBox("CheckBox3", "2 Sword Style", Field(&CurrentEntry, &TItem::TwoSwords)),
              b.CheckBox("CheckBox4", "Equipment Fix",
                         Field(&CurrentEntry, &TItem::EquipmentFixed)),
              b.CheckBox("CheckBox5", "Control by AI", Field(&CurrentEntry, &TItem::ControlByAi)),
              b.CheckBox("CheckBox6", "Strong Defense",
                         Field(&CurrentEntry, &TItem::StrongDefense))})
          option->setMinimumWidth(option->sizeHint().width());
      });
      b.Row([&] {
        b.CheckBox("CheckBox7",
                   "TechSkill Slot Name:", Field(&CurrentEntry, &TItem::UseSkillSlotName));
        auto* name = b.Edit("OverEdit3", Field(&CurrentEntry, &TItem::SkillSlotName), 10);
        EnableWhen({name}, [this] { return CurrentEntry && CurrentEntry->UseSkillSlotName; });
      });
      b.Row([&] {
        b.Group("GroupBoxConditions", "Condition Effect",
                [&] { MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1"); });
        b.Group("GroupBoxAttributes", "Attribute Effect",
                [&] { MarkListBox2 = b.Add<TMarkListBox>("MarkListBox2"); });
      });
    });
  });

  DialEdit1->SetMinValue(1);
  DialEdit1->SetMaxValue(HeroMaxLevel);
  DialEdit2->SetMinValue(1);
  DialEdit2->SetMaxValue(HeroMaxLevel);
  On(DialEdit1, &QLineEdit::textChanged, [this] { LevelChange(true); });
  On(DialEdit2, &QLineEdit::textChanged, [this] { LevelChange(false); });

  for (int p = 0; p < HeroParameterCount; ++p) {
    TScrollFrame* graph = Parameters[size_t(p)];
    OnPaint(graph, [this, p](QPainter& canvas) { ParameterPaint(p, canvas); });
    On(graph, &TScrollFrame::MouseDown, [graph] { graph->setFocus(); });
    On(graph, &TScrollFrame::DblClick, [this, p] { ParameterDblClick(p); });
    On(graph, &TScrollFrame::KeyDown, [this, p](QKeyEvent* event) {
      const int key = event->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        ParameterDblClick(p);
    });
    On(graph, &TScrollFrame::Enter, [graph] { graph->viewport()->update(); });
    On(graph, &TScrollFrame::Exit, [graph] { graph->viewport()->update(); });
  }

  OnPaint(ScrollFrame1, [this](QPainter& canvas) {
    TGlimraBoard board;
    DrawWalkPreview(board);
    canvas.drawImage(0, 0, BoardToImage(board));
  });
  OnPaint(ScrollFrame2, [this](QPainter& canvas) {
    TGlimraBoard board;
    DrawFacePreview(board);
    canvas.drawImage(-FaceInset, -FaceInset, BoardToImage(board));
  });
  On(ScrollFrame1, &TScrollFrame::DblClick, &TFormEDPlayer::Button1Click);
  On(ScrollFrame2, &TScrollFrame::DblClick, &TFormEDPlayer::Button2Click);

  // The ranks' lines stand for the conditions and attributes by id.
  QStringList conditions, attributes;
  for (int i = 0; StatusList && i < StatusList->GetCount(); ++i)
    conditions.push_back(ToQString(StatusList->Items(i)->Name));
  for (int i = 0; AttribList && i < AttribList->GetCount(); ++i)
    attributes.push_back(ToQString(AttribList->Items(i)->Name));
  for (TMarkListBox* list : {MarkListBox1, MarkListBox2})
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  MarkListBox1->addItems(conditions);
  MarkListBox2->addItems(attributes);
  MarkListBox1->setCurrentRow(0);
  MarkListBox2->setCurrentRow(0);
  On(MarkListBox1, &TMarkListBox::ClickMark, [this] { RankChange(true); });
  On(MarkListBox2, &TMarkListBox::ClickMark, [this] { RankChange(false); });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Menu_LearningItemEdit = PopupMenu1->addAction(QStringLiteral("&Edit..."));
  Menu_LearningItemEdit->setObjectName(QStringLiteral("Menu_LearningItemEdit"));
  Menu_LearningItemDelete = PopupMenu1->addAction(QStringLiteral("&Delete"));
  Menu_LearningItemDelete->setObjectName(QStringLiteral("Menu_LearningItemDelete"));
  ListView1->PopupMenu = PopupMenu1;
  On(ListView1, &TReportList::PopupOpening, &TFormEDPlayer::PopupMenu1Popup);
  On(ListView1, &TReportList::EditRequested, &TFormEDPlayer::MenuLearningItemEditClick);
  On(ListView1, &TReportList::DeleteRequested, &TFormEDPlayer::MenuLearningItemDeleteClick);
  On(Menu_LearningItemEdit, &QAction::triggered, &TFormEDPlayer::MenuLearningItemEditClick);
  On(Menu_LearningItemDelete, &QAction::triggered, &TFormEDPlayer::MenuLearningItemDeleteClick);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(WalkInterval);
  On(Timer1, &QTimer::timeout, &TFormEDPlayer::Timer1Timer);
  Timer1->start();

  Start();
}

TFormEDPlayer::~TFormEDPlayer() = default;

void TFormEDPlayer::UpdateOwnControls() {
  TXelPlayerItem* hero = CurrentEntry;
  if (!hero) return;
  // Both edits take the hero's levels before they limit each other, so neither refuses
  // the other's value.
  DialEdit1->SetMaxValue(HeroMaxLevel);
  DialEdit2->SetMinValue(1);
  DialEdit1->SetValue(hero->InitialLevel);
  DialEdit2->SetValue(hero->MaxLevel);
  DialEdit1->SetMaxValue(std::clamp(int(hero->MaxLevel), 1, HeroMaxLevel));
  DialEdit2->SetMinValue(std::clamp(int(hero->InitialLevel), 1, HeroMaxLevel));
  for (int i = 0; i < MarkListBox1->count(); ++i)
    MarkListBox1->SetMarks(i, hero->GetConditionRank(i + 1));
  for (int i = 0; i < MarkListBox2->count(); ++i)
    MarkListBox2->SetMarks(i, hero->GetAttributeRank(i + 1));
  FillEquipment();
  FillLearnedSkills(true);
  LoadPreviews();
  counter_ = 0;
  RedrawGraphs();
  RefreshEntryControls();
}

void TFormEDPlayer::RefreshEntryControls() {
  const TXelPlayerItem* hero = CurrentEntry;
  if (!hero) return;
  Panel2->setText(ExperienceText(hero->ExpBase, hero->ExpExtra, hero->ExpCorrection));
  Label2->setText(QString::fromLatin1(hero->TwoSwords ? "Weapon:" : "Shield:"));
}

void TFormEDPlayer::BoundValueChanged(QWidget* control) {
  const QString name = control->objectName();
  if (name == QLatin1String("CheckBox3")) {
    TUpdatingScope updating(*this);
    FillEquipment();
  } else if (name == QLatin1String("CheckBox1")) {
    ScrollFrame1->viewport()->update();
  }
  TFormDataBasePage::BoundValueChanged(control);
}

void TFormEDPlayer::LevelChange(bool initial) {
  if (!CurrentEntry) return;
  if (initial) {
    CurrentEntry->InitialLevel = DialEdit1->Value();
    TUpdatingScope updating(*this);
    DialEdit2->SetMinValue(CurrentEntry->InitialLevel);
  } else {
    CurrentEntry->MaxLevel = DialEdit2->Value();
    TUpdatingScope updating(*this);
    DialEdit1->SetMaxValue(CurrentEntry->MaxLevel);
  }
  RedrawGraphs();
  DataModified();
}

void TFormEDPlayer::RankChange(bool conditions) {
  if (!CurrentEntry) return;
  TMarkListBox* list = conditions ? MarkListBox1 : MarkListBox2;
  const int lines = list->count();
  if (conditions)
    CurrentEntry->SetConditionRankCount(lines);
  else
    CurrentEntry->SetAttributeRankCount(lines);
  for (int i = 0; i < lines; ++i) {
    const auto rank = uint8_t(list->Marks(i));
    if (conditions)
      CurrentEntry->SetConditionRank(i + 1, rank);
    else
      CurrentEntry->SetAttributeRank(i + 1, rank);
  }
  DataModified();
}

// ---- equipment ----

void TFormEDPlayer::FillEquipment() {
  const TXelPlayerItem* hero = CurrentEntry;
  for (int slot = 0; slot < HeroEquipmentSlots; ++slot) {
    std::vector<int>& ids = equipmentIds_[size_t(slot)];
    ids = {0};
    if (hero && ItemList) {
      const std::vector<int> candidates =
          EquipmentCandidates(*ItemList, hero->Id, slot, hero->TwoSwords != 0);
      ids.insert(ids.end(), candidates.begin(), candidates.end());
    }
    QStringList names{QStringLiteral("(None)")};
    names.reserve(qsizetype(ids.size()));
    for (size_t i = 1; i < ids.size(); ++i)
      names.push_back(ToQString(ItemList->FindById(ids[i])->Name));
    QComboBox* combo = EquipmentCombos[size_t(slot)];
    combo->clear();
    combo->addItems(names);
    const auto at = hero ? std::find(ids.begin(), ids.end(), hero->GetEquipment(slot)) : ids.end();
    combo->setCurrentIndex(at == ids.end() ? 0 : int(at - ids.begin()));
  }
}

void TFormEDPlayer::EquipmentChange(int slot) {
  if (!CurrentEntry || slot < 0 || slot >= HeroEquipmentSlots) return;
  const std::vector<int>& ids = equipmentIds_[size_t(slot)];
  const int line = EquipmentCombos[size_t(slot)]->currentIndex();
  CurrentEntry->SetEquipment(slot, line >= 0 && size_t(line) < ids.size() ? ids[size_t(line)] : 0);
  if (slot < 2 && ItemList) {
    const int emptied = SlotEmptiedForTwoHands(*ItemList, slot, CurrentEntry->GetEquipment(0),
                                               CurrentEntry->GetEquipment(1));
    if (emptied >= 0) {
      CurrentEntry->SetEquipment(emptied, 0);
      TUpdatingScope updating(*this);
      EquipmentCombos[size_t(emptied)]->setCurrentIndex(0);
    }
  }
  RedrawGraphs();
  DataModified();
}

// ---- learned skills ----

void TFormEDPlayer::FillLearnedSkills(bool reset) {
  std::vector<QStringList> rows;
  if (CurrentEntry) {
    for (const TLearnedSkillRow& row : LearnedSkillRows(CurrentEntry->Learning))
      if (row.EntryId) rows.push_back({ToQString(row.Level), ToQString(row.Skill)});
  }
  ListView1->Fill(rows, reset);
}

void TFormEDPlayer::PopupMenu1Popup() {
  const int count = CurrentEntry ? CurrentEntry->Learning.GetCount() : 0;
  Menu_LearningItemEdit->setEnabled(CurrentEntry &&
                                    (ListView1->OnEntryRow() || count < MaxLearnedSkills));
  Menu_LearningItemDelete->setEnabled(CurrentEntry && ListView1->OnEntryRow());
}

void TFormEDPlayer::MenuLearningItemEditClick() {
  if (!CurrentEntry) return;
  TXelPlayerLearning& learning = CurrentEntry->Learning;
  const int row = ListView1->CurrentRow();
  if (row < 0) return;
  const TXelPlayerLearningItem* entry = learning.GetItem(row);
  if (!entry && learning.GetCount() >= MaxLearnedSkills) return;
  TFormEDPlayerLearning dialog(window());
  if (entry) {
    dialog.Level = entry->Level;
    dialog.SkillId = entry->SkillId;
  }
  for (int i = 0; i < learning.GetCount(); ++i)
    if (i != row) dialog.MarkSkillTaken(learning.GetItem(i)->SkillId);
  if (!dialog.ExecuteAt(540, 200)) return;
  const int stored = StoreLearnedSkill(learning, row, dialog.Level, dialog.SkillId);
  if (stored < 0) return;
  FillLearnedSkills(false);
  ListView1->SetCurrentRow(stored);
  ListView1->scrollToItem(ListView1->topLevelItem(stored + 1));
  ListView1->setFocus();
  DataModified();
}

void TFormEDPlayer::MenuLearningItemDeleteClick() {
  if (!CurrentEntry) return;
  TXelPlayerLearning& learning = CurrentEntry->Learning;
  const int row = ListView1->CurrentRow();
  const TXelPlayerLearningItem* entry = learning.GetItem(row);
  if (row < 0 || !entry) return;
  // By the entry's own id: ids read from a file need not run 1..n.
  learning.RemoveAt(entry->Id);
  FillLearnedSkills(false);
  ListView1->SetCurrentRow(row);
  DataModified();
}

// ---- graphics ----

void TFormEDPlayer::LoadPreviews() {
  const TXelPlayerItem* hero = CurrentEntry;
  walkSheet_.SetSize(WalkSheetWidth, WalkSheetHeight);
  faceSheet_.SetSize(FaceSize, FaceSize);
  LoadSheetCell(walkSheet_, hero ? hero->WalkGraphic : std::string(), "CharSet",
                WalkBlockOrigin(hero ? hero->WalkIndex : 0));
  LoadSheetCell(faceSheet_, hero ? hero->FaceGraphic : std::string(), "FaceSet",
                FaceOrigin(hero ? hero->FaceIndex : 0));
  ScrollFrame1->viewport()->update();
  ScrollFrame2->viewport()->update();
}

void TFormEDPlayer::Timer1Timer() {
  ++counter_;
  ScrollFrame1->viewport()->update();
}

void TFormEDPlayer::DrawWalkPreview(TGlimraBoard& board) {
  board.SetSize(WalkBoardWidth, WalkBoardHeight);
  const uint16_t background = walkSheet_.ColorTable()[0];
  for (int y = 0; y < board.GetHeight(); ++y)
    std::fill_n(board.GetRow(y), board.GetWidth(), background);
  walkSheet_.Opacity = CurrentEntry && CurrentEntry->WalkTransparent ? 160 : 255;
  const TPoint cell = WalkFrameCell(counter_);
  board.StretchDrawSheet(TRect{4, 0, 52, 64}, walkSheet_,
                         TRect{cell.X, cell.Y, cell.X + 24, cell.Y + 32});
}

void TFormEDPlayer::DrawFacePreview(TGlimraBoard& board) {
  board.SetSize(FaceBoardSize, FaceBoardSize);
  board.StretchDrawSheet(TRect{0, 0, FaceBoardSize, FaceBoardSize}, faceSheet_,
                         TRect{0, 0, FaceSize, FaceSize});
}

void TFormEDPlayer::Button1Click() {
  if (!CurrentEntry) return;
  TFormSelChar picker(window());
  picker.FileName = CurrentEntry->WalkGraphic;
  picker.CharIndex = CurrentEntry->WalkIndex;
  if (!picker.ExecuteAt(180, 44)) return;
  CurrentEntry->WalkGraphic = picker.FileName;
  CurrentEntry->WalkIndex = picker.CharIndex;
  LoadPreviews();
  counter_ = 0;
  DataModified();
}

void TFormEDPlayer::Button2Click() {
  if (!CurrentEntry) return;
  TFormSelFace picker(window());
  picker.FileName = CurrentEntry->FaceGraphic;
  picker.FaceIndex = CurrentEntry->FaceIndex;
  if (!picker.ExecuteAt(180, 44)) return;
  CurrentEntry->FaceGraphic = picker.FileName;
  CurrentEntry->FaceIndex = picker.FaceIndex;
  LoadPreviews();
  DataModified();
}

// ---- curves ----

void TFormEDPlayer::RedrawGraphs() {
  for (TScrollFrame* graph : Parameters)
    graph->viewport()->update();
}

void TFormEDPlayer::ParameterPaint(int parameter, QPainter& canvas) {
  TScrollFrame* graph = Parameters[size_t(parameter)];
  const QSize client = graph->ClientSize();
  canvas.fillRect(QRect(QPoint(0, 0), client), Qt::black);
  const TXelPlayerItem* hero = CurrentEntry;
  if (!hero) return;
  const int divisor = ParameterScale(parameter).PageDivisor;
  const QColor color = ParameterColor(parameter);
  for (int level = 1; level <= HeroMaxLevel; ++level) {
    const int top = CurveBarTop(hero->GetParameter(parameter, level), divisor, GraphBaseline);
    if (top < GraphBaseline)
      canvas.fillRect(QRect(2 * (level - 1), top, 2, GraphBaseline - top), color);
  }
  if (graph->hasFocus()) {
    canvas.setPen(QPen(Qt::white, 1, Qt::DotLine));
    canvas.setBrush(Qt::NoBrush);
    canvas.drawRect(QRect(QPoint(1, 1), client - QSize(3, 3)));
  }
  const int now = ItemList ? HeroParameterNow(*hero, parameter, *ItemList)
                           : hero->GetParameter(parameter, hero->InitialLevel);
  canvas.setPen(Qt::white);
  canvas.drawText(QRect(QPoint(2, 2), client), Qt::AlignLeft | Qt::AlignTop,
                  QStringLiteral("Now:%1").arg(now));
}

void TFormEDPlayer::ParameterDblClick(int parameter) {
  if (!CurrentEntry) return;
  TFormEDPlayerParameter dialog(window());
  std::copy(std::begin(CurrentEntry->Curves), std::end(CurrentEntry->Curves),
            dialog.Curves.begin());
  dialog.SetCurrentTab(parameter);
  if (!dialog.Execute()) return;
  std::copy(dialog.Curves.begin(), dialog.Curves.end(), std::begin(CurrentEntry->Curves));
  RedrawGraphs();
  DataModified();
}

void TFormEDPlayer::Button3Click() {
  if (!CurrentEntry) return;
  TFormEDPlayerExp dialog(window());
  dialog.Standard = CurrentEntry->ExpBase;
  dialog.Additional = CurrentEntry->ExpExtra;
  dialog.Corrected = CurrentEntry->ExpCorrection;
  if (!dialog.Execute()) return;
  CurrentEntry->ExpBase = dialog.Standard;
  CurrentEntry->ExpExtra = dialog.Additional;
  CurrentEntry->ExpCorrection = dialog.Corrected;
  DataModified();
}

VELMORA_REGISTER_DATABASE_PAGE(TFormEDPlayer, 0);
