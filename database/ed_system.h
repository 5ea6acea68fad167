// The "System" page: the single system record's vehicle, title, game-over and system
// graphics with their previews, the initial party, the system music and sounds, and the
// screen transitions. It has no entry list.
#pragma once

#include <QPoint>
#include <array>
#include <memory>

#include "database/database_page.h"

class QComboBox;
class QTimer;
class TDashBox;
class TGlimraBoard;
class TGlimraSheet;
class TScrollFrame;
class TXelMusic;
class TXelSound;
class TXelSystem;

class TFormEDSystem : public TFormDataBaseBase {
  Q_OBJECT
public:
  explicit TFormEDSystem(QWidget* parent);
  ~TFormEDSystem() override;

  static constexpr int VehicleCount = 3;
  static constexpr int MusicCount = 8;
  static constexpr int SoundCount = 12;
  // The vehicle previews' frame time in milliseconds.
  static constexpr int VehicleInterval = 266;

  void RefreshEntryControls() override;

  void ButtonAClick(int tag);
  void ButtonBClick();
  void ButtonCClick();
  void ButtonGClick();
  void ComboBoxDChange(int tag);
  void DashBoxEClick(int tag);
  void DashBoxFClick(int tag);
  // A frame of the vehicle animation: the next cell, every preview drawn again.
  void Timer1Timer();
  int VehicleTick = 0;
  // The vehicle preview of Tag for the current tick: its cell doubled on colour 0.
  void DrawVehicle(int tag, TGlimraBoard& board);

private:
  QTimer* Timer1;
  // The four party combos from the party; a member they cannot show cuts the party.
  void RebuildParty();
  void LoadPictures();

  // The record edited; none while no database is loaded.
  TXelSystem* system_;
  std::array<TXelMusic*, MusicCount> music_{};
  std::array<TXelSound*, SoundCount> sounds_{};
  std::array<std::vector<int32_t>, 4> PartyCandidates;
  std::array<std::unique_ptr<TGlimraSheet>, VehicleCount> vehicleSheets_;
  std::unique_ptr<TGlimraSheet> titleSheet_;
  std::unique_ptr<TGlimraSheet> gameOverSheet_;
  std::unique_ptr<TGlimraSheet> systemSheet_;

  std::array<TScrollFrame*, VehicleCount> ScrollFrameA{};
  TScrollFrame* ScrollFrameB;
  TScrollFrame* ScrollFrameC;
  TScrollFrame* ScrollFrameG;
  std::array<QComboBox*, 4> ComboBoxD{};
  std::array<TDashBox*, MusicCount> DashBoxE{};
  std::array<TDashBox*, SoundCount> DashBoxF{};
};
