// "Pack Project": the game disk dialog. It picks the destination and the package option
// and runs the game disk procedure, which shows every box itself.
#pragma once

#include <QString>

#include "framework/forms/form_xel_base.h"

class TFileOperation;

class TFormProjectPack : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormProjectPack(QWidget* owner = nullptr);

  void FormShow() override;
  void DashBox1Click();
  // Packs the open project; the dialog then closes with OK when the disk was made.
  void ButtonStartClick();

private:
  QString destination_;
  bool includeRtp_ = false;
  TFileOperation* FileOperation1;
};
