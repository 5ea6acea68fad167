#include "framework/pickers/form_material_base.h"

#include <QDir>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cstring>
#include <memory>
#include <unistd.h>

#include "core/atomic_file.h"
#include "core/code_page.h"
#include "core/errors.h"
#include "core/file_messages.h"
#include "core/file_utils.h"
#include "core/image_file.h"
#include "core/material.h"
#include "core/path_resolver.h"
#include "core/project_path.h"
#include "core/settings.h"
#include "framework/controls/list_boxes.h"
#include "framework/controls/message_box.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/pic_dialog.h"
#include "framework/controls/qt_text.h"
#include "framework/controls/resource_pictures.h"
#include "framework/controls/scroll_frame.h"
#include "framework/controls/wheel_master.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "framework/pickers/material_manager.h"
#include "framework/pickers/material_messages.h"

namespace {

// The folder the last import came from.
const TOption<std::string> MaterialPathOption{SettingsSection, "MaterialPath", ""};
// After an import the new entry is shown as the seventh visible line.
constexpr int ImportedEntryLine = 7;
constexpr int MaxZoom = 4;
constexpr int BlinkMilliseconds = 500;

QString Text(const char* text) {
  return QString::fromLatin1(text);
}

QString Path(const std::string& path) {
  return QString::fromStdString(path);
}

// The 14 x 14 glyphs of the lists: a folder, and one per kind of material, in the order
// of TMaterialKind.
QPixmap Glyph(int which) {
  static constexpr const char* kinds[] = {"material_image.png", "material_movie.png",
                                          "material_music.png", "material_sound.png"};
  return QPixmap::fromImage(ResourcePicture(which < 0 ? "material_folder.png" : kinds[which]));
}

std::string FromPath(const QString& path) {
  return path.toStdString();
}

} // namespace

// ---- TFormMaterialBase ----

TFormMaterialBase::TFormMaterialBase(QWidget* owner)
    : TFormXelBase(owner, MaterialManagerHelpContext) {
  TFormBuilder b(this, "FormMaterialBase", Text(SMaterialBaseCaption), 425, 297);
  b.Row([&] {
    IconListBox1 = b.Add<TIconListBox>("IconListBox1");
    IconListBox2 = b.Add<TIconListBox>("IconListBox2");
    b.Column([&] {
      ButtonImport = b.Button("ButtonImport", Text(SMaterialImportButton));
      ButtonExport = b.Button("ButtonExport", Text(SMaterialExportButton));
      ButtonDelete = b.Button("ButtonDelete", Text(SMaterialDeleteButton));
      Panel1 = b.Group("Panel1", QString(), [&] {
        b.Group("GroupBox1", Text(SMaterialImportFrom), [&] {
          b.Radios(&MaterialManagerMemory().ImportFormat, [&] {
            b.Radio("RadioButton1", Text(SMaterialFormatPng));
            b.Radio("RadioButton2", Text(SMaterialFormatXyz));
          });
        });
      });
      b.Stretch();
      SetCancelButton(b.Button("ButtonClose", Text(SMaterialClose)));
      b.HelpButton();
    });
  });
  IconListBox1->setFixedWidth(110);
  IconListBox1->SetGlyph(Glyph(-1));
  for (const TMaterialFolderInfo& folder : MaterialManagerFolders)
    IconListBox1->addItem(Text(folder.Name));

  // The file dialogs start where the author last left them, never in the current
  // directory, which belongs to the open project.
  const std::string remembered = MaterialPathOption.Get();
  lastFolder_ = !remembered.empty() && FolderExists(remembered) ? remembered : GetHomeFolder();

  On(IconListBox1, &QListWidget::currentRowChanged, &TFormMaterialBase::IconListBox1Click);
  On(IconListBox2, &QListWidget::itemSelectionChanged, &TFormMaterialBase::IconListBox2Click);
  On(ButtonImport, &QPushButton::clicked, &TFormMaterialBase::ButtonImportClick);
  On(ButtonExport, &QPushButton::clicked, &TFormMaterialBase::ButtonExportClick);
  On(ButtonDelete, &QPushButton::clicked, &TFormMaterialBase::ButtonDeleteClick);
  EnableWhen({ButtonExport}, [this] { return HasMaterial(); });
  EnableWhen({ButtonDelete}, [this] { return HasMaterial() && !HasRtpSuffix(SelectedEntry()); });
  EnableWhen({Panel1}, [this] {
    return folderIndex_ >= 0 && MaterialManagerFolders[folderIndex_].Kind == TMaterialKind::Image;
  });
}

TFormMaterialBase::~TFormMaterialBase() = default;

void TFormMaterialBase::FormShow() {
  UpdateControls();
  {
    TUpdatingScope updating(*this);
    IconListBox1->setCurrentRow(
        ClampInt(MaterialManagerMemory().FolderIndex, 0, MaterialFolderCount - 1));
  }
  IconListBox1Click();
  ApplyEnableRules();
}

void TFormMaterialBase::IconListBox1Click() {
  const int index = IconListBox1->currentRow();
  if (index < 0 || index == folderIndex_) return;
  folderIndex_ = index;
  folderName_ = MaterialManagerFolders[index].Name;
  folderPath_ = IncludeTrailingBackslash(ProjectPath) + folderName_ + "/";
  IconListBox2->SetGlyph(Glyph(int(MaterialManagerFolders[index].Kind)));
  FillMaterials("");
}

void TFormMaterialBase::IconListBox2Click() {
  // Only the buttons follow, through their rules.
}

bool TFormMaterialBase::HasMaterial() const {
  return IconListBox2->currentItem() && IconListBox2->currentItem()->isSelected();
}

std::string TFormMaterialBase::SelectedEntry() const {
  return HasMaterial() ? FromQString(IconListBox2->currentItem()->text()) : std::string();
}

bool TFormMaterialBase::FindSelectedFile(std::string& path) const {
  return FindMaterialFile(StripRtpSuffix(SelectedEntry()), folderName_,
                          MaterialKindExtensions(MaterialManagerFolders[folderIndex_].Kind), path);
}

void TFormMaterialBase::FillMaterials(const std::string& name) {
  std::vector<std::string> items;
  ListMaterialFiles(items, folderName_,
                    MaterialKindExtensions(MaterialManagerFolders[folderIndex_].Kind));
  QStringList texts;
  texts.reserve(qsizetype(items.size()));
  int found = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    texts << ToQString(items[i]);
    if (found < 0 && !name.empty() && StripRtpSuffix(items[i]) == name) found = int(i);
  }
  TUpdatingScope updating(*this);
  IconListBox2->clear();
  IconListBox2->addItems(texts);
  if (found < 0) return;
  IconListBox2->setCurrentRow(found);
  IconListBox2->scrollToItem(IconListBox2->item(std::max(0, found - (ImportedEntryLine - 1))),
                             QAbstractItemView::PositionAtTop);
}

bool TFormMaterialBase::RunFileDialog(TCenterOpenDialog& dialog, const QString& fileName) {
  dialog.setDirectory(Path(lastFolder_));
  dialog.selectFile(fileName);
  if (!dialog.Execute()) return false;
  lastFolder_ = FromPath(dialog.directory().absolutePath());
  return true;
}

void TFormMaterialBase::ButtonImportClick() {
  const TMaterialFolderInfo& folder = MaterialManagerFolders[folderIndex_];
  const bool image = folder.Kind == TMaterialKind::Image;
  // The file dialogs live only while they run: each is a whole tree of Qt's widgets.
  std::unique_ptr<TCenterOpenDialog> dialog;
  if (image)
    dialog = std::make_unique<TOpenPictureDialogEx>(this);
  else
    dialog = std::make_unique<TCenterOpenDialog>(this);
  dialog->setObjectName(image ? "OpenPictureDialog1" : "OpenDialog1");
  dialog->setWindowTitle(Text(SMaterialImportTitle));
  const TFileDialogSetup setup = ImportDialogSetup(folder.Kind);
  dialog->SetFilter(Text(setup.Filter.c_str()));
  dialog->SetDefaultExt(Text(setup.DefaultExt.c_str()));
  if (!RunFileDialog(*dialog)) return;
  const std::string source = FromPath(dialog->FileName());
  dialog.reset();
  const std::string target = ImportTargetPath(folderPath_, source, folder.Kind,
                                              TImportFormat(MaterialManagerMemory().ImportFormat));
  // A file of the folder imported onto itself: there is nothing to do, and replacing it
  // would risk the only copy.
  if (IsSameFile(source, target)) return;
  if (image) {
    TBitmap bitmap;
    LoadImportImage(bitmap, source, folder);
    if (folder.TransparentStep) {
      TFormMaterialBase2 transparent(this);
      transparent.Bitmap = &bitmap;
      if (!transparent.Execute()) return;
    }
    SaveBitmapToImageFile(bitmap, target);
  } else {
    CopyFileReplacing(source, target);
  }
  FillMaterials(Utf8ToCodePage(ChangeFileExt(ExtractFileName(target), "")));
  // The lookup takes an older file of the same name first; say so, or the import seems
  // to have changed nothing.
  const std::string shadow = ShadowingMaterialFile(target, folder.Kind);
  if (!shadow.empty())
    ShowInfoBox(Text(SImportShadowed).replace("%s", Path(ExtractFileName(shadow))), this);
}

void TFormMaterialBase::ButtonExportClick() {
  if (!HasMaterial()) return;
  const TMaterialKind kind = MaterialManagerFolders[folderIndex_].Kind;
  std::string source;
  // A name alone would be looked for in the current directory.
  if (!FindSelectedFile(source))
    throw EFileError(FileMessage(SCannotOpenFile, StripRtpSuffix(SelectedEntry())));
  const TFileDialogSetup setup = ExportDialogSetup(kind, source);
  TCenterSaveDialog dialog(this);
  dialog.setObjectName("SaveDialog1");
  dialog.setWindowTitle(Text(SMaterialExportTitle));
  dialog.SetFilter(Text(setup.Filter.c_str()));
  dialog.SetDefaultExt(Text(setup.DefaultExt.c_str()));
  if (!RunFileDialog(dialog, ToQString(StripRtpSuffix(SelectedEntry())))) return;
  ExportMaterialFile(source, FromPath(dialog.FileName()), kind);
}

void TFormMaterialBase::ButtonDeleteClick() {
  if (!HasMaterial()) return;
  std::string path;
  if (!FindSelectedFile(path)) {
    // Gone meanwhile; a name alone would be deleted in the current directory.
    ShowErrorBox(Text(SCannotDeleteFile), this);
    FillMaterials("");
    return;
  }
  const std::string package = GetRuntimePackagePath();
  // The run-time package's materials are shared by every project: never deleted here.
  if (!package.empty() &&
      IsSameFile(ExtractFilePath(path), ResolvePath(package + folderName_).Path))
    return;
  const QString question = Text(SEraseMaterialQuestion).replace("%s", Path(ExtractFileName(path)));
  if (ShowMessageBox(question, MB_YESNO | MB_ICONEXCLAMATION, this) != IDYES) return;
  if (unlink(path.c_str()) != 0) {
    ShowErrorBox(Text(SCannotDeleteFile), this);
    return;
  }
  FillMaterials("");
}

void TFormMaterialBase::done(int result) {
  MaterialPathOption.Set(lastFolder_);
  if (folderIndex_ >= 0) MaterialManagerMemory().FolderIndex = folderIndex_;
  TFormXelBase::done(result);
}

VELMORA_REGISTER_FORM(TFormMaterialBase, TFormGroup::Dialog, 0);

// ---- TFormMaterialBase2 ----

QRgb BlinkColor(QRgb color) {
  const auto channel = [](int value) { return std::max(0, value - 100) + 80; };
  return qRgb(channel(qRed(color)), channel(qGreen(color)), channel(qBlue(color)));
}

TFormMaterialBase2::TFormMaterialBase2(QWidget* owner)
    : TFormXelBase(owner, MaterialManagerHelpContext) {
  TFormBuilder b(this, "FormMaterialBase2", Text(SMaterialBase2Caption), 537, 377);
  ScrollFrame1 = b.Add<TScrollFrame>("ScrollFrame1");
  ScrollFrame1->setMinimumSize(500, 276);
  b.Row([&] {
    ButtonZoomIn = b.Button("ButtonZoomIn", Text(SMaterialZoomIn));
    ButtonZoomOut = b.Button("ButtonZoomOut", Text(SMaterialZoomOut));
    b.Stretch();
    b.StandardButtons();
  });
  PaintBox1 = new TOpaquePaintBox(ScrollFrame1->viewport());
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(BlinkMilliseconds);
  WheelMaster1 = new TWheelMaster(this);

  On(ButtonZoomIn, &QPushButton::clicked, &TFormMaterialBase2::ButtonZoomInClick);
  On(ButtonZoomOut, &QPushButton::clicked, &TFormMaterialBase2::ButtonZoomOutClick);
  On(Timer1, &QTimer::timeout, &TFormMaterialBase2::Timer1Timer);
  OnPaint(PaintBox1, [this](QPainter& canvas) { PaintBox1Paint(canvas); });
  On(PaintBox1, &TOpaquePaintBox::MouseDown, &TFormMaterialBase2::PaintBox1MouseDown);
  On(ScrollFrame1, &TScrollFrame::Change, &TFormMaterialBase2::ScrollFrame1Change);
  On(ScrollFrame1, &TScrollFrame::Resize, &TFormMaterialBase2::Relayout);
  EnableWhen({ButtonZoomIn}, [this] { return zoom_ < MaxZoom; });
  EnableWhen({ButtonZoomOut}, [this] { return zoom_ > 1; });
}

TFormMaterialBase2::~TFormMaterialBase2() = default;

std::pair<std::vector<uint8_t>, TPalette> TFormMaterialBase2::CallerData() const {
  if (!Bitmap) return {};
  return {Bitmap->Pixels(), Bitmap->Palette()};
}

void TFormMaterialBase2::FormShow() {
  kept_ = Bitmap ? *Bitmap : TBitmap();
  kept_.SetPixelFormat(TPixelFormat::pf8bit);
  zoom_ = 1;
  selected_ = 0;
  blinkPhase_ = false;
  colors_.clear();
  for (const TPaletteEntry& entry : kept_.Palette())
    colors_ << qRgb(entry.Red, entry.Green, entry.Blue);
  image_ = QImage(kept_.Width(), kept_.Height(), QImage::Format_Indexed8);
  for (int y = 0; y < kept_.Height(); ++y)
    std::memcpy(image_.scanLine(y), kept_.ScanLine(y), size_t(kept_.Width()));
  image_.setColorTable(colors_);
  Relayout();
  Timer1->start();
  UpdateControls();
}

void TFormMaterialBase2::Relayout() {
  PaintBox1->resize(kept_.Width() * zoom_, kept_.Height() * zoom_);
  const QSize client = ScrollFrame1->ClientSize();
  ScrollFrame1->HorzScrollBar()->SetPageSize(client.width());
  ScrollFrame1->HorzScrollBar()->SetRange(PaintBox1->width());
  ScrollFrame1->VertScrollBar()->SetPageSize(client.height());
  ScrollFrame1->VertScrollBar()->SetRange(PaintBox1->height());
}

void TFormMaterialBase2::ScrollFrame1Change() {
  PaintBox1->move(-ScrollFrame1->HorzScrollBar()->Position(),
                  -ScrollFrame1->VertScrollBar()->Position());
}

void TFormMaterialBase2::ButtonZoomInClick() {
  if (zoom_ >= MaxZoom) return;
  ++zoom_;
  Relayout();
}

void TFormMaterialBase2::ButtonZoomOutClick() {
  if (zoom_ <= 1) return;
  --zoom_;
  Relayout();
}

void TFormMaterialBase2::Timer1Timer() {
  blinkPhase_ = !blinkPhase_;
  PaintBox1->update();
}

void TFormMaterialBase2::PaintBox1Paint(QPainter& canvas) {
  if (image_.isNull()) return;
  QList<QRgb> colors = colors_;
  if (blinkPhase_) colors[selected_] = BlinkColor(colors[selected_]);
  image_.setColorTable(colors);
  // Nearest neighbour: every pixel of the picture stays a sharp square when zoomed.
  canvas.setRenderHint(QPainter::SmoothPixmapTransform, false);
  canvas.drawImage(QRect(0, 0, image_.width() * zoom_, image_.height() * zoom_), image_);
}

void TFormMaterialBase2::PaintBox1MouseDown(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    WheelMaster1->Start(ScrollFrame1);
    return;
  }
  if (event->button() != Qt::LeftButton || !Bitmap) return;
  const QPoint at = event->position().toPoint();
  if (at.x() < 0 || at.y() < 0) return;
  const int x = at.x() / zoom_, y = at.y() / zoom_;
  if (x >= kept_.Width() || y >= kept_.Height()) return;
  selected_ = Bitmap->IndexAt(x, y);
  PaintBox1->update();
}

void TFormMaterialBase2::ButtonOkClick() {
  Timer1->stop();
  if (Bitmap && !kept_.Empty()) SetTransparentColor(*Bitmap, kept_, uint8_t(selected_));
  done(mrOk);
}

VELMORA_REGISTER_FORM(TFormMaterialBase2, TFormGroup::Dialog, 0);
