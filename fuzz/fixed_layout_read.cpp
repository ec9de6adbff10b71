// Fuzz target: the two fixed layouts, (A) and (I4,1X,A), read record by
// record from one file through the record layer, and the same records taken
// apart directly by the layout functions, which must agree with it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "record_io/fixed_layout.h"
#include "record_io/text_item.h"

namespace {

using record_io::IoResult;

constexpr std::size_t kHeaderBytes = 2;
constexpr std::size_t kMaxTextLength = 300;
constexpr std::size_t kMessageLength = 255;

bool is_blank(std::span<const char> text) { return record_io::trimmed(text).empty(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  // Byte 0: which layout reads each record, cycling through its bits.
  // Byte 1: the length of the (A) item.
  const std::uint8_t pattern = data[0];
  const std::size_t text_length = 1 + data[1] % kMaxTextLength;
  const std::string file(fuzzing::as_text(data + kHeaderBytes, size - kHeaderBytes));

  // Tabs and carriage returns change a record as it is read; without them the
  // record is the line itself and the layout functions must give the same.
  const bool plain_lines = file.find_first_of("\t\r") == std::string::npos;

  record_io::MemoryRun run;
  fuzzing::require(run.open_input(2, file, "layouts"), "a memory file did not open");
  std::size_t line_start = 0;
  for (unsigned record = 0;; ++record) {
    const std::size_t line_end = file.find('\n', line_start);
    const std::string_view line = std::string_view(file).substr(
        line_start, line_end == std::string::npos ? std::string::npos : line_end - line_start);
    const bool layout_a = ((pattern >> (record % 8U)) & 1U) != 0;
    IoResult result = IoResult::ok;
    if (layout_a) {
      std::array<char, kMaxTextLength> item{};
      const std::span<char> target(item.data(), text_length);
      result = run.io.read_layout_a(2, target, record_io::kErrorAndEndBranch);
      if (result == IoResult::ok && plain_lines) {
        std::array<char, kMaxTextLength> direct{};
        record_io::read_layout_a(line, std::span<char>(direct.data(), text_length));
        fuzzing::require(direct == item, "layout (A) differs from its record");
      }
    } else {
      std::int32_t index = -7;
      std::array<char, kMessageLength> text{};
      text.fill('#');
      result = run.io.read_layout_i4_1x_a(2, index, text, record_io::kErrorAndEndBranch);
      if (result == IoResult::error) {
        fuzzing::require(index == -7 && text[0] == '#',
                         "a failed (I4,1X,A) read changed its items");
      }
      if (result != IoResult::end && plain_lines) {
        std::int32_t direct_index = -7;
        std::array<char, kMessageLength> direct_text{};
        direct_text.fill('#');
        const record_io::Failure failure =
            record_io::read_layout_i4_1x_a(line, direct_index, direct_text);
        fuzzing::require((failure == record_io::Failure::none) == (result == IoResult::ok),
                         "layout (I4,1X,A) disagrees with its record");
        fuzzing::require(direct_index == index && direct_text == text,
                         "layout (I4,1X,A) items differ from its record");
      }
      // Without a comma that ends the index field early, the text starts in
      // column 6, so a record of five columns leaves it blank.
      if (result == IoResult::ok && plain_lines && line.size() <= 5 &&
          line.find(',') == std::string_view::npos) {
        fuzzing::require(is_blank(text), "a short record left text behind");
      }
    }
    if (result != IoResult::ok && result != IoResult::error) break;
    if (line_end == std::string::npos) {
      // The characters after the last line feed were the last record.
      std::array<char, 4> item{};
      fuzzing::require(
          run.io.read_layout_a(2, item, record_io::kErrorAndEndBranch) == IoResult::end,
          "a record after the end of the file");
      break;
    }
    line_start = line_end + 1;
  }
  fuzzing::require(!run.io.halted(), "a halt after a read with both branches");
  return 0;
}
