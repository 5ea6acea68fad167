#include "framework/pickers/sel_material_list.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/glimra_board.h"
#include "core/glimra_sheet.h"
#include "core/material_image.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/color_bar.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/scroll_frame.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/list_routines.h"

VELMORA_REGISTER_FORM(TFormSelPanorama, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelBackdrop, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelBattle, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelChipSet, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelTitle, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelGameOver, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelSystem, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelPicture, TFormGroup::Dialog, 0);
VELMORA_REGISTER_FORM(TFormSelMovie, TFormGroup::Dialog, 0);

namespace {

constexpr int ListWidth = 177;
constexpr int ButtonWidth = 89;
constexpr int ButtonHeight = 25;
// The preview frames' sizes count a two-pixel border on each side.
constexpr int FrameBorder = 2;

} // namespace

int ShowMaterialEntries(QListWidget* list, const std::vector<std::string>& items,
                        std::string_view name, int linesAbove, int fallback, int first) {
  QStringList lines;
  lines.reserve(static_cast<int>(items.size()));
  for (const std::string& item : items)
    lines << ToQString(item);
  const int selected = MaterialEntryToSelect(items, name, fallback, first);
  list->clear();
  list->addItems(lines);
  list->setCurrentRow(selected);
  SetListTopIndex(list, ListTopIndexFor(selected, linesAbove));
  return selected;
}

std::string SelectedMaterialName(const QListWidget* list, std::string_view empty) {
  const QListWidgetItem* item = list->currentItem();
  return item ? StripRtpSuffix(FromQString(item->text())) : std::string(empty);
}

TFormSelMaterialList::TFormSelMaterialList(const TListPickerKind& kind, QWidget* owner,
                                           const std::function<void(TFormBuilder&)>& side)
    : TFormXelBase(owner), kind_(kind) {
  TFormBuilder b(this, kind.FormName, QString::fromLatin1(kind.Caption), kind.ClientWidth,
                 kind.ClientHeight);
  const auto list = [&] {
    auto* tab = b.Add<QFrame>("TabControl1");
    tab->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    IconListBox1 = new TIconListBox(tab);
    IconListBox1->setObjectName(QStringLiteral("IconListBox1"));
    IconListBox1->setFixedWidth(ListWidth);
    (new QVBoxLayout(tab))->addWidget(IconListBox1);
  };
  const auto buttons = [&] {
    b.Row([&] {
      b.Stretch();
      ButtonOk = b.OkButton();
      QPushButton* cancel = b.CancelButton();
      for (QPushButton* button : {ButtonOk, cancel})
        button->setFixedSize(ButtonWidth, ButtonHeight);
    });
  };
  if (kind.Preview == TPreviewKind::None && !side) {
    // A list alone has its buttons below it, in the picker's narrow width.
    b.Column([&] {
      list();
      buttons();
    });
  } else {
    b.Row([&] {
      list();
      b.Column([&] {
        if (kind.Preview != TPreviewKind::None) {
          ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
          ScrollFrame1->HorzScrollBar()->SetVisible(false);
          ScrollFrame1->VertScrollBar()->SetVisible(false);
          const int edge = 2 * ScrollFrame1->frameWidth() - 2 * FrameBorder;
          ScrollFrame1->setFixedSize(kind.FrameWidth + edge, kind.FrameHeight + edge);
        }
        if (side) side(b);
        b.Stretch();
        buttons();
      });
    });
  }

  On(IconListBox1, &QListWidget::currentRowChanged, &TFormSelMaterialList::IconListBox1Click);
  // A double-click, never "activated": some styles send that on a single click.
  On(IconListBox1, &QListWidget::itemDoubleClicked, [this] { ButtonOk->click(); });
  if (ScrollFrame1) {
    sheet_ = std::make_unique<TGlimraSheet>();
    sheet_->AutoSize = kind.SheetWidth == 0;
    sheet_->SetSize(kind.SheetWidth, kind.SheetHeight);
    OnPaint(ScrollFrame1, [this](QPainter& canvas) { ScrollFrame1Paint(canvas); });
    On(ScrollFrame1, &TScrollFrame::DblClick, [this] { ButtonOk->click(); });
  }
}

TFormSelMaterialList::~TFormSelMaterialList() = default;

void TFormSelMaterialList::FormShow() {
  v.FileName = FileName;
  std::vector<std::string> items;
  ListMaterialFiles(items, kind_.Folder, kind_.Extensions);
  {
    TUpdatingScope updating(*this);
    ShowMaterialEntries(IconListBox1, items, v.FileName, kind_.LinesAboveSelection);
  }
  IconListBox1Click();
  UpdateControls();
}

void TFormSelMaterialList::ButtonOkClick() {
  FileName = v.FileName;
  done(mrOk);
}

void TFormSelMaterialList::IconListBox1Click() {
  v.FileName = SelectedMaterialName(IconListBox1);
  if (!sheet_) return;
  // A missing or unreadable file shows an empty preview, without a message.
  LoadMaterialSheet(*sheet_, v.FileName, kind_.Folder, false);
  ScrollFrame1->viewport()->update();
}

void TFormSelMaterialList::ScrollFrame1Paint(QPainter& canvas) {
  DrawMaterialPreview(canvas, kind_, *sheet_, ScrollFrame1->ClientSize());
}

void DrawMaterialPreview(QPainter& canvas, const TListPickerKind& kind, TGlimraSheet& sheet,
                         QSize client) {
  const TRect boardRect = PreviewBoardRect(kind, client.width(), client.height());
  TGlimraBoard board;
  board.SetSize(boardRect.Width(), boardRect.Height());
  const TRect whole = sheet.GetBoundsRect();
  switch (kind.Preview) {
  case TPreviewKind::OneToOne:
    board.DrawSheet(0, 0, sheet, whole);
    break;
  case TPreviewKind::Half:
    board.StretchDrawSheet(boardRect, sheet, whole);
    break;
  case TPreviewKind::Fitted:
    board.StretchDrawSheet(
        FitRectKeepingAspect(boardRect.Width(), boardRect.Height(), whole.Width(), whole.Height()),
        sheet, whole);
    break;
  case TPreviewKind::None:
    return;
  }
  canvas.drawImage(0, 0, BoardToImage(board));
}

TFormSelPanorama::TFormSelPanorama(QWidget* owner)
    : TFormSelMaterialList(PanoramaPickerKind, owner) {}
TFormSelBackdrop::TFormSelBackdrop(QWidget* owner)
    : TFormSelMaterialList(BackdropPickerKind, owner) {}
TFormSelBattle::TFormSelBattle(QWidget* owner) : TFormSelMaterialList(BattlePickerKind, owner) {}
TFormSelChipSet::TFormSelChipSet(QWidget* owner) : TFormSelMaterialList(ChipSetPickerKind, owner) {}
TFormSelTitle::TFormSelTitle(QWidget* owner) : TFormSelMaterialList(TitlePickerKind, owner) {}
TFormSelGameOver::TFormSelGameOver(QWidget* owner)
    : TFormSelMaterialList(GameOverPickerKind, owner) {}
TFormSelPicture::TFormSelPicture(QWidget* owner) : TFormSelMaterialList(PicturePickerKind, owner) {}
TFormSelMovie::TFormSelMovie(QWidget* owner) : TFormSelMaterialList(MoviePickerKind, owner) {}

// ---- TFormSelSystem ----

TFormSelSystem::TFormSelSystem(QWidget* owner)
    : TFormSelMaterialList(SystemPickerKind, owner, [this](TFormBuilder& b) {
        b.RadioGroup("RadioGroupA", QStringLiteral("Wallpaper"),
                     {QStringLiteral("Enlarge to Display"), QStringLiteral("Tile Display")},
                     &v.WallpaperMode);
        b.RadioGroup("RadioGroupB", QString(), {QStringLiteral("Font 1"), QStringLiteral("Font 2")},
                     &v.FontIndex);
      }) {}

void TFormSelSystem::FormShow() {
  v.WallpaperMode = WallpaperMode;
  v.FontIndex = FontIndex;
  TFormSelMaterialList::FormShow();
}

void TFormSelSystem::ButtonOkClick() {
  WallpaperMode = v.WallpaperMode;
  FontIndex = v.FontIndex;
  TFormSelMaterialList::ButtonOkClick();
}
