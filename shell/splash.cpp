#include "shell/splash.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "shell/common/shell_pictures.h"
#include "shell/shell_messages.h"

TFormSplash* FormSplash = nullptr;

TFormSplash::TFormSplash(QWidget* parent) : TFormSplash(SplashPictureSize(), parent) {
  ShowPicture(SplashPicture());
}

TFormSplash::TFormSplash(QSize pictureSize, QWidget* parent)
    : TFormXelWidget(parent, 0, Qt::SplashScreen | Qt::FramelessWindowHint) {
  TFormBuilder b(this, "FormSplash", QString(), pictureSize.width(), pictureSize.height());
  layout()->setContentsMargins(0, 0, 0, 0);
  ImageSplash = b.Label("ImageSplash", QString());
  // The client takes the picture's size.
  setFixedSize(pictureSize);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1);
  On(Timer1, &QTimer::timeout, &TFormSplash::Timer1Timer);
  Timer1->start();
}

void TFormSplash::ShowPicture(const QImage& picture) {
  ImageSplash->setPixmap(QPixmap::fromImage(picture));
}

QPixmap TFormSplash::Picture() const {
  return ImageSplash->pixmap();
}

void TFormSplash::Timer1Timer() {
  Timer1->stop();
  hide();
}

TFormAboutBox::TFormAboutBox(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormAboutBox", QString::fromLatin1(SAboutCaption), 513, 298);
  layout()->setContentsMargins(0, 0, 0, 0);
  layout()->setSpacing(0);
  QLabel* splash = b.Label("ImageSplash", QString());
  splash->setFixedSize(512, 256);
  splash->setPixmap(FormSplash ? FormSplash->Picture() : QPixmap::fromImage(SplashPicture()));
  QPushButton* ok = nullptr;
  QLabel* icon = nullptr;
  b.Row([&] {
    icon = b.Label("ImageIcon", QString());
    icon->setPixmap(ProgramIconPixmap());
    b.Stretch();
    ok = b.OkButton();
  });
  layout()->itemAt(layout()->count() - 1)->layout()->setContentsMargins(6, 4, 6, 4);
  icon->setFixedSize(32, 32);
  // Escape and the title-bar close press the one button, which closes with OK.
  SetCancelButton(ok, mrOk);
}

VELMORA_REGISTER_FORM(TFormAboutBox, TFormGroup::Dialog, 0);
