// Reading a stored slope data file exactly as the three programs read it:
// through the record layer on the real file, with their line counting, and
// with one wording for every refusal.
#pragma once

#include <string>

#include "analysis/slope_data.h"
#include "programs/hollin/command_context.h"

namespace hollin {

/// Reads `path` into `data` with analysis::read_slope_data through a record
/// layer on the operating system's files (tab stops from context.tab_size).
/// The file is first read whole into `text` (at most 64 MiB, a regular file)
/// for callers that scan it, and so that a missing or unusable file gets its
/// reason. Refusals go to context as "hollin: FILE:LINE: what" or "hollin:
/// FILE: what" and return false: an unreadable file, a name the programs
/// would open differently (blanks at either end), a failed read (at the line
/// the programs name), more than 150 sections.
[[nodiscard]] bool read_data_file(const std::string& path, std::string& text,
                                  analysis::SlopeData& data, CommandContext& context);

}  // namespace hollin
