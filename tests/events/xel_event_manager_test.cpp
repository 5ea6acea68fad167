// The event manager offscreen: the event editor it opens is answered through the modal
// opener.
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/database.h"
#include "core/map.h"
#include "core/map_tree.h"
#include "core/project_path.h"
#include "events/form_ed_event.h"
#include "events/form_ev_cmd_base.h"
#include "events/script_lines.h"
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

// The dialog is the teleport command's; a database it changed is saved, OK or not.
TEST_F(EventManager, ATeleportEventWrapsTheDialogsLinesBetweenEraseAndShow) {
  QTemporaryDir project;
  ProjectPath = project.path().toStdString() + "/";
  const std::string saved = ProjectPath + "KOVAX.ldb";
  map_.Events.GetOrCreate(1)->X = 9;
  bool ok = false;
  std::vector<std::string> handed;
  TScopedModalOpener opener([&](TFormXelBase& form, const auto&) {
    auto& dialog = dynamic_cast<TFormEvCmdBase&>(form);
    handed.push_back(std::to_string(dialog.EventId) + " " + dialog.Event->Name + " " +
                     std::to_string(dialog.Event->X) + "," + std::to_string(dialog.Event->Y) +
                     (dialog.MapTree == &tree_ && dialog.Map == &map_ ? " map" : " none") + " " +
                     std::to_string(dialog.ScriptList->GetCount()));
    dialog.DataChanged = !ok;
    if (ok) dialog.ScriptList->Add(10810, 0)->Params = {3, 4, 5};
    return ok;
  });
  manager_.NewTeleportEvent(2, 3);
  EXPECT_EQ(map_.Events.FindById(2), nullptr);
  EXPECT_EQ(changes_, 0);
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(saved)));
  QFile::remove(QString::fromStdString(saved));

  ok = true;
  manager_.NewTeleportEvent(2, 3);
  const TXelEventItem* made = map_.Events.FindById(2);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(std::tuple(made->Name, made->X, made->Y), std::tuple(std::string("EV0002"), 2, 3));
  EXPECT_EQ(FormatLines(made->Pages.Items(0)->Script),
            R"(0 11010 "" [-1] | 0 10810 "" [3,4,5] | 0 11020 "" [-1] | 0 0 "" [])");
  EXPECT_EQ(made->Pages.Items(0)->Trigger, 1);
  EXPECT_EQ(changes_, 1);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(saved)));
  // The cell is taken now: no dialog.
  manager_.NewTeleportEvent(2, 3);
  EXPECT_EQ(handed, (std::vector<std::string>{"2 EV0002 2,3 map 0", "2 EV0002 2,3 map 0"}));
  ProjectPath.clear();
}

} // namespace
