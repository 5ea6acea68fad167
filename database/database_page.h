// The base of every page of the database window, and the list frame the eleven list
// pages share: the catalog's list on the left, its "Max Field Number..." button, the
// popup menu that copies, pastes and clears entries, and the bound entry.
//
// A list page declares its catalog, its clipboard format, its controls and its bind:
//
//   class TFormEDSkill : public TFormDataBasePage<TXelSkillItem> {
//   public:
//     explicit TFormEDSkill(QWidget* parent)
//         : TFormDataBasePage(parent, 3, SkillPage) {
//       TFormBuilder b(this, "FormEDSkill", "Skills", PageWidth, PageHeight);
//       b.Row([&] {
//         DataListColumn(b, "Skills");
//         b.Edit("EditName", Field(&CurrentEntry, &TXelSkillItem::Name), 20);
//         …
//       });
//       Start();
//     }
//   };
//   VELMORA_REGISTER_DATABASE_PAGE(TFormEDSkill, 1);
//
// Controls bound to Field(&CurrentEntry, …) write every change into the entry at once;
// the frame then redraws the entry's list line and calls DataModified. Start runs after
// the page's controls exist (a base constructor cannot reach the page's own), restores
// the list's saved position and binds the selected entry.
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>

#include "core/catalog.h"
#include "framework/forms/form_registry.h"
#include "framework/forms/form_xel_base.h"

class QAction;
class QListView;
class QMenu;
class QPushButton;
class TCatalogModel;
class TFormBuilder;
class TXelMap;
class TXelMapTree;

// The client size of every page.
inline constexpr int PageWidth = 769;
inline constexpr int PageHeight = 481;

class TFormDataBaseBase : public TFormXelWidget {
  Q_OBJECT
public:
  explicit TFormDataBaseBase(QWidget* parent, int helpContext = 0);

  // Set by the window before the page is first shown.
  std::function<void(TFormDataBaseBase& page)> OnModified;
  TXelMapTree* MapTree = nullptr;
  TXelMap* Map = nullptr; // may be absent

  // An edit reached the database: tells the window, then refreshes what depends on it.
  virtual void DataModified();
  // Updates the controls that depend on the bound entry's values (kind-dependent panels,
  // enabling, previews).
  virtual void RefreshEntryControls() {}
  // F4 and F5 of the window: the list moves one line, as if the arrow key were pressed.
  virtual void SelectPreviousEntry() {}
  virtual void SelectNextEntry() {}

protected:
  // A bound control changed its entry's value.
  void BoundValueChanged(QWidget* control) override;
};

// What a page class keeps between openings of the window: its list's top line and
// selection (one per page class, for the run).
struct TListPosition {
  int Top = 0;
  int Selected = 0;
};

// The page's catalog and how its list and clipboard work.
struct TListPageKind {
  // The catalog now in use (none while no database is loaded).
  TCatalog* (*Catalog)();
  // The shared model of its lines.
  TCatalogModel& (*Model)();
  uint32_t Format;
  TListPosition* Position;
};

class TFormDataBaseListPage : public TFormDataBaseBase {
  Q_OBJECT
public:
  ~TFormDataBaseListPage() override;

  // The author's click on list line Row; the line now selected; the number of lines.
  void SelectRow(int row);
  int SelectedRow() const;
  int RowCount() const;

  void SelectPreviousEntry() override;
  void SelectNextEntry() override;

  // The bound entry, or none.
  virtual TCatalogItem* BoundEntry() const = 0;
  // The list line of the bound entry (-1 when none).
  int BoundRow() const;

  // The list and menu handlers; each checks its own condition again, so a shortcut
  // never does what a disabled item would not.
  void DataListClick();
  void DataListPopup();
  void MenuDataCopyClick();
  void MenuDataPasteClick();
  void MenuDataClearClick();
  void MenuDataCutClick();
  void MenuDataMultiCopyClick();
  void ButtonMaxClick();
  bool CanPaste() const;

protected:
  TFormDataBaseListPage(QWidget* parent, int helpContext, const TListPageKind& kind);

  QListView* DataList = nullptr;
  QPushButton* ButtonMax = nullptr;
  QMenu* DataListPopupMenu = nullptr;
  QAction* Menu_DataCopy = nullptr;
  QAction* Menu_DataPaste = nullptr;
  QAction* Menu_DataClear = nullptr;
  QAction* Menu_DataCut = nullptr;
  QAction* Menu_DataMultiCopy = nullptr;

  // The label Caption, DataList and ButtonMax, as one column Width wide.
  void DataListColumn(TFormBuilder& b, const QString& caption, int width = 180);
  // The second step of construction: restores the saved position and binds the
  // selected entry. Every page's constructor ends with it.
  void Start();
  // Forgets the bound entry, then binds the selected one.
  void Rebind();
  // Binds Entry (or none): the page's pointer takes it, the controls show it.
  virtual void BindEntry(TCatalogItem* entry) = 0;
  // The bound entry's line shows its name again.
  void RedrawBoundLine();
  // The catalog now in use, or none.
  TCatalog* Catalog() const { return kind_.Catalog(); }
  TCatalogModel& Model() const { return kind_.Model(); }

  void BoundValueChanged(QWidget* control) override;
  void showEvent(QShowEvent* event) override;

private:
  void MoveSelection(int step);
  // The catalog's entries changed in number: the list follows, keeping its selection.
  void CatalogResized();
  void SavePosition();

  TListPageKind kind_;
  // The saved top line, set once the list has its height.
  int pendingTop_ = -1;
};

// A list page over a catalog of Item records.
template <class Item> class TFormDataBasePage : public TFormDataBaseListPage {
public:
  TCatalogItem* BoundEntry() const override { return CurrentEntry; }

protected:
  using TFormDataBaseListPage::TFormDataBaseListPage;

  void BindEntry(TCatalogItem* entry) override {
    CurrentEntry = static_cast<Item*>(entry);
    UpdateControls();
  }

  // Not owned: the record of the catalog that the controls edit.
  Item* CurrentEntry = nullptr;
};

// Registers a page class for its tab of the database window (0 = "Hero" … 12 =
// "Common Events"); the window makes it when its tab is chosen.
#define VELMORA_REGISTER_DATABASE_PAGE(Class, Tab)                                                 \
  VELMORA_REGISTER_FORM(Class, TFormGroup::DataBasePage, Tab)
