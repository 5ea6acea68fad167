// The inn command, a block whose two optional branches hold what follows a stay and a
// refusal, and the command that lets the player enter a hero's name.
#include <QComboBox>
#include <memory>

#include "core/command_block.h"
#include "core/database_tables.h"
#include "core/vocabulary_record.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// ---- 10730 ----

constexpr int32_t StayedBranch = 20730, DeclinedBranch = 20731, InnEnd = 20732;
constexpr int CurrencyTerm = 95;

struct TInnValues {
  int Style = 0;         // P0
  int Price = 0;         // P1
  bool Branches = false; // P2, not remembered
  // The bodies of the two branches as read; not part of the record.
  std::shared_ptr<TXelEventScriptList> Stayed, Declined;
  bool operator==(const TInnValues& o) const {
    return Style == o.Style && Price == o.Price && Branches == o.Branches;
  }
};

void ReadCommand(const TXelEventScriptList& lines, TInnValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Style = head.GetParam(0);
  v.Price = head.GetParam(1);
  v.Branches = head.GetParam(2) == 1;
  const std::vector<TBlockSection> sections = SplitCommandBlock(lines);
  v.Stayed = KeepBlockBody(sections, StayedBranch);
  v.Declined = KeepBlockBody(sections, DeclinedBranch);
}

void WriteCommand(const TInnValues& v, TXelEventScriptList& lines) {
  lines.Add(10730, 0)->Params = {v.Style, v.Price, v.Branches ? 1 : 0};
  // The bodies go with the branches.
  if (v.Branches)
    AppendBlockBranches(lines, {{StayedBranch, v.Stayed.get()}, {DeclinedBranch, v.Declined.get()}},
                        InnEnd);
}

// "A:" or "B:", then the style's greeting, the price sign with the currency and the
// rest of its offer, as the player reads them.
QStringList InnStyles() {
  return MessageStyles(TXelVocabulary::InnCount, [](int style) {
    const auto& texts = VocabularyData->GetInn(style)->Texts;
    const std::string* currency = VocabularyData->Text(CurrencyTerm);
    return texts[0] + "x" + (currency ? *currency : std::string()) + texts[1] + texts[2];
  });
}

class TFormEvCmd10730 : public TFormEvCmd<TInnValues> {
public:
  explicit TFormEvCmd10730(QWidget* owner) : TFormEvCmd(owner, 10730) {
    TFormBuilder b(this, "FormEvCmd10730", "Call Inn", 377, 205);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", QStringLiteral("Inn Message Style"),
              [&] { Style = ListCombo(b, "ComboBox1", InnStyles()); });
      b.Group("GroupBox2", QStringLiteral("Inn Price"),
              [&] { b.DialEdit("DialEdit1", 0, 999999, &v.Price); });
      b.Group("GroupBox3", QStringLiteral("Options"), [&] {
        b.CheckBox("CheckBox1", QStringLiteral("Add Rest Success Fork"), &v.Branches);
      });
    });
    On(Style, &QComboBox::currentIndexChanged, [this](int index) { v.Style = index; });
  }

private:
  void LoadLastUsed() override {
    TFormEvCmd::LoadLastUsed();
    v.Branches = false; // a new inn starts without its branches
    v.Stayed = v.Declined = nullptr;
  }
  void StoreLastUsed() override {
    TFormEvCmd::StoreLastUsed();
    LastUsedRecord<TInnValues>().Stayed = LastUsedRecord<TInnValues>().Declined = nullptr;
  }
  // A stored style beyond the two keeps its value and shows none.
  void UpdateOwnControls() override {
    Style->setCurrentIndex(v.Style < Style->count() ? v.Style : -1);
  }

  QComboBox* Style = nullptr;
};
VELMORA_REGISTER_FORM(TFormEvCmd10730, TFormGroup::Command, 10730, LastUsedRecord<TInnValues>());

// ---- 10740 ----

struct THeroNameValues {
  int Hero = 1;          // P0
  int Mode = 0;          // P1: 0 normal letters, 1 symbols
  bool ShowName = false; // P2
  bool operator==(const THeroNameValues&) const = default;
};

void ReadCommand(const TXelEventScriptList& lines, THeroNameValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Hero = head.GetParam(0);
  v.Mode = head.GetParam(1);
  v.ShowName = head.GetParam(2) == 1;
}

void WriteCommand(const THeroNameValues& v, TXelEventScriptList& lines) {
  lines.Add(10740, 0)->Params = {v.Hero, v.Mode, v.ShowName ? 1 : 0};
}

class TFormEvCmd10740 : public TFormEvCmd<THeroNameValues> {
public:
  explicit TFormEvCmd10740(QWidget* owner) : TFormEvCmd(owner, 10740) {
    TFormBuilder b(this, "FormEvCmd10740", "Enter Hero Name", 377, 205);
    CommandLayout(b, [&] {
      b.Group("GroupBox1", QStringLiteral("Hero"),
              [&] { CatalogCombo(b, "ComboBox1", HeroModel(), &v.Hero); });
      b.Group("GroupBox2", QStringLiteral("Initial Input Mode"), [&] {
        b.Radios(&v.Mode, [&] {
          b.Row([&] {
            b.Radio("RadioButton1", QStringLiteral("Normal"));
            b.Radio("RadioButton2", QStringLiteral("Symbols"));
          });
        });
      });
      b.Group("GroupBox3", QStringLiteral("Options"),
              [&] { b.CheckBox("CheckBox1", QStringLiteral("Show Initial Name"), &v.ShowName); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10740, TFormGroup::Command, 10740,
                      LastUsedRecord<THeroNameValues>());

} // namespace
