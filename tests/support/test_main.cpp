// Shared main of the GoogleTest programs: the whole run lives in its own temporary home.
#include <gtest/gtest.h>

#include "isolated_env.h"

int main(int argc, char** argv) {
  orbeline::testing::IsolatedEnvironment environment;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
