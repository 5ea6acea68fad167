// The system clipboard behind the data core's clipboard interface. A private format
// number N is the MIME type "application/x-velmora-N" holding exactly the block's
// bytes; putting a block replaces the whole clipboard content.
#pragma once

#include <QString>

#include "core/clipboard.h"

QString ClipboardMimeType(uint32_t format);

class TQtClipboard : public TClipboardProvider {
public:
  bool HasFormat(uint32_t format) const override;
  std::optional<std::vector<uint8_t>> GetData(uint32_t format) const override;
  void SetData(uint32_t format, std::vector<uint8_t> bytes) override;
};
