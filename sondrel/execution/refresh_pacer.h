// The pace of the progress shown while a render runs. Every update of the
// dialog is a message the worker sends to the dialog thread and waits for;
// under Wine each costs about a millisecond, more than sondrel's own work on a
// note, while nobody reads a status line that changes faster than the eye can
// follow.
#pragma once

#include <cstdint>

namespace sondrel {

class RefreshPacer {
 public:
  static constexpr uint64_t kIntervalMs = 50;

  // Whether to show the progress now: the first time, whenever kIntervalMs
  // have passed since it was last shown, and always for the last step, so the
  // dialog ends up showing where the render stopped.
  bool due(uint64_t nowMs, bool lastStep) {
    if (shown_ && !lastStep && nowMs - lastMs_ < kIntervalMs) return false;
    shown_ = true;
    lastMs_ = nowMs;
    return true;
  }

 private:
  bool shown_ = false;
  uint64_t lastMs_ = 0;
};

}  // namespace sondrel
