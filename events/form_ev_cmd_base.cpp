#include "events/form_ev_cmd_base.h"

#include "core/stream.h"
#include "framework/forms/modal_opener.h"

TFormEvCmdBase::TFormEvCmdBase(QWidget* owner, int32_t code)
    : TFormXelBase(owner, code), ScriptList(&ownLines_), code_(code) {
  OnDatabaseChanged = [this] { DataChanged = true; };
}

bool TFormEvCmdBase::Execute() {
  return RunModal(*this, [this] { return exec() == mrOk; });
}

std::vector<uint8_t> TFormEvCmdBase::CallerData() const {
  TMemoryStream stream;
  ScriptList->SaveToStream(stream);
  return stream.TakeBytes();
}

void TFormEvCmdBase::FormShow() {
  LoadLastUsed();
  if (ScriptList->GetCount() > 0) ReadLines(*ScriptList);
  UpdateControls();
}

void TFormEvCmdBase::ButtonOkClick() {
  StoreCommand();
  done(mrOk);
}

void TFormEvCmdBase::StoreCommand() {
  StoreLastUsed();
  ScriptList->Clear();
  WriteLines(*ScriptList);
  // Callers insert the lines at the depth of their own selection.
  const TXelEventScriptLine* head = ScriptList->GetItem(0);
  const int32_t depth = head ? head->Indent : 0;
  for (int i = 0; depth != 0 && i < ScriptList->GetCount(); ++i)
    ScriptList->GetItem(i)->Indent -= depth;
}
