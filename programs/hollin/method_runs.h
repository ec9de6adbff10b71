// The two methods run on one surface for the tool's commands, with what each
// run ended in (a factor, a stop at a slice, no convergence, dropped friction)
// told the same way in text for people and in JSON for scripts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "method/section.h"
#include "method/simplified_method.h"
#include "method/slices.h"
#include "text/json_writer.h"

namespace hollin {

/// One method's result on one surface.
struct MethodRun {
  enum class Method { simplified, ordinary };
  enum class Status { converged, stopped, no_convergence, closed_form };

  Method method = Method::simplified;
  method::PoreForce pore_force = method::PoreForce::base_width;  ///< ordinary only
  Status status = Status::converged;
  /// The factor of safety; empty after a stop or without convergence, and
  /// when the arithmetic gives no finite factor (a zero driving sum).
  std::optional<double> factor;
  std::int32_t passes = 0;
  std::int32_t slice = 0;  ///< the stopping slice (status stopped)
  method::IterationStop stop = method::IterationStop::converged;
  /// Ordinary method: slices (from 1) whose friction was dropped because
  /// their effective normal force was not positive.
  std::vector<std::int32_t> friction_dropped;
};

/// The simplified method from the first estimate, as method::iterate_simplified
/// runs it. A converged factor is |sum_resisting / sum_driving| of the last
/// pass, the value the report prints.
[[nodiscard]] MethodRun run_simplified(const method::SurfaceData& surface, double tolerance,
                                       std::int32_t iteration_limit, method::TensionRule tension);

/// The ordinary method (friction dropped where the normal force is not
/// positive), as wendmoor computes it.
[[nodiscard]] MethodRun run_ordinary(const method::SurfaceData& surface,
                                     method::PoreForce pore_force);

/// "simplified", "ordinary".
[[nodiscard]] std::string_view method_name(MethodRun::Method method);
/// "base-width", "base-length".
[[nodiscard]] std::string_view pore_force_name(method::PoreForce pore_force);
/// "no_positive_normal_force", "small_m_factor"; empty for other ends.
[[nodiscard]] std::string_view stop_key(method::IterationStop stop);

/// Appends one line for people, e.g. "simplified: factor of safety 1.395 (6
/// passes, converged)" or "simplified: no factor: stopped at slice 3 in pass
/// 1, m-factor below 0.2".
void append_run_text(std::string& out, const MethodRun& run);

/// Writes the run as one JSON object: method, factor_of_safety (null when
/// there is none), passes, status, slice, reason, and for the ordinary
/// method pore_force and friction_dropped.
void write_run_json(text::JsonWriter& json, const MethodRun& run);

}  // namespace hollin
