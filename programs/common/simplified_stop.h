// The messages that name the slice at which the simplified-method iteration
// stopped: the line written to the results file (and the console) before the
// report. Shared by quarnby and by the tool that writes its reports.
#pragma once

#include <cstdint>

#include "method/simplified_method.h"

namespace programs {

/// A slice without positive effective normal force stopped the iteration.
inline constexpr std::int32_t kNoPositiveNormalMessage = 35;
/// A slice whose m-factor fell below the threshold stopped the iteration.
inline constexpr std::int32_t kSmallMFactorMessage = 37;

/// The message of a stop at a slice; 0 for an iteration that converged or
/// reached its limit.
[[nodiscard]] constexpr std::int32_t stopping_message(method::IterationStop stop) {
  switch (stop) {
    case method::IterationStop::no_positive_normal:
      return kNoPositiveNormalMessage;
    case method::IterationStop::m_factor_too_small:
      return kSmallMFactorMessage;
    case method::IterationStop::converged:
    case method::IterationStop::limit_reached:
      break;
  }
  return 0;
}

}  // namespace programs
