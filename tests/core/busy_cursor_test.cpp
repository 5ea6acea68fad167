#include <gtest/gtest.h>

#include <vector>

#include "core/busy_cursor.h"

namespace {

std::vector<bool> g_calls;
void RecordBusy(bool busy) {
  g_calls.push_back(busy);
}

TEST(BusyCursor, NestedScopesCallTheHookOnceEachWay) {
  g_calls.clear();
  SetBusyHook(&RecordBusy);
  {
    TBusyCursor outer;
    { TBusyCursor inner; }
    EXPECT_EQ(g_calls, (std::vector<bool>{true}));
  }
  EXPECT_EQ(g_calls, (std::vector<bool>{true, false}));
  SetBusyHook(nullptr);
  { TBusyCursor none; }
  EXPECT_EQ(g_calls.size(), 2u);
}

} // namespace
