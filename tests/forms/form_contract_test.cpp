// The contract every registered form keeps, checked over all of them: a form registered
// anywhere in the editor is tested here without a line of its own.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSet>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTreeView>
#include <gtest/gtest.h>
#include <set>

#include "core/animation_record.h"
#include "core/database.h"
#include "core/database_generator.h"
#include "core/errors.h"
#include "core/settings.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/fixed_memo.h"
#include "framework/controls/group_frames.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/form_xel_base.h"
#include "framework/harness/widget_harness.h"

namespace {

std::vector<const TRegisteredForm*> AllForms() {
  std::vector<const TRegisteredForm*> forms;
  for (const TRegisteredForm& form : RegisteredForms())
    forms.push_back(&form);
  return forms;
}

// Changes every enabled value control once, as the author would.
void ChangeEveryValue(QWidget* form) {
  for (QWidget* control : form->findChildren<QWidget*>()) {
    if (!control->isEnabled() || !control->isVisibleTo(form)) continue;
    if (auto* dial = qobject_cast<TDialEdit*>(control))
      dial->SetValue(dial->Value() == dial->MaxValue() ? dial->MinValue() : dial->Value() + 1);
    else if (auto* edit = qobject_cast<QLineEdit*>(control); edit && !edit->isReadOnly())
      edit->insert(QStringLiteral("x"));
    else if (auto* memo = qobject_cast<TFixedMemo*>(control))
      memo->insertPlainText(QStringLiteral("x"));
    else if (auto* check = qobject_cast<QCheckBox*>(control))
      check->click();
    else if (auto* radio = qobject_cast<QRadioButton*>(control); radio && !radio->isChecked())
      radio->click();
    else if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->count() > 1)
      combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    else if (auto* list = qobject_cast<QListWidget*>(control); list && list->count() > 1)
      list->setCurrentRow((list->currentRow() + 1) % list->count());
    else if (auto* slider = qobject_cast<TSlider*>(control))
      slider->SetPosition(slider->Position() == slider->Max() ? slider->Min()
                                                              : slider->Position() + 1);
  }
}

class FormContract : public ::testing::TestWithParam<const TRegisteredForm*> {
protected:
  static void SetUpTestSuite() {
    // The project dialogs make and list folders in the projects base folder.
    base_ = new QTemporaryDir();
    ProjectBaseOption.Set(QDir(base_->path()).filePath("projects/").toStdString());
    QDir().mkpath(QDir(base_->path()).filePath("projects"));
    // The database pages and the pickers show a database as a project holds one.
    database_ = new TXelDataBase();
    TDataBaseGenerator(7).Fill(*database_, 30);
    // No project holds materials here: a form that shows a missing one would say so.
    for (int i = 0; i < database_->Animations().GetCount(); ++i)
      database_->Animations().GetItem(i)->Graphic.clear();
    GlobalDataBase = database_;
  }
  static void TearDownTestSuite() {
    GlobalDataBase = nullptr;
    delete database_;
    database_ = nullptr;
    delete base_;
    base_ = nullptr;
  }
  void SetUp() override {
    owner.resize(640, 480);
    ShowAndActivate(&owner);
  }
  std::unique_ptr<QWidget> Make() { return GetParam()->Create(&owner); }

  static QTemporaryDir* base_;
  static TXelDataBase* database_;
  QWidget owner;
  TScriptedMessageBoxes boxes;
};
QTemporaryDir* FormContract::base_ = nullptr;
TXelDataBase* FormContract::database_ = nullptr;

} // namespace

TEST(FormRegistry, ClassesAndKeysAreUnique) {
  std::set<std::string> classes;
  std::set<std::pair<TFormGroup, int>> keys;
  for (const TRegisteredForm& form : RegisteredForms()) {
    EXPECT_TRUE(classes.insert(form.ClassName).second) << form.ClassName;
    if (form.Group != TFormGroup::Dialog) {
      EXPECT_TRUE(keys.insert({form.Group, form.Key}).second) << form.ClassName;
    }
  }
  EXPECT_GE(classes.size(), 2u);
}

// No two of the form's parts share a name.
void ExpectUniqueNames(const QWidget* form) {
  QSet<QString> names;
  for (const QObject* child : form->findChildren<QObject*>()) {
    const QString name = child->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue; // Qt's own inner parts
    EXPECT_FALSE(names.contains(name)) << name.toStdString();
    names.insert(name);
  }
}

TEST_P(FormContract, BuildsAndShowsWithUniqueNames) {
  const auto form = Make();
  EXPECT_EQ(form->objectName().toStdString(), GetParam()->ClassName.substr(1));
  ExpectUniqueNames(form.get());
  ShowAndActivate(form.get());
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(boxes.Boxes().empty())
      << (boxes.Boxes().empty() ? "" : boxes.Boxes()[0].text.toStdString());
}

TEST_P(FormContract, EscapeAndClosePressTheCancelButtonAndCancelLeavesTheCallersData) {
  struct TWay {
    const char* name;
    std::function<void(TFormXelBase&)> close;
  };
  const TWay ways[] = {
      {"Cancel", [](TFormXelBase& f) { QTest::mouseClick(f.CancelButton(), Qt::LeftButton); }},
      {"Escape", [](TFormXelBase& f) { QTest::keyClick(&f, Qt::Key_Escape); }},
      {"title-bar close", [](TFormXelBase& f) { f.close(); }},
  };
  int cancelResult = mrCancel; // what the cancel button gives; the about box's is OK
  for (const TWay& way : ways) {
    SCOPED_TRACE(way.name);
    const auto widget = Make();
    auto* form = dynamic_cast<TFormXelBase*>(widget.get());
    if (!form) GTEST_SKIP() << "a page has no closing buttons";
    const TCallerDataCheck unchanged = GetParam()->RecordCallerData(form);
    ShowAndActivate(form);
    const bool cancellable = form->CancelButton() != nullptr;
    if (!cancellable && &way == &ways[0]) continue;
    ChangeEveryValue(form);
    way.close(*form);
    EXPECT_EQ(form->isVisible(), !cancellable);
    if (!cancellable) continue;
    if (&way == &ways[0]) cancelResult = form->result();
    EXPECT_EQ(form->result(), cancelResult);
    if (unchanged && cancelResult == mrCancel) {
      EXPECT_TRUE(unchanged());
    }
  }
}

TEST_P(FormContract, OkIsTheDefaultButtonAndClosesOnlyWithOk) {
  const auto widget = Make();
  auto* ok = widget->findChild<QPushButton*>("ButtonOk");
  if (!ok) GTEST_SKIP() << "no OK button";
  ShowAndActivate(widget.get());
  EXPECT_TRUE(ok->isDefault());
  QTest::mouseClick(ok, Qt::LeftButton);
  // A form may refuse (and stay); when it closes, it closes with OK.
  if (auto* form = dynamic_cast<TFormXelBase*>(widget.get()); form && !form->isVisible()) {
    EXPECT_EQ(form->result(), mrOk);
  }
}

TEST_P(FormContract, F1PressesTheHelpButtonOfTheFormsHelpContext) {
  const auto widget = Make();
  auto* form = dynamic_cast<TFormXelCommon*>(widget.get());
  ASSERT_NE(form, nullptr);
  ShowAndActivate(widget.get());
  auto* help = widget->findChild<QPushButton*>("ButtonHelp");
  if (help) {
    QSignalSpy helpClicks(help, &QPushButton::clicked);
    QTest::keyClick(widget.get(), Qt::Key_F1);
    EXPECT_EQ(helpClicks.count(), 1);
    EXPECT_NE(form->HelpContext, 0);
  } else {
    QTest::keyClick(widget.get(), Qt::Key_F1);
    EXPECT_TRUE(widget->isVisible());
  }
}

TEST_P(FormContract, AThrowingHandlerEndsInTheErrorBoxAndTheFormGoesOn) {
  const auto widget = Make();
  auto* form = dynamic_cast<TFormXelCommon*>(widget.get());
  ASSERT_NE(form, nullptr);
  auto* probe = new QPushButton(widget.get());
  form->On(probe, &QPushButton::clicked, [] { throw Exception("Handler failed"); });
  ShowAndActivate(widget.get());
  probe->click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Handler failed");
  EXPECT_EQ(boxes.Boxes()[0].parent, widget.get());
  EXPECT_TRUE(widget->isVisible());
  if (auto* dialog = dynamic_cast<TFormXelBase*>(form); dialog && dialog->CancelButton()) {
    dialog->CancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
  }
}

namespace {

// The largest client area a dialog has on an 800 x 600 screen, below its title bar.
const QSize LargestClient(800, 600 - 30);

// What a person reads and works with: the controls the form names, as they show.
std::vector<QWidget*> NamedVisibleControls(QWidget* form) {
  std::vector<QWidget*> controls;
  for (QWidget* control : form->findChildren<QWidget*>()) {
    const QString name = control->objectName();
    if (name.isEmpty() || name.startsWith("qt_") || !control->isVisible()) continue;
    controls.push_back(control);
  }
  return controls;
}

// A view scrolls its content: what lies inside need not fit it.
bool InsideScrolledContent(const QWidget* control, const QWidget* form) {
  for (const QWidget* w = control->parentWidget(); w && w != form; w = w->parentWidget())
    if (qobject_cast<const QAbstractScrollArea*>(w)) return true;
  return false;
}

bool IsInput(const QWidget* w) {
  return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const TSlider*>(w) ||
         qobject_cast<const TDashBox*>(w) || qobject_cast<const QCheckBox*>(w) ||
         qobject_cast<const QRadioButton*>(w);
}

int Colours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height() && colours.size() < 2; ++y)
    for (int x = 0; x < image.width() && colours.size() < 2; ++x)
      colours.insert(image.pixel(x, y));
  return colours.size();
}

// Whether the image holds a colour that a selection paints in.
bool ShowsASelection(const QImage& image) {
  const QPalette colours = QApplication::palette();
  const QRgb active = colours.color(QPalette::Active, QPalette::Highlight).rgb();
  const QRgb inactive = colours.color(QPalette::Inactive, QPalette::Highlight).rgb();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == active || image.pixel(x, y) == inactive) return true;
  return false;
}

bool ShowsAValue(QWidget* control) {
  if (auto* combo = qobject_cast<QComboBox*>(control)) return !combo->currentText().isEmpty();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return !edit->text().isEmpty();
  if (auto* box = qobject_cast<TDashBox*>(control)) return !box->Text().isEmpty();
  return false;
}

// The room a control needs for its widest expected text in its own font; 0 when the
// control's kind has no such rule.
int NeededWidth(QWidget* control) {
  const QFontMetrics fm(control->font());
  if (qobject_cast<TDashBox*>(control)) // "%.4d:" and a name of 20 characters
    return fm.horizontalAdvance("0000:") + 20 * fm.averageCharWidth() + 15 + 8;
  if (auto* dial = qobject_cast<TDialEdit*>(control))
    return std::max(fm.horizontalAdvance(QString::number(dial->MinValue())),
                    fm.horizontalAdvance(QString::number(dial->MaxValue()))) +
           15 + 11 + 8;
  if (auto* combo = qobject_cast<QComboBox*>(control)) {
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
      widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
    return widest + 20;
  }
  if (qobject_cast<QLineEdit*>(control)) return 8 * fm.averageCharWidth();
  if (qobject_cast<QAbstractButton*>(control)) return control->minimumSizeHint().width();
  if (qobject_cast<TSlider*>(control)) return 9 + 48; // the thumb and a track to move it on
  return 0;
}

// The room a label's text has: inside its frame, its margin and its indent.
QRect TextRoom(const QLabel* label) {
  QRect room = label->contentsRect();
  const int margin = label->margin();
  room.adjust(margin, margin, -margin, -margin);
  int indent = label->indent();
  if (indent < 0)
    indent = label->frameWidth() > 0 ? label->fontMetrics().horizontalAdvance('x') / 2 : 0;
  room.setWidth(room.width() - indent);
  return room;
}

// Every text a person reads on the form shows whole in its font: labels (a word-wrapped one
// in as many lines as its height holds), group captions, the column captions of lists and
// the cells of their shown rows. Buttons and check boxes are measured with the controls
// (NeededWidth).
void CheckTextsFit(QWidget* form) {
  for (QLabel* label : form->findChildren<QLabel*>()) {
    if (!label->isVisible() || label->text().isEmpty() || !label->pixmap().isNull()) continue;
    const bool mnemonic = label->buddy() != nullptr;
    const QString text = Qt::mightBeRichText(label->text()) && label->textFormat() != Qt::PlainText
                             ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                             : label->text();
    const QRect room = TextRoom(label);
    const int flags =
        (label->wordWrap() ? Qt::TextWordWrap : 0) | (mnemonic ? Qt::TextShowMnemonic : 0);
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(0, 0, std::max(room.width(), 1), 1 << 16), flags, text);
    EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
        << label->objectName().toStdString() << " \"" << text.toStdString() << "\" needs "
        << needed.width() << "x" << needed.height() << ", has " << room.width() << "x"
        << room.height();
  }
  for (QGroupBox* group : form->findChildren<QGroupBox*>()) {
    if (!group->isVisible() || group->title().isEmpty()) continue;
    // The caption starts 8 pixels in and ends inside the frame's right edge.
    const auto* frame = qobject_cast<TFakeGroupBox*>(group);
    const int needed = 8 +
                       group->fontMetrics().horizontalAdvance(QString(group->title()).remove('&')) +
                       2 * (frame ? frame->BevelWidth() : 1);
    EXPECT_GE(group->width(), needed) << group->objectName().toStdString() << " \""
                                      << group->title().toStdString() << "\": the caption is cut";
  }
  for (QHeaderView* header : form->findChildren<QHeaderView*>()) {
    if (!header->isVisible() || !header->model()) continue;
    const bool across = header->orientation() == Qt::Horizontal;
    const QFontMetrics fm = header->fontMetrics();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int extent = across ? header->viewport()->width() : header->viewport()->height();
    for (int section = 0; section < header->count(); ++section) {
      if (header->isSectionHidden(section)) continue;
      const QString text = header->model()->headerData(section, header->orientation()).toString();
      if (text.isEmpty()) continue;
      // The part of the section inside the header's view holds the caption and the margins
      // that keep it off its neighbours (the header clips, or elides, what does not fit).
      const int start = header->sectionViewportPosition(section);
      const int shown = std::min(start + header->sectionSize(section), extent) - std::max(start, 0);
      const int needed = across ? fm.horizontalAdvance(text) + 2 * margin : fm.height();
      EXPECT_GE(shown, needed) << header->parentWidget()->objectName().toStdString() << " column \""
                               << text.toStdString() << "\" is cut";
    }
  }
  // The rows a list with column captions shows: each cell's text within its column.
  for (QTreeView* view : form->findChildren<QTreeView*>()) {
    if (!view->isVisible() || view->isHeaderHidden() || !view->model()) continue;
    const QFontMetrics fm = view->fontMetrics();
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const QRect viewport = view->viewport()->rect();
    bool whole = true;
    for (QModelIndex row = view->indexAt(QPoint(0, 0)); whole && row.isValid();
         row = view->indexBelow(row)) {
      if (view->visualRect(row).top() >= viewport.height()) break;
      for (int column = 0; whole && column < view->model()->columnCount(row.parent()); ++column) {
        const QModelIndex index = row.siblingAtColumn(column);
        const QRect cell = view->visualRect(index).intersected(viewport);
        const QString text = index.data().toString();
        if (cell.isEmpty() || text.isEmpty() || index.data(Qt::DecorationRole).isValid()) continue;
        whole = cell.width() >= fm.horizontalAdvance(text) + 2 * margin;
        EXPECT_TRUE(whole) << view->objectName().toStdString() << " \"" << text.toStdString()
                           << "\" is cut";
      }
    }
  }
}

// Does the layouts that changes asked for, as the event loop does before painting: a layout
// that settles asks its parent's again, which a single pass over the posted events leaves.
void SettleLayouts(QWidget* form) {
  int depth = 0;
  for (const QWidget* control : form->findChildren<QWidget*>()) {
    int level = 0;
    for (const QWidget* w = control; w && w != form; w = w->parentWidget())
      ++level;
    depth = std::max(depth, level);
  }
  for (int pass = 0; pass <= depth; ++pass)
    QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

// Every visible control of the form's current look: seen whole, inside the client area,
// beside (not over) its siblings, wide enough for its text; custom paint shows.
void CheckWhatShows(QWidget* form) {
  SettleLayouts(form);
  const QImage grab = form->grab().toImage();
  const std::vector<QWidget*> controls = NamedVisibleControls(form);
  const auto* rules = dynamic_cast<const TFormXelCommon*>(form);
  for (QWidget* control : controls) {
    const std::string name = control->objectName().toStdString();
    SCOPED_TRACE(name);
    const QRect onForm(control->mapTo(form, QPoint(0, 0)), control->size());
    // What a view scrolls may be empty while there is nothing to show, as may a tab bar
    // without pages.
    if (InsideScrolledContent(control, form)) continue;
    if (auto* bar = qobject_cast<QTabBar*>(control); bar && bar->count() == 0) continue;
    EXPECT_FALSE(control->rect().isEmpty()) << "no room at all";
    if (control->rect().isEmpty()) continue;
    EXPECT_TRUE(form->rect().contains(onForm))
        << "at " << onForm.x() << "," << onForm.y() << " " << onForm.width() << "x"
        << onForm.height() << " outside the client area";
    // A size the form gives a control (its minimum, or a fixed size) is the size it shows.
    EXPECT_GE(control->width(), control->minimumWidth()) << "squeezed";
    EXPECT_GE(control->height(), control->minimumHeight()) << "squeezed";
    if (const int needed = NeededWidth(control)) {
      EXPECT_GE(control->width(), needed) << "too narrow for its text";
    }
    if (qobject_cast<TSlider*>(control)) {
      EXPECT_GE(control->height(), 18) << "the thumb is cut";
    }
    // A box is as high as its font needs, whatever minimum the form left it.
    if (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
        qobject_cast<TDashBox*>(control)) {
      EXPECT_GE(control->height(), control->sizeHint().height()) << "too low for its text";
    }
    if (qobject_cast<QLineEdit*>(control) && !control->hasFocus()) {
      EXPECT_FALSE(ShowsASelection(grab.copy(onForm))) << "a selection without the focus";
    }
    if (!control->isEnabled() && !(rules && rules->GreyedShowingValue(control))) {
      EXPECT_FALSE(ShowsAValue(control)) << "disabled, yet it shows a value";
    }
    if (QString(control->metaObject()->className()).startsWith('T') &&
        !qobject_cast<QAbstractScrollArea*>(control) && form->rect().contains(onForm)) {
      EXPECT_EQ(Colours(grab.copy(onForm)), 2) << "paints nothing";
    }
  }
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j) {
      if (controls[i]->parentWidget() != controls[j]->parentWidget()) continue;
      EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
          << controls[i]->objectName().toStdString() << " overlaps "
          << controls[j]->objectName().toStdString();
    }
  CheckTextsFit(form);
}

// The room a title bar needs: its text in bold, an icon and three buttons.
int TitleWidth(const QWidget* form) {
  QFont bold = form->font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(form->windowTitle()) + 100;
}

// Writes the grab to the folder that VELMORA_FORM_GRABS names, for a person to look at.
void WriteGrab(QWidget* form, const QString& name) {
  const QString folder = qEnvironmentVariable("VELMORA_FORM_GRABS");
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  EXPECT_TRUE(form->grab().save(QDir(folder).filePath(name + ".png")));
}

// The choices that show other controls, or other captions, than the form opens with: the
// control that makes the choice and the values it goes through. A combo box takes the value
// as its line; otherwise the value completes the name of the button to click.
struct TChoiceStates {
  const char* form;
  const char* control;
  std::vector<int> values;
};
const TChoiceStates ChoiceStates[] = {
    {"TFormEDItem", "ComboBox1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
    {"TFormEDSkill", "ComboBox1", {0, 1, 2, 3}},
    {"TFormEDSkill", "ComboBox2", {0, 2}},
    {"TFormEDMonsterAct", "ComboBox4", {0, 1, 2, 3, 4, 5, 6, 7}},
    {"TFormEvCmd10690", "ComboBox1", {0, 1}},
    {"TFormEDMonGroupBattleTest", "RadioButton", {1, 2}},
};

// Makes the choice as the author would; returns what the state shows the author, or
// nothing when the form has no such choice.
QString Choose(QWidget* form, const char* control, int value) {
  const QString name = QString::fromLatin1(control);
  if (auto* combo = form->findChild<QComboBox*>(name)) {
    if (value >= combo->count()) return {};
    combo->setCurrentIndex(value);
    return combo->itemText(value);
  }
  auto* button = form->findChild<QAbstractButton*>(name + QString::number(value));
  if (!button || !button->isEnabled()) return {};
  button->click();
  return button->text();
}

} // namespace

TEST(FormRegistry, EveryChoiceStateNamesARegisteredForm) {
  for (const TChoiceStates& states : ChoiceStates) {
    const auto form = std::find_if(RegisteredForms().begin(), RegisteredForms().end(),
                                   [&](const auto& f) { return f.ClassName == states.form; });
    EXPECT_NE(form, RegisteredForms().end()) << states.form;
  }
}

TEST_P(FormContract, OpensAtItsSizeAndShowsEveryControlWhole) {
  const auto form = Make();
  const QSize design = DesignClientSize(form.get());
  if (!design.isValid() && form->findChildren<QWidget*>().isEmpty())
    GTEST_SKIP() << "a command without a window";
  ShowAndActivate(form.get());
  // What the form makes once it has shown (a sub-page) is part of how it opens.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  SettleLayouts(form.get());
  // It opens at its size, grown only as far as its content needs, and fits the screen.
  EXPECT_TRUE(design.isValid());
  EXPECT_EQ(form->size(), design.expandedTo(form->minimumSize()));
  EXPECT_LE(form->width(), LargestClient.width());
  EXPECT_LE(form->height(), LargestClient.height());
  const QString title = form->windowTitle();
  if (!title.isEmpty()) {
    EXPECT_GE(form->width(), TitleWidth(form.get())) << "the title is cut";
  }
  const std::string name = GetParam()->ClassName;
  {
    SCOPED_TRACE("as it opens");
    CheckWhatShows(form.get());
    WriteGrab(form.get(), QString::fromStdString(name));
  }
  // Each page of its tab controls.
  for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
    if (!tabs->isVisible()) continue;
    for (int page = 0; page < tabs->count(); ++page) {
      if (page == tabs->currentIndex()) continue;
      tabs->setCurrentIndex(page);
      const QString pageName = tabs->widget(page)->objectName();
      SCOPED_TRACE(pageName.toStdString());
      CheckWhatShows(form.get());
      WriteGrab(form.get(), QString::fromStdString(name) + "-" + pageName);
    }
  }
  // Each tab of a bare tab bar; a form that makes a sub-page per tab (the vocabulary's)
  // shows a page of its own on every tab.
  QSet<QString> reached;
  for (QTabBar* bar : form->findChildren<QTabBar*>()) {
    if (!bar->isVisible() || qobject_cast<QTabWidget*>(bar->parentWidget())) continue;
    std::set<QString> subPages;
    for (int tab = 0; tab < bar->count(); ++tab) {
      bar->setCurrentIndex(tab);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
      SCOPED_TRACE(bar->tabText(tab).toStdString());
      QStringList shown;
      for (QWidget* sub : form->findChildren<QWidget*>())
        if (dynamic_cast<TFormXelCommon*>(sub) && sub->isVisible()) shown << sub->objectName();
      reached.unite(QSet<QString>(shown.begin(), shown.end()));
      shown.sort();
      subPages.insert(shown.join(' '));
      ExpectUniqueNames(form.get());
      CheckWhatShows(form.get());
      WriteGrab(form.get(),
                QString::fromStdString(name) + "-" + bar->objectName() + QString::number(tab + 1));
    }
    if (subPages.size() > 1) {
      EXPECT_EQ(subPages.size(), size_t(bar->count())) << "tabs that share a page";
    }
  }
  if (name == "TFormEDVocabulary") {
    for (int page = 1; page <= 5; ++page)
      EXPECT_TRUE(reached.contains(QStringLiteral("FormEDVocabPage%1").arg(page))) << page;
  }
  // Each state a choice shows; the choice goes back to where it was, since a page's choice
  // is the shared database's.
  for (const TChoiceStates& states : ChoiceStates) {
    if (name != states.form) continue;
    auto* combo = form->findChild<QComboBox*>(states.control);
    const int opening = combo ? combo->currentIndex() : -1;
    for (const int value : states.values) {
      const QString shown = Choose(form.get(), states.control, value);
      SCOPED_TRACE(std::string(states.control) + " " + shown.toStdString());
      ASSERT_FALSE(shown.isEmpty()) << "no such choice: " << value;
      CheckWhatShows(form.get());
      EXPECT_LE(form->width(), LargestClient.width());
      EXPECT_LE(form->height(), LargestClient.height());
      QString state = shown;
      state.remove(QRegularExpression("[^A-Za-z0-9]"));
      WriteGrab(form.get(), QString::fromStdString(name) + "-" + states.control + "-" + state);
    }
    if (opening >= 0) combo->setCurrentIndex(opening);
  }
}

TEST_P(FormContract, TheFocusStartsWhereTypingBelongs) {
  const auto form = Make();
  ShowAndActivate(form.get());
  QWidget* focus = form->focusWidget();
  const std::vector<QWidget*> controls = NamedVisibleControls(form.get());
  const bool hasInput = std::any_of(controls.begin(), controls.end(), [](QWidget* c) {
    return IsInput(c) && c->isEnabled() && c->focusPolicy() != Qt::NoFocus;
  });
  if (!hasInput) GTEST_SKIP() << "nothing to type into";
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(form->isAncestorOf(focus));
  // An inner part of a control (a list's viewport) stands for the control.
  while (focus && !IsInput(focus) && focus->parentWidget() != form.get())
    focus = focus->parentWidget();
  EXPECT_TRUE(IsInput(focus)) << focus->metaObject()->className() << " "
                              << focus->objectName().toStdString();
  const std::string name = GetParam()->ClassName;
  if (name == "TFormEvCmd10110" || name == "TFormEvCmd12410") {
    EXPECT_TRUE(qobject_cast<QTextEdit*>(focus)) << "the memo";
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, FormContract, ::testing::ValuesIn(AllForms()),
                         [](const auto& info) { return info.param->ClassName; });
