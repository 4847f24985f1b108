// The pool hands out job indices from one atomic counter, so the jobs are taken in
// index order and a job can only be skipped when a job before it has already failed.
// The workers store each outcome before they count it finished; the calling thread waits
// on that count and tells of the finished jobs in order while the others keep working.
#include "platform/worker_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/system_error.h"

namespace vantrel::platform {
namespace {

bool RunOne(const Job& job, std::size_t index) {
  // A job that throws has failed; the exception must not end the worker, or the process.
  try {
    return job(index);
  } catch (...) {
    return false;
  }
}

class JobBoard {
 public:
  JobBoard(std::size_t count, const Job& job)
      : job_(job), outcomes_(std::make_unique<std::atomic<JobOutcome>[]>(count)), count_(count) {
    for (std::size_t i = 0; i < count; ++i) outcomes_[i].store(JobOutcome::NotRun);
  }

  // Takes jobs until none is left or one has failed.
  void Work() {
    while (RunNext()) {
    }
  }

  // Takes the next job and runs it; false when there was none to take, or it failed.
  bool RunNext() {
    if (stop_.load(std::memory_order_acquire)) return false;
    const std::size_t index = next_.fetch_add(1, std::memory_order_relaxed);
    if (index >= count_) return false;
    const bool succeeded = RunOne(job_, index);
    if (!succeeded) Stop();
    outcomes_[index].store(succeeded ? JobOutcome::Succeeded : JobOutcome::Failed,
                           std::memory_order_release);
    Signal();
    return succeeded;
  }

  void WorkerLeft() {
    workersLeft_.fetch_add(1, std::memory_order_release);
    Signal();
  }

  void Stop() { stop_.store(true, std::memory_order_release); }

  // Tells `done` of each job from `reported` on that has succeeded with all before it;
  // returns the index of the first job not told of.
  std::size_t Report(std::size_t reported, const JobDone& done) const {
    while (reported < count_ && Outcome(reported) == JobOutcome::Succeeded) {
      if (done) done(reported);
      ++reported;
    }
    return reported;
  }

  // On the calling thread, while `workers` threads work: tells of finished jobs as they
  // finish, and returns once every worker has left.
  void Follow(unsigned workers, const JobDone& done) {
    std::size_t reported = 0;
    std::unique_lock hold(signalLock_);
    for (;;) {
      const unsigned seen = signals_;
      hold.unlock();
      reported = Report(reported, done);
      hold.lock();
      if (workersLeft_.load(std::memory_order_acquire) == workers) break;
      signalled_.wait(hold, [&] { return signals_ != seen; });
    }
    hold.unlock();
    Report(reported, done);
  }

  JobOutcome Outcome(std::size_t index) const {
    return outcomes_[index].load(std::memory_order_acquire);
  }

 private:
  // A mutex and a condition variable rather than std::atomic's wait: MinGW's C++ library
  // (GCC 12) can lose a wake-up of an atomic wait, which left the calling thread asleep
  // with every job done.
  void Signal() {
    {
      const std::lock_guard hold(signalLock_);
      ++signals_;
    }
    signalled_.notify_one();
  }

  const Job& job_;
  std::unique_ptr<std::atomic<JobOutcome>[]> outcomes_;
  const std::size_t count_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> stop_{false};
  std::atomic<unsigned> workersLeft_{0};
  std::mutex signalLock_;
  std::condition_variable signalled_;
  unsigned signals_ = 0;  // under signalLock_
};

}  // namespace

unsigned WorkerCount() {
  // hardware_concurrency() answers 0 where it cannot tell.
  return std::clamp(std::thread::hardware_concurrency(), 1u, kMaxWorkers);
}

JobsRun RunJobs(std::size_t count, const Job& job, const JobDone& done, unsigned workers) {
  if (workers == 0) workers = WorkerCount();
  workers = static_cast<unsigned>(std::min<std::size_t>(workers, count));
  JobBoard board(count, job);

  // Threads that cannot be started leave their share to those that could.
  std::vector<std::jthread> threads;
  if (workers > 1) {
    threads.reserve(workers);
    try {
      for (unsigned w = 0; w < workers; ++w) {
        threads.emplace_back([&board] {
          board.Work();
          ForgetThreadFailure();
          board.WorkerLeft();
        });
      }
    } catch (const std::system_error&) {
    }
  }

  if (threads.empty()) {
    // On the calling thread alone, each job is told of as soon as it has succeeded.
    for (std::size_t i = 0; i < count && board.RunNext(); ++i) board.Report(i, done);
  } else if (!done) {
    // Nobody to tell while the jobs run: the calling thread only waits for the workers,
    // and is not woken by every job that finishes.
    threads.clear();
  } else {
    try {
      board.Follow(static_cast<unsigned>(threads.size()), done);
    } catch (...) {
      // `done` threw: the workers stop after their current job and are joined before
      // the exception leaves.
      board.Stop();
      throw;
    }
  }

  JobsRun run;
  run.outcomes.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    run.outcomes.push_back(board.Outcome(i));
    if (!run.firstFailure && run.outcomes.back() == JobOutcome::Failed) run.firstFailure = i;
  }
  return run;
}

}  // namespace vantrel::platform
