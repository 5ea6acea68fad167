// What the editor asks of the game runtime, read from its command line. The editor starts
// it in exactly two ways (the program's path comes first, quoted):
//   "<project>KOVAX.exe" TestPlay ShowTitle|HideTitle FullScreen|Window
//   "<project>KOVAX.exe" BattleTest HideTitle FullScreen|Window <monster group id>
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class TRuntimeTest { TestPlay, BattleTest };

struct TRuntimeRequest {
  TRuntimeTest Test = TRuntimeTest::TestPlay;
  bool ShowTitle = false;
  bool FullScreen = false;
  int MonsterGroupId = 0; // battle tests only
  bool operator==(const TRuntimeRequest&) const = default;
};

// Args are the words after the program's own name, matched exactly (case included). The
// monster group id is a decimal number from 1 to 99999 without sign or leading zeros.
// Nothing for any other command line.
std::optional<TRuntimeRequest> ParseRuntimeArguments(const std::vector<std::string>& args);

// The lines the runtime's window shows about the request.
std::vector<std::string> DescribeRuntimeRequest(const TRuntimeRequest& request);
