#include "programs/hollin/data_file_input.h"

#include <cstdint>

#include "analysis/data_file_limits.h"
#include "analysis/record_units.h"
#include "programs/hollin/text_file.h"
#include "record_io/memory_run.h"

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
  return read_data_text(path, text, data, context);
}

bool read_data_text(std::string_view path, std::string_view text, analysis::SlopeData& data,
                    CommandContext& context) {
  const std::string name(path);
  record_io::MemoryRun memory({}, context.tab_size);
  if (!memory.open_input(analysis::kDataUnit, std::string(text), "slope data")) {
    context.error(name + ": cannot open the slope data file");
    return false;
  }
  std::int32_t line = 0;
  const analysis::DataResult result =
      analysis::read_slope_data(memory.io, analysis::kDataUnit, data, line);
  memory.io.close(analysis::kDataUnit);
  switch (result) {
    case analysis::DataResult::ok:
      return true;
    case analysis::DataResult::read_failed:
      context.error(name + ":" + std::to_string(line) +
                    ": the programs cannot read this line: a value that is not a number of "
                    "its kind, or the file ends before the read has all its values");
      return false;
    case analysis::DataResult::too_many_sections:
      context.error(name + ":4: the header asks for " + std::to_string(data.section_count) +
                    " sections; the programs take at most " +
                    std::to_string(analysis::kMaxDataFileSections));
      return false;
  }
  return false;
}

}  // namespace hollin
