// The base of every event-command dialog (docs/forms.md, "A command dialog"). The caller
// hands over the command's lines and the context, runs Execute, and after OK takes the
// lines back (the head first, at depth 0) and saves the database when DataChanged is set.
//
// Showing: the last-used values, then the handed lines over them, then UpdateControls
// (under Updating). OK: the values become the last-used record, and the list is
// rewritten. Cancel leaves both alone. A dialog opens its pickers and sub-editors with
// OpenModal, and copies block bodies with SplitCommandBlock / AppendBlockBody.
#pragma once

#include <cstdint>
#include <vector>

#include "core/event_script.h"
#include "events/last_used.h"
#include "framework/forms/form_xel_base.h"

class TXelEventItem;
class TXelMap;
class TXelMapTree;
class TXelMonGroupItem;

class TFormEvCmdBase : public TFormXelBase {
  Q_OBJECT
public:
  // Code is the command's head code, also its help context.
  TFormEvCmdBase(QWidget* owner, int32_t code);

  // Set when the dialog changed the database (a picker renamed an entry), OK or not.
  bool DataChanged = false;
  // In: empty for a new command, or the lines of the command to edit. Out after OK: the
  // command's lines. The caller owns it; until one is handed the dialog uses its own.
  TXelEventScriptList* ScriptList;
  // The map event being edited (0 for common and battle events) and its working copy.
  int32_t EventId = 0;
  const TXelEventItem* Event = nullptr;
  const TXelMapTree* MapTree = nullptr;
  // The current map; none outside maps.
  const TXelMap* Map = nullptr;
  // The monster group whose battle events are edited; none outside battle events.
  const TXelMonGroupItem* MonsterGroup = nullptr;

  int32_t Code() const { return code_; }

  // Runs the dialog modally where its caller placed it; true when it closed with OK.
  // Commands without a window of their own override it.
  bool Execute() override;

  // What the caller handed in, as comparable bytes: Cancel must leave it as it was.
  std::vector<uint8_t> CallerData() const;

protected:
  // The show sequence and the OK sequence; dialogs fill the hooks below.
  void FormShow() override;
  void ButtonOkClick() override;
  // The OK sequence without closing: for commands that write their lines at once.
  void StoreCommand();

  // The last-used values into the working values; nothing by default.
  virtual void LoadLastUsed() {}
  // The handed lines (never empty) over the working values; nothing by default.
  virtual void ReadLines(const TXelEventScriptList& lines) {}
  // The working values into the last-used record; nothing by default.
  virtual void StoreLastUsed() {}
  // Appends the command's lines to the empty list: the head first, then its branch,
  // continuation, body and end lines. The base moves the head to depth 0.
  virtual void WriteLines(TXelEventScriptList& lines) const = 0;

private:
  int32_t code_;
  TXelEventScriptList ownLines_;
};

// The usual command dialog: a values struct that is also its last-used record (one per
// type, LastUsedRecord), read from and written to the lines by two plain functions
// beside it, found by argument-dependent lookup:
//   void ReadCommand(const TXelEventScriptList& lines, Values& v);
//   void WriteCommand(const Values& v, TXelEventScriptList& lines);
template <class Values> class TFormEvCmd : public TFormEvCmdBase {
public:
  using TValues = Values;

protected:
  using TFormEvCmdBase::TFormEvCmdBase;

  void LoadLastUsed() override { v = LastUsedRecord<Values>(); }
  void ReadLines(const TXelEventScriptList& lines) override { ReadCommand(lines, v); }
  void StoreLastUsed() override { LastUsedRecord<Values>() = v; }
  void WriteLines(TXelEventScriptList& lines) const override { WriteCommand(v, lines); }

  // The working values; the controls bind to its fields.
  Values v;
};
