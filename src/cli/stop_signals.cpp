#include "cli/stop_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <iterator>

namespace quorlen {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> received_signal = 0;
std::atomic<int> wake_fd = -1;

sigset_t stop_set() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kStopSignals) sigaddset(&set, signal);
  return set;
}

extern "C" void on_stop_signal(int signal) {
  const int saved = errno;
  received_signal.store(signal);
  // From now on any stop signal kills, as if there were no handler.
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  for (const int other : kStopSignals) ::sigaction(other, &fallback, nullptr);
  const char byte = 0;
  if (const int fd = wake_fd.load(); fd >= 0) {
    // A byte that cannot be written is not needed: the pipe holds one already.
    const ssize_t ignored = ::write(fd, &byte, 1);
    (void)ignored;
  }
  errno = saved;
}

}  // namespace

static_assert(std::atomic<int>::is_always_lock_free, "the handler needs a lock-free flag");

StopSignals::StopSignals(int wake) {
  wake_fd.store(wake);
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a write of the output returns early
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
    if (::sigaction(kStopSignals[i], nullptr, &before_[i]) != 0 || before_[i].sa_handler == SIG_IGN) continue;
    installed_[i] = ::sigaction(kStopSignals[i], &action, nullptr) == 0;
  }
}

StopSignals::~StopSignals() {
  for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
    if (installed_[i]) ::sigaction(kStopSignals[i], &before_[i], nullptr);
  }
  wake_fd.store(-1);
}

const std::atomic<int>& StopSignals::received() { return received_signal; }

void StopSignals::die_by(int signal) {
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  ::sigaction(signal, &fallback, nullptr);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, signal);
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  ::raise(signal);
}

StopSignals::BlockedWhileStarting::BlockedWhileStarting() {
  const sigset_t set = stop_set();
  ::pthread_sigmask(SIG_BLOCK, &set, &before_);
}

StopSignals::BlockedWhileStarting::~BlockedWhileStarting() {
  ::pthread_sigmask(SIG_SETMASK, &before_, nullptr);
}

}  // namespace quorlen
