// Message boxes captioned with the application title. Every box goes through one
// provider, so tests can record the boxes and answer them as scripted.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <utility>

class QMessageBox;
class QWidget;

// Flags: the low nibble picks the buttons, the next one the icon, then the default button.
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_OKCANCEL = 0x01;
inline constexpr int MB_ABORTRETRYIGNORE = 0x02;
inline constexpr int MB_YESNOCANCEL = 0x03;
inline constexpr int MB_YESNO = 0x04;
inline constexpr int MB_RETRYCANCEL = 0x05;
inline constexpr int MB_ICONHAND = 0x10;
inline constexpr int MB_ICONQUESTION = 0x20;
inline constexpr int MB_ICONEXCLAMATION = 0x30;
inline constexpr int MB_ICONINFORMATION = 0x40;
inline constexpr int MB_DEFBUTTON2 = 0x100;
inline constexpr int MB_DEFBUTTON3 = 0x200;

// Button ids a box answers with.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

class TMessageBoxProvider {
public:
  virtual ~TMessageBoxProvider() = default;
  // Shows one box and returns the id of the button that closed it.
  virtual int Show(QWidget* parent, const QString& caption, const QString& text, int flags) = 0;
};

// The button a box answers with when nobody presses one: its default button.
int DefaultAnswer(int flags);

// Appends every box to a file instead of showing it, one line each: the caption, the text
// and the flags, separated by tabs (tabs, line breaks and backslashes in the texts
// escaped as \t, \n and \\), and answers with the box's default button. Start-up
// installs it when VELMORA_MESSAGE_LOG names a file, so scripted runs never wait on a box.
class TMessageLogBoxes : public TMessageBoxProvider {
public:
  explicit TMessageLogBoxes(std::string fileName) : fileName_(std::move(fileName)) {}
  int Show(QWidget* parent, const QString& caption, const QString& text, int flags) override;
  static QString FormatLine(const QString& caption, const QString& text, int flags);

private:
  std::string fileName_;
};

// Installs a provider (nullptr: the real boxes) and returns the one it replaces.
TMessageBoxProvider* SetMessageBoxProvider(TMessageBoxProvider* provider);

const QString& ApplicationTitle();
void SetApplicationTitle(const QString& title);

int ShowMessageBox(const QString& text, int flags, QWidget* parent = nullptr);
int ShowErrorBox(const QString& text, QWidget* parent = nullptr);
int ShowInfoBox(const QString& text, QWidget* parent = nullptr);
// Answers IDYES or IDNO.
int ShowYesNoBox(const QString& text, QWidget* parent = nullptr);

// The real box for the flags, built but not shown (the default provider execs it).
std::unique_ptr<QMessageBox> BuildMessageBox(QWidget* parent, const QString& caption,
                                             const QString& text, int flags);
// The button id of the button that closed a box built above; IDCANCEL when none did.
int MessageBoxAnswer(const QMessageBox& box);
