#include "framework/forms/form_pieces.h"

#include <QComboBox>
#include <memory>

#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"

void TIdChoices::Add(const QString& name, int32_t id) {
  Names.push_back(name);
  Ids.push_back(id);
}

int TIdChoices::IndexOf(int32_t id) const {
  if (Ids.empty()) {
    const int64_t index = int64_t{id} - First;
    return index >= 0 && index < Count() ? static_cast<int>(index) : -1;
  }
  for (size_t i = 0; i < Ids.size(); ++i)
    if (Ids[i] == id) return static_cast<int>(i);
  return -1;
}

int32_t TIdChoices::IdAt(int index) const {
  return Ids.empty() ? First + index : Ids[static_cast<size_t>(index)];
}

TIdChoices CatalogChoices(const QStringList& names) {
  TIdChoices choices;
  choices.Names = names;
  choices.Fallback = 1;
  return choices;
}

TIdChoices OffsetChoices(const QStringList& items, int32_t first) {
  TIdChoices choices;
  choices.Names = items;
  choices.First = first;
  return choices;
}

QComboBox* ListCombo(TFormBuilder& b, const char* name, const QStringList& names, int length) {
  auto* combo = b.Add<QComboBox>(name);
  if (length > 0) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(length);
  }
  combo->addItems(names);
  return combo;
}

QComboBox* BindIdCombo(TFormBuilder& b, QComboBox* combo, TField<int> id,
                       std::function<const TIdChoices&()> refresh) {
  return b.Bind(
      combo, &QComboBox::currentIndexChanged, id,
      [id, refresh](QComboBox* c, int value) {
        const TIdChoices& choices = refresh();
        int index = choices.IndexOf(value);
        if (index < 0 && choices.Fallback) {
          // Shown as the fallback, and kept so: OK writes what the author saw.
          id.Set(*choices.Fallback);
          index = choices.IndexOf(*choices.Fallback);
        } else if (index < 0 && choices.BelowShowsFirst && choices.Ids.empty() &&
                   value < choices.First && choices.Count() > 0) {
          index = 0;
        }
        c->setCurrentIndex(index);
      },
      [id, refresh](QComboBox* c) {
        const TIdChoices& choices = refresh();
        const int index = c->currentIndex();
        if (index >= 0 && index < choices.Count()) return static_cast<int>(choices.IdAt(index));
        return choices.Fallback ? *choices.Fallback : id.Get();
      });
}

QComboBox* IdCombo(TFormBuilder& b, const char* name, const TIdChoices& choices, TField<int> id,
                   int length) {
  auto* combo = ListCombo(b, name, choices.Names, length);
  auto kept = std::make_shared<const TIdChoices>(choices);
  return BindIdCombo(b, combo, std::move(id), [kept]() -> const TIdChoices& { return *kept; });
}

QComboBox* CatalogCombo(TFormBuilder& b, const char* name, const QStringList& names,
                        TField<int> id) {
  return IdCombo(b, name, CatalogChoices(names), std::move(id));
}

QComboBox* IdCombo(TFormBuilder& b, const char* name, TCatalogModel& model, TIdChoices choices,
                   TField<int> id, int length) {
  auto* combo = ListCombo(b, name, {}, length);
  combo->setModel(&model);
  combo->setModelColumn(TCatalogModel::NameColumn);
  choices.Names.clear();
  choices.Ids.clear();
  choices.Rows = [&model] { return model.rowCount(); };
  auto kept = std::make_shared<const TIdChoices>(std::move(choices));
  return BindIdCombo(b, combo, std::move(id), [kept, &model]() -> const TIdChoices& {
    model.FollowDataBase();
    return *kept;
  });
}

QComboBox* CatalogCombo(TFormBuilder& b, const char* name, TCatalogModel& model, TField<int> id,
                        int length) {
  TIdChoices choices;
  choices.Fallback = 1;
  return IdCombo(b, name, model, std::move(choices), std::move(id), length);
}
