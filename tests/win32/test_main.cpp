#include <gtest/gtest.h>

// The Windows build links with -municode, so the entry point is wmain; gtest_main's main is unused.
int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
