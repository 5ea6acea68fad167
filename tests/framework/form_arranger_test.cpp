#include "framework/controls/form_arranger.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "framework/forms/form_xel_base.h"

namespace {

class FormArranger : public ::testing::Test {
protected:
  FormArranger() {
    form.setObjectName("FormArrangerTest");
    arranger->KeyName = "Orvane\\VELMORA";
    Settings().DeleteValue(ValueName);
  }
  ~FormArranger() override { Settings().DeleteValue(ValueName); }

  const std::string ValueName = "FormArrangerTest_Placement";
  TFormXelBase form;
  TFormArranger* arranger = new TFormArranger(&form);
};

} // namespace

TEST_F(FormArranger, SavesTheNormalRectangleAndStateAndRestoresThem) {
  form.setGeometry(120, 90, 300, 200);
  arranger->Save();
  EXPECT_EQ(Settings().ReadString(ValueName, ""), "120,90,300,200,1");

  TFormXelBase next;
  next.setObjectName("FormArrangerTest");
  TFormArranger nextArranger(&next);
  nextArranger.KeyName = "Orvane\\VELMORA";
  next.setGeometry(10, 10, 100, 100);
  nextArranger.Restore(false);
  EXPECT_EQ(next.geometry(), QRect(120, 90, 300, 200));
}

TEST_F(FormArranger, TheStoredStateIsAppliedOnlyWhenAskedFor) {
  Settings().WriteString(ValueName, "40,50,300,200,3");
  arranger->Restore(false);
  EXPECT_EQ(form.geometry(), QRect(40, 50, 300, 200));
  EXPECT_FALSE(form.windowState() & Qt::WindowMaximized);
  arranger->Restore(true);
  EXPECT_TRUE(form.windowState() & Qt::WindowMaximized);
}

TEST_F(FormArranger, APlacementOffEveryScreenIsPulledBackOntoOne) {
  Settings().WriteString(ValueName, "5000,4000,300,200,1");
  arranger->Restore(false);
  EXPECT_EQ(form.geometry(), QRect(500, 400, 300, 200)); // within the 800 x 600 screen
  Settings().WriteString(ValueName, "-900,-20,2000,1000,1");
  arranger->Restore(false);
  EXPECT_EQ(form.geometry(), QRect(0, 0, 800, 600));
}

TEST_F(FormArranger, TheWholeFrameIsRestoredOntoTheScreenAndSavedWhereItIs) {
  // Saved where no window manager drew a frame: the client area in the very corner.
  Settings().WriteString(ValueName, "0,0,300,200,1");
  for (const bool shown : {false, true}) {
    TFormXelBase next;
    next.setObjectName("FormArrangerTest");
    TFormArranger nextArranger(&next);
    nextArranger.KeyName = "Orvane\\VELMORA";
    if (shown) next.show(); // the frame is known before the restore
    nextArranger.Restore(false);
    next.show();
    ASSERT_NE(next.frameGeometry(), next.geometry()) << "the platform draws no frame";
    EXPECT_EQ(next.frameGeometry().topLeft(), QPoint(0, 0)) << shown;
    EXPECT_EQ(next.size(), QSize(300, 200)) << shown;
    // Saved again it stays put: the record holds the frame's corner.
    nextArranger.Save();
    EXPECT_EQ(Settings().ReadString(ValueName, ""), "0,0,300,200,1") << shown;
  }
}

TEST_F(FormArranger, AMissingOrMalformedValueLeavesTheFormWhereItIs) {
  form.setGeometry(33, 44, 210, 120);
  arranger->Restore(true);
  for (const char* value :
       {"", "abc", "1,2,3", "1,2,300,200", "1,2,0,200,1", "1,2,300,-5,1", "1,2,300,200,9",
        "1,2,300,200,1,7", "1,2,300x200,1", "1,,300,200,1", "99999999999,2,300,200,1"}) {
    Settings().WriteString(ValueName, value);
    arranger->Restore(true);
    EXPECT_EQ(form.geometry(), QRect(33, 44, 210, 120)) << value;
    EXPECT_EQ(form.windowState(), Qt::WindowNoState) << value;
  }
}

TEST_F(FormArranger, WithoutAKeyNameNothingIsReadOrWritten) {
  arranger->KeyName.clear();
  form.setGeometry(33, 44, 210, 120);
  arranger->Save();
  EXPECT_FALSE(Settings().ValueExists(ValueName));
  Settings().WriteString(ValueName, "40,50,300,200,1");
  arranger->Restore(false);
  EXPECT_EQ(form.geometry(), QRect(33, 44, 210, 120));
}
