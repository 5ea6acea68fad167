// Keeps a form's window placement in the settings, under "<form name>_Placement", as
// our own small record: the normal rectangle and the state, "left,top,width,height,state"
// with state 1 normal, 2 minimised, 3 maximised. Left and top are the corner of the
// window's frame (the client area's where no window manager draws one), width and
// height the client area's size.
#pragma once

#include <QObject>
#include <QRect>
#include <optional>
#include <string>

class QWidget;

struct TPlacement {
  QRect NormalRect;
  int ShowState = 1;
};

std::string FormatPlacement(const TPlacement& placement);
// Nothing for a value that is not such a record.
std::optional<TPlacement> ParsePlacement(const std::string& value);

class TFormArranger : public QObject {
public:
  // The form owns the arranger; its objectName names the settings value.
  explicit TFormArranger(QWidget* form);

  // The settings key the placement lives under; the user store stands for it. Empty:
  // the arranger neither reads nor writes.
  std::string KeyName;

  // Puts the form at its stored normal rectangle, pulled onto an existing screen with
  // its whole frame as far as the frame is known yet (KeepFormOnScreen after showing does
  // the rest). The stored state is applied too only when useShowCommand is set. A
  // missing or malformed value leaves the form where it is.
  void Restore(bool useShowCommand);
  void Save();

private:
  std::string ValueName() const;
  QWidget* form_;
};
