// The pace at which a render's loop over its notes looks outside itself. Each
// update of the progress dialog is a message the worker sends to the dialog
// thread and waits for, and each look at the cancel event is a call into the
// system; under Wine the one costs about two milliseconds and the other a
// fifth of one, far more than sondrel's own work on a note, while nobody reads
// a status line that changes faster than the eye can follow or notices a
// Cancel that takes effect a tenth of a second later.
#pragma once

#include <cstdint>

namespace sondrel {

class RefreshPacer {
 public:
  static constexpr uint64_t kIntervalMs = 100;

  // Whether to look now: the first time, whenever kIntervalMs have passed
  // since the last look, and always at the last step (so the dialog ends up
  // showing where the render stopped).
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
