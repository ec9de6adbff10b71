// Fuzz target: free-format read statements over one file into a mixed list
// of items. The first bytes choose the tab-stop distance, the branches and
// the items (integers, reals and texts of several lengths); the rest is the
// file. Statements are read until one does not succeed.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "fuzz/fuzz_support.h"

namespace {

using record_io::IoResult;

constexpr std::array<int, 8> kTabSizes{0, 1, 2, 3, 4, 8, 8, 64};
constexpr std::size_t kHeaderBytes = 2;
constexpr std::size_t kMaxItems = 12;
constexpr std::size_t kMaxTextLength = 40;

enum class Kind : std::uint8_t { integer, real, text };

struct Item {
  Kind kind = Kind::integer;
  std::int32_t integer = 0;
  double real = 0.0;
  std::array<char, kMaxTextLength> text{};
  std::size_t text_length = 1;
};

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// One statement, item by item. An item whose step does not succeed keeps its
// value, and so does every item after it; once a step has failed, every later
// step of the statement reports a failure as well.
IoResult read_statement(record_io::RecordIo& io, std::span<Item> items,
                        record_io::Branches branches) {
  IoResult result = io.begin_read(1, branches);
  for (Item& item : items) {
    const Item before = item;
    IoResult step = IoResult::ok;
    switch (item.kind) {
      case Kind::integer:
        step = io.read(item.integer);
        break;
      case Kind::real:
        step = io.read(item.real);
        break;
      case Kind::text:
        step = io.read(std::span<char>(item.text.data(), item.text_length));
        break;
    }
    if (result != IoResult::ok) {
      fuzzing::require(step != IoResult::ok, "a step succeeded after a failure");
    }
    if (step != IoResult::ok) {
      fuzzing::require(item.integer == before.integer && same_bits(item.real, before.real) &&
                           item.text == before.text,
                       "a failed step changed its item");
      if (result == IoResult::ok) result = step;
    }
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < kHeaderBytes) return 0;
  const std::uint8_t control = data[0];
  const std::size_t item_count = 1 + data[1] % kMaxItems;
  if (size < kHeaderBytes + item_count) return 0;

  std::array<Item, kMaxItems> items{};
  for (std::size_t i = 0; i < item_count; ++i) {
    const std::uint8_t code = data[kHeaderBytes + i];
    Item& item = items[i];
    item.kind = static_cast<Kind>(code % 3);
    item.text_length = 1 + (code / 3u) % kMaxTextLength;
    item.text.fill(' ');
  }
  const std::size_t file_start = kHeaderBytes + item_count;

  record_io::MemoryRun run({}, kTabSizes[control % kTabSizes.size()]);
  fuzzing::require(
      run.open_input(1, std::string(fuzzing::as_text(data + file_start, size - file_start)),
                     "records"),
      "a memory file did not open");
  // Without an error branch a failure halts the record layer.
  const record_io::Branches branches = (control & 0x08U) != 0   ? record_io::kNoBranch
                                       : (control & 0x10U) != 0 ? record_io::kErrorBranch
                                                                : record_io::kErrorAndEndBranch;
  const std::span<Item> statement(items.data(), item_count);
  while (read_statement(run.io, statement, branches) == IoResult::ok) {
  }
  if (!run.io.halted()) return 0;
  fuzzing::require(!branches.error, "a halt with an error branch");
  fuzzing::require(!run.io.is_open(1), "a halt that left the file open");
  fuzzing::require(run.io.error_report().rfind("? ", 0) == 0,
                   "error report without its question mark");
  // Once halted, a statement fails at every step and changes no item.
  fuzzing::require(
      read_statement(run.io, statement, record_io::kErrorAndEndBranch) == IoResult::error,
      "a statement that did not fail after the halt");
  return 0;
}
