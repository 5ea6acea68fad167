// The system page in the window: the initial party, the music and transition slots, the
// pickers' captions and the vehicle animation's clock.
#include <QComboBox>
#include <QTimer>
#include <gtest/gtest.h>

#include "core/database_tables.h"
#include "core/game_sheets.h"
#include "core/image_file.h"
#include "core/system_records.h"
#include "database/ed_system.h"
#include "database_window_env.h"
#include "framework/controls/dash_box.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_music.h"

namespace {

constexpr int SystemTab = 11;

class SystemPage : public DataBaseWindowTest {
protected:
  TFormEDSystem& Page() { return CurrentPage<TFormEDSystem>(); }
  QComboBox* Party(int slot) {
    return Page().findChild<QComboBox*>(QStringLiteral("ComboBoxD%1").arg(slot));
  }
  void SetParty(std::vector<int32_t> heroes) {
    SystemData->SetPartyCount(static_cast<int32_t>(heroes.size()));
    for (size_t k = 0; k < heroes.size(); ++k)
      SystemData->SetPartyMember(static_cast<int>(k), heroes[k]);
  }
};

TEST_F(SystemPage, PartyCombosOpenUpToTheFirstEmptySlotAndNoneCutsTheParty) {
  SetParty({3, 1});
  Open(SystemTab);
  const bool enabled[] = {true, true, true, false};
  for (int slot = 1; slot <= 4; ++slot)
    EXPECT_EQ(Party(slot)->isEnabled(), enabled[slot - 1]) << slot;
  // The third offers every hero but the two chosen ones.
  EXPECT_EQ(Party(3)->count(), 1 + PlayerList->GetCount() - 2);
  EXPECT_EQ(Party(3)->currentText(), "(None)");
  EXPECT_FALSE(ApplyEnabled());
  Cancel();

  SetParty({3, 1, 2});
  Open(SystemTab);
  Party(2)->setCurrentIndex(0); // "(None)"
  EXPECT_EQ(SystemData->GetPartyCount(), 1);
  EXPECT_FALSE(Party(3)->isEnabled());
  EXPECT_TRUE(ApplyEnabled());
  Apply();
  Cancel();
  EXPECT_EQ(SystemData->GetPartyCount(), 1);
  EXPECT_EQ(SystemData->GetPartyMember(0), 3);
}

TEST_F(SystemPage, MusicAndTransitionsAreSavedAndPickersNameTheirSlot) {
  const std::string original = FileBytes();
  Open(SystemTab);
  Page().findChild<QComboBox*>("ComboBoxH6")->setCurrentIndex(2);
  Party(1)->setCurrentIndex(0);
  EXPECT_TRUE(ApplyEnabled());
  Cancel();
  EXPECT_EQ(FileBytes(), original);

  Open(SystemTab);
  QString caption;
  {
    TScopedModalOpener opener([&](TFormXelBase& form, const std::function<bool()>&) {
      caption = form.windowTitle();
      auto& picker = dynamic_cast<TFormSelMusic&>(form);
      picker.Music.FileName = "March";
      picker.Music.Volume = 70;
      return true;
    });
    Page().DashBoxEClick(1);
  }
  EXPECT_TRUE(caption.endsWith(" - Battle")) << caption.toStdString();
  EXPECT_FALSE(caption.startsWith(" - "));
  EXPECT_EQ(Page().findChild<TDashBox*>("DashBoxE2")->Text(), "March");
  Page().findChild<QComboBox*>("ComboBoxH3")->setCurrentIndex(5);
  EXPECT_EQ(Page().findChild<QComboBox*>("ComboBoxH1")->count(), 21);
  EXPECT_EQ(Page().findChild<QComboBox*>("ComboBoxH2")->count(), 20);
  Apply();
  Cancel();
  EXPECT_EQ(SystemData->BattleMusic.FileName, "March");
  EXPECT_EQ(SystemData->BattleMusic.Volume, 70);
  EXPECT_EQ(SystemData->BattleStartErase, 5);
  EXPECT_EQ(SystemData->TeleportErase, 0);
}

TEST_F(SystemPage, TheVehiclesStepEveryTickAndTurnEverySixteen) {
  Mkdir("Project/CharSet");
  SaveBitmapToImageFile(MakeGameBitmap(288, 256, 1), Path("Project/CharSet/Boats.png"));
  SystemData->BoatGraphic = "Boats";
  SystemData->BoatIndex = 5; // the second block of the second row: (72, 128)
  Open(SystemTab);
  EXPECT_EQ(Page().findChild<QTimer*>("Timer1")->interval(), 266);
  Page().Timer1Timer();
  EXPECT_EQ(Page().VehicleTick, 1);
  // The 24 x 32 cell is drawn doubled from (8, 0) of the 64 x 64 preview.
  const struct {
    int tick, x, y;
  } rows[] = {{0, 24, 96}, {1, 0, 96},  {2, 24, 96}, {3, 48, 96},
              {16, 24, 0}, {33, 0, 32}, {51, 48, 64}};
  for (const auto& row : rows) {
    Page().VehicleTick = row.tick;
    TGlimraBoard board;
    board.SetSize(64, 64);
    Page().DrawVehicle(0, board);
    EXPECT_EQ(board.GetRow(2)[8 + 6], GameColor(HashedIndex(72 + row.x + 3, 128 + row.y + 1, 1)))
        << row.tick;
  }
  EXPECT_FALSE(ApplyEnabled());
}

} // namespace
