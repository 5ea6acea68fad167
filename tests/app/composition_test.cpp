// The program's composition installs every hook that a lower layer declares.
#include "app/composition.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "core/hook.h"
#include "events/xel_event_manager.h"
#include "shell/map/map_event_operations.h"

namespace {

std::vector<std::string> HookNames(bool installed) {
  std::vector<std::string> names;
  for (const THookBase* hook : DeclaredHooks())
    if (hook->Installed() == installed) names.push_back(hook->Name());
  return names;
}

TEST(Composition, LeavesNoHookEmpty) {
  // Before: the hooks of the shell are declared and nothing has installed them.
  EXPECT_THAT(HookNames(false), testing::IsSupersetOf({"MapEventOperations", "DataBase",
                                                       "MaterialManager", "MusicSelector"}));
  ComposeProgram();
  EXPECT_THAT(HookNames(false), testing::IsEmpty());
  // The map editor gets the event layer's manager.
  EXPECT_NE(dynamic_cast<TXelEventManager*>(CreateMapEventOperations(nullptr).get()), nullptr);
}

TEST(Composition, AHookListsItselfWhileItExists) {
  {
    THook<int(int)> hook("Probe");
    EXPECT_THAT(HookNames(false), testing::Contains("Probe"));
    hook = [](int x) { return x + 1; };
    EXPECT_EQ(hook(2), 3);
    EXPECT_THAT(HookNames(true), testing::Contains("Probe"));
  }
  EXPECT_THAT(HookNames(true), testing::Not(testing::Contains("Probe")));
}

} // namespace
