// The "Vocabulary" page: five tabs of one-line edits over the vocabulary record, each
// tab a sub-page made when it is chosen. Every edit, its place and its length come from
// the vocabulary table of the core.
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>

#include "core/database_tables.h"
#include "core/vocabulary_record.h"
#include "core/vocabulary_terms.h"
#include "database/database_page.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/forms/form_builder.h"

namespace {

// The tab shown when the page was last closed, for the run.
int LastVocabularyTab = 0;

// One tab's group boxes, in columns; each edit writes the field its group and Tag name.
class TFormEDVocabPage : public TFormDataBaseBase {
public:
  TFormEDVocabPage(QWidget* parent, int tab) : TFormDataBaseBase(parent, 12) {
    const QByteArray name = "FormEDVocabPage" + QByteArray::number(tab + 1);
    TFormBuilder b(this, name.constData(), QString(), PageWidth, PageHeight);
    b.Row([&] {
      for (const auto& column : Columns(tab)) {
        b.Column([&] {
          for (char letter : column)
            Group(b, *FindVocabularyGroup(letter));
          b.Stretch();
        });
      }
    });
    TUpdatingScope loading(*this);
    for (const auto& [edit, term] : edits_)
      if (const std::string* text = Text(term)) {
        edit->setText(ToQString(*text));
        edit->deselect(); // only the edit the author enters shows its text selected
      }
  }

  // The change handler of every group: the field of the edit's Tag takes its text.
  void OverEditChange(char letter, int tag, const TOverEdit* edit) {
    const TVocabularyTerm* term = FindVocabularyTerm(letter, tag);
    std::string* text = term ? Text(*term) : nullptr;
    if (!text) return;
    *text = FromQString(edit->text());
    DataModified();
  }

private:
  // The groups of each tab, column by column.
  static std::vector<std::string> Columns(int tab) {
    static const std::array<std::vector<std::string>, VocabularyTabCount> columns{{
        {"A", "B"},
        {"C", "D"},
        {"E", "F"},
        {"G", "HIJ"},
        {"L", "MN"},
    }};
    return columns[tab];
  }
  // Terms of one caption share a line; "Abilities, Equipment, etc." holds short names in
  // three pairs of columns, so the tab fits its height.
  void Group(TFormBuilder& b, const TVocabularyGroup& group) {
    const std::string_view letter(&group.Letter, 1);
    const QByteArray groupName = "GroupBox" + QByteArray(letter.data(), 1);
    b.Group(groupName.constData(), group.Caption, [&] {
      b.Grid(group.Letter == 'M' ? 6 : 2, [&] {
        const std::span<const TVocabularyTerm> terms = VocabularyTerms();
        for (size_t i = 0; i < terms.size(); ++i) {
          const TVocabularyTerm& term = terms[i];
          if (term.Letter != group.Letter) continue;
          if (i > 0 && terms[i - 1].Letter == term.Letter &&
              std::string_view(terms[i - 1].Caption) == term.Caption)
            continue; // placed beside the first of its caption
          b.Label(Name("Label", term).constData(), term.Caption);
          b.Row([&] {
            size_t end = i;
            while (end < terms.size() && terms[end].Letter == term.Letter &&
                   std::string_view(terms[end].Caption) == term.Caption)
              ++end;
            for (size_t j = i; j < end; ++j)
              Edit(b, terms[j], end - i > 1);
          });
        }
      });
    });
  }
  // An edit as wide as its text up to 14 characters; one of several on a line stays
  // narrow, so the long captions beside them keep their room.
  void Edit(TFormBuilder& b, const TVocabularyTerm& term, bool shared) {
    auto* edit = b.Add<TOverEdit>(Name("OverEdit", term).constData());
    edit->setMaxLength(term.MaxLength);
    const int character = QFontMetrics(edit->font()).averageCharWidth();
    edit->setMinimumWidth((shared ? 8 : std::clamp(term.MaxLength, 8, 14)) * character + 8);
    if (shared) edit->setMaximumWidth(10 * character + 8);
    On(edit, &QLineEdit::textChanged,
       [this, edit, letter = term.Letter, tag = term.Tag] { OverEditChange(letter, tag, edit); });
    edits_.push_back({edit, term});
  }
  static QByteArray Name(const char* prefix, const TVocabularyTerm& term) {
    return prefix + QByteArray(1, term.Letter) + QByteArray::number(term.Tag);
  }
  static std::string* Text(const TVocabularyTerm& term) {
    return VocabularyData ? VocabularyData->Text(term.Field) : nullptr;
  }

  std::vector<std::pair<TOverEdit*, TVocabularyTerm>> edits_;
};

template <int Tab> class TFormEDVocabPageOf : public TFormEDVocabPage {
public:
  explicit TFormEDVocabPageOf(QWidget* parent) : TFormEDVocabPage(parent, Tab) {}
};
using TFormEDVocabPage1 = TFormEDVocabPageOf<0>;
using TFormEDVocabPage2 = TFormEDVocabPageOf<1>;
using TFormEDVocabPage3 = TFormEDVocabPageOf<2>;
using TFormEDVocabPage4 = TFormEDVocabPageOf<3>;
using TFormEDVocabPage5 = TFormEDVocabPageOf<4>;

class TFormEDVocabulary : public TFormDataBaseBase {
public:
  explicit TFormEDVocabulary(QWidget* parent) : TFormDataBaseBase(parent, 12) {
    TFormBuilder b(this, "FormEDVocabulary", "Vocabulary", PageWidth, PageHeight);
    TabControl = b.Add<QTabBar>("TabControl");
    for (int tab = 0; tab < VocabularyTabCount; ++tab)
      TabControl->addTab(QStringLiteral("Terms %1").arg(tab + 1));
    Foundation = b.Add<QWidget>("Foundation");
    Foundation->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* layout = new QVBoxLayout(Foundation);
    layout->setContentsMargins(0, 0, 0, 0);
    On(TabControl, &QTabBar::currentChanged, [this] { TabControlChange(); });
  }
  ~TFormEDVocabulary() override {
    if (page_) LastVocabularyTab = TabControl->currentIndex();
  }

  // Stays on the tab control when the author chose a tab there (KeepTabFocus), so the
  // arrow keys go on switching tabs.
  void TabControlChange(bool keepTabFocus = true) {
    // Only one sub-page lives at a time: its edits read the record when made.
    Foundation->hide();
    TabControl->setFocus();
    delete page_;
    using TMake = std::function<TFormEDVocabPage*(QWidget*)>;
    static const std::array<TMake, VocabularyTabCount> pages{
        [](QWidget* p) { return new TFormEDVocabPage1(p); },
        [](QWidget* p) { return new TFormEDVocabPage2(p); },
        [](QWidget* p) { return new TFormEDVocabPage3(p); },
        [](QWidget* p) { return new TFormEDVocabPage4(p); },
        [](QWidget* p) { return new TFormEDVocabPage5(p); }};
    page_ = pages[std::clamp(TabControl->currentIndex(), 0, VocabularyTabCount - 1)](Foundation);
    page_->MapTree = MapTree;
    page_->Map = Map;
    page_->OnModified = [this](TFormDataBaseBase&) { DataModified(); };
    Foundation->layout()->addWidget(page_);
    Foundation->show();
    if (keepTabFocus) TabControl->setFocus();
  }

protected:
  void showEvent(QShowEvent* event) override {
    TFormDataBaseBase::showEvent(event);
    // The first sub-page comes after the page has shown, never inside a paint.
    if (page_ || pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
          GuardHandler(this, [this] {
            {
              TUpdatingScope updating(*this);
              TabControl->setCurrentIndex(LastVocabularyTab);
            }
            TabControlChange(false);
          });
        },
        Qt::QueuedConnection);
  }

private:
  QTabBar* TabControl;
  QWidget* Foundation;
  QPointer<TFormEDVocabPage> page_;
  bool pending_ = false;
};

} // namespace

VELMORA_REGISTER_DATABASE_PAGE(TFormEDVocabulary, 10);
