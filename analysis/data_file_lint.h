// A line-by-line look at a slope data file for what the programs accept
// without a word but rarely mean: section lines of other than sixteen numbers
// (a decimal comma splits a value in two), missing sections, x turning back,
// a slip surface above the ground, odd heights and friction angles.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace analysis {

/// One finding, at a line of the file (1-based).
struct LintWarning {
  int line = 0;
  std::string what;  ///< one sentence, no file name, no line end
};

/// Scans the text of a slope data file the way the programs' reading takes
/// it: lines split at line feeds (carriage returns dropped), values separated
/// by blanks, tabs or commas, a free-format read that finds too few values on
/// its line going on into the next line, and the rest of its last line
/// skipped. Warns, in line order, about: a header line of other than six
/// values; fewer than two sections; fewer or more non-blank section lines
/// than the header says; a section line of other than sixteen values (with a
/// hint when a comma stands between two digits); an empty value between
/// commas; a value that is not a plain number; x turning back or repeating;
/// a slip level above the ground level; a lower zone higher than the slice;
/// a friction angle outside 0 to 90 degrees (sections that begin a slice).
/// Values the programs would refuse end the scan quietly: reporting those is
/// the reader's business.
[[nodiscard]] std::vector<LintWarning> lint_data_file(std::string_view text);

}  // namespace analysis
