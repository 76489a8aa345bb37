// The time a puzzle has been played, on a monotonic clock (Platform::now):
// what earlier runs added up to, and since when the present run goes on.
// Stopping keeps the time; only a run counts, so pauses are left out.
//
// The window keeps one, for the posed puzzle; the game value keeps the time
// it showed (Game::played_ms), and a game brought back resets it to that.
#pragma once

#include <chrono>

namespace quorlen {

class PlayClock {
 public:
  using TimePoint = std::chrono::steady_clock::time_point;
  using Duration = std::chrono::milliseconds;

  Duration played(TimePoint now) const {
    return running_ ? before_ + std::chrono::duration_cast<Duration>(now - since_) : before_;
  }
  bool running() const { return running_; }

  // Starts or stops the clock at `now`; nothing when it already does.
  void run(bool running, TimePoint now) {
    if (running == running_) return;
    before_ = played(now);
    since_ = now;
    running_ = running;
  }

  // Stopped, at `played`.
  void reset(Duration played = Duration::zero()) {
    before_ = played;
    since_ = {};
    running_ = false;
  }

 private:
  Duration before_{};  // the time of the runs that have ended
  TimePoint since_{};  // when the present run began
  bool running_ = false;
};

}  // namespace quorlen
