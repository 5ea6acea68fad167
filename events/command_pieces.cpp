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
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/slider.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"
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

TStandardButtons CommandLayout(TFormBuilder& b, const std::function<void()>& controls) {
  TStandardButtons buttons{};
  b.Row([&] {
    b.Column(controls);
    buttons = b.ButtonColumn();
  });
  return buttons;
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

QStringList MessageStyles(int count, const std::function<std::string(int)>& message) {
  QStringList styles;
  for (int style = 0; style < count; ++style) {
    std::string text = std::string(1, static_cast<char>('A' + style)) + ":";
    if (VocabularyData) text += message(style);
    styles.push_back(ToQString(text));
  }
  return styles;
}

namespace {

// A combo over choices made from the form's context, which callers hand only after the
// form is built: they are made again whenever the context differs from the one they were
// made for. An unlisted id becomes Fallback, or the first entry when Fallback is not
// listed either.
template <class Context>
QComboBox* ContextCombo(TFormBuilder& b, const char* name, TField<int> id,
                        std::function<Context()> context,
                        std::function<TIdChoices(const Context&)> make, int32_t fallback) {
  auto* combo = ListCombo(b, name, {});
  auto choices = std::make_shared<TIdChoices>();
  auto filledFor = std::make_shared<std::optional<Context>>();
  return BindIdCombo(b, combo, std::move(id),
                     [combo, choices, filledFor, context, make, fallback]() -> const TIdChoices& {
                       const Context now = context();
                       if (*filledFor != now) {
                         *filledFor = now;
                         *choices = make(now);
                         choices->Fallback = choices->IndexOf(fallback) >= 0 || !choices->Count()
                                                 ? fallback
                                                 : choices->IdAt(0);
                         combo->clear();
                         combo->addItems(choices->Names);
                       }
                       return *choices;
                     });
}

} // namespace

QComboBox* EventCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, TField<int> id,
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

QComboBox* EnemyCombo(TFormEvCmdBase& form, TFormBuilder& b, const char* name, TField<int> id,
                      bool withAllGroup) {
  return ContextCombo<const TXelMonGroupItem*>(
      b, name, id, [&form] { return form.MonsterGroup; },
      [withAllGroup](const TXelMonGroupItem* group) { return EnemyChoices(group, withAllGroup); },
      0);
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
  form.OnPaint(view, [=, &fileName, &index, &mirror](QPainter& canvas) {
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
  form.OnPaint(view, [=](QPainter& canvas) {
    bar->SetTone(tone[0], tone[1], tone[2], tone[3]);
    bar->DrawAll(canvas);
  });
  return view;
}
