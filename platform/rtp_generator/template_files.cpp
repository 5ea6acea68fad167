#include "platform/rtp_generator/template_files.h"

#include "core/animation_record.h"
#include "core/atomic_file.h"
#include "core/attribute_records.h"
#include "core/chipset_record.h"
#include "core/database.h"
#include "core/file_utils.h"
#include "core/hero_records.h"
#include "core/ini_file.h"
#include "core/monster_records.h"
#include "core/settings.h"
#include "core/stream.h"
#include "core/switch_records.h"
#include "core/system_records.h"
#include "platform/rtp_generator/rtp_materials.h"

std::vector<uint8_t> MakeTemplateDataBase() {
  TXelDataBase db; // reset: one entry at its defaults in every list
  // Every entry is named, so lists and combo boxes offer something to pick.
  db.ChipSets().GetItemById(1)->Name = "Field";
  db.Players().GetItemById(1)->Name = "Hero";
  db.Skills().GetItemById(1)->Name = "Skill";
  db.Items().GetItemById(1)->Name = "Item";
  db.Monsters().GetItemById(1)->Name = "Monster";
  db.MonGroups().GetItemById(1)->Name = "Monster";
  db.Grounds().GetItemById(1)->Name = "Terrain";
  db.Attribs().GetItemById(1)->Name = "Attribute";
  db.Statuses().GetItemById(1)->Name = "Condition";
  db.Animations().GetItemById(1)->Name = "Animation";
  db.CommonEvents().GetItemById(1)->Name = "Common Event";
  db.Switches().GetItemById(1)->Name = "Switch";
  db.Variables().GetItemById(1)->Name = "Variable";
  db.ChipSets().GetItemById(1)->Graphic = RtpName::ChipSet;
  TXelPlayerItem& hero = *db.Players().GetItemById(1);
  hero.WalkGraphic = RtpName::CharSet;
  hero.WalkIndex = 0;
  hero.FaceGraphic = RtpName::FaceSet;
  hero.FaceIndex = 0;
  db.Monsters().GetItemById(1)->Graphic = RtpName::Monster;
  db.Animations().GetItemById(1)->Graphic = RtpName::Battle;
  db.Grounds().GetItemById(1)->BattleBackground = RtpName::Backdrop;

  TXelSystem& system = db.System();
  system.BoatGraphic = system.ShipGraphic = system.AirshipGraphic = RtpName::CharSet;
  system.BoatIndex = RtpBoatIndex;
  system.ShipIndex = RtpShipIndex;
  system.AirshipIndex = RtpAirshipIndex;
  system.TitleGraphic = RtpName::Title;
  system.GameOverGraphic = RtpName::GameOver;
  system.SystemGraphic = RtpName::System;
  system.TestBackground = RtpName::Backdrop;
  system.TitleMusic.FileName = RtpName::Music;
  system.DecisionSound.FileName = RtpName::Sound;

  TMemoryStream stream;
  db.SaveToStream(stream);
  return stream.TakeBytes();
}

void WriteDefaultsFile(const std::string& path, const std::string& rtpFolder) {
  TIniFile ini;
  ini.WriteString(SettingsSection, "RuntimePackagePath", IncludeTrailingBackslash(rtpFolder));
  WriteFileAtomically(path, ini.ToBytes());
}
