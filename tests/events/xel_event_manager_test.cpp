// The event manager offscreen: the event editor it opens is answered through the modal
// opener.
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include "core/database.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "events/form_ed_event.h"
#include "events/xel_event_manager.h"
#include "framework/forms/modal_opener.h"
#include "framework/harness/widget_harness.h"
#include "shell/map/map_dialogs.h"

namespace {

class EventManager : public ::testing::Test {
protected:
  void SetUp() override {
    GlobalDataBase = &database_;
    map_.Id = 3;
    manager_.SetMap(&tree_, &map_);
    manager_.OnChange = [this] { ++changes_; };
  }

  void TearDown() override { GlobalDataBase = nullptr; }

  TXelDataBase database_;
  TXelMapTree tree_;
  TXelMap map_;
  TXelEventManager manager_{nullptr};
  int changes_ = 0;
};

TEST_F(EventManager, EditAtOpensTheEditorOnANewEventAndOkStoresItOnTheCell) {
  std::vector<std::string> seen;
  TScopedModalOpener opener([&](TFormXelBase& form, const auto&) {
    auto& editor = dynamic_cast<TFormEDEvent&>(form);
    ShowAndActivate(&editor);
    seen.push_back(editor.windowTitle().toStdString() + " " + editor.Event.Name + " " +
                   (FindControl<QPushButton>(&editor, "ButtonApply")->isEnabled() ? "new" : "old"));
    FindControl<QPushButton>(&editor, "ButtonOk")->click();
    return true;
  });
  manager_.EditAt(4, 5, 17);
  ASSERT_NE(map_.Events.FindById(1), nullptr);
  EXPECT_EQ(map_.Events.FindById(1)->Pages.Items(0)->GraphicIndex, 17);
  EXPECT_EQ(manager_.NameAt(4, 5), "EV0001");
  manager_.EditAt(4, 5, 0);
  EXPECT_EQ(seen, (std::vector<std::string>{"Event Editor - ID:0001 EV0001 new",
                                            "Event Editor - ID:0001 EV0001 old"}));
  EXPECT_EQ(changes_, 2);

  // A start mark opens nothing; the vehicle goes where the choice says.
  manager_.SetPartyStart(1, 1);
  manager_.EditAt(1, 1, 0);
  EXPECT_EQ(seen.size(), 2u);
}

TEST_F(EventManager, TheVehicleStartGoesWhereTheVehicleDialogSays) {
  bool ok = false;
  TScopedModalOpener opener([&](TFormXelBase& form, const auto&) {
    auto& dialog = dynamic_cast<TFormMapShipPos&>(form);
    ShowAndActivate(&dialog);
    FindControl<QRadioButton>(&dialog, "RadioButton2")->click();
    FindControl<QPushButton>(&dialog, ok ? "ButtonOk" : "ButtonCancel")->click();
    return dialog.result() == mrOk;
  });
  manager_.SetVehicleStart(2, 2);
  EXPECT_EQ(tree_.StartPosition.GetMapId(2), 0);
  EXPECT_EQ(changes_, 0);
  ok = true;
  manager_.SetVehicleStart(2, 2);
  EXPECT_EQ(manager_.NameAt(2, 2), "Ship");
  EXPECT_EQ(changes_, 1);
}

} // namespace
