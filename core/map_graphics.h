// The chipset and character-set graphics that a map owns. A map reaches them only
// through this interface: by default a TXelChipSetGraphic and a TXelCharSetGraphic of
// its own, and whatever the factory below makes once one is installed (tests record the
// calls this way).
#pragma once

#include <memory>
#include <string>

class TXelChipSetItem;
class TXelChipSetGraphic;
class TXelCharSetGraphic;

class TMapGraphics {
public:
  virtual ~TMapGraphics() = default;

  // The chipset graphic cleared and bound to ChipSet (nothing bound for nullptr).
  virtual void ReloadChipSet(const TXelChipSetItem* chipSet) = 0;
  virtual void ClearChipSetGraphic() = 0;

  // The character-set cache: a map marks every sheet unused, loads (or keeps) the
  // sheet of every name its event pages use, then frees the sheets still unused.
  virtual void MarkAllCharSetsUnused() = 0;
  virtual void LoadCharSet(const std::string& name) = 0;
  virtual void PurgeUnusedCharSets() = 0;

  // The graphics themselves, for drawing.
  virtual TXelChipSetGraphic* ChipSetGraphic() = 0;
  virtual TXelCharSetGraphic* CharSetGraphic() = 0;
};

using TMapGraphicsFactory = std::unique_ptr<TMapGraphics> (*)();

// Graphics for a new map: from the installed factory, else ones that do nothing.
std::unique_ptr<TMapGraphics> CreateMapGraphics();
// Installs Factory for maps made from now on (nullptr: back to the default) and
// returns the one it replaces.
TMapGraphicsFactory SetMapGraphicsFactory(TMapGraphicsFactory factory);
