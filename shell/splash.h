// The splash window shown while the editor starts, and the about box that shows the
// same picture.
#pragma once

#include <QWidget>

#include "framework/controls/form_xel_base.h"

class QLabel;
class QPushButton;
class QTimer;

class TFormSplash : public QWidget {
  Q_OBJECT
public:
  explicit TFormSplash(QWidget* parent = nullptr);

  QLabel* ImageSplash;
  QTimer* Timer1;

  // Fires once the message loop runs: hides the splash, which stays in memory.
  void Timer1Timer();
};

// The splash window of this run, or nothing.
extern TFormSplash* FormSplash;

class TFormAboutBox : public TFormXelBase {
  Q_OBJECT
public:
  explicit TFormAboutBox(QWidget* owner = nullptr);

  QLabel* ImageSplash;
  QLabel* ImageIcon;
  QPushButton* ButtonOk;
};
