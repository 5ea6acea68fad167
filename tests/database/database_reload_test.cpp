#include <gtest/gtest.h>

#include "database_test_env.h"

namespace {

using DataBaseReload = DataBaseTestEnv;

// The window's OK and Apply save the project's database and every close reloads it, so
// Cancel rests on a reload in place (same file stamp, nothing reset first) putting back
// every table as the file holds it, edited animations included.
TEST_F(DataBaseReload, ReloadAfterASaveKeepsTheSavedEditsAndDropsTheRest) {
  const std::string original = FileBytes();
  TXelDataBase& db = DataBase();
  const int saves = db.System().SaveCount;

  auto edit = [&](const std::string& tag) {
    db.Players().FindById(101)->Name = "Hero " + tag;
    db.Players().FindById(101)->SetParameter(2, 30, 777);
    TXelAnimationItem* animation = db.Animations().FindById(201);
    animation->NeedsSerialize = 1;
    animation->Name = "Animation " + tag;
    db.Switches().FindById(1)->Name = "Switch " + tag;
  };

  edit("dropped");
  ASSERT_TRUE(db.LoadProjectDataBase()) << db.LastLoadError();
  EXPECT_NE(db.Players().FindById(101)->Name, "Hero dropped");
  EXPECT_NE(db.Players().FindById(101)->GetParameter(2, 30), 777);
  EXPECT_NE(db.Animations().FindById(201)->Name, "Animation dropped");
  EXPECT_NE(db.Switches().FindById(1)->Name, "Switch dropped");
  EXPECT_EQ(db.Players().GetCount(), EntryCount);
  EXPECT_EQ(FileBytes(), original);

  edit("applied");
  db.SaveProjectDataBase();
  const std::string applied = FileBytes();
  EXPECT_NE(applied, original);
  EXPECT_EQ(db.System().SaveCount, saves + 1);

  edit("cancelled");
  ASSERT_TRUE(db.LoadProjectDataBase()) << db.LastLoadError();
  EXPECT_EQ(db.Players().FindById(101)->Name, "Hero applied");
  EXPECT_EQ(db.Players().FindById(101)->GetParameter(2, 30), 777);
  EXPECT_EQ(db.Animations().FindById(201)->Name, "Animation applied");
  EXPECT_EQ(db.Switches().FindById(1)->Name, "Switch applied");
  EXPECT_EQ(db.System().SaveCount, saves + 1);
  EXPECT_EQ(FileBytes(), applied);
}

// A close whose reload fails must be able to say why, and must not look like success.
TEST_F(DataBaseReload, AFailedReloadReportsItsMessage) {
  Put(std::string("Project/") + DataBaseFileName, "NotADataBase");
  EXPECT_FALSE(DataBase().LoadProjectDataBase());
  EXPECT_FALSE(DataBase().LastLoadError().empty());
}

} // namespace
