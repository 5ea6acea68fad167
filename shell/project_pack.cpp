#include "shell/project_pack.h"

#include <QLabel>
#include <QPushButton>

#include "framework/controls/dash_box.h"
#include "framework/controls/file_operation.h"
#include "framework/forms/form_builder.h"
#include "framework/forms/form_registry.h"
#include "shell/game_disk.h"
#include "shell/game_disk_editor.h"
#include "shell/project_dialogs.h"
#include "shell/shell_messages.h"

namespace {

QString Text(const char* text) {
  return QString::fromLatin1(text);
}

} // namespace

TFormProjectPack::TFormProjectPack(QWidget* owner) : TFormXelBase(owner) {
  TFormBuilder b(this, "FormProjectPack", Text(SProjectPackCaption), 385, 193);
  b.Label("Label1", Text(SProjectPackLabel));
  b.Row([&] {
    b.Column([&] {
      b.Group("GroupBox1", Text(SProjectPackPathGroup), [&] {
        On(b.ValueBox("DashBox1", &destination_), &TDashBox::Clicked,
           &TFormProjectPack::DashBox1Click);
      });
      b.Group("GroupBox2", Text(SProjectPackOptionsGroup),
              [&] { b.CheckBox("CheckBox1", Text(SProjectPackIncludeRtp), &includeRtp_); });
    });
    b.Column([&] {
      On(b.Button("ButtonStart", Text(SProjectPackStart)), &QPushButton::clicked,
         &TFormProjectPack::ButtonStartClick);
      b.CancelButton();
      b.Stretch();
    });
  });
  FileOperation1 = new TFileOperation(this);
  FileOperation1->setObjectName(QStringLiteral("FileOperation1"));
}

void TFormProjectPack::FormShow() {
  TSystemDrive drive;
  destination_ = QString::fromStdString(DefaultGameDiskDestination(drive));
  includeRtp_ = IncludeRtpOption.Get();
  UpdateControls();
}

void TFormProjectPack::DashBox1Click() {
  TFormProjectDiskPath dialog(this);
  dialog.Path = destination_.toStdString();
  if (!dialog.Execute()) return;
  destination_ = QString::fromStdString(dialog.Path);
  UpdateControls();
}

void TFormProjectPack::ButtonStartClick() {
  setEnabled(false);
  // Out of sight while it works: the questions and the closing box show over the owner.
  // The widget is hidden underneath the dialog, whose own hiding would end its modal run;
  // a window manager would pull a window moved off the screen back into view.
  QWidget::setVisible(false);
  const bool made = TEditorGameDisk(parentWidget(), *FileOperation1)
                        .Start(destination_.toStdString(), includeRtp_);
  // Visible again, though never on the screen, so that closing ends the modal run.
  setAttribute(Qt::WA_DontShowOnScreen);
  QWidget::setVisible(true);
  done(made ? mrOk : mrCancel);
}

VELMORA_REGISTER_FORM(TFormProjectPack, TFormGroup::Dialog, 0);
