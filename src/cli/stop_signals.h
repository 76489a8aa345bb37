// SIGINT, SIGTERM and SIGHUP as requests to stop. The first one is noted,
// and wakes any thread that waits for input through a pipe; a second one of
// any of them ends the program at once, as if there were no handler. A
// signal that was ignored when the program started stays ignored (nohup, a
// background job of a script).
#pragma once

#include <signal.h>

#include <atomic>

namespace quorlen {

class StopSignals {
 public:
  // Installs the handlers, which write a byte to `wake_fd` (non-blocking).
  explicit StopSignals(int wake_fd);
  // Puts back the handlers that were there.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that asked to stop, or 0.
  static const std::atomic<int>& received();

  // Ends the program by `signal`, as if it had no handler (an exit status
  // of 128 + `signal` in a shell). Returns only if the signal cannot kill.
  static void die_by(int signal);

  // The stop signals blocked in the calling thread while it lives: threads
  // started meanwhile keep them blocked for good, so that they go to the
  // thread that writes the output and cut a write of it short.
  class BlockedWhileStarting {
   public:
    BlockedWhileStarting();
    ~BlockedWhileStarting();
    BlockedWhileStarting(const BlockedWhileStarting&) = delete;
    BlockedWhileStarting& operator=(const BlockedWhileStarting&) = delete;

   private:
    sigset_t before_;
  };

 private:
  struct sigaction before_[3] = {};
  bool installed_[3] = {};
};

}  // namespace quorlen
