// The money, item and party commands: an add-or-remove choice and values that are fixed
// or read from a variable at run time.
#include <QComboBox>

#include "core/monster_records.h"
#include "events/command_pieces.h"
#include "events/form_ev_cmd_base.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"

namespace {

// The shape of all three: head Code, P0 the direction, then each fixed-or-variable value
// as its kind and its value.
template <int32_t Code, int Values> struct TChangeValues {
  int Direction = 0;
  TFixedOrVariable Value[Values];
  bool operator==(const TChangeValues&) const = default;
};

template <int32_t Code, int Values>
void ReadCommand(const TXelEventScriptList& lines, TChangeValues<Code, Values>& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Direction = head.GetParam(0);
  for (int i = 0; i < Values; ++i)
    ReadFixedOrVariable(head.GetParam(1 + 2 * i), head.GetParam(2 + 2 * i), v.Value[i]);
}

template <int32_t Code, int Values>
void WriteCommand(const TChangeValues<Code, Values>& v, TXelEventScriptList& lines) {
  TXelEventScriptLine* head = lines.Add(Code, 0);
  head->Params.push_back(v.Direction);
  for (const TFixedOrVariable& value : v.Value)
    head->Params.insert(head->Params.end(), {value.Kind, FixedOrVariableValue(value)});
}

using TMoneyValues = TChangeValues<10310, 1>;
using TItemValues = TChangeValues<10320, 2>;
using TPartyValues = TChangeValues<10330, 1>;

template <class Values> class TFormEvCmdChange : public TFormEvCmd<Values> {
protected:
  using TFormEvCmd<Values>::TFormEvCmd;

  // The layout of all three; Groups declares the value groups.
  void Build(TFormBuilder& b, const QStringList& directions, const std::function<void()>& groups) {
    CommandLayout(b, [&] {
      b.RadioGroup("GroupBox1", "Set", directions, &this->v.Direction, 2);
      groups();
    });
  }
  void ValueGroup(TFormBuilder& b, const char* group, const QString& caption, int index,
                  const TFixedOrVariableNames& names, const std::function<QWidget*()>& fixed) {
    b.Group(group, caption, [&] {
      FixedOrVariableGroup(*this, b, names, this->v.Value[index],
                           [&] { return std::vector<QWidget*>{fixed()}; });
    });
  }
};

class TFormEvCmd10310 : public TFormEvCmdChange<TMoneyValues> {
public:
  explicit TFormEvCmd10310(QWidget* owner) : TFormEvCmdChange(owner, 10310) {
    TFormBuilder b(this, "FormEvCmd10310", "Change Money Held", 321, 181);
    Build(b, {"Increase Money", "Decrease Money"}, [&] {
      ValueGroup(b, "GroupBox2", "By how much?", 0,
                 {"RadioButton1", "Set", "RadioButton2", "Var", "DashBox1"},
                 [&] { return b.DialEdit("DialEdit1", 1, 999999, &v.Value[0].Fixed); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10310, TFormGroup::Command, 10310, LastUsedRecord<TMoneyValues>());

class TFormEvCmd10320 : public TFormEvCmdChange<TItemValues> {
public:
  explicit TFormEvCmd10320(QWidget* owner) : TFormEvCmdChange(owner, 10320) {
    TFormBuilder b(this, "FormEvCmd10320", "Add/Drop Items", 377, 257);
    Build(b, {"Add Item", "Drop Item"}, [&] {
      ValueGroup(b, "GroupBox2", "Which Item?", 0,
                 {"RadioButton1", "Fix", "RadioButton2", "Variable", "DashBox1"},
                 [&] { return CatalogCombo(b, "ComboBox1", ItemModel(), &v.Value[0].Fixed); });
      ValueGroup(b, "GroupBox3", "Amount", 1,
                 {"RadioButton3", "Set", "RadioButton4", "Variable", "DashBox2"},
                 [&] { return b.DialEdit("DialEdit1", 1, 99, &v.Value[1].Fixed); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10320, TFormGroup::Command, 10320, LastUsedRecord<TItemValues>());

class TFormEvCmd10330 : public TFormEvCmdChange<TPartyValues> {
public:
  explicit TFormEvCmd10330(QWidget* owner) : TFormEvCmdChange(owner, 10330) {
    TFormBuilder b(this, "FormEvCmd10330", "Change Party", 377, 181);
    Build(b, {"Add Member", "Remove Member"}, [&] {
      ValueGroup(b, "GroupBox2", "Which member?", 0,
                 {"RadioButton1", "Fix", "RadioButton2", "Variable", "DashBox1"},
                 [&] { return CatalogCombo(b, "ComboBox1", HeroModel(), &v.Value[0].Fixed); });
    });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd10330, TFormGroup::Command, 10330, LastUsedRecord<TPartyValues>());

} // namespace
