#include "platform/runtime/runtime_request.h"

namespace {

std::optional<bool> Choice(const std::string& word, const char* yes, const char* no) {
  if (word == yes) return true;
  if (word == no) return false;
  return std::nullopt;
}

std::optional<int> GroupId(const std::string& word) {
  if (word.empty() || word.size() > 5 || word[0] == '0') return std::nullopt;
  int id = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    id = id * 10 + (c - '0');
  }
  return id;
}

} // namespace

std::optional<TRuntimeRequest> ParseRuntimeArguments(const std::vector<std::string>& args) {
  TRuntimeRequest request;
  if (args.size() == 3 && args[0] == "TestPlay") {
    const auto title = Choice(args[1], "ShowTitle", "HideTitle");
    const auto screen = Choice(args[2], "FullScreen", "Window");
    if (!title || !screen) return std::nullopt;
    request.ShowTitle = *title;
    request.FullScreen = *screen;
    return request;
  }
  if (args.size() == 4 && args[0] == "BattleTest" && args[1] == "HideTitle") {
    const auto screen = Choice(args[2], "FullScreen", "Window");
    const auto group = GroupId(args[3]);
    if (!screen || !group) return std::nullopt;
    request.Test = TRuntimeTest::BattleTest;
    request.FullScreen = *screen;
    request.MonsterGroupId = *group;
    return request;
  }
  return std::nullopt;
}

std::vector<std::string> DescribeRuntimeRequest(const TRuntimeRequest& request) {
  std::vector<std::string> lines;
  const std::string screen =
      request.FullScreen ? "Screen: full screen was asked for." : "Screen: a window was asked for.";
  if (request.Test == TRuntimeTest::TestPlay) {
    lines.push_back("A test play was asked for.");
    lines.push_back(request.ShowTitle ? "Title screen: shown." : "Title screen: skipped.");
  } else {
    lines.push_back("A battle test against monster group " +
                    std::to_string(request.MonsterGroupId) + " was asked for.");
  }
  lines.push_back(screen);
  return lines;
}
