// The worker pool, on one thread or several: every job runs once when all succeed; after
// a failure (an answer of false or an exception) no later job is taken, every earlier one
// has run, and the calling thread hears of the successes in index order up to the first.
#include "platform/worker_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/system_error.h"

namespace vantrel::platform {
namespace {

TEST(WorkerPool, RunsJobsInIndexOrderAndTakesNoneAfterTheFirstFailure) {
  struct Case {
    std::size_t count;
    unsigned workers;
    std::vector<std::size_t> failing;  // the odd ones throw
  };
  const Case cases[] = {{0, 4, {}},   {1, 4, {}},       {50, 1, {}},        {500, 4, {}},
                        {50, 1, {7}}, {500, 2, {301}}, {500, 4, {120, 121}}, {100, 3, {0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.count << " jobs on " << c.workers << " threads");
    const auto runs = std::make_unique<std::atomic<int>[]>(c.count);
    const auto fails = [&](std::size_t i) {
      return std::find(c.failing.begin(), c.failing.end(), i) != c.failing.end();
    };
    std::vector<std::size_t> told;
    const JobsRun run = RunJobs(
        c.count,
        [&](std::size_t i) {
          ++runs[i];
          // A worker that recorded a failure must end cleanly.
          if (fails(i)) RecordFailure({"job", MakeError(ErrorCode::Other, "failed")});
          if (fails(i) && i % 2 == 1) throw std::runtime_error("job failed");
          return !fails(i);
        },
        [&, caller = std::this_thread::get_id()](std::size_t i) {
          EXPECT_EQ(std::this_thread::get_id(), caller);
          told.push_back(i);
        },
        c.workers);

    const std::size_t first = c.failing.empty() ? c.count : c.failing.front();
    EXPECT_EQ(run.firstFailure.value_or(c.count), first);
    ASSERT_EQ(run.outcomes.size(), c.count);
    for (std::size_t i = 0; i < c.count; ++i) {
      const JobOutcome outcome = run.outcomes[i];
      if (i > first && outcome == JobOutcome::NotRun) {
        EXPECT_EQ(runs[i].load(), 0) << i;
        continue;
      }
      EXPECT_EQ(outcome, fails(i) ? JobOutcome::Failed : JobOutcome::Succeeded) << i;
      EXPECT_EQ(runs[i].load(), 1) << i;
    }
    ASSERT_EQ(told.size(), first);
    for (std::size_t i = 0; i < first; ++i) EXPECT_EQ(told[i], i);
  }
  EXPECT_TRUE(WorkerCount() >= 1 && WorkerCount() <= kMaxWorkers);
}

}  // namespace
}  // namespace vantrel::platform
