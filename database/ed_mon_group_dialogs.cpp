// The monster-group page's two dialogs: the trigger of a battle-event page and the battle
// test, with the run of the game runtime that the test starts.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <cstdio>
#include <string>

#include "core/database.h"
#include "core/database_tables.h"
#include "core/errors.h"
#include "core/file_utils.h"
#include "core/hero_equipment.h"
#include "core/hero_records.h"
#include "core/music_playback.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "core/sound_library.h"
#include "database/ed_mon_group.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/message_box.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_pieces.h"
#include "framework/pickers/name_pieces.h"
#include "shell/process_wait.h"

namespace {

constexpr const char* SIllegalTriggerRange =
    "The range of the value of the start condition is illegal";
constexpr const char* SFilePreparationFault = "File preparation fault. Can't Test Battle.";
constexpr const char* SProcessPreparationFault = "Process Preparation Fault. Can't Test Battle.";

constexpr uint8_t TriggerBits[7] = {btSwitchA,    btSwitchB,   btVariable, btTurn,
                                    btExhaustion, btMonsterHp, btHeroHp};

} // namespace

// --- the trigger ---

TFormEDMonGroupBattleEventTrigger::TFormEDMonGroupBattleEventTrigger(QWidget* owner)
    : TFormXelBase(owner) {
  TFormBuilder b(this, "FormEDMonGroupBattleEventTrigger", "Battle Group EventTrigger", 389, 317);
  std::vector<QWidget*> rows[7];
  auto check = [&](int i, const char* name, const char* caption) {
    QCheckBox* box =
        b.CheckBox(name, QString::fromLatin1(caption), &checks_[static_cast<size_t>(i)]);
    On(box, &QCheckBox::clicked, [this] {
      uint8_t flags = 0;
      for (int k = 0; k < 7; ++k)
        if (checks_[static_cast<size_t>(k)]) flags |= TriggerBits[k];
      edit_.Flags = flags;
      RefreshTriggerControls();
    });
  };
  auto label = [&](int i, const char* name, const char* caption) {
    rows[i].push_back(b.Label(name, QString::fromLatin1(caption)));
  };
  auto dial = [&](int i, const char* name, int low, int high, int32_t* field) {
    rows[i].push_back(b.DialEdit(name, low, high, field));
  };
  b.Column([&] {
    b.Row([&] {
      check(0, "CheckBoxA", "Switch");
      rows[0].push_back(SwitchBox(*this, b, "DashBoxA", &edit_.SwitchAId));
      label(0, "LabelA", "- ON");
      b.Stretch();
    });
    b.Row([&] {
      check(1, "CheckBoxB", "Switch");
      rows[1].push_back(SwitchBox(*this, b, "DashBoxB", &edit_.SwitchBId));
      label(1, "LabelB", "- ON");
      b.Stretch();
    });
    b.Row([&] {
      check(2, "CheckBoxC", "Variable");
      rows[2].push_back(VariableBox(*this, b, "DashBoxC", &edit_.VariableId));
      label(2, "LabelC1", " >=");
      b.Stretch();
    });
    b.Row([&] {
      b.Stretch();
      dial(2, "DialEditC", -999999, 999999, &edit_.VariableValue);
      label(2, "LabelC2", "Greater than or Equal to");
    });
    b.Row([&] {
      check(3, "CheckBoxD", "Turn No.  Every");
      dial(3, "DialEditD1", 0, 100, &edit_.TurnA);
      label(3, "LabelD1", "turns starting from turn ");
      dial(3, "DialEditD2", 0, 100, &edit_.TurnB);
      label(3, "LabelD2", "");
      b.Stretch();
    });
    b.Row([&] {
      check(4, "CheckBoxE", "Exhaustion");
      label(4, "LabelE1", "% is between");
      dial(4, "DialEditE1", 0, 100, &edit_.ExhaustionMin);
      label(4, "LabelE2", "and");
      dial(4, "DialEditE2", 0, 100, &edit_.ExhaustionMax);
      b.Stretch();
    });
    b.Row([&] {
      check(5, "CheckBoxF", "Monsters");
      ComboBoxF = ListCombo(b, "ComboBoxF", {});
      b.Bind(
          ComboBoxF, &QComboBox::currentIndexChanged, TField<int>(&edit_.MonsterIndex),
          [](QComboBox* c, int v) { c->setCurrentIndex(v); },
          [](QComboBox* c) { return std::max(c->currentIndex(), 0); });
      rows[5].push_back(ComboBoxF);
      label(5, "LabelF1", " HP %");
      b.Stretch();
    });
    b.Row([&] {
      b.Stretch();
      label(5, "LabelF2", "is inbetween");
      dial(5, "DialEditF1", 0, 100, &edit_.MonsterHpMin);
      label(5, "LabelF3", "and");
      dial(5, "DialEditF2", 0, 100, &edit_.MonsterHpMax);
    });
    b.Row([&] {
      check(6, "CheckBoxG", "Hero");
      rows[6].push_back(CatalogCombo(b, "ComboBoxG", HeroModel(), &edit_.HeroId));
      label(6, "LabelG1", " HP %");
      b.Stretch();
    });
    b.Row([&] {
      b.Stretch();
      label(6, "LabelG2", "is inbetween");
      dial(6, "DialEditG1", 0, 100, &edit_.HeroHpMin);
      label(6, "LabelG3", "and");
      dial(6, "DialEditG2", 0, 100, &edit_.HeroHpMax);
    });
    b.Row([&] {
      b.Stretch();
      b.StandardButtons(false);
    });
  });
  for (int i = 0; i < 7; ++i)
    EnableWhen(rows[i], [this, i] { return checks_[static_cast<size_t>(i)]; });
  OnDatabaseChanged = [this] { DatabaseChanged = true; };
}

void TFormEDMonGroupBattleEventTrigger::FormShow() {
  edit_.Assign(Trigger);
  {
    TUpdatingScope updating(*this);
    ComboBoxF->clear();
    const int members = MonsterGroup ? MonsterGroup->Members.GetCount() : 0;
    for (int i = 0; i < members; ++i)
      ComboBoxF->addItem(ToQString(MemberLine(*MonsterGroup, i)));
  }
  RefreshTriggerControls();
}

void TFormEDMonGroupBattleEventTrigger::RefreshTriggerControls() {
  for (int i = 0; i < 7; ++i)
    checks_[static_cast<size_t>(i)] = (edit_.Flags & TriggerBits[i]) != 0;
  // A member that the group no longer has is shown, and kept, as the first.
  if ((edit_.Flags & btMonsterHp) &&
      (edit_.MonsterIndex < 0 || edit_.MonsterIndex >= ComboBoxF->count()))
    edit_.MonsterIndex = 0;
  if ((edit_.Flags & btHeroHp) &&
      (!PlayerList || edit_.HeroId < 1 || edit_.HeroId > PlayerList->GetCount()))
    edit_.HeroId = 1;
  UpdateControls();
}

void TFormEDMonGroupBattleEventTrigger::ButtonOkClick() {
  const auto valid = [this](uint8_t bit, int low, int high) {
    return !(edit_.Flags & bit) || low <= high;
  };
  if (!valid(btExhaustion, edit_.ExhaustionMin, edit_.ExhaustionMax) ||
      !valid(btMonsterHp, edit_.MonsterHpMin, edit_.MonsterHpMax) ||
      !valid(btHeroHp, edit_.HeroHpMin, edit_.HeroHpMax)) {
    ShowErrorBox(QString::fromLatin1(SIllegalTriggerRange), this);
    return;
  }
  Trigger.Assign(edit_);
  done(mrOk);
}

std::vector<int> TFormEDMonGroupBattleEventTrigger::CallerData() const {
  const TXelBattleEventTrigger& t = Trigger;
  return {t.Flags,        t.SwitchAId,    t.SwitchBId,     t.VariableId,    t.VariableValue,
          t.TurnA,        t.TurnB,        t.ExhaustionMin, t.ExhaustionMax, t.MonsterIndex,
          t.MonsterHpMin, t.MonsterHpMax, t.HeroId,        t.HeroHpMin,     t.HeroHpMax};
}

VELMORA_REGISTER_FORM(TFormEDMonGroupBattleEventTrigger, TFormGroup::Dialog, 0);

// --- the battle test ---

TFormEDMonGroupBattleTest::TFormEDMonGroupBattleTest(QWidget* owner) : TFormXelBase(owner) {
  for (auto& slot : slots_)
    slot = std::make_unique<TXelTestPlayerItem>(0);
  TFormBuilder b(this, "FormEDMonGroupBattleTest", "Monster Group Battle Test", 401, 353);
  b.Column([&] {
    b.Group("GroupBox1", "Party Size", [&] {
      b.Radios(&radio_, [&] {
        b.Row([&] {
          const char* captions[5] = {"None", "1 ", "2", "3", "4"};
          for (int n = 0; n < 5; ++n) {
            const std::string name = "RadioButton" + std::to_string(n + 1);
            RadioButtons[static_cast<size_t>(n)] =
                b.Radio(name.c_str(), QString::fromLatin1(captions[n]));
            On(RadioButtons[static_cast<size_t>(n)], &QRadioButton::clicked,
               [this, n] { RadioButtonClick(n); });
          }
        });
      });
    });
    GroupBox2 = b.Group("GroupBox2", "Status", [&] {
      TabControl2 = b.Add<QTabBar>("TabControl2");
      TabControl2->setExpanding(false);
      // The bar keeps the height of its tabs while the party has none.
      TabControl2->addTab(QStringLiteral("Hero 1"));
      TabControl2->setMinimumHeight(TabControl2->sizeHint().height());
      b.Row([&] {
        b.Group("GroupBox3", "Hero", [&] { ComboBox6 = ListCombo(b, "ComboBox6", {}); });
        b.Group("GroupBox4", "Level", [&] {
          DialEdit1 = b.Add<TDialEdit>("DialEdit1");
          DialEdit1->SetMinValue(1);
          DialEdit1->SetMaxValue(50);
          DialEdit1->SetValue(1);
        });
        b.Column([&] {
          b.Stretch();
          On(b.Button("Button1", "Initial stat."), &QPushButton::clicked,
             &TFormEDMonGroupBattleTest::Button1Click);
        });
      });
      b.Row([&] {
        b.Group("GroupBox5", "Equipment", [&] {
          b.Grid(2, [&] {
            const char* captions[5] = {"Arms :", "Shield :", "Armor :", "Helmet :", "Other :"};
            for (int k = 0; k < 5; ++k) {
              const std::string label = "Label" + std::to_string(k + 1);
              const std::string combo = "ComboBox" + std::to_string(k + 1);
              QLabel* caption = b.Label(label.c_str(), QString::fromLatin1(captions[k]));
              if (k == 1) Label2 = caption;
              Equipment[static_cast<size_t>(k)] = ListCombo(b, combo.c_str(), {});
              On(Equipment[static_cast<size_t>(k)], &QComboBox::currentIndexChanged,
                 [this, k] { EquipmentChange(k); });
            }
          });
        });
        b.Group("GroupBox6", "Ability value", [&] {
          b.Grid(2, [&] {
            const char* captions[6] = {"Max HP", "Max MP", "Attack", "Defense", "Mind", "Agility"};
            for (int p = 0; p < 6; ++p) {
              const std::string label = "Label" + std::to_string(p + 6);
              const std::string value = "Label" + std::to_string(p + 12);
              b.Label(label.c_str(), QString::fromLatin1(captions[p]));
              Abilities[static_cast<size_t>(p)] = b.Label(value.c_str(), QStringLiteral("0"));
              Abilities[static_cast<size_t>(p)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
              Abilities[static_cast<size_t>(p)]->setMinimumWidth(48);
            }
          });
        });
      });
    });
    b.Row([&] {
      ImageButton1 = b.Add<TImageButton>("ImageButton1", QStringLiteral("Start Test"));
      b.Stretch();
      b.StandardButtons(false);
    });
  });
  // Hidden while the party is empty, the status keeps its room: the dialog does not jump.
  QSizePolicy keep = GroupBox2->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  GroupBox2->setSizePolicy(keep);
  On(ImageButton1, &QPushButton::clicked, &TFormEDMonGroupBattleTest::ImageButton1Click);
  On(ComboBox6, &QComboBox::currentIndexChanged, &TFormEDMonGroupBattleTest::HeroChange);
  On(DialEdit1, &QLineEdit::textChanged, [this] {
    Current().Level = DialEdit1->Value();
    ShowTestAbilities();
  });
  On(TabControl2, &QTabBar::currentChanged, [this] {
    TabControl2->setFocus();
    SelectTestHero();
    ShowTestAbilities();
  });
  auto action = [&](const char* name, QList<QKeySequence> keys, std::function<void()> run) {
    auto* a = new QAction(this);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcuts(keys);
    addAction(a);
    On(a, &QAction::triggered, run);
  };
  action("ActionBattleTest", {QKeySequence(Qt::Key_F9)}, [this] { ImageButton1Click(); });
  action("ActionCtrlTab", {QKeySequence(Qt::CTRL | Qt::Key_Tab)}, [this] { NextTab(1); });
  action("ActionShiftCtrlTab",
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab)},
         [this] { NextTab(-1); });

  // The party kept in the system record.
  if (SystemData) {
    const TXelTestPlayer& party = SystemData->TestParty;
    size_ = std::min(party.GetCount(), static_cast<int>(slots_.size()));
    for (int i = 0; i < size_; ++i)
      slots_[static_cast<size_t>(i)]->Assign(*party.GetItem(i));
  }
}

void TFormEDMonGroupBattleTest::FormShow() {
  const int heroes = PlayerList ? PlayerList->GetCount() : 0;
  for (int n = 2; n <= 4; ++n)
    RadioButtons[static_cast<size_t>(n)]->setEnabled(heroes >= n);
  size_ = std::min(size_, heroes);
  radio_ = size_;
  UpdateControls();
  RefreshHeroTabs();
  ShowTestAbilities();
}

void TFormEDMonGroupBattleTest::RadioButtonClick(int size) {
  size = std::clamp(size, 0, 4);
  if (size > size_) {
    for (int i = size_; i < size; ++i) {
      std::vector<int> earlier;
      for (int k = 0; k < i; ++k)
        earlier.push_back(slots_[static_cast<size_t>(k)]->HeroId);
      slots_[static_cast<size_t>(i)]->HeroId = FirstFreeHero(earlier);
      ApplyInitialStats(i);
    }
  }
  size_ = size;
  {
    TUpdatingScope updating(*this);
    radio_ = size;
    RadioButtons[static_cast<size_t>(size)]->setChecked(true);
  }
  RefreshHeroTabs();
  ShowTestAbilities();
}

void TFormEDMonGroupBattleTest::RefreshHeroTabs() {
  {
    TUpdatingScope updating(*this);
    const int keep = TabControl2->currentIndex();
    while (TabControl2->count() > 0)
      TabControl2->removeTab(TabControl2->count() - 1);
    for (int i = 1; i <= size_; ++i)
      TabControl2->addTab(QStringLiteral("Hero %1").arg(i));
    TabControl2->setCurrentIndex(size_ > 0 ? std::clamp(keep, 0, size_ - 1) : -1);
  }
  GroupBox2->setVisible(size_ > 0);
  SelectTestHero();
}

void TFormEDMonGroupBattleTest::SelectTestHero() {
  if (size_ <= 0) return;
  TUpdatingScope updating(*this);
  tab_ = std::clamp(TabControl2->currentIndex(), 0, size_ - 1);
  FillHeroChoices();
  FillEquipmentChoices();
  const TXelPlayerItem* hero = PlayerList ? PlayerList->FindById(Current().HeroId) : nullptr;
  const int low = hero ? std::max(hero->InitialLevel, 1) : 1;
  const int high = hero ? std::max(hero->MaxLevel, low) : 50;
  DialEdit1->SetMinValue(low);
  DialEdit1->SetMaxValue(high);
  Current().Level = std::clamp(Current().Level, low, high);
  DialEdit1->SetValue(Current().Level);
}

void TFormEDMonGroupBattleTest::FillHeroChoices() {
  std::vector<int> others;
  for (int i = 0; i < size_; ++i)
    if (i != tab_) others.push_back(slots_[static_cast<size_t>(i)]->HeroId);
  heroIds_ = HeroChoices(PlayerList ? PlayerList->GetCount() : 0, others);
  ComboBox6->clear();
  int line = 0;
  for (size_t i = 0; i < heroIds_.size(); ++i) {
    ComboBox6->addItem(ToQString(PlayerList->FindById(heroIds_[i])->Name));
    if (heroIds_[i] == Current().HeroId) line = static_cast<int>(i);
  }
  ComboBox6->setCurrentIndex(heroIds_.empty() ? -1 : line);
  if (!heroIds_.empty() && heroIds_[static_cast<size_t>(line)] != Current().HeroId) {
    Current().HeroId = heroIds_[static_cast<size_t>(line)];
    ApplyInitialStats(tab_);
  }
}

void TFormEDMonGroupBattleTest::FillEquipmentChoices() {
  const TXelPlayerItem* hero = PlayerList ? PlayerList->FindById(Current().HeroId) : nullptr;
  const bool twoSwords = hero && hero->TwoSwords;
  Label2->setText(twoSwords ? QStringLiteral("Weapon:") : QStringLiteral("Shield:"));
  for (int k = 0; k < 5; ++k) {
    std::vector<int>& ids = itemIds_[static_cast<size_t>(k)];
    ids = {0};
    if (ItemList) {
      const std::vector<int> usable =
          EquipmentCandidates(*ItemList, Current().HeroId, k, twoSwords);
      ids.insert(ids.end(), usable.begin(), usable.end());
    }
    QComboBox* combo = Equipment[static_cast<size_t>(k)];
    combo->clear();
    combo->addItem(QStringLiteral("(None)"));
    int line = 0;
    for (size_t i = 1; i < ids.size(); ++i) {
      combo->addItem(ToQString(ItemList->FindById(ids[i])->Name));
      if (ids[i] == Current().GetEquipment(k)) line = static_cast<int>(i);
    }
    combo->setCurrentIndex(line);
  }
  for (int k = 0; k < 5; ++k)
    EquipmentChange(k);
}

void TFormEDMonGroupBattleTest::EquipmentChange(int slot) {
  if (size_ <= 0) return;
  QComboBox* combo = Equipment[static_cast<size_t>(slot)];
  const std::vector<int>& ids = itemIds_[static_cast<size_t>(slot)];
  const int line = combo->currentIndex();
  Current().SetEquipment(
      slot, line > 0 && line < static_cast<int>(ids.size()) ? ids[static_cast<size_t>(line)] : 0);
  if (slot <= 1 && ItemList) {
    const int emptied = SlotEmptiedForTwoHands(*ItemList, slot, Current().GetEquipment(0),
                                               Current().GetEquipment(1));
    if (emptied >= 0) {
      Current().SetEquipment(emptied, 0);
      TUpdatingScope updating(*this);
      Equipment[static_cast<size_t>(emptied)]->setCurrentIndex(0);
    }
  }
  ShowTestAbilities();
}

void TFormEDMonGroupBattleTest::HeroChange() {
  const int line = ComboBox6->currentIndex();
  if (line < 0 || line >= static_cast<int>(heroIds_.size())) return;
  Current().HeroId = heroIds_[static_cast<size_t>(line)];
  ApplyInitialStats(tab_);
  SelectTestHero();
  ShowTestAbilities();
}

void TFormEDMonGroupBattleTest::Button1Click() {
  if (size_ <= 0) return;
  ApplyInitialStats(tab_);
  SelectTestHero();
  ShowTestAbilities();
}

void TFormEDMonGroupBattleTest::ApplyInitialStats(int slot) {
  TXelTestPlayerItem& item = *slots_[static_cast<size_t>(slot)];
  const TXelPlayerItem* hero = PlayerList ? PlayerList->FindById(item.HeroId) : nullptr;
  if (!hero) return;
  item.Level = hero->InitialLevel;
  for (int k = 0; k < 5; ++k)
    item.SetEquipment(k, hero->GetEquipment(k));
}

void TFormEDMonGroupBattleTest::ShowTestAbilities() {
  ImageButton1->setEnabled(size_ > 0);
  if (size_ <= 0 || !PlayerList || !ItemList) return;
  const TXelTestPlayerItem& slot = Current();
  const TXelPlayerItem* hero = PlayerList->FindById(slot.HeroId);
  if (!hero) return;
  std::array<int, 5> equipment{};
  for (int k = 0; k < 5; ++k)
    equipment[static_cast<size_t>(k)] = slot.GetEquipment(k);
  const std::array<int, 6> values = TestAbilities(*hero, slot.Level, equipment, *ItemList);
  for (size_t p = 0; p < values.size(); ++p)
    Abilities[p]->setText(QString::number(values[p]));
}

void TFormEDMonGroupBattleTest::NextTab(int step) {
  const int count = TabControl2->count();
  if (count > 0) TabControl2->setCurrentIndex((TabControl2->currentIndex() + step + count) % count);
}

void TFormEDMonGroupBattleTest::SaveTestParty() {
  if (!SystemData) return;
  SystemData->TestParty.Clear();
  for (int i = 0; i < size_; ++i)
    SystemData->TestParty.Append()->Assign(*slots_[static_cast<size_t>(i)]);
}

void TFormEDMonGroupBattleTest::ButtonOkClick() {
  SaveTestParty();
  done(mrOk);
}

void TFormEDMonGroupBattleTest::ImageButton1Click() {
  if (size_ <= 0) return;
  SaveTestParty();
  RunBattleTest(this, windowTitle(), MonsterGroupId);
}

VELMORA_REGISTER_FORM(TFormEDMonGroupBattleTest, TFormGroup::Dialog, 0);

// --- the run ---

namespace {

// Puts the database file back as it was before the test: the backup's bytes (through a
// new file, so the stamp the save cached cannot match it), or no file when there was
// none. A file that still holds the backup's bytes (the save failed) is left alone.
void RestoreDataBaseFile(const std::string& file, const std::string& backup, bool existed) {
  if (!existed) {
    if (FileExists(file) && std::remove(file.c_str()) != 0)
      throw EFileError("Cannot delete file " + file);
    return;
  }
  constexpr uint64_t limit = uint64_t{1} << 32;
  std::string before, now;
  ReadFileBytes(backup, before, limit);
  if (ReadFileBytes(file, now, limit) && now == before) return;
  CopyFileReplacing(backup, file);
}

} // namespace

void RunBattleTest(QWidget* owner, const QString& caption, int groupId) {
  std::string work;
  try {
    work = GetWorkingFolder() + "BattleTest";
    DeleteFolderTree(work);
    ForceDirectories(work, 0700);
  } catch (const Exception&) {
    ShowErrorBox(QString::fromLatin1(SFilePreparationFault), owner);
    return;
  }
  // The file the save below writes, however the project spells it.
  const std::string file = ProjectDataBaseFile();
  const std::string backup = work + "/" + DataBaseFileName;
  const bool existed = FileExists(file);
  if (existed) {
    try {
      CopyFileReplacing(file, backup);
    } catch (const Exception&) {
      DeleteFolderTree(work);
      ShowErrorBox(QString::fromLatin1(SFilePreparationFault), owner);
      return;
    }
  }

  PlayingMusicName = "(OFF)";
  ReleaseSoundOutput();
  // Whatever happens below, the file goes back and the sound comes back; the work folder
  // (with the backup) goes only once the file is back.
  const auto finish = [&] {
    std::string failure;
    try {
      RestoreDataBaseFile(file, backup, existed);
    } catch (const Exception& error) {
      failure = error.what();
    }
    CreateSoundOutput();
    if (failure.empty()) {
      DeleteFolderTree(work);
      return;
    }
    ShowErrorBox(
        ToQString(failure + "\nThe database file from before the battle test is kept in " + backup),
        owner);
  };
  bool started = false;
  try {
    // The runtime reads the database as it is now, test party included.
    if (GlobalDataBase) GlobalDataBase->SaveProjectDataBase();
    const std::string line = BattleTestCommandLine(ProjectPath, FullScreenOption.Get(), groupId);
    QStringList arguments;
    for (const std::string& word : CommandLineArguments(line))
      arguments << ToQString(word);
    const QString folder = QString::fromStdString(ProjectPath);
    started =
        RunProcessAndWait(owner, caption, folder + QStringLiteral("KOVAX.exe"), arguments, folder);
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (!started) ShowErrorBox(QString::fromLatin1(SProcessPreparationFault), owner);
}
