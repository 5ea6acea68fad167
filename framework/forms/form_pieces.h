// Combo boxes that stand for ids, shared by every page and dialog: the lines of a
// catalog, a run of numbered choices, or any list of named ids. They bind to a TField<int>,
// so a dialog's values struct and a page's Field(&CurrentEntry, ...) bind alike.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

#include "framework/forms/form_binding.h"

class QComboBox;
class TCatalogModel;
class TFormBuilder;

// The lines of a combo box and the id each stands for.
struct TIdChoices {
  QStringList Names;
  // The id of each line; when none are given, line i stands for First + i.
  std::vector<int32_t> Ids;
  int32_t First = 1;
  // What a stored id that no line stands for becomes when shown. Without one, no line
  // is selected and the field keeps its id until the author picks a line.
  std::optional<int32_t> Fallback;
  // Without a fallback: an id below the first line's shows the first line (the field
  // keeps it until the author picks one).
  bool BelowShowsFirst = false;
  // For lines that come from a model: their number, instead of Names.
  std::function<int()> Rows;

  void Add(const QString& name, int32_t id);
  int Count() const { return Rows ? Rows() : static_cast<int>(Names.size()); }
  // The line of Id, or -1.
  int IndexOf(int32_t id) const;
  int32_t IdAt(int index) const;
};

// The entries of a catalog: id = line + 1; an unlisted id shows, and becomes, 1.
TIdChoices CatalogChoices(const QStringList& names);
// Numbered choices: line i stands for First + i; an unlisted value selects no line.
TIdChoices OffsetChoices(const QStringList& items, int32_t first);

// Latin-1 texts of a table as the lines of a list.
template <class Names> QStringList LatinNames(const Names& names) {
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(std::size(names)));
  for (const char* name : names)
    lines.push_back(QString::fromLatin1(name));
  return lines;
}

// A combo whose width comes from a fixed number of characters, not from measuring
// thousands of names when it is first shown; with 0 characters it fits its lines.
inline constexpr int ListComboLength = 16;
QComboBox* ListCombo(TFormBuilder& b, const char* name, const QStringList& names,
                     int length = ListComboLength);

// A combo of Choices bound to an id, Length characters wide (0: as wide as its lines).
QComboBox* IdCombo(TFormBuilder& b, const char* name, const TIdChoices& choices, TField<int> id,
                   int length = ListComboLength);
// The IdCombo of CatalogChoices.
QComboBox* CatalogCombo(TFormBuilder& b, const char* name, const QStringList& names,
                        TField<int> id);
// A combo over the shared model of a catalog, showing its names: id = line + 1, an
// unlisted id shows, and becomes, 1. Opening it costs nothing per entry (unless Length is
// 0), and a rename or a new number of entries shows at once.
QComboBox* CatalogCombo(TFormBuilder& b, const char* name, TCatalogModel& model, TField<int> id,
                        int length = ListComboLength);
// The same over a model, with the rules of Choices for ids no line stands for (its lines
// and ids come from the model: line i stands for First + i).
QComboBox* IdCombo(TFormBuilder& b, const char* name, TCatalogModel& model, TIdChoices choices,
                   TField<int> id, int length = ListComboLength);

// Binds an IdCombo whose lines change after it is built: Refresh(shown) brings the lines
// up to date and returns the choices they stand for; it runs whenever the field is shown.
QComboBox* BindIdCombo(TFormBuilder& b, QComboBox* combo, TField<int> id,
                       std::function<const TIdChoices&()> refresh);
