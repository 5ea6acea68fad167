#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <cstdint>
#include <gtest/gtest.h>
#include <stdexcept>

#include "core/errors.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/harness/widget_harness.h"

namespace {

struct TValues {
  int Count = 7;
  int16_t Small = -3;
  uint8_t Byte = 200;
  bool Flag = true;
  int Kind = 1;
  int Item = 2;
  int Row = 0;
  int Volume = 40;
  std::string Name = "Caf\xE9";
  QString File = "song.mid";
  std::string Note = "two\nlines";
  int SwitchId = 12;
};

// One of every bound control, nested the ways forms nest them.
class TToolkitForm : public TFormXelBase {
public:
  explicit TToolkitForm(QWidget* owner = nullptr) : TFormXelBase(owner, 10230) {
    TFormBuilder b(this, "FormToolkit", "Toolkit", 360, 300);
    b.Tabs("PageControl1", [&] {
      b.Tab("TabSheet1", "1", [&] {
        b.Group("GroupBox1", "Numbers", [&] {
          b.Grid(2, [&] {
            b.Label("Label1", "Count");
            b.DialEdit("DialEdit1", 0, 99, &v.Count);
            b.Label("Label2", "Small");
            b.DialEdit("DialEdit2", -10, 10, &v.Small);
            b.Label("Label3", "Byte");
            b.DialEdit("DialEdit3", 0, 255, &v.Byte);
          });
        });
        b.CheckBox("CheckBox1", "Flag", &v.Flag);
        b.Radios(&v.Kind, [&] {
          b.Row([&] {
            b.Radio("RadioButton1", "Fixed");
            b.Label("Label4", "or");
          });
          b.Radio("RadioButton2", "Variable");
        });
      });
      b.Tab("TabSheet2", "2", [&] {
        b.ComboBox("ComboBox1", {"a", "b", "c"}, &v.Item);
        b.ListBox("ListBox1", {"x", "y"}, &v.Row);
        b.Slider("Slider1", 0, 100, &v.Volume);
        b.Edit("Edit1", &v.Name, 20);
        b.Edit("Edit2", &v.File);
        b.Memo("Memo1", &v.Note);
        b.ValueBox("DashBox1", &v.SwitchId, [](int id) { return QString("S%1").arg(id); });
      });
    });
    b.Row([&] {
      b.Stretch();
      b.StandardButtons();
    });
  }
  TValues v;
};

template <class Control> Control* C(QWidget* form, const char* name) {
  return FindControl<Control>(form, name);
}

} // namespace

TEST(FormBuilder, NestsByScopeAndRefusesWhatCannotNest) {
  TToolkitForm form;
  auto* tabs = C<QTabWidget>(&form, "PageControl1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(1), "2");
  EXPECT_EQ(tabs->widget(0), C<QWidget>(&form, "TabSheet1"));
  auto* group = C<QGroupBox>(&form, "GroupBox1");
  EXPECT_TRUE(C<QWidget>(&form, "TabSheet1")->isAncestorOf(group));
  EXPECT_EQ(C<QWidget>(&form, "DialEdit3")->parentWidget(), group);
  auto* grid = qobject_cast<QGridLayout*>(group->layout()->itemAt(0)->layout());
  ASSERT_NE(grid, nullptr);
  int row, column, rows, columns;
  grid->getItemPosition(grid->indexOf(C<QWidget>(&form, "DialEdit2")), &row, &column, &rows,
                        &columns);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(column, 1);
  EXPECT_TRUE(C<QWidget>(&form, "TabSheet2")->isAncestorOf(C<QWidget>(&form, "Memo1")));
  EXPECT_EQ(C<QWidget>(&form, "ButtonOk")->parentWidget(), &form);

  struct TMistake {
    const char* what;
    std::function<void(TFormBuilder&)> build;
  };
  const TMistake mistakes[] = {
      {"a tab page outside a tab control", [](TFormBuilder& b) { b.Tab("TabSheet1", "1", [] {}); }},
      {"a control straight in a tab control",
       [](TFormBuilder& b) { b.Tabs("PageControl1", [&] { b.Label("Label1", "x"); }); }},
      {"a radio button outside Radios", [](TFormBuilder& b) { b.Radio("RadioButton1", "x"); }},
  };
  for (const TMistake& mistake : mistakes) {
    SCOPED_TRACE(mistake.what);
    TFormXelBase other;
    TFormBuilder b(&other, "FormOther", "Other", 100, 100);
    EXPECT_THROW(mistake.build(b), std::logic_error);
    // The builder is back at the form's own level.
    b.Label("Label9", "after");
    EXPECT_EQ(C<QWidget>(&other, "Label9")->parentWidget(), &other);
  }
}

TEST(FormBinding, ControlsShowTheStructAndTheAuthorsChangesGoBackIntoIt) {
  TToolkitForm form;
  ShowAndActivate(&form);
  EXPECT_EQ(C<TDialEdit>(&form, "DialEdit1")->text(), "7");
  EXPECT_EQ(C<TDialEdit>(&form, "DialEdit2")->text(), "-3");
  EXPECT_EQ(C<TDialEdit>(&form, "DialEdit3")->text(), "200");
  EXPECT_TRUE(C<QCheckBox>(&form, "CheckBox1")->isChecked());
  EXPECT_TRUE(C<QRadioButton>(&form, "RadioButton2")->isChecked());
  EXPECT_EQ(C<QComboBox>(&form, "ComboBox1")->currentText(), "c");
  EXPECT_EQ(C<QListWidget>(&form, "ListBox1")->currentRow(), 0);
  EXPECT_EQ(C<TSlider>(&form, "Slider1")->Position(), 40);
  EXPECT_EQ(C<TOverEdit>(&form, "Edit1")->text(), QString::fromUtf8("Caf\u00e9"));
  EXPECT_EQ(C<TOverEdit>(&form, "Edit1")->maxLength(), 20);
  EXPECT_EQ(C<TOverEdit>(&form, "Edit2")->text(), "song.mid");
  EXPECT_EQ(C<TFixedMemo>(&form, "Memo1")->Text(), "two\nlines");
  EXPECT_EQ(C<TDashBox>(&form, "DashBox1")->Text(), "S12");

  C<TDialEdit>(&form, "DialEdit1")->setText("42");
  C<TDialEdit>(&form, "DialEdit2")->SetValue(-9);
  C<TDialEdit>(&form, "DialEdit3")->SetValue(255);
  C<QCheckBox>(&form, "CheckBox1")->click();
  C<QRadioButton>(&form, "RadioButton1")->click();
  C<QComboBox>(&form, "ComboBox1")->setCurrentIndex(0);
  C<QListWidget>(&form, "ListBox1")->setCurrentRow(1);
  C<TSlider>(&form, "Slider1")->SetPosition(90);
  C<TOverEdit>(&form, "Edit1")->setText(QString::fromUtf8("\u20ac 5"));
  C<TOverEdit>(&form, "Edit2")->setText("town.mid");
  C<TFixedMemo>(&form, "Memo1")->setPlainText("one");
  const TValues& v = form.v;
  EXPECT_EQ(v.Count, 42);
  EXPECT_EQ(v.Small, -9);
  EXPECT_EQ(v.Byte, 255);
  EXPECT_FALSE(v.Flag);
  EXPECT_EQ(v.Kind, 0);
  EXPECT_EQ(v.Item, 0);
  EXPECT_EQ(v.Row, 1);
  EXPECT_EQ(v.Volume, 90);
  EXPECT_EQ(v.Name, "\x80 5");
  EXPECT_EQ(v.File, "town.mid");
  EXPECT_EQ(v.Note, "one");

  // A new struct fills every control; changes made under Updating reach no field until
  // they are read back.
  form.v = TValues();
  form.v.Kind = -1;
  form.UpdateControls();
  EXPECT_EQ(C<TDialEdit>(&form, "DialEdit1")->text(), "7");
  EXPECT_FALSE(C<QRadioButton>(&form, "RadioButton1")->isChecked());
  EXPECT_FALSE(C<QRadioButton>(&form, "RadioButton2")->isChecked());
  {
    TUpdatingScope updating(form);
    C<TDialEdit>(&form, "DialEdit1")->SetValue(11);
    C<QRadioButton>(&form, "RadioButton2")->setChecked(true);
    C<TOverEdit>(&form, "Edit1")->setText("Inn");
  }
  EXPECT_EQ(form.v.Count, 7);
  EXPECT_EQ(form.v.Kind, -1);
  form.ReadControls();
  EXPECT_EQ(form.v.Count, 11);
  EXPECT_EQ(form.v.Kind, 1);
  EXPECT_EQ(form.v.Name, "Inn");
}

namespace {

struct TEntry {
  int Price = 0;
  std::string Name;
};

// A page bound to whichever entry is current, with a rule and handlers.
class TEntryPage : public TFormXelWidget {
public:
  TEntryPage() {
    TFormBuilder b(this, "FormEntryPage", "Page", 300, 200);
    Price = b.DialEdit("DialEdit1", 0, 9999, Field(&Entry, &TEntry::Price));
    Name = b.Edit("Edit1", Field(&Entry, &TEntry::Name));
    Priced = b.CheckBox("CheckBox1", "Priced", &priced);
    EnableWhen({Price}, [this] { return priced; });
    On(Price, &QLineEdit::textChanged, &TEntryPage::PriceChange);
    On(Name, &QLineEdit::textChanged, [this](const QString& text) {
      if (text == "throw") throw Exception("Name refused");
    });
  }
  void PriceChange(const QString& text) { Changes << text; }
  void BoundValueChanged(QWidget* control) override { ++Modified; }

  TEntry* Entry = nullptr;
  bool priced = true;
  QStringList Changes;
  int Modified = 0;
  TDialEdit* Price;
  TOverEdit* Name;
  QCheckBox* Priced;
};

} // namespace

TEST(FormBinding, APageFollowsItsCurrentEntryAndHandlersRestWhileUpdating) {
  TScriptedMessageBoxes boxes;
  TEntry first{120, "Sword"}, second{45, "Herb"};
  TEntryPage page;
  page.UpdateControls(); // no entry yet: nothing to show, nothing breaks
  page.Name->setText("typed");
  EXPECT_EQ(page.Modified, 1);

  page.Entry = &first;
  page.UpdateControls();
  EXPECT_EQ(page.Price->text(), "120");
  EXPECT_TRUE(page.Changes.isEmpty());
  page.Price->setText("130");
  EXPECT_EQ(first.Price, 130);
  EXPECT_EQ(page.Changes, QStringList{"130"});
  EXPECT_EQ(page.Modified, 2);

  page.Entry = &second;
  page.UpdateControls();
  EXPECT_EQ(page.Name->text(), "Herb");
  EXPECT_EQ(page.Changes.size(), 1);

  // The rule blanks the disabled edit and keeps the field; enabled again, it shows it.
  page.Priced->click();
  EXPECT_FALSE(page.Price->isEnabled());
  EXPECT_EQ(page.Price->text(), "");
  EXPECT_EQ(second.Price, 45);
  page.UpdateControls();
  EXPECT_EQ(page.Price->text(), "");
  page.Priced->click();
  EXPECT_TRUE(page.Price->isEnabled());
  EXPECT_EQ(page.Price->text(), "45");
  EXPECT_EQ(page.Changes.size(), 1);

  // A throwing handler ends in the error box; the page goes on.
  page.Name->setText("throw");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Name refused");
  EXPECT_EQ(second.Name, "throw");
  page.Price->setText("50");
  EXPECT_EQ(second.Price, 50);

  // A long name shows its start, and showing it again leaves the caret where it is.
  TEntry third{1, "A name far longer than the box is wide, read from its start"};
  page.Entry = &third;
  page.UpdateControls();
  EXPECT_EQ(page.Name->cursorPosition(), 0);
  page.Name->setCursorPosition(5);
  page.UpdateControls();
  EXPECT_EQ(page.Name->cursorPosition(), 5);
}

namespace {

class TShowForm : public TFormXelBase {
public:
  TShowForm() {
    TFormBuilder b(this, "FormShowOnce", "Show", 120, 60);
    b.StandardButtons(false);
  }
  void FormShow() override {
    if (++Shows == 1) throw Exception("first show");
  }
  int Shows = 0;
};

} // namespace

TEST(FormXelBase, FormShowRunsOnceGuardedAndExecuteAnswersOk) {
  TScriptedMessageBoxes boxes;
  TFormXelBase owner;
  owner.resize(400, 300);
  owner.move(100, 80);
  ShowAndActivate(&owner);
  TShowForm form;
  form.setParent(&owner, form.windowFlags());
  QTimer::singleShot(0, [&] { C<QPushButton>(&form, "ButtonOk")->click(); });
  EXPECT_TRUE(form.Execute());
  EXPECT_NEAR(form.frameGeometry().center().x(), owner.frameGeometry().center().x(), 2);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "first show");
  QTimer::singleShot(0, [&] { C<QPushButton>(&form, "ButtonCancel")->click(); });
  EXPECT_FALSE(form.ExecuteAt(14, 32));
  EXPECT_EQ(form.frameGeometry().topLeft(), owner.mapToGlobal(QPoint(14, 32)));
  EXPECT_EQ(form.Shows, 1);
}

TEST(FormRegistry, FindsFormsByGroupAndKey) {
  EXPECT_EQ(FindRegisteredForm(TFormGroup::Command, 1), nullptr);
  EXPECT_EQ(CreateRegisteredForm(TFormGroup::DataBasePage, 99, nullptr), nullptr);
  const TRegisteredForm* count = nullptr;
  for (const TRegisteredForm& form : RegisteredForms())
    if (form.ClassName == "TFormDataMultiCopy") count = &form;
  ASSERT_NE(count, nullptr);
  const auto form = count->Create(nullptr);
  EXPECT_EQ(form->objectName(), "FormDataMultiCopy");
  EXPECT_NE(dynamic_cast<TFormXelBase*>(form.get()), nullptr);
}

namespace {

// A narrow form whose rows hold, beside controls that take all the room they get, the
// controls that once were squeezed to nothing.
class TCrowdedForm : public TFormXelBase {
public:
  TCrowdedForm() {
    TFormBuilder b(this, "FormCrowded", "Crowded", 60, 40);
    b.Row([&] {
      b.Edit("Edit1", &v.Name);
      b.Slider("Slider1", 0, 10, &v.Volume);
    });
    b.Group("GroupBox1", "Group", [&] {
      b.Radios(&v.Kind, [&] {
        b.Row([&] {
          b.Radio("RadioButton1", "Variable");
          b.ValueBox("DashBox1", &v.SwitchId, [](int id) { return QString::number(id); });
          b.DialEdit("DialEdit1", -999999, 999999, &v.Count);
        });
      });
    });
    b.Row([&] {
      b.Edit("Edit2", &v.Name);
      b.ComboBox("ComboBox1", {"A rather long item of the list"}, &v.Item);
      b.Add<TOpaquePaintBox>("PaintBox1")->resize(40, 30);
    });
  }

private:
  TValues v;
};

} // namespace

TEST(FormBuilder, RowsNeverSqueezeAControlBelowItsContent) {
  TCrowdedForm form;
  form.show();
  QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  const QFontMetrics fm(form.font());
  struct TRow {
    const char* name;
    int least;
  };
  for (const TRow& row :
       {TRow{"Slider1", 60},
        TRow{"DashBox1", fm.horizontalAdvance("0000:") + 20 * fm.averageCharWidth()},
        TRow{"DialEdit1", fm.horizontalAdvance("-999999")},
        TRow{"ComboBox1", fm.horizontalAdvance("A rather long item of the list")},
        TRow{"PaintBox1", 40}}) {
    EXPECT_GE(FindControl(&form, row.name)->width(), row.least) << row.name;
  }
  // The form grew from its given size only as far as its content needs.
  EXPECT_EQ(form.size(), QSize(60, 40).expandedTo(form.minimumSize()));
}
