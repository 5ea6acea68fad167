// The attribute, condition and terrain pages, driven through the database window.
#include <QCheckBox>
#include <QComboBox>
#include <QListView>
#include <QRadioButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "core/attribute_records.h"
#include "core/bitmap.h"
#include "core/clipboard.h"
#include "core/database_tables.h"
#include "core/image_file.h"
#include "core/system_records.h"
#include "database_window_env.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

class DataBasePages : public DataBaseWindowTest {
protected:
  // The previous window goes first: its end would otherwise make its tab the next one.
  void OpenPage(int tab) {
    if (window && window->isVisible()) Cancel();
    window.reset();
    Open(tab);
  }
  TFormDataBaseListPage& Page() { return CurrentPage<TFormDataBaseListPage>(); }
  template <class Control = QWidget> Control* Find(const char* name) {
    return FindControl<Control>(&Page(), name);
  }
  void Select(int row) { Page().SelectRow(row); }
  QString Line(int row) {
    return FindControl<QListView>(&Page(), "DataList")->model()->index(row, 0).data().toString();
  }
  void Type(const char* name, const QString& text) {
    auto* edit = Find<QLineEdit>(name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  int Dial(const char* name) { return Find<TDialEdit>(name)->Value(); }
  // Apply, a later edit by Later, Cancel: the database is read again from the file.
  void ApplyThenCancel(const std::function<void()>& later) {
    Apply();
    EXPECT_FALSE(ApplyEnabled());
    later();
    Cancel();
  }
  // An 8-bit image of Width x Height whose pixels are all Index, palette entry i being
  // (i, 2i, 3i) but for entry 1, pure red.
  void WriteImage(const std::string& file, int width, int height, uint8_t index = 1) {
    TBitmap bitmap;
    bitmap.Reset(TPixelFormat::pf8bit, width, height);
    for (int i = 0; i < 256; ++i)
      bitmap.Palette()[size_t(i)] = {uint8_t(i), uint8_t(2 * i), uint8_t(3 * i), 0};
    bitmap.Palette()[1] = {255, 0, 0, 0};
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        bitmap.SetIndexAt(x, y, index);
    if (onImage) onImage(bitmap);
    SaveBitmapToImageFile(bitmap, Path(file));
  }
  std::function<void(TBitmap&)> onImage;
};

TEST_F(DataBasePages, AttributeRatesKindAndNameRoundTripAndStopAt1000) {
  OpenPage(5);
  Select(2);
  Type("OverEdit1", "Fire");
  EXPECT_EQ(Line(2), "0003:Fire");
  Find<QRadioButton>("RadioButton2")->click();
  Type("DialEdit3", "1200");
  Find<TDialEdit>("DialEdit5")->SetValue(7);
  EXPECT_EQ(AttribList->FindById(3)->RateC, 1000);
  ApplyThenCancel([&] { Type("OverEdit1", "Later"); });
  const TXelAttribItem& fire = *AttribList->FindById(3);
  EXPECT_EQ(fire.Name, "Fire");
  EXPECT_EQ(fire.Kind, 1);
  EXPECT_EQ(fire.RateC, 1000);
  EXPECT_EQ(fire.RateE, 7);

  // A cleared entry shows the defaults of a new one.
  OpenPage(5);
  Select(4);
  Page().MenuDataClearClick();
  EXPECT_TRUE(Find<QRadioButton>("RadioButton1")->isChecked());
  EXPECT_EQ((std::vector<int>{Dial("DialEdit1"), Dial("DialEdit2"), Dial("DialEdit3"),
                              Dial("DialEdit4"), Dial("DialEdit5")}),
            (std::vector<int>{300, 200, 100, 50, 0}));

  // Copy and paste bring the record, the target keeps its id.
  Select(2);
  Page().MenuDataCopyClick();
  Select(9);
  Page().MenuDataPasteClick();
  EXPECT_EQ(AttribList->GetItem(9)->Id, 10);
  EXPECT_EQ(AttribList->GetItem(9)->Name, "Fire");
  EXPECT_EQ(Line(9), "0010:Fire");
  EXPECT_EQ(Dial("DialEdit3"), 1000);
}

TEST_F(DataBasePages, EditsThenCancelLeaveTheFileAsItWas) {
  const std::string original = FileBytes();
  const std::vector<std::pair<int, const char*>> edits = {
      {5, "OverEdit1"}, {6, "OverEdit2"}, {8, "OverEdit1"}, {9, "OverEdit1"}};
  for (const auto& [tab, edit] : edits) {
    OpenPage(tab);
    Select(1);
    Type(edit, "Changed");
    EXPECT_TRUE(ApplyEnabled()) << tab;
    Cancel();
    EXPECT_EQ(FileBytes(), original) << tab;
  }
}

TEST_F(DataBasePages, TheGameConditionIsTheEntryWithId1) {
  const std::vector<const char*> common = {
      "DialEdit1",  "ComboBox2",  "DialEdit7",  "DialEdit8",  "DialEdit9",  "CheckBox1",
      "CheckBox2",  "CheckBox3",  "CheckBox4",  "DialEdit20", "CheckBox6",  "CheckBox7",
      "DialEdit10", "DialEdit11", "OverEdit4",  "OverEdit5",  "Panel3",     "Panel4",
      "DialEdit12", "DialEdit13", "DialEdit14", "DialEdit15", "DialEdit16", "DialEdit17",
      "DialEdit18", "DialEdit19"};
  const std::vector<const char*> always = {"OverEdit1", "ComboBox1", "ColorPicker1", "DialEdit2",
                                           "DialEdit3", "DialEdit4", "DialEdit5",    "DialEdit6",
                                           "OverEdit2", "OverEdit3", "OverEdit6",    "Panel1"};
  TXelStatusItem& first = *StatusList->FindById(1);
  first.BlockSkills = 1;
  first.Kind = 1;
  first.Priority = 77;
  first.Restriction = 2;
  first.BlockSkillRate = 120;
  first.AlreadyMessage = "is down already.";
  OpenPage(6);
  Select(0);
  for (const char* name : common)
    EXPECT_FALSE(Find(name)->isEnabled()) << name;
  for (const char* name : always)
    EXPECT_TRUE(Find(name)->isEnabled()) << name;
  // Greyed, they still show the stored values.
  const QPalette greyed = Find("DialEdit1")->palette();
  EXPECT_EQ(greyed.color(QPalette::Base), greyed.color(QPalette::Button));
  EXPECT_EQ(Find<TDialEdit>("DialEdit1")->text(), "77");
  EXPECT_EQ(Find<TDialEdit>("DialEdit10")->text(), "120");
  EXPECT_EQ(Find<QComboBox>("ComboBox2")->currentIndex(), 2);
  EXPECT_EQ(Find<QLineEdit>("OverEdit4")->text(), "is down already.");

  // Entry 2 has them all, but for the rates of unchecked blocks and, for a combat
  // effect, the map-movement decrease; these follow their controls at once.
  TXelStatusItem& second = *StatusList->FindById(2);
  second.Kind = 0;
  second.BlockSkills = 0;
  Select(1);
  const std::vector<const char*> map = {"DialEdit14", "DialEdit15", "DialEdit18", "DialEdit19"};
  for (const char* name : map)
    EXPECT_FALSE(Find(name)->isEnabled()) << name;
  Find<QComboBox>("ComboBox1")->setCurrentIndex(1);
  EXPECT_EQ(second.Kind, 1);
  for (const char* name : map)
    EXPECT_TRUE(Find(name)->isEnabled()) << name;
  EXPECT_FALSE(Find("DialEdit10")->isEnabled());
  Find<QCheckBox>("CheckBox6")->click();
  EXPECT_TRUE(Find("DialEdit10")->isEnabled());
  EXPECT_FALSE(Find("DialEdit11")->isEnabled());
  Find<QCheckBox>("CheckBox6")->click();
  EXPECT_FALSE(Find("DialEdit10")->isEnabled());
  Cancel();

  // Without an entry 1 the first line is an ordinary condition.
  StatusList->DeleteById(1);
  OpenPage(6);
  Select(0);
  for (const char* name : {"DialEdit1", "OverEdit4", "CheckBox7"})
    EXPECT_TRUE(Find(name)->isEnabled()) << name;
}

TEST_F(DataBasePages, ConditionKindMessagesAndColourRoundTrip) {
  // A system graphic whose pixel at (column x 16, 56 + row x 16) has index 10 + the item.
  Mkdir("Project/System");
  onImage = [](TBitmap& image) {
    for (int item = 0; item < 20; ++item)
      image.SetIndexAt((item % 10) * 16, 56 + (item / 10) * 16, uint8_t(10 + item));
  };
  WriteImage("Project/System/Frame.png", 160, 80, 0);
  SystemData->SystemGraphic = "Frame";
  OpenPage(6);
  auto* colors = Find<TColorPicker>("ColorPicker1");
  ASSERT_EQ(colors->count(), 20);
  for (int item : {0, 9, 10, 19}) {
    const int i = 10 + item; // palette entry (i, 2i, 3i) as 0x00BBGGRR
    EXPECT_EQ(colors->itemText(item).toUInt(), uint32_t(i | (2 * i) << 8 | (3 * i) << 16));
  }
  Select(3);
  Find<QComboBox>("ComboBox1")->setCurrentIndex(1);
  colors->setCurrentIndex(17);
  Type("OverEdit2", "is burning!");
  Type("OverEdit6", "cooled down.");
  ApplyThenCancel([&] { Type("OverEdit2", "Later"); });
  const TXelStatusItem& entry = *StatusList->FindById(4);
  EXPECT_EQ(entry.Kind, 1);
  EXPECT_EQ(entry.Color, 17);
  EXPECT_EQ(entry.AllyMessage, "is burning!");
  EXPECT_EQ(entry.RecoveryMessage, "cooled down.");
}

TEST_F(DataBasePages, TerrainDefaultsRangesDisplayAndBackdrop) {
  Mkdir("Project/Backdrop");
  WriteImage("Project/Backdrop/Sky.png", 320, 160);
  OpenPage(8);
  Select(5);
  Page().MenuDataClearClick();
  EXPECT_EQ((std::vector<bool>{Find<QCheckBox>("CheckBox1")->isChecked(),
                               Find<QCheckBox>("CheckBox2")->isChecked(),
                               Find<QCheckBox>("CheckBox3")->isChecked(),
                               Find<QCheckBox>("CheckBox4")->isChecked()}),
            (std::vector<bool>{false, false, true, true}));
  EXPECT_EQ(Dial("DialEdit2"), 100);
  Cancel();

  OpenPage(8);
  Select(2);
  TXelGroundItem& entry = *GroundList->FindById(3);
  for (int damage : {-10, 10, -11}) {
    Find<TDialEdit>("DialEdit1")->SetValue(damage);
    EXPECT_EQ(entry.Damage, std::max(damage, -10));
  }
  auto* rate = Find<TDialEdit>("DialEdit2");
  rate->SetValue(480);
  for (int expected : {490, 500, 500}) {
    rate->SpinUp();
    EXPECT_EQ(entry.EncounterRate, expected);
  }

  // Cancelling the picker changes nothing; OK shows the backdrop and marks the change.
  Apply();
  auto* preview = Find<TScrollFrame>("ScrollFrame1");
  const auto shownRed = [&] {
    const QColor pixel = preview->viewport()->grab().toImage().pixelColor(10, 10);
    return pixel.red() > 200 && pixel.green() < 16 && pixel.blue() < 16;
  };
  entry.BattleBackground.clear();
  Select(3);
  Select(2);
  std::string offered;
  bool accept = false;
  TScopedModalOpener opener([&](TFormXelBase& form, const std::function<bool()>&) {
    auto* picker = dynamic_cast<TFormSelBackdrop*>(&form);
    if (!picker) return false;
    offered = picker->FileName;
    picker->FileName = "Sky";
    return accept;
  });
  Find<QPushButton>("BitBtn1")->click();
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(entry.BattleBackground, "");
  EXPECT_FALSE(shownRed());
  accept = true;
  Find<QPushButton>("BitBtn1")->click();
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(entry.BattleBackground, "Sky");
  EXPECT_TRUE(shownRed());

  Find<QRadioButton>("RadioButton3")->click();
  ApplyThenCancel([] {});
  EXPECT_EQ(GroundList->FindById(3)->CharacterDisplay, 2);
  EXPECT_EQ(GroundList->FindById(3)->BattleBackground, "Sky");
  EXPECT_EQ(GroundList->FindById(3)->EncounterRate, 500);
}

} // namespace
