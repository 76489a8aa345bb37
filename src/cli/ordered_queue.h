// Hands jobs to worker threads and gives their results back in the order the
// jobs came in. At most `capacity` items are on their way from the reader to
// the writer at any time, so memory stays bounded however long the input.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace quorlen {

template <class Job, class Result>
class OrderedQueue {
 public:
  explicit OrderedQueue(std::size_t capacity) : results_(capacity) {}

  // The reader's side: a job for a worker, or a result that needs no work,
  // each in its turn. Both wait for room; false once the queue is stopped.
  bool push_job(Job job) {
    std::unique_lock lock(mutex_);
    if (!wait_for_room(lock)) return false;
    jobs_.emplace_back(pushed_++, std::move(job));
    work_.notify_one();
    return true;
  }
  bool push_result(Result result) {
    std::unique_lock lock(mutex_);
    if (!wait_for_room(lock)) return false;
    store(pushed_++, std::move(result));
    return true;
  }
  // No more items will come.
  void close() {
    std::lock_guard lock(mutex_);
    closed_ = true;
    work_.notify_all();
    ready_.notify_all();
  }

  // A worker's side: the next job and its place, or nothing when no more
  // will come; then its result.
  std::optional<std::pair<std::uint64_t, Job>> take_job() {
    std::unique_lock lock(mutex_);
    work_.wait(lock, [&] { return stopped_ || closed_ || !jobs_.empty(); });
    if (stopped_ || jobs_.empty()) return std::nullopt;
    auto job = std::move(jobs_.front());
    jobs_.pop_front();
    return job;
  }
  void finish(std::uint64_t place, Result result) {
    std::lock_guard lock(mutex_);
    store(place, std::move(result));
  }

  // The writer's side: the next result in input order, or nothing after the
  // last one, once stopped, or once `abort()` is true (it is asked at least
  // every 100 ms while waiting, for a flag no other thread can wake it
  // for). `idle()` runs, unlocked, before any wait.
  template <class Idle, class Abort>
  std::optional<Result> next_result(Idle idle, Abort abort) {
    std::unique_lock lock(mutex_);
    if (!ready()) {
      lock.unlock();
      idle();
      lock.lock();
      while (!ready() && !abort()) ready_.wait_for(lock, std::chrono::milliseconds(100));
    }
    if (!ready() || stopped_ || written_ == pushed_) return std::nullopt;
    std::optional<Result> result = std::exchange(results_[written_++ % results_.size()], std::nullopt);
    room_.notify_one();
    return result;
  }

  // Whether stop() was called: a worker may then leave a job half done.
  bool stopped() const { return stopped_; }

  // Hands out no more jobs and wakes every waiting thread.
  void stop() {
    std::lock_guard lock(mutex_);
    stopped_ = true;
    room_.notify_all();
    work_.notify_all();
    ready_.notify_all();
  }

 private:
  bool wait_for_room(std::unique_lock<std::mutex>& lock) {
    room_.wait(lock, [&] { return stopped_ || pushed_ - written_ < results_.size(); });
    return !stopped_;
  }
  void store(std::uint64_t place, Result result) {
    results_[place % results_.size()] = std::move(result);
    if (place == written_) ready_.notify_one();
  }
  bool ready() const {
    return stopped_ || (written_ < pushed_ && results_[written_ % results_.size()]) ||
           (closed_ && written_ == pushed_);
  }

  std::mutex mutex_;
  std::condition_variable room_, work_, ready_;
  std::deque<std::pair<std::uint64_t, Job>> jobs_;
  std::vector<std::optional<Result>> results_;  // a ring, by place
  std::uint64_t pushed_ = 0;                    // places handed out
  std::uint64_t written_ = 0;                   // results given to the writer
  bool closed_ = false;
  std::atomic<bool> stopped_ = false;  // also read without the lock
};

}  // namespace quorlen
