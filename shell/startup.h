// The program's start: one editor per user, the checks of its surroundings, the splash,
// the main window and the message loop.
#pragma once

#include <QString>
#include <string>

#include "framework/controls/message_box.h"

// The display is usable from 800 x 600 logical pixels and 16 bits per pixel on.
bool DisplayIsUsable(int width, int height, int depth);

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

// The whole start and run; the process's exit code.
int ProgramMain(int argc, char** argv);
