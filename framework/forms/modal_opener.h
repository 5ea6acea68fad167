// The one way every form is shown modally: a palette, a command dialog, a picker, a
// sub-editor or any other dialog. The program runs the form's own modal loop; a test
// installs an opener that answers at once, without a nested loop.
#pragma once

#include <functional>

class TFormXelBase;

// Show runs the form as its caller wants it run (Execute, ExecuteAt ...); an opener
// either calls it or answers for the form itself. True when the form closed with OK.
using TModalOpener = std::function<bool(TFormXelBase& form, const std::function<bool()>& show)>;

// Runs Form modally through the installed opener, or with Show when there is none. Every
// modal run goes through here: TFormXelBase's Execute and ExecuteAt do, so a test answers
// for any form the same way. While an opener answers for a form, the form's own Execute,
// reached through Show, runs for real.
bool RunModal(TFormXelBase& form, const std::function<bool()>& show);

// Runs Form with its Execute, or another way of showing it (ExecuteAt ...); the opener
// answers for the form as a whole, also for one without a window of its own.
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
