// The commands that steer a script: labels and jumps, the loop, calling another event,
// and comments.
#include <QComboBox>
#include <QLabel>
#include <algorithm>
#include <array>

#include "core/command_block.h"
#include "core/map.h"
#include "core/map_event.h"
#include "events/command_families.h"
#include "events/command_pieces.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_registry.h"

namespace {

// ---- 12110, 12120 ----

// One number for both, so a jump offers the label last created or jumped to.
struct TLabelNumber {
  int Value = 1;
  bool operator==(const TLabelNumber&) const = default;
};

template <int32_t Head> class TFormEvCmdLabel : public TFormEvCmdOneDial<Head, 1> {
protected:
  TFormEvCmdLabel(QWidget* owner, const QString& caption)
      : TFormEvCmdOneDial<Head, 1>(owner, caption, "Label Number", 2000000000, "", 1) {}
  void LoadLastUsed() override { this->v.Value = LastUsedRecord<TLabelNumber>().Value; }
  void StoreLastUsed() override { LastUsedRecord<TLabelNumber>().Value = this->v.Value; }
};

class TFormEvCmd12110 : public TFormEvCmdLabel<12110> {
public:
  explicit TFormEvCmd12110(QWidget* owner) : TFormEvCmdLabel(owner, "Create Label") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd12110, TFormGroup::Command, 12110, LastUsedRecord<TLabelNumber>());

class TFormEvCmd12120 : public TFormEvCmdLabel<12120> {
public:
  explicit TFormEvCmd12120(QWidget* owner) : TFormEvCmdLabel(owner, "Choose Label to Jump to") {}
};
VELMORA_REGISTER_FORM(TFormEvCmd12120, TFormGroup::Command, 12120, LastUsedRecord<TLabelNumber>());

// ---- 12210 ----

// A loop has no window: it is rebuilt around the body it was handed, nested blocks and
// all, or around an empty body when new.
class TFormEvCmd12210 : public TFormEvCmdNoWindow<12210> {
public:
  explicit TFormEvCmd12210(QWidget* owner) : TFormEvCmdNoWindow(owner) {}

  bool Execute() override {
    body_.Clear();
    // A new loop comes as an empty list: it has no line 0 to split.
    if (ScriptList->GetCount() > 0) body_ = std::move(SplitCommandBlock(*ScriptList).front().Body);
    return TFormEvCmdNoWindow::Execute();
  }

protected:
  void WriteLines(TXelEventScriptList& lines) const override {
    lines.Add(12210, 0);
    AppendBlockBody(lines, &body_);
    lines.Add(22210, 0);
  }

private:
  TXelEventScriptList body_;
};
VELMORA_REGISTER_FORM(TFormEvCmd12210, TFormGroup::Command, 12210);

// ---- 12330 ----

struct TCallEventValues {
  int Kind = 0; // 0 common event, 1 map event, 2 map event and page from variables
  int Common = 1;
  int Event = ThisEventId;
  int Page = 1;
  int EventVariable = 1;
  int PageVariable = 1;
  // P1 and P2 of a kind this editor does not know, written back as read.
  int Unknown[2] = {0, 0};
  bool operator==(const TCallEventValues&) const = default;
};

// Where P1 and P2 of the kind live; a common event has no P2.
template <class Values> auto KindSlots(Values& v) {
  using TSlots = std::array<decltype(&v.Common), 2>;
  switch (v.Kind) {
  case 0:
    return TSlots{&v.Common, nullptr};
  case 1:
    return TSlots{&v.Event, &v.Page};
  case 2:
    return TSlots{&v.EventVariable, &v.PageVariable};
  default:
    return TSlots{&v.Unknown[0], &v.Unknown[1]};
  }
}

void ReadCommand(const TXelEventScriptList& lines, TCallEventValues& v) {
  const TXelEventScriptLine& head = *lines.GetItem(0);
  v.Kind = head.GetParam(0);
  const auto places = KindSlots(v);
  for (int i = 0; i < 2; ++i)
    if (places[i]) *places[i] = head.GetParam(i + 1);
}

void WriteCommand(const TCallEventValues& v, TXelEventScriptList& lines) {
  const auto places = KindSlots(v);
  lines.Add(12330, 0)->Params = {v.Kind, *places[0], places[1] ? *places[1] : 0};
}

// The pages the called event has: the working copy for "this Event" and for the edited
// event itself, the stored event otherwise; 1 when there is none to count.
int CalledEventPages(const TFormEvCmdBase& form, int32_t id) {
  const TXelEventItem* event = nullptr;
  if (id == ThisEventId || id == form.EventId)
    event = form.Event;
  else if (form.Map)
    event = form.Map->Events.FindById(id);
  return event ? std::max(1, event->Pages.GetCount()) : 1;
}

class TFormEvCmd12330 : public TFormEvCmd<TCallEventValues> {
public:
  explicit TFormEvCmd12330(QWidget* owner) : TFormEvCmd(owner, 12330) {
    TFormBuilder b(this, "FormEvCmd12330", "Call Event", 377, 189);
    QComboBox *common = nullptr, *event = nullptr;
    QLabel *pageLabel = nullptr, *eventVarLabel = nullptr, *pageVarLabel = nullptr;
    TDashBox *eventVar = nullptr, *pageVar = nullptr;
    CommandLayout(b, [&] {
      b.Group("GroupBox1", "Call Event (as an interrupt)", [&] {
        b.Radios(&v.Kind, [&] {
          b.Radio("RadioButton1", "Common Events", 0);
          common = CatalogCombo(b, "ComboBox1", CommonEventModel(), &v.Common);
          b.Radio("RadioButton2", "Map Event (Direct designation)", 1);
          b.Row([&] {
            event = EventCombo(*this, b, "ComboBox2", &v.Event, false);
            pageLabel = b.Label("Label1", "Page");
            DialEdit1 = b.DialEdit("DialEdit1", 1, 1, &v.Page);
          });
          b.Radio("RadioButton3", "Map Event (Variable Designation)", 2);
          b.Row([&] {
            eventVarLabel = b.Label("Label2", "Event Number");
            eventVar = VariableBox(*this, b, "DashBox1", &v.EventVariable);
            pageVarLabel = b.Label("Label3", "Page");
            pageVar = VariableBox(*this, b, "DashBox2", &v.PageVariable);
          });
        });
      });
    });
    EnableWhen({common}, [this] { return v.Kind == 0; });
    EnableWhen({event, pageLabel, DialEdit1}, [this] { return v.Kind == 1; });
    EnableWhen({eventVarLabel, eventVar, pageVarLabel, pageVar}, [this] { return v.Kind == 2; });
    On(event, &QComboBox::currentIndexChanged, &TFormEvCmd12330::ComboBox2Change);
  }

  void ComboBox2Change() { UpdateControls(); }

protected:
  // The page dial ends at the chosen event's last page; a page above it is lowered.
  void UpdateOwnControls() override {
    const int pages = CalledEventPages(*this, v.Event);
    DialEdit1->SetMaxValue(pages);
    v.Page = std::min(v.Page, pages);
    DialEdit1->SetValue(v.Page);
  }

private:
  TDialEdit* DialEdit1;
};
VELMORA_REGISTER_FORM(TFormEvCmd12330, TFormGroup::Command, 12330,
                      LastUsedRecord<TCallEventValues>());

// ---- 12410 ----

class TFormEvCmd12410 : public TFormEvCmdTextLines<12410, 22410> {
public:
  explicit TFormEvCmd12410(QWidget* owner) : TFormEvCmdTextLines(owner, 12410) {
    TFormBuilder b(this, "FormEvCmd12410", "Comment", 425, 97);
    CommandLayout(b, [&] { Memo(b)->setMinimumSize(330, 70); });
  }
};
VELMORA_REGISTER_FORM(TFormEvCmd12410, TFormGroup::Command, 12410);

} // namespace
