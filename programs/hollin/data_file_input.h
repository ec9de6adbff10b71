// Reading a stored slope data file exactly as the three programs read it:
// through the record layer, with their line counting, and with one wording
// for every refusal. The file is read once; its bytes go to the record layer.
#pragma once

#include <string>
#include <string_view>

#include "analysis/slope_data.h"
#include "programs/hollin/command_context.h"

namespace hollin {

/// Reads the file `path` whole into `text` (at most 64 MiB, a regular file)
/// and then `data` from those very bytes with read_data_text, so that a
/// caller that scans `text` sees what the record layer read. Refusals go to
/// context as "hollin: FILE:LINE: what" or "hollin: FILE: what" and return
/// false: an unreadable file (with its reason), a name the programs would
/// open differently (blanks at either end), and the refusals of
/// read_data_text.
[[nodiscard]] bool read_data_file(const std::string& path, std::string& text,
                                  analysis::SlopeData& data, CommandContext& context);

/// Reads `data` from `text`, the bytes of the slope data file `path`, with
/// analysis::read_slope_data through a record layer held in memory (tab stops
/// from context.tab_size). `path` only names the file in the refusals: a
/// failed read (at the line the programs name) and more than 150 sections.
[[nodiscard]] bool read_data_text(std::string_view path, std::string_view text,
                                  analysis::SlopeData& data, CommandContext& context);

}  // namespace hollin
