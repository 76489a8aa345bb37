#include "cli/ordered_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <new>
#include <system_error>

#include "cli/command_line.h"

namespace quorlen {
namespace {

// Starts `body` on a new thread; the system's reason when it cannot.
std::optional<std::string> start_thread(std::vector<std::jthread>& threads, std::function<void()> body) {
  try {
    threads.emplace_back(std::move(body));
    return std::nullopt;
  } catch (const std::system_error& e) {
    return e.code().message();
  }
}

}  // namespace

RunThreads::RunThreads(std::string_view program, int out, int err, std::function<void()> stop_work)
    : program_(program), out_(out), err_(err), stop_work_(std::move(stop_work)) {
  // Non-blocking: a signal handler writes to it too. Without it a wait for
  // input lasts until input comes.
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) {
    wake_error_ = errno;
    wake_[0] = wake_[1] = -1;
  }
  signals_.emplace(wake_[1]);
}

RunThreads::~RunThreads() {
  stop();
  threads_.clear();  // joins them
  signals_.reset();
  for (const int fd : wake_) {
    if (fd >= 0) ::close(fd);
  }
}

void RunThreads::say(const std::string& message) { tell(err_, program_, message); }

void RunThreads::stop() {
  stopped_ = true;
  stop_work_();
  const char byte = 0;
  // A byte that cannot be written is not needed: the pipe holds one.
  if (wake_[1] >= 0 && ::write(wake_[1], &byte, 1) != 1) return;
}

void RunThreads::guard(const std::function<void()>& body) {
  std::string what;
  try {
    body();
    return;
  } catch (const std::bad_alloc&) {
    what = "out of memory";
  } catch (const std::exception& e) {
    what = e.what();
  }
  {
    std::lock_guard lock(failure_mutex_);
    if (failure_.empty()) failure_ = what;
  }
  stop();
}

bool RunThreads::start(int jobs, std::string_view doing, std::function<void()> feed,
                       std::function<void()> work) {
  // A standard output that is closed (or open for reading only) loses all:
  // no need to do any work to know that.
  if (const int flags = ::fcntl(out_, F_GETFL); flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
    say("standard output: " + std::generic_category().message(EBADF));
    return false;
  }
  // Without the pipe no wait for input could be ended by a stop.
  if (wake_[0] < 0) {
    say("cannot make a pipe: " + std::generic_category().message(wake_error_));
    return false;
  }
  threads_.reserve(static_cast<std::size_t>(jobs) + 1);
  int started = 0;
  std::optional<std::string> why;
  {
    const StopSignals::BlockedWhileStarting blocked;
    struct ReleaseOnExit {
      std::binary_semaphore& go;
      ~ReleaseOnExit() { go.release(); }
    } release{all_started_};
    why = start_thread(threads_, [this, feed = std::move(feed)] {
      all_started_.acquire();
      if (!stopped_) guard(feed);
    });
    while (!why && started < jobs) {
      why = start_thread(threads_, [this, work] { guard(work); });
      started += why ? 0 : 1;
    }
    if (started == 0) stop();  // before the feeder may go: it has no one to feed
  }
  if (started == 0) {
    say("cannot start a thread: " + *why);
    threads_.clear();  // joins them
    return false;
  }
  if (started < jobs) {
    say(std::to_string(started) + " of " + std::to_string(jobs) + " " + std::string(doing) +
        " threads could start (" + *why + "); " + std::string(doing) + " on those");
  }
  return true;
}

bool RunThreads::finish(OutputFile& output) {
  const bool output_failed = !output.flush();
  if (output_failed) say(output.error());
  stop();
  threads_.clear();  // joins them
  if (!failure_.empty()) say(failure_);
  // From here a signal acts as if there were no handler: one that came
  // after the look below would otherwise be noted and never acted on.
  signals_.reset();
  // Output cut short by a failed write is the failure to tell; otherwise
  // the signal ends the program as it would have without a handler.
  if (const int received = StopSignals::received(); received != 0 && !output_failed)
    StopSignals::die_by(received);
  return !output_failed && failure_.empty();
}

}  // namespace quorlen
