#include "shell/splash.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/shell_messages.h"
#include "shell/shell_pictures.h"

TFormSplash* FormSplash = nullptr;

TFormSplash::TFormSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("FormSplash"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  ImageSplash = new QLabel(this);
  ImageSplash->setObjectName(QStringLiteral("ImageSplash"));
  ImageSplash->setPixmap(QPixmap::fromImage(SplashPicture()));
  layout->addWidget(ImageSplash);
  // The client takes the picture's size.
  setFixedSize(ImageSplash->pixmap().size());

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1);
  connect(Timer1, &QTimer::timeout, this, &TFormSplash::Timer1Timer);
  Timer1->start();
}

void TFormSplash::Timer1Timer() {
  Timer1->stop();
  hide();
}

TFormAboutBox::TFormAboutBox(QWidget* owner) : TFormXelBase(owner) {
  setObjectName(QStringLiteral("FormAboutBox"));
  setWindowTitle(QString::fromLatin1(SAboutCaption));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ImageSplash = new QLabel(this);
  ImageSplash->setObjectName(QStringLiteral("ImageSplash"));
  ImageSplash->setFixedSize(512, 256);
  ImageSplash->setPixmap(FormSplash ? FormSplash->ImageSplash->pixmap()
                                    : QPixmap::fromImage(SplashPicture()));
  layout->addWidget(ImageSplash);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(6, 4, 6, 4);
  ImageIcon = new QLabel(panel);
  ImageIcon->setObjectName(QStringLiteral("ImageIcon"));
  ImageIcon->setFixedSize(32, 32);
  ImageIcon->setPixmap(ProgramIconPixmap());
  row->addWidget(ImageIcon);
  row->addStretch();
  ButtonOk = new QPushButton(QStringLiteral("&Ok"), panel);
  ButtonOk->setObjectName(QStringLiteral("ButtonOk"));
  ButtonOk->setDefault(true);
  row->addWidget(ButtonOk);
  layout->addWidget(panel);
  SetCancelButton(ButtonOk);
  disconnect(ButtonOk, nullptr, this, nullptr);
  connect(ButtonOk, &QPushButton::clicked, this, [this] { done(mrOk); });
  resize(513, 298);
}
