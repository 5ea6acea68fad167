#include "database/ed_system.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStringListModel>
#include <QTimer>

#include "core/bitmap.h"
#include "core/database_names.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/hero_page.h"
#include "core/hero_records.h"
#include "core/material_image.h"
#include "core/screen_transitions.h"
#include "core/system_page.h"
#include "core/system_records.h"
#include "events/event_page_preview.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_material_list.h"
#include "framework/pickers/sel_music.h"

namespace {

constexpr const char* VehicleCaptions[TFormEDSystem::VehicleCount] = {"Boat", "Ship", "Airship"};
constexpr const char* MusicCaptions[TFormEDSystem::MusicCount] = {
    "Title Screen", "Battle", "Battle End", "Inn", "Boat", "Ship", "Airship", "Game Over"};
constexpr const char* SoundCaptions[TFormEDSystem::SoundCount] = {
    "Cursor Movement", "Decision",      "Cancel",         "Buzzer",  "Start Battle", "Escape",
    "Enemy Attack",    "Enemys Damage", "Friends Damage", "Evasion", "Enemy Die",    "Item Use"};

const QStringList EraseTransitions = LatinNames(EraseTransitionNames);
const QStringList ShowTransitions = LatinNames(ShowTransitionNames);

// Sizes of the pictures the previews show.
constexpr int VehicleWidth = 72, VehicleHeight = 128;
constexpr int ScreenWidth = 320, ScreenHeight = 240;
constexpr int SystemWidth = 160, SystemHeight = 80;

std::unique_ptr<TGlimraSheet> MakeSheet(int width, int height) {
  auto sheet = std::make_unique<TGlimraSheet>();
  sheet->SetSize(width, height);
  return sheet;
}

// The block of a walk graphic that holds character Index; a file that does not load
// leaves the sheet cleared.
void LoadVehicleSheet(TGlimraSheet& sheet, const std::string& name, int index) {
  sheet.Clear();
  if (name.empty()) return;
  try {
    TBitmap bitmap;
    LoadMaterialBitmap(bitmap, name, "CharSet");
    const TPoint origin = WalkBlockOrigin(index);
    sheet.LoadFromBitmap(bitmap, origin);
  } catch (const Exception&) {
    sheet.Clear();
  }
}

// A picker's caption names the slot it was opened for.
QString PickerCaption(const QString& own, const char* group) {
  return own + " - " + group;
}

} // namespace

TFormEDSystem::TFormEDSystem(QWidget* parent)
    : TFormDataBaseBase(parent, 13), system_(SystemData),
      titleSheet_(MakeSheet(ScreenWidth, ScreenHeight)),
      gameOverSheet_(MakeSheet(ScreenWidth, ScreenHeight)),
      systemSheet_(MakeSheet(SystemWidth, SystemHeight)) {
  for (auto& sheet : vehicleSheets_)
    sheet = MakeSheet(VehicleWidth, VehicleHeight);
  if (system_) {
    music_ = {&system_->TitleMusic,   &system_->BattleMusic,  &system_->BattleEndMusic,
              &system_->InnMusic,     &system_->BoatMusic,    &system_->ShipMusic,
              &system_->AirshipMusic, &system_->GameOverMusic};
    sounds_ = {&system_->CursorSound,      &system_->DecisionSound,    &system_->CancelSound,
               &system_->BuzzerSound,      &system_->BattleStartSound, &system_->EscapeSound,
               &system_->EnemyAttackSound, &system_->EnemyDamageSound, &system_->HeroDamageSound,
               &system_->EvasionSound,     &system_->EnemyDieSound,    &system_->ItemUseSound};
  }

  TFormBuilder b(this, "FormEDSystem", "System", PageWidth, PageHeight);
  // A preview of Width x Height pixels, drawn by Draw onto a board of that size.
  const auto preview = [&](const char* name, int width, int height,
                           std::function<void(TGlimraBoard&)> draw) {
    auto* view = b.Add<TScrollFrame>(name);
    view->HorzScrollBar()->SetVisible(false);
    view->VertScrollBar()->SetVisible(false);
    view->setFixedSize(width + 2 * view->frameWidth(), height + 2 * view->frameWidth());
    OnPaint(view, [this, view, width, height, draw](QPainter& canvas) {
      TGlimraBoard board;
      board.SetSize(width, height);
      draw(board);
      canvas.drawImage(QRect(QPoint(0, 0), view->ClientSize()), BoardToImage(board));
    });
    return view;
  };
  const auto screen = [&](const char* group, const char* caption, const char* view,
                          TGlimraSheet& sheet, const char* button, void (TFormEDSystem::*click)()) {
    TScrollFrame* frame = nullptr;
    b.Group(group, caption, [&] {
      frame = preview(view, ScreenWidth / 2, ScreenHeight / 2, [&sheet](TGlimraBoard& board) {
        board.StretchDrawSheet(Bounds(0, 0, ScreenWidth / 2, ScreenHeight / 2), sheet,
                               Bounds(0, 0, ScreenWidth, ScreenHeight));
      });
      On(b.Button(button, "Set..."), &QPushButton::clicked, click);
      b.Stretch();
    });
    return frame;
  };
  const auto soundBox = [&](const char* prefix, int tag, const char* caption) {
    const QByteArray name = prefix + QByteArray::number(tag + 1);
    b.Label(("Label" + name).constData(), caption);
    return b.Add<TDashBox>(name.constData());
  };

  b.Tabs("PageControl1", [&] {
    b.Tab("TabSheetGraphics", "Graphics", [&] {
      b.Row([&] {
        b.Group("GroupBoxA", "Vehicle GFX", [&] {
          b.Row([&] {
            for (int t = 0; t < VehicleCount; ++t)
              b.Column([&] {
                b.Label(("LabelA" + QByteArray::number(t + 1)).constData(), VehicleCaptions[t]);
                ScrollFrameA[t] =
                    preview(("ScrollFrameA" + QByteArray::number(t + 1)).constData(), 64, 64,
                            [this, t](TGlimraBoard& board) { DrawVehicle(t, board); });
                On(b.Button(("ButtonA" + QByteArray::number(t + 1)).constData(), "Set..."),
                   &QPushButton::clicked, [this, t] { ButtonAClick(t); });
              });
          });
          b.Stretch();
        });
        ScrollFrameB = screen("GroupBoxB", "Title Graphic", "ScrollFrameB", *titleSheet_, "ButtonB",
                              &TFormEDSystem::ButtonBClick);
        ScrollFrameC = screen("GroupBoxC", "Game Over Graphic", "ScrollFrameC", *gameOverSheet_,
                              "ButtonC", &TFormEDSystem::ButtonCClick);
      });
      b.Row([&] {
        b.Group("GroupBoxG", "Initial System Graphic", [&] {
          ScrollFrameG =
              preview("ScrollFrameG", SystemWidth, SystemHeight, [this](TGlimraBoard& board) {
                board.DrawSheet(0, 0, *systemSheet_, Bounds(0, 0, SystemWidth, SystemHeight));
              });
          On(b.Button("ButtonG", "Set..."), &QPushButton::clicked, &TFormEDSystem::ButtonGClick);
          b.Stretch();
        });
        b.Group("GroupBoxD", "Init Party", [&] {
          b.Grid(2, [&] {
            for (int k = 0; k < 4; ++k) {
              b.Label(("LabelD" + QByteArray::number(k + 1)).constData(),
                      QStringLiteral("%1 Hero").arg(k + 1));
              // As wide as a fixed number of characters: the lines are thousands of names.
              ComboBoxD[k] =
                  ListCombo(b, ("ComboBoxD" + QByteArray::number(k + 1)).constData(), {});
              ComboBoxD[k]->setModel(new QStringListModel(ComboBoxD[k]));
              On(ComboBoxD[k], &QComboBox::currentIndexChanged, [this, k] { ComboBoxDChange(k); });
            }
          });
          b.Stretch();
        });
        b.Stretch();
      });
      b.Stretch();
    });
    b.Tab("TabSheetSound", "Music and Sound", [&] {
      b.Row([&] {
        b.Group("GroupBoxE", "System BGM", [&] {
          b.Grid(2, [&] {
            for (int t = 0; t < MusicCount; ++t) {
              DashBoxE[t] = soundBox("DashBoxE", t, MusicCaptions[t]);
              On(DashBoxE[t], &TDashBox::Clicked, [this, t] { DashBoxEClick(t); });
            }
          });
          b.Stretch();
        });
        b.Group("GroupBoxF", "System Sound Effects", [&] {
          b.Grid(2, [&] {
            for (int t = 0; t < SoundCount; ++t) {
              DashBoxF[t] = soundBox("DashBoxF", t, SoundCaptions[t]);
              On(DashBoxF[t], &TDashBox::Clicked, [this, t] { DashBoxFClick(t); });
            }
          });
          b.Stretch();
        });
      });
    });
    b.Tab("TabSheetTransitions", "Transitions", [&] {
      b.Column([&] {
        static constexpr const char* Captions[3] = {"Teleport Transition", "Start Battle",
                                                    "Battle End"};
        uint8_t TXelSystem::*const fields[6] = {
            &TXelSystem::TeleportErase,    &TXelSystem::TeleportShow,
            &TXelSystem::BattleStartErase, &TXelSystem::BattleStartShow,
            &TXelSystem::BattleEndErase,   &TXelSystem::BattleEndShow};
        for (int g = 0; g < 3; ++g) {
          const QByteArray n = QByteArray::number(g + 1);
          b.Group(("GroupBoxH" + n).constData(), Captions[g], [&] {
            b.Grid(2, [&] {
              for (int k = 2 * g; k < 2 * g + 2; ++k) {
                const QByteArray m = QByteArray::number(k + 1);
                const bool erase = k % 2 == 0;
                b.Label(("LabelH" + m).constData(), erase ? "Erase" : "Show");
                b.ComboBox(("ComboBoxH" + m).constData(),
                           erase ? EraseTransitions : ShowTransitions, Field(&system_, fields[k]));
              }
            });
          });
        }
        b.Stretch();
      });
    });
  });

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(VehicleInterval);
  On(Timer1, &QTimer::timeout, &TFormEDSystem::Timer1Timer);
  Timer1->start();

  {
    TUpdatingScope loading(*this);
    RebuildParty();
    LoadPictures();
    UpdateControls();
  }
  RefreshEntryControls();
}

TFormEDSystem::~TFormEDSystem() = default;

void TFormEDSystem::RefreshEntryControls() {
  for (int t = 0; t < MusicCount; ++t)
    DashBoxE[t]->SetText(music_[t] ? ToQString(music_[t]->FileName) : QString());
  for (int t = 0; t < SoundCount; ++t)
    DashBoxF[t]->SetText(sounds_[t] ? ToQString(sounds_[t]->FileName) : QString());
}

void TFormEDSystem::RebuildParty() {
  TUpdatingScope loading(*this);
  std::vector<int32_t> party;
  if (system_)
    for (int k = 0; k < system_->GetPartyCount(); ++k)
      party.push_back(system_->GetPartyMember(k));
  const int heroes = PlayerList ? PlayerList->GetCount() : 0;
  const TPartyChoices choices = PartyChoices(party, heroes);
  if (system_ && choices.PartyCount != system_->GetPartyCount())
    system_->SetPartyCount(choices.PartyCount);
  // Each name is made once; a plain list model takes thousands of lines at once.
  QStringList heroNames;
  heroNames.reserve(heroes + 1);
  heroNames << QStringLiteral("(None)");
  for (int32_t hero = 1; hero <= heroes; ++hero)
    heroNames << ToQString(HeroNameById(hero));
  for (int k = 0; k < PartyComboCount; ++k) {
    const TPartyCombo& combo = choices.Combos[k];
    QComboBox* box = ComboBoxD[k];
    PartyCandidates[k] = combo.Candidates;
    QStringList names;
    names.reserve(static_cast<int>(combo.Candidates.size()));
    for (int32_t hero : combo.Candidates)
      names << heroNames[hero];
    static_cast<QStringListModel*>(box->model())->setStringList(names);
    box->setEnabled(combo.Enabled);
    box->setCurrentIndex(combo.Enabled ? combo.Index : -1);
  }
}

void TFormEDSystem::ComboBoxDChange(int tag) {
  if (!system_) return;
  const int line = ComboBoxD[tag]->currentIndex();
  if (line < 0 || line >= static_cast<int>(PartyCandidates[tag].size())) return;
  if (tag + 1 > system_->GetPartyCount()) system_->SetPartyCount(tag + 1);
  system_->SetPartyMember(tag, PartyCandidates[tag][line]);
  RebuildParty();
  DataModified();
}

void TFormEDSystem::LoadPictures() {
  if (system_) {
    const std::string* names[VehicleCount] = {&system_->BoatGraphic, &system_->ShipGraphic,
                                              &system_->AirshipGraphic};
    const int indexes[VehicleCount] = {system_->BoatIndex, system_->ShipIndex,
                                       system_->AirshipIndex};
    for (int t = 0; t < VehicleCount; ++t)
      LoadVehicleSheet(*vehicleSheets_[t], *names[t], indexes[t]);
    LoadMaterialSheet(*titleSheet_, system_->TitleGraphic, "Title", false);
    LoadMaterialSheet(*gameOverSheet_, system_->GameOverGraphic, "GameOver", false);
    LoadMaterialSheet(*systemSheet_, system_->SystemGraphic, "System", false);
  }
  for (TScrollFrame* view : {ScrollFrameA[0], ScrollFrameA[1], ScrollFrameA[2], ScrollFrameB,
                             ScrollFrameC, ScrollFrameG})
    view->viewport()->update();
}

void TFormEDSystem::DrawVehicle(int tag, TGlimraBoard& board) {
  const TPoint cell = VehicleFrameCell(VehicleTick);
  DrawCharacterFrame(board, *vehicleSheets_[tag], Bounds(8, 0, 48, 64),
                     Bounds(cell.X, cell.Y, 24, 32), false);
}

void TFormEDSystem::Timer1Timer() {
  ++VehicleTick;
  for (TScrollFrame* view : ScrollFrameA)
    view->viewport()->update();
}

void TFormEDSystem::ButtonAClick(int tag) {
  if (!system_) return;
  std::string* names[VehicleCount] = {&system_->BoatGraphic, &system_->ShipGraphic,
                                      &system_->AirshipGraphic};
  int32_t* indexes[VehicleCount] = {&system_->BoatIndex, &system_->ShipIndex,
                                    &system_->AirshipIndex};
  TFormSelChar picker(this);
  picker.setWindowTitle(PickerCaption("Vehicle GFX", VehicleCaptions[tag]));
  picker.FileName = *names[tag];
  picker.CharIndex = *indexes[tag];
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(20, 36); })) return;
  *names[tag] = picker.FileName;
  *indexes[tag] = picker.CharIndex;
  LoadPictures();
  DataModified();
}

void TFormEDSystem::ButtonBClick() {
  if (!system_) return;
  TFormSelTitle picker(this);
  picker.FileName = system_->TitleGraphic;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(224, 36); })) return;
  system_->TitleGraphic = picker.FileName;
  LoadPictures();
  DataModified();
}

void TFormEDSystem::ButtonCClick() {
  if (!system_) return;
  TFormSelGameOver picker(this);
  picker.FileName = system_->GameOverGraphic;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(224, 36); })) return;
  system_->GameOverGraphic = picker.FileName;
  LoadPictures();
  DataModified();
}

void TFormEDSystem::ButtonGClick() {
  if (!system_) return;
  TFormSelSystem picker(this);
  picker.FileName = system_->SystemGraphic;
  picker.WallpaperMode = system_->Wallpaper;
  picker.FontIndex = system_->Font;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(20, 136); })) return;
  system_->SystemGraphic = picker.FileName;
  system_->Wallpaper = picker.WallpaperMode;
  system_->Font = picker.FontIndex;
  LoadPictures();
  DataModified();
}

void TFormEDSystem::DashBoxEClick(int tag) {
  if (!music_[tag]) return;
  TFormSelMusic picker(this);
  picker.setWindowTitle(PickerCaption(picker.windowTitle(), MusicCaptions[tag]));
  picker.Music.Assign(*music_[tag]);
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(168, 96); })) return;
  music_[tag]->Assign(picker.Music);
  DataModified();
}

void TFormEDSystem::DashBoxFClick(int tag) {
  if (!sounds_[tag]) return;
  TFormSelSound picker(this);
  picker.setWindowTitle(PickerCaption(picker.windowTitle(), SoundCaptions[tag]));
  picker.Sound.Assign(*sounds_[tag]);
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(360, 96); })) return;
  sounds_[tag]->Assign(picker.Sound);
  DataModified();
}

VELMORA_REGISTER_DATABASE_PAGE(TFormEDSystem, 11);
