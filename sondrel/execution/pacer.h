// The pace at which a render's loops look outside themselves. Each update of
// the progress dialog is a message the worker sends to the dialog thread and
// waits for, and the dialog then repaints; under Wine that costs a few
// milliseconds of processor time, and a look at the cancel event a fifth of
// one: far more than sondrel's own work on a note, and taken from the tools
// that run meanwhile. Nobody reads a status line that changes faster than a
// few times a second, or notices a Cancel that takes effect a tenth of a
// second later.
#pragma once

#include <cstdint>

namespace sondrel {

constexpr uint64_t kDisplayIntervalMs = 250;
constexpr uint64_t kCancelCheckIntervalMs = 100;

class Pacer {
 public:
  explicit Pacer(uint64_t intervalMs) : intervalMs_(intervalMs) {}

  // Whether to look now: the first time, whenever the interval has passed
  // since the last look, and always at the last step (so the dialog ends up
  // showing where the render stopped).
  bool due(uint64_t nowMs, bool lastStep) {
    if (looked_ && !lastStep && nowMs - lastMs_ < intervalMs_) return false;
    looked_ = true;
    lastMs_ = nowMs;
    return true;
  }

 private:
  uint64_t intervalMs_;
  bool looked_ = false;
  uint64_t lastMs_ = 0;
};

}  // namespace sondrel
