// The monster-group page's dialogs: the trigger's range check and member fallback, the
// battle test's party rules, and its run of the game runtime, which must leave the
// project's database file exactly as it was.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sstream>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include "core/database_tables.h"
#include "core/file_utils.h"
#include "core/hero_records.h"
#include "core/sound_library.h"
#include "database/ed_mon_group.h"
#include "database_test_env.h"
#include "framework/controls/dial_edit.h"
#include "framework/harness/widget_harness.h"

namespace fs = std::filesystem;

namespace {

class MonGroupDialogs : public DataBaseTestEnv {
protected:
  TScriptedMessageBoxes boxes;
};

TEST_F(MonGroupDialogs, TheTriggerRefusesAnInvertedRangeOnlyWhenItsConditionIsUsed) {
  TXelMonGroupItem* group = DataBase().MonGroups().FindById(1);
  group->Members.Clear();
  group->Members.Append()->MonsterId = 1;
  TFormEDMonGroupBattleEventTrigger dialog;
  dialog.MonsterGroup = group;
  dialog.Trigger.Flags = btExhaustion | btMonsterHp;
  dialog.Trigger.ExhaustionMin = 60;
  dialog.Trigger.ExhaustionMax = 40;
  dialog.Trigger.MonsterIndex = 5; // past the one member
  ShowAndActivate(&dialog);
  auto* ok = FindControl<QPushButton>(&dialog, "ButtonOk");
  ok->click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "The range of the value of the start condition is illegal");
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Trigger.MonsterIndex, 5); // nothing handed back yet

  FindControl<QCheckBox>(&dialog, "CheckBoxE")->click();
  EXPECT_FALSE(FindControl<TDialEdit>(&dialog, "DialEditE1")->isEnabled());
  ok->click();
  EXPECT_EQ(dialog.result(), mrOk);
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(dialog.Trigger.Flags, btMonsterHp);
  EXPECT_EQ(dialog.Trigger.ExhaustionMin, 60);
  EXPECT_EQ(dialog.Trigger.MonsterIndex, 0);
}

TEST_F(MonGroupDialogs, ANewPartySlotTakesTheFirstFreeHeroWithItsInitialStats) {
  TXelPlayerItem* third = DataBase().Players().FindById(3);
  third->InitialLevel = 7;
  third->SetEquipment(2, 0);
  TXelTestPlayer& party = DataBase().System().TestParty;
  party.Clear();
  for (int i = 0; i < 3; ++i) {
    TXelTestPlayerItem* slot = party.Append();
    slot->HeroId = i == 2 ? 5 : i + 1;
    slot->Level = 1;
  }
  TFormEDMonGroupBattleTest dialog;
  ShowAndActivate(&dialog);
  EXPECT_TRUE(FindControl<QRadioButton>(&dialog, "RadioButton4")->isChecked());
  FindControl<QRadioButton>(&dialog, "RadioButton5")->click();
  ASSERT_EQ(dialog.PartySize(), 4);
  EXPECT_EQ(dialog.Slot(3).HeroId, 3);
  EXPECT_EQ(dialog.Slot(3).Level, 7);
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(dialog.Slot(3).GetEquipment(k), third->GetEquipment(k)) << k;
  EXPECT_EQ(FindControl<QTabBar>(&dialog, "TabControl2")->count(), 4);
  FindControl<QPushButton>(&dialog, "ButtonOk")->click();
  ASSERT_EQ(party.GetCount(), 4);
  EXPECT_EQ(party.GetItem(3)->HeroId, 3);

  // One hero: no party of two or more.
  while (DataBase().Players().GetCount() > 1)
    DataBase().Players().RemoveAt(DataBase().Players().GetCount());
  TFormEDMonGroupBattleTest alone;
  ShowAndActivate(&alone);
  for (const char* name : {"RadioButton3", "RadioButton4", "RadioButton5"})
    EXPECT_FALSE(FindControl<QRadioButton>(&alone, name)->isEnabled()) << name;
  EXPECT_EQ(alone.PartySize(), 1);
}

TEST_F(MonGroupDialogs, ATwoHandedWeaponDoesNotShareTheHands) {
  TXelItem& items = DataBase().Items();
  for (int i = 0; i < items.GetCount(); ++i)
    items.GetItem(i)->SetHeroFlag(1, 0);
  auto usable = [&](int id, uint8_t kind, uint8_t twoHanded) {
    TXelItemItem* item = items.FindById(id);
    item->Kind = kind;
    item->TwoHanded = twoHanded;
    item->SetHeroFlag(1, 1);
  };
  usable(2, 1, 1); // a two-handed sword
  usable(3, 2, 0); // a shield
  DataBase().Players().FindById(1)->TwoSwords = 0;
  TXelTestPlayer& party = DataBase().System().TestParty;
  party.Clear();
  TXelTestPlayerItem* hero = party.Append();
  hero->HeroId = 1;
  hero->SetEquipment(1, 3);
  TFormEDMonGroupBattleTest dialog;
  ShowAndActivate(&dialog);
  auto* arms = FindControl<QComboBox>(&dialog, "ComboBox1");
  auto* shield = FindControl<QComboBox>(&dialog, "ComboBox2");
  ASSERT_EQ(shield->currentText(), QString::fromStdString(items.FindById(3)->Name));
  arms->setCurrentIndex(1);
  EXPECT_EQ(dialog.Slot(0).GetEquipment(0), 2);
  EXPECT_EQ(dialog.Slot(0).GetEquipment(1), 0);
  EXPECT_EQ(shield->currentIndex(), 0);
  shield->setCurrentIndex(1);
  EXPECT_EQ(dialog.Slot(0).GetEquipment(1), 3);
  EXPECT_EQ(dialog.Slot(0).GetEquipment(0), 0);
  EXPECT_EQ(arms->currentIndex(), 0);
}

bool SetImmutable(const std::string& path, bool on) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return ok;
}

// Battle tests with a runtime of the test's making and the recording sound library.
class BattleTestRun : public MonGroupDialogs {
protected:
  void SetUp() override {
    MonGroupDialogs::SetUp();
    setenv("VELMORA_SOUND", "null", 1);
    ASSERT_TRUE(LoadSoundLibrary(fs::path(TUNARA_LIBRARY).parent_path().string()));
    setenv("VELMORA_SOUND_LOG", Path("sound.log").c_str(), 1);
    CreateSoundOutput();
    soundSeen_ = Get("sound.log").size();
    original_ = FileBytes();
    TXelTestPlayerItem* hero = DataBase().System().TestParty.Append();
    hero->HeroId = 2;
    hero->Level = 9;
  }
  void TearDown() override {
    FreeSoundLibrary();
    unsetenv("VELMORA_SOUND_LOG");
    unsetenv("VELMORA_SOUND");
    MonGroupDialogs::TearDown();
  }
  // A runtime that notes its folder and arguments and keeps the database it sees, both
  // spelt as given.
  void PlaceRecordingRuntime(const std::string& program = "KOVAX.exe",
                             const std::string& database = "KOVAX.ldb") {
    Put("Project/" + program, "#!/bin/sh\n{ pwd -P; for a in \"$@\"; do echo \"$a\"; done; } > '" +
                                  Path("seen.txt") + "'\ncp " + database + " '" + Path("seen.ldb") +
                                  "'\n");
    chmod(Path("Project/" + program).c_str(), 0755);
  }
  std::string SoundCalls() {
    const std::string log = Get("sound.log");
    std::string calls = log.substr(soundSeen_);
    soundSeen_ = log.size();
    return calls;
  }
  std::string WorkFolder() const { return GetWorkingFolder() + "BattleTest"; }

  std::string original_;
  const std::string sequence_ = "TunaraRelease()\nTunaraCreate()\nTunaraInitWave()\n";

private:
  size_t soundSeen_ = 0;
};

TEST_F(BattleTestRun, TheRuntimeSeesTheTestPartyAndTheFileComesBackUnchanged) {
  PlaceRecordingRuntime();
  RunBattleTest(nullptr, "Monster Group Battle Test", 17);
  EXPECT_TRUE(boxes.Boxes().empty());
  const std::string folder = fs::canonical(Path("Project")).string();
  EXPECT_EQ(Get("seen.txt"), folder + "\nBattleTest\nHideTitle\nFullScreen\n17\n");
  EXPECT_EQ(FileBytes(), original_);
  EXPECT_FALSE(fs::exists(WorkFolder()));
  EXPECT_EQ(SoundCalls(), sequence_);
  // The database the runtime read held the party of the editor's memory.
  ASSERT_TRUE(DataBase().LoadDataBaseFile(Path("seen.ldb")));
  ASSERT_EQ(DataBase().System().TestParty.GetCount(), 1);
  EXPECT_EQ(DataBase().System().TestParty.GetItem(0)->Level, 9);
}

TEST_F(BattleTestRun, AProjectSpeltInLowerCaseGetsBackTheFileTheSaveWrote) {
  // As copied from a file system that ignores case.
  fs::rename(Path("Project/KOVAX.ldb"), Path("Project/kovax.ldb"));
  PlaceRecordingRuntime("kovax.exe", "kovax.ldb");
  const std::string name = DataBase().Players().FindById(1)->Name;
  DataBase().Players().FindById(1)->Name = "Unapplied";
  RunBattleTest(nullptr, "Test", 4);
  EXPECT_TRUE(boxes.Boxes().empty());
  EXPECT_TRUE(Get("Project/kovax.ldb") == original_) << "the file differs from before the test";
  EXPECT_FALSE(Exists("Project/KOVAX.ldb"));
  ASSERT_TRUE(DataBase().LoadDataBaseFile(Path("seen.ldb")));
  EXPECT_EQ(DataBase().Players().FindById(1)->Name, "Unapplied");
  // The window's Cancel reads the file again: the edit is gone.
  ASSERT_TRUE(DataBase().LoadProjectDataBase());
  EXPECT_EQ(DataBase().Players().FindById(1)->Name, name);
}

TEST_F(BattleTestRun, FailuresAreReportedAndTheFileStaysAsItWas) {
  // No runtime in the project.
  RunBattleTest(nullptr, "Test", 1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Process Preparation Fault. Can't Test Battle.");
  EXPECT_EQ(FileBytes(), original_);
  EXPECT_EQ(SoundCalls(), sequence_);
  EXPECT_FALSE(fs::exists(WorkFolder()));

  // A work folder that cannot be made: nothing starts.
  PlaceRecordingRuntime();
  const std::string work = GetWorkingFolder();
  fs::remove_all(work);
  Put(work.substr(Path("").size(), work.size() - Path("").size() - 1), "a file");
  RunBattleTest(nullptr, "Test", 1);
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_EQ(boxes.Boxes()[1].text, "File preparation fault. Can't Test Battle.");
  EXPECT_FALSE(Exists("seen.txt"));
  EXPECT_EQ(SoundCalls(), "");
  fs::remove(work.substr(0, work.size() - 1));
}

TEST_F(BattleTestRun, AProjectThatCannotBeWrittenKeepsItsFile) {
  PlaceRecordingRuntime();
  const std::string project = Path("Project");
  const bool immutable = geteuid() == 0 && SetImmutable(project, true);
  if (geteuid() == 0 && !immutable) GTEST_SKIP() << "no way here to keep root from writing";
  if (!immutable) chmod(project.c_str(), 0555);
  {
    TFormEDMonGroupBattleTest dialog;
    ShowAndActivate(&dialog);
    FindControl<QPushButton>(&dialog, "ImageButton1")->click();
  }
  ASSERT_EQ(boxes.Boxes().size(), 1u); // the save's own error
  EXPECT_EQ(boxes.Boxes()[0].flags, 16);
  if (immutable)
    SetImmutable(project, false);
  else
    chmod(project.c_str(), 0755);
  EXPECT_EQ(FileBytes(), original_);
  EXPECT_FALSE(Exists("seen.txt"));
  EXPECT_EQ(SoundCalls(), sequence_);
  EXPECT_FALSE(fs::exists(WorkFolder()));
}

TEST_F(BattleTestRun, TheStandInRuntimeEndsTheWait) {
  fs::copy_file(KOVAX_RUNTIME, Path("Project/KOVAX.exe"));
  setenv("VELMORA_RUNTIME_LOG", Path("runtime.log").c_str(), 1);
  setenv("VELMORA_RUNTIME_EXIT_MS", "50", 1);
  RunBattleTest(nullptr, "Test", 3);
  unsetenv("VELMORA_RUNTIME_LOG");
  unsetenv("VELMORA_RUNTIME_EXIT_MS");
  EXPECT_NE(Get("runtime.log").find("BattleTest"), std::string::npos);
  EXPECT_EQ(FileBytes(), original_);
  EXPECT_EQ(SoundCalls(), sequence_);
}

} // namespace
