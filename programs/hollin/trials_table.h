// The trials table of `hollin search --trials FILE`: every grid trial in
// trial order as one tab-separated line under a header, numbers in their
// shortest exact form, written wave by wave while the search runs, so that
// memory stays flat however many trials there are.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "programs/hollin/text_file.h"
#include "search/search.h"

namespace hollin {

/// The header line: trial, xc, yc, radius, entry_x, entry_y, exit_x,
/// exit_y, factor, reason.
inline constexpr std::string_view kTrialsHeader =
    "trial\txc\tyc\tradius\tentry_x\tentry_y\texit_x\texit_y\tfactor\treason\n";

/// Appends the line of trial `index`: the circle (empty without one), entry
/// and exit (empty without a cut), the factor (empty without one) and the
/// reason (an outcome key; empty with a factor), ended by a line feed.
void append_trial_line(std::string& out, std::uint64_t index, const search::Trial& trial);

/// A sink that writes the table to an AtomicOutput opened by the caller.
class TrialsTable final : public search::TrialSink {
 public:
  explicit TrialsTable(AtomicOutput& output) : output_(output) {}

  [[nodiscard]] bool take(std::uint64_t first, std::span<const search::Trial> trials) override;
  /// Why the last write failed.
  [[nodiscard]] const std::string& why() const { return why_; }

 private:
  AtomicOutput& output_;
  std::string text_;
  std::string why_;
};

}  // namespace hollin
