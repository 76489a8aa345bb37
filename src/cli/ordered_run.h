// Ordered work on threads, as quorlen-solve and quorlen-generate do it: one
// thread feeds jobs into an OrderedQueue, up to N threads work on them, and
// the calling thread writes their results to standard output in the order
// of the jobs. What it keeps, for every program built on it:
//  - where the system lets fewer threads start (ulimit -u), fewer do the
//    work and standard error says so once; only with none is it an error;
//  - a closed standard output, or a write that fails, ends the run at once:
//    the work stops, and no thread is waited for longer than it takes to
//    see the stop (between two puzzles; quorlen-generate's between two
//    givens tried);
//  - SIGINT, SIGTERM and SIGHUP (unless ignored at the start) end the
//    output at a whole line, and the program then dies by that signal.
//    Output cut short by a failed write is told instead, and the run's
//    result says so.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <semaphore>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/ordered_queue.h"
#include "cli/output_file.h"
#include "cli/stop_signals.h"

namespace quorlen {

// The part that does not depend on what the jobs are: see OrderedRun.
class RunThreads {
 public:
  // Messages on `err` start with "PROGRAM: "; `stop_work` tells the queue
  // to hand out no more work and wakes every thread that waits on it.
  RunThreads(std::string_view program, int out, int err, std::function<void()> stop_work);
  // Stops the work and joins every thread.
  ~RunThreads();
  RunThreads(const RunThreads&) = delete;
  RunThreads& operator=(const RunThreads&) = delete;

  // Tells the message on standard error after the program's name.
  void say(const std::string& message);
  // Becomes readable once the run stops (a stop signal, a failed output,
  // the end): a thread that waits for input polls it too, so that a
  // terminal, a quiet pipe or a FIFO that no one opens never holds the run.
  int stop_fd() const { return wake_[0]; }

 protected:
  bool start(int jobs, std::string_view doing, std::function<void()> feed, std::function<void()> work);
  void stop();
  int out() const { return out_; }
  // Flushes the output, stops the work and joins the threads; tells what
  // failed. After a stop signal, unless the output failed, dies by it.
  bool finish(OutputFile& output);

 private:
  void guard(const std::function<void()>& body);

  std::string program_;
  int out_;
  int err_;
  std::function<void()> stop_work_;
  int wake_[2] = {-1, -1};
  int wake_error_ = 0;  // why the pipe could not be made
  std::optional<StopSignals> signals_;
  std::atomic<bool> stopped_ = false;
  std::mutex failure_mutex_;
  std::string failure_;  // the first failure of a thread, which has no other way to tell it
  std::binary_semaphore all_started_{0};
  std::vector<std::jthread> threads_;
};

template <class Job, class Result>
class OrderedRun : public RunThreads {
 public:
  // Declare it after all that its threads use: it joins them when it goes.
  OrderedRun(OrderedQueue<Job, Result>& queue, std::string_view program, int out, int err)
      : RunThreads(program, out, err, [&queue] { queue.stop(); }), queue_(queue) {}

  // Starts `feed`, which pushes the jobs (the queue is closed after it), and
  // up to `jobs` threads that each run `work`. `feed` begins once every
  // worker that could start has: a thread that ended meanwhile would give
  // its place to the next. When fewer start, says once "K of N DOING
  // threads could start (why); DOING on those". False, having said why,
  // when standard output is closed or no worker can start.
  bool start(int jobs, std::string_view doing, std::function<void()> feed, std::function<void()> work) {
    return RunThreads::start(
        jobs, doing,
        [this, feed = std::move(feed)] {
          feed();
          queue_.close();
        },
        std::move(work));
  }

  // Hands each result, in order, to `write_result(output, result)`, which
  // writes it and returns false when a write failed. Output is flushed
  // whenever the next result is not ready yet, so a slow input or a slow
  // job never holds back what is done. Returns whether all was written and
  // no thread failed; after a stop signal it does not return but for a
  // failed write.
  template <class Write>
  bool write(Write write_result) {
    const std::atomic<int>& signal = StopSignals::received();
    OutputFile output(out(), "standard output", &signal);
    while (auto result = queue_.next_result(
               [&] {
                 if (!output.flush()) stop();
               },
               [&] { return signal != 0; })) {
      if (!output.error().empty() || signal != 0 || !write_result(output, *result)) break;
    }
    return finish(output);
  }

 private:
  OrderedQueue<Job, Result>& queue_;
};

}  // namespace quorlen
