// The rule by which the simulator reads a control file again (sim_control.h, WatchedFile), step by
// step against stamps and clock readings given by the test.
#include <gtest/gtest.h>

#include <optional>

#include "sim_control.h"

namespace zv::sim {
namespace {

constexpr int64_t kSecond = kStampTicksPerSecond;

FileStamp Stamp(int64_t modified, uint64_t size) { return FileStamp{modified, size}; }

TEST(WatchedFile, ReadsAgainWhenTheStampChangesOrWasTooRecentToTrust) {
  struct Step {
    const char* what;
    std::optional<FileStamp> stamp;  // the file as it is now (nullopt: missing)
    int64_t now;
    bool must_read;
    bool forget_first = false;
  };
  const Step steps[] = {
      {"never read", Stamp(0, 2), 10 * kSecond, true},
      {"unchanged, read long after it was written", Stamp(0, 2), 11 * kSecond, false},
      {"other size", Stamp(0, 3), 12 * kSecond, true},
      {"time one tick later, same size", Stamp(1, 3), 13 * kSecond, true},
      {"unchanged again", Stamp(1, 3), 14 * kSecond, false},
      {"removed", std::nullopt, 15 * kSecond, true},
      {"still missing", std::nullopt, 16 * kSecond, false},
      // Written a moment ago: another write with the same size could follow within the
      // timestamp granularity and leave the same stamp, so the same stamp does not count.
      {"written just now", Stamp(20 * kSecond, 2), 20 * kSecond + 1, true},
      {"same stamp, still recent", Stamp(20 * kSecond, 2), 21 * kSecond, true},
      {"same stamp, the write long past", Stamp(20 * kSecond, 2), 24 * kSecond, true},
      {"same stamp, read once it was past", Stamp(20 * kSecond, 2), 25 * kSecond, false},
      // A clock behind the file's time (another machine's share) never trusts it.
      {"time ahead of the clock", Stamp(40 * kSecond, 2), 30 * kSecond, true},
      {"time still ahead", Stamp(40 * kSecond, 2), 31 * kSecond, true},
      {"rewritten with an older time", Stamp(0, 5), 50 * kSecond, true},
      {"unchanged", Stamp(0, 5), 51 * kSecond, false},
      {"forgotten", Stamp(0, 5), 52 * kSecond, true, true},
  };
  WatchedFile file;
  for (const Step& step : steps) {
    if (step.forget_first) file.Forget();
    EXPECT_EQ(file.MustRead(step.stamp), step.must_read) << step.what;
    if (file.MustRead(step.stamp)) file.Read(step.stamp, step.now, true);
  }
  // A read that failed (the file went between the look and the read) is tried again.
  WatchedFile failed;
  failed.Read(Stamp(0, 2), 10 * kSecond, false);
  EXPECT_TRUE(failed.MustRead(Stamp(0, 2)));
}

}  // namespace
}  // namespace zv::sim
