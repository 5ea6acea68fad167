#include "events/command_pieces.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <memory>
#include <optional>
#include <tuple>

#include "core/animation_record.h"
#include "core/attribute_records.h"
#include "core/cell_picker.h"
#include "core/chipset_record.h"
#include "core/database_names.h"
#include "core/database_tables.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/hero_records.h"
#include "core/map.h"
#include "core/map_event.h"
#include "core/map_tree.h"
#include "core/material_image.h"
#include "core/monster_records.h"
#include "core/switch_records.h"
#include "core/vocabulary_record.h"
#include "events/form_ev_cmd_base.h"
#include "events/modal_opener.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/pickers/list_routines.h"
#include "framework/pickers/sel_cell.h"
#include "framework/pickers/sel_switch.h"
#include "shell/map/map_pickers.h"

void ReadFixedOrVariable(int32_t kind, int32_t value, TFixedOrVariable& v) {
  v.Kind = kind;
  (kind == 0 ? v.Fixed : kind == 1 ? v.Variable : v.Unknown) = value;
}

int32_t FixedOrVariableValue(const TFixedOrVariable& v) {
  return v.Kind == 0 ? v.Fixed : v.Kind == 1 ? v.Variable : v.Unknown;
}

void ReadTarget(const TXelEventScriptLine& head, TTargetValues& t) {
  t.Mode = head.GetParam(0);
  if (t.Mode == 2) {
    t.Variable = head.GetParam(1);
    return;
  }
  t.Single = t.From = head.GetParam(1);
  t.To = head.GetParam(2);
}

void WriteTarget(const TTargetValues& t, TParamList& params) {
  params.push_back(t.Mode);
  switch (t.Mode) {
  case 0:
    params.insert(params.end(), {t.Single, t.Single});
    break;
  case 1:
    params.insert(params.end(), {t.From, t.To});
    break;
  case 2:
    params.insert(params.end(), {t.Variable, 0});
    break;
  default: // as read
    params.insert(params.end(), {t.Single, t.To});
  }
}

void TIdChoices::Add(const QString& name, int32_t id) {
  Names.push_back(name);
  Ids.push_back(id);
}

int TIdChoices::IndexOf(int32_t id) const {
  for (size_t i = 0; i < Ids.size(); ++i)
    if (Ids[i] == id) return static_cast<int>(i);
  return -1;
}

TIdChoices EventChoices(const TXelMap* map, int32_t eventId, const TXelEventItem* event,
                        bool allFixedEntries) {
  TIdChoices choices;
  if (allFixedEntries) {
    int32_t id = HeroEventId;
    for (const char* name : {"Hero", "Boat", "Ship", "Airship"})
      choices.Add(QString::fromLatin1(name), id++);
  }
  choices.Add(QStringLiteral("this Event"), ThisEventId);
  if (!map) return choices;
  // The catalog keeps its entries in id order.
  for (int i = 0; i < map->Events.GetCount(); ++i) {
    const TXelEventItem* item = map->Events.Items(i);
    if (item->Id < 1 || item->Id > 5000) continue;
    const TXelEventItem* shown = item->Id == eventId && event ? event : item;
    choices.Add(ToQString(shown->Name), item->Id);
  }
  return choices;
}

TIdChoices EnemyChoices(const TXelMonGroupItem* group, bool withAllGroup) {
  TIdChoices choices;
  if (withAllGroup) choices.Add(QStringLiteral("All Group"), -1);
  if (!group) return choices;
  for (int i = 0; i < group->Members.GetCount(); ++i) {
    const auto* monster =
        MonsterList ? MonsterList->FindById(group->Members.GetItem(i)->MonsterId) : nullptr;
    choices.Add(QString::number(i + 1) + ":" + (monster ? ToQString(monster->Name) : QString()), i);
  }
  return choices;
}

namespace {

template <class List> QStringList NamesOf(const List* list) {
  QStringList names;
  for (int i = 0; list && i < list->GetCount(); ++i)
    names.push_back(ToQString(list->Items(i)->Name));
  return names;
}

template <class Picker> bool PickName(TFormEvCmdBase& form, int& lastId, int& id) {
  // The picker opens on the box's id; only its OK changes the id it remembers.
  const int remembered = lastId;
  lastId = id;
  Picker picker(&form);
  const bool ok = OpenModal(picker);
  if (picker.NamesChanged) form.DataChanged = true;
  if (ok)
    id = picker.SelectedId;
  else
    lastId = remembered;
  return ok;
}

template <class Picker>
TDashBox* NameBox(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id,
                  QString (*text)(int), int& lastId) {
  TDashBox* box = b.ValueBox(name, id, text);
  form.On(box, &TDashBox::Clicked, [&form, &lastId, id] {
    PickName<Picker>(form, lastId, *id);
    // Names applied in the picker show even when it was then cancelled.
    form.UpdateControls();
  });
  return box;
}

// The choice of a combo bound to an id through Ids.
QComboBox* BindIdCombo(TFormBuilder& b, QComboBox* combo, int* id,
                       std::function<int(int32_t&)> indexOf, std::function<int32_t(int)> idAt) {
  return b.Bind(
      combo, &QComboBox::currentIndexChanged, TField<int>(id),
      [id, indexOf](QComboBox* c, int value) {
        int32_t shown = value;
        const int index = indexOf(shown);
        *id = shown; // the fallback, when the stored id is not listed
        c->setCurrentIndex(index);
      },
      [idAt](QComboBox* c) { return c->currentIndex() < 0 ? 1 : idAt(c->currentIndex()); });
}

} // namespace

QString SwitchBoxText(int id) {
  return ToQString(SwitchNameById(id));
}
QString VariableBoxText(int id) {
  return ToQString(VariableNameById(id));
}
int SwitchCount() {
  return std::max(1, SwitchList ? SwitchList->GetCount() : 0);
}
int VariableCount() {
  return std::max(1, VariableList ? VariableList->GetCount() : 0);
}

void CommandLayout(TFormBuilder& b, const std::function<void()>& controls) {
  b.Row([&] {
    b.Column(controls);
    b.Column([&] {
      b.StandardButtons();
      b.Stretch();
    });
  });
}

template <class Picker>
bool PickCell(TFormEvCmdBase& form, int Picker::*cell, std::string& fileName, int& index) {
  Picker picker(&form);
  picker.FileName = fileName;
  picker.*cell = index;
  if (!OpenModal(picker)) return false;
  fileName = picker.FileName;
  index = picker.*cell;
  return true;
}

bool PickFace(TFormEvCmdBase& form, std::string& fileName, int& index) {
  return PickCell(form, &TFormSelFace::FaceIndex, fileName, index);
}
bool PickChar(TFormEvCmdBase& form, std::string& fileName, int& index) {
  return PickCell(form, &TFormSelChar::CharIndex, fileName, index);
}

bool PickSwitch(TFormEvCmdBase& form, int& id) {
  return PickName<TFormSelSwitch>(form, LastSwitchId, id);
}
bool PickVariable(TFormEvCmdBase& form, int& id) {
  return PickName<TFormSelVariable>(form, LastVariableId, id);
}

TDashBox* SwitchBox(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id) {
  return NameBox<TFormSelSwitch>(form, b, name, id, &SwitchBoxText, LastSwitchId);
}
TDashBox* VariableBox(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id) {
  return NameBox<TFormSelVariable>(form, b, name, id, &VariableBoxText, LastVariableId);
}

QStringList ItemNames() {
  return NamesOf(ItemList);
}
QStringList HeroNames() {
  return NamesOf(PlayerList);
}
QStringList AnimationNames() {
  return NamesOf(AnimationList);
}
QStringList ChipSetNames() {
  return NamesOf(ChipSetList);
}
QStringList MonsterGroupNames() {
  return NamesOf(MonGroupList);
}
QStringList SkillNames() {
  return NamesOf(SkillList);
}
QStringList ConditionNames() {
  return NamesOf(StatusList);
}
QStringList CommonEventNames() {
  return NamesOf(CommonEventList);
}

QComboBox* ListCombo(TFormBuilder& b, const char* name, const QStringList& names) {
  auto* combo = b.Add<QComboBox>(name);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(16);
  combo->addItems(names);
  return combo;
}

QStringList MessageStyles(int count, const std::function<std::string(int)>& message) {
  QStringList styles;
  for (int style = 0; style < count; ++style) {
    std::string text = std::string(1, static_cast<char>('A' + style)) + ":";
    if (VocabularyData) text += message(style);
    styles.push_back(ToQString(text));
  }
  return styles;
}

QComboBox* CatalogCombo(TFormBuilder& b, const char* name, const QStringList& names, int* id) {
  auto* combo = ListCombo(b, name, names);
  const int count = static_cast<int>(names.size());
  return BindIdCombo(
      b, combo, id,
      [count](int32_t& shown) {
        if (shown < 1 || shown > count) shown = 1;
        return shown <= count ? shown - 1 : -1;
      },
      [](int index) { return index + 1; });
}

QComboBox* IdCombo(TFormBuilder& b, const char* name, const TIdChoices& choices, int* id,
                   int32_t fallback) {
  auto* combo = ListCombo(b, name, choices.Names);
  return BindIdCombo(
      b, combo, id,
      [choices, fallback](int32_t& shown) {
        if (choices.IndexOf(shown) < 0) shown = fallback;
        return choices.IndexOf(shown);
      },
      [ids = choices.Ids](int index) { return ids[index]; });
}

namespace {

// A combo over choices made from the form's context, which callers hand only after the
// form is built: they are made again whenever the context differs from the one they were
// made for. An unlisted id becomes Fallback, or the first entry when Fallback is not
// listed either.
template <class Context>
QComboBox* ContextCombo(TFormBuilder& b, const char* name, int* id,
                        std::function<Context()> context,
                        std::function<TIdChoices(const Context&)> make, int32_t fallback) {
  auto* combo = ListCombo(b, name, {});
  auto choices = std::make_shared<TIdChoices>();
  auto filledFor = std::make_shared<std::optional<Context>>();
  return BindIdCombo(
      b, combo, id,
      [combo, choices, filledFor, context, make, fallback](int32_t& shown) {
        const Context now = context();
        if (*filledFor != now) {
          *filledFor = now;
          *choices = make(now);
          combo->clear();
          combo->addItems(choices->Names);
        }
        if (choices->IndexOf(shown) < 0)
          shown =
              choices->IndexOf(fallback) >= 0 || choices->Ids.empty() ? fallback : choices->Ids[0];
        return choices->IndexOf(shown);
      },
      [choices](int index) { return choices->Ids[static_cast<size_t>(index)]; });
}

} // namespace

QComboBox* EventCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id,
                      bool allFixedEntries) {
  using TContext = std::tuple<const TXelMap*, int32_t, const TXelEventItem*>;
  return ContextCombo<TContext>(
      b, name, id,
      [&form] {
        return TContext{form.Map, form.EventId, form.Event};
      },
      [allFixedEntries](const TContext& c) {
        return EventChoices(std::get<0>(c), std::get<1>(c), std::get<2>(c), allFixedEntries);
      },
      allFixedEntries ? HeroEventId : ThisEventId);
}

QComboBox* EnemyCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, int* id,
                      bool withAllGroup) {
  return ContextCombo<const TXelMonGroupItem*>(
      b, name, id, [&form] { return form.MonsterGroup; },
      [withAllGroup](const TXelMonGroupItem* group) { return EnemyChoices(group, withAllGroup); },
      0);
}

void FixedOrVariableGroup(TFormEvCmdBase& form, TFormBuilder& b, const TFixedOrVariableNames& names,
                          TFixedOrVariable& v,
                          const std::function<std::vector<QWidget*>()>& fixedControls,
                          std::function<bool()> enabled) {
  std::vector<QWidget*> fixed;
  std::vector<QWidget*> variable;
  b.Radios(&v.Kind, [&] {
    b.Grid(2, [&] {
      b.Radio(names.FixedRadio, names.FixedCaption);
      fixed = fixedControls();
      b.Radio(names.VariableRadio, names.VariableCaption);
      if (!names.VariableLabel) {
        variable = {VariableBox(form, b, names.VariableBox, &v.Variable)};
        return;
      }
      b.Row([&] {
        variable = {b.Label(names.VariableLabel, names.VariableLabelCaption),
                    VariableBox(form, b, names.VariableBox, &v.Variable)};
      });
    });
  });
  if (!enabled) enabled = [] { return true; };
  form.EnableWhen(fixed, [&v, enabled] { return enabled() && v.Kind == 0; });
  form.EnableWhen(variable, [&v, enabled] { return enabled() && v.Kind == 1; });
}

void TargetGroup(TFormEvCmdBase& form, TFormBuilder& b, const QString& caption, TTargetValues& t,
                 bool switches) {
  TDashBox* single = nullptr;
  TDialEdit* from = nullptr;
  TDialEdit* to = nullptr;
  TDashBox* variable = nullptr;
  b.Group("GroupBox1", caption, [&] {
    b.Radios(&t.Mode, [&] {
      b.Grid(2, [&] {
        b.Radio("RadioButton1", QStringLiteral("One"));
        single = switches ? SwitchBox(form, b, "DashBox1", &t.Single)
                          : VariableBox(form, b, "DashBox1", &t.Single);
        b.Radio("RadioButton2", QStringLiteral("Range"));
        b.Row([&] {
          // The range ends at the last entry of the database.
          const int count = switches ? SwitchCount() : VariableCount();
          from = b.DialEdit("DialEdit1", 1, count, &t.From);
          b.Label("Label1", QStringLiteral("To"));
          to = b.DialEdit("DialEdit2", 1, count, &t.To);
        });
        b.Radio("RadioButton3", QStringLiteral("Variable"));
        variable = VariableBox(form, b, "DashBox2", &t.Variable);
      });
    });
  });
  form.EnableWhen({single}, [&t] { return t.Mode == 0; });
  form.EnableWhen({from, to}, [&t] { return t.Mode == 1; });
  form.EnableWhen({variable}, [&t] { return t.Mode == 2; });
}

TScrollFrame* FacePreview(TFormEvCmdBase& form, TFormBuilder& b, const char* name,
                          const std::string& fileName, const int& index, const uint8_t& mirror) {
  constexpr int CellSize = 48;
  auto* view = b.Add<TScrollFrame>(name);
  view->HorzScrollBar()->SetVisible(false);
  view->VertScrollBar()->SetVisible(false);
  view->setFixedSize(2 * CellSize + 2 * view->frameWidth(), 2 * CellSize + 2 * view->frameWidth());
  struct TLoaded {
    TGlimraSheet Sheet;
    std::string Name;
    bool Valid = false;
  };
  auto loaded = std::make_shared<TLoaded>();
  // Face graphics are read at their fixed size; a sheet of none shows nothing.
  loaded->Sheet.SetSize(FaceViewSize, FaceViewSize);
  // Painting is no handler: it runs also while Updating.
  QObject::connect(
      view, &TScrollFrame::Paint, form.Connections(),
      [=, &form, &fileName, &index, &mirror](QPainter& canvas) {
        GuardHandler(&form, [&] {
          if (fileName.empty()) return;
          if (!loaded->Valid || loaded->Name != fileName) {
            loaded->Name = fileName;
            loaded->Valid = LoadMaterialSheet(loaded->Sheet, fileName, "FaceSet", false);
          }
          if (!loaded->Valid) return;
          TGlimraBoard board;
          board.SetSize(CellSize, CellSize);
          board.StretchDrawSheet(TRect{0, 0, CellSize, CellSize}, loaded->Sheet,
                                 FaceRect(index >= 0 && index < FaceCount ? index : 0));
          QImage image = BoardToImage(board);
          if (mirror) image = image.mirrored(true, false);
          canvas.drawImage(QRect(QPoint(0, 0), view->ClientSize()), image);
        });
      });
  return view;
}

TMapPlace DefaultPlace(const TFormEvCmdBase& form) {
  TMapPlace place;
  place.MapId = form.Map ? form.Map->Id : 0;
  if (form.Event) {
    place.X = form.Event->X;
    place.Y = form.Event->Y;
    return place;
  }
  const TXelMapTreeItem* active =
      form.MapTree ? form.MapTree->FindById(form.MapTree->ActiveId) : nullptr;
  place.X = (active ? active->ViewX / 32 : 0) + 9;
  place.Y = (active ? active->ViewY / 32 : 0) + 7;
  if (form.Map) {
    place.X = std::max(0, std::min(form.Map->Width() - 1, place.X));
    place.Y = std::max(0, std::min(form.Map->Height() - 1, place.Y));
  }
  return place;
}

QString PlaceText(const TXelMapTree* tree, const TMapPlace& place) {
  const TXelMapTreeItem* item = tree && place.MapId > 0 ? tree->FindById(place.MapId) : nullptr;
  return QString::asprintf("%.4d:", place.MapId) + (item ? ToQString(item->Name) : "?") + " " +
         PositionText(place.X, place.Y);
}

QString PositionText(int32_t x, int32_t y) {
  return QString::asprintf("(%.3d,%.3d)", x, y);
}

bool PickPlace(TFormEvCmdBase& form, const TPlacePicking& how, TMapPlace& place) {
  // The picker scrolls the active item's view to the cell; the caller's view stays.
  auto* tree = const_cast<TXelMapTree*>(form.MapTree);
  TXelMapTreeItem* active = tree ? tree->FindById(tree->ActiveId) : nullptr;
  const int32_t viewX = active ? active->ViewX : 0;
  const int32_t viewY = active ? active->ViewY : 0;
  TFormMapSetPlace picker(&form);
  picker.setWindowTitle(how.Caption);
  picker.MapTree = tree;
  picker.HeldMap = form.Map;
  picker.MapId = place.MapId;
  picker.AllowAnyNode = how.AllowAnyNode;
  picker.RequirePosition = how.RequirePosition;
  const bool known = place.MapId > 0 && tree && tree->FindById(place.MapId);
  picker.X = how.Locked || known ? place.X : -1;
  picker.Y = how.Locked || known ? place.Y : -1;
  if (how.Locked) picker.SetMapLocked(true);
  const bool ok = OpenModal(picker);
  if (ok) {
    if (!how.Locked) place.MapId = picker.MapId;
    place.X = picker.X;
    place.Y = picker.Y;
  }
  if (tree && (active = tree->FindById(tree->ActiveId))) {
    active->ViewX = viewX;
    active->ViewY = viewY;
  }
  return ok;
}

namespace {
struct TScreenTransitionRecord {
  int LastScreenTransition = -1;
};
struct TWaitUntilDoneRecord {
  uint8_t LastWaitUntilDone = 1;
};
} // namespace

int& LastScreenTransition() {
  return LastUsedRecord<TScreenTransitionRecord>().LastScreenTransition;
}
uint8_t& LastWaitUntilDone() {
  return LastUsedRecord<TWaitUntilDoneRecord>().LastWaitUntilDone;
}

TSliderDial SliderDialPair(TFormXelCommon& form, TFormBuilder& b, const char* slider,
                           const char* dial, int minValue, int maxValue, int scale, int* value,
                           std::function<void()> changed) {
  TSliderDial pair;
  pair.Slider = b.Add<TSlider>(slider);
  pair.Slider->SetMin(minValue / scale);
  pair.Slider->SetMax(maxValue / scale);
  b.Bind(
      pair.Slider, &TSlider::Change, TField<int>(value),
      [scale](TSlider* c, int v) { c->SetPosition(v / scale); },
      [scale](TSlider* c) { return c->Position() * scale; });
  pair.Dial = b.DialEdit(dial, minValue, maxValue, value);
  if (scale > 1) pair.Dial->SetIncrement(scale);
  // Each shows the other's change without storing it again: a slider step would round a
  // typed value down to the slider's scale.
  form.On(pair.Slider, &TSlider::Change, [&form, pair, value, changed] {
    {
      TUpdatingScope updating(form);
      pair.Dial->SetValue(*value);
    }
    if (changed) changed();
  });
  form.On(pair.Dial, &QLineEdit::textChanged, [&form, pair, value, scale, changed] {
    {
      TUpdatingScope updating(form);
      pair.Slider->SetPosition(*value / scale);
    }
    if (changed) changed();
  });
  return pair;
}

TScrollFrame* ToneSample(TFormXelCommon& form, TFormBuilder& b, const char* name, const int* tone) {
  auto* view = b.Add<TScrollFrame>(name);
  view->HorzScrollBar()->SetVisible(false);
  view->VertScrollBar()->SetVisible(false);
  view->setFixedSize(TColorBar::BoardWidth + 2 * view->frameWidth(),
                     TColorBar::BarHeight * 2 + 2 * view->frameWidth());
  auto bar = std::make_shared<TColorBar>();
  // Painting is no handler: it runs also while Updating.
  QObject::connect(view, &TScrollFrame::Paint, form.Connections(), [=](QPainter& canvas) {
    GuardHandler(view->window(), [&] {
      bar->SetTone(tone[0], tone[1], tone[2], tone[3]);
      bar->DrawAll(canvas);
    });
  });
  return view;
}
