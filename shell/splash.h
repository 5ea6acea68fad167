// The splash window shown while the editor starts, and the about box that shows the
// same picture.
#pragma once

#include <QPixmap>

#include "framework/forms/form_xel_base.h"

class QLabel;
class QTimer;

class TFormSplash : public TFormXelWidget {
  Q_OBJECT
public:
  explicit TFormSplash(QWidget* parent = nullptr);
  // A splash of the picture's size that shows its picture once given, so that the window
  // can be made while the picture is drawn elsewhere.
  explicit TFormSplash(QSize pictureSize, QWidget* parent = nullptr);

  void ShowPicture(const QImage& picture);

  // The picture, which the about box shows too.
  QPixmap Picture() const;
  // Fires once the message loop runs: hides the splash, which stays in memory.
  void Timer1Timer();

private:
  QLabel* ImageSplash;
  QTimer* Timer1;
};

// The splash window of this run, or nothing.
extern TFormSplash* FormSplash;

class TFormAboutBox : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormAboutBox(QWidget* owner = nullptr);
};
