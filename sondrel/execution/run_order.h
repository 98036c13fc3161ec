// The order in which the resampler runs of a render start when several run at
// once. Many resamplers write an analysis file beside the sample the first
// time they use it, some with fixed temporary names: two runs on one sample
// would read each other's half-written file, end with 0, and leave a wrong
// note in the cache or a corrupt analysis file in the voice bank. So a run
// waits while another holds its sample, or its output; the runs after it
// that hold neither start meanwhile, so that the processors stay as busy as
// the runs allow.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <functional>
#include <queue>
#include <string>
#include <vector>

namespace sondrel {

class RunOrder {
 public:
  // The runs in planned order, each with what names its sample and its
  // output; equal texts stand for the same file.
  using Files = std::array<std::string, 2>;
  explicit RunOrder(const std::vector<Files>& runs);

  // The first run in planned order whose sample and output no started run
  // holds, and which no earlier waiting run on the same file precedes; it
  // counts as started. False when there is none now.
  bool next(size_t& run);
  // The run has ended: its files are free again.
  void ended(size_t run);

 private:
  void offerFirstWaitingOn(size_t file);

  std::vector<std::array<size_t, 2>> filesOf_;  // per run: its two files' numbers
  std::vector<std::deque<size_t>> waiting_;     // per file: the runs not started, in order
  std::vector<bool> held_;                      // per file: a started run holds it
  std::vector<bool> offered_;                   // per run: in ready_ already
  std::priority_queue<size_t, std::vector<size_t>, std::greater<size_t>> ready_;
};

}  // namespace sondrel
