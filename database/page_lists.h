// Pieces the skill, item and monster pages share: the names of a catalog as the lines of a
// mark list, per-id flag and rank arrays shown in and read from a mark list, and the
// groups of controls a kind shows.
#pragma once

#include <QStringList>
#include <vector>

#include "core/byte_array_field.h"
#include "core/skill_item_pages.h"

class QWidget;
class TCatalogModel;
class TMarkListBox;

// The bare names of Model's entries, in id order: built once, added to lists in bulk.
QStringList ModelNames(TCatalogModel& model);
// Lines into a mark list of Mode (TMarkListBox::TMarkMode), line 0 selected.
void FillMarkList(TMarkListBox* list, int mode, const QStringList& lines);
// Line i shows the value of id i + 1.
void ShowIdMarks(TMarkListBox* list, const TIdByteArray& values);
// The array becomes as long as the list, each entry its line's mark.
void StoreIdMarks(const TMarkListBox* list, TIdByteArray& values);
// Of Groups, shows those that Table shows for Kind (by their objectName) and hides the
// others it names.
void ShowKindGroups(const std::vector<QWidget*>& groups, const std::vector<TKindGroup>& table,
                    int kind);
