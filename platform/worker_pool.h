// Running many independent jobs (unpacking the entries of a package, deciphering the
// missions of a battle) on every core: one thread per core takes the next job in index
// order until none is left or one has failed. The calling thread learns, in index order,
// which jobs ran and which failed, so that it can report the first failure as a single
// thread working through the list would have met it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace vantrel::platform {

// More threads than this gain nothing on files: the disk, not the processor, sets the pace.
inline constexpr unsigned kMaxWorkers = 8;

// The number of threads a pool uses: one per core of this machine, at least one and at
// most kMaxWorkers.
unsigned WorkerCount();

enum class JobOutcome : unsigned char {
  NotRun,     // not taken: a job failed before this one's turn came
  Succeeded,
  Failed,     // the job answered false or threw
};

struct JobsRun {
  std::vector<JobOutcome> outcomes;  // one per job, by index
  // The failed job with the lowest index, if any; every job before it ran and succeeded.
  std::optional<std::size_t> firstFailure;

  bool AllSucceeded() const { return !firstFailure.has_value(); }
};

// A job answers whether it succeeded. Jobs run at the same time on different threads,
// so each must touch only what is its own (or guard what it shares).
using Job = std::function<bool(std::size_t index)>;
// Told on the calling thread, in index order, of each job that succeeded once every job
// before it has succeeded too; it never hears of a job after the first failure.
using JobDone = std::function<void(std::size_t index)>;

// Runs jobs 0 to count - 1 on `workers` threads (WorkerCount() when 0), never more
// threads than jobs; with one of either, on the calling thread alone. Jobs are taken in
// index order, and once one has failed no further job is taken: those already under way
// finish, so every job before the first failure has run. Returns when all taken jobs have
// finished.
JobsRun RunJobs(std::size_t count, const Job& job, const JobDone& done = {},
                unsigned workers = 0);

}  // namespace vantrel::platform
