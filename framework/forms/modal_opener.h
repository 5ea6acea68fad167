// The one way the event editor, the palettes and the command dialogs show a palette, a
// command dialog, a picker or a sub-editor modally. The program runs the form's own
// modal loop; a test installs an opener that answers at once, without a nested loop.
#pragma once

#include <functional>

class TFormXelBase;

// Show runs the form as its caller wants it run (Execute, ExecuteAt ...); an opener
// either calls it or answers for the form itself. True when the form closed with OK.
using TModalOpener = std::function<bool(TFormXelBase& form, const std::function<bool()>& show)>;

// Runs Form with its Execute.
bool OpenModal(TFormXelBase& form);
bool OpenModal(TFormXelBase& form, const std::function<bool()>& show);

// Installs Opener while it lives, then puts the previous one back.
class TScopedModalOpener {
public:
  explicit TScopedModalOpener(TModalOpener opener);
  ~TScopedModalOpener();
  TScopedModalOpener(const TScopedModalOpener&) = delete;
  TScopedModalOpener& operator=(const TScopedModalOpener&) = delete;

private:
  TModalOpener previous_;
};
