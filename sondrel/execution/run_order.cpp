#include "execution/run_order.h"

#include <unordered_map>

namespace sondrel {

RunOrder::RunOrder(const std::vector<Files>& runs) : filesOf_(runs.size()), offered_(runs.size(), false) {
  std::unordered_map<std::string, size_t> numbers;
  for (size_t run = 0; run < runs.size(); ++run) {
    for (size_t i = 0; i < 2; ++i) {
      auto found = numbers.emplace(runs[run][i], waiting_.size());
      if (found.second) waiting_.emplace_back();
      filesOf_[run][i] = found.first->second;
      waiting_[found.first->second].push_back(run);
    }
  }
  held_.assign(waiting_.size(), false);
  for (size_t file = 0; file < waiting_.size(); ++file) offerFirstWaitingOn(file);
}

bool RunOrder::next(size_t& run) {
  if (ready_.empty()) return false;
  run = ready_.top();
  ready_.pop();
  // A ready run is the first waiting on each of its files; when both are one
  // file, it waits there twice.
  for (size_t file : filesOf_[run]) {
    if (!waiting_[file].empty() && waiting_[file].front() == run) waiting_[file].pop_front();
    held_[file] = true;
  }
  return true;
}

void RunOrder::ended(size_t run) {
  for (size_t file : filesOf_[run]) held_[file] = false;
  for (size_t file : filesOf_[run]) offerFirstWaitingOn(file);
}

void RunOrder::offerFirstWaitingOn(size_t file) {
  if (held_[file] || waiting_[file].empty()) return;
  const size_t run = waiting_[file].front();
  for (size_t other : filesOf_[run])
    if (held_[other] || waiting_[other].front() != run) return;
  if (offered_[run]) return;
  offered_[run] = true;
  ready_.push(run);
}

}  // namespace sondrel
