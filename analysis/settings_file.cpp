#include "analysis/settings_file.h"

#include <array>
#include <cmath>
#include <span>
#include <string_view>

#include "record_io/record_io.h"
#include "record_io/text_item.h"

namespace analysis {

namespace {

using record_io::IoResult;

// Header values shared by both programs; the rest of each header is read
// into the caller's targets.
struct CommonHeader {
  std::int32_t message_count = 0;
  std::int32_t closing_pause = 0;
  std::int32_t separator_code = 0;
  std::array<char, 4> spare_text{};
};

void apply_common_header(const CommonHeader& header, RunState& state) {
  state.closing_pause = header.closing_pause;
  if (header.separator_code >= 0) {
    state.field_separator =
        static_cast<char>(static_cast<unsigned char>(header.separator_code % 256));
  }
}

SettingsResult read_message_records(record_io::RecordIo& io, int unit, std::int32_t message_count,
                                    RunState& state, MessageTable& messages) {
  const std::int32_t count =
      message_count > messages.capacity() ? messages.capacity() : message_count;
  std::array<char, kMessageLength> text{};
  for (std::int32_t j = 1; j <= count; ++j) {
    state.line_counter = j + 1;
    std::int32_t index = 0;
    const IoResult result =
        io.read_layout_i4_1x_a(unit, index, text, record_io::kErrorAndEndBranch);
    if (result == IoResult::end) return SettingsResult::ok;
    if (result != IoResult::ok) return SettingsResult::error;
    // An index the table does not have is refused rather than dropped, so a
    // mistyped index shows at its line instead of leaving a message missing.
    if (!messages.store(index, record_io::text_of(text))) {
      return SettingsResult::error;
    }
  }
  return SettingsResult::ok;
}

}  // namespace

SettingsResult read_simplified_settings(record_io::RecordIo& io, int unit, RunState& state,
                                        MessageTable& messages, NumericalControls& controls) {
  state.line_counter = 1;
  NumericalControls values;
  CommonHeader header;
  if (io.read_values(unit, record_io::kErrorBranch, values.tolerance_value,
                     values.iteration_limit_value, header.message_count, header.closing_pause,
                     header.separator_code, std::span<char>(header.spare_text)) != IoResult::ok) {
    return SettingsResult::error;
  }
  controls = values;
  apply_common_header(header, state);
  return read_message_records(io, unit, header.message_count, state, messages);
}

SettingsResult read_ordinary_settings(record_io::RecordIo& io, int unit, RunState& state,
                                      MessageTable& messages) {
  state.line_counter = 1;
  CommonHeader header;
  std::int32_t pore_force_option = 0;
  if (io.read_values(unit, record_io::kErrorBranch, header.message_count, pore_force_option,
                     header.closing_pause, header.separator_code,
                     std::span<char>(header.spare_text)) != IoResult::ok) {
    return SettingsResult::error;
  }
  state.pore_force_option = pore_force_option;
  apply_common_header(header, state);
  return read_message_records(io, unit, header.message_count, state, messages);
}

void apply_numerical_controls(const NumericalControls& controls, RunState& state) {
  if (controls.tolerance_value < kToleranceThreshold) {
    state.tolerance = std::fabs(controls.tolerance_value);
  }
  if (controls.iteration_limit_value >= 1) {
    state.iteration_limit = controls.iteration_limit_value;
  }
}

}  // namespace analysis
