#include "programs/hollin/data_file_input.h"

#include <cstdint>

#include "analysis/data_file_limits.h"
#include "analysis/record_units.h"
#include "programs/hollin/text_file.h"
#include "record_io/record_io.h"

namespace hollin {

bool read_data_file(const std::string& path, std::string& text, analysis::SlopeData& data,
                    CommandContext& context) {
  std::string why;
  if (read_text_file(path, text, why) != FileStatus::ok) {
    context.error(path + ": cannot read the slope data file: " + why);
    return false;
  }
  if (path.empty() || path.front() == ' ' || path.back() == ' ') {
    context.error("'" + path + "': a file name with blanks at either end is not supported");
    return false;
  }

  record_io::Environment environment;
  environment.tab_size = context.tab_size;
  record_io::RecordIo io(environment);
  if (io.open(analysis::kDataUnit, path, "old", record_io::kErrorBranch) !=
      record_io::IoResult::ok) {
    context.error(path + ": cannot open the slope data file");
    return false;
  }
  std::int32_t line = 0;
  const analysis::DataResult result =
      analysis::read_slope_data(io, analysis::kDataUnit, data, line);
  io.close(analysis::kDataUnit);
  switch (result) {
    case analysis::DataResult::ok:
      return true;
    case analysis::DataResult::read_failed:
      context.error(path + ":" + std::to_string(line) +
                    ": the programs cannot read this line: a value that is not a number of "
                    "its kind, or the file ends before the read has all its values");
      return false;
    case analysis::DataResult::too_many_sections:
      context.error(path + ":4: the header asks for " + std::to_string(data.section_count) +
                    " sections; the programs take at most " +
                    std::to_string(analysis::kMaxDataFileSections));
      return false;
  }
  return false;
}

}  // namespace hollin
