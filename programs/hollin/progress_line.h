// The search's progress line on standard error: shown only when asked for
// (a terminal) and the run has lasted a second, redrawn at most four times
// a second, and wiped at the end so that nothing of it stays on the screen.
#pragma once

#include <chrono>
#include <cstdint>

namespace hollin {

/// One progress line. Written directly to standard error, outside the
/// command's collected text, since it is meant only for the moment.
class ProgressLine {
 public:
  explicit ProgressLine(bool enabled);
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  /// `done` trials of `total` evaluated.
  void update(std::uint64_t done, std::uint64_t total);
  /// Wipes the line if one was drawn.
  void clear();

 private:
  bool enabled_;
  bool drawn_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point last_;
};

}  // namespace hollin
