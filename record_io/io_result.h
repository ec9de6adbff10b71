// Results of record statements and the reasons behind a failed step.
// Every statement step returns an IoResult that the caller tests at once; the
// Failure says why, for the error report of a statement without error branch.
#pragma once

#include <cstdint>

namespace record_io {

/// Outcome of one step of a record statement.
enum class [[nodiscard]] IoResult : std::uint8_t{
    ok = 0,     ///< the step succeeded: go on with the next step
    error = 1,  ///< an error, or end of file in a statement without end branch
    end = 2,    ///< end of file in a statement that has an end branch
};

/// Why a step failed. `none` means success.
enum class Failure : std::uint8_t {
  none,
  end_of_file,         ///< "Attempt to read past end of file"
  illegal_numeric,     ///< "Illegal character in numeric input"
  numeric_overflow,    ///< a number beyond the range of its item type
  past_end_of_record,  ///< "Attempt to read past end of record"
  record_too_long,     ///< an input record longer than the layer accepts
  bad_file_name,       ///< an unusable file name or open status
  unit_not_open,       ///< a statement on a unit that is not connected
  system,              ///< the operating system refused; see the errno
};

/// The branches a statement carries.
struct Branches {
  bool error = false;  ///< the caller handles result 1
  bool end = false;    ///< the caller handles result 2
};

inline constexpr Branches kNoBranch{};
inline constexpr Branches kErrorBranch{true, false};
inline constexpr Branches kErrorAndEndBranch{true, true};

}  // namespace record_io
