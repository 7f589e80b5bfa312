// The Windows-side tests. Started by a test with one of the helper modes, the binary does that
// one thing instead and exits.
#include <gtest/gtest.h>

#include <cstring>

#include "win_test_support.h"

int main(int argc, char** argv) {
  using namespace glint::wintest;
  if (argc == 5 && std::strcmp(argv[1], kHoldMutexMode) == 0)
    return RunHoldMutex(argv[2], argv[3], argv[4]);
  if (argc == 3 && std::strcmp(argv[1], kWriteStateMode) == 0) return RunWriteState(argv[2]);
  if (argc == 5 && std::strcmp(argv[1], kSaveLoopMode) == 0)
    return RunSaveLoop(argv[2], argv[3], argv[4]);
  if (argc == 4 && std::strcmp(argv[1], kDllSearchMode) == 0) return RunDllSearch(argv[2], argv[3]);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
