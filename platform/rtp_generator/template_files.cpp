#include "platform/rtp_generator/template_files.h"

#include <utility>

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
#include "core/vocabulary_record.h"
#include "platform/rtp_generator/rtp_materials.h"

namespace {

// Every text of the vocabulary, by field id, so that a new game shows its battles, shops,
// inns and menus in words. Battle texts that follow a name or a number begin with a blank.
constexpr std::pair<int, const char*> TemplateTerms[] = {
    {1, " appears!"},
    {2, "You catch them off guard!"},
    {3, "You got away safely."},
    {4, "You could not escape!"},
    {5, "Victory!"},
    {6, "The party has fallen..."},
    {7, " experience points gained."},
    {8, "Found "},
    {9, " gold!"},
    {10, " obtained!"},
    {11, " attacks!"},
    {12, "A critical hit!"},
    {13, "A painful blow!"},
    {14, " defends."},
    {15, " watches closely."},
    {16, " gathers strength."},
    {17, " explodes!"},
    {18, " runs away."},
    {19, " changes form!"},
    {20, " takes no damage."},
    {21, " damage to the enemy!"},
    {22, " takes no damage."},
    {23, " damage taken!"},
    {24, "The skill failed!"},
    {25, "It had no effect."},
    {26, "Nothing happened."},
    {27, " dodges the attack!"},
    {28, " uses "},
    {29, " recovered!"},
    {30, " went up!"},
    {31, " went down!"},
    {32, " absorbed!"},
    {33, " drained!"},
    {34, " resistance rises."},
    {35, " resistance falls."},
    {36, " levels up!"},
    {37, " learned a new skill!"},
    // Shop style A
    {41, "Welcome! What would you like?"},
    {42, "Anything else?"},
    {43, "Buy"},
    {44, "Sell"},
    {45, "Leave"},
    {46, "Which item would you like?"},
    {47, "How many would you like?"},
    {48, "Thank you!"},
    {49, "What would you like to sell?"},
    {50, "How many will you sell?"},
    {51, "Thank you!"},
    // Shop style B
    {54, "What can I do for you?"},
    {55, "Can I help with anything else?"},
    {56, "Buy"},
    {57, "Sell"},
    {58, "Leave"},
    {59, "What will you buy?"},
    {60, "How many?"},
    {61, "Thanks for your purchase."},
    {62, "What will you sell?"},
    {63, "How many?"},
    {64, "Thanks, come again."},
    // Shop style C
    {67, "Looking for something?"},
    {68, "Need anything more?"},
    {69, "Buy"},
    {70, "Sell"},
    {71, "Leave"},
    {72, "Take your pick."},
    {73, "How many do you need?"},
    {74, "Pleasure doing business."},
    {75, "Show me what you have."},
    {76, "How many are you selling?"},
    {77, "A fair trade."},
    // Inn styles A and B: the price stands between the first two texts.
    {80, "A room costs "},
    {81, " a night."},
    {82, "Would you like to stay?"},
    {83, "Stay"},
    {84, "Leave"},
    {85, "It is "},
    {86, " for one night."},
    {87, "Will you rest here?"},
    {88, "Yes"},
    {89, "No"},
    {92, "Owned"},
    {93, "Equipped"},
    {95, "G"},
    {101, "Fight"},
    {102, "Auto"},
    {103, "Escape"},
    {104, "Attack"},
    {105, "Defend"},
    {106, "Item"},
    {107, "Skill"},
    {108, "Equipment"},
    {110, "Save"},
    {112, "End Game"},
    {114, "New Game"},
    {115, "Continue"},
    {117, "Shutdown"},
    {123, "Level"},
    {124, "HP"},
    {125, "MP"},
    {126, "Normal"},
    {127, "XP"},
    {128, "Lv"},
    {129, "HP"},
    {130, "MP"},
    {131, "MP Cost"},
    {132, "Attack"},
    {133, "Defense"},
    {134, "Mind"},
    {135, "Agility"},
    {136, "Weapon"},
    {137, "Shield"},
    {138, "Armor"},
    {139, "Helmet"},
    {140, "Accessory"},
    {146, "Save to which file?"},
    {147, "Load which file?"},
    {148, "File"},
    {151, "Do you really want to quit?"},
    {152, "Yes"},
    {153, "No"},
};

} // namespace

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
  // Their pages take names of at most 8 characters.
  db.Attribs().GetItemById(1)->Name = "Sword";
  db.Statuses().GetItemById(1)->Name = "Dead"; // the game's fixed first condition
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

  for (const auto& [id, text] : TemplateTerms)
    *db.Vocabulary().Text(id) = text;

  TMemoryStream stream;
  db.SaveToStream(stream);
  return stream.TakeBytes();
}

void WriteDefaultsFile(const std::string& path, const std::string& rtpFolder) {
  TIniFile ini;
  ini.WriteString(SettingsSection, "RuntimePackagePath", IncludeTrailingBackslash(rtpFolder));
  WriteFileAtomically(path, ini.ToBytes());
}
