#include "framework/controls/pic_dialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QToolTip>
#include <QVBoxLayout>

#include "core/bitmap.h"
#include "core/image_file.h"
#include "framework/controls/canvas_helpers.h"
#include "framework/controls/controls2_messages.h"
#include "framework/controls/message_box.h"
#include "framework/controls/opaque_paint_box.h"
#include "framework/controls/window_placement.h"

namespace {

constexpr int PreviewWidth = 149;

QImage ToQImage(const TBitmap& bitmap) {
  QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
  for (int y = 0; y < bitmap.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.Width(); ++x)
      line[x] = 0xFF000000u | bitmap.ColorAt(x, y);
  }
  return image;
}

} // namespace

QRect PicturePreviewRect(QSize box, QSize picture) {
  const TRect r =
      FitRectKeepingAspect(box.width(), box.height(), picture.width(), picture.height());
  const bool fits = picture.width() <= box.width() && picture.height() <= box.height();
  const QRect drawn(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  return fits ? drawn : QRect(QPoint(0, 0), drawn.size());
}

std::vector<TDialogFilterItem> ParseDialogFilter(const QString& filter) {
  std::vector<TDialogFilterItem> items;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) continue;
    items.push_back({parts[i], parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)});
  }
  return items;
}

// ---- TCenterOpenDialog ----

TCenterOpenDialog::TCenterOpenDialog(QWidget* owner) : QFileDialog(owner) {
  // Qt's own box, so it can be centred and driven like every other form.
  setOption(QFileDialog::DontUseNativeDialog, true);
  setFileMode(QFileDialog::ExistingFile);
  setAcceptMode(QFileDialog::AcceptOpen);
  setSizeGripEnabled(false);
  connect(this, &QFileDialog::filterSelected, this, &TCenterOpenDialog::UseFilter);
}

void TCenterOpenDialog::SetFilter(const QString& filter) {
  filter_ = ParseDialogFilter(filter);
  QStringList descriptions;
  for (const TDialogFilterItem& item : filter_)
    descriptions << item.Description;
  setNameFilters(descriptions);
  UseFilter(selectedNameFilter());
}

void TCenterOpenDialog::SetDefaultExt(const QString& ext) {
  setDefaultSuffix(ext.startsWith(QLatin1Char('.')) ? ext.mid(1) : ext);
}

void TCenterOpenDialog::UseFilter(const QString& description) {
  // Qt reads the patterns from the description and only knows blanks between them, so
  // a description like "Image files (*.bmp;*.png)" would match nothing: the patterns
  // of the filter itself are given to the list instead.
  auto* model = findChild<QFileSystemModel*>();
  if (!model) return;
  for (const TDialogFilterItem& item : filter_)
    if (item.Description == description) model->setNameFilters(item.Patterns);
}

bool TCenterOpenDialog::Execute() {
  return exec() == QDialog::Accepted;
}

QString TCenterOpenDialog::FileName() const {
  const QStringList files = selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

void TCenterOpenDialog::showEvent(QShowEvent* event) {
  QFileDialog::showEvent(event);
  if (event->spontaneous()) return;
  // The box is not resized by the author; it keeps the size it opens with.
  setFixedSize(size());
  CenterFormOverOwner(this);
}

// ---- TCenterSaveDialog ----

TCenterSaveDialog::TCenterSaveDialog(QWidget* owner) : TCenterOpenDialog(owner) {
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  // The question goes through the editor's own boxes.
  setOption(QFileDialog::DontConfirmOverwrite, true);
}

void TCenterSaveDialog::accept() {
  const QString name = FileName();
  const QFileInfo info(name);
  if (!name.isEmpty() && info.exists() && !info.isDir() &&
      ShowMessageBox(QString::fromLatin1(SReplaceFileQuestion).arg(info.fileName()),
                     MB_YESNO | MB_ICONEXCLAMATION, this) != IDYES)
    return;
  TCenterOpenDialog::accept();
}

// ---- TOpenPictureDialogEx ----

TOpenPictureDialogEx::TOpenPictureDialogEx(QWidget* owner) : TCenterOpenDialog(owner) {
  PicturePanel = new QFrame(this);
  PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
  PicturePanel->setFrameStyle(QFrame::NoFrame);
  PicturePanel->setFixedWidth(PreviewWidth);
  auto* column = new QVBoxLayout(PicturePanel);
  column->setContentsMargins(0, 4, 0, 0);
  PictureLabel = new QLabel(QString::fromLatin1(SPictureLabel), PicturePanel);
  PictureLabel->setObjectName(QStringLiteral("PictureLabel"));
  column->addWidget(PictureLabel);
  PaintPanel = new QFrame(PicturePanel);
  PaintPanel->setObjectName(QStringLiteral("PaintPanel"));
  PaintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PaintPanel->setLineWidth(2);
  column->addWidget(PaintPanel, 1);
  auto* inner = new QVBoxLayout(PaintPanel);
  inner->setContentsMargins(2, 2, 2, 2);
  PaintBox = new TOpaquePaintBox(PaintPanel);
  PaintBox->setObjectName(QStringLiteral("PaintBox"));
  PaintBox->SetOpaque(false);
  PaintBox->SetColor(palette().color(QPalette::Window));
  inner->addWidget(PaintBox);
  // The preview stands beside the box's own controls, over all their rows.
  if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addWidget(PicturePanel, 0, grid->columnCount(), grid->rowCount(), 1);
  connect(PaintBox, &TOpaquePaintBox::Paint, this, &TOpenPictureDialogEx::PaintBoxPaint);
  connect(this, &QFileDialog::currentChanged, this, &TOpenPictureDialogEx::SelectionChange);
}

void TOpenPictureDialogEx::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    picture_ = QImage();
    PictureLabel->setText(QString::fromLatin1(SPictureLabel));
  }
  TCenterOpenDialog::showEvent(event);
}

void TOpenPictureDialogEx::SelectionChange(const QString& fileName) {
  picture_ = QImage();
  QString label = QString::fromLatin1(SPictureLabel);
  const QFileInfo info(fileName);
  if (!fileName.isEmpty() && info.isFile()) {
    try {
      TBitmap bitmap;
      LoadBitmapFromImageFile(bitmap, fileName.toStdString());
      picture_ = ToQImage(bitmap);
      label += QString::fromLatin1(SPictureSize).arg(bitmap.Width()).arg(bitmap.Height());
    } catch (const std::exception&) {
      // Not a picture the editor reads: the preview stays empty.
      picture_ = QImage();
    }
  }
  PictureLabel->setText(label);
  PaintBox->update();
}

void TOpenPictureDialogEx::PaintBoxPaint(QPainter& canvas) {
  const QRect box = PaintBox->rect();
  if (picture_.width() < 1) {
    canvas.drawText(box, Qt::AlignCenter, QString::fromLatin1(SPictureNone));
    return;
  }
  canvas.drawImage(PicturePreviewRect(box.size(), picture_.size()), picture_);
}

void TOpenPictureDialogEx::done(int result) {
  TCenterOpenDialog::done(result);
  QToolTip::hideText();
}
