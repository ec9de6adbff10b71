#include "programs/hollin/progress_line.h"

#include <cstdio>
#include <string>

namespace hollin {

ProgressLine::ProgressLine(bool enabled)
    : enabled_(enabled), start_(std::chrono::steady_clock::now()), last_(start_) {}

ProgressLine::~ProgressLine() { clear(); }

void ProgressLine::update(std::uint64_t done, std::uint64_t total) {
  if (!enabled_ || total == 0) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < std::chrono::seconds(1)) return;
  if (drawn_ && now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  drawn_ = true;
  const auto percent = static_cast<unsigned>(done * 100 / total);
  const std::string line = "\rsearch: " + std::to_string(percent) + "% (" + std::to_string(done) +
                           " of " + std::to_string(total) + " trials)  ";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

void ProgressLine::clear() {
  if (!drawn_) return;
  drawn_ = false;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
}

}  // namespace hollin
