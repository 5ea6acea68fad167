// The material manager: "RAW Materials Settings" imports files into the open project's
// material folders, exports them and deletes them; "Material Base" chooses the
// transparent colour of an imported picture.
//
// While a project is open the current directory is its folder and other code relies on
// that, so neither dialog ever changes it: the manager keeps its own last folder for the
// file dialogs and stores it as "MaterialPath" when it closes.
#pragma once

#include <QImage>
#include <QList>
#include <string>
#include <utility>
#include <vector>

#include "core/bitmap.h"
#include "framework/forms/form_xel_base.h"

class QGroupBox;
class QMouseEvent;
class QPainter;
class QPushButton;
class QTimer;
class TCenterOpenDialog;
class TIconListBox;
class TOpaquePaintBox;
class TScrollFrame;
class TWheelMaster;

inline constexpr int MaterialManagerHelpContext = 177;

class TFormMaterialBase : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMaterialBase(QWidget* owner = nullptr);
  ~TFormMaterialBase() override;

  void FormShow() override;
  void IconListBox1Click();
  void IconListBox2Click();
  void ButtonImportClick();
  void ButtonExportClick();
  void ButtonDeleteClick();

  // The folder the file dialogs start in next.
  const std::string& LastFolder() const { return lastFolder_; }

  // Closing by any way stores the last folder and the folder index.
  void done(int result) override;

private:
  // Refills the material list and selects Name (code-page bytes) when it is listed.
  void FillMaterials(const std::string& name);
  bool HasMaterial() const;
  std::string SelectedEntry() const;
  // The file of the selected entry, project first, then the run-time package.
  bool FindSelectedFile(std::string& path) const;
  // Runs a file dialog from the last folder, offering FileName; the folder it ends in
  // becomes the last one.
  bool RunFileDialog(TCenterOpenDialog& dialog, const QString& fileName = QString());

  int folderIndex_ = -1;
  std::string folderName_;
  std::string folderPath_;
  std::string lastFolder_;

  TIconListBox* IconListBox1;
  TIconListBox* IconListBox2;
  QPushButton* ButtonImport;
  QPushButton* ButtonExport;
  QPushButton* ButtonDelete;
  QGroupBox* Panel1;
};

class TFormMaterialBase2 : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormMaterialBase2(QWidget* owner = nullptr);
  ~TFormMaterialBase2() override;

  // In: the 8-bit picture being imported. On OK its chosen colour has become index 0.
  TBitmap* Bitmap = nullptr;
  std::pair<std::vector<uint8_t>, TPalette> CallerData() const;

  int Zoom() const { return zoom_; }
  int SelectedIndex() const { return selected_; }

  void FormShow() override;
  void ButtonOkClick() override;
  void ButtonZoomInClick();
  void ButtonZoomOutClick();
  // One blink of the selected colour; Timer1 calls it every 500 ms.
  void Timer1Timer();
  void PaintBox1Paint(QPainter& canvas);
  void PaintBox1MouseDown(QMouseEvent* event);
  void ScrollFrame1Change();

private:
  void Relayout();

  TBitmap kept_;
  QImage image_;
  QList<QRgb> colors_;
  int zoom_ = 1;
  int selected_ = 0;
  bool blinkPhase_ = false;

  TScrollFrame* ScrollFrame1;
  TOpaquePaintBox* PaintBox1;
  QPushButton* ButtonZoomIn;
  QPushButton* ButtonZoomOut;
  QTimer* Timer1;
  TWheelMaster* WheelMaster1;
};

// The colour a blinking palette entry shows in its second phase: each channel lowered by
// 100 (not below 0) and raised by 80.
QRgb BlinkColor(QRgb color);
