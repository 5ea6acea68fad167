#include "database/ed_mon_group.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>

#include "core/attribute_records.h"
#include "core/clipboard.h"
#include "core/clipboard_formats.h"
#include "core/code_page.h"
#include "core/database_tables.h"
#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "events/form_ev_cmd_list.h"
#include "events/script_editor.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/dash_box.h"
#include "framework/controls/dial_edit.h"
#include "framework/controls/image_buttons.h"
#include "framework/controls/mark_list_box.h"
#include "framework/controls/mobile_hint.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/script_list_box.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/catalog_model.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/modal_opener.h"
#include "framework/pickers/sel_material_list.h"

namespace {

TListPosition MonGroupPosition;

const TListPageKind MonGroupPageKind{[]() -> TCatalog* { return MonGroupList; }, &MonsterGroupModel,
                                     cfMonGroup, &MonGroupPosition};

// The field board: the backdrop's 320 x 160 and room below it.
constexpr int BoardHeight = 240;
constexpr int MissingMonsterSize = 64;

} // namespace

TFormEDMonGroup::TFormEDMonGroup(QWidget* parent)
    : TFormDataBasePage(parent, 6, MonGroupPageKind), backdrop_(std::make_unique<TGlimraSheet>()) {
  for (auto& sheet : sheets_) {
    sheet = std::make_unique<TGlimraSheet>();
    sheet->Transparent = true;
    // A member stands as large as its monster's picture.
    sheet->AutoSize = true;
  }
  backdrop_->SetSize(BattleFieldWidth, BattleFieldHeight);

  TFormBuilder b(this, "FormEDMonGroup", "Monsters Party", PageWidth, PageHeight);
  b.Row([&] {
    DataListColumn(b, "Monsters Party");
    b.Column([&] {
      b.Row([&] {
        b.Group("GroupBox1", "Name", [&] {
          OverEdit1 = b.Edit("OverEdit1", Field(&CurrentEntry, &TXelMonGroupItem::Name), 20);
        });
        b.Column([&] {
          b.Stretch();
          b.Row([&] {
            On(b.Button("ButtonAutoName", "Auto Name Group"), &QPushButton::clicked,
               &TFormEDMonGroup::ButtonAutoNameClick);
            On(b.Button("ButtonBattleTest", "Battle Test..."), &QPushButton::clicked,
               &TFormEDMonGroup::ButtonBattleTestClick);
            On(b.Button("ButtonChangeBackdrop", "Change BG..."), &QPushButton::clicked,
               &TFormEDMonGroup::ButtonChangeBackdropClick);
          });
        });
      });
      b.Row([&] {
        b.Column([&] {
          MainArea = b.Add<TScrollFrame>("MainArea");
          MainArea->HorzScrollBar()->SetVisible(false);
          MainArea->VertScrollBar()->SetVisible(false);
          MainArea->SetOpaque(true);
          MainArea->SetColor(QColor(128, 128, 128));
          MainArea->SetTabStop(true);
          MainArea->setFixedSize(BattleFieldWidth + 2 * MainArea->frameWidth(),
                                 BattleFieldHeight + 2 * MainArea->frameWidth());
          // Our own popup opens on the release, over the member it was pressed on.
          MainArea->viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
          MainArea->setContextMenuPolicy(Qt::PreventContextMenu);
          b.Row([&] {
            ButtonAdd = b.Button("ButtonAdd", "Add");
            ButtonDelete = b.Button("ButtonDelete", "Delete >");
            ButtonDeleteAll = b.Button("ButtonDeleteAll", "Clear All");
            ButtonDress = b.Button("ButtonDress", "In Row");
            for (QPushButton* button : {ButtonAdd, ButtonDelete, ButtonDeleteAll, ButtonDress})
              button->setMinimumWidth(button->sizeHint().width());
          });
        });
        MonsterList = b.Add<QListView>("MonsterList");
        MonsterList->setModel(&MonsterModel());
        MonsterList->setModelColumn(TCatalogModel::NameColumn);
        MonsterList->setUniformItemSizes(true);
        MonsterList->setEditTriggers(QAbstractItemView::NoEditTriggers);
        MonsterList->setFixedWidth(96);
        MonsterList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        b.Group("GroupBox2", "Appear in", [&] {
          MarkListBox1 = b.Add<TMarkListBox>("MarkListBox1");
          MarkListBox1->SetMode(TMarkListBox::mmCheck);
          MarkListBox1->setFixedWidth(90);
          MarkListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        });
      });
      b.Group("GroupBox3", "Battle Events", [&] {
        b.Row([&] {
          ButtonPageNew = b.Add<TImageButton>("ButtonPageNew", QStringLiteral("New Page"));
          ButtonPageCopy = b.Add<TImageButton>("ButtonPageCopy", QStringLiteral("Copy Page"));
          ButtonPagePaste = b.Add<TImageButton>("ButtonPagePaste", QStringLiteral("Paste Page"));
          ButtonPageDelete = b.Add<TImageButton>("ButtonPageDelete", QStringLiteral("Delete"));
          b.Stretch();
        });
        TabControl1 = b.Add<QTabBar>("TabControl1");
        TabControl1->setExpanding(false);
        TabControl1->setUsesScrollButtons(true);
        b.Row([&] {
          b.Label("Label1", "Trigger");
          DashBox1 = b.Add<TDashBox>("DashBox1");
          DashBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        });
        Script1 = new TScriptEditor(*this, b, "ListBox1");
      });
    });
  });

  // Lines of the lookup lists: every terrain.
  for (int i = 0; GroundList && i < GroundList->GetCount(); ++i)
    MarkListBox1->addItem(ToQString(GroundList->GetItem(i)->Name));
  MarkListBox1->setCurrentRow(0);
  MonsterList->setCurrentIndex(MonsterModel().index(0, TCatalogModel::NameColumn));

  MobileHint1 = new TMobileHint(this);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  Menu_Invisible = PopupMenu1->addAction(QStringLiteral("Route From Appearance"));
  Menu_Invisible->setObjectName(QStringLiteral("Menu_Invisible"));
  Menu_Invisible->setCheckable(true);
  On(PopupMenu1, &QMenu::aboutToShow, [this] {
    const TXelMonGroupMonsterItem* member =
        CurrentEntry ? CurrentEntry->Members.GetItem(selected_) : nullptr;
    Menu_Invisible->setChecked(member && member->Invisible);
  });
  On(Menu_Invisible, &QAction::triggered, &TFormEDMonGroup::MenuInvisibleClick);

  Script1->Menu()->setObjectName(QStringLiteral("PopupMenu2"));
  Script1->PalettePosition = QPoint(352, 88);
  Script1->PasteFilter = IsNotBattleEventCode;
  Script1->MakePalette = [this](QWidget*) -> std::unique_ptr<TEvCmdPalette> {
    auto palette = std::make_unique<TFormEvCmdList2>(window());
    palette->MonsterGroup = CurrentEntry;
    return palette;
  };
  Script1->OnModified = [this] { DataModified(); };
  OnDatabaseChanged = [this] {
    CatalogsChanged();
    DataModified();
  };

  On(ButtonAdd, &QPushButton::clicked, &TFormEDMonGroup::ButtonAddClick);
  On(MonsterList, &QListView::doubleClicked, &TFormEDMonGroup::ButtonAddClick);
  On(ButtonDelete, &QPushButton::clicked, &TFormEDMonGroup::ButtonDeleteClick);
  On(ButtonDeleteAll, &QPushButton::clicked, &TFormEDMonGroup::ButtonDeleteAllClick);
  On(ButtonDress, &QPushButton::clicked, &TFormEDMonGroup::ButtonDressClick);
  On(MarkListBox1, &TMarkListBox::ClickMark, &TFormEDMonGroup::MarkListBox1ClickMark);
  On(MarkListBox1, &QListWidget::itemDoubleClicked, &TFormEDMonGroup::MarkListBox1DblClick);
  On(ButtonPageNew, &QPushButton::clicked, &TFormEDMonGroup::ButtonPageNewClick);
  On(ButtonPageCopy, &QPushButton::clicked, &TFormEDMonGroup::ButtonPageCopyClick);
  On(ButtonPagePaste, &QPushButton::clicked, &TFormEDMonGroup::ButtonPagePasteClick);
  On(ButtonPageDelete, &QPushButton::clicked, &TFormEDMonGroup::ButtonPageDeleteClick);
  On(TabControl1, &QTabBar::currentChanged, &TFormEDMonGroup::TabControl1Change);
  On(DashBox1, &TDashBox::Clicked, &TFormEDMonGroup::DashBox1Click);
  On(MainArea, &TScrollFrame::MouseDown, &TFormEDMonGroup::MainAreaMouseDown);
  On(MainArea, &TScrollFrame::MouseMove, &TFormEDMonGroup::MainAreaMouseMove);
  On(MainArea, &TScrollFrame::MouseUp, &TFormEDMonGroup::MainAreaMouseUp);
  On(MainArea, &TScrollFrame::KeyDown, [this](QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) ButtonDeleteClick();
  });
  OnPaint(MainArea, [this](QPainter& canvas) { MainAreaPaint(canvas); });
  // "Paste Page" follows what the clipboard holds, whoever changed it.
  On(QGuiApplication::clipboard(), &QClipboard::dataChanged, [this] {
    const int pages = CurrentEntry ? CurrentEntry->BattlePages.GetCount() : MaxBattlePages;
    ButtonPagePaste->setEnabled(pages < MaxBattlePages && Clipboard().HasFormat(cfBattleEventPage));
  });
  Start();
}

TFormEDMonGroup::~TFormEDMonGroup() = default;

void TFormEDMonGroup::BindEntry(TCatalogItem* entry) {
  CurrentEntry = static_cast<TXelMonGroupItem*>(entry);
  converter_.MonsterGroup = CurrentEntry;
  selected_ = -1;
  dragging_ = false;
  MobileHint1->Hide();
  ReloadImages();
  RefreshTabs();
  UpdateControls();
}

void TFormEDMonGroup::UpdateOwnControls() {
  for (int i = 0; i < MarkListBox1->count(); ++i)
    MarkListBox1->SetChecked(i, CurrentEntry && CurrentEntry->GetTerrainFlag(i + 1) != 0);
}

void TFormEDMonGroup::showEvent(QShowEvent* event) {
  TFormDataBasePage::showEvent(event);
  RefreshScript();
}

void TFormEDMonGroup::RefreshTabs() {
  TUpdatingScope updating(*this);
  while (TabControl1->count() > 0)
    TabControl1->removeTab(TabControl1->count() - 1);
  for (int id = 1; CurrentEntry && id <= MaxBattlePages; ++id) {
    if (!CurrentEntry->BattlePages.FindById(id)) break;
    TabControl1->addTab(QString::number(id));
  }
  TabControl1->setCurrentIndex(TabControl1->count() > 0 ? 0 : -1);
}

int TFormEDMonGroup::PageIndex() const {
  return std::max(TabControl1->currentIndex(), 0);
}

TXelBattleEventPageItem* TFormEDMonGroup::CurrentPage() const {
  return CurrentEntry ? CurrentEntry->BattlePages.FindById(PageIndex() + 1) : nullptr;
}

void TFormEDMonGroup::RefreshEntryControls() {
  MainArea->viewport()->update();
  const int members = CurrentEntry ? CurrentEntry->Members.GetCount() : 0;
  ButtonAdd->setEnabled(CurrentEntry && members < MaxGroupMembers);
  ButtonDelete->setEnabled(CurrentEntry && selected_ >= 0 && selected_ < members);
  ButtonDeleteAll->setEnabled(members > 0);
  ButtonDress->setEnabled(members > 0);
  const int pages = CurrentEntry ? CurrentEntry->BattlePages.GetCount() : MaxBattlePages;
  ButtonPageNew->setEnabled(pages < MaxBattlePages);
  ButtonPageCopy->setEnabled(CurrentPage() != nullptr);
  ButtonPagePaste->setEnabled(pages < MaxBattlePages && Clipboard().HasFormat(cfBattleEventPage));
  ButtonPageDelete->setEnabled(CurrentEntry && pages >= 2);
  const TXelBattleEventPageItem* page = CurrentPage();
  DashBox1->SetText(page ? ToQString(TriggerSummary(page->Trigger, *CurrentEntry)) : QString());
  DashBox1->setEnabled(page != nullptr);
  RefreshScript();
}

void TFormEDMonGroup::RefreshScript() {
  if (keepScript_) return;
  TXelBattleEventPageItem* page = CurrentPage();
  Script1->SetScript(page ? &page->Script : nullptr, &converter_);
}

void TFormEDMonGroup::MembersModified() {
  keepScript_ = true;
  DataModified();
  keepScript_ = false;
}

// --- images and painting ---

void TFormEDMonGroup::LoadMemberImage(int index) {
  TGlimraSheet& sheet = *sheets_[static_cast<size_t>(index)];
  const TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(index);
  const TXelMonsterItem* monster =
      member && ::MonsterList ? ::MonsterList->FindById(member->MonsterId) : nullptr;
  // A missing or broken image shows as nothing and the page says nothing about it; it
  // keeps the room of a missing monster, so the member can still be picked and moved.
  if (monster && LoadMaterialSheet(sheet, monster->Graphic, "Monster", false)) {
    sheet.RotateHue(monster->Hue);
  } else {
    sheet.SetSize(MissingMonsterSize, MissingMonsterSize);
    sheet.Clear();
  }
}

void TFormEDMonGroup::ReloadImages() {
  LoadMaterialSheet(*backdrop_, SystemData ? SystemData->TestBackground : std::string(), "Backdrop",
                    false);
  const int members = CurrentEntry ? CurrentEntry->Members.GetCount() : 0;
  for (int i = 0; i < std::min(members, MaxGroupMembers); ++i)
    LoadMemberImage(i);
  MainArea->viewport()->update();
}

TMemberSizes TFormEDMonGroup::MemberSizes() const {
  TMemberSizes sizes;
  const int members = CurrentEntry ? CurrentEntry->Members.GetCount() : 0;
  for (int i = 0; i < members; ++i) {
    const TGlimraSheet* sheet =
        i < MaxGroupMembers ? sheets_[static_cast<size_t>(i)].get() : nullptr;
    sizes.push_back(sheet ? TPoint{sheet->Width(), sheet->Height()}
                          : TPoint{MissingMonsterSize, MissingMonsterSize});
  }
  return sizes;
}

void TFormEDMonGroup::MainAreaPaint(QPainter& canvas) {
  TGlimraBoard board;
  board.SetSize(BattleFieldWidth, BoardHeight);
  board.DrawSheet(0, 0, *backdrop_, backdrop_->GetBoundsRect());
  if (!CurrentEntry) {
    canvas.drawImage(0, 0, BoardToImage(board));
    return;
  }
  const TMemberSizes sizes = MemberSizes();
  for (int index : MemberDrawOrder(CurrentEntry->Members, sizes)) {
    if (index >= MaxGroupMembers) continue;
    const TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(index);
    const TXelMonsterItem* monster = ::MonsterList->FindById(member->MonsterId);
    TGlimraSheet& sheet = *sheets_[static_cast<size_t>(index)];
    sheet.Opacity = member->Invisible ? 80 : monster && monster->Transparent ? 160 : 255;
    const TRect rect = MemberRect(*member, sizes[static_cast<size_t>(index)]);
    board.DrawSheet(rect.Left, rect.Top, sheet, sheet.GetBoundsRect());
  }
  QImage image = BoardToImage(board);
  if (const TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(selected_)) {
    const TRect rect = MemberRect(*member, sizes[static_cast<size_t>(selected_)]);
    QPainter frame(&image);
    frame.setPen(Qt::white);
    frame.drawRect(rect.Left - 1, rect.Top - 1, rect.Width() + 1, rect.Height() + 1);
  }
  canvas.drawImage(0, 0, image);
}

// --- members ---

bool TFormEDMonGroup::InRow(bool apply) {
  const bool inRow = ArrangeInRow(CurrentEntry->Members, MemberSizes(), *::MonsterList, apply);
  MembersModified();
  return inRow;
}

void TFormEDMonGroup::SelectMember(int index) {
  selected_ = CurrentEntry && index >= 0 && index < CurrentEntry->Members.GetCount() ? index : -1;
  keepScript_ = true;
  RefreshEntryControls();
  keepScript_ = false;
}

void TFormEDMonGroup::ButtonAddClick() {
  if (!CurrentEntry || !::MonsterList || CurrentEntry->Members.GetCount() >= MaxGroupMembers)
    return;
  // No members stand in row trivially, so the first one is put in row (a flyer in the air).
  const bool wasInRow = InRow(false);
  TXelMonGroupMonsterItem* member = CurrentEntry->Members.Append();
  const int index = CurrentEntry->Members.GetCount() - 1;
  member->MonsterId = std::max(MonsterList->currentIndex().row(), 0) + 1;
  LoadMemberImage(index);
  const TGlimraSheet& sheet = *sheets_[static_cast<size_t>(index)];
  const TPoint place =
      NewMemberPlace(CurrentEntry->Members, index, {sheet.Width(), sheet.Height()});
  member->X = place.X;
  member->Y = place.Y;
  selected_ = index;
  if (wasInRow) InRow(true);
  MembersModified();
}

void TFormEDMonGroup::ButtonDeleteClick() {
  if (!CurrentEntry || selected_ < 0 || selected_ >= CurrentEntry->Members.GetCount()) return;
  const bool wasInRow = InRow(false);
  CurrentEntry->Members.RemoveAt(selected_ + 1);
  selected_ = std::min(selected_, CurrentEntry->Members.GetCount() - 1);
  ReloadImages();
  if (wasInRow) InRow(true);
  MembersModified();
}

void TFormEDMonGroup::ButtonDeleteAllClick() {
  if (!CurrentEntry) return;
  CurrentEntry->Members.Clear();
  selected_ = -1;
  ReloadImages();
  MembersModified();
}

void TFormEDMonGroup::ButtonDressClick() {
  if (CurrentEntry) InRow(true);
}

void TFormEDMonGroup::MenuInvisibleClick() {
  TXelMonGroupMonsterItem* member =
      CurrentEntry ? CurrentEntry->Members.GetItem(selected_) : nullptr;
  if (!member) return;
  member->Invisible = member->Invisible ? 0 : 1;
  MembersModified();
}

void TFormEDMonGroup::ButtonAutoNameClick() {
  if (!CurrentEntry || !::MonsterList) return;
  // Through the edit, whose change reaches the entry, its line and Apply.
  OverEdit1->setText(ToQString(
      AutoGroupName(*CurrentEntry, *::MonsterList, static_cast<size_t>(OverEdit1->maxLength()))));
}

void TFormEDMonGroup::MarkListBox1ClickMark() {
  if (!CurrentEntry) return;
  CurrentEntry->SetTerrainFlagCount(MarkListBox1->count());
  for (int i = 0; i < MarkListBox1->count(); ++i)
    CurrentEntry->SetTerrainFlag(i + 1, MarkListBox1->Checked(i) ? 1 : 0);
  DataModified();
}

void TFormEDMonGroup::MarkListBox1DblClick() {
  const TXelGroundItem* terrain =
      GroundList ? GroundList->FindById(MarkListBox1->currentRow() + 1) : nullptr;
  if (!terrain || !SystemData) return;
  SystemData->TestBackground = terrain->BattleBackground;
  ReloadImages();
  DataModified();
}

void TFormEDMonGroup::ButtonChangeBackdropClick() {
  if (!SystemData) return;
  TFormSelBackdrop picker(window());
  picker.FileName = SystemData->TestBackground;
  if (!OpenModal(picker, [&] { return picker.ExecuteAt(212, 44); })) return;
  SystemData->TestBackground = picker.FileName;
  ReloadImages();
  DataModified();
}

void TFormEDMonGroup::ButtonBattleTestClick() {
  if (!CurrentEntry) return;
  TFormEDMonGroupBattleTest dialog(window());
  dialog.MonsterGroupId = CurrentEntry->Id;
  if (OpenModal(dialog)) DataModified();
}

void TFormEDMonGroup::DashBox1Click() {
  TXelBattleEventPageItem* page = CurrentPage();
  if (!page) return;
  TFormEDMonGroupBattleEventTrigger dialog(window());
  dialog.Trigger.Assign(page->Trigger);
  dialog.MonsterGroup = CurrentEntry;
  if (OpenModal(dialog, [&] { return dialog.ExecuteAt(380, 160); })) {
    page->Trigger.Assign(dialog.Trigger);
    DataModified();
  }
  if (dialog.DatabaseChanged) OnDatabaseChanged();
}

// --- battle-event pages ---

void TFormEDMonGroup::TabControl1Change() {
  TabControl1->setFocus();
  RefreshEntryControls();
}

TXelBattleEventPageItem* TFormEDMonGroup::InsertPage() {
  const int tab = PageIndex();
  TXelBattleEventPageItem* inserted = CurrentEntry->BattlePages.InsertAt(tab + 2);
  {
    TUpdatingScope updating(*this);
    TabControl1->addTab(QString::number(TabControl1->count() + 1));
    TabControl1->setCurrentIndex(tab + 1);
  }
  return inserted;
}

void TFormEDMonGroup::ButtonPageNewClick() {
  if (!CurrentEntry || CurrentEntry->BattlePages.GetCount() >= MaxBattlePages) return;
  InsertPage();
  DataModified();
}

void TFormEDMonGroup::ButtonPageCopyClick() {
  if (TXelBattleEventPageItem* page = CurrentPage()) page->CopyToClipboard(cfBattleEventPage);
  RefreshEntryControls();
}

void TFormEDMonGroup::ButtonPagePasteClick() {
  if (!CurrentEntry || CurrentEntry->BattlePages.GetCount() >= MaxBattlePages) return;
  // A block that is not a page inserts nothing (an empty page would look pasted).
  TXelBattleEventPageItem pasted(0);
  if (!pasted.PasteFromClipboard(cfBattleEventPage)) return;
  InsertPage()->Assign(pasted);
  DataModified();
}

void TFormEDMonGroup::ButtonPageDeleteClick() {
  if (!CurrentEntry) return;
  const int count = CurrentEntry->BattlePages.GetCount();
  if (count < 2) return;
  const int tab = PageIndex();
  CurrentEntry->BattlePages.RemoveAt(tab + 1);
  {
    TUpdatingScope updating(*this);
    TabControl1->removeTab(TabControl1->count() - 1);
    TabControl1->setCurrentIndex(std::min(tab, TabControl1->count() - 1));
  }
  DataModified();
}

// --- the mouse on the field ---

void TFormEDMonGroup::MainAreaMouseDown(QMouseEvent* event) {
  // Another control that holds the mouse keeps it.
  if (QWidget* grabber = QWidget::mouseGrabber();
      grabber && grabber != MainArea && grabber != MainArea->viewport())
    return;
  if (!CurrentEntry) return;
  MainArea->setFocus();
  if (event->button() == Qt::RightButton && dragging_ && leftDrag_) {
    // A right press during a left drag puts the member back.
    if (TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(selected_)) {
      member->X = dragOrigin_.x();
      member->Y = dragOrigin_.y();
    }
    MobileHint1->Hide();
    dragging_ = false;
    MembersModified();
    return;
  }
  if (event->button() == Qt::MiddleButton) return;
  const TPoint point{event->position().toPoint().x(), event->position().toPoint().y()};
  SelectMember(MemberAt(CurrentEntry->Members, MemberSizes(), point));
  const TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(selected_);
  if (!member) return;
  dragOrigin_ = QPoint(member->X, member->Y);
  tracked_ = point;
  dragging_ = true;
  leftDrag_ = event->button() == Qt::LeftButton;
}

void TFormEDMonGroup::MainAreaMouseMove(QMouseEvent* event) {
  if (!dragging_ || !leftDrag_ || !CurrentEntry) return;
  TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(selected_);
  if (!member) return;
  const int step = event->modifiers() & Qt::ShiftModifier ? 1 : 4;
  const QPoint pointer = event->position().toPoint();
  const bool moved =
      DragMemberStep(tracked_, {pointer.x(), pointer.y()}, step, member->X, member->Y);
  const TXelMonsterItem* monster =
      ::MonsterList ? ::MonsterList->FindById(member->MonsterId) : nullptr;
  MobileHint1->ShowAt(MainArea->viewport()->mapToGlobal(QPoint(tracked_.X, tracked_.Y)),
                      QStringLiteral("%1: %2\n%3, %4")
                          .arg(selected_ + 1)
                          .arg(monster ? ToQString(monster->Name) : QString())
                          .arg(member->X)
                          .arg(member->Y));
  if (moved) MembersModified();
}

void TFormEDMonGroup::MainAreaMouseUp(QMouseEvent* event) {
  MobileHint1->Hide();
  const bool wasDragging = dragging_;
  dragging_ = false;
  if (!wasDragging || leftDrag_ || event->button() != Qt::RightButton || !CurrentEntry) return;
  const TXelMonGroupMonsterItem* member = CurrentEntry->Members.GetItem(selected_);
  const QPoint point = event->position().toPoint();
  if (member && MainArea->viewport()->rect().contains(point) &&
      MemberRect(*member, MemberSizes()[static_cast<size_t>(selected_)])
          .Contains(point.x(), point.y()))
    PopupMenu1->popup(event->globalPosition().toPoint());
}

VELMORA_REGISTER_DATABASE_PAGE(TFormEDMonGroup, 4);
