// The worker pool: every job runs once when all succeed; after a failure no later job is
// taken, every earlier one has run, and the calling thread hears of the successes in
// index order only up to the first failure, whatever the number of threads.
#include "platform/worker_pool.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace vantrel::platform {
namespace {

using enum JobOutcome;

struct PoolCase {
  std::string name;
  std::size_t count;
  unsigned workers;
  std::vector<std::size_t> failing;  // jobs that fail (the odd ones of these throw)
  std::optional<std::size_t> firstFailure;
};

TEST(WorkerPool, RunsJobsInOrderOfIndexAndStopsTakingJobsAfterAFailure) {
  const std::vector<PoolCase> cases = {
      {"no jobs", 0, 4, {}, std::nullopt},
      {"one job, one thread", 1, 4, {}, std::nullopt},
      {"many jobs on the calling thread", 50, 1, {}, std::nullopt},
      {"many jobs on four threads", 500, 4, {}, std::nullopt},
      {"a failure on the calling thread", 50, 1, {7}, 7},
      {"a thrown failure on two threads", 500, 2, {301}, 301},
      {"two failures on four threads", 500, 4, {120, 121}, 120},
      {"the first job fails", 100, 3, {0}, 0},
  };
  for (const PoolCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto runs = std::make_unique<std::atomic<int>[]>(c.count + 1);
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<std::size_t> told;
    const JobsRun run = RunJobs(
        c.count,
        [&](std::size_t i) {
          runs[i].fetch_add(1);
          for (std::size_t f : c.failing) {
            if (f != i) continue;
            if (f % 2 == 1) throw std::runtime_error("job failed");
            return false;
          }
          return true;
        },
        [&](std::size_t i) {
          EXPECT_EQ(std::this_thread::get_id(), caller);
          told.push_back(i);
        },
        c.workers);

    EXPECT_EQ(run.firstFailure, c.firstFailure);
    ASSERT_EQ(run.outcomes.size(), c.count);
    const std::size_t end = c.firstFailure.value_or(c.count);
    for (std::size_t i = 0; i < c.count; ++i) {
      const bool failing = std::find(c.failing.begin(), c.failing.end(), i) != c.failing.end();
      if (i < end) {
        EXPECT_EQ(run.outcomes[i], Succeeded) << i;
      } else if (run.outcomes[i] == NotRun) {
        EXPECT_EQ(runs[i].load(), 0) << i;
        continue;
      } else {
        EXPECT_EQ(run.outcomes[i], failing ? Failed : Succeeded) << i;
      }
      EXPECT_EQ(runs[i].load(), 1) << i;
    }
    std::vector<std::size_t> expectedTold(end);
    for (std::size_t i = 0; i < end; ++i) expectedTold[i] = i;
    EXPECT_EQ(told, expectedTold);
  }
}

TEST(WorkerPool, UsesOneThreadPerCoreWithinItsLimits) {
  EXPECT_GE(WorkerCount(), 1u);
  EXPECT_LE(WorkerCount(), kMaxWorkers);
  const unsigned cores = std::thread::hardware_concurrency();
  if (cores >= 1 && cores <= kMaxWorkers) {
    EXPECT_EQ(WorkerCount(), cores);
  }
}

// The file system is shared by the workers: files each of them creates in one folder are
// all there afterwards, and found under any letter case by a lookup the folder's cached
// listing answers.
TEST(WorkerPool, WorkersCreateFilesInOneFolderThatAreFoundInAnyLetterCase) {
  testing::TempFolder temp;
  temp.MakeFolder("Unpacked");
  constexpr std::size_t kFiles = 400;
  const auto name = [](std::size_t i) { return "Entry" + std::to_string(i) + ".tie"; };
  const JobsRun run = RunJobs(kFiles, [&](std::size_t i) {
    const std::unique_ptr<File> file =
        Files().Open(temp.Path("UNPACKED\\" + name(i)), OpenMode::CreateAlways);
    return file && file->Write(name(i).data(), name(i).size());
  }, {}, 4);
  ASSERT_TRUE(run.AllSucceeded());
  EXPECT_EQ(temp.List("Unpacked").size(), kFiles);
  for (std::size_t i = 0; i < kFiles; ++i) {
    std::string upper = temp.Path("unpacked\\" + name(i));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    upper.replace(0, temp.path().size(), temp.path());
    EXPECT_EQ(Files().Kind(upper), PathKind::File) << upper;
  }
}

}  // namespace
}  // namespace vantrel::platform
