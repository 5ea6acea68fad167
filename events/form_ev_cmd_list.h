// The two command palettes through which a new command is chosen: TFormEvCmdList for map
// and common events (90 commands on three pages), TFormEvCmdList2 for battle events (30).
// A button opens the command's dialog, registered under its head code; the palette closes
// with OK once a dialog did, its ScriptList holding the new command's lines. EditByCode
// opens the dialog of the command already in ScriptList without showing the palette.
//
// A command whose dialog is not registered (yet) is not opened: its button does nothing
// and EditByCode answers false.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/event_script.h"
#include "events/command_palettes.h"
#include "framework/forms/form_xel_base.h"

class QTabWidget;
class TButtonList;
class TFormBuilder;
class TFormEvCmdBase;
class TXelEventItem;
class TXelMap;
class TXelMapTree;
class TXelMonGroupItem;

// What both palettes share.
class TEvCmdPalette : public TFormXelBase {
  Q_OBJECT
public:
  // Set once a dialog changed the database; never cleared while the palette lives.
  bool DataChanged = false;
  // The chosen command's lines after OK; the lines to edit before EditByCode.
  TXelEventScriptList ScriptList;

  // Opens the dialog of ScriptList's head code, centred over the palette's owner, and
  // returns its Execute result. False without opening anything for an empty list, a
  // code the palette does not offer or one without a dialog.
  bool EditByCode();

  std::vector<uint8_t> CallerData() const;

protected:
  TEvCmdPalette(QWidget* owner, std::span<const TPaletteCommand> commands, TPaletteMemory& memory);

  // A button list of the commands of Page, pressed through PressButton.
  TButtonList* AddButtonList(TFormBuilder& b, const char* name, int page);
  // Shows the last index: its page (through ShowPage), its button current and focused.
  void FormShow() override;
  virtual void ShowPage(int page) {}
  // Gives the dialog the palette's context beyond ScriptList.
  virtual void HandOver(TFormEvCmdBase& dialog) const = 0;

private:
  void PressButton(int index);
  // Creates, centres over Reference, hands over, executes and destroys the dialog.
  bool RunCommand(int32_t code, const QWidget* reference);

  std::span<const TPaletteCommand> commands_;
  TPaletteMemory& memory_;
  std::vector<TButtonList*> lists_;
};

class TFormEvCmdList : public TEvCmdPalette {
  Q_OBJECT
public:
  explicit TFormEvCmdList(QWidget* owner);

  int32_t EventId = 0;
  const TXelEventItem* Event = nullptr;
  const TXelMapTree* MapTree = nullptr;
  const TXelMap* Map = nullptr;

protected:
  void ShowPage(int page) override;
  void HandOver(TFormEvCmdBase& dialog) const override;

private:
  QTabWidget* PageControl1;
};

class TFormEvCmdList2 : public TEvCmdPalette {
  Q_OBJECT
public:
  explicit TFormEvCmdList2(QWidget* owner);

  const TXelMonGroupItem* MonsterGroup = nullptr;

protected:
  void HandOver(TFormEvCmdBase& dialog) const override;
};
