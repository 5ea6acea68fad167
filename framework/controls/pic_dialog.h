// The open and save boxes of the material manager, centred over their owner form, and
// an open box with a preview of the selected picture and its size.
#pragma once

#include <QFileDialog>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <vector>

class QLabel;
class QFrame;
class TOpaquePaintBox;

// Where a picture of the given size is drawn in a preview box: 1:1 and centred when it
// fits, otherwise scaled down keeping its aspect from the box's top-left corner.
QRect PicturePreviewRect(QSize box, QSize picture);

// One entry of a file filter: what the box shows and the name patterns it stands for.
struct TDialogFilterItem {
  QString Description;
  QStringList Patterns;
  friend bool operator==(const TDialogFilterItem&, const TDialogFilterItem&) = default;
};
// A filter written as description|patterns| pairs, the patterns separated by ';'.
std::vector<TDialogFilterItem> ParseDialogFilter(const QString& filter);

class TCenterOpenDialog : public QFileDialog {
  Q_OBJECT
public:
  explicit TCenterOpenDialog(QWidget* owner = nullptr);
  // Runs the box; true when a file was chosen.
  bool Execute();
  QString FileName() const;
  // The filter as description|patterns| pairs; the descriptions are shown as they stand.
  void SetFilter(const QString& filter);
  // Added to a name typed without an extension (given with or without its dot).
  void SetDefaultExt(const QString& ext);

private:
  void UseFilter(const QString& description);

  std::vector<TDialogFilterItem> filter_;

protected:
  void showEvent(QShowEvent* event) override;
};

class TCenterSaveDialog : public TCenterOpenDialog {
  Q_OBJECT
public:
  explicit TCenterSaveDialog(QWidget* owner = nullptr);
  // Asks before replacing an existing file.
  void accept() override;
};

class TOpenPictureDialogEx : public TCenterOpenDialog {
  Q_OBJECT
public:
  explicit TOpenPictureDialogEx(QWidget* owner = nullptr);

  const QImage& Picture() const { return picture_; }
  // Shows the picture of the selected file, or nothing when it is no readable picture.
  void SelectionChange(const QString& fileName);
  void PaintBoxPaint(QPainter& canvas);

  QFrame* PicturePanel;
  QLabel* PictureLabel;
  QFrame* PaintPanel;
  TOpaquePaintBox* PaintBox;

protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

private:
  QImage picture_;
};
